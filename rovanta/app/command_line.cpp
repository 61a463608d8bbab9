#include "app/command_line.h"

namespace rovanta {

CommandLine parseCommandLine(const std::vector<std::string>& arguments)
{
    CommandLine line;
    bool options = true;
    for (const std::string& argument : arguments) {
        if (options && argument == "--") {
            options = false;
        } else if (options && (argument == "--help" || argument == "-h")) {
            line.help = true;
        } else if (options && (argument == "--version" || argument == "-v")) {
            line.version = true;
        } else if (options && argument.size() > 1 && argument.front() == '-') {
            if (line.unknownOption.empty())
                line.unknownOption = argument;
        } else {
            line.files.push_back(argument);
        }
    }
    return line;
}

std::string commandLineHelp()
{
    return "Usage: Rovanta [FILE...]\n"
           "Plans hiking tours on calibrated raster maps.\n"
           "\n"
           "Each FILE is opened in turn: a tour (.TXT) or GPX file (.gpx) becomes\n"
           "the tour being edited, a map calibration file (.cal) is shown.\n"
           "\n"
           "  -h, --help     show this text and exit\n"
           "  -v, --version  show the version and exit\n";
}

} // namespace rovanta

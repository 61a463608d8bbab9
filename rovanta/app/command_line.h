// What the program is asked on its command line.
#pragma once

#include <string>
#include <vector>

namespace rovanta {

struct CommandLine {
    bool help = false;
    bool version = false;
    std::vector<std::string> files; ///< to open in order, as given
    std::string unknownOption;      ///< the first option not understood
};

/// `arguments` without the program name. "--" ends the options, so a file
/// may start with "-".
CommandLine parseCommandLine(const std::vector<std::string>& arguments);

/// The usage text for --help.
std::string commandLineHelp();

} // namespace rovanta

#include "app/command_line.h"
#include "app/qt/main_frame.h"
#include "app/qt/rovanta_app.h"
#include "common/version.h"
#include "view/qt/rovanta_view.h"

#include <QTimer>

#include <iostream>

int main(int argc, char** argv)
{
    // Answered before any window system is touched, so they work anywhere.
    const rovanta::CommandLine early = rovanta::parseCommandLine({argv + 1, argv + argc});
    if (early.help) {
        std::cout << rovanta::commandLineHelp();
        return 0;
    }
    if (early.version) {
        std::cout << "Rovanta " << rovanta::kVersion << '\n';
        return 0;
    }
    rovanta::CRovantaApp app(argc, argv);
    if (!app.initInstance())
        return 1;
    // Qt has taken its own options out of the arguments by now.
    std::vector<std::string> arguments;
    for (const QString& argument : app.arguments().mid(1))
        arguments.push_back(argument.toStdString());
    const rovanta::CommandLine line = rovanta::parseCommandLine(arguments);
    if (!line.unknownOption.empty())
        std::cerr << "Rovanta: unknown option " << line.unknownOption << " ignored\n";
    // After the offer of tours left by a crash, which is queued the same way.
    QTimer::singleShot(0, app.mainFrame(), [&app, files = line.files] {
        for (const std::string& file : files)
            app.mainFrame()->view().transfer().openFile(file);
    });
    return app.exec();
}

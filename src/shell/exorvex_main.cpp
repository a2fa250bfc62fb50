// exorvex: the program's computations from the command line.
#include "shell/ExorvexCommands.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <iostream>
#include <memory>
#include <string>

int main(int argc, char** argv) {
    // Drawing needs fonts, so the render command runs a window-less GUI application.
    const bool drawing = argc > 1 && std::string(argv[1]) == "render";
    if (drawing && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> app;
    if (drawing)
        app = std::make_unique<QGuiApplication>(argc, argv);
    else
        app = std::make_unique<QCoreApplication>(argc, argv);
    std::vector<std::string> args(argv + 1, argv + argc);
    return exo::RunExorvex(args, std::cout, std::cerr);
}

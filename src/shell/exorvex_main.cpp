// exorvex: the program's computations from the command line.
#include "shell/ExorvexCommands.h"

#include <QCoreApplication>

#include <iostream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::vector<std::string> args(argv + 1, argv + argc);
    return exo::RunExorvex(args, std::cout, std::cerr);
}

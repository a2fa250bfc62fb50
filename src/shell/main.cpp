// ExOrvexEsp: the desktop program. It runs in its program folder, the current folder.
#include "platform/ErrorBox.h"
#include "shell/ProgramWindows.h"
#include "shell/StartUp.h"
#include "shell/UnOrvex.h"

#include <memory>

int main(int argc, char** argv) {
    exo::ExoApplication app(argc, argv);
    exo::ExoApplication::setApplicationName(QStringLiteral("ExOrvexEsp"));
    exo::StartProgram();
    const exo::ProgramWindows windows = exo::CreateProgramWindows();
    const std::unique_ptr<exo::TFoOrvex> mainWindow(windows.FoOrvex);
    mainWindow->show();
    return exo::ExoApplication::exec();
}

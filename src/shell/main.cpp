// ExOrvexEsp: the desktop program. It runs in its program folder, the current folder.
#include "platform/ErrorBox.h"
#include "shell/StartUp.h"
#include "shell/UnOrvex.h"

int main(int argc, char** argv) {
    exo::ExoApplication app(argc, argv);
    exo::ExoApplication::setApplicationName(QStringLiteral("ExOrvexEsp"));
    const auto mainWindow = exo::OpenProgram();
    return exo::ExoApplication::exec();
}

// ExOrvexEsp: the desktop program. It runs in its program folder, the current folder.
#include "chart/ChartState.h"
#include "platform/ErrorBox.h"
#include "shell/UnOrvex.h"

int main(int argc, char** argv) {
    exo::ExoApplication app(argc, argv);
    exo::ExoApplication::setApplicationName(QStringLiteral("ExOrvexEsp"));
    exo::ClearChartState();
    exo::TFoOrvex mainWindow;
    mainWindow.show();
    return exo::ExoApplication::exec();
}

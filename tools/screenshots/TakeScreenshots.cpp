// Screenshots for the documentation, taken by hand under a virtual X display:
//   cd build/program && xvfb-run -a -s "-screen 0 1280x1024x24" ../bin/take_screenshots DIR
// Opens the program as it starts, waits until the main window has drawn itself and writes
// what the screen shows of it to DIR/main-window.png.
#include "platform/ErrorBox.h"
#include "shell/StartUp.h"
#include "shell/UnOrvex.h"

#include <QDir>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv) {
    exo::ExoApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: take_screenshots DIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const auto main = exo::OpenProgram();
    if (!QTest::qWaitForWindowActive(main.get()))
        return 1;
    QTest::qWait(300);
    const QRect frame = main->frameGeometry();
    const QPixmap shot = main->screen()->grabWindow(0, frame.x(), frame.y(), frame.width(),
                                                    frame.height());
    const QString file = out.absoluteFilePath(QStringLiteral("main-window.png"));
    if (!shot.save(file)) {
        std::fprintf(stderr, "take_screenshots: cannot write %s\n", qPrintable(file));
        return 1;
    }
    std::printf("%s\n", qPrintable(file));
    return 0;
}

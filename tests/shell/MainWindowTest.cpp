// Window tests of the main window, driven headless with Qt Test.
#include "shell/UnOrvex.h"

#include <QtTest>

class MainWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void captionAndFixedClientSize() {
        exo::TFoOrvex window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.objectName(), QStringLiteral("FoOrvex"));
        QCOMPARE(window.windowTitle(), QStringLiteral("Calyxa Esp Professional LUMENTA"));
        QCOMPARE(window.size(), QSize(636, 453));
        // A single border: the window cannot be resized.
        QCOMPARE(window.minimumSize(), window.maximumSize());
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"

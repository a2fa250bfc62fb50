// Screenshots for the documentation, taken by hand under a virtual X display:
//   cd build/program && xvfb-run -a -s "-screen 0 1280x1024x24" ../bin/take_screenshots DIR
// Opens the program as it starts, waits until the main window has drawn itself and writes
// what the screen shows of it to DIR/main-window.png.
//   take_screenshots DIR retrieve: the retrieve form with the data bank's list, written to
//   DIR/retrieve-form.png.
//   take_screenshots DIR input: the birth-data form with the results of ROSSI MARIO, born in
//   Milano, written to DIR/input-form.png.
//   take_screenshots DIR chart: the natal chart window with the "Horizontal 1" sheet of the
//   current subject, written to DIR/natal-chart-window.png.
#include "archive/windows/UninputSpa.h"
#include "archive/windows/UnitRich.h"
#include "platform/ErrorBox.h"
#include "shell/StartUp.h"
#include "shell/UnOrvex.h"

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <cstring>

namespace {

// What the screen shows of a window, written to DIR/name.
int SaveShot(const QWidget& window, const QDir& out, const char* name) {
    const QRect frame = window.frameGeometry();
    const QPixmap shot =
        window.screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
    const QString file = out.absoluteFilePath(QString::fromLatin1(name));
    if (!shot.save(file)) {
        std::fprintf(stderr, "take_screenshots: cannot write %s\n", qPrintable(file));
        return 1;
    }
    std::printf("%s\n", qPrintable(file));
    return 0;
}

// The retrieve form as it opens, with the data bank archive chosen in its archive list.
int ShootRetrieveForm(const QDir& out) {
    exo::TFormRich form;
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;
    auto* archives = form.findChild<QListWidget*>(QStringLiteral("ListaArchivi"));
    const QList<QListWidgetItem*> bank =
        archives->findItems(QStringLiteral("BANK (banca dati)"), Qt::MatchExactly);
    if (bank.isEmpty()) {
        std::fprintf(stderr, "take_screenshots: no BANK archive in this folder\n");
        return 1;
    }
    QTest::mouseClick(archives->viewport(), Qt::LeftButton, {},
                      archives->visualItemRect(bank.front()).center());
    QTest::qWait(300);
    return SaveShot(form, out, "retrieve-form.png");
}

// The birth-data form once it has computed the results of ROSSI MARIO, born in Milano on
// 1 January 1960 at 10:30, the locality typed and taken with Enter.
int ShootInputForm(const QDir& out) {
    exo::TFoInputSpa form;
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;
    form.activateWindow();
    const auto edit = [&form](const char* name) {
        return form.findChild<QLineEdit*>(QString::fromLatin1(name));
    };
    edit("EditSogg")->setText(QStringLiteral("ROSSI MARIO"));
    const char* const date[][2] = {{"EditGiorno", "01"},
                                   {"EditMese", "01"},
                                   {"EditAnno", "1960"},
                                   {"EditOra", "10"},
                                   {"EditMinuti", "30"}};
    for (const auto& [name, text] : date)
        edit(name)->setText(QString::fromLatin1(text));
    QLineEdit* locality = edit("EditLocal");
    locality->setFocus();
    QTest::mouseClick(locality, Qt::LeftButton);
    QTest::keyClicks(locality, QStringLiteral("MILANO"));
    QTest::keyClick(locality, Qt::Key_Return);
    QTest::qWait(300);
    if (edit("EditFuso")->text().isEmpty()) {
        std::fprintf(stderr, "take_screenshots: no results for Milano in this folder\n");
        return 1;
    }
    return SaveShot(form, out, "input-form.png");
}

// The natal chart window as the main window's "Horizontal 1" opens it.
int ShootChartWindow(const QDir& out) {
    const auto main = exo::OpenProgram();
    if (!QTest::qWaitForWindowActive(main.get()))
        return 1;
    main->findChild<QPushButton*>(QStringLiteral("BBOriz"))->click();
    auto* chart = main->findChild<QWidget*>(QStringLiteral("FgrNaSpa"));
    if (!chart || !QTest::qWaitForWindowExposed(chart))
        return 1;
    QTest::qWait(500);
    return SaveShot(*chart, out, "natal-chart-window.png");
}

} // namespace

int main(int argc, char** argv) {
    exo::ExoApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: take_screenshots DIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (argc >= 3 && std::strcmp(argv[2], "retrieve") == 0)
        return ShootRetrieveForm(out);
    if (argc >= 3 && std::strcmp(argv[2], "input") == 0)
        return ShootInputForm(out);
    if (argc >= 3 && std::strcmp(argv[2], "chart") == 0)
        return ShootChartWindow(out);
    const auto main = exo::OpenProgram();
    if (!QTest::qWaitForWindowActive(main.get()))
        return 1;
    QTest::qWait(300);
    const QRect frame = main->frameGeometry();
    const QPixmap shot =
        main->screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
    const QString file = out.absoluteFilePath(QStringLiteral("main-window.png"));
    if (!shot.save(file)) {
        std::fprintf(stderr, "take_screenshots: cannot write %s\n", qPrintable(file));
        return 1;
    }
    std::printf("%s\n", qPrintable(file));
    return 0;
}

// Window tests of the orb-set dialog, driven headless with Qt Test in a scratch program
// folder holding the two installed settings files.
#include "TestFolder.h"
#include "analysis/OrbSettings.h"
#include "analysis/UnOrbSpa.h"
#include "platform/ErrorBox.h"
#include "platform/NumberText.h"
#include "platform/ProgramPaths.h"
#include "platform/TextFile.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <cmath>
#include <memory>

using namespace exo;

namespace {

const QColor kAqua(0x00, 0xFF, 0xFF);
const QColor kRed(0xFF, 0x00, 0x00);

// The installed files with `letter` as the selected set in both.
void WriteSettingsFiles(char letter) {
    MakeFolder("FileSet");
    MakeFolder("FileDum");
    std::vector<std::string> settings = DefaultOrbSettingsLines();
    settings[18] = std::string(1, letter);
    std::vector<std::string> sets = DefaultOrbSetLines();
    sets[48] = std::string(1, letter);
    WriteTextLines(kOrbSettingsFile, settings);
    WriteTextLines(kOrbSetFile, sets);
}

std::string FileBytes(const char* name) {
    std::ifstream in(ResolveProgramPath(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

long double LineValue(const std::vector<std::string>& lines, int lineNumber) {
    long double x = -1;
    ParseLeadingReal(lines.at(static_cast<std::size_t>(lineNumber - 1)), x);
    return x;
}

QColor Background(const QLineEdit* edit) {
    return edit->palette().color(QPalette::Base);
}

// Replaces the whole text of an edit by typing, as the user would.
void Type(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Delete);
    else
        QTest::keyClicks(edit, text);
}

// Runs `action` and closes the message box it opens, returning the box's text (empty when
// no box came). The box is answered with its "OK" button.
QString AnswerMessage(const std::function<void()>& action) {
    auto text = std::make_shared<QString>();
    QTimer::singleShot(0, [text] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr)
            return;
        *text = box->text();
        for (QAbstractButton* button : box->buttons())
            if (button->text() == QStringLiteral("OK"))
                button->click();
        if (box->isVisible()) {
            *text += QStringLiteral(" (no OK button)");
            box->done(0);
        }
    });
    action();
    return *text;
}

} // namespace

class OrbDialogWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::ScratchFolder> folder_;
    QStringList errors_;
    OrbSettings settings_;

    // A dialog shown over the files in the scratch folder, as the main window shows it.
    std::unique_ptr<TFoOrbSpa> ShowDialog() {
        auto dialog = std::make_unique<TFoOrbSpa>(nullptr, settings_);
        dialog->show();
        if (!QTest::qWaitForWindowExposed(dialog.get()))
            return nullptr;
        WaitIdle(*dialog);
        return dialog;
    }

    static void WaitIdle(TFoOrbSpa& dialog) {
        auto* timer = dialog.findChild<QTimer*>(QStringLiteral("IdleTimer"));
        QVERIFY(timer != nullptr);
        QTRY_VERIFY(!timer->isActive());
    }

    template <class W> static W* Child(const TFoOrbSpa& dialog, const QString& name) {
        auto* widget = dialog.findChild<W*>(name);
        if (widget == nullptr)
            qWarning() << "no widget" << name;
        return widget;
    }

  private slots:
    void init() {
        folder_ = std::make_unique<test::ScratchFolder>();
        errors_.clear();
        settings_ = OrbSettings{};
        SetErrorPresenter([this](const QString& text) { errors_ << text; });
    }

    void cleanup() {
        SetErrorPresenter({});
        folder_.reset();
    }

    void captionSizeAndComponents() {
        WriteSettingsFiles('A');
        auto dialog = ShowDialog();
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Variación Aspecto de las Órbitas"));
        QCOMPARE(dialog->size(), QSize(523, 357));
        QCOMPARE(dialog->minimumSize(), dialog->maximumSize());

        const QStringList rows = {"Cong", "SmSt", "Deci", "Novi", "SmQd", "Sett", "Sest",
                                  "Quin", "Quad", "Trig", "SsQd", "BiQn", "Qunc", "Oppo"};
        for (int row = 0; row < rows.size(); ++row) {
            auto* a = Child<QLineEdit>(*dialog, "Edit" + rows[row] + "A");
            QVERIFY(a && a->isReadOnly() && a->font().bold());
            QVERIFY(Child<QLineEdit>(*dialog, "Edit" + rows[row] + "B"));
            QVERIFY(Child<QLineEdit>(*dialog, "Edit" + rows[row] + "C"));
            QVERIFY(Child<QLabel>(*dialog, QStringLiteral("Image%1").arg(row + 1)));
        }
        QCOMPARE(Child<QLineEdit>(*dialog, "EditCongA")->text(), QStringLiteral("± 10"));
        QCOMPARE(Child<QLineEdit>(*dialog, "EditSestA")->text(), QStringLiteral("± 4"));
        QCOMPARE(Child<QLineEdit>(*dialog, "EditOppoA")->text(), QStringLiteral("± 9"));

        // Rows in form order; the principal aspects in bold.
        const QList<std::pair<QString, bool>> labels = {
            {"Conjunción", true},  {"SemiSextil", false}, {"Sextil", true},
            {"Quintil", false},    {"Cuadrado", true},    {"Trígono", true},
            {"Quinconcio", false}, {"Oposición", true}};
        const QList<int> labelRows = {1, 2, 7, 8, 9, 10, 13, 14};
        for (int i = 0; i < labels.size(); ++i) {
            auto* label = Child<QLabel>(*dialog, QStringLiteral("Label%1").arg(labelRows[i]));
            QVERIFY(label);
            QCOMPARE(label->text(), labels[i].first);
            QCOMPARE(label->font().bold(), labels[i].second);
        }
        QCOMPARE(Child<QLabel>(*dialog, "Label20")->text(), QStringLiteral("360°:7"));
        QCOMPARE(Child<QLabel>(*dialog, "Label44")->text(), QStringLiteral("± 15°"));

        for (const char* name : {"BitBtn1", "BitBtn2", "BitBtn3"})
            QCOMPARE(Child<QPushButton>(*dialog, name)->text(), QStringLiteral("Adoptar"));
        QCOMPARE(Child<QPushButton>(*dialog, "BitBtnRitorna")->text(),
                 QStringLiteral("Volver al Menú"));
        QVERIFY(!Child<QWidget>(*dialog, "Panel1")->isVisible());
        QVERIFY(Child<QLineEdit>(*dialog, "EditParal"));
        QVERIFY(Child<QLineEdit>(*dialog, "EditAntis"));
        QVERIFY(errors_.isEmpty());
    }

    void activationShowsTheFiles() {
        WriteSettingsFiles('A');
        auto dialog = ShowDialog();
        QVERIFY(dialog);
        const QList<std::pair<const char*, const char*>> shown = {
            {"EditCongB", "10"},  {"EditDeciB", "0,5"}, {"EditQuncB", "2"}, {"EditCongC", "5"},
            {"EditQuadC", "4,5"}, {"EditSsQdC", "0,8"}, {"EditParal", "1"}, {"EditAntis", "1"}};
        for (const auto& [name, text] : shown) {
            QCOMPARE(Child<QLineEdit>(*dialog, name)->text(), QString::fromLatin1(text));
            QCOMPARE(Background(Child<QLineEdit>(*dialog, name)), kAqua);
        }
        QCOMPARE(Child<QLabel>(*dialog, "LabelOrbite")->text(),
                 QStringLiteral("Órbita Actualmente Seleccionada = "));
        QVERIFY(Child<QPushButton>(*dialog, "BitBtnRitorna")->isEnabled());
    }

    void onlyTheSelectedFrameIsVisible_data() {
        QTest::addColumn<char>("letter");
        QTest::newRow("A") << 'A';
        QTest::newRow("B") << 'B';
        QTest::newRow("C") << 'C';
    }

    void onlyTheSelectedFrameIsVisible() {
        QFETCH(char, letter);
        WriteSettingsFiles(letter);
        auto dialog = ShowDialog();
        QVERIFY(dialog);
        QCOMPARE(Child<QLineEdit>(*dialog, "Edit1")->text(), QString(QLatin1Char(letter)));
        for (const char frame : {'A', 'B', 'C'})
            QCOMPARE(Child<QFrame>(*dialog, QStringLiteral("Bevel%1").arg(frame))->isVisible(),
                     frame == letter);
    }

    void entriesAreCheckedAtIdle_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("valid");
        QTest::newRow("not a number") << "abc"
                                      << "abc" << false;
        QTest::newRow("above 15 is emptied") << "16"
                                             << "" << false;
        QTest::newRow("below 0 is emptied") << "-1"
                                            << "" << false;
        QTest::newRow("empty") << ""
                               << "" << false;
        QTest::newRow("two separators") << "1,5,3"
                                        << "1,5,3" << false;
        QTest::newRow("decimal comma") << "1,5"
                                       << "1,5" << true;
        QTest::newRow("decimal point") << "1.5"
                                       << "1,5" << true;
        QTest::newRow("blanks around") << " 2.25 "
                                       << "2,25" << true;
        QTest::newRow("upper bound") << "15"
                                     << "15" << true;
        QTest::newRow("lower bound") << "0"
                                     << "0" << true;
    }

    void entriesAreCheckedAtIdle() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(bool, valid);
        WriteSettingsFiles('A');
        auto dialog = ShowDialog();
        QVERIFY(dialog);
        auto* edit = Child<QLineEdit>(*dialog, "EditSmQdC");
        auto* ritorna = Child<QPushButton>(*dialog, "BitBtnRitorna");
        Type(edit, typed);
        WaitIdle(*dialog);
        QCOMPARE(edit->text(), shown);
        QCOMPARE(Background(edit), valid ? kAqua : kRed);
        QCOMPARE(ritorna->isEnabled(), valid);

        // Correcting the entry lets the dialog close again.
        Type(edit, QStringLiteral("2"));
        WaitIdle(*dialog);
        QCOMPARE(Background(edit), kAqua);
        QVERIFY(ritorna->isEnabled());
    }

    void caretStaysWhereItWas() {
        WriteSettingsFiles('A');
        auto dialog = ShowDialog();
        QVERIFY(dialog);
        auto* edit = Child<QLineEdit>(*dialog, "EditTrigB");
        Type(edit, QStringLiteral("12.75"));
        edit->setCursorPosition(2);
        WaitIdle(*dialog);
        QCOMPARE(edit->text(), QStringLiteral("12,75"));
        QCOMPARE(edit->cursorPosition(), 2);
    }

    void wrongEntriesKeepTheDialogOpen() {
        WriteSettingsFiles('A');
        auto dialog = ShowDialog();
        QVERIFY(dialog);
        const std::string before = FileBytes(kOrbSetFile);
        auto* edit = Child<QLineEdit>(*dialog, "EditCongB");
        // Closed at once, before the idle moment: the entry is checked all the same.
        Type(edit, QStringLiteral("abc"));
        QVERIFY(!dialog->close());
        QVERIFY(dialog->isVisible());
        QCOMPARE(Background(edit), kRed);
        QTest::keyClick(dialog.get(), Qt::Key_Escape);
        QVERIFY(dialog->isVisible());
        QTest::mouseClick(Child<QPushButton>(*dialog, "BitBtnRitorna"), Qt::LeftButton);
        QVERIFY(dialog->isVisible());
        QCOMPARE(FileBytes(kOrbSetFile), before);

        Type(edit, QStringLiteral("9"));
        WaitIdle(*dialog);
        QTest::mouseClick(Child<QPushButton>(*dialog, "BitBtnRitorna"), Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(LineValue(ReadTextLines(kOrbSetFile), 17), 9.0L);
        QVERIFY(errors_.isEmpty());
    }

    void adoptingWhileWrongIsRefused() {
        WriteSettingsFiles('A');
        auto dialog = ShowDialog();
        QVERIFY(dialog);
        QSignalSpy adopted(dialog.get(), &TFoOrbSpa::orbSetAdopted);
        const std::string settingsBefore = FileBytes(kOrbSettingsFile);
        const std::string setsBefore = FileBytes(kOrbSetFile);
        Type(Child<QLineEdit>(*dialog, "EditOppoC"), QStringLiteral("x"));
        for (const char* button : {"BitBtn1", "BitBtn2", "BitBtn3"}) {
            const QString message = AnswerMessage(
                [&] { QTest::mouseClick(Child<QPushButton>(*dialog, button), Qt::LeftButton); });
            QCOMPARE(message, QStringLiteral("Mala Configuración de las Órbitas"));
        }
        QCOMPARE(FileBytes(kOrbSettingsFile), settingsBefore);
        QCOMPARE(FileBytes(kOrbSetFile), setsBefore);
        QCOMPARE(adopted.count(), 0);
        QCOMPARE(Child<QLineEdit>(*dialog, "Edit1")->text(), QStringLiteral("A"));
    }

    void adoptingSetBRewritesBothFiles() {
        WriteSettingsFiles('A');
        auto dialog = ShowDialog();
        QVERIFY(dialog);
        QSignalSpy adopted(dialog.get(), &TFoOrbSpa::orbSetAdopted);
        Type(Child<QLineEdit>(*dialog, "EditCongB"), QStringLiteral("7.5"));
        Type(Child<QLineEdit>(*dialog, "EditOppoB"), QStringLiteral("6,25"));
        const QString message = AnswerMessage(
            [&] { QTest::mouseClick(Child<QPushButton>(*dialog, "BitBtn2"), Qt::LeftButton); });
        QCOMPARE(message, QString());
        QVERIFY(errors_.isEmpty());

        // Set B in form order, with the two typed values.
        const std::array<long double, kAspectKinds> setB = {7.5L, 1, 0.5L, 0.5L, 1, 0.5L, 3,
                                                            1,    4, 4,    1,    1, 2,    6.25L};
        const auto settings = ReadTextLines(kOrbSettingsFile);
        const auto sets = ReadTextLines(kOrbSetFile);
        QCOMPARE(settings.size(), std::size_t{20});
        QCOMPARE(sets.size(), std::size_t{49});
        for (int row = 0; row < kAspectKinds; ++row) {
            QVERIFY(std::fabs(LineValue(settings, row + 1) - setB[row]) < 1e-12L);
            QVERIFY(std::fabs(LineValue(sets, row + 17) - setB[row]) < 1e-12L);
        }
        QCOMPARE(settings[18], std::string("B"));
        QCOMPARE(settings[16], std::string("PLACIDO"));
        QCOMPARE(sets[48], std::string("B"));
        QCOMPARE(settings_.OrbSetLetter.str(), std::string("B"));
        QCOMPARE(settings_.ActiveOrbs[Cong], 7.5L);

        QCOMPARE(adopted.count(), 1);
        QCOMPARE(adopted.at(0).at(0).value<char>(), 'B');
        QCOMPARE(Child<QLineEdit>(*dialog, "Edit1")->text(), QStringLiteral("B"));
        QCOMPARE(Child<QLineEdit>(*dialog, "EditCongB")->text(), QStringLiteral("7,5"));
        QVERIFY(!Child<QFrame>(*dialog, "BevelA")->isVisible());
        QVERIFY(Child<QFrame>(*dialog, "BevelB")->isVisible());
        QVERIFY(!Child<QFrame>(*dialog, "BevelC")->isVisible());
    }

    void adoptingSetATakesTheFixedOrbs() {
        WriteSettingsFiles('C');
        auto dialog = ShowDialog();
        QVERIFY(dialog);
        QCOMPARE(AnswerMessage([&] {
                     QTest::mouseClick(Child<QPushButton>(*dialog, "BitBtn3"), Qt::LeftButton);
                 }),
                 QString());
        const auto settings = ReadTextLines(kOrbSettingsFile);
        const std::array<long double, kAspectKinds> setA = {10, 1, 1, 1, 1, 1, 4,
                                                            1,  6, 8, 1, 1, 1, 9};
        for (int row = 0; row < kAspectKinds; ++row)
            QCOMPARE(LineValue(settings, row + 1), setA[row]);
        QCOMPARE(settings[18], std::string("A"));
        QCOMPARE(ReadTextLines(kOrbSetFile)[48], std::string("A"));
        QVERIFY(Child<QFrame>(*dialog, "BevelA")->isVisible());
        QVERIFY(!Child<QFrame>(*dialog, "BevelC")->isVisible());
    }

    void closingStoresTheSetsUnderTheVisibleFrame() {
        WriteSettingsFiles('C');
        const std::string settingsBefore = FileBytes(kOrbSettingsFile);
        auto dialog = ShowDialog();
        QVERIFY(dialog);
        QSignalSpy adopted(dialog.get(), &TFoOrbSpa::orbSetAdopted);
        Type(Child<QLineEdit>(*dialog, "EditCongB"), QStringLiteral("3"));
        Type(Child<QLineEdit>(*dialog, "EditCongC"), QStringLiteral("4,5"));
        WaitIdle(*dialog);
        QTest::mouseClick(Child<QPushButton>(*dialog, "BitBtnRitorna"), Qt::LeftButton);
        QVERIFY(!dialog->isVisible());

        const auto sets = ReadTextLines(kOrbSetFile);
        QCOMPARE(sets.size(), std::size_t{49});
        QCOMPARE(sets[48], std::string("C"));
        QCOMPARE(LineValue(sets, 17), 3.0L);
        QCOMPARE(LineValue(sets, 33), 4.5L);
        // Sets changed but not adopted leave the active settings alone.
        QCOMPARE(FileBytes(kOrbSettingsFile), settingsBefore);
        QCOMPARE(adopted.count(), 0);
        QVERIFY(errors_.isEmpty());
    }

    // The parallel and antiscia orbs sit in a panel that is never shown; their edits are
    // driven here directly, as nothing on screen reaches them.
    void changedExtrasReachTheActiveSettingsOnClose() {
        WriteSettingsFiles('B');
        auto dialog = ShowDialog();
        QVERIFY(dialog);
        QSignalSpy adopted(dialog.get(), &TFoOrbSpa::orbSetAdopted);
        auto* parallel = Child<QLineEdit>(*dialog, "EditParal");
        Type(parallel, QStringLiteral("7"));
        WaitIdle(*dialog);
        QCOMPARE(parallel->text(), QString());
        QCOMPARE(Background(parallel), kRed);
        QVERIFY(!Child<QPushButton>(*dialog, "BitBtnRitorna")->isEnabled());
        Type(parallel, QStringLiteral("2.5"));
        Type(Child<QLineEdit>(*dialog, "EditAntis"), QStringLiteral("6"));
        WaitIdle(*dialog);
        QCOMPARE(parallel->text(), QStringLiteral("2,5"));
        QTest::mouseClick(Child<QPushButton>(*dialog, "BitBtnRitorna"), Qt::LeftButton);
        QVERIFY(!dialog->isVisible());

        const auto settings = ReadTextLines(kOrbSettingsFile);
        QCOMPARE(LineValue(settings, 15), 2.5L);
        QCOMPARE(LineValue(settings, 16), 6.0L);
        QCOMPARE(settings[18], std::string("B"));
        const auto sets = ReadTextLines(kOrbSetFile);
        for (const int line : {15, 31, 47})
            QCOMPARE(LineValue(sets, line), 2.5L);
        QCOMPARE(adopted.count(), 1);
        QCOMPARE(adopted.at(0).at(0).value<char>(), 'B');
        QVERIFY(errors_.isEmpty());
    }

    void showingAgainDiscardsWhatWasNotStored() {
        WriteSettingsFiles('A');
        auto dialog = ShowDialog();
        QVERIFY(dialog);
        auto* edit = Child<QLineEdit>(*dialog, "EditSettB");
        Type(edit, QStringLiteral("16"));
        WaitIdle(*dialog);
        dialog->hide();
        dialog->show();
        WaitIdle(*dialog);
        QCOMPARE(edit->text(), QStringLiteral("0,5"));
        QCOMPARE(Background(edit), kAqua);
        QVERIFY(Child<QPushButton>(*dialog, "BitBtnRitorna")->isEnabled());
    }

    void missingSetFileIsReportedAndNothingIsWritten() {
        WriteSettingsFiles('A');
        DeleteFile(kOrbSetFile);
        auto dialog = ShowDialog();
        QVERIFY(dialog);
        QCOMPARE(errors_.size(), 1);
        for (const char* button : {"BitBtn1", "BitBtn2", "BitBtn3"})
            QVERIFY(!Child<QPushButton>(*dialog, button)->isEnabled());
        QVERIFY(!Child<QLineEdit>(*dialog, "EditCongB")->isEnabled());
        QTest::mouseClick(Child<QPushButton>(*dialog, "BitBtnRitorna"), Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
        QVERIFY(!FileExists(kOrbSetFile));
        QCOMPARE(errors_.size(), 1);
    }
};

QTEST_MAIN(OrbDialogWindowTest)
#include "OrbDialogWindowTest.moc"

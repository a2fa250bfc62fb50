// Window tests of the line-thickness dialog, driven headless with Qt Test in a scratch
// program folder; the settings file is written by the dialog itself.
#include "TestFolder.h"
#include "graphics/DisplaySettings.h"
#include "graphics/windows/UnSpeLin.h"
#include "platform/ErrorBox.h"
#include "platform/ProgramPaths.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include <memory>

using namespace exo;

namespace {

// Replaces the whole text of an edit by typing, as the user would.
void Type(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

double WrittenLineFactor() {
    return static_cast<double>(ReadDisplaySettings().LineFactor);
}

} // namespace

class LineThicknessWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::ScratchFolder> folder_;
    QStringList errors_;

    std::unique_ptr<TFoSpeLin> ShowDialog() {
        auto dialog = std::make_unique<TFoSpeLin>();
        dialog->show();
        if (!QTest::qWaitForWindowExposed(dialog.get()))
            return nullptr;
        return dialog;
    }

    template <class W> static W* Child(const QWidget& parent, const QString& name) {
        auto* widget = parent.findChild<W*>(name);
        if (widget == nullptr)
            qWarning() << "no widget" << name;
        return widget;
    }

    static QLineEdit* Edit(const TFoSpeLin& dialog) {
        return Child<QLineEdit>(dialog, QStringLiteral("EditSpeLin"));
    }

    static void Press(const TFoSpeLin& dialog, const QString& name) {
        QTest::mouseClick(Child<QAbstractButton>(dialog, name), Qt::LeftButton);
    }

  private slots:
    void init() {
        folder_ = std::make_unique<test::ScratchFolder>();
        MakeFolder("FileSet");
        GlobalDisplaySettings() = DisplaySettings{};
        errors_.clear();
        SetErrorPresenter([this](const QString& text) { errors_ << text; });
    }

    void cleanup() {
        SetErrorPresenter({});
        GlobalDisplaySettings() = DisplaySettings{};
        folder_.reset();
    }

    void captionAndComponents() {
        auto dialog = ShowDialog();
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Espesor de las líneas "));
        QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
        QCOMPARE(Edit(*dialog)->maxLength(), 4);
        auto* spin = Child<QWidget>(*dialog, QStringLiteral("SpinButton1"));
        QVERIFY(spin);
        QVERIFY(Child<QToolButton>(*spin, QStringLiteral("SpinButton1Up")));
        QVERIFY(Child<QToolButton>(*spin, QStringLiteral("SpinButton1Down")));
        QCOMPARE(Child<QPushButton>(*dialog, QStringLiteral("BitBtn1"))->text(),
                 QStringLiteral("Reajustar"));
        QCOMPARE(Child<QPushButton>(*dialog, QStringLiteral("BitBtnRitorna"))->text(),
                 QStringLiteral("&Atrás"));
        QString explanation;
        for (const QLabel* label : dialog->findChildren<QLabel*>())
            explanation += label->text() + QLatin1Char(' ');
        QVERIFY(explanation.contains(QStringLiteral("espesor de las líneas")));
        QVERIFY(explanation.contains(QStringLiteral("experimentación")));
    }

    void showsTheFirstFourCharacters_data() {
        QTest::addColumn<double>("factor");
        QTest::addColumn<QString>("shown");
        QTest::newRow("one") << 1.0 << "1";
        QTest::newRow("cut, not rounded") << 1.23956 << "1,23";
        QTest::newRow("half") << 0.5 << "0,5";
        QTest::newRow("largest") << 4.0 << "4";
    }

    void showsTheFirstFourCharacters() {
        QFETCH(double, factor);
        QFETCH(QString, shown);
        GlobalDisplaySettings().LineFactor = factor;
        auto dialog = ShowDialog();
        QVERIFY(dialog);
        QCOMPARE(Edit(*dialog)->text(), shown);
    }

    void sevenDownsFromOne() {
        auto dialog = ShowDialog();
        QVERIFY(dialog);
        const QStringList expected = {"0,95", "0,90", "0,85", "0,80", "0,76", "0,72", "0,68"};
        double shownBefore = 1.0;
        for (const QString& text : expected) {
            Press(*dialog, QStringLiteral("SpinButton1Down"));
            QCOMPARE(Edit(*dialog)->text(), text);
            // Each step starts from the shown text (0,90, not 0,9025) and writes the whole
            // product, which the edit shows cut.
            QCOMPARE(WrittenLineFactor(), shownBefore * 0.95);
            QCOMPARE(static_cast<double>(GlobalDisplaySettings().LineFactor), shownBefore * 0.95);
            shownBefore = QString(text).replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
        }
        QVERIFY(errors_.isEmpty());
    }

    void stepsStayWithinRange_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<double>("factor");
        QTest::newRow("up from one") << "1"
                                     << "SpinButton1Up"
                                     << "1,05" << 1 / 0.95;
        QTest::newRow("up capped") << "3,9"
                                   << "SpinButton1Up"
                                   << "4" << 4.0;
        QTest::newRow("up at the top") << "4"
                                       << "SpinButton1Up"
                                       << "4" << 4.0;
        QTest::newRow("down floored") << "0,52"
                                      << "SpinButton1Down"
                                      << "0,5" << 0.5;
        QTest::newRow("down at the bottom") << "0,5"
                                            << "SpinButton1Down"
                                            << "0,5" << 0.5;
        // Typed values outside the range are brought into it by the step.
        QTest::newRow("up from below") << "0,1"
                                       << "SpinButton1Up"
                                       << "0,5" << 0.5;
        QTest::newRow("down from above") << "9"
                                         << "SpinButton1Down"
                                         << "4" << 4.0;
        QTest::newRow("up from negative") << "-2"
                                          << "SpinButton1Up"
                                          << "0,5" << 0.5;
    }

    void stepsStayWithinRange() {
        QFETCH(QString, typed);
        QFETCH(QString, button);
        QFETCH(QString, shown);
        QFETCH(double, factor);
        auto dialog = ShowDialog();
        QVERIFY(dialog);
        Type(Edit(*dialog), typed);
        Press(*dialog, button);
        QCOMPARE(Edit(*dialog)->text(), shown);
        QCOMPARE(static_cast<double>(GlobalDisplaySettings().LineFactor), factor);
        QCOMPARE(WrittenLineFactor(), factor);
        QVERIFY(errors_.isEmpty());
    }

    void upThenDownReturnsToTheShownValue() {
        auto dialog = ShowDialog();
        QVERIFY(dialog);
        Press(*dialog, QStringLiteral("SpinButton1Up"));
        Press(*dialog, QStringLiteral("SpinButton1Up"));
        QCOMPARE(Edit(*dialog)->text(), QStringLiteral("1,10"));
        Press(*dialog, QStringLiteral("SpinButton1Down"));
        QCOMPARE(Edit(*dialog)->text(), QStringLiteral("1,04"));
    }

    void reajustarIsOne() {
        GlobalDisplaySettings().LineFactor = 2.5;
        auto dialog = ShowDialog();
        QVERIFY(dialog);
        Press(*dialog, QStringLiteral("BitBtn1"));
        QCOMPARE(Edit(*dialog)->text(), QStringLiteral("1"));
        QCOMPARE(static_cast<double>(GlobalDisplaySettings().LineFactor), 1.0);
        QCOMPARE(WrittenLineFactor(), 1.0);
    }

    void closingLimitsTheTypedValue_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<double>("factor");
        QTest::newRow("within") << "2,25"
                                << "2,25" << 2.25;
        QTest::newRow("above") << "9"
                               << "4" << 4.0;
        QTest::newRow("below") << "0,2"
                               << "0,5" << 0.5;
        QTest::newRow("bounds kept") << "0,5"
                                     << "0,5" << 0.5;
    }

    void closingLimitsTheTypedValue() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(double, factor);
        auto dialog = ShowDialog();
        QVERIFY(dialog);
        Type(Edit(*dialog), typed);
        Press(*dialog, QStringLiteral("BitBtnRitorna"));
        QVERIFY(!dialog->isVisible());
        QCOMPARE(Edit(*dialog)->text(), shown);
        QCOMPARE(static_cast<double>(GlobalDisplaySettings().LineFactor), factor);
        QCOMPARE(WrittenLineFactor(), factor);
    }

    void escapeClosesTheSameWay() {
        auto dialog = ShowDialog();
        QVERIFY(dialog);
        Type(Edit(*dialog), QStringLiteral("7"));
        QTest::keyClick(dialog.get(), Qt::Key_Escape);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(WrittenLineFactor(), 4.0);
    }

    void textThatIsNotANumber_data() {
        QTest::addColumn<QString>("button");
        QTest::newRow("up") << "SpinButton1Up";
        QTest::newRow("down") << "SpinButton1Down";
        QTest::newRow("close") << "BitBtnRitorna";
    }

    void textThatIsNotANumber() {
        QFETCH(QString, button);
        GlobalDisplaySettings().LineFactor = 1.5;
        WriteDisplaySettings(GlobalDisplaySettings());
        auto dialog = ShowDialog();
        QVERIFY(dialog);
        Type(Edit(*dialog), QStringLiteral("1.5x"));
        Press(*dialog, button);
        QCOMPARE(errors_.size(), 1);
        QVERIFY(dialog->isVisible());
        QCOMPARE(Edit(*dialog)->text(), QStringLiteral("1.5x"));
        QCOMPARE(static_cast<double>(GlobalDisplaySettings().LineFactor), 1.5);
        QCOMPARE(WrittenLineFactor(), 1.5);

        // Put right, the dialog closes.
        Type(Edit(*dialog), QStringLiteral("1,2"));
        Press(*dialog, QStringLiteral("BitBtnRitorna"));
        QVERIFY(!dialog->isVisible());
        QCOMPARE(WrittenLineFactor(), 1.2);
        QCOMPARE(errors_.size(), 1);
    }

    void reopeningShowsTheCurrentFactor() {
        auto dialog = ShowDialog();
        QVERIFY(dialog);
        Press(*dialog, QStringLiteral("SpinButton1Down"));
        Press(*dialog, QStringLiteral("BitBtnRitorna"));
        QVERIFY(!dialog->isVisible());
        GlobalDisplaySettings().LineFactor = 3.14159;
        dialog->show();
        QCOMPARE(Edit(*dialog)->text(), QStringLiteral("3,14"));
    }

    void unwritableFileIsReportedAndTheDialogStillCloses() {
        auto dialog = ShowDialog();
        QVERIFY(dialog);
        std::filesystem::remove_all("FileSet");
        Press(*dialog, QStringLiteral("SpinButton1Down"));
        QCOMPARE(errors_.size(), 1);
        QCOMPARE(Edit(*dialog)->text(), QStringLiteral("0,95"));
        Press(*dialog, QStringLiteral("BitBtnRitorna"));
        QCOMPARE(errors_.size(), 2);
        QVERIFY(!dialog->isVisible());
    }
};

QTEST_MAIN(LineThicknessWindowTest)
#include "LineThicknessWindowTest.moc"

// Window tests of the printer dialog, driven headless with Qt Test in a scratch program
// folder; the settings file is written by the dialog itself.
#include "TestFolder.h"
#include "graphics/DisplaySettings.h"
#include "graphics/windows/Unstampa.h"
#include "platform/ErrorBox.h"
#include "platform/ProgramPaths.h"
#include "platform/TextFile.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <memory>

using namespace exo;

class PrinterDialogWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::ScratchFolder> folder_;
    QStringList errors_;

    std::unique_ptr<TFoStampa> ShowDialog() {
        auto dialog = std::make_unique<TFoStampa>();
        dialog->show();
        if (!QTest::qWaitForWindowExposed(dialog.get()))
            return nullptr;
        return dialog;
    }

    template <class W> static W* Child(const QWidget& parent, const char* name) {
        auto* widget = parent.findChild<W*>(QString::fromLatin1(name));
        if (widget == nullptr)
            qWarning() << "no widget" << name;
        return widget;
    }

    static bool Shown(const QWidget& dialog, const char* name) {
        return Child<QWidget>(dialog, name)->isVisible();
    }

    // Settings with every line away from its default, so a lost line shows.
    static DisplaySettings Distinct(std::uint8_t dummyJob) {
        DisplaySettings s;
        s.Line1 = 5;
        s.DummyPrintJob = dummyJob;
        s.Line3 = 3;
        s.CalendarReformOption = 0;
        s.LineFactor = 1.5L;
        s.BackupFolder = "/srv/copias";
        s.StretchH = 0.9L;
        s.StretchV = 1.1L;
        return s;
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
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Impresora"));
        QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
        auto* panel1 = Child<QFrame>(*dialog, "Panel1");
        auto* panel2 = Child<QFrame>(*dialog, "Panel2");
        QVERIFY(panel1 && panel2);
        QCOMPARE(Child<QPushButton>(*panel1, "BitBtn1")->text(),
                 QStringLiteral("Modifica per Epson"));
        QCOMPARE(Child<QPushButton>(*panel2, "BitBtn2")->text(),
                 QStringLiteral("Restaurar Estándar"));
        QCOMPARE(Child<QPushButton>(*dialog, "BitBtnRitorna")->text(),
                 QStringLiteral("Volver al Menú"));
        QCOMPARE(Child<QLabel>(*dialog, "LabModi")->text(), QStringLiteral("CAMBIOS APLICADO!"));
        QCOMPARE(Child<QLabel>(*dialog, "LabModi1")->text(), QStringLiteral("esperar..."));
        QString explanation;
        for (const QLabel* label : panel1->findChildren<QLabel*>())
            explanation += label->text();
        QVERIFY(explanation.contains(QStringLiteral("Epson")));
        QVERIFY(explanation.contains(QStringLiteral("460")));
    }

    void panelFollowsTheDummyJob_data() {
        QTest::addColumn<int>("dummyJob");
        QTest::addColumn<bool>("epson");
        QTest::newRow("standard") << 0 << false;
        QTest::newRow("epson") << 1 << true;
        QTest::newRow("other value is standard") << 2 << false;
    }

    void panelFollowsTheDummyJob() {
        QFETCH(int, dummyJob);
        QFETCH(bool, epson);
        GlobalDisplaySettings().DummyPrintJob = static_cast<std::uint8_t>(dummyJob);
        auto dialog = ShowDialog();
        QVERIFY(dialog);
        QCOMPARE(Shown(*dialog, "Panel1"), !epson);
        QCOMPARE(Shown(*dialog, "Panel2"), epson);
        QVERIFY(!Shown(*dialog, "LabModi"));
        QVERIFY(!Shown(*dialog, "LabModi1"));
    }

    void eitherButtonTogglesAndCloses_data() {
        QTest::addColumn<int>("dummyJob");
        QTest::addColumn<QByteArray>("button");
        QTest::addColumn<int>("written");
        QTest::newRow("to Epson") << 0 << QByteArray("BitBtn1") << 1;
        QTest::newRow("other value to Epson") << 2 << QByteArray("BitBtn1") << 1;
        QTest::newRow("back to standard") << 1 << QByteArray("BitBtn2") << 0;
    }

    void eitherButtonTogglesAndCloses() {
        QFETCH(int, dummyJob);
        QFETCH(QByteArray, button);
        QFETCH(int, written);
        GlobalDisplaySettings() = Distinct(static_cast<std::uint8_t>(dummyJob));
        auto dialog = ShowDialog();
        QVERIFY(dialog);
        QTest::mouseClick(Child<QPushButton>(*dialog, button.constData()), Qt::LeftButton);

        // Confirmed, panels swapped, the other button unusable until the dialog is gone.
        QVERIFY(dialog->isVisible());
        QVERIFY(Shown(*dialog, "LabModi"));
        QVERIFY(Shown(*dialog, "LabModi1"));
        QCOMPARE(Shown(*dialog, "Panel1"), written != 1);
        QCOMPARE(Shown(*dialog, "Panel2"), written == 1);
        QVERIFY(!Child<QPushButton>(*dialog, "BitBtn1")->isEnabled());
        QVERIFY(!Child<QPushButton>(*dialog, "BitBtn2")->isEnabled());

        std::vector<std::string> expected = DisplaySettingsLines(Distinct(0));
        expected[0] = "1";
        expected[1] = std::to_string(written);
        QCOMPARE(ReadTextLines(kDisplaySettingsFile), expected);
        QCOMPARE(int(GlobalDisplaySettings().DummyPrintJob), written);
        QCOMPARE(GlobalDisplaySettings().Line1, 1);

        QTRY_VERIFY_WITH_TIMEOUT(!dialog->isVisible(), 10000);
        QVERIFY(errors_.isEmpty());
    }

    void reopeningStartsAfresh() {
        auto dialog = ShowDialog();
        QVERIFY(dialog);
        QTest::mouseClick(Child<QPushButton>(*dialog, "BitBtn1"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!dialog->isVisible(), 10000);

        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        QVERIFY(!Shown(*dialog, "LabModi"));
        QVERIFY(!Shown(*dialog, "LabModi1"));
        QVERIFY(!Shown(*dialog, "Panel1"));
        QVERIFY(Shown(*dialog, "Panel2"));
        QVERIFY(Child<QPushButton>(*dialog, "BitBtn2")->isEnabled());
        QTest::mouseClick(Child<QPushButton>(*dialog, "BitBtn2"), Qt::LeftButton);
        QCOMPARE(int(ReadDisplaySettings().DummyPrintJob), 0);
        QTRY_VERIFY_WITH_TIMEOUT(!dialog->isVisible(), 10000);
    }

    void returnButtonClosesWithoutChange() {
        GlobalDisplaySettings() = Distinct(0);
        auto dialog = ShowDialog();
        QVERIFY(dialog);
        QTest::mouseClick(Child<QPushButton>(*dialog, "BitBtnRitorna"), Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
        QVERIFY(!FileExists(kDisplaySettingsFile));
        QCOMPARE(GlobalDisplaySettings().Line1, 5);
    }

    void unwritableFileChangesNothing() {
        GlobalDisplaySettings() = Distinct(0);
        std::filesystem::remove_all("FileSet");
        auto dialog = ShowDialog();
        QVERIFY(dialog);
        QTest::mouseClick(Child<QPushButton>(*dialog, "BitBtn1"), Qt::LeftButton);
        QCOMPARE(errors_.size(), 1);
        QCOMPARE(int(GlobalDisplaySettings().DummyPrintJob), 0);
        QCOMPARE(GlobalDisplaySettings().Line1, 5);
        QVERIFY(!Shown(*dialog, "LabModi"));
        QVERIFY(!Shown(*dialog, "LabModi1"));
        QVERIFY(Shown(*dialog, "Panel1"));
        QVERIFY(Child<QPushButton>(*dialog, "BitBtn1")->isEnabled());
        QVERIFY(!Child<QTimer>(*dialog, "CloseTimer")->isActive());
        QVERIFY(dialog->isVisible());
    }
};

QTEST_MAIN(PrinterDialogWindowTest)
#include "PrinterDialogWindowTest.moc"

// Window tests of the main window, driven headless with Qt Test in a scratch program folder.
#include "ProgramFolderLinks.h"
#include "TestFolder.h"
#include "WindowTestHelpers.h"
#include "analysis/OrbSettings.h"
#include "chart/ChartState.h"
#include "graphics/ChartSheets.h"
#include "platform/Cp1252.h"
#include "platform/DocumentOpener.h"
#include "platform/ErrorBox.h"
#include "platform/TextFile.h"
#include "remedies/windows/UnAggRep.h"
#include "remedies/windows/UnMainArc.h"
#include "shell/Personalisation.h"
#include "shell/ProgramWindows.h"
#include "shell/UnOrvex.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QToolButton>
#include <QtTest>

#include <filesystem>
#include <memory>

namespace {

namespace fs = std::filesystem;
using exo::test::ScratchFolder;

// The current subject, the correction tables and the chart settings of the built program
// folder, in a folder of the test's own.
void PrepareProgramFolder(const ScratchFolder& folder) {
    const fs::path built(EXORVEX_PROGRAM_DIR);
    fs::create_directory_symlink(built / "FilePosi", folder.path() / "FilePosi");
    for (const char* name : {"TMPR.ST1", "TMPR.ST2"})
        fs::copy_file(built / name, folder.path() / name);
    fs::create_directories(folder.path() / "FileDum");
    fs::create_directories(folder.path() / "FileSet");
    fs::create_directories(folder.path() / "FileTmp");
    for (const char* name : {"Annotaz.dum", "MMordina.dum"})
        fs::copy_file(built / "FileDum" / name, folder.path() / "FileDum" / name);
    exo::WriteTextLines(exo::kOrbSettingsFile, exo::DefaultOrbSettingsLines());
    exo::WriteTextLines(exo::kOrbSetFile, exo::DefaultOrbSetLines());
    exo::ClearChartState();
    exo::LoadOrbSettings();
}

std::string Line(const char* file, std::size_t number) {
    return exo::ReadTextLines(file).at(number - 1);
}

using exo::test::Child;
using exo::test::WhenModal;

// Closes the next modal dialog when it appears.
void CloseNextModal(bool* closed) {
    WhenModal([closed](QWidget* modal) {
        qobject_cast<QDialog*>(modal)->reject();
        *closed = true;
    });
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ScratchFolder> folder_;
    exo::ProgramWindows windows_;
    std::unique_ptr<exo::TFoOrvex> main_;
    QStringList errors_; // what the standard error box would have shown

    void showMain() {
        windows_ = exo::CreateProgramWindows();
        main_.reset(windows_.FoOrvex);
        main_->show();
        QVERIFY(QTest::qWaitForWindowActive(main_.get()));
    }

    QWidget* window(const char* name) const {
        for (QWidget* w : windows_.creationOrder)
            if (w->objectName() == QLatin1String(name))
                return w;
        qFatal("no window %s", name);
    }

  private slots:
    void init() {
        folder_ = std::make_unique<ScratchFolder>();
        PrepareProgramFolder(*folder_);
        exo::SetDocumentOpener([](const QString&) { return true; });
        errors_.clear();
        exo::SetErrorPresenter([this](const QString& text) { errors_ << text; });
    }
    void cleanup() {
        main_.reset();
        folder_.reset();
    }

    void captionAndFixedClientSize() {
        showMain();
        for (const char* picture : {"Image1", "Image3", "Image9"})
            QVERIFY2(!Child<QLabel>(main_.get(), picture)->pixmap().isNull(), picture);
        QCOMPARE(main_->windowTitle(), QStringLiteral("Calyxa Esp Professional LUMENTA"));
        QCOMPARE(main_->size(), QSize(636, 453));
        // A single border: the window cannot be resized.
        QCOMPARE(main_->minimumSize(), main_->maximumSize());
    }

    void windowsAreCreatedInTheirOrder() {
        showMain();
        QStringList names;
        for (QWidget* window : windows_.creationOrder)
            names << window->objectName();
        QCOMPARE(names.join(QLatin1Char(' ')),
                 QStringLiteral(
                     "FoOrvex FoNomUte FormRich FgrNaSpa FoMetGra FoPrint FoOrbSpa FoInputSpa "
                     "FormRegSpa FoCancel FoReMai1 FgrTxtSpa FoSpeLin FoStampa FoTerapi "
                     "FoSintom2 FoSintom3 FoModifi FoManut1 FoMainArc FoAggRep FoAggiorna "
                     "FoReMaiH FoSegnat FoUtilit FoPrinci FoPiante FoMali FoSintesi FgrOrvex "
                     "FoIstDef"));
        // The full-screen windows are laid over the screen and hidden.
        QVERIFY(!windows_.creationOrder[3]->isVisible());
    }

    void activationShowsTheCurrentSubject() {
        showMain();
        const QString panel = Child<QPlainTextEdit>(main_.get(), "MemoDati")->toPlainText();
        QCOMPARE(panel.split(QLatin1Char('\n')).size(), 6);
        QVERIFY(exo::GlobalChart().JulianDay > 2400000);
        // A first start creates the personalisation and the display settings; the button
        // keeps its caption until a name is read.
        QCOMPARE(Child<QPushButton>(main_.get(), "BitBtnNomeCognome")->text(),
                 QStringLiteral("Nombre y Apellidos"));
        QCOMPARE(exo::ReadTextLines(exo::kPersonalFile),
                 (std::vector<std::string>{"Nome", "Cognome"}));
        QCOMPARE(exo::ReadTextLines("FileSet\\MMVarLas.stt").size(), std::size_t(8));
    }

    void activationAfterAModalDialogRecomputesAndLocks() {
        showMain();
        auto* lock = Child<QToolButton>(main_.get(), "BBlk");
        auto* orb = Child<QComboBox>(main_.get(), "ComboOrb");
        auto* node = Child<QComboBox>(main_.get(), "ComboNodo");
        QVERIFY(!orb->isEnabled() && !node->isEnabled());
        const QImage shut = lock->icon().pixmap(22).toImage();
        QVERIFY(!shut.isNull());
        lock->click();
        QVERIFY(orb->isEnabled() && node->isEnabled());
        QVERIFY(lock->icon().pixmap(22).toImage() != shut);

        exo::WriteTextLines(exo::kPersonalFile, {"Ana", "Ruiz"});
        exo::GlobalChart().JulianDay = 0;
        bool closed = false;
        CloseNextModal(&closed);
        Child<QPushButton>(main_.get(), "BBistruz")->click();
        QVERIFY(closed);
        QTRY_VERIFY(exo::GlobalChart().JulianDay > 2400000);
        QCOMPARE(Child<QPushButton>(main_.get(), "BitBtnNomeCognome")->text(),
                 QStringLiteral("Ana Ruiz"));
        QVERIFY(!orb->isEnabled() && !node->isEnabled());
    }

    void personalisationCaption_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("caption");
        QTest::newRow("both") << "José"
                              << "Núñez"
                              << "José Núñez";
        QTest::newRow("both empty") << ""
                                    << ""
                                    << " ";
        QTest::newRow("no surname") << "Ana"
                                    << ""
                                    << "Ana ";
    }
    void personalisationCaption() {
        QFETCH(QString, first);
        QFETCH(QString, last);
        QFETCH(QString, caption);
        showMain();
        auto* dialog = qobject_cast<QDialog*>(windows_.creationOrder[1]);
        WhenModal([&](QWidget*) {
            Child<QLineEdit>(dialog, "EditNome")->setText(first);
            Child<QLineEdit>(dialog, "EditCognome")->setText(last);
            Child<QPushButton>(dialog, "BitBtnOk")->click();
        });
        Child<QPushButton>(main_.get(), "BitBtnNomeCognome")->click();
        QCOMPARE(Child<QPushButton>(main_.get(), "BitBtnNomeCognome")->text(), caption);
        QCOMPARE(exo::ReadTextLines(exo::kPersonalFile),
                 (std::vector<std::string>{exo::Cp1252FromQString(first),
                                           exo::Cp1252FromQString(last)}));
    }

    void missingBaseArchiveIsCreatedWithItsPlaceholders() {
        showMain();
        std::string key(44, '\0');
        const std::string keyText = "0 Registro vuoto......................00000";
        key[0] = static_cast<char>(keyText.size());
        key.replace(1, keyText.size(), keyText);
        QCOMPARE(folder_->read("BASE.ST1"), key);

        std::string subject(385, '\0');
        for (int offset : {0, 21, 61, 64, 85, 158, 219, 344, 366}) {
            subject[offset] = 1;
            subject[offset + 1] = ' ';
        }
        subject[379] = 5;
        subject.replace(380, 5, "     ");
        QCOMPARE(folder_->read("BASE.ST2"), subject);

        std::string notes(284, '\0');
        for (int offset : {0, 71, 142, 213}) {
            notes[offset] = 1;
            notes[offset + 1] = ' ';
        }
        QCOMPARE(folder_->read("BASE.ST3"), notes);
    }

    void oldBackupFolderIsReplaced_data() {
        QTest::addColumn<QString>("line6");
        QTest::addColumn<QString>("after");
        QTest::newRow("as last folder") << "/media/usb/Ex6Backup"
                                        << "Da definire";
        QTest::newRow("alone") << "Ex6Backup"
                               << "Da definire";
        QTest::newRow("other folder") << "/media/usb/ExorvexBck"
                                      << "/media/usb/ExorvexBck";
    }
    void oldBackupFolderIsReplaced() {
        QFETCH(QString, line6);
        QFETCH(QString, after);
        exo::WriteTextLines("FileSet\\MMVarLas.stt",
                            {"1", "0", "0", "1", " 1.00000000000000E+0000", line6.toStdString(),
                             " 1.00000000000000E+0000", " 1.00000000000000E+0000"});
        showMain();
        QCOMPARE(QString::fromStdString(Line("FileSet\\MMVarLas.stt", 6)), after);
        QCOMPARE(exo::ReadTextLines("FileSet\\MMVarLas.stt").size(), std::size_t(8));
    }

    void nodeKindTypedIsCheckedWhenIdle_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("true node") << "VERO"
                                   << "VERO";
        QTest::newRow("mean node") << "MEDIO"
                                   << "MEDIO";
        QTest::newRow("neither") << "VER"
                                 << "MEDIO";
        QTest::newRow("lower case") << "vero"
                                    << "MEDIO";
    }
    void nodeKindTypedIsCheckedWhenIdle() {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        showMain();
        Child<QToolButton>(main_.get(), "BBlk")->click();
        auto* node = Child<QComboBox>(main_.get(), "ComboNodo");
        node->lineEdit()->clear();
        QTest::keyClicks(node->lineEdit(), typed);
        QTRY_COMPARE(node->currentText(), kept);
        QTRY_COMPARE(QString::fromStdString(Line(exo::kOrbSettingsFile, 18)), kept);
        QCOMPARE(QString::fromStdString(exo::GlobalChart().NodeKind.str()), kept);
    }

    void doubleClickCyclesTheNodeKind() {
        showMain();
        Child<QToolButton>(main_.get(), "BBlk")->click();
        auto* node = Child<QComboBox>(main_.get(), "ComboNodo");
        const struct {
            const char* before;
            const char* after;
        } cases[] = {{"MEDIO", "VERO"}, {"VERO", "MEDIO"}, {"XX", "VERO"}};
        for (const auto& c : cases) {
            exo::GlobalChart().NodeKind = c.before;
            QTest::mouseDClick(node->lineEdit(), Qt::LeftButton);
            QCOMPARE(node->currentText(), QString::fromLatin1(c.after));
            QTRY_COMPARE(Line(exo::kOrbSettingsFile, 18), std::string(c.after));
        }
    }

    void choosingAnOrbSetRewritesBothFiles() {
        showMain();
        Child<QToolButton>(main_.get(), "BBlk")->click();
        auto* orb = Child<QComboBox>(main_.get(), "ComboOrb");
        orb->setCurrentIndex(1); // "B (personali)"
        QTRY_COMPARE(Line(exo::kOrbSettingsFile, 19), std::string("B"));
        QCOMPARE(Line(exo::kOrbSetFile, 49), std::string("B"));
        const std::vector<std::string> set = exo::ReadTextLines(exo::kOrbSetFile);
        const std::vector<std::string> active = exo::ReadTextLines(exo::kOrbSettingsFile);
        for (int line = 0; line < 16; ++line)
            QCOMPARE(active[line], set[16 + line]);
        QCOMPARE(exo::GlobalOrbSettings().ActiveOrbs[exo::Cong], 10.0L);
        QCOMPARE(exo::GlobalOrbSettings().ActiveOrbs[exo::Oppo], 8.0L);
        QCOMPARE(orb->currentText(), QStringLiteral("B (personali)"));

        // A text that names no set selects set A.
        orb->lineEdit()->selectAll();
        QTest::keyClicks(orb->lineEdit(), QStringLiteral("D"));
        QTRY_COMPARE(Line(exo::kOrbSettingsFile, 19), std::string("A"));
        QCOMPARE(orb->currentText(), QStringLiteral("A (normali)"));
    }

    void missingOrbSetFileAbandonsTheChange() {
        showMain();
        const std::string before = folder_->read("FileSet/OrbiDomi.stt");
        fs::remove(folder_->path() / "FileDum" / "MMVarOrb.dum");
        Child<QToolButton>(main_.get(), "BBlk")->click();
        auto text = std::make_shared<QString>();
        WhenModal([text](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            *text = box->text();
            box->accept();
        });
        Child<QComboBox>(main_.get(), "ComboOrb")->setCurrentIndex(2);
        QTRY_COMPARE(*text, QStringLiteral("Manca File \"MMVarOrb.dum\""));
        QCOMPARE(folder_->read("FileSet/OrbiDomi.stt"), before);
    }

    void accessBoxWords() {
        showMain();
        auto* box = Child<exo::AccessBox>(main_.get(), "EdPass");
        auto* pass = Child<QToolButton>(main_.get(), "SBpass");
        auto* utility = Child(main_.get(), "BButility");
        auto* mirelo = Child(main_.get(), "Bmirel1");
        QWidget* mainArc = windows_.FoMainArc;
        QVERIFY(!box->isVisible());
        pass->click();
        QVERIFY(box->isVisible());

        // A wrong key in between blocks the word until the box is cleared.
        QTest::keyClicks(box, QStringLiteral("X") + exo::TFoOrvex::kAdministratorWord.toLower());
        QCOMPARE(box->text(), QString(10, QLatin1Char('*')));
        QVERIFY(!main_->adminMode());
        QTest::mouseDClick(box, Qt::LeftButton);
        QCOMPARE(box->keys(), QString());
        pass->click();
        QTest::keyClicks(box, exo::TFoOrvex::kAdministratorWord.toLower());
        QVERIFY(main_->adminMode());
        QVERIFY(!box->isVisible());
        QCOMPARE(box->text(), QStringLiteral("OK"));
        QVERIFY(utility->isVisibleTo(utility->parentWidget()));
        QVERIFY(Child(mainArc, "BBsalva")->isVisibleTo(mainArc));
        QVERIFY(Child(windows_.FoAggRep, "EdTrova")->isVisibleTo(windows_.FoAggRep));

        // A single click hides and clears the box and some of the editing controls.
        pass->click();
        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(!box->isVisible());
        QCOMPARE(box->text(), QString());
        QVERIFY(!Child(mainArc, "BBsalva")->isVisibleTo(mainArc));
        QVERIFY(Child(mainArc, "BBtrova")->isVisibleTo(mainArc));
        QVERIFY(main_->adminMode());

        QVERIFY(!mirelo->isVisibleTo(mirelo->parentWidget()));
        pass->click();
        QTest::keyClicks(box, exo::TFoOrvex::kExpertWord);
        QVERIFY(main_->expertMode());
        QVERIFY(mirelo->isVisibleTo(mirelo->parentWidget()));
        QVERIFY(!box->isVisible());
    }

    void notesMemoIsShownAndHiddenByClicks() {
        showMain();
        auto* data = Child<QPlainTextEdit>(main_.get(), "MemoDati");
        auto* notes = Child<QPlainTextEdit>(main_.get(), "MemoAnnotaz");
        QVERIFY(!notes->isVisible());
        QTest::mouseClick(data->viewport(), Qt::LeftButton);
        QVERIFY(notes->isVisible());
        QTest::mouseClick(notes->viewport(), Qt::LeftButton);
        QVERIFY(!notes->isVisible());
    }

    void laterFunctionsAreDisabled() {
        showMain();
        for (const char* name : {"BBProped", "BitBtn2", "EdAggiorna"})
            QVERIFY2(!Child(main_.get(), name)->isEnabled(), name);
        for (const char* name :
             {"BitBtnVarOrbAsp", "BitBtnNomeCognome", "BBistruz", "BBdispensa", "BitBtnInputA",
              "BitBtnDati", "BitBtnCancel", "BitBtn1", "BBSalva", "BBOriz", "BBoriz2", "BBVert",
              "BBvert2", "BBCerchio", "BitBtn22", "SBtipoStamp"})
            QVERIFY2(Child(main_.get(), name)->isEnabled(), name);
    }

    // Each sheet button recomputes the chart and shows the natal chart window with its
    // layout, orientation and the natal wheel; the latitudes are kept for the window.
    void sheetButtonsOpenTheNatalChartWindow() {
        exo::test::FurnishFromBuiltProgram(folder_->path());
        showMain();
        const struct {
            const char* button;
            std::int32_t layout;
            const char* orientation;
        } cases[] = {
            {"BBOriz", 16, "L"}, {"BBoriz2", 17, "L"}, {"BBVert", 5, "P"}, {"BBvert2", 18, "P"}};
        for (const auto& c : cases) {
            exo::GlobalNatalSheet().Geometry.CentreX = 1;
            exo::GlobalChart().SavedLatitude = {};
            Child<QPushButton>(main_.get(), c.button)->click();
            QWidget* chartWindow = window("FgrNaSpa");
            QVERIFY2(chartWindow->isVisible(), c.button);
            QCOMPARE(exo::GlobalNatalSheet().SummaryLayout, c.layout);
            QCOMPARE(exo::GlobalNatalSheet().SummaryOrientation, std::string(c.orientation));
            QCOMPARE(exo::GlobalNatalSheet().Geometry.CentreX, exo::kNatalWheelGeometry.CentreX);
            QVERIFY(exo::GlobalChart().SavedLatitude == exo::GlobalChart().ChartLatitude);
            QVERIFY(exo::GlobalChart().ChartLatitude[2] != 0); // the Moon's latitude
            chartWindow->close();
        }
        QVERIFY2(errors_.isEmpty(), qPrintable(errors_.join(QLatin1Char('\n'))));
    }

    // The calibration window opens on layout 0; the printer labels open the printer dialog.
    void accessoryButtonsOpenTheirWindows() {
        exo::test::FurnishFromBuiltProgram(folder_->path());
        showMain();
        Child<QPushButton>(main_.get(), "BBCerchio")->click();
        QCOMPARE(exo::GlobalNatalSheet().SummaryLayout, 0);
        QWidget* calibration = window("FgrTxtSpa");
        QVERIFY(calibration->isVisible());
        calibration->close();
        for (const char* opener : {"BitBtn22", "SBtipoStamp", "Label34", "Label35"}) {
            QString shown;
            WhenModal([&](QWidget* modal) {
                shown = modal->objectName();
                qobject_cast<QDialog*>(modal)->reject();
            });
            QWidget* control = Child(main_.get(), opener);
            if (qobject_cast<QLabel*>(control))
                QTest::mouseClick(control, Qt::LeftButton);
            else
                QMetaObject::invokeMethod(control, "click");
            QTRY_VERIFY2(!shown.isEmpty(), opener);
            QCOMPARE(shown, QString::fromLatin1(
                                std::string_view(opener) == "BitBtn22" ? "FoSpeLin" : "FoStampa"));
        }
    }

    // A new subject entered through "Int. Datos Nacimiento" and stored into BASE becomes the
    // current subject the main window shows.
    void newSubjectIsStoredAndShown() {
        const fs::path built(EXORVEX_PROGRAM_DIR);
        for (const char* folder : {"Localita", "Calendar"})
            fs::create_directory_symlink(built / folder, folder_->path() / folder);
        showMain();
        bool stored = false;
        WhenModal([&](QWidget* input) {
            Child<QLineEdit>(input, "EditSogg")->setText(QStringLiteral("ROSSI MARIO"));
            Child<QLineEdit>(input, "EditGiorno")->setText(QStringLiteral("01"));
            Child<QLineEdit>(input, "EditMese")->setText(QStringLiteral("01"));
            Child<QLineEdit>(input, "EditAnno")->setText(QStringLiteral("1960"));
            Child<QLineEdit>(input, "EditOra")->setText(QStringLiteral("10"));
            Child<QLineEdit>(input, "EditMinuti")->setText(QStringLiteral("30"));
            auto* locality = Child<QLineEdit>(input, "EditLocal");
            QTest::mouseClick(locality, Qt::LeftButton);
            QTest::keyClicks(locality, QStringLiteral("MIL"));
            auto* list = Child<QListWidget>(input, "ListBox1");
            const auto lines =
                list->findItems(QStringLiteral("MILANO *MI* ITALIA"), Qt::MatchExactly);
            if (lines.isEmpty()) {
                qobject_cast<QDialog*>(input)->reject();
                return;
            }
            const QPoint at = list->visualItemRect(lines.first()).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
            auto* correction = Child<QLineEdit>(input, "EditFuso");
            if (!QTest::qWaitFor([&] { return correction->text() == QLatin1String("-1"); })) {
                qobject_cast<QDialog*>(input)->reject();
                return;
            }
            WhenModal([&](QWidget* store) {
                Child<QPushButton>(store, "BitBtnRegistra")->click();
                stored = true;
            });
            Child<QPushButton>(input, "BBprosegui")->click();
        });
        Child<QPushButton>(main_.get(), "BitBtnInputA")->click();
        QCOMPARE(errors_, QStringList());
        QVERIFY(stored);
        const auto* data = Child<QPlainTextEdit>(main_.get(), "MemoDati");
        // The name fills its 38 characters, as the archive key holds it.
        QTRY_VERIFY2(data->toPlainText().startsWith(QStringLiteral("ROSSI MARIO ")),
                     qPrintable(data->toPlainText()));
        const QStringList lines = data->toPlainText().split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 6);
        QVERIFY2(lines[1].contains(QStringLiteral("01/01/1960 10:30")), qPrintable(lines[1]));
        QCOMPARE(lines[2], QStringLiteral("Località: MILANO (MI)"));
        QVERIFY2(lines[4].contains(QStringLiteral("45N28-009E11")), qPrintable(lines[4]));
        QCOMPARE(folder_->read("TMPR.ST1").substr(1, 11), std::string("ROSSI MARIO"));
        QCOMPARE(folder_->read("BASE.ST1").size(), std::size_t(2 * 44));
    }

    // The stored subject's text, created from the modify form, is written in the report
    // editor and saved there; deleting the subject removes it again.
    void subjectTextIsWrittenInTheEditor() {
        newSubjectIsStoredAndShown();
        bool saved = false;
        WhenModal([&](QWidget* modify) {
            auto* list = Child<QListWidget>(modify, "ListaNomi");
            QTRY_VERIFY(list->count() > 0);
            const QPoint at = list->visualItemRect(list->item(0)).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
            WhenModal([&](QWidget* editor) {
                auto* text = Child<QTextEdit>(editor, "Editor");
                text->moveCursor(QTextCursor::End);
                QTest::keyClicks(text, QStringLiteral(" nacido en Milano"));
                editor->findChild<QAction*>(QStringLiteral("FileSaveCmd"))->trigger();
                saved = true;
                editor->close();
            });
            Child<QPushButton>(modify, "BBtesto")->click();
            qobject_cast<QDialog*>(modify)->reject();
        });
        Child<QPushButton>(main_.get(), "BitBtn1")->click();
        QVERIFY(saved);
        QCOMPARE(errors_, QStringList());
        QVERIFY(folder_->read("BASEtxt/00001.txt").find("naci") != std::string::npos);
    }

    void documentsAreOpenedByName() {
        QStringList opened;
        exo::SetDocumentOpener([&opened](const QString& name) {
            opened << name;
            return true;
        });
        showMain();
        Child<QPushButton>(main_.get(), "BBdispensa")->click();
        // The instructions: the short ones unless the extended ones are chosen.
        for (const char* choice : {"", "RB2"}) {
            WhenModal([&](QWidget* dialog) {
                if (*choice)
                    Child<QAbstractButton>(dialog, choice)->click();
                Child<QPushButton>(dialog, "BitBtn1")->click();
            });
            Child<QPushButton>(main_.get(), "BBistruz")->click();
        }
        QCOMPARE(opened,
                 (QStringList{QStringLiteral("Dispensa.pdf"), QStringLiteral("Istruzioni_J.pdf"),
                              QStringLiteral("Istruzioni.pdf")}));

        // The subject's text, named for the editor in FileDum\DatModif.dum.
        opened.clear();
        exo::WriteTextLines("FileDum\\StrText.dum", {"BASE", "00007"});
        folder_->write("BASEtxt/00007.txt", "ROSSI\r\n");
        QVERIFY(QTest::qWaitForWindowActive(main_.get()));
        auto* text = Child<QPushButton>(main_.get(), "BBApriTesto");
        main_->hide();
        main_->show();
        QTRY_VERIFY(text->isVisible());
        text->click();
        QCOMPARE(exo::ReadTextLines("FileDum\\DatModif.dum"),
                 (std::vector<std::string>{"BASEtxt/00007.txt"}));
        // The text opens in the program's own editor.
        QVERIFY(opened.isEmpty());
        QWidget* editor = windows_.creationOrder[22];
        QCOMPARE(editor->objectName(), QStringLiteral("FoReMaiH"));
        QTRY_VERIFY(editor->isVisible());
        QVERIFY(
            Child<QTextEdit>(editor, "Editor")->toPlainText().startsWith(QStringLiteral("ROSSI")));
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"

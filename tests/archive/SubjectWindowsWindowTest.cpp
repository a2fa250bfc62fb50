// Window tests of the store, retrieve, delete and modify forms, driven headless with Qt Test
// in a scratch program folder holding a fresh BASE, the current subject, the archive list
// and the correction tables of the built program folder.
#include "TestFolder.h"
#include "archive/SubjectArchive.h"
#include "archive/windows/UnCancel.h"
#include "archive/windows/UnModifi.h"
#include "archive/windows/UnitRegSpa.h"
#include "archive/windows/UnitRich.h"
#include "astro/Calendar.h"
#include "astro/CorrectionFiles.h"
#include "astro/TextHelpers.h"
#include "platform/Cp1252.h"
#include "platform/ErrorBox.h"
#include "platform/NumberText.h"
#include "platform/TextFile.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

#include <filesystem>
#include <functional>
#include <memory>

using namespace exo;
namespace fs = std::filesystem;

namespace {

template <typename T = QWidget> T* Child(QWidget* window, const char* name) {
    T* child = window->findChild<T*>(QString::fromLatin1(name));
    if (!child)
        qFatal("no control %s", name);
    return child;
}

struct Answer {
    QString text;
    QString caption;
    bool came = false;
};

// Runs `action`; the first message box it opens is answered with the button `button` and
// its text and caption kept. No box: `came` stays false.
Answer Answered(const std::function<void()>& action, const QString& button = "OK") {
    Answer answer;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible())
            return;
        poll.stop();
        answer.came = true;
        answer.text = box->text();
        answer.caption = box->windowTitle();
        for (QAbstractButton* b : box->buttons())
            if (b->text() == button)
                b->click();
        if (box->isVisible()) {
            answer.text += " (no button " + button + ")";
            box->done(0);
        }
    });
    poll.start();
    action();
    poll.stop();
    return answer;
}

std::vector<std::string> Keys(const std::string& archive) {
    const SubjectArchive open(archive);
    std::vector<std::string> keys;
    for (std::int64_t p = 1; p <= open.count(); ++p)
        keys.push_back(open.readKey(p).Key.str());
    return keys;
}

SubjectEntry Milanese(const std::string& name, long double correction = -1) {
    SubjectEntry entry;
    entry.Name = name;
    entry.BirthDateText = "01/01/1960 10:30";
    entry.Correction = correction;
    entry.CorrectionText = StoredCorrectionText(correction);
    entry.CoordinatesText = "45N28-009E11";
    entry.Locality = "MILANO*MI*";
    entry.Country = "ITALIA";
    entry.JulianDay = JulianDayOf(1, 30, 10, 1960, 1, 1) + correction / 24;
    return entry;
}

CollectedSubject Rossi() {
    CollectedSubject s;
    s.Name = "ROSSI MARIO";
    s.Year = 1960;
    s.Month = 1;
    s.Day = 1;
    s.Hour = 10;
    s.Minute = 30;
    s.BirthDateText = "01/01/1960 10:30";
    s.Locality = "MILANO";
    s.CoordinatesText = "45N28-009E11";
    s.GmtText = "+1"; // correction −1
    s.Country = "ITALIA";
    s.Gregorian = true;
    s.JulianDay = JulianDayOf(1, 30, 10, 1960, 1, 1) - 1.0L / 24;
    return s;
}

QString Text(const QLineEdit* edit) {
    return edit->text();
}

void Type(QLineEdit* edit, const QString& text) {
    edit->setText(text);
}

} // namespace

class SubjectWindowsWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::ScratchFolder> folder_;
    QStringList errors_;
    int editorShown_ = 0;

    // A form shown as the program shows it: modal over everything else.
    template <class Form> std::unique_ptr<Form> Show() {
        auto form = std::make_unique<Form>();
        form->setModal(true);
        form->show();
        if (!QTest::qWaitForWindowExposed(form.get()))
            qFatal("form not shown");
        return form;
    }

    std::string Bytes(const char* file) const { return folder_->read(file); }

    static void StoreNames(const std::string& archive, const std::vector<std::string>& names) {
        std::vector<SubjectEntry> entries;
        for (const std::string& name : names)
            entries.push_back(Milanese(name));
        StoreSubjects(archive, entries);
    }

    // Double-clicks the list line of a key.
    static void DoubleClickLine(QWidget* form, int line) {
        auto* list = Child<QListWidget>(form, "ListaNomi");
        QListWidgetItem* item = list->item(line);
        QVERIFY(item != nullptr);
        const QRect box = list->visualItemRect(item);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, box.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, box.center());
    }

    static QStringList Lines(QListWidget* list) {
        QStringList lines;
        for (int i = 0; i < list->count(); ++i)
            lines << list->item(i)->text();
        return lines;
    }

    static QString KeyText(const std::string& name, int number) {
        return QStringFromCp1252(KeyOf(name, number));
    }

    // The modify form with ROSSI MARIO chosen and shown in the data panel.
    std::unique_ptr<TFoModifi> ModifyRossi() {
        StoreSubject("BASE", Milanese("ROSSI MARIO"));
        auto form = Show<TFoModifi>();
        DoubleClickLine(form.get(), 0);
        if (!Child<QWidget>(form.get(), "GroupBoxDati")->isVisible())
            qFatal("data panel not shown");
        return form;
    }

  private slots:
    void init() {
        folder_ = std::make_unique<test::ScratchFolder>();
        const fs::path tables = fs::path(EXORVEX_PROGRAM_DIR) / "FilePosi";
        if (!fs::exists(tables / "DSEL.rnd"))
            QSKIP("the correction tables of the built program folder are missing");
        fs::create_directory_symlink(tables, folder_->path() / "FilePosi");
        ForgetCorrectionFiles();
        folder_->write("FileDum/MMordina.dum", "");
        CreateArchive("TMPR");
        EnsureBaseArchive();
        errors_.clear();
        SetErrorPresenter([this](const QString& text) { errors_ << text; });
        editorShown_ = 0;
        SetSubjectTextEditor([this](QWidget*) { ++editorShown_; });
    }

    void cleanup() {
        QVERIFY2(errors_.isEmpty(), qPrintable(errors_.join(" | ")));
        SetErrorPresenter({});
        SetSubjectTextEditor({});
        folder_.reset();
    }

    // ---- Store form ------------------------------------------------------------------

    void storeFormShowsTheCollectedSubject() {
        TFormRegSpa form;
        form.setCollectedSubject(Rossi());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(Text(Child<QLineEdit>(&form, "EditNomeSogg")), QString("ROSSI MARIO"));
        QCOMPARE(Text(Child<QLineEdit>(&form, "EditDataNasc")), QString("01/01/1960 10:30"));
        QCOMPARE(Text(Child<QLineEdit>(&form, "EditGmt")), QString("+1"));
        QCOMPARE(Text(Child<QLineEdit>(&form, "EditCalend")), QString("GREGORIANO"));
        QCOMPARE(Text(Child<QLineEdit>(&form, "EditCoord")), QString("45N28-009E11"));
        QCOMPARE(Text(Child<QLineEdit>(&form, "EditLocalita")), QString("MILANO"));
        QCOMPARE(Text(Child<QLineEdit>(&form, "EditStato")), QString("ITALIA"));
        // The local day, the correction left out, cut to 12 characters.
        QCOMPARE(Text(Child<QLineEdit>(&form, "EditJd")),
                 QString::fromStdString(GeneralText(JulianDayOf(1, 30, 10, 1960, 1, 1))).left(12));
        QCOMPARE(Text(Child<QLineEdit>(&form, "EditArchi")), QString("BASE"));
        // The store form lists the temporary archive too, under its label.
        QCOMPARE(Lines(Child<QListWidget>(&form, "ListBox1")),
                 QStringList({"BASE (personale)", "TMPR (temporaneo)"}));
    }

    void aBareSignIsZeroHours() {
        CollectedSubject greenwich = Rossi();
        greenwich.GmtText = "-";
        TFormRegSpa form;
        form.setCollectedSubject(greenwich);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(Text(Child<QLineEdit>(&form, "EditGmt")), QString("-0"));
        Child<QPushButton>(&form, "BitBtnRegistra")->click();
        QCOMPARE(SubjectArchive("BASE").readSubject(1).Record.BirthStamp.str(),
                 std::string("196001011030+0"));
    }

    void storeRossiIntoBase() {
        TFormRegSpa form;
        bool stored = false;
        QTimer::singleShot(0, [&] {
            QTest::keyClicks(Child<QLineEdit>(&form, "EditMemo1"), "nato a milano");
            QTest::keyClicks(Child<QLineEdit>(&form, "EditMemo2"), "secondo");
            Child<QPushButton>(&form, "BitBtnRegistra")->click();
        });
        stored = form.RegisterSubject(Rossi());
        QVERIFY(stored);
        QVERIFY(!form.isVisible());

        QCOMPARE(Keys("BASE"), std::vector<std::string>{KeyOf("ROSSI MARIO", 1)});
        const SubjectArchive base("BASE");
        const SubjectArchive::Read read = base.readSubject(1);
        QCOMPARE(read.Record.BirthStamp.str(), std::string("196001011030-1"));
        QCOMPARE(read.Record.Place.str(), std::string("45N28-009E11MILANO"));
        QCOMPARE(read.Record.Calendar.str(), std::string("GR"));
        QVERIFY(read.Notes.has_value());
        QCOMPARE(read.Notes->Lines[0].str(), std::string("NATO A MILANO"));
        QCOMPARE(read.Notes->Lines[1].str(), std::string("SECONDO"));
        // The subject is the current one, and the main window's notes are its own.
        QCOMPARE(SubjectKey::decode(Bytes("TMPR.ST1").data()).Key.str(), KeyOf("ROSSI MARIO", 1));
        QCOMPARE(ReadTextLines("FileDum\\Annotaz.dum").at(0).substr(0, 23),
                 std::string("NATO A MILANO SECONDO  "));
        QCOMPARE(ReadTextLines("FileDum\\MMDatArc.dum"),
                 (std::vector<std::string>{"BASE", KeyOf("ROSSI MARIO", 1), "1", "ROSSI MARIO"}));
        QCOMPARE(ReadTextLines("FileDum\\MMordina.dum"), std::vector<std::string>{"BASE"});
    }

    void noteLinesMoveWithTheKeys() {
        TFormRegSpa form;
        form.setCollectedSubject(Rossi());
        form.show();
        form.activateWindow();
        if (!QTest::qWaitForWindowActive(&form))
            QSKIP("the window system gives no activation");
        std::array<QLineEdit*, 4> lines{};
        for (int i = 0; i < 4; ++i)
            lines[static_cast<std::size_t>(i)] =
                Child<QLineEdit>(&form, ("EditMemo" + std::to_string(i + 1)).c_str());
        QTRY_COMPARE(QApplication::focusWidget(), lines[0]);
        QTest::keyClick(lines[0], Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), lines[1]);
        QTest::keyClick(lines[1], Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), lines[2]);
        QTest::keyClick(lines[2], Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), lines[1]);
        QTest::keyClick(lines[1], Qt::Key_Down);
        QTest::keyClick(lines[2], Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), lines[3]);
        QTest::keyClick(lines[3], Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), Child<QWidget>(&form, "BitBtnRegistra"));
        QVERIFY(!form.stored());
    }

    void storeWithATextFile() {
        TFormRegSpa form;
        form.setCollectedSubject(Rossi());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        Child<QPushButton>(&form, "BBregText")->click();
        QVERIFY(form.stored());
        QCOMPARE(editorShown_, 1);
        QCOMPARE(ReadTextLines("BASEtxt\\00001.txt"), std::vector<std::string>{"ROSSI MARIO"});
        QCOMPARE(ReadTextLines("BASEtxt\\FlagTxt.set"), std::vector<std::string>{"2"});
        QCOMPARE(ReadTextLines("FileDum\\DatModif.dum"),
                 std::vector<std::string>{"BASEtxt\\00001.txt"});
        QCOMPARE(ReadTextLines("FileDum\\StrText.dum"),
                 (std::vector<std::string>{"BASE", "00001"}));
        const SubjectArchive::Read read = SubjectArchive("BASE").readSubject(1);
        QVERIFY(read.Notes.has_value());
        QCOMPARE(TextNumberOf(&*read.Notes), std::string("00001"));
    }

    void cancellingTheStoreFormStoresNothing() {
        const std::string before = Bytes("BASE.ST1") + Bytes("TMPR.ST1") + Bytes("TMPR.ST2");
        TFormRegSpa form;
        QTimer::singleShot(0, [&] { Child<QPushButton>(&form, "BBannulla")->click(); });
        QVERIFY(!form.RegisterSubject(Rossi()));
        QCOMPARE(Bytes("BASE.ST1") + Bytes("TMPR.ST1") + Bytes("TMPR.ST2"), before);
        QVERIFY(!fs::exists(folder_->path() / "FileDum" / "MMDatArc.dum"));
    }

    void storeIntoAChosenArchive() {
        CreateArchive("RICE");
        TFormRegSpa form;
        form.setCollectedSubject(Rossi());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto* list = Child<QListWidget>(&form, "ListBox1");
        QListWidgetItem* rice = list->findItems("RICE (speciale)", Qt::MatchExactly).value(0);
        QVERIFY(rice != nullptr);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(rice).center());
        QCOMPARE(Text(Child<QLineEdit>(&form, "EditArchi")), QString("RICE"));
        Child<QPushButton>(&form, "BitBtnRegistra")->click();
        QCOMPARE(Keys("RICE").size(), std::size_t(1));
        QVERIFY(Keys("BASE").empty());
    }

    // ---- Retrieve form ---------------------------------------------------------------

    void retrieveRossiByTypingRos() {
        SubjectEntry rossi = Milanese("ROSSI MARIO");
        rossi.NoteLines = {"  NOTA UNO  ", "", "NOTA TRE", ""};
        StoreSubjects("BASE", {Milanese("BIANCHI ANNA"), rossi, Milanese("VERDI LUCA")});
        auto form = Show<TFormRich>();
        auto* box = Child<QLineEdit>(form.get(), "EditSoggetto");
        QTest::keyClicks(box, "ros");
        QCOMPARE(box->text(), QString("ROS"));
        QCOMPARE(EditColour(box), kNameBoxAqua);
        // Three subjects: the list holds all of them; Enter takes the line that begins with
        // the letters, not a centre line that is not there.
        const Answer answer = Answered([&] { QTest::keyClick(box, Qt::Key_Return); });
        QVERIFY2(!answer.came, qPrintable(answer.text));
        QCOMPARE(Text(Child<QLineEdit>(form.get(), "EditNome")), QString("ROSSI MARIO"));
        QCOMPARE(Text(Child<QLineEdit>(form.get(), "EditData")), QString("01/01/1960 10:30"));
        QCOMPARE(Text(Child<QLineEdit>(form.get(), "EditCorr")), QString("-1"));
        QCOMPARE(Text(Child<QLineEdit>(form.get(), "EditCoord")), QString("45N28-009E11"));
        QCOMPARE(Text(Child<QLineEdit>(form.get(), "EditLocal")), QString("MILANO(MI)"));
        QCOMPARE(Text(Child<QLineEdit>(form.get(), "EditNaz")), QString("ITALIA"));
        QCOMPARE(Text(Child<QLineEdit>(form.get(), "EditCal")), QString("GREG"));
        QCOMPARE(Child<QPlainTextEdit>(form.get(), "MemoAnnotaz")->toPlainText(),
                 QString(" NOTA UNO  NOTA TRE "));
        QVERIFY(box->text().isEmpty());
        QCOMPARE(EditColour(box), kNameBoxAqua);
        QCOMPARE(ReadTextLines("FileDum\\PointGlo.dum"),
                 (std::vector<std::string>{"00002", "BASE"}));

        Child<QPushButton>(form.get(), "BitBtnOK")->click();
        QVERIFY(!form->isVisible());
        const std::string current = Bytes("TMPR.ST1");
        QCOMPARE(current.size(), SubjectKey::kSize);
        QCOMPARE(SubjectKey::decode(current.data()).Key.str(), PaddedName("ROSSI MARIO"));
        const SubjectRecord record = SubjectRecord::decode(Bytes("TMPR.ST2").data());
        QCOMPARE(record.Place.str(), std::string("45N28-009E11MILANO(MI)"));
        QCOMPARE(record.BirthStamp.str(), std::string("196001011030-1"));
        QCOMPARE(ReadTextLines("FileDum\\Annotaz.dum"),
                 std::vector<std::string>{" NOTA UNO  NOTA TRE "});
        QCOMPARE(ReadTextLines("FileDum\\StrText.dum"), (std::vector<std::string>{"BASE", ""}));
        QCOMPARE(ReadTextLines("FileDum\\MMDatArc.dum").at(1), KeyOf("ROSSI MARIO", 2));
        QCOMPARE(ReadTextLines("FileDum\\MMDatArc.dum").at(2), std::string("2"));
    }

    void enterInTheNameBoxOfASmallArchive_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("name");
        QTest::newRow("first line") << "BIA"
                                    << ""
                                    << "BIANCHI ANNA";
        QTest::newRow("last line") << "VER"
                                   << ""
                                   << "VERDI LUCA";
        QTest::newRow("no such name") << "ZZ"
                                      << "Haga doble clic en la lista Nombre"
                                      << "";
        QTest::newRow("between names") << "C"
                                       << "Haga doble clic en la lista Nombre"
                                       << "";
    }

    void enterInTheNameBoxOfASmallArchive() {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(QString, name);
        StoreNames("BASE", {"VERDI LUCA", "BIANCHI ANNA"});
        auto form = Show<TFormRich>();
        auto* box = Child<QLineEdit>(form.get(), "EditSoggetto");
        QTest::keyClicks(box, typed);
        const Answer answer = Answered([&] { QTest::keyClick(box, Qt::Key_Return); });
        QCOMPARE(answer.text, message);
        QCOMPARE(Text(Child<QLineEdit>(form.get(), "EditNome")), name);
        // A message leaves the form open.
        QVERIFY(form->isVisible());
    }

    void typingANameNoKeyBeginsWith() {
        StoreNames("BASE", {"BIANCHI ANNA", "ROMANO PIA", "VERDI LUCA"});
        auto form = Show<TFormRich>();
        auto* box = Child<QLineEdit>(form.get(), "EditSoggetto");
        QTest::keyClicks(box, "ROS");
        QCOMPARE(EditColour(box), kNameBoxRed);
        // The search ends on the last key below ROS.
        QCOMPARE(form->windowCentre(), 2);
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(box->text(), QString("RO"));
        QCOMPARE(EditColour(box), kNameBoxAqua);
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClick(box, Qt::Key_Backspace);
        QVERIFY(box->text().isEmpty());
        QCOMPARE(EditColour(box), kNameBoxAqua);
    }

    void theFirstLettersFindTheKeyThatContinuesThem() {
        std::vector<std::string> names;
        for (char c = 'A'; c < 'A' + 11; ++c)
            names.push_back(std::string(3, c));
        names.push_back("ROSSI MARIO");
        StoreNames("BASE", names);
        auto form = Show<TFormRich>();
        auto* box = Child<QLineEdit>(form.get(), "EditSoggetto");
        QTest::keyClicks(box, "ROS");
        QCOMPARE(EditColour(box), kNameBoxAqua);
        QCOMPARE(form->windowCentre(), 8); // ROSSI is the twelfth key, kept within 5 … 8
        QTest::keyClicks(box, "SI ");
        QCOMPARE(EditColour(box), kNameBoxAqua);
        QTest::keyClicks(box, "X");
        QCOMPARE(EditColour(box), kNameBoxRed);
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(box->text(), QString("ROSS"));
        // More than nine subjects: Enter takes the centre line when it begins with the letters.
        const Answer refused = Answered([&] { QTest::keyClick(box, Qt::Key_Return); });
        QCOMPARE(refused.text, QString("Haga doble clic en la lista Nombre"));
        for (int i = 0; i < 4; ++i)
            QTest::keyClick(box, Qt::Key_Backspace);
        QVERIFY(box->text().isEmpty());
        QTest::keyClicks(box, "HH");
        QCOMPARE(form->windowCentre(), 8);
        const Answer taken = Answered([&] { QTest::keyClick(box, Qt::Key_Return); });
        QVERIFY(!taken.came);
        QCOMPARE(Text(Child<QLineEdit>(form.get(), "EditNome")), QString("HHH"));
    }

    void theWindowOverTwelveSubjects() {
        std::vector<std::string> names;
        for (char c = 'A'; c < 'A' + 12; ++c)
            names.push_back(std::string(3, c));
        StoreNames("BASE", names);
        auto form = Show<TFormRich>();
        auto* list = Child<QListWidget>(form.get(), "ListaNomi");
        auto* bar = Child<QScrollBar>(form.get(), "ScrollBar1");
        QCOMPARE(form->windowCentre(), 5);
        QCOMPARE(list->count(), 9);
        QCOMPARE(list->item(0)->text(), KeyText("AAA", 1));
        QCOMPARE(bar->minimum(), 1);
        QCOMPARE(bar->maximum(), 12);

        // Line down stops at centre 8, where the last key is on the bottom line.
        for (int i = 0; i < 6; ++i)
            bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(form->windowCentre(), 8);
        QCOMPARE(bar->value(), 8);
        QCOMPARE(list->item(8)->text(), KeyText("LLL", 12));
        for (int i = 0; i < 6; ++i)
            bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
        QCOMPARE(form->windowCentre(), 5);
        // Pages need more room than twelve subjects give.
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QCOMPARE(form->windowCentre(), 5);
        // The thumb is kept within 5 … count − 4.
        bar->setSliderPosition(12);
        QCOMPARE(form->windowCentre(), 8);
        QCOMPARE(list->item(8)->text(), KeyText("LLL", 12));
        bar->setSliderPosition(1);
        QCOMPARE(form->windowCentre(), 5);

        // A name that sorts last centres the window at 8 as well.
        QTest::keyClicks(Child<QLineEdit>(form.get(), "EditSoggetto"), "LLL");
        QCOMPARE(form->windowCentre(), 8);
        QCOMPARE(list->item(8)->text(), KeyText("LLL", 12));
    }

    void pagesOverThirtySubjects() {
        std::vector<std::string> names;
        for (int i = 0; i < 30; ++i)
            names.push_back("N" + PadLeftZeros(i + 1, 2));
        StoreNames("BASE", names);
        auto form = Show<TFormRich>();
        auto* bar = Child<QScrollBar>(form.get(), "ScrollBar1");
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QCOMPARE(form->windowCentre(), 14);
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QCOMPARE(form->windowCentre(), 23);
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd); // 23 is not below 30 − 13
        QCOMPARE(form->windowCentre(), 23);
        bar->triggerAction(QAbstractSlider::SliderPageStepSub);
        QCOMPARE(form->windowCentre(), 14);
        bar->triggerAction(QAbstractSlider::SliderPageStepSub); // 14 is not above 14
        QCOMPARE(form->windowCentre(), 14);
    }

    void keysInTheList() {
        std::vector<std::string> names;
        for (char c = 'A'; c < 'A' + 12; ++c)
            names.push_back(std::string(3, c));
        StoreNames("BASE", names);
        auto form = Show<TFormRich>();
        auto* list = Child<QListWidget>(form.get(), "ListaNomi");
        auto* box = Child<QLineEdit>(form.get(), "EditSoggetto");
        list->setFocus();
        list->setCurrentRow(8);
        QTest::keyClick(list, Qt::Key_Down);
        // Down on the last line moves the window and keeps the selection on that line.
        QCOMPARE(form->windowCentre(), 6);
        QCOMPARE(list->currentRow(), 8);
        QCOMPARE(box->text(), KeyText("JJJ", 10));
        // Enter with the line shown in the name box takes it.
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(Text(Child<QLineEdit>(form.get(), "EditNome")), QString("JJJ"));

        // Up leaves the name box as it is: Enter then refuses the line.
        list->setFocus();
        list->setCurrentRow(3);
        QTest::keyClick(list, Qt::Key_Up);
        QCOMPARE(list->currentRow(), 2);
        box->setText("AAA");
        const Answer answer = Answered([&] { QTest::keyClick(list, Qt::Key_Return); });
        QCOMPARE(answer.text, QString("Haga doble clic en la lista Nombre"));
        QVERIFY(form->isVisible());
    }

    void clickingALineChoosesItsKey() {
        StoreNames("BASE", {"BIANCHI ANNA", "ROSSI MARIO"});
        auto form = Show<TFormRich>();
        auto* list = Child<QListWidget>(form.get(), "ListaNomi");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(1)).center());
        auto* box = Child<QLineEdit>(form.get(), "EditSoggetto");
        QCOMPARE(box->text(), KeyText("ROSSI MARIO", 2));
        QCOMPARE(EditColour(box), kNameBoxAqua);
        QCOMPARE(form->chosenPosition(), 2);
        QVERIFY(!Child<QPushButton>(form.get(), "BitBtnOK")->isEnabled());
        DoubleClickLine(form.get(), 1);
        QVERIFY(Child<QPushButton>(form.get(), "BitBtnOK")->isEnabled());
        // Clicking the name box clears it, turns it red and forgets the subject.
        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(box->text().isEmpty());
        QCOMPARE(EditColour(box), kNameBoxRed);
        QVERIFY(!Child<QPushButton>(form.get(), "BitBtnOK")->isEnabled());
    }

    void turningTheNameRound_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QStringList>("presses");
        QTest::newRow("two parts")
            << "MARIO ROSSI" << QStringList{"ROSSI MARIO", "MARIO ROSSI", "ROSSI MARIO"};
        QTest::newRow("three parts")
            << "ANNA MARIA ROSSI"
            << QStringList{"MARIA ROSSI ANNA", "ANNA ROSSI MARIA", "MARIA ANNA ROSSI",
                           "ROSSI ANNA MARIA", "ROSSI MARIA ANNA", "ANNA MARIA ROSSI",
                           "MARIA ROSSI ANNA"};
        QTest::newRow("place after the name")
            << "ROSSI MARIO (MILANO)" << QStringList{"MARIO ROSSI", "ROSSI MARIO"};
        QTest::newRow("one word") << "ROSSI" << QStringList{"ROSSI"};
    }

    void turningTheNameRound() {
        QFETCH(QString, key);
        QFETCH(QStringList, presses);
        StoreNames("BASE", {Cp1252FromQString(key)});
        auto form = Show<TFormRich>();
        DoubleClickLine(form.get(), 0);
        auto* name = Child<QLineEdit>(form.get(), "EditNome");
        QCOMPARE(name->text(), key.left(key.indexOf('(')).trimmed());
        for (const QString& expected : presses) {
            Child<QPushButton>(form.get(), "BitBtnInverti")->click();
            QCOMPARE(name->text(), expected);
        }
        // The turned name becomes the current subject's.
        Child<QPushButton>(form.get(), "BitBtnOK")->click();
        QCOMPARE(SubjectKey::decode(Bytes("TMPR.ST1").data()).Key.str(),
                 PaddedName(Cp1252FromQString(presses.back())));
    }

    void lookingWithoutTakingLeavesTheCurrentNotes() {
        SubjectEntry rossi = Milanese("ROSSI MARIO");
        rossi.NoteLines[0] = "NOTA";
        StoreSubject("BASE", rossi);
        WriteNotesLine("NOTE DEL SOGGETTO ATTUALE");
        WriteTextPointer("BASE", "00007");
        auto form = Show<TFormRich>();
        DoubleClickLine(form.get(), 0);
        Child<QPushButton>(form.get(), "BitBtnAnnulla")->click();
        QCOMPARE(ReadTextLines("FileDum\\Annotaz.dum"),
                 std::vector<std::string>{"NOTE DEL SOGGETTO ATTUALE"});
        QCOMPARE(ReadTextLines("FileDum\\StrText.dum"),
                 (std::vector<std::string>{"BASE", "00007"}));
    }

    void aKeyThatNamesNoRecordShowsNothing() {
        std::string keys(2 * SubjectKey::kSize, '\0');
        SubjectKey{ShortString<43>("0 Registro vuoto")}.encode(keys.data());
        SubjectKey{ShortString<43>(PaddedName("ROSSI MARIO") + "ABCDE")}.encode(keys.data() +
                                                                                SubjectKey::kSize);
        folder_->write("BASE.ST1", keys);
        auto form = Show<TFormRich>();
        DoubleClickLine(form.get(), 0);
        auto* box = Child<QLineEdit>(form.get(), "EditSoggetto");
        QVERIFY(box->text().isEmpty());
        QCOMPARE(EditColour(box), kNameBoxRed);
        QVERIFY(Text(Child<QLineEdit>(form.get(), "EditNome")).isEmpty());
        QVERIFY(!Child<QPushButton>(form.get(), "BitBtnOK")->isEnabled());
    }

    void archivesOfTheRetrieveForm() {
        CreateArchive("RICE");
        CreateArchive("ZZ01");
        StoreNames("BASE", {"ROSSI MARIO"});
        auto form = Show<TFormRich>();
        auto* archives = Child<QListWidget>(form.get(), "ListaArchivi");
        QCOMPARE(Lines(archives), QStringList({"BASE (personale)", "RICE (speciale)", "ZZ01"}));
        QCOMPARE(Text(Child<QLineEdit>(form.get(), "EditArchi")), QString("BASE"));
        // An archive with nothing but its placeholder.
        QTest::mouseClick(archives->viewport(), Qt::LeftButton, {},
                          archives->visualItemRect(archives->item(1)).center());
        QCOMPARE(Text(Child<QLineEdit>(form.get(), "EditArchi")), QString("RICE"));
        auto* list = Child<QListWidget>(form.get(), "ListaNomi");
        QCOMPARE(Lines(list), QStringList{"ARCHIVIO VUOTO"});
        QVERIFY(!list->isEnabled());
        QVERIFY(!Child<QLineEdit>(form.get(), "EditSoggetto")->isEnabled());
        QVERIFY(!Child<QScrollBar>(form.get(), "ScrollBar1")->isEnabled());
    }

    void losingTheFocusClosesTheRetrieveForm() {
        StoreNames("BASE", {"ROSSI MARIO"});
        auto form = Show<TFormRich>();
        form->activateWindow();
        if (!QTest::qWaitForWindowActive(form.get()))
            QSKIP("the window system gives no activation");
        QWidget other;
        other.show();
        other.activateWindow();
        QTRY_VERIFY(!form->isVisible());
    }

    // ---- Modify form -----------------------------------------------------------------

    void modifyShowsTheChosenSubject() {
        auto form = ModifyRossi();
        QCOMPARE(Text(Child<QLineEdit>(form.get(), "EditNomeSogg")), QString("ROSSI MARIO"));
        QCOMPARE(Text(Child<QLineEdit>(form.get(), "EditDataNasc")), QString("01/01/1960"));
        QCOMPARE(Text(Child<QLineEdit>(form.get(), "EditOraNasc")), QString("10:30"));
        QCOMPARE(Text(Child<QLineEdit>(form.get(), "EditGmt")), QString("-1"));
        QCOMPARE(Text(Child<QLineEdit>(form.get(), "EditLocalita")), QString("MILANO*MI*"));
        QCOMPARE(Text(Child<QLineEdit>(form.get(), "EditCoordi")), QString("45N28-009E11"));
        QCOMPARE(Text(Child<QLineEdit>(form.get(), "EditCalend")), QString("GREGORIANO"));
        QVERIFY(!Child<QWidget>(form.get(), "GroupBoxElenco")->isVisible());
        QVERIFY(Child<QWidget>(form.get(), "GroupBoxAnnot")->isVisible());
        QVERIFY(!Child<QWidget>(form.get(), "ListBox1")->isEnabled());
        QVERIFY(Child<QPushButton>(form.get(), "BitBtnRegistra")->isEnabled());
    }

    void modifyRefusesWrongData_data() {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        const QString date = "Fecha de nacimiento incorrecta o incomplete";
        const QString time = "Hora nacimiento incorrecta o incompleta";
        const QString place = "Coordenadas incorrecta o incomplete";
        const QString corr = "Error en la entrada \"Corr.\" (corrección total)";
        const QString impossible = "Corr\" muestra un valor imposible";
        QTest::newRow("day 0") << "EditDataNasc"
                               << "00/01/1990" << date;
        QTest::newRow("month 13") << "EditDataNasc"
                                  << "01/13/1990" << date;
        QTest::newRow("year 2081") << "EditDataNasc"
                                   << "01/01/2081" << date;
        QTest::newRow("one-digit day") << "EditDataNasc"
                                       << "1/01/1990" << date;
        QTest::newRow("three-digit year") << "EditDataNasc"
                                          << "01/01/196" << date;
        QTest::newRow("hour 24") << "EditOraNasc"
                                 << "24:00" << time;
        QTest::newRow("minute 60") << "EditOraNasc"
                                   << "10:60" << time;
        QTest::newRow("one-digit minute") << "EditOraNasc"
                                          << "10:5" << time;
        QTest::newRow("latitude 90") << "EditCoordi"
                                     << "90N00-009E11" << place;
        QTest::newRow("longitude 180") << "EditCoordi"
                                       << "45N28-180E00" << place;
        QTest::newRow("letter X") << "EditCoordi"
                                  << "45N28-009X11" << place;
        QTest::newRow("short") << "EditCoordi"
                               << "45N28-009E1" << place;
        QTest::newRow("calendar") << "EditCalend"
                                  << "GREG"
                                  << "Error definición Calendar";
        QTest::newRow("no number") << "EditGmt"
                                   << "uno" << corr;
        QTest::newRow("13 hours") << "EditGmt"
                                  << "13" << impossible;
        QTest::newRow("-12,5 hours") << "EditGmt"
                                     << "-12,5" << impossible;
    }

    void modifyRefusesWrongData() {
        QFETCH(QString, edit);
        QFETCH(QString, text);
        QFETCH(QString, message);
        auto form = ModifyRossi();
        const std::string before = Bytes("BASE.ST1") + Bytes("BASE.ST2") + Bytes("BASE.ST3");
        Type(Child<QLineEdit>(form.get(), edit.toLatin1().constData()), text);
        const Answer answer =
            Answered([&] { Child<QPushButton>(form.get(), "BitBtnRegistra")->click(); });
        QCOMPARE(answer.text, message);
        QCOMPARE(Bytes("BASE.ST1") + Bytes("BASE.ST2") + Bytes("BASE.ST3"), before);
        QVERIFY(Child<QPushButton>(form.get(), "BitBtnRegistra")->isEnabled());
    }

    void modifyTakesACorrectionOfOneAndAHalfHours() {
        auto form = ModifyRossi();
        Type(Child<QLineEdit>(form.get(), "EditGmt"), " +1,5 ");
        // 1.5 hours west of the clock for a place 9° east is more than two hours off: the
        // question comes, and Sí keeps the value.
        const Answer answer =
            Answered([&] { Child<QPushButton>(form.get(), "BitBtnRegistra")->click(); }, "Sí");
        QCOMPARE(answer.caption, QString("Explorer"));
        QCOMPARE(answer.text,
                 QString("Possibile Incongruenza tra Longitudine e \"Corr\", Confermi i Dati?"));
        QCOMPARE(Text(Child<QLineEdit>(form.get(), "EditGmt")), QString("+1,5"));
        const SubjectArchive::Read read = SubjectArchive("BASE").readSubject(1);
        QCOMPARE(read.Record.BirthStamp.str(), std::string("196001011030+1,5"));
        const SubjectEntry entry = EntryOfRecord(read.Record);
        QCOMPARE(static_cast<double>(entry.Correction), 1.5);
        QVERIFY(Child<QPushButton>(form.get(), "BitBtnAncora")->isEnabled());
        QVERIFY(!Child<QPushButton>(form.get(), "BitBtnRegistra")->isEnabled());
        QVERIFY(!Child<QWidget>(form.get(), "GroupBoxDati")->isEnabled());
    }

    void modifyAsksAboutACorrectionOfFiveHours() {
        auto form = ModifyRossi();
        Type(Child<QLineEdit>(form.get(), "EditGmt"), "-5");
        const std::string before = Bytes("BASE.ST2");
        const Answer no =
            Answered([&] { Child<QPushButton>(form.get(), "BitBtnRegistra")->click(); }, "No");
        QCOMPARE(no.caption, QString("Explorer"));
        QCOMPARE(Bytes("BASE.ST2"), before);
        QVERIFY(Child<QPushButton>(form.get(), "BitBtnRegistra")->isEnabled());
        const Answer yes =
            Answered([&] { Child<QPushButton>(form.get(), "BitBtnRegistra")->click(); }, "Sí");
        QVERIFY(yes.came);
        QCOMPARE(SubjectArchive("BASE").readSubject(1).Record.BirthStamp.str(),
                 std::string("196001011030-5"));
    }

    void modifyAcceptsTheThirtyFirstOfFebruary() {
        auto form = ModifyRossi();
        Type(Child<QLineEdit>(form.get(), "EditDataNasc"), "31/02/1990");
        const Answer answer =
            Answered([&] { Child<QPushButton>(form.get(), "BitBtnRegistra")->click(); });
        QVERIFY2(!answer.came, qPrintable(answer.text));
        QCOMPARE(SubjectArchive("BASE").readSubject(1).Record.BirthStamp.str(),
                 std::string("199002311030-1"));
    }

    void plausibleCorrections_data() {
        QTest::addColumn<QString>("coordinates");
        QTest::addColumn<double>("correction");
        QTest::addColumn<bool>("plausible");
        QTest::newRow("Milano -1") << "45N28-009E11" << -1.0 << true;
        QTest::newRow("Milano -5") << "45N28-009E11" << -5.0 << false;
        QTest::newRow("Milano +1,5") << "45N28-009E11" << 1.5 << false;
        QTest::newRow("New York +5") << "40N43-074W00" << 5.0 << true;
        QTest::newRow("New York -5") << "40N43-074W00" << -5.0 << false;
        QTest::newRow("exactly two hours") << "00N00-030E00" << -4.0 << true;
    }

    void plausibleCorrections() {
        QFETCH(QString, coordinates);
        QFETCH(double, correction);
        QFETCH(bool, plausible);
        QCOMPARE(CorrectionPlausible(coordinates.toStdString(), correction), plausible);
    }

    void modifyRenamesAndTheKeyMoves() {
        StoreNames("BASE", {"BIANCHI ANNA", "VERDI LUCA"});
        auto form = ModifyRossi();           // ROSSI MARIO, record 3, last in order
        QCOMPARE(form->chosenPosition(), 1); // the first line of the list
        // The first line is BIANCHI ANNA: go back and take ROSSI instead.
        Child<QPushButton>(form.get(), "BitBtnElenco")->click();
        QVERIFY(Child<QWidget>(form.get(), "GroupBoxElenco")->isVisible());
        DoubleClickLine(form.get(), 1);
        QCOMPARE(Text(Child<QLineEdit>(form.get(), "EditNomeSogg")), QString("ROSSI MARIO"));
        auto* name = Child<QLineEdit>(form.get(), "EditNomeSogg");
        name->clear();
        QTest::keyClicks(name, "abate mario");
        QCOMPARE(name->text(), QString("ABATE MARIO"));
        Child<QPushButton>(form.get(), "BitBtnRegistra")->click();
        QCOMPARE(Keys("BASE"),
                 (std::vector<std::string>{KeyOf("ABATE MARIO", 3), KeyOf("BIANCHI ANNA", 1),
                                           KeyOf("VERDI LUCA", 2)}));
        Child<QPushButton>(form.get(), "BitBtnAncora")->click();
        QVERIFY(Child<QWidget>(form.get(), "GroupBoxElenco")->isVisible());
        QVERIFY(!Child<QWidget>(form.get(), "GroupBoxDati")->isVisible());
        QVERIFY(Child<QWidget>(form.get(), "ListBox1")->isEnabled());
        QCOMPARE(Child<QListWidget>(form.get(), "ListaNomi")->item(0)->text(),
                 KeyText("ABATE MARIO", 3));
    }

    void modifyCreatesAndReopensTheText() {
        auto form = ModifyRossi();
        Type(Child<QLineEdit>(form.get(), "EditMemo1"), "PRIMA NOTA");
        Child<QPushButton>(form.get(), "BBtesto")->click();
        QCOMPARE(Text(Child<QLineEdit>(form.get(), "EditNfile")), QString("00001"));
        QCOMPARE(ReadTextLines("BASEtxt\\00001.txt"), std::vector<std::string>{"ROSSI MARIO"});
        QCOMPARE(ReadTextLines("FileDum\\DatModif.dum"),
                 std::vector<std::string>{"BASEtxt\\00001.txt"});
        QCOMPARE(editorShown_, 1);
        const SubjectArchive::Read read = SubjectArchive("BASE").readSubject(1);
        QVERIFY(read.Notes.has_value());
        QCOMPARE(read.Notes->Lines[0].str(), std::string("PRIMA NOTA"));
        QCOMPARE(TextNumberOf(&*read.Notes), std::string("00001"));

        // Once more for the same subject: its text is used as it is.
        WriteTextLines("BASEtxt\\00001.txt", {"ROSSI MARIO", "testo scritto"});
        Child<QPushButton>(form.get(), "BitBtnAncora")->click();
        DoubleClickLine(form.get(), 0);
        QCOMPARE(Text(Child<QLineEdit>(form.get(), "EditNfile")), QString("00001"));
        QCOMPARE(Text(Child<QLineEdit>(form.get(), "EditMemo1")), QString("PRIMA NOTA"));
        Child<QPushButton>(form.get(), "BBtesto")->click();
        QCOMPARE(ReadTextLines("BASEtxt\\00001.txt"),
                 (std::vector<std::string>{"ROSSI MARIO", "testo scritto"}));
        QCOMPARE(ReadTextLines("BASEtxt\\FlagTxt.set"), std::vector<std::string>{"2"});
        QCOMPARE(editorShown_, 2);
    }

    void aRefusedSaveReservesNoText() {
        auto form = ModifyRossi();
        Type(Child<QLineEdit>(form.get(), "EditGmt"), "13");
        const Answer answer = Answered([&] { Child<QPushButton>(form.get(), "BBtesto")->click(); });
        QCOMPARE(answer.text, QString("Corr\" muestra un valor imposible"));
        QVERIFY(!fs::exists(folder_->path() / "BASEtxt"));
        QCOMPARE(editorShown_, 0);
    }

    void aSubjectWithoutNotesShowsNone() {
        SubjectEntry noted = Milanese("BIANCHI ANNA");
        noted.NoteLines[0] = "NOTA DI ANNA";
        StoreSubjects("BASE", {noted, Milanese("ROSSI MARIO")});
        auto form = Show<TFoModifi>();
        DoubleClickLine(form.get(), 0);
        QCOMPARE(Text(Child<QLineEdit>(form.get(), "EditMemo1")), QString("NOTA DI ANNA"));
        Child<QPushButton>(form.get(), "BitBtnElenco")->click();
        DoubleClickLine(form.get(), 1);
        QVERIFY(Text(Child<QLineEdit>(form.get(), "EditMemo1")).isEmpty());
        Child<QPushButton>(form.get(), "BitBtnRegistra")->click();
        QVERIFY(!SubjectArchive("BASE").readSubject(2).Notes.has_value());
    }

    // ---- Delete form -----------------------------------------------------------------

    void deleteRossi() {
        SubjectEntry rossi = Milanese("ROSSI MARIO");
        rossi.NoteLines[0] = "DA CANCELLARE";
        rossi.TextNumber = "00003";
        StoreSubject("BASE", rossi);
        fs::create_directories(folder_->path() / "BASEtxt");
        WriteTextLines("BASEtxt\\00003.txt", {"ROSSI MARIO"});
        auto form = Show<TFoCancel>();
        const Answer early =
            Answered([&] { Child<QPushButton>(form.get(), "BitBtnElimina")->click(); });
        QVERIFY(!early.came); // the button waits for a subject
        DoubleClickLine(form.get(), 0);
        QCOMPARE(Child<QPlainTextEdit>(form.get(), "MemoSogg")->toPlainText().split('\n'),
                 QStringList({QString::fromStdString(PaddedName("ROSSI MARIO")),
                              "Nascita 01/01/1960 10:30  Correz. -1", "Località: MILANO*MI*",
                              "Nazionalità: ITALIA", "Coordinate: 45N28-009E11",
                              "Calendario: GREGORIANO", ""}));
        QCOMPARE(Child<QPlainTextEdit>(form.get(), "MemoAnnotaz")->toPlainText(),
                 QString(" DA CANCELLARE   00003"));
        auto* label = Child<QLabel>(form.get(), "Label10");
        QVERIFY(label->isVisible());
        QCOMPARE(label->text(), QString("00003"));

        const Answer answer =
            Answered([&] { Child<QPushButton>(form.get(), "BitBtnElimina")->click(); });
        QVERIFY2(!answer.came, qPrintable(answer.text));
        QVERIFY(Keys("BASE").empty());
        QVERIFY(!fs::exists(folder_->path() / "BASEtxt" / "00003.txt"));
        QCOMPARE(Child<QListWidget>(form.get(), "ListaNomi")->count(), 0);
        QVERIFY(!Child<QPushButton>(form.get(), "BitBtnElimina")->isEnabled());
        QVERIFY(!label->isVisible());
        QVERIFY(form->isVisible());
        Child<QPushButton>(form.get(), "BitBtnRitorna")->click();
        QVERIFY(!form->isVisible());

        // The next opening finds the archive empty.
        auto again = Show<TFoCancel>();
        QCOMPARE(Lines(Child<QListWidget>(again.get(), "ListaNomi")),
                 QStringList{"ARCHIVIO VUOTO"});
    }

    void deleteWithoutAChoice() {
        StoreNames("BASE", {"ROSSI MARIO"});
        auto form = Show<TFoCancel>();
        auto* button = Child<QPushButton>(form.get(), "BitBtnElimina");
        button->setEnabled(true); // the only way to press it before a subject is shown
        const Answer answer = Answered([&] { button->click(); });
        QCOMPARE(answer.text, QString("Haga doble clic en la lista"));
        QCOMPARE(Keys("BASE").size(), std::size_t(1));
    }

    void deleteRefusesARedNameBox() {
        std::vector<std::string> names;
        for (char c = 'A'; c < 'A' + 12; ++c)
            names.push_back(std::string(3, c));
        StoreNames("BASE", names);
        auto form = Show<TFoCancel>();
        auto* box = Child<QLineEdit>(form.get(), "EditSoggetto");
        QTest::keyClicks(box, "CCX");
        QCOMPARE(EditColour(box), kNameBoxRed);
        // More than nine subjects: Enter shows the centre key even though it does not match …
        QTest::keyClick(box, Qt::Key_Return);
        QVERIFY(form->subjectShown());
        QCOMPARE(form->chosenKey(), KeyOf("EEE", 5));
        // … and the red box keeps it from being deleted.
        const Answer answer =
            Answered([&] { Child<QPushButton>(form.get(), "BitBtnElimina")->click(); });
        QCOMPARE(answer.text, QString("Selección Inválida"));
        QCOMPARE(EditColour(box), kNameBoxAqua);
        QCOMPARE(Keys("BASE").size(), std::size_t(12));
    }

    void deletingInsideALongList() {
        std::vector<std::string> names;
        for (char c = 'A'; c < 'A' + 14; ++c)
            names.push_back(std::string(3, c));
        StoreNames("BASE", names);
        auto form = Show<TFoCancel>();
        auto* box = Child<QLineEdit>(form.get(), "EditSoggetto");
        QTest::keyClicks(box, "NNN");
        QCOMPARE(form->windowCentre(), 10);
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(form->chosenKey(), KeyOf("JJJ", 10));
        Child<QPushButton>(form.get(), "BitBtnElimina")->click();
        QCOMPARE(Keys("BASE").size(), std::size_t(13));
        QCOMPARE(form->subjectCount(), 13);
        QCOMPARE(form->windowCentre(), 9);
        auto* list = Child<QListWidget>(form.get(), "ListaNomi");
        QCOMPARE(list->count(), 9);
        QCOMPARE(list->item(8)->text(), KeyText("NNN", 14));
    }

    void theDeleteFormDoesNotTouchTheCurrentNotes() {
        SubjectEntry rossi = Milanese("ROSSI MARIO");
        rossi.NoteLines[0] = "NOTA";
        StoreSubject("BASE", rossi);
        WriteNotesLine("NOTE ATTUALI");
        auto form = Show<TFoCancel>();
        DoubleClickLine(form.get(), 0);
        Child<QPushButton>(form.get(), "BitBtnRitorna")->click();
        QCOMPARE(ReadTextLines("FileDum\\Annotaz.dum"), std::vector<std::string>{"NOTE ATTUALI"});
        QCOMPARE(Keys("BASE").size(), std::size_t(1));
    }

    // ---- The whole round ---------------------------------------------------------------

    void storeRetrieveModifyTextDelete() {
        {
            TFormRegSpa store;
            QTimer::singleShot(0, [&] { Child<QPushButton>(&store, "BitBtnRegistra")->click(); });
            QVERIFY(store.RegisterSubject(Rossi()));
        }
        {
            auto retrieve = Show<TFormRich>();
            auto* box = Child<QLineEdit>(retrieve.get(), "EditSoggetto");
            QTest::keyClicks(box, "ROS");
            QTest::keyClick(box, Qt::Key_Return);
            Child<QPushButton>(retrieve.get(), "BitBtnOK")->click();
            QCOMPARE(SubjectKey::decode(Bytes("TMPR.ST1").data()).Key.str(),
                     PaddedName("ROSSI MARIO"));
        }
        {
            auto modify = Show<TFoModifi>();
            DoubleClickLine(modify.get(), 0);
            auto* gmt = Child<QLineEdit>(modify.get(), "EditGmt");
            Type(gmt, "13");
            QCOMPARE(
                Answered([&] { Child<QPushButton>(modify.get(), "BitBtnRegistra")->click(); }).text,
                QString("Corr\" muestra un valor imposible"));
            Type(gmt, "-5");
            QCOMPARE(
                Answered([&] { Child<QPushButton>(modify.get(), "BitBtnRegistra")->click(); }, "No")
                    .caption,
                QString("Explorer"));
            Type(gmt, "+1,5");
            Answered([&] { Child<QPushButton>(modify.get(), "BBtesto")->click(); }, "Sí");
            QCOMPARE(ReadTextLines("BASEtxt\\00001.txt"), std::vector<std::string>{"ROSSI MARIO"});
            QCOMPARE(SubjectArchive("BASE").readSubject(1).Record.BirthStamp.str(),
                     std::string("196001011030+1,5"));
        }
        {
            auto remove = Show<TFoCancel>();
            DoubleClickLine(remove.get(), 0);
            Child<QPushButton>(remove.get(), "BitBtnElimina")->click();
            QVERIFY(Keys("BASE").empty());
            QVERIFY(!fs::exists(folder_->path() / "BASEtxt" / "00001.txt"));
        }
    }
};

QTEST_MAIN(SubjectWindowsWindowTest)
#include "SubjectWindowsWindowTest.moc"

// Window tests of the birth-data form, driven headless with Qt Test in a scratch program
// folder holding small locality and zone files written here.
#include "TestFolder.h"
#include "archive/BirthResults.h"
#include "archive/PlaceRecords.h"
#include "archive/windows/UninputSpa.h"
#include "astro/Calendar.h"
#include "chart/ChartState.h"
#include "platform/Cp1252.h"
#include "platform/ErrorBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <vector>

using namespace exo;

namespace {

namespace fs = std::filesystem;

const QColor kAqua(0x00, 0xFF, 0xFF);
const QColor kRed(0xFF, 0x00, 0x00);
const QColor kTeal(0x00, 0x80, 0x80);
const QColor kWhite(0xFF, 0xFF, 0xFF);
const QColor kBlack(0x00, 0x00, 0x00);

constexpr std::int32_t kItaly = 100390000;
constexpr std::int32_t kFrance = 100330000;
constexpr std::int32_t kBrazil = 100550000;
constexpr std::int32_t kPakistan = 100920000;

long double Jd(int year, int month, int day, int hour = 0, int minute = 0) {
    return JulianDayOf(1, minute, hour, year, month, day);
}

LocalityRecord Place(const std::string& name, long double latitude, long double longitude,
                     std::int32_t zone, const std::string& country) {
    LocalityRecord r;
    r.Name = Cp1252FromUtf8(name);
    r.Latitude = latitude;
    r.Longitude = longitude;
    r.ZoneCode = zone;
    r.Country = Cp1252FromUtf8(country);
    return r;
}

std::string LocalityBytes(const std::vector<LocalityRecord>& places) {
    std::string bytes(LocalityRecord::kSize, '\0'); // record 0 is no locality
    for (const LocalityRecord& place : places) {
        std::string one(LocalityRecord::kSize, '\0');
        place.encode(one.data());
        bytes += one;
    }
    return bytes;
}

ZonePeriodRecord Period(long double startDay, const char* type, double offset) {
    ZonePeriodRecord r;
    r.StartValue = startDay + kZoneStartOffset;
    r.Type = type;
    r.Offset = offset;
    return r;
}

std::string ZoneBytes(const std::vector<ZonePeriodRecord>& records) {
    std::string bytes;
    for (const ZonePeriodRecord& r : records) {
        std::string one(ZonePeriodRecord::kSize, '\0');
        r.encode(one.data());
        bytes += one;
    }
    return bytes;
}

constexpr long double kMilanoLongitude = 9 + 11 / 60.0L; // 9° 11′ east

// Thirty Italian localities, Milano among them and ZUNGRI last; eight foreign ones with
// accented names; the zones of Italy, France, Brazil and Pakistan.
void WriteFixtures(const test::ScratchFolder& folder) {
    std::vector<LocalityRecord> italian = {
        Place("ABANO TERME *PD*", 45.36, 11.79, kItaly, " ITALIA"),
        Place("BERGAMO *BG*", 45.69, 9.67, kItaly, " ITALIA"),
        Place("BRESCIA *BS*", 45.54, 10.21, kItaly, " ITALIA"),
    };
    for (int i = 1; i <= 18; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "CITTA %02d *AA*", i);
        italian.push_back(Place(name, 44, 10, kItaly, " ITALIA"));
    }
    for (const LocalityRecord& place : {
             Place("COMO *CO*", 45.81, 9.08, kItaly, " ITALIA"),
             Place("GENOVA *GE*", 44.41, 8.93, kItaly, " ITALIA"),
             Place("MIGNANO MONTE LUNGO *CE*", 41.41, 13.98, kItaly, " ITALIA"),
             Place("MILANO *MI*", 45.4642, kMilanoLongitude, kItaly, " ITALIA"),
             Place("MILAZZO *ME*", 38.22, 15.24, kItaly, " ITALIA"),
             Place("NAPOLI *NA*", 40.85, 14.27, kItaly, " ITALIA"),
             Place("ROMA *RM*", 41.89, 12.48, kItaly, " ITALIA"),
             Place("TORINO *TO*", 45.07, 7.69, kItaly, " ITALIA"),
             Place("ZUNGRI *VV*", 38.66, 16.0, kItaly, " ITALIA"),
         })
        italian.push_back(place);
    folder.write("Localita/ITALIA.LOC", LocalityBytes(italian));
    folder.write("Localita/ESTERO.LOC", LocalityBytes({
                                            Place("BERLIN", 52.52, 13.40, kFrance, " GERMANIA"),
                                            Place("KARACHI", 24.86, 67.01, kPakistan, " PAKISTAN"),
                                            Place("LONDON", 51.51, -0.13, kFrance, " REINO UNIDO"),
                                            Place("PARIS", 48.85, 2.35, kFrance, " FRANCIA"),
                                            Place("SÃO PAULO", -23.55, -46.63, kBrazil, " BRASIL"),
                                            Place("SEVILLA", 37.39, -5.99, kFrance, " ESPAÑA"),
                                            Place("TOKYO", 35.69, 139.69, kFrance, " JAPÓN"),
                                            Place("ZÜRICH", 47.37, 8.55, kFrance, " SUIZA"),
                                        }));

    folder.write(
        "Calendar/00390000.CAL",
        ZoneBytes({Period(2299161.5L, "GREG", 0), Period(Jd(1893, 11, 1), "LMT ", -1),
                   Period(Jd(1893, 11, 1), "STD ", -1), Period(Jd(1916, 6, 4), "DST ", -2),
                   Period(Jd(1916, 10, 1), "STD ", -1), Period(Jd(2020, 3, 29, 2), "DST ", -2),
                   Period(Jd(2020, 10, 25, 3), "STD ", -1)}));
    constexpr long double kAlways = 1721423.5L;
    const std::vector<std::pair<std::string, std::vector<ZonePeriodRecord>>> foreign = {
        {"00330000.CAL", {Period(kAlways, "GREG", 0), Period(Jd(1911, 3, 11), "STD ", -1)}},
        {"00550000.CAL", {Period(Jd(1582, 10, 15), "GREG", 0), Period(Jd(1914, 1, 1), "STD ", 3)}},
        {"00920000.CAL",
         {Period(kAlways, "GREG", 0), Period(Jd(1907, 1, 1), "STD ", -5.5),
          Period(Jd(1951, 10, 15), "STD ", -6)}},
    };
    std::string database, index;
    std::size_t records = 0;
    for (const auto& [name, periods] : foreign) {
        char line[40];
        std::snprintf(line, sizeof line, "%-12s  %6zu\r\n", name.c_str(), records);
        index += line;
        std::vector<ZonePeriodRecord> ended = periods;
        ended.push_back(Period(0, "****", 0));
        database += ZoneBytes(ended);
        records += ended.size();
    }
    folder.write("Calendar/Database.cll", database);
    folder.write("Calendar/Elencal.002", index);
}

// Answers every message box while it lives: keeps its icon and text, presses "OK".
class MessageAnswerer {
  public:
    MessageAnswerer() {
        poll_.setInterval(5);
        QObject::connect(&poll_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            texts << box->text();
            icons << box->icon();
            for (QAbstractButton* button : box->buttons()) {
                if (button->text() == QStringLiteral("OK"))
                    button->click();
            }
            if (box->isVisible()) {
                texts.last() += QStringLiteral(" (no OK button)");
                box->done(0);
            }
        });
        poll_.start();
    }
    QStringList texts;
    QList<QMessageBox::Icon> icons;

  private:
    QTimer poll_;
};

QColor Base(const QLineEdit* edit) {
    return edit->palette().color(QPalette::Base);
}
QColor TextColour(const QLineEdit* edit) {
    return edit->palette().color(QPalette::Text);
}

QImage Glyph(const QIcon& icon) {
    return icon.pixmap(QSize(22, 22)).toImage();
}

} // namespace

class InputFormWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::ScratchFolder> folder_;
    std::unique_ptr<TFoInputSpa> form_;
    std::unique_ptr<MessageAnswerer> messages_;
    QStringList errors_;
    std::vector<CollectedSubject> handed_;

    template <class W = QLineEdit> W* Child(const char* name) {
        auto* widget = form_->findChild<W*>(QString::fromLatin1(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }

    // The form shown and active, as the main window shows it; "Continuar" hands the subject
    // to a recorder that says it was stored.
    void ShowForm() {
        if (!form_) {
            form_ = std::make_unique<TFoInputSpa>();
            form_->setStoreFormOpener([this](const CollectedSubject& subject) {
                handed_.push_back(subject);
                return true;
            });
        }
        form_->show();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
        WaitIdle();
    }

    void WaitIdle() {
        auto* timer = form_->findChild<QTimer*>(QStringLiteral("IdleTimer"));
        QVERIFY(timer);
        QTRY_VERIFY(!timer->isActive());
    }

    // Each key goes where the focus is when it is typed.
    static void TypeIntoFocus(const QString& keys) {
        for (const QChar key : keys)
            QTest::keyClick(QApplication::focusWidget(), key.toLatin1());
    }

    static void Retype(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }

    void SetDate(const QString& day, const QString& month, const QString& year, const QString& hour,
                 const QString& minute) {
        Child("EditGiorno")->setText(day);
        Child("EditMese")->setText(month);
        Child("EditAnno")->setText(year);
        Child("EditOra")->setText(hour);
        Child("EditMinuti")->setText(minute);
    }

    // Types a locality and accepts it with Enter, then waits for the results.
    void TypeLocality(const QString& typed) {
        QLineEdit* local = Child("EditLocal");
        QTest::mouseClick(local, Qt::LeftButton);
        QTest::keyClicks(local, typed);
        QTest::keyClick(local, Qt::Key_Return);
        WaitIdle();
    }

    // ROSSI MARIO born in Milano on the date given, results shown.
    void EnterMilano(const QString& year = QStringLiteral("1960")) {
        ShowForm();
        Child("EditSogg")->setText(QStringLiteral("ROSSI MARIO"));
        SetDate(QStringLiteral("01"), QStringLiteral("01"), year, QStringLiteral("10"),
                QStringLiteral("30"));
        TypeLocality(QStringLiteral("MILANO"));
        QCOMPARE(Child("EditLocal")->text(), QStringLiteral("MILANO *MI*"));
    }

    QStringList ListLines() {
        QStringList lines;
        auto* list = Child<QListWidget>("ListBox1");
        for (int i = 0; i < list->count(); ++i)
            lines << list->item(i)->text();
        return lines;
    }

    void DoubleClickLine(int line) {
        auto* list = Child<QListWidget>("ListBox1");
        const QPoint at = list->visualItemRect(list->item(line)).center();
        // The first press of a double click lands on the line as a click of its own.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        WaitIdle();
    }

  private slots:
    void init() {
        folder_ = std::make_unique<test::ScratchFolder>();
        WriteFixtures(*folder_);
        errors_.clear();
        handed_.clear();
        SetErrorPresenter([this](const QString& text) { errors_ << text; });
        messages_ = std::make_unique<MessageAnswerer>();
        ClearChartState();
    }

    void cleanup() {
        form_.reset();
        messages_.reset();
        SetErrorPresenter({});
        folder_.reset();
    }

    void captionComponentsAndOpening() {
        ShowForm();
        QCOMPARE(form_->windowTitle(), QStringLiteral("Datos de Nacimiento de tipo"));
        QCOMPARE(form_->minimumSize(), form_->maximumSize());
        QCOMPARE(Child("EditSogg")->text(), QStringLiteral("HOY"));
        QCOMPARE(Child("EditSogg")->maxLength(), 38);
        QCOMPARE(Child("EditAnno")->maxLength(), 4);
        QCOMPARE(Child("EditCalend")->maxLength(), 4);
        QVERIFY(Child("EditFuso")->maxLength() >= 10);
        QCOMPARE(Child("EditStato")->text(), QStringLiteral("ITALIA"));
        QVERIFY(Child("EditSogg")->hasFocus());
        for (const char* hidden : {"LabNote", "PanelMan", "ComboBox2", "Edit1"})
            QVERIFY2(!Child<QWidget>(hidden)->isVisible(), hidden);
        QCOMPARE(Child<QLabel>("LabNote")->text(),
                 QStringLiteral("TIEMPOS DE REG. NO ACTUALIZADOS"));
        QCOMPARE(Child<QGroupBox>("PanelResult")->title(),
                 QStringLiteral("Resultados de los datos de nacimiento"));
        QCOMPARE(Child<QGroupBox>("PanelMan")->title(), QStringLiteral("Inserction Manual"));
        QCOMPARE(Child<QPushButton>("BBprosegui")->text(), QStringLiteral("Continuar"));
        QCOMPARE(Child<QPushButton>("BBRitorna")->text(), QStringLiteral("Anular y Volver"));
        QCOMPARE(Child<QPushButton>("BBItalia")->text(), QStringLiteral("Localidades Italianas"));
        QCOMPARE(Child<QPushButton>("BBperson")->text(), QStringLiteral("Localidades Extranjeras"));
        QCOMPARE(Child<QPushButton>("BitBtnOggi")->text(), QStringLiteral("Hoy"));
        QCOMPARE(Child<QCheckBox>("CheckBoxLocale")->text(), QStringLiteral("Usar hora local"));
        QCOMPARE(Child<QDateEdit>("DateTimePicker1")->date(), QDate::currentDate());

        // The Italian list from its start, the locality edit red, the results locked.
        const QStringList lines = ListLines();
        QCOMPARE(lines.size(), 7);
        QCOMPARE(lines.first(), QStringLiteral("ABANO TERME *PD* ITALIA"));
        QCOMPARE(Base(Child("EditLocal")), kRed);
        QVERIFY(!Child<QGroupBox>("PanelResult")->isEnabled());
        QCOMPARE(Base(Child("EditCoord")), kTeal);
        QCOMPARE(TextColour(Child("EditCoord")), kWhite);
        QCOMPARE(Glyph(Child<QToolButton>("BBLock")->icon()),
                 Glyph(QIcon(QStringLiteral(":/LockShut"))));
        QVERIFY(messages_->texts.isEmpty());
    }

    // The typical use: the name typed, the date and time typed edit after edit, Milano found
    // by typing MIL and chosen by a double click; "Continuar" hands the subject over.
    void typicalUseHandsTheSubjectOver() {
        ShowForm();
        QLineEdit* name = Child("EditSogg");
        name->selectAll();
        QTest::keyClicks(name, QStringLiteral("rossi mario"));
        QCOMPARE(name->text(), QStringLiteral("ROSSI MARIO"));
        QTest::keyClick(name, Qt::Key_Return);
        QVERIFY(Child("EditGiorno")->hasFocus());
        TypeIntoFocus(QStringLiteral("0101"));
        QVERIFY(Child("EditAnno")->hasFocus());
        TypeIntoFocus(QStringLiteral("1960"));
        QVERIFY(Child("EditOra")->hasFocus());
        TypeIntoFocus(QStringLiteral("1030"));
        QCOMPARE(Child("EditGiorno")->text() + Child("EditMese")->text() +
                     Child("EditAnno")->text() + Child("EditOra")->text() +
                     Child("EditMinuti")->text(),
                 QStringLiteral("010119601030"));
        QLineEdit* local = Child("EditLocal");
        QVERIFY(local->hasFocus());

        QTest::keyClicks(local, QStringLiteral("mil"));
        QCOMPARE(local->text(), QStringLiteral("MIL"));
        QCOMPARE(Base(local), kRed);
        const QStringList lines = ListLines();
        QCOMPARE(lines.at(3), QStringLiteral("MIGNANO MONTE LUNGO *CE* ITALIA"));
        QCOMPARE(lines.at(4), QStringLiteral("MILANO *MI* ITALIA"));
        DoubleClickLine(4);
        QCOMPARE(local->text(), QStringLiteral("MILANO *MI*"));
        QCOMPARE(Base(local), kAqua);

        QCOMPARE(Child("EditFuso")->text(), QStringLiteral("-1"));
        QCOMPARE(Child("EditCalend")->text(), QStringLiteral("GREG"));
        QCOMPARE(Child("EditDataEstesa")->text(), QStringLiteral("01/01/1960 10:30"));
        const long double universal = UniversalJulianDay(true, {1, 1, 1960, 10, 30}, -1);
        QCOMPARE(Child("EditJD")->text(), QStringFromCp1252(JulianDayEditText(universal)));
        QCOMPARE(Child("EditLocEstesa")->text(), QStringLiteral("MILANO *MI*"));
        QCOMPARE(Child("EditStato")->text(), QStringLiteral(" ITALIA"));
        QCOMPARE(Child("EditCoord")->text(), QStringLiteral("45N28-009E11"));
        QCOMPARE(Child("Edit1")->text(), QString::number(kItaly));
        QVERIFY(!Child<QCheckBox>("CheckBoxLocale")->isChecked());
        QVERIFY(!Child<QLabel>("LabNote")->isVisible());
        QVERIFY(!Child<QGroupBox>("PanelResult")->isEnabled());
        QVERIFY(Child<QPushButton>("BBprosegui")->isEnabled());

        QSignalSpy finished(form_.get(), &QDialog::finished);
        Child<QPushButton>("BBprosegui")->click();
        QVERIFY(messages_->texts.isEmpty());
        QCOMPARE(handed_.size(), std::size_t{1});
        const CollectedSubject& s = handed_.front();
        QCOMPARE(s.Name, std::string("ROSSI MARIO"));
        QCOMPARE(s.BirthDateText, std::string("01/01/1960 10:30"));
        QCOMPARE(s.Locality, std::string("MILANO *MI*"));
        QCOMPARE(s.CoordinatesText, std::string("45N28-009E11"));
        QCOMPARE(s.GmtText, std::string("+1"));
        QCOMPARE(s.Country, std::string(" ITALIA"));
        QVERIFY(s.Gregorian);
        QCOMPARE(static_cast<double>(s.Year), 1960.0);
        QCOMPARE(static_cast<double>(s.Month), 1.0);
        QCOMPARE(static_cast<double>(s.Day), 1.0);
        QCOMPARE(static_cast<double>(s.Hour), 10.0);
        QCOMPARE(static_cast<double>(s.Minute), 30.0);
        QVERIFY(std::fabs(s.JulianDay - universal) < 0.001L);
        // The same values are the current subject's until the store form writes it.
        QCOMPARE(GlobalChart().ZoneText.str(), std::string("+1"));
        QCOMPARE(GlobalChart().SubjectName.str(), std::string("ROSSI MARIO"));
        // The store form stored it: this form has closed.
        QVERIFY(!form_->isVisible());
        QCOMPARE(finished.size(), 1);
        QCOMPARE(finished.at(0).at(0).toInt(), int(QDialog::Accepted));
    }

    void keyboardMoves_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("to");
        const auto row = [](const char* from, int key, const char* to) {
            QTest::addRow("%s %d", from, key)
                << QString::fromLatin1(from) << key << QString::fromLatin1(to);
        };
        row("EditSogg", Qt::Key_Return, "EditGiorno");
        row("EditSogg", Qt::Key_Right, "EditSogg");
        row("EditGiorno", Qt::Key_Return, "EditMese");
        row("EditGiorno", Qt::Key_Right, "EditMese");
        row("EditGiorno", Qt::Key_Left, "EditSogg");
        row("EditMese", Qt::Key_Left, "EditGiorno");
        row("EditAnno", Qt::Key_Return, "EditOra");
        row("EditOra", Qt::Key_Left, "EditAnno");
        row("EditMinuti", Qt::Key_Right, "EditLocal");
        row("EditGiorno", Qt::Key_Down, "EditOra");
        row("EditMese", Qt::Key_Down, "EditMinuti");
        row("EditOra", Qt::Key_Up, "EditGiorno");
        row("EditMinuti", Qt::Key_Up, "EditMese");
        row("EditAnno", Qt::Key_Down, "EditAnno");
        row("EditLocal", Qt::Key_Tab, "ListBox1");
    }
    void keyboardMoves() {
        QFETCH(QString, from);
        QFETCH(int, key);
        QFETCH(QString, to);
        ShowForm();
        QLineEdit* edit = Child(from.toLatin1().constData());
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key(key));
        QCOMPARE(QApplication::focusWidget()->objectName(), to);
    }

    void dateEditsTrimBlanksAndMoveOnWhenFull() {
        ShowForm();
        QLineEdit* day = Child("EditGiorno");
        day->setFocus();
        QTest::keyClicks(day, QStringLiteral(" 7 "));
        QCOMPARE(day->text(), QStringLiteral("7"));
        QVERIFY(day->hasFocus());
        QTest::keyClick(day, Qt::Key_1);
        QCOMPARE(day->text(), QStringLiteral("71"));
        QVERIFY(Child("EditMese")->hasFocus());
    }

    void invalidDateTurnsTheEditRed_data() {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("text");
        QTest::newRow("day 32") << "EditGiorno"
                                << "32";
        QTest::newRow("day 0") << "EditGiorno"
                               << "0";
        QTest::newRow("day letters") << "EditGiorno"
                                     << "ab";
        QTest::newRow("month 13") << "EditMese"
                                  << "13";
        QTest::newRow("year 2081") << "EditAnno"
                                   << "2081";
        QTest::newRow("hour 24") << "EditOra"
                                 << "24";
        QTest::newRow("minute 60") << "EditMinuti"
                                   << "60";
    }
    void invalidDateTurnsTheEditRed() {
        QFETCH(QString, edit);
        QFETCH(QString, text);
        ShowForm();
        SetDate(QStringLiteral("01"), QStringLiteral("01"), QStringLiteral("1960"),
                QStringLiteral("10"), QStringLiteral("30"));
        WaitIdle();
        QVERIFY(messages_->texts.isEmpty());
        QLineEdit* failing = Child(edit.toLatin1().constData());
        failing->setText(text);
        WaitIdle();
        QCOMPARE(messages_->texts, QStringList{QStringLiteral("Fecha Incorrectas")});
        QCOMPARE(messages_->icons.first(), QMessageBox::Critical);
        QCOMPARE(failing->text(), QString());
        QCOMPARE(Base(failing), kRed);
        QTRY_VERIFY(failing->hasFocus());
        // Typing into it again gives it back its colour; an incomplete date says nothing.
        QTest::keyClick(failing, Qt::Key_1);
        QCOMPARE(Base(failing), kWhite);
    }

    void incompleteDateComputesNothing() {
        ShowForm();
        SetDate(QStringLiteral("01"), QStringLiteral("01"), QStringLiteral("1960"),
                QStringLiteral("10"), QStringLiteral("30"));
        TypeLocality(QStringLiteral("MILANO"));
        Child("EditMinuti")->clear();
        QLineEdit* local = Child("EditLocal");
        QTest::mouseClick(local, Qt::LeftButton);
        QTest::keyClicks(local, QStringLiteral("ROMA"));
        QTest::keyClick(local, Qt::Key_Return);
        WaitIdle();
        QCOMPARE(messages_->texts,
                 QStringList{QStringLiteral("Introduzca las fechas de nacimiento")});
        QCOMPARE(Base(local), kRed);
        // Milano's results stay; nothing was computed for the incomplete date.
        QCOMPARE(Child("EditLocEstesa")->text(), QStringLiteral("MILANO *MI*"));
        Child<QPushButton>("BBprosegui")->click();
        QCOMPARE(messages_->texts.size(), 1);
        QVERIFY(handed_.empty());
        QVERIFY(form_->isVisible());
    }

    void enterInTheLocalityEdit_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("chosen");
        const QString doubleClick = QStringLiteral("Haga doble clic en la Lista de la localidad");
        QTest::newRow("nothing typed") << "" << doubleClick << "";
        QTest::newRow("no locality begins so") << "MIL" << doubleClick << "";
        QTest::newRow("whole name") << "MILANO"
                                    << ""
                                    << "MILANO *MI*";
        QTest::newRow("lower case typed") << "milano *mi*"
                                          << ""
                                          << "MILANO *MI*";
        QTest::newRow("first letters") << "ROM" << doubleClick << "";
        QTest::newRow("the last locality") << "ZUNGRI *VV*"
                                           << ""
                                           << "ZUNGRI *VV*";
        QTest::newRow("before every locality") << "AAA" << doubleClick << "";
    }
    void enterInTheLocalityEdit() {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(QString, chosen);
        ShowForm();
        SetDate(QStringLiteral("01"), QStringLiteral("01"), QStringLiteral("1960"),
                QStringLiteral("10"), QStringLiteral("30"));
        TypeLocality(typed);
        QCOMPARE(messages_->texts, message.isEmpty() ? QStringList() : QStringList{message});
        QLineEdit* local = Child("EditLocal");
        if (chosen.isEmpty()) {
            QCOMPARE(Base(local), kRed);
            QCOMPARE(Child("EditLocEstesa")->text(), QString());
        } else {
            QCOMPARE(local->text(), chosen);
            QCOMPARE(Base(local), kAqua);
            QCOMPARE(Child("EditLocEstesa")->text(), chosen);
        }
    }

    void theLastLocalityShowsOnTheLastLine() {
        ShowForm();
        QLineEdit* local = Child("EditLocal");
        QTest::mouseClick(local, Qt::LeftButton);
        QTest::keyClicks(local, QStringLiteral("ZUNGRI"));
        const QStringList lines = ListLines();
        QCOMPARE(lines.size(), 7);
        QCOMPARE(lines.last(), QStringLiteral("ZUNGRI *VV* ITALIA"));
        QCOMPARE(Child<QListWidget>("ListBox1")->currentRow(), 6);
        QCOMPARE(Child<QScrollBar>("ScrollBar1")->value(), 27);
    }

    void backspaceTakesBackTheLastLetter() {
        ShowForm();
        QLineEdit* local = Child("EditLocal");
        QTest::mouseClick(local, Qt::LeftButton);
        QTest::keyClicks(local, QStringLiteral("TOX"));
        QTest::keyClick(local, Qt::Key_Backspace);
        QCOMPARE(local->text(), QStringLiteral("TO"));
        // ROMA, the last locality below "TO", is near the end: below the clamped centre.
        QCOMPARE(Child<QListWidget>("ListBox1")->currentRow(), 4);
        QCOMPARE(ListLines().at(4), QStringLiteral("ROMA *RM* ITALIA"));
    }

    // The foreign file is sorted and searched without accents, and so is the line that Enter
    // accepts: SAO PAULO takes SÃO PAULO.
    void foreignLocalitiesAreFoundWithoutAccents_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("locality");
        QTest::addColumn<QString>("correction");
        QTest::addColumn<QString>("country");
        QTest::newRow("sao paulo") << "SAO PAULO"
                                   << "1960"
                                   << "SÃO PAULO"
                                   << "+3"
                                   << " BRASIL";
        QTest::newRow("zurich") << "ZURICH"
                                << "1960"
                                << "ZÜRICH"
                                << "-1"
                                << " SUIZA";
        QTest::newRow("karachi before 1951") << "KARACHI"
                                             << "1950"
                                             << "KARACHI"
                                             << "-5,5"
                                             << " PAKISTAN";
        QTest::newRow("karachi special zone") << "KARACHI"
                                              << "1960"
                                              << "KARACHI"
                                              << "-5"
                                              << " PAKISTAN";
    }
    void foreignLocalitiesAreFoundWithoutAccents() {
        QFETCH(QString, typed);
        QFETCH(QString, year);
        QFETCH(QString, locality);
        QFETCH(QString, correction);
        QFETCH(QString, country);
        ShowForm();
        Child<QPushButton>("BBperson")->click();
        QCOMPARE(ListLines().first(), QStringLiteral("BERLIN GERMANIA"));
        SetDate(QStringLiteral("01"), QStringLiteral("01"), year, QStringLiteral("10"),
                QStringLiteral("30"));
        TypeLocality(typed);
        QVERIFY(messages_->texts.isEmpty());
        QCOMPARE(Child("EditLocal")->text(), locality);
        QCOMPARE(Child("EditFuso")->text(), correction);
        QCOMPARE(Child("EditStato")->text(), country);
        QVERIFY(!Child<QLabel>("LabNote")->isVisible());
    }

    void scrollBarMovesTheList_data() {
        QTest::addColumn<QList<int>>("actions");
        QTest::addColumn<int>("thumb");
        QTest::addColumn<int>("centre");
        using A = QAbstractSlider;
        QTest::newRow("line down") << QList<int>{A::SliderSingleStepAdd} << 0 << 5;
        QTest::newRow("line up at the start") << QList<int>{A::SliderSingleStepSub} << 0 << 4;
        QTest::newRow("page down") << QList<int>{A::SliderPageStepAdd} << 0 << 11;
        QTest::newRow("page down twice, up once")
            << QList<int>{A::SliderPageStepAdd, A::SliderPageStepAdd, A::SliderPageStepSub} << 0
            << 11;
        QTest::newRow("page up near the start")
            << QList<int>{A::SliderPageStepAdd, A::SliderPageStepSub} << 0 << 11;
        QTest::newRow("thumb beyond the end") << QList<int>{A::SliderMove} << 30 << 27;
        QTest::newRow("thumb at the first record") << QList<int>{A::SliderMove} << 1 << 4;
        QTest::newRow("thumb in the middle") << QList<int>{A::SliderMove} << 15 << 15;
        QTest::newRow("line down at the end")
            << QList<int>{A::SliderMove, A::SliderSingleStepAdd} << 30 << 27;
    }
    void scrollBarMovesTheList() {
        QFETCH(QList<int>, actions);
        QFETCH(int, thumb);
        QFETCH(int, centre);
        ShowForm();
        auto* bar = Child<QScrollBar>("ScrollBar1");
        QCOMPARE(bar->minimum(), 1);
        QCOMPARE(bar->maximum(), 30);
        for (int action : actions) {
            if (action == QAbstractSlider::SliderMove)
                bar->setSliderPosition(thumb);
            else
                bar->triggerAction(QAbstractSlider::SliderAction(action));
        }
        QCOMPARE(bar->value(), centre);
        // Record centre − 3 heads the list: ABANO, BERGAMO, BRESCIA, then CITTA 01 …
        const QStringList lines = ListLines();
        QCOMPARE(lines.size(), 7);
        const int first = centre - 3;
        const QString expected =
            first <= 3 ? QStringList{"ABANO TERME *PD* ITALIA", "BERGAMO *BG* ITALIA",
                                     "BRESCIA *BS* ITALIA"}
                             .at(first - 1)
            : first <= 21
                ? QStringLiteral("CITTA %1 *AA* ITALIA").arg(first - 3, 2, 10, QLatin1Char('0'))
                : QString();
        if (!expected.isEmpty())
            QCOMPARE(lines.first(), expected);
        if (centre == 27)
            QCOMPARE(lines.last(), QStringLiteral("ZUNGRI *VV* ITALIA"));
    }

    void listKeysAtItsEdges_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("startCentre");
        QTest::addColumn<int>("centre");
        QTest::addColumn<int>("rowAfter");
        QTest::newRow("down on the last line") << 6 << int(Qt::Key_Down) << 4 << 5 << 6;
        QTest::newRow("down on another line") << 2 << int(Qt::Key_Down) << 4 << 4 << 3;
        QTest::newRow("up on the first line") << 0 << int(Qt::Key_Up) << 10 << 9 << 0;
        QTest::newRow("up on the first line at the start") << 0 << int(Qt::Key_Up) << 4 << 4 << 0;
        QTest::newRow("page down on the last line") << 6 << int(Qt::Key_PageDown) << 4 << 10 << 6;
        QTest::newRow("page down near the end") << 6 << int(Qt::Key_PageDown) << 25 << 27 << 6;
        QTest::newRow("page up on the first line") << 0 << int(Qt::Key_PageUp) << 20 << 14 << 0;
        QTest::newRow("page up near the start") << 0 << int(Qt::Key_PageUp) << 7 << 4 << 0;
        QTest::newRow("down at the end") << 6 << int(Qt::Key_Down) << 27 << 27 << 6;
    }
    void listKeysAtItsEdges() {
        QFETCH(int, row);
        QFETCH(int, key);
        QFETCH(int, startCentre);
        QFETCH(int, centre);
        QFETCH(int, rowAfter);
        ShowForm();
        auto* bar = Child<QScrollBar>("ScrollBar1");
        bar->setSliderPosition(startCentre);
        QCOMPARE(bar->value(), startCentre);
        auto* list = Child<QListWidget>("ListBox1");
        list->setFocus();
        list->setCurrentRow(row);
        QTest::keyClick(list, Qt::Key(key));
        QCOMPARE(bar->value(), centre);
        QCOMPARE(list->currentRow(), rowAfter);
    }

    void enterInTheListChoosesTheLine() {
        ShowForm();
        auto* list = Child<QListWidget>("ListBox1");
        list->setFocus();
        list->setCurrentRow(1);
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(Child("EditLocal")->text(), QStringLiteral("BERGAMO *BG*"));
        QCOMPARE(Base(Child("EditLocal")), kAqua);
    }

    void clickingTheLocalityEditStartsAgain() {
        EnterMilano();
        QLineEdit* local = Child("EditLocal");
        QTest::mouseClick(local, Qt::LeftButton);
        QCOMPARE(local->text(), QString());
        QCOMPARE(Base(local), kRed);
        QCOMPARE(ListLines().first(), QStringLiteral("ABANO TERME *PD* ITALIA"));
        // A new name does not compute results without a locality.
        Child("EditSogg")->setText(QStringLiteral("ROSSI MARIA"));
        Child("EditFuso")->clear();
        WaitIdle();
        QCOMPARE(Child("EditFuso")->text(), QString());
    }

    void choosingAnotherLineClearsCorrectionAndCalendar() {
        EnterMilano();
        // A locality chosen while the date is incomplete leaves correction and calendar empty.
        Child("EditOra")->clear();
        DoubleClickLine(0);
        QCOMPARE(Child("EditFuso")->text(), QString());
        QCOMPARE(Child("EditCalend")->text(), QString());
    }

    void switchingFilesClearsTheResults() {
        EnterMilano();
        Child<QPushButton>("BBperson")->click();
        QCOMPARE(ListLines().first(), QStringLiteral("BERLIN GERMANIA"));
        QCOMPARE(ListLines().size(), 7);
        for (const char* name :
             {"EditFuso", "EditCalend", "EditCoord", "EditLocEstesa", "EditJD", "EditLocal"})
            QVERIFY2(Child(name)->text().isEmpty(), name);
        QCOMPARE(Base(Child("EditLocal")), kRed);
        // The label over the date takes the Italian file back, as its button does.
        QTest::mouseClick(Child<QLabel>("LabData"), Qt::LeftButton);
        QCOMPARE(ListLines().first(), QStringLiteral("ABANO TERME *PD* ITALIA"));
        TypeLocality(QStringLiteral("MILANO"));
        QCOMPARE(Child("EditFuso")->text(), QStringLiteral("-1"));
    }

    void localMeanTimeCorrectionIsCutToTenCharacters() {
        EnterMilano(QStringLiteral("1880"));
        QVERIFY(Child<QCheckBox>("CheckBoxLocale")->isChecked());
        QCOMPARE(Child("EditFuso")->text(), QStringLiteral("-0,6122222"));
        Child<QPushButton>("BBprosegui")->click();
        QCOMPARE(handed_.size(), std::size_t{1});
        QCOMPARE(handed_.front().GmtText, std::string("+0,61"));
    }

    void noteForItalianBirthsAfter2010() {
        EnterMilano(QStringLiteral("2011"));
        QVERIFY(Child<QLabel>("LabNote")->isVisible());
        Child("EditAnno")->setText(QStringLiteral("2010"));
        WaitIdle();
        QVERIFY(!Child<QLabel>("LabNote")->isVisible());
    }

    void diagnosticListAndZoneCode() {
        EnterMilano();
        auto* list = Child<QComboBox>("ComboBox2");
        QVERIFY(!list->isVisible());
        QTest::mouseDClick(Child<QLabel>("LabNome"), Qt::LeftButton);
        QVERIFY(list->isVisible());
        QCOMPARE(list->itemText(0), QStringLiteral("15/10/1582 00:00 GREG"));
        QCOMPARE(list->itemText(1), QStringLiteral("01/11/1893 00:00 -1.000 LMT "));
        QCOMPARE(Child("Edit1")->text(), QStringLiteral("100390000"));
    }

    void lockButtonUnlocksThePanel() {
        EnterMilano();
        auto* lock = Child<QToolButton>("BBLock");
        lock->click();
        QVERIFY(Child<QGroupBox>("PanelResult")->isEnabled());
        QCOMPARE(Base(Child("EditJD")), kAqua);
        QCOMPARE(TextColour(Child("EditJD")), kBlack);
        QCOMPARE(Glyph(lock->icon()), Glyph(QIcon(QStringLiteral(":/LockOpen"))));
        lock->click();
        QVERIFY(!Child<QGroupBox>("PanelResult")->isEnabled());
        QCOMPARE(Base(Child("EditJD")), kTeal);
        QCOMPARE(Glyph(lock->icon()), Glyph(QIcon(QStringLiteral(":/LockShut"))));
    }

    // A correction typed by hand without a sign counts as positive: the store form gets -1.
    void unsignedCorrectionTypedByHand() {
        EnterMilano();
        Child<QToolButton>("BBLock")->click();
        Retype(Child("EditFuso"), QStringLiteral("1"));
        Child<QPushButton>("BBprosegui")->click();
        QCOMPARE(handed_.size(), std::size_t{1});
        QCOMPARE(handed_.front().GmtText, std::string("-1"));
    }

    void continuarChecksInOrder_data() {
        QTest::addColumn<QStringList>("edits");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("message");
        const QString coordinates = QStringLiteral("Coordenadas incorrectass o faltantes");
        const QString correction = QStringLiteral("Falta corrección Coordenadas total");
        const auto row = [](const char* name, QStringList edits, QStringList texts,
                            const QString& message) {
            QTest::newRow(name) << edits << texts << message;
        };
        row("no name", {"EditSogg"}, {""}, "Falta el nombre de la persona");
        row("blank name", {"EditSogg"}, {"   "}, "Falta el nombre de la persona");
        row("name before everything", {"EditSogg", "EditCalend", "EditLocEstesa"}, {"", "", ""},
            "Falta el nombre de la persona");
        row("no calendar", {"EditCalend"}, {""}, "Falta indicación  Calendario (GREG / JUL)");
        row("calendar GIU", {"EditCalend"}, {"GIU"}, "Falta indicación  Calendario (GREG / JUL)");
        row("calendar before date", {"EditCalend", "EditGiorno"}, {"XX", "32"},
            "Falta indicación  Calendario (GREG / JUL)");
        row("invalid date", {"EditGiorno"}, {"32"}, "Fecha Incorrectas");
        row("incomplete date", {"EditMinuti"}, {""}, "");
        row("date before locality", {"EditGiorno", "EditLocEstesa"}, {"32", ""},
            "Fecha Incorrectas");
        row("no locality", {"EditLocEstesa"}, {""}, "Falta el nombre de la localidad");
        row("locality before coordinates", {"EditLocEstesa", "EditCoord"}, {"", ""},
            "Falta el nombre de la localidad");
        row("no coordinates", {"EditCoord"}, {""}, coordinates);
        row("short coordinates", {"EditCoord"}, {"45N28-009E1"}, coordinates);
        row("latitude 90", {"EditCoord"}, {"90N00-009E11"}, coordinates);
        row("letter X for the longitude", {"EditCoord"}, {"45N28-009X11"}, coordinates);
        row("latitude minutes 61", {"EditCoord"}, {"45N61-009E11"}, coordinates);
        row("longitude 180", {"EditCoord"}, {"45N28-180E00"}, coordinates);
        row("coordinates before correction", {"EditCoord", "EditFuso"}, {"", ""}, coordinates);
        row("no correction", {"EditFuso"}, {""}, correction);
        row("a sign alone", {"EditFuso"}, {"+"}, correction);
        row("no number", {"EditFuso"}, {"-abc"}, correction);
        row("minutes of 60 pass", {"EditCoord"}, {"45N60-009E60"}, "");
        row("Julian calendar", {"EditCalend"}, {"GIUL"}, "");
    }
    void continuarChecksInOrder() {
        QFETCH(QStringList, edits);
        QFETCH(QStringList, texts);
        QFETCH(QString, message);
        EnterMilano();
        for (int i = 0; i < edits.size(); ++i)
            Child(edits[i].toLatin1().constData())->setText(texts[i]);
        Child<QPushButton>("BBprosegui")->click();
        const bool handedOver = message.isEmpty() && !texts.contains(QString());
        if (message.isEmpty()) {
            QVERIFY(messages_->texts.isEmpty());
        } else {
            QCOMPARE(messages_->texts, QStringList{message});
            QCOMPARE(messages_->icons.first(), message == QStringLiteral("Fecha Incorrectas")
                                                   ? QMessageBox::Critical
                                                   : QMessageBox::Warning);
        }
        QCOMPARE(handed_.size(), handedOver ? std::size_t{1} : std::size_t{0});
        QCOMPARE(form_->isVisible(), !handedOver);
        // "Continuar" locks the panel first, whatever it finds.
        QVERIFY(!Child<QGroupBox>("PanelResult")->isEnabled());
    }

    void julianCalendarChangesTheDateAndTheDay() {
        EnterMilano(QStringLiteral("1560"));
        QCOMPARE(Child("EditCalend")->text(), QStringLiteral("GIUL"));
        Child<QToolButton>("BBLock")->click();
        QLineEdit* calendar = Child("EditCalend");
        QLineEdit* day = Child("EditJD");
        const BirthDateTime when{1, 1, 1560, 10, 30};
        Retype(calendar, QStringLiteral("greg"));
        QCOMPARE(calendar->text(), QStringLiteral("GREG"));
        QCOMPARE(day->text(), QStringFromCp1252(JulianDayEditText(
                                  UniversalJulianDay(true, when, ShownCorrection()))));
        Retype(calendar, QStringLiteral("GRE"));
        QCOMPARE(day->text(), QString());
        Retype(calendar, QStringLiteral("GIUL"));
        QCOMPARE(day->text(), QStringFromCp1252(JulianDayEditText(
                                  UniversalJulianDay(false, when, ShownCorrection()))));
        Child<QPushButton>("BBprosegui")->click();
        QCOMPARE(handed_.size(), std::size_t{1});
        QVERIFY(!handed_.front().Gregorian);
        QCOMPARE(handed_.front().BirthDateText, std::string("01/01/1560 10:30"));
    }

    void localTimeCheckBoxTakesTheLongitude_data() {
        QTest::addColumn<QString>("coordinates");
        QTest::addColumn<QString>("correction");
        QTest::newRow("east") << "45N28-009E11"
                              << "-0,6122222";
        QTest::newRow("west") << "45N28-009W11"
                              << "+0,6122222";
        QTest::newRow("Greenwich") << "51N30-000E00"
                                   << "-0";
        QTest::newRow("invalid coordinates") << "45N28-009X11"
                                             << "-1";
    }
    void localTimeCheckBoxTakesTheLongitude() {
        QFETCH(QString, coordinates);
        QFETCH(QString, correction);
        EnterMilano();
        Child<QToolButton>("BBLock")->click();
        Child("EditCoord")->setText(coordinates);
        auto* local = Child<QCheckBox>("CheckBoxLocale");
        QLineEdit* edit = Child("EditFuso");
        local->click();
        QVERIFY(local->isChecked());
        QVERIFY(edit->isReadOnly());
        QCOMPARE(Base(edit), kTeal);
        QCOMPARE(edit->text(), correction);
        local->click();
        QVERIFY(!local->isChecked());
        QVERIFY(!edit->isReadOnly());
        QCOMPARE(Base(edit), kAqua);
        QCOMPARE(edit->text(), QString());
    }

    void manualCoordinatesByDegrees() {
        EnterMilano();
        Child<QToolButton>("BBLock")->click();
        QTest::mouseDClick(Child("EditCoord"), Qt::LeftButton);
        QVERIFY(Child<QGroupBox>("PanelMan")->isVisible());
        QCOMPARE(Child("EditGrdLat")->text(), QStringLiteral("45"));
        QCOMPARE(Child("EditNS")->text(), QStringLiteral("N"));
        QCOMPARE(Child("EditPriLat")->text(), QStringLiteral("28"));
        QCOMPARE(Child("EditGrdLon")->text(), QStringLiteral("009"));
        QCOMPARE(Child("EditEWgrd")->text(), QStringLiteral("E"));
        QCOMPARE(Child("EditPriLon")->text(), QStringLiteral("11"));
        QCOMPARE(Child("EditOreLon")->text(), QString());

        Retype(Child("EditPriLon"), QStringLiteral("30"));
        // 9° 30′ is 38 minutes of time.
        QCOMPARE(Child("EditOreLon")->text(), QStringLiteral("0"));
        QCOMPARE(Child("EditMinLon")->text(), QStringLiteral("38"));
        QCOMPARE(Child("EditSecLon")->text(), QStringLiteral("0"));
        QCOMPARE(Child("EditEWore")->text(), QStringLiteral("E"));
        Retype(Child("EditNS"), QStringLiteral("s"));
        QCOMPARE(Child("EditNS")->text(), QStringLiteral("S"));
        Child<QPushButton>("BitBtn1")->click();
        QVERIFY(!Child<QGroupBox>("PanelMan")->isVisible());
        QCOMPARE(Child("EditCoord")->text(), QStringLiteral("45S28-009E30"));
        QVERIFY(messages_->texts.isEmpty());
    }

    void manualCoordinatesByTime() {
        EnterMilano();
        Child<QToolButton>("BBLock")->click();
        QTest::mouseDClick(Child("EditCoord"), Qt::LeftButton);
        // Entering the time row clears the degree row, which then follows the time.
        Retype(Child("EditOreLon"), QStringLiteral("0"));
        QCOMPARE(Child("EditGrdLon")->text(), QString());
        Retype(Child("EditMinLon"), QStringLiteral("36"));
        Retype(Child("EditSecLon"), QStringLiteral("44"));
        Retype(Child("EditEWore"), QStringLiteral("W"));
        QCOMPARE(Child("EditGrdLon")->text(), QStringLiteral("9"));
        QCOMPARE(Child("EditPriLon")->text(), QStringLiteral("11"));
        QCOMPARE(Child("EditEWgrd")->text(), QStringLiteral("W"));
        // 0 h 59 m 59 s is 14° 59.75′: the minutes round to 60, as the text keeps them.
        Retype(Child("EditMinLon"), QStringLiteral("59"));
        Retype(Child("EditSecLon"), QStringLiteral("59"));
        Child<QPushButton>("BitBtn1")->click();
        QCOMPARE(Child("EditCoord")->text(), QStringLiteral("45N28-014W60"));
    }

    void manualCoordinatesRefuseBadEntries_data() {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("cleared");
        QTest::newRow("latitude 91") << "EditGrdLat"
                                     << "91" << true;
        QTest::newRow("latitude 90 30'") << "EditPriLat"
                                         << "30" << false;
        QTest::newRow("letter X") << "EditNS"
                                  << "X" << true;
        QTest::newRow("longitude 181") << "EditGrdLon"
                                       << "181" << true;
        QTest::newRow("minutes 60") << "EditPriLon"
                                    << "60" << true;
        QTest::newRow("east or west") << "EditEWgrd"
                                      << "N" << true;
    }
    void manualCoordinatesRefuseBadEntries() {
        QFETCH(QString, edit);
        QFETCH(QString, text);
        QFETCH(bool, cleared);
        EnterMilano();
        Child<QToolButton>("BBLock")->click();
        QTest::mouseDClick(Child("EditCoord"), Qt::LeftButton);
        if (edit == QStringLiteral("EditPriLat"))
            Retype(Child("EditGrdLat"), QStringLiteral("90"));
        QLineEdit* wrong = Child(edit.toLatin1().constData());
        Retype(wrong, text);
        if (cleared) {
            QCOMPARE(wrong->text(), QString());
            QCOMPARE(Base(wrong), kRed);
        }
        Child<QPushButton>("BitBtn1")->click();
        QCOMPARE(messages_->texts, QStringList{QStringLiteral("Coordenadas Incorrectas")});
        QCOMPARE(messages_->icons.first(), QMessageBox::Critical);
        QVERIFY(Child<QGroupBox>("PanelMan")->isVisible());
        QCOMPARE(Child("EditCoord")->text(), QStringLiteral("45N28-009E11"));
        // "&Canc" leaves the coordinates as they were and closes the panel.
        Child<QPushButton>("BitBtn2")->click();
        QVERIFY(!Child<QGroupBox>("PanelMan")->isVisible());
        QCOMPARE(Child("EditCoord")->text(), QStringLiteral("45N28-009E11"));
    }

    void manualPanelKeyboardMoves() {
        EnterMilano();
        Child<QToolButton>("BBLock")->click();
        QTest::mouseDClick(Child("EditCoord"), Qt::LeftButton);
        QVERIFY(Child("EditGrdLat")->hasFocus());
        const auto press = [](int key) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        };
        press(Qt::Key_Right);
        QVERIFY(Child("EditNS")->hasFocus());
        press(Qt::Key_Down);
        QVERIFY(Child("EditEWgrd")->hasFocus());
        press(Qt::Key_Right);
        press(Qt::Key_Down);
        QVERIFY(Child("EditSecLon")->hasFocus());
        press(Qt::Key_Right);
        QVERIFY(Child("EditEWore")->hasFocus());
        press(Qt::Key_Up);
        QVERIFY(Child("EditPriLon")->hasFocus());
        press(Qt::Key_Left);
        press(Qt::Key_Left);
        press(Qt::Key_Up);
        QVERIFY(Child("EditGrdLat")->hasFocus());
    }

    void hoyAndTheDatePicker() {
        ShowForm();
        Child<QPushButton>("BitBtnOggi")->click();
        const QDate today = QDate::currentDate();
        QCOMPARE(Child("EditGiorno")->text().toInt(), today.day());
        QCOMPARE(Child("EditMese")->text().toInt(), today.month());
        QCOMPARE(Child("EditAnno")->text().toInt(), today.year());
        QVERIFY(!Child("EditOra")->text().isEmpty());
        QVERIFY(!Child("EditMinuti")->text().isEmpty());

        Child("EditOra")->clear();
        Child<QDateEdit>("DateTimePicker1")->setDate(QDate(1960, 1, 1));
        QCOMPARE(Child("EditGiorno")->text(), QStringLiteral("01"));
        QCOMPARE(Child("EditMese")->text(), QStringLiteral("01"));
        QCOMPARE(Child("EditAnno")->text(), QStringLiteral("1960"));
        const int hour = Child("EditOra")->text().toInt();
        QVERIFY(hour >= 0 && hour <= 23 && !Child("EditOra")->text().isEmpty());
        TypeLocality(QStringLiteral("MILANO"));
        QCOMPARE(Child("EditCalend")->text(), QStringLiteral("GREG"));
        QVERIFY(messages_->texts.isEmpty());
    }

    void anularYVolverClosesAndTheNextOpeningStartsAfresh() {
        EnterMilano();
        QSignalSpy finished(form_.get(), &QDialog::finished);
        Child<QPushButton>("BBRitorna")->click();
        QVERIFY(!form_->isVisible());
        QCOMPARE(finished.at(0).at(0).toInt(), int(QDialog::Rejected));
        QVERIFY(handed_.empty());
        QCOMPARE(Child("EditFuso")->text(), QString());

        ShowForm();
        QCOMPARE(Child("EditSogg")->text(), QStringLiteral("ROSSI MARIO"));
        for (const char* name : {"EditGiorno", "EditMese", "EditAnno", "EditOra", "EditMinuti",
                                 "EditLocal", "EditCoord", "EditCalend"})
            QVERIFY2(Child(name)->text().isEmpty(), name);
        QCOMPARE(Child("EditStato")->text(), QStringLiteral("ITALIA"));
        QCOMPARE(Base(Child("EditLocal")), kRed);
        QCOMPARE(ListLines().first(), QStringLiteral("ABANO TERME *PD* ITALIA"));
    }

    void missingFilesAreReported() {
        fs::remove(folder_->path() / "Localita" / "ITALIA.LOC");
        ShowForm();
        QCOMPARE(errors_.size(), 1);
        QVERIFY(ListLines().isEmpty());
        Child<QPushButton>("BBperson")->click();
        QCOMPARE(ListLines().size(), 7);

        // A zone that the index does not list stops the computation with the error box.
        fs::remove(folder_->path() / "Calendar" / "Elencal.002");
        SetDate(QStringLiteral("01"), QStringLiteral("01"), QStringLiteral("1960"),
                QStringLiteral("10"), QStringLiteral("30"));
        TypeLocality(QStringLiteral("PARIS"));
        QCOMPARE(errors_.size(), 2);
        QCOMPARE(Child("EditFuso")->text(), QString());
        QVERIFY(!Child<QPushButton>("BBprosegui")->isEnabled());
    }

    void storeFormIsPlacedInsideTheMainWindow() {
        QWidget main;
        main.setGeometry(100, 80, 636, 453);
        TFoInputSpa form(&main);
        QDialog store;
        store.resize(560, 400);
        form.placeStoreForm(&store);
        QCOMPARE(store.pos(), QPoint(main.x() + 636 - 10 - 560, main.y() + 453 - 10 - 400));
    }

    // The typical use on the installed program folder, when the build has prepared it.
    void typicalUseOnTheInstalledData() {
        const fs::path built(EXORVEX_PROGRAM_DIR);
        if (!fs::exists(built / "Localita" / "ITALIA.LOC"))
            QSKIP("the program folder is not prepared in this build");
        fs::remove_all(folder_->path() / "Localita");
        fs::remove_all(folder_->path() / "Calendar");
        fs::create_directory_symlink(built / "Localita", folder_->path() / "Localita");
        fs::create_directory_symlink(built / "Calendar", folder_->path() / "Calendar");
        ShowForm();
        Child("EditSogg")->setText(QStringLiteral("ROSSI MARIO"));
        SetDate(QStringLiteral("01"), QStringLiteral("01"), QStringLiteral("1960"),
                QStringLiteral("10"), QStringLiteral("30"));
        QLineEdit* local = Child("EditLocal");
        QTest::mouseClick(local, Qt::LeftButton);
        QTest::keyClicks(local, QStringLiteral("MIL"));
        const int line = ListLines().indexOf(QStringLiteral("MILANO *MI* ITALIA"));
        QVERIFY(line >= 0);
        DoubleClickLine(line);
        QCOMPARE(Child("EditFuso")->text(), QStringLiteral("-1"));
        QCOMPARE(Child("EditCalend")->text(), QStringLiteral("GREG"));
        QCOMPARE(Child("EditCoord")->text(), QStringLiteral("45N28-009E11"));
        Child<QPushButton>("BBprosegui")->click();
        QCOMPARE(handed_.size(), std::size_t{1});
        QCOMPARE(handed_.front().GmtText, std::string("+1"));
        QVERIFY(handed_.front().Gregorian);
    }

    void storeFormCancelledClosesThisFormToo() {
        EnterMilano();
        form_->setStoreFormOpener([this](const CollectedSubject& subject) {
            handed_.push_back(subject);
            return false;
        });
        QSignalSpy finished(form_.get(), &QDialog::finished);
        Child<QPushButton>("BBprosegui")->click();
        QCOMPARE(handed_.size(), std::size_t{1});
        QVERIFY(!form_->isVisible());
        QCOMPARE(finished.at(0).at(0).toInt(), int(QDialog::Rejected));
    }

    void continuarWaitsForAName() {
        EnterMilano();
        Child("EditSogg")->clear();
        WaitIdle();
        QVERIFY(!Child<QPushButton>("BBprosegui")->isEnabled());
        // Unlocking the results enables it in any case; it then says what is missing.
        Child<QToolButton>("BBLock")->click();
        QVERIFY(Child<QPushButton>("BBprosegui")->isEnabled());
        Child<QPushButton>("BBprosegui")->click();
        QCOMPARE(messages_->texts, QStringList{QStringLiteral("Falta el nombre de la persona")});
        Child("EditSogg")->setText(QStringLiteral("ROSSI MARIO   "));
        WaitIdle();
        QCOMPARE(Child("EditSogg")->text(), QStringLiteral("ROSSI MARIO"));
        QVERIFY(Child<QPushButton>("BBprosegui")->isEnabled());
    }

  private:
    // The correction the edit shows, with its decimal comma.
    long double ShownCorrection() {
        return Child("EditFuso")->text().replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
    }
};

QTEST_MAIN(InputFormWindowTest)
#include "InputFormWindowTest.moc"

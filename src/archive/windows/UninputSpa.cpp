#include "archive/windows/UninputSpa.h"

#include "astro/Calendar.h"
#include "astro/TextHelpers.h"
#include "chart/ChartState.h"
#include "platform/Cp1252.h"
#include "platform/ErrorBox.h"
#include "platform/Errors.h"
#include "platform/NumberText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDateTime>
#include <QGroupBox>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <cctype>
#include <cmath>

namespace exo {

namespace {

const QColor kAqua(0x00, 0xFF, 0xFF);
const QColor kRed(0xFF, 0x00, 0x00);
const QColor kTeal(0x00, 0x80, 0x80);
const QColor kWhite(0xFF, 0xFF, 0xFF);
const QColor kBlack(0x00, 0x00, 0x00);

constexpr int kListRowHeight = 17;
constexpr int kEditHeight = 24;
// Hours of correction per degree of longitude (four minutes of time).
constexpr long double kHoursPerDegree = 4.0L / 60;
// Longitude corrections are cut to this width, sign included ("-0,6122222").
constexpr int kCorrectionWidth = 10;
// Locality names hold at most 31 characters; so does the typed text.
constexpr std::size_t kLocalityNameCapacity = 31;

QString Latin(std::string_view bytes) {
    return QStringFromCp1252(bytes);
}

std::string Bytes(const QString& text) {
    return Cp1252FromQString(text);
}

std::string Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

// The same colours in every state, so a disabled (locked) edit keeps its teal and white.
void SetEditColours(QLineEdit* edit, const QColor& base, const QColor& text) {
    QPalette palette = edit->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, base);
        palette.setColor(group, QPalette::Text, text);
    }
    edit->setPalette(palette);
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, const QRect& where, int maxLength = 0) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setGeometry(where);
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    SetEditColours(edit, kWhite, kBlack);
    return edit;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, const QRect& where) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(where);
    return label;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text,
                        const QRect& where) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(where);
    // Enter in an edit moves on to the next edit; it never presses a button.
    button->setAutoDefault(false);
    return button;
}

bool IntegerIn(std::string_view text, int low, int high, int& value) {
    std::int32_t n = 0;
    if (!ParseInteger(text, n) || n < low || n > high)
        return false;
    value = n;
    return true;
}

// The longitude (degrees, east positive) of a coordinates text that passes the checks of
// "Continuar": latitude 0-89 N/S minutes 0-60, longitude 0-179 E/W minutes 0-60.
std::optional<long double> CheckedLongitude(const std::string& text) {
    if (text.size() < 12)
        return std::nullopt;
    int latDegrees = 0, latMinutes = 0, lonDegrees = 0, lonMinutes = 0;
    const char ns = text[2], ew = text[9];
    if (!IntegerIn(text.substr(0, 2), 0, 89, latDegrees) || (ns != 'N' && ns != 'S') ||
        !IntegerIn(text.substr(3, 2), 0, 60, latMinutes) ||
        !IntegerIn(text.substr(6, 3), 0, 179, lonDegrees) || (ew != 'E' && ew != 'W') ||
        !IntegerIn(text.substr(10, 2), 0, 60, lonMinutes))
        return std::nullopt;
    const long double longitude = lonDegrees + lonMinutes / 60.0L;
    return ew == 'W' ? -longitude : longitude;
}

// The correction with its sign inverted, as the store form takes it: "-" before a
// correction starting with "+", "+" before one starting with "-", and a correction without
// a sign counts as positive; up to four characters follow the sign, points become commas.
// Empty when no number follows the sign.
std::string GmtTextOf(const std::string& typed) {
    const std::string correction = Trimmed(typed);
    std::string sign = "-";
    std::string digits = correction;
    if (!correction.empty() && (correction[0] == '+' || correction[0] == '-')) {
        sign = correction[0] == '+' ? "-" : "+";
        digits = correction.substr(1);
    }
    digits = digits.substr(0, 4);
    std::replace(digits.begin(), digits.end(), '.', ',');
    std::string pointed = digits;
    std::replace(pointed.begin(), pointed.end(), ',', '.');
    long double value = 0;
    // A lone sign or a text that is no number would reach the archive as a correction that
    // nothing can read back.
    if (digits.empty() ||
        !(std::isdigit(static_cast<unsigned char>(pointed[0])) || pointed[0] == '.') ||
        !ParseReal(pointed, value))
        return {};
    return sign + digits;
}

// A correction text read with a point or a comma.
bool ParseCorrection(const std::string& text, long double& value) {
    std::string pointed = Trimmed(text);
    std::replace(pointed.begin(), pointed.end(), ',', '.');
    return ParseReal(pointed, value);
}

} // namespace

enum class TFoInputSpa::BoxKind { Error, Warning, Plain };

// The results wait while a message is open, so that no second message comes over it.
void TFoInputSpa::ShowBox(BoxKind kind, const QString& text) {
    const QMessageBox::Icon icon = kind == BoxKind::Error     ? QMessageBox::Critical
                                   : kind == BoxKind::Warning ? QMessageBox::Warning
                                                              : QMessageBox::NoIcon;
    const QString title = kind == BoxKind::Error     ? QStringLiteral("Error")
                          : kind == BoxKind::Warning ? QStringLiteral("Advertencia")
                                                     : QGuiApplication::applicationDisplayName();
    QMessageBox box(icon, title, text, QMessageBox::NoButton, this);
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    ++openMessages_;
    box.exec();
    --openMessages_;
    // The form takes the focus back also where the window system leaves that to it.
    activateWindow();
    if (resultsStale_ && isVisible())
        idleTimer_->start();
}

// ---- Construction ----------------------------------------------------------------------

TFoInputSpa::TFoInputSpa(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("FoInputSpa"));
    setWindowTitle(QStringLiteral("Datos de Nacimiento de tipo"));
    setFixedSize(kClientWidth, kClientHeight);

    BuildNameAndDate();
    BuildLocality();
    BuildResultPanel();
    BuildManualPanel();
    BuildButtons();
    // The chain of the keyboard moves first, then the lists and buttons.
    QWidget* const order[] = {
        EditSogg,       EditGiorno,     EditMese,      EditAnno,   EditOra,         EditMinuti,
        EditLocal,      ListBox1,       BBItalia,      BBperson,   DateTimePicker1, BitBtnOggi,
        EditDataEstesa, EditJD,         EditLocEstesa, EditStato,  EditCoord,       EditFuso,
        EditCalend,     CheckBoxLocale, BBLock,        BBprosegui, BBRitorna};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    idleTimer_ = new QTimer(this);
    idleTimer_->setObjectName(QStringLiteral("IdleTimer"));
    idleTimer_->setSingleShot(true);
    idleTimer_->setInterval(0);
    connect(idleTimer_, &QTimer::timeout, this, &TFoInputSpa::MyIdleHandler);
}

TFoInputSpa::~TFoInputSpa() = default;

void TFoInputSpa::BuildNameAndDate() {
    LabNome = MakeLabel(this, "LabNome", QStringLiteral("Especifique siempre el nombre"),
                        QRect(10, 8, 316, 16));
    LabNome->installEventFilter(this);
    EditSogg = MakeEdit(this, "EditSogg", QRect(10, 26, 316, kEditHeight), 38);
    EditSogg->setText(QStringLiteral("HOY"));
    EditSogg->installEventFilter(this);
    connect(EditSogg, &QLineEdit::textEdited, this, [this](const QString& text) {
        const QString upper = text.toUpper();
        if (upper != text) {
            const int caret = EditSogg->cursorPosition();
            EditSogg->setText(upper);
            EditSogg->setCursorPosition(caret);
        }
    });
    connect(EditSogg, &QLineEdit::textChanged, this, &TFoInputSpa::markStale);

    LabData = MakeLabel(this, "LabData", QStringLiteral("Fecha y hora de Nacimiento"),
                        QRect(10, 58, 316, 16));
    LabData->installEventFilter(this);
    QFont bold = LabData->font();
    bold.setBold(true);
    LabData->setFont(bold);
    LabNome->setFont(bold);

    MakeLabel(this, "LabGiorno", QStringLiteral("Día"), QRect(10, 76, 36, 16));
    MakeLabel(this, "LabMese", QStringLiteral("Mes"), QRect(52, 76, 36, 16));
    MakeLabel(this, "LabAnno", QStringLiteral("Año"), QRect(94, 76, 52, 16));
    EditGiorno = MakeEdit(this, "EditGiorno", QRect(10, 92, 36, kEditHeight), 2);
    EditMese = MakeEdit(this, "EditMese", QRect(52, 92, 36, kEditHeight), 2);
    EditAnno = MakeEdit(this, "EditAnno", QRect(94, 92, 52, kEditHeight), 4);
    MakeLabel(this, "LabOra", QStringLiteral("Hora"), QRect(10, 120, 36, 16));
    MakeLabel(this, "LabMinuti", QStringLiteral("Min."), QRect(52, 120, 36, 16));
    EditOra = MakeEdit(this, "EditOra", QRect(10, 136, 36, kEditHeight), 2);
    EditMinuti = MakeEdit(this, "EditMinuti", QRect(52, 136, 36, kEditHeight), 2);
    for (QLineEdit* edit : dateEdits()) {
        edit->setAlignment(Qt::AlignCenter);
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::textChanged, this, [this, edit] { DateEditChanged(edit); });
        connect(edit, &QLineEdit::textEdited, this, [this, edit] { DateEditTyped(edit); });
    }

    DateTimePicker1 = new QDateEdit(this);
    DateTimePicker1->setObjectName(QStringLiteral("DateTimePicker1"));
    DateTimePicker1->setCalendarPopup(true);
    DateTimePicker1->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    DateTimePicker1->setMinimumDate(QDate(1, 1, 1));
    DateTimePicker1->setMaximumDate(QDate(2080, 12, 31));
    DateTimePicker1->setGeometry(156, 92, 110, kEditHeight);
    connect(DateTimePicker1, &QDateEdit::dateChanged, this, &TFoInputSpa::DateTimePicker1Change);

    BitBtnOggi = MakeButton(this, "BitBtnOggi", QStringLiteral("Hoy"), QRect(272, 91, 54, 26));
    connect(BitBtnOggi, &QPushButton::clicked, this, &TFoInputSpa::BitBtnOggiClick);

    LabNote = MakeLabel(this, "LabNote", QStringLiteral("TIEMPOS DE REG. NO ACTUALIZADOS"),
                        QRect(100, 140, 226, 16));
    LabNote->setFont(bold);
    QPalette notePalette = LabNote->palette();
    notePalette.setColor(QPalette::WindowText, kRed);
    LabNote->setPalette(notePalette);
    LabNote->hide();
}

void TFoInputSpa::BuildLocality() {
    auto* title = MakeLabel(this, "LabLocal", QStringLiteral("Localidad de Nacimiento"),
                            QRect(10, 168, 316, 16));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    EditLocal = MakeEdit(this, "EditLocal", QRect(10, 186, 316, kEditHeight));
    EditLocal->setContextMenuPolicy(Qt::NoContextMenu);
    EditLocal->setDragEnabled(false);
    EditLocal->setAcceptDrops(false);
    EditLocal->installEventFilter(this);
    SetEditColours(EditLocal, kRed, kBlack);

    const int listHeight = kLocalityWindowLines * kListRowHeight + 4;
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setGeometry(10, 214, 298, listHeight);
    ListBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListBox1->setUniformItemSizes(true);
    ListBox1->setToolTip(QStringLiteral("Doble clic para seleccionar"));
    ListBox1->installEventFilter(this);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { ChooseLine(ListBox1->row(item)); });

    ScrollBar1 = new QScrollBar(Qt::Vertical, this);
    ScrollBar1->setObjectName(QStringLiteral("ScrollBar1"));
    ScrollBar1->setGeometry(308, 214, 18, listHeight);
    ScrollBar1->setSingleStep(1);
    ScrollBar1->setPageStep(kLocalityWindowLines);
    connect(ScrollBar1, &QScrollBar::actionTriggered, this, &TFoInputSpa::ScrollBar1Scroll);

    MakeLabel(this, "LabDoppio", QStringLiteral("Doble clic para seleccionar"),
              QRect(10, 216 + listHeight, 316, 16));
    BBItalia = MakeButton(this, "BBItalia", QStringLiteral("Localidades Italianas"),
                          QRect(10, 238 + listHeight, 155, 28));
    connect(BBItalia, &QPushButton::clicked, this,
            [this] { SwitchLocalityFile(LocalitySource::Italian); });
    BBperson = MakeButton(this, "BBperson", QStringLiteral("Localidades Extranjeras"),
                          QRect(171, 238 + listHeight, 155, 28));
    connect(BBperson, &QPushButton::clicked, this,
            [this] { SwitchLocalityFile(LocalitySource::Foreign); });
}

void TFoInputSpa::BuildResultPanel() {
    PanelResult = new QGroupBox(QStringLiteral("Resultados de los datos de nacimiento"), this);
    PanelResult->setObjectName(QStringLiteral("PanelResult"));
    PanelResult->setGeometry(340, 8, 314, 276);
    // Locked, the panel is disabled; its captions stay as readable as the rest of the form.
    QPalette captions = PanelResult->palette();
    captions.setColor(QPalette::Disabled, QPalette::WindowText,
                      captions.color(QPalette::Active, QPalette::WindowText));
    PanelResult->setPalette(captions);

    struct Row {
        const char* label;
        const char* labelText;
        QLineEdit** edit;
        const char* name;
        int maxLength;
    };
    // The correction edit takes the ten characters of a correction by the longitude.
    const Row rows[] = {
        {"LabDataEstesa", "Fecha y hora", &EditDataEstesa, "EditDataEstesa", 0},
        {"LabJD", "Día juliano (TU)", &EditJD, "EditJD", 0},
        {"LabLocEstesa", "Localidad", &EditLocEstesa, "EditLocEstesa", 0},
        {"LabStato", "País", &EditStato, "EditStato", 0},
        {"LabCoord", "Coordenadas", &EditCoord, "EditCoord", 0},
        {"LabFuso", "Corrección total (h)", &EditFuso, "EditFuso", kCorrectionWidth},
        {"LabCalend", "Calend (GIUL-GREG)", &EditCalend, "EditCalend", 4},
    };
    int top = 26;
    for (const Row& row : rows) {
        MakeLabel(PanelResult, row.label, QString::fromUtf8(row.labelText),
                  QRect(10, top + 4, 128, 16));
        *row.edit =
            MakeEdit(PanelResult, row.name, QRect(140, top, 164, kEditHeight), row.maxLength);
        top += 30;
    }
    CheckBoxLocale = new QCheckBox(QStringLiteral("Usar hora local"), PanelResult);
    CheckBoxLocale->setObjectName(QStringLiteral("CheckBoxLocale"));
    CheckBoxLocale->setGeometry(140, top, 164, 22);
    connect(CheckBoxLocale, &QCheckBox::clicked, this, &TFoInputSpa::CheckBoxLocaleClick);

    connect(EditCalend, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (text != text.toUpper()) {
            const int caret = EditCalend->cursorPosition();
            EditCalend->setText(text.toUpper());
            EditCalend->setCursorPosition(caret);
        }
    });
    connect(EditCalend, &QLineEdit::textChanged, this, &TFoInputSpa::EditCalendChange);
    EditCoord->installEventFilter(this);

    BBLock = new QToolButton(this);
    BBLock->setObjectName(QStringLiteral("BBLock"));
    BBLock->setIconSize(QSize(22, 22));
    BBLock->setGeometry(340, 292, 36, 32);
    connect(BBLock, &QToolButton::clicked, this, &TFoInputSpa::BBLockClick);

    Edit1 = MakeEdit(this, "Edit1", QRect(386, 296, 100, kEditHeight));
    Edit1->setReadOnly(true);
    Edit1->hide();
    ComboBox2 = new QComboBox(this);
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    ComboBox2->setGeometry(340, 334, 314, kEditHeight + 2);
    ComboBox2->hide();
    ShowLock(true);
}

void TFoInputSpa::BuildManualPanel() {
    PanelMan = new QGroupBox(QStringLiteral("Inserction Manual"), this);
    PanelMan->setObjectName(QStringLiteral("PanelMan"));
    PanelMan->setGeometry(10, 168, 316, 226);
    PanelMan->setAutoFillBackground(true);

    const auto edit = [this](const char* name, int left, int top, int width, int maxLength) {
        QLineEdit* e = MakeEdit(PanelMan, name, QRect(left, top, width, kEditHeight), maxLength);
        e->setAlignment(Qt::AlignCenter);
        e->installEventFilter(this);
        connect(e, &QLineEdit::textEdited, this, [this] { ValidateManualPanel(); });
        return e;
    };
    const auto label = [this](const char* name, const QString& text, int left, int top, int width) {
        MakeLabel(PanelMan, name, text, QRect(left, top, width, 16));
    };

    label("LabManLat", QStringLiteral("Latitud (grados, N/S, minutos)"), 10, 24, 296);
    EditGrdLat = edit("EditGrdLat", 10, 42, 40, 2);
    EditNS = edit("EditNS", 56, 42, 30, 1);
    EditPriLat = edit("EditPriLat", 92, 42, 40, 2);
    label("LabManLon", QStringLiteral("Longitud (grados, E/W, minutos)"), 10, 72, 296);
    EditGrdLon = edit("EditGrdLon", 10, 90, 40, 3);
    EditEWgrd = edit("EditEWgrd", 56, 90, 30, 1);
    EditPriLon = edit("EditPriLon", 92, 90, 40, 2);
    label("LabManOre", QStringLiteral("Longitud en tiempo (h, m, s, E/W)"), 10, 120, 296);
    EditOreLon = edit("EditOreLon", 10, 138, 40, 2);
    EditMinLon = edit("EditMinLon", 56, 138, 40, 2);
    EditSecLon = edit("EditSecLon", 102, 138, 40, 2);
    EditEWore = edit("EditEWore", 148, 138, 30, 1);

    BitBtn1 = MakeButton(PanelMan, "BitBtn1", QStringLiteral("&OK"), QRect(10, 184, 100, 30));
    connect(BitBtn1, &QPushButton::clicked, this, &TFoInputSpa::BitBtn1Click);
    BitBtn2 = MakeButton(PanelMan, "BitBtn2", QStringLiteral("&Canc"), QRect(120, 184, 100, 30));
    connect(BitBtn2, &QPushButton::clicked, this, &TFoInputSpa::BitBtn2Click);
    PanelMan->hide();
}

void TFoInputSpa::BuildButtons() {
    BBprosegui = MakeButton(this, "BBprosegui", QStringLiteral("Continuar"),
                            QRect(340, kClientHeight - 46, 152, 34));
    QFont bold = BBprosegui->font();
    bold.setBold(true);
    BBprosegui->setFont(bold);
    connect(BBprosegui, &QPushButton::clicked, this, &TFoInputSpa::BBprosegui1Click);
    BBRitorna = MakeButton(this, "BBRitorna", QStringLiteral("Anular y Volver"),
                           QRect(502, kClientHeight - 46, 152, 34));
    connect(BBRitorna, &QPushButton::clicked, this, &TFoInputSpa::BBRitornaClick);
}

// ---- Showing, idle time, closing -------------------------------------------------------

void TFoInputSpa::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormActivate();
}

void TFoInputSpa::FormActivate() {
    for (QLineEdit* edit : dateEdits()) {
        const QSignalBlocker blocker(edit);
        edit->clear();
        SetEditColours(edit, kWhite, kBlack);
    }
    ClearResults();
    ForgetLocalityChoice();
    PanelMan->hide();
    ComboBox2->hide();
    OpenLocalityFile(LocalitySource::Italian);
    {
        const QSignalBlocker blocker(DateTimePicker1);
        DateTimePicker1->setDate(QDate::currentDate());
    }
    EditStato->setText(QStringLiteral("ITALIA"));
    ShowLock(true);
    BBprosegui->setEnabled(true);
    markStale();
    EditSogg->setFocus();
}

void TFoInputSpa::markStale() {
    resultsStale_ = true;
    if (isVisible())
        idleTimer_->start();
}

void TFoInputSpa::MyIdleHandler() {
    if (!resultsStale_ || !isVisible() || openMessages_ > 0)
        return;
    resultsStale_ = false;
    LabNote->hide();
    RunChecked([this] {
        if (RunDateCheck() && chosen_ && file_)
            ComputeResults();
    });
}

void TFoInputSpa::done(int result) {
    idleTimer_->stop();
    CloseLocalityFile();
    PanelMan->hide();
    QDialog::done(result);
}

void TFoInputSpa::BBRitornaClick() {
    CloseLocalityFile();
    ClearResults();
    reject();
}

// ---- Name, date and time ---------------------------------------------------------------

std::array<QLineEdit*, 5> TFoInputSpa::dateEdits() const {
    return {EditGiorno, EditMese, EditAnno, EditOra, EditMinuti};
}

void TFoInputSpa::DateEditChanged(QLineEdit* edit) {
    const QString trimmed = edit->text().trimmed();
    if (trimmed != edit->text()) {
        edit->setText(trimmed);
        return; // the change of the trimmed text marks the results
    }
    markStale();
}

void TFoInputSpa::DateEditTyped(QLineEdit* edit) {
    SetEditColours(edit, kWhite, kBlack);
    // The edit hears of the typing before the blanks go.
    if (edit->text().trimmed().size() >= edit->maxLength())
        DateEditKey(edit, Qt::Key_Return);
}

// The moves of Enter and the arrows: name, day, month, year, hour, minute, locality in a
// chain; up and down between the date row and the time row.
bool TFoInputSpa::DateEditKey(QLineEdit* edit, int key) {
    const std::array<QLineEdit*, 7> chain = {EditSogg, EditGiorno, EditMese, EditAnno,
                                             EditOra,  EditMinuti, EditLocal};
    const auto at = std::find(chain.begin(), chain.end(), edit) - chain.begin();
    const bool isName = edit == EditSogg;
    QLineEdit* target = nullptr;
    if (key == Qt::Key_Return || key == Qt::Key_Enter || (key == Qt::Key_Right && !isName))
        target = chain[static_cast<std::size_t>(at + 1)];
    else if (key == Qt::Key_Left && !isName)
        target = chain[static_cast<std::size_t>(at - 1)];
    else if (key == Qt::Key_Down && edit == EditGiorno)
        target = EditOra;
    else if (key == Qt::Key_Down && edit == EditMese)
        target = EditMinuti;
    else if (key == Qt::Key_Up && edit == EditOra)
        target = EditGiorno;
    else if (key == Qt::Key_Up && edit == EditMinuti)
        target = EditMese;
    if (!target)
        return false;
    target->setFocus(Qt::TabFocusReason);
    return true;
}

void TFoInputSpa::DateTimePicker1Change() {
    const QDate date = DateTimePicker1->date();
    const QTime now = QTime::currentTime();
    EditGiorno->setText(QString::number(date.day()).rightJustified(2, QLatin1Char('0')));
    EditMese->setText(QString::number(date.month()).rightJustified(2, QLatin1Char('0')));
    EditAnno->setText(QString::number(date.year()));
    EditOra->setText(QString::number(now.hour()).rightJustified(2, QLatin1Char('0')));
    EditMinuti->setText(QString::number(now.minute()).rightJustified(2, QLatin1Char('0')));
    markStale();
}

void TFoInputSpa::BitBtnOggiClick() {
    const QDateTime now = QDateTime::currentDateTime();
    EditGiorno->setText(QString::number(now.date().day()).rightJustified(2, QLatin1Char('0')));
    EditMese->setText(QString::number(now.date().month()).rightJustified(2, QLatin1Char('0')));
    EditAnno->setText(QString::number(now.date().year()));
    EditOra->setText(QString::number(now.time().hour()).rightJustified(2, QLatin1Char('0')));
    EditMinuti->setText(QString::number(now.time().minute()).rightJustified(2, QLatin1Char('0')));
    markStale();
}

bool TFoInputSpa::RunDateCheck() {
    const auto edits = dateEdits();
    std::array<std::string, 5> fields;
    for (std::size_t i = 0; i < edits.size(); ++i)
        fields[i] = Bytes(edits[i]->text());
    const BirthDateCheck check = CheckBirthDate(fields);
    dateValid_ = check.status == BirthDateStatus::Valid;
    if (dateValid_) {
        date_ = check.value;
        return true;
    }
    if (check.status == BirthDateStatus::Invalid) {
        QLineEdit* failing = edits[static_cast<std::size_t>(check.failing)];
        SetEditColours(failing, kRed, kBlack);
        failing->clear();
        failing->setFocus();
        ShowBox(BoxKind::Error, QStringLiteral("Fecha Incorrectas"));
        failing->setFocus();
    }
    return false;
}

// ---- Locality file and list ------------------------------------------------------------

// A file that cannot be opened is reported; the list then stays empty.
void TFoInputSpa::OpenLocalityFile(LocalitySource source) {
    CloseLocalityFile();
    source_ = source;
    RunChecked([this, source] { file_ = std::make_unique<LocalityFile>(source); });
    centre_ = ClampLocalityCentre(kFirstLocalityCentre, file_ ? file_->count() : 0);
    foundLine_ = 3;
    RunChecked([this] { DrawLocalityList(); });
}

void TFoInputSpa::CloseLocalityFile() {
    file_.reset();
}

void TFoInputSpa::SwitchLocalityFile(LocalitySource source) {
    ClearResults();
    ForgetLocalityChoice();
    OpenLocalityFile(source);
    markStale();
}

void TFoInputSpa::DrawLocalityList() {
    ListBox1->clear();
    ScrollBar1->setEnabled(file_ != nullptr);
    if (!file_)
        return;
    for (const std::string& line : LocalityWindow(*file_, centre_)) {
        auto* item = new QListWidgetItem(Latin(line), ListBox1);
        item->setSizeHint(QSize(0, kListRowHeight));
    }
    const QSignalBlocker blocker(ScrollBar1);
    ScrollBar1->setRange(1, static_cast<int>(std::max<std::int64_t>(file_->count(), 1)));
    ScrollBar1->setValue(static_cast<int>(centre_));
}

void TFoInputSpa::ScrollBar1Scroll(int action) {
    if (!file_)
        return;
    const std::int64_t count = file_->count();
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        centre_ = LocalityLineUp(centre_, count);
        break;
    case QAbstractSlider::SliderSingleStepAdd:
        centre_ = LocalityLineDown(centre_, count);
        break;
    case QAbstractSlider::SliderPageStepSub:
        centre_ = LocalityPageUp(centre_, count);
        break;
    case QAbstractSlider::SliderPageStepAdd:
        centre_ = LocalityPageDown(centre_, count);
        break;
    default: // the thumb dragged, or moved to an end
        centre_ = LocalityThumb(ScrollBar1->sliderPosition(), count);
        break;
    }
    // The bar shows the centre, not the position the platform moved it to.
    ScrollBar1->setSliderPosition(static_cast<int>(centre_));
    foundLine_ = 3;
    RunChecked([this] { DrawLocalityList(); });
}

bool TFoInputSpa::ListBox1Key(int key) {
    const int row = ListBox1->currentRow();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        ChooseLine(row);
        return true;
    }
    if (!file_ || ListBox1->count() < kLocalityWindowLines)
        return false;
    const int last = kLocalityWindowLines - 1;
    const std::int64_t count = file_->count();
    std::int64_t centre = centre_;
    if (key == Qt::Key_Down && row == last)
        centre = LocalityListDown(centre_, count);
    else if (key == Qt::Key_Up && row == 0)
        centre = LocalityListUp(centre_, count);
    else if (key == Qt::Key_PageDown && row == last)
        centre = LocalityListPageDown(centre_, count);
    else if (key == Qt::Key_PageUp && row == 0)
        centre = LocalityListPageUp(centre_, count);
    else
        return false;
    centre_ = centre;
    foundLine_ = 3;
    RunChecked([this] { DrawLocalityList(); });
    ListBox1->setCurrentRow(row);
    return true;
}

void TFoInputSpa::ChooseLine(int line) {
    if (!file_)
        return;
    const auto record = LocalityOfLine(centre_, line, file_->count());
    if (!record)
        return;
    RunChecked([this, line, record] {
        const LocalityRecord locality = file_->read(*record);
        EditFuso->clear();
        EditCalend->clear();
        EditLocal->setText(Latin(StripTrailingBlanks(locality.Name.view())));
        SetEditColours(EditLocal, kAqua, kBlack);
        chosen_ = record;
        ListBox1->setCurrentRow(line);
        markStale();
    });
}

// The locality edit keeps the letters typed into it: each key is added (a-z upper-cased),
// Backspace takes the last one back, and the list follows the search of the typed text.
bool TFoInputSpa::EditLocalKey(int key, const QString& text) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        AcceptTypedLocality();
        return true;
    }
    if (key == Qt::Key_Backspace) {
        if (!typed_.empty())
            typed_.pop_back();
    } else if (key == Qt::Key_Delete) {
        return true;
    } else if (key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Escape) {
        return false; // to the next control, or out of the form
    } else if (!text.isEmpty()) {
        if (!text.at(0).isPrint())
            return true; // control keys (a paste among them) neither type nor edit here
        if (typed_.size() < kLocalityNameCapacity)
            typed_ += UpperAscii(Bytes(text));
    } else {
        return false; // moves of the caret
    }
    EditLocal->setText(Latin(typed_));
    SetEditColours(EditLocal, kRed, kBlack);
    chosen_.reset();
    markStale();
    if (!typed_.empty() && file_) {
        RunChecked([this] {
            const LocalitySearchResult found = SearchLocality(*file_, typed_);
            centre_ = found.centre;
            foundLine_ = found.line;
            DrawLocalityList();
            ListBox1->setCurrentRow(foundLine_);
        });
    }
    return true;
}

void TFoInputSpa::EditLocalClick() {
    ForgetLocalityChoice();
    if (file_) {
        centre_ = ClampLocalityCentre(kFirstLocalityCentre, file_->count());
        foundLine_ = 3;
        RunChecked([this] { DrawLocalityList(); });
    }
    markStale();
}

// Enter in the locality edit takes the line the search found when it begins with the typed
// text. Accents do not count: "SAO PAULO" takes "SÃO PAULO", as the search found it.
void TFoInputSpa::AcceptTypedLocality() {
    for (QLineEdit* edit : dateEdits()) {
        if (edit->text().trimmed().isEmpty()) {
            ShowBox(BoxKind::Plain, QStringLiteral("Introduzca las fechas de nacimiento"));
            return;
        }
    }
    const QListWidgetItem* item = ListBox1->item(foundLine_);
    const std::string typed = NormalizeLocalityName(typed_);
    const std::string shown = item ? NormalizeLocalityName(Bytes(item->text())) : std::string();
    if (typed.empty() || !item || shown.compare(0, typed.size(), typed) != 0) {
        ShowBox(BoxKind::Plain, QStringLiteral("Haga doble clic en la Lista de la localidad"));
        return;
    }
    ChooseLine(foundLine_);
}

void TFoInputSpa::ForgetLocalityChoice() {
    typed_.clear();
    chosen_.reset();
    {
        const QSignalBlocker blocker(EditLocal);
        EditLocal->clear();
    }
    SetEditColours(EditLocal, kRed, kBlack);
}

// ---- Results ---------------------------------------------------------------------------

void TFoInputSpa::ComputeResults() {
    BBprosegui->setEnabled(false);
    LabNote->hide();
    const LocalityRecord locality = file_->read(*chosen_);
    Edit1->setText(QString::number(locality.ZoneCode));
    BirthInput input;
    input.locality = locality;
    input.source = source_;
    input.when = date_;
    input.reformOption = ReadReformOption();
    const BirthResults results = ComputeBirthResults(input);

    {
        const QSignalBlocker blocker(EditCalend);
        EditCalend->setText(Latin(results.calendar));
    }
    ComboBox2->clear();
    for (const std::string& line : results.periodList)
        ComboBox2->addItem(Latin(line));
    CheckBoxLocale->setChecked(results.localMeanTime);
    EditFuso->setText(Latin(results.correctionText));
    LabNote->setVisible(results.showNote);
    ShowLock(true);
    EditDataEstesa->setText(Latin(results.dateText));
    EditJD->setText(Latin(results.julianDayText));
    EditLocEstesa->setText(Latin(results.locality));
    EditStato->setText(Latin(results.country));
    EditCoord->setText(Latin(results.coordinatesText));
    {
        const QSignalBlocker blocker(EditSogg);
        EditSogg->setText(Latin(StripTrailingBlanks(Bytes(EditSogg->text()))));
    }
    BBprosegui->setEnabled(!EditSogg->text().isEmpty());
    results_ = results;
}

void TFoInputSpa::ClearResults() {
    for (QLineEdit* edit :
         {EditDataEstesa, EditJD, EditLocEstesa, EditStato, EditCoord, EditFuso, EditCalend}) {
        const QSignalBlocker blocker(edit);
        edit->clear();
    }
    CheckBoxLocale->setChecked(false);
    ComboBox2->clear();
    Edit1->clear();
    LabNote->hide();
    results_.reset();
    ShowCorrectionEditState();
}

void TFoInputSpa::ShowLock(bool locked) {
    PanelResult->setEnabled(!locked);
    for (QLineEdit* edit :
         {EditDataEstesa, EditJD, EditLocEstesa, EditStato, EditCoord, EditFuso, EditCalend}) {
        if (locked)
            SetEditColours(edit, kTeal, kWhite);
        else
            SetEditColours(edit, kAqua, kBlack);
    }
    ShowCorrectionEditState();
    BBLock->setIcon(QIcon(locked ? QStringLiteral(":/LockShut") : QStringLiteral(":/LockOpen")));
    if (!locked)
        BBprosegui->setEnabled(true);
}

void TFoInputSpa::BBLockClick() {
    ShowLock(PanelResult->isEnabled());
}

// While the local time is used the correction comes from the longitude and is not typed.
void TFoInputSpa::ShowCorrectionEditState() {
    const bool local = CheckBoxLocale->isChecked();
    EditFuso->setReadOnly(local);
    if (local || !PanelResult->isEnabled())
        SetEditColours(EditFuso, kTeal, kWhite);
    else
        SetEditColours(EditFuso, kAqua, kBlack);
}

void TFoInputSpa::CheckBoxLocaleClick() {
    ShowCorrectionEditState();
    if (!CheckBoxLocale->isChecked()) {
        EditFuso->clear();
        return;
    }
    const auto longitude = CheckedLongitude(Bytes(EditCoord->text()));
    if (!longitude)
        return;
    const long double hours = *longitude * kHoursPerDegree;
    const std::string text = (hours >= 0 ? "-" : "+") + GeneralText(std::fabs(hours));
    EditFuso->setText(Latin(text.substr(0, kCorrectionWidth)));
}

// The correction as the edit holds it; the computed one while the edit holds no number.
long double TFoInputSpa::EnteredCorrection() const {
    long double value = 0;
    if (ParseCorrection(Bytes(EditFuso->text()), value))
        return value;
    return results_ ? results_->correctionHours : 0;
}

void TFoInputSpa::EditCalendChange() {
    const QString calendar = EditCalend->text();
    if ((calendar != QLatin1String("GIUL") && calendar != QLatin1String("GREG")) || !dateValid_) {
        EditJD->clear();
        return;
    }
    const long double day =
        UniversalJulianDay(calendar == QLatin1String("GREG"), date_, EnteredCorrection());
    EditJD->setText(Latin(JulianDayEditText(day)));
}

// ---- Manual coordinates ----------------------------------------------------------------

void TFoInputSpa::EditCoordDblClick() {
    std::string text = Bytes(EditCoord->text());
    text.resize(std::max<std::size_t>(text.size(), 12), ' ');
    const auto set = [](QLineEdit* edit, const std::string& part) {
        edit->setText(Latin(Trimmed(part)));
        SetEditColours(edit, kAqua, kBlack);
    };
    set(EditGrdLat, text.substr(0, 2));
    set(EditNS, text.substr(2, 1));
    set(EditPriLat, text.substr(3, 2));
    set(EditGrdLon, text.substr(6, 3));
    set(EditEWgrd, text.substr(9, 1));
    set(EditPriLon, text.substr(10, 2));
    for (QLineEdit* edit : {EditOreLon, EditMinLon, EditSecLon, EditEWore})
        set(edit, {});
    longitudeEntry_ = LongitudeEntry::Degrees;
    manualCoordinates_.clear();
    PanelMan->show();
    PanelMan->raise();
    EditGrdLat->setFocus();
}

void TFoInputSpa::EnterLongitudeRow(LongitudeEntry entry) {
    longitudeEntry_ = entry;
    const auto others = entry == LongitudeEntry::Degrees
                            ? std::vector<QLineEdit*>{EditOreLon, EditMinLon, EditSecLon, EditEWore}
                            : std::vector<QLineEdit*>{EditGrdLon, EditEWgrd, EditPriLon};
    for (QLineEdit* edit : others)
        edit->clear();
    ValidateManualPanel();
}

// Checks the latitude and the longitude row being entered; failing edits turn red and are
// emptied. A valid panel fills the other longitude row and the coordinates text.
bool TFoInputSpa::ValidateManualPanel() {
    manualCoordinates_.clear();
    const auto number = [](QLineEdit* edit, int low, int high, int& value) {
        if (IntegerIn(Trimmed(Bytes(edit->text())), low, high, value)) {
            SetEditColours(edit, kAqua, kBlack);
            return true;
        }
        SetEditColours(edit, kRed, kBlack);
        edit->clear();
        return false;
    };
    const auto letter = [](QLineEdit* edit, char a, char b, char& value) {
        const QString text = edit->text().trimmed().toUpper();
        if (text == QChar::fromLatin1(a) || text == QChar::fromLatin1(b)) {
            if (edit->text() != text)
                edit->setText(text);
            SetEditColours(edit, kAqua, kBlack);
            value = text.at(0).toLatin1();
            return true;
        }
        SetEditColours(edit, kRed, kBlack);
        edit->clear();
        return false;
    };

    int latDegrees = 0, latMinutes = 0;
    char ns = 'N', ew = 'E';
    bool valid = number(EditGrdLat, 0, 90, latDegrees);
    valid = letter(EditNS, 'N', 'S', ns) && valid;
    valid = number(EditPriLat, 0, 59, latMinutes) && valid;
    long double longitude = 0;
    if (longitudeEntry_ == LongitudeEntry::Degrees) {
        int degrees = 0, minutes = 0;
        valid = number(EditGrdLon, 0, 180, degrees) && valid;
        valid = letter(EditEWgrd, 'E', 'W', ew) && valid;
        valid = number(EditPriLon, 0, 59, minutes) && valid;
        longitude = degrees + minutes / 60.0L;
    } else {
        int hours = 0, minutes = 0, seconds = 0;
        valid = number(EditOreLon, 0, 12, hours) && valid;
        valid = number(EditMinLon, 0, 59, minutes) && valid;
        valid = number(EditSecLon, 0, 59, seconds) && valid;
        valid = letter(EditEWore, 'E', 'W', ew) && valid;
        longitude = (hours + minutes / 60.0L + seconds / 3600.0L) * 15;
    }
    if (!valid || latDegrees + latMinutes / 60.0L > 90 || longitude > 180)
        return false;

    long lonDegrees = 0, lonMinutes = 0;
    if (longitudeEntry_ == LongitudeEntry::Degrees) {
        lonDegrees = std::lround(std::trunc(longitude));
        lonMinutes = std::lround((longitude - lonDegrees) * 60);
        // A degree of longitude is four minutes of time; the small allowance keeps a whole
        // second from being cut to the one before by the rounding of the division.
        const long seconds = static_cast<long>(std::trunc(longitude * 240 + 1e-6L));
        EditOreLon->setText(QString::number(seconds / 3600));
        EditMinLon->setText(QString::number(seconds % 3600 / 60));
        EditSecLon->setText(QString::number(seconds % 60));
        EditEWore->setText(QChar::fromLatin1(ew));
    } else {
        lonDegrees = static_cast<long>(std::trunc(longitude));
        lonMinutes = std::lround((longitude - lonDegrees) * 60);
        EditGrdLon->setText(QString::number(lonDegrees));
        EditPriLon->setText(QString::number(lonMinutes));
        EditEWgrd->setText(QChar::fromLatin1(ew));
    }
    manualCoordinates_ = PadLeftZeros(latDegrees, 2) + ns + PadLeftZeros(latMinutes, 2) + "-" +
                         PadLeftZeros(lonDegrees, 3) + ew + PadLeftZeros(lonMinutes, 2);
    return true;
}

// Right and left within a row, up and down between the latitude, the degree longitude and
// the time longitude rows.
bool TFoInputSpa::ManualEditKey(QLineEdit* edit, int key) {
    const std::array<std::vector<QLineEdit*>, 3> rows = {
        std::vector<QLineEdit*>{EditGrdLat, EditNS, EditPriLat},
        std::vector<QLineEdit*>{EditGrdLon, EditEWgrd, EditPriLon},
        std::vector<QLineEdit*>{EditOreLon, EditMinLon, EditSecLon, EditEWore}};
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const auto found = std::find(rows[r].begin(), rows[r].end(), edit);
        if (found == rows[r].end())
            continue;
        const std::size_t c = static_cast<std::size_t>(found - rows[r].begin());
        QLineEdit* target = nullptr;
        if (key == Qt::Key_Right && c + 1 < rows[r].size())
            target = rows[r][c + 1];
        else if (key == Qt::Key_Left && c > 0)
            target = rows[r][c - 1];
        else if (key == Qt::Key_Down && r + 1 < rows.size())
            target = rows[r + 1][std::min(c, rows[r + 1].size() - 1)];
        else if (key == Qt::Key_Up && r > 0)
            target = rows[r - 1][std::min(c, rows[r - 1].size() - 1)];
        if (!target)
            return false;
        target->setFocus(Qt::TabFocusReason);
        return true;
    }
    return false;
}

void TFoInputSpa::BitBtn1Click() {
    if (!ValidateManualPanel()) {
        ShowBox(BoxKind::Error, QStringLiteral("Coordenadas Incorrectas"));
        return;
    }
    EditCoord->setText(Latin(manualCoordinates_));
    PanelMan->hide();
}

// The panel is closed without touching the coordinates: without this the only way out of
// it would be a valid entry.
void TFoInputSpa::BitBtn2Click() {
    PanelMan->hide();
}

// ---- Continuar -------------------------------------------------------------------------

void TFoInputSpa::BBprosegui1Click() {
    ShowLock(true);
    const std::string name = Trimmed(Bytes(EditSogg->text())).substr(0, 38);
    if (name.empty()) {
        ShowBox(BoxKind::Warning, QStringLiteral("Falta el nombre de la persona"));
        return;
    }
    const QString calendar = EditCalend->text();
    if (calendar != QLatin1String("GREG") && calendar != QLatin1String("GIUL")) {
        ShowBox(BoxKind::Warning, QStringLiteral("Falta indicación  Calendario (GREG / JUL)"));
        return;
    }
    if (!RunDateCheck())
        return;
    const bool gregorian = calendar == QLatin1String("GREG");
    const long double localDay = JulianDayOf(gregorian ? 1 : 0, date_.minute, date_.hour,
                                             date_.year, date_.month, date_.day);
    std::string birthDateText;
    bool converted = false;
    RunChecked([&] {
        birthDateText = DateTextOfJulianDayByFlag(localDay, gregorian);
        converted = true;
    });
    if (!converted)
        return;
    const std::string locality = StripTrailingBlanks(Bytes(EditLocEstesa->text()));
    if (Trimmed(locality).empty()) {
        ShowBox(BoxKind::Warning, QStringLiteral("Falta el nombre de la localidad"));
        return;
    }
    const std::string coordinates = Bytes(EditCoord->text());
    if (!CheckedLongitude(coordinates)) {
        ShowBox(BoxKind::Warning, QStringLiteral("Coordenadas incorrectass o faltantes"));
        return;
    }
    const std::string gmt = GmtTextOf(Bytes(EditFuso->text()));
    if (gmt.empty()) {
        ShowBox(BoxKind::Warning, QStringLiteral("Falta corrección Coordenadas total"));
        return;
    }

    CollectedSubject& s = collected_;
    s = CollectedSubject{};
    s.Name = name;
    s.Year = date_.year;
    s.Month = date_.month;
    s.Day = date_.day;
    s.Hour = date_.hour;
    s.Minute = date_.minute;
    s.BirthDateText = birthDateText;
    s.Locality = locality;
    s.CoordinatesText = coordinates.substr(0, 12);
    s.GmtText = gmt;
    s.Country = Bytes(EditStato->text());
    s.Gregorian = gregorian;
    long double gmtValue = 0;
    ParseCorrection(gmt, gmtValue);
    // The day as shown; a day edit that holds no number gives the day of the date parts.
    if (!ParseCorrection(Bytes(EditJD->text()), s.JulianDay))
        s.JulianDay = UniversalJulianDay(gregorian, date_, -gmtValue);

    ChartState& chart = GlobalChart();
    chart.SubjectName = s.Name;
    chart.BirthYear = s.Year;
    chart.BirthMonth = s.Month;
    chart.BirthDay = s.Day;
    chart.BirthHour = s.Hour;
    chart.BirthMinute = s.Minute;
    chart.BirthDateText = s.BirthDateText;
    chart.LocalityText = s.Locality;
    chart.CoordinatesText = s.CoordinatesText;
    chart.ZoneText = s.GmtText;
    chart.NationalityText = s.Country;
    chart.GregorianCalendar = s.Gregorian;
    chart.JulianDay = s.JulianDay;

    if (!openStoreForm_)
        return;
    const bool stored = openStoreForm_(collected_);
    done(stored ? QDialog::Accepted : QDialog::Rejected);
}

void TFoInputSpa::setStoreForm(TFormRegSpa* form) {
    openStoreForm_ = [this, form](const CollectedSubject& subject) {
        placeStoreForm(form);
        return form->RegisterSubject(subject);
    };
}

void TFoInputSpa::placeStoreForm(QWidget* dialog) const {
    const QWidget* main = parentWidget() ? parentWidget()->window() : nullptr;
    if (!main)
        return;
    constexpr int kInside = 10;
    dialog->move(main->x() + main->width() - kInside - dialog->width(),
                 main->y() + main->height() - kInside - dialog->height());
}

// ---- Events ----------------------------------------------------------------------------

bool TFoInputSpa::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (watched == EditLocal)
            return EditLocalKey(key->key(), key->text());
        if (watched == ListBox1)
            return ListBox1Key(key->key());
        if (watched == EditSogg || watched == EditGiorno || watched == EditMese ||
            watched == EditAnno || watched == EditOra || watched == EditMinuti)
            return DateEditKey(static_cast<QLineEdit*>(watched), key->key());
        if (auto* edit = qobject_cast<QLineEdit*>(watched); edit && edit->parent() == PanelMan)
            return ManualEditKey(edit, key->key());
    } else if (type == QEvent::MouseButtonPress) {
        if (watched == EditLocal)
            EditLocalClick();
        else if (watched == LabData)
            SwitchLocalityFile(LocalitySource::Italian);
        else if (watched == EditSogg || watched == EditGiorno || watched == EditMese ||
                 watched == EditAnno || watched == EditOra || watched == EditMinuti)
            markStale();
    } else if (type == QEvent::MouseButtonDblClick) {
        if (watched == LabNome) {
            ComboBox2->show();
            ComboBox2->raise();
        } else if (watched == EditCoord) {
            EditCoordDblClick();
            return true;
        }
    } else if (type == QEvent::FocusIn) {
        // Coming back to the window (after a message) enters no row.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
            return QDialog::eventFilter(watched, event);
        if (watched == EditGrdLon || watched == EditEWgrd || watched == EditPriLon)
            EnterLongitudeRow(LongitudeEntry::Degrees);
        else if (watched == EditOreLon || watched == EditMinLon || watched == EditSecLon ||
                 watched == EditEWore)
            EnterLongitudeRow(LongitudeEntry::Time);
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace exo

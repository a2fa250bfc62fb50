#include "archive/windows/UnModifi.h"

#include "archive/windows/UnitRegSpa.h"
#include "astro/Calendar.h"
#include "platform/Cp1252.h"
#include "platform/NumberText.h"
#include "platform/ProgramPaths.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>

#include <cmath>

namespace exo {

namespace {

NameWindowRules ModifyRules() {
    NameWindowRules rules;
    rules.lines = 8;
    rules.linesAbove = 3;
    rules.lowestCentre = 4;
    rules.lineDownMargin = 3;
    rules.pageUpAbove = 13;
    rules.pageDownMargin = 12;
    rules.highestMargin = 4;
    rules.firstCentreBelow = 9;
    rules.firstCentreSmall = 1;
    return rules;
}

constexpr std::array<int, 4> kNoteLengths = {70, 70, 70, 65};
constexpr std::size_t kLastNoteLength = 64;

QString Latin(std::string_view bytes) {
    return QStringFromCp1252(bytes);
}

std::string Bytes(const QLineEdit* edit) {
    return Cp1252FromQString(edit->text());
}

std::string WithoutTrailingBlanks(std::string_view text) {
    const std::size_t last = text.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string() : std::string(text.substr(0, last + 1));
}

// Characters from … from + width − 1 (1-based) are all digits and their number lies within
// low … high. A field written with fewer digits is refused: the stored texts are read by
// position.
bool DigitsInRange(std::string_view text, std::size_t from, std::size_t width, int low, int high) {
    if (text.size() < from - 1 + width)
        return false;
    int value = 0;
    for (const char c : text.substr(from - 1, width)) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    return value >= low && value <= high;
}

bool DateFits(std::string_view date) {
    return date.size() == 10 && DigitsInRange(date, 1, 2, 1, 31) &&
           DigitsInRange(date, 4, 2, 1, 12) && DigitsInRange(date, 7, 4, 1, 2080);
}

bool TimeFits(std::string_view time) {
    return time.size() == 5 && DigitsInRange(time, 1, 2, 0, 23) && DigitsInRange(time, 4, 2, 0, 59);
}

bool CoordinatesFit(std::string_view c) {
    return c.size() == 12 && DigitsInRange(c, 1, 2, 0, 89) && DigitsInRange(c, 4, 2, 0, 59) &&
           DigitsInRange(c, 7, 3, 0, 179) && DigitsInRange(c, 11, 2, 0, 59) &&
           (c[2] == 'N' || c[2] == 'S') && (c[9] == 'E' || c[9] == 'W');
}

int Digits(std::string_view text, std::size_t from, std::size_t width) {
    return IntegerOrZero(text.substr(from - 1, width));
}

} // namespace

bool CorrectionPlausible(std::string_view coordinates, long double correction) {
    if (coordinates.size() < 10)
        return false;
    int longitude = Digits(coordinates, 7, 3);
    if (coordinates[9] == 'W')
        longitude = -longitude;
    return std::fabs((15 * correction + longitude) / 15) <= 2;
}

TFoModifi::TFoModifi(QWidget* parent) : SubjectSearchForm(parent, ModifyRules(), false) {
    setObjectName(QStringLiteral("FoModifi"));
    setWindowTitle(QStringLiteral("Modificar o Crear texto"));
    setFixedSize(kClientWidth, kClientHeight);

    AddLabel(this, "Label1", QStringLiteral("Bases de datos disponibles"), {8, 8, 150, 16});
    ListaArchivi->setObjectName(QStringLiteral("ListBox1"));
    ListaArchivi->setGeometry(8, 26, 150, 130);
    EditArchi->setGeometry(8, 162, 150, 22);

    GroupBoxElenco = new QGroupBox(this);
    GroupBoxElenco->setObjectName(QStringLiteral("GroupBoxElenco"));
    GroupBoxElenco->setGeometry(166, 8, 486, 226);
    AddLabel(GroupBoxElenco, "Label2", QStringLiteral("Primeras letras del nombre"),
             {8, 14, 460, 16});
    EditSoggetto->setParent(GroupBoxElenco);
    EditSoggetto->setGeometry(8, 32, 458, 22);
    AddLabel(GroupBoxElenco, "Label3", QStringLiteral("Doble clic en el nombre seleccionado"),
             {8, 60, 460, 16});
    const int listHeight = rules_.lines * kNameRowHeight + 4;
    ListaNomi->setParent(GroupBoxElenco);
    ListaNomi->setGeometry(8, 78, 440, listHeight);
    ScrollBar1->setParent(GroupBoxElenco);
    ScrollBar1->setGeometry(450, 78, 16, listHeight);
    for (QWidget* moved : std::initializer_list<QWidget*>{EditSoggetto, ListaNomi, ScrollBar1})
        moved->show();
    GroupBoxAnnotFinto = new QGroupBox(this);
    GroupBoxAnnotFinto->setObjectName(QStringLiteral("GroupBoxAnnotFinto"));
    GroupBoxAnnotFinto->setGeometry(166, 240, 486, 148);

    GroupBoxDati = new QGroupBox(this);
    GroupBoxDati->setObjectName(QStringLiteral("GroupBoxDati"));
    GroupBoxDati->setGeometry(166, 8, 486, 226);
    AddLabel(GroupBoxDati, "Label4", QStringLiteral("Nombre"), {8, 24, 100, 16});
    EditNomeSogg = AddEdit(GroupBoxDati, "EditNomeSogg", {110, 20, 366, 22});
    EditNomeSogg->setMaxLength(static_cast<int>(kKeyNameLength));
    KeepUpperCase(EditNomeSogg);
    AddLabel(GroupBoxDati, "Label5", QStringLiteral("Fecha y Hora de Nacimiento"),
             {8, 54, 170, 16});
    EditDataNasc = AddEdit(GroupBoxDati, "EditDataNasc", {180, 50, 92, 22});
    EditOraNasc = AddEdit(GroupBoxDati, "EditOraNasc", {278, 50, 56, 22});
    EditCalend = AddEdit(GroupBoxDati, "EditCalend", {340, 50, 136, 22});
    AddLabel(GroupBoxDati, "Label6", QStringLiteral("Localidad"), {8, 84, 100, 16});
    EditLocalita = AddEdit(GroupBoxDati, "EditLocalita", {110, 80, 366, 22});
    EditLocalita->setMaxLength(27);
    AddLabel(GroupBoxDati, "Label7", QStringLiteral("Corr"), {8, 114, 100, 16});
    EditGmt = AddEdit(GroupBoxDati, "EditGmt", {110, 110, 80, 22});
    AddLabel(GroupBoxDati, "Label8", QStringLiteral("Coordenad"), {206, 114, 80, 16});
    EditCoordi = AddEdit(GroupBoxDati, "EditCoordi", {290, 110, 120, 22});
    EditCoordi->setMaxLength(12);
    AddLabel(GroupBoxDati, "Label9", QStringLiteral("País"), {8, 144, 100, 16});
    EditStato = AddEdit(GroupBoxDati, "EditStato", {110, 140, 220, 22});
    EditStato->setMaxLength(20);
    AddLabel(GroupBoxDati, "Label10", QStringLiteral("Respetar formatos correctos"),
             {8, 190, 466, 16});

    GroupBoxAnnot = new QGroupBox(QStringLiteral("Notas"), this);
    GroupBoxAnnot->setObjectName(QStringLiteral("GroupBoxAnnot"));
    GroupBoxAnnot->setGeometry(166, 240, 486, 148);
    for (std::size_t i = 0; i < EditMemo.size(); ++i) {
        const std::string name = "EditMemo" + std::to_string(i + 1);
        EditMemo[i] =
            AddEdit(GroupBoxAnnot, name.c_str(), {8, 20 + 25 * static_cast<int>(i), 468, 22});
        EditMemo[i]->setMaxLength(kNoteLengths[i]);
    }
    EditNfile = AddEdit(GroupBoxAnnot, "EditNfile", {8, 120, 70, 22}, true);

    BitBtnElenco = AddButton(this, "BitBtnElenco", QStringLiteral("List"), {8, 396, 70, 36});
    BitBtnRegistra =
        AddButton(this, "BitBtnRegistra", QStringLiteral("&GUARDAR"), {84, 396, 100, 36});
    BBtesto = AddButton(this, "BBtesto", QStringLiteral("Crear / Actualizar texto ampliado"),
                        {190, 396, 220, 36});
    BitBtnAncora = AddButton(this, "BitBtnAncora", QStringLiteral("&Otra vez"), {416, 396, 80, 36});
    BitBtn3 =
        AddButton(this, "BitBtn3", QStringLiteral("Volver al Menú Principal"), {502, 396, 150, 36});
    connect(BitBtnElenco, &QPushButton::clicked, this, &TFoModifi::BitBtnElencoClick);
    connect(BitBtnRegistra, &QPushButton::clicked, this, &TFoModifi::BitBtnRegistraClick);
    connect(BBtesto, &QPushButton::clicked, this, &TFoModifi::BBtestoClick);
    connect(BitBtnAncora, &QPushButton::clicked, this, &TFoModifi::BitBtnAncoraClick);
    connect(BitBtn3, &QPushButton::clicked, this, &TFoModifi::BitBtn3Click);
    ShowNameList();
}

void TFoModifi::showEvent(QShowEvent* event) {
    SubjectSearchForm::showEvent(event);
    if (event->spontaneous())
        return;
    clearShownSubject();
    ShowNameList();
    BitBtnAncora->setEnabled(false);
    FormActivate(false);
    EditSoggetto->setFocus();
}

void TFoModifi::ShowNameList() {
    GroupBoxDati->hide();
    GroupBoxAnnot->hide();
    GroupBoxElenco->show();
    GroupBoxAnnotFinto->show();
    GroupBoxDati->setEnabled(true);
    GroupBoxAnnot->setEnabled(true);
    ListaArchivi->setEnabled(true);
    BitBtnElenco->setEnabled(false);
    BitBtnRegistra->setEnabled(false);
    BBtesto->setEnabled(false);
}

void TFoModifi::ShowDataPanels() {
    GroupBoxElenco->hide();
    GroupBoxAnnotFinto->hide();
    GroupBoxDati->show();
    GroupBoxAnnot->show();
    ListaArchivi->setEnabled(false);
    BitBtnElenco->setEnabled(true);
    BitBtnRegistra->setEnabled(true);
    BBtesto->setEnabled(true);
}

void TFoModifi::clearShownSubject() {
    SubjectShown = false;
}

void TFoModifi::chooseLine(int, bool) {
    ShowSubjectForEditing();
}

void TFoModifi::nameBoxEnter() {
    // Enter takes the centre line only from a list longer than the retrieve form's.
    if (SubjectCount > 9 && !TypedName.empty() && positionOfLine(centreLine())) {
        setChosen(keyOfLine(centreLine()), *positionOfLine(centreLine()));
        ShowSubjectForEditing();
        return;
    }
    ShowArchiveMessage(this, doubleClickMessage());
}

void TFoModifi::ShowSubjectForEditing() {
    const std::optional<std::int64_t> number = ChosenSubjectNumber();
    if (!number || archive() == nullptr)
        return;
    const SubjectArchive::Read read = archive()->readSubject(*number);
    const SubjectNotes* notes = read.Notes ? &*read.Notes : nullptr;
    const std::string& key = chosenKey();
    const SubjectEntry entry = EntryOfRecord(read.Record, notes, key);

    EditNomeSogg->setText(Latin(NameOfKey(key)));
    EditDataNasc->setText(Latin(entry.BirthDateText.substr(0, 10)));
    EditOraNasc->setText(Latin(entry.BirthDateText.substr(11, 5)));
    EditGmt->setText(Latin(entry.CorrectionText));
    EditLocalita->setText(Latin(entry.Locality));
    EditStato->setText(Latin(entry.Country));
    EditCoordi->setText(Latin(entry.CoordinatesText));
    EditCalend->setText(entry.Gregorian ? QStringLiteral("GREGORIANO")
                                        : QStringLiteral("GIULIANO"));
    // A subject without notes shows none: the lines of the subject before must not be
    // written into this one.
    for (QLineEdit* edit : EditMemo)
        edit->clear();
    EditNfile->clear();
    if (read.NotesNumber != 0 && notes) {
        for (std::size_t i = 0; i < 3; ++i)
            EditMemo[i]->setText(Latin(notes->Lines[i].view()));
        EditMemo[3]->setText(
            Latin(WithoutTrailingBlanks(notes->Lines[3].view().substr(0, kLastNoteLength))));
        EditNfile->setText(Latin(TextNumberOf(notes)));
    }
    subjectNumber_ = *number;
    notesNumber_ = read.NotesNumber;
    keyPosition_ = chosenPosition();
    SubjectShown = true;
    ShowDataPanels();
}

std::optional<SubjectEntry> TFoModifi::ValidatedEntry() {
    for (QLineEdit* edit : {EditNomeSogg, EditDataNasc, EditOraNasc, EditCalend, EditLocalita,
                            EditGmt, EditCoordi, EditStato})
        edit->setText(edit->text().trimmed());
    const std::string date = Bytes(EditDataNasc);
    const std::string time = Bytes(EditOraNasc);
    const std::string coordinates = Bytes(EditCoordi);
    const std::string calendar = Bytes(EditCalend);
    if (!DateFits(date)) {
        ShowArchiveMessage(this, QStringLiteral("Fecha de nacimiento incorrecta o incomplete"));
        return std::nullopt;
    }
    if (!TimeFits(time)) {
        ShowArchiveMessage(this, QStringLiteral("Hora nacimiento incorrecta o incompleta"));
        return std::nullopt;
    }
    if (!CoordinatesFit(coordinates)) {
        ShowArchiveMessage(this, QStringLiteral("Coordenadas incorrecta o incomplete"));
        return std::nullopt;
    }
    if (calendar != "GREGORIANO" && calendar != "GIULIANO") {
        ShowArchiveMessage(this, QStringLiteral("Error definición Calendar"));
        return std::nullopt;
    }
    std::string correctionText = Bytes(EditGmt);
    std::string withPoints = correctionText;
    std::replace(withPoints.begin(), withPoints.end(), ',', '.');
    long double correction = 0;
    long double stored = 0;
    // The stamp keeps five characters of the text: they too must read as a number.
    if (!ParseReal(withPoints, correction) || !std::isfinite(correction) ||
        !ReadCorrection(EnteredCorrectionText(correctionText).substr(0, 5), stored)) {
        ShowArchiveMessage(this,
                           QStringLiteral("Error en la entrada \"Corr.\" (corrección total)"));
        return std::nullopt;
    }
    if (static_cast<float>(correction) > 12.0f || static_cast<float>(correction) < -12.0f) {
        ShowArchiveMessage(this, QStringLiteral("Corr\" muestra un valor imposible"));
        return std::nullopt;
    }
    if (!CorrectionPlausible(coordinates, correction) &&
        !AskArchiveQuestion(
            this, QStringLiteral("Explorer"),
            QStringLiteral("Possibile Incongruenza tra Longitudine e \"Corr\", Confermi i Dati?")))
        return std::nullopt;

    SubjectEntry entry;
    entry.Name = Bytes(EditNomeSogg).substr(0, kKeyNameLength);
    entry.BirthDateText = date + " " + time;
    entry.CorrectionText = correctionText;
    entry.Correction = correction;
    entry.CoordinatesText = coordinates;
    entry.Locality = Bytes(EditLocalita);
    entry.Country = Bytes(EditStato);
    entry.Gregorian = calendar == "GREGORIANO";
    entry.JulianDay = JulianDayOf(entry.Gregorian ? 1 : 0, Digits(time, 4, 2), Digits(time, 1, 2),
                                  Digits(date, 7, 4), Digits(date, 4, 2), Digits(date, 1, 2)) +
                      correction / 24;
    for (std::size_t i = 0; i < EditMemo.size(); ++i)
        entry.NoteLines[i] = Bytes(EditMemo[i]);
    entry.TextNumber = Bytes(EditNfile);
    return entry;
}

void TFoModifi::RewriteEntry(const SubjectEntry& entry) {
    GroupBoxDati->setEnabled(false);
    GroupBoxAnnot->setEnabled(false);
    BitBtnElenco->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    bool written = false;
    RunChecked([&] {
        RewriteSubject(selectedArchive(), keyPosition_, subjectNumber_, notesNumber_, entry);
        written = true;
    });
    QApplication::restoreOverrideCursor();
    if (!written) {
        // Nothing was saved: the data stay editable for another try.
        GroupBoxDati->setEnabled(true);
        GroupBoxAnnot->setEnabled(true);
        BitBtnElenco->setEnabled(true);
        return;
    }
    SubjectShown = false;
    OpenSelectedArchive();
    BitBtnAncora->setEnabled(true);
    ListaArchivi->setEnabled(false);
    BitBtnRegistra->setEnabled(false);
    BBtesto->setEnabled(false);
}

bool TFoModifi::ValidateAndRewrite() {
    if (GroupBoxDati->isHidden() || !SubjectShown)
        return false;
    const std::optional<SubjectEntry> entry = ValidatedEntry();
    if (!entry)
        return false;
    RewriteEntry(*entry);
    return !SubjectShown;
}

void TFoModifi::BitBtnRegistraClick() {
    ValidateAndRewrite();
}

void TFoModifi::BBtestoClick() {
    if (GroupBoxDati->isHidden() || !SubjectShown)
        return;
    // The checks come first, so that a refused save reserves no text number.
    std::optional<SubjectEntry> entry = ValidatedEntry();
    if (!entry)
        return;
    const std::string archiveName = selectedArchive();
    std::string textFile;
    const bool ready = RunChecked([&] {
        const std::string number = Bytes(EditNfile);
        if (!number.empty() && FileExists(TextFileName(archiveName, number))) {
            textFile = TextFileName(archiveName, number);
            return;
        }
        const std::string fresh = NextTextNumber(archiveName);
        EditNfile->setText(Latin(fresh));
        textFile = CreateSubjectText(archiveName, fresh, entry->Name);
    });
    if (!ready)
        return;
    entry->TextNumber = Bytes(EditNfile);
    RewriteEntry(*entry);
    if (SubjectShown) // the rewrite failed
        return;
    if (RunChecked([&] { WriteTextToEdit(textFile); }))
        ShowSubjectTextEditor(this);
}

void TFoModifi::BitBtnElencoClick() {
    SubjectShown = false;
    ShowNameList();
    clearNameBox();
    RunChecked([this] { DrawList(); });
}

void TFoModifi::BitBtnAncoraClick() {
    BitBtnAncora->setEnabled(false);
    SubjectShown = false;
    ShowNameList();
    clearNameBox();
    RunChecked([this] { DrawList(); });
}

void TFoModifi::BitBtn3Click() {
    reject();
}

} // namespace exo

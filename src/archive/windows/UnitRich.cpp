#include "archive/windows/UnitRich.h"

#include "platform/Cp1252.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>

namespace exo {

namespace {

NameWindowRules RetrieveRules() {
    NameWindowRules rules;
    rules.lines = 9;
    rules.linesAbove = 4;
    rules.lowestCentre = 5;
    rules.lineDownMargin = 4;
    rules.pageUpAbove = 14;
    rules.pageDownMargin = 13;
    rules.highestMargin = 4;
    rules.firstCentreBelow = 9;
    rules.firstCentreSmall = 0;
    return rules;
}

std::string WithoutTrailingBlanks(std::string text) {
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

QString Latin(std::string_view bytes) {
    return QStringFromCp1252(bytes);
}

} // namespace

std::vector<std::string> NameParts(std::string_view name) {
    const std::string_view beforeParenthesis = name.substr(0, name.find('('));
    std::vector<std::string> parts;
    std::size_t at = 0;
    while (parts.size() < 3) {
        at = beforeParenthesis.find_first_not_of(' ', at);
        if (at == std::string_view::npos)
            break;
        std::size_t end = beforeParenthesis.find(' ', at);
        if (parts.size() == 2) // the third part is the rest of the name
            end = beforeParenthesis.find_last_not_of(' ') + 1;
        parts.emplace_back(beforeParenthesis.substr(at, end - at));
        at = end;
    }
    return parts;
}

std::string RotatedName(const std::vector<std::string>& parts, int press) {
    if (parts.size() == 2)
        return press % 2 == 1 ? parts[1] + " " + parts[0] : parts[0] + " " + parts[1];
    if (parts.size() == 3) {
        // The orders of the presses 1 to 6, as indexes of the parts.
        static constexpr int kOrders[6][3] = {{1, 2, 0}, {0, 2, 1}, {1, 0, 2},
                                              {2, 0, 1}, {2, 1, 0}, {0, 1, 2}};
        const int* order = kOrders[(press - 1) % 6];
        return parts[order[0]] + " " + parts[order[1]] + " " + parts[order[2]];
    }
    return parts.empty() ? std::string() : parts[0];
}

TFormRich::TFormRich(QWidget* parent) : SubjectSearchForm(parent, RetrieveRules(), true) {
    setObjectName(QStringLiteral("FormRich"));
    setWindowTitle(QStringLiteral("Llame los datos desde la base de datos"));
    setFixedSize(kClientWidth, kClientHeight);

    layOutSearchControls(QStringLiteral("Seleccionada"),
                         QStringLiteral("Haga doble clic para seleccionar"));

    AddLabel(this, "Label5", QStringLiteral("Nombre:"), {8, 234, 78, 16});
    EditNome = AddEdit(this, "EditNome", {90, 230, 300, 22});
    AddLabel(this, "Label6", QStringLiteral("Fecha:"), {8, 260, 78, 16});
    EditData = AddEdit(this, "EditData", {90, 256, 140, 22}, true);
    AddLabel(this, "Label7", QStringLiteral("Corr:"), {250, 260, 48, 16});
    EditCorr = AddEdit(this, "EditCorr", {300, 256, 90, 22}, true);
    AddLabel(this, "Label8", QStringLiteral("Localidad:"), {8, 286, 78, 16});
    EditLocal = AddEdit(this, "EditLocal", {90, 282, 300, 22});
    AddLabel(this, "Label9", QStringLiteral("País:"), {8, 312, 78, 16});
    EditNaz = AddEdit(this, "EditNaz", {90, 308, 300, 22});
    AddLabel(this, "Label10", QStringLiteral("Coorden.:"), {8, 338, 78, 16});
    EditCoord = AddEdit(this, "EditCoord", {90, 334, 140, 22}, true);
    AddLabel(this, "Label11", QStringLiteral("Calend:"), {250, 338, 48, 16});
    EditCal = AddEdit(this, "EditCal", {300, 334, 90, 22}, true);
    EditNome->setMaxLength(43);
    EditLocal->setMaxLength(27);
    EditNaz->setMaxLength(20);

    AddLabel(this, "Label12", QStringLiteral("Notas"), {404, 234, 200, 16});
    MemoAnnotaz = new QPlainTextEdit(this);
    MemoAnnotaz->setObjectName(QStringLiteral("MemoAnnotaz"));
    MemoAnnotaz->setGeometry(404, 252, 200, 104);
    MemoAnnotaz->setReadOnly(true);

    BitBtnInverti = AddButton(this, "BitBtnInverti", QStringLiteral("Invertir Apellido / Nombre"),
                              {8, 384, 222, 36});
    BitBtnOK = AddButton(this, "BitBtnOK", QStringLiteral("&OK"), {404, 384, 96, 36});
    BitBtnAnnulla = AddButton(this, "BitBtnAnnulla", QStringLiteral("&Anular"), {508, 384, 96, 36});

    connect(BitBtnInverti, &QPushButton::clicked, this, &TFormRich::BitBtnInvertiClick);
    connect(BitBtnOK, &QPushButton::clicked, this, &TFormRich::BitBtnOKClick);
    connect(BitBtnAnnulla, &QPushButton::clicked, this, &TFormRich::BitBtnAnnullaClick);
}

void TFormRich::showEvent(QShowEvent* event) {
    SubjectSearchForm::showEvent(event);
    if (event->spontaneous())
        return;
    clearShownSubject();
    FormActivate(false);
    EditSoggetto->setFocus();
}

QString TFormRich::doubleClickMessage() const {
    return QStringLiteral("Haga doble clic en la lista Nombre");
}

bool TFormRich::acceptsArchive(const std::string& archive) {
    if (archive != kTemporaryArchive)
        return true;
    ShowArchiveMessage(this, QStringLiteral("Nombre de archivo no admitido"));
    return false;
}

void TFormRich::clearShownSubject() {
    shown_.reset();
    nameParts_.clear();
    NamePartCycle = 0;
    for (QLineEdit* edit : {EditNome, EditLocal, EditNaz, EditData, EditCorr, EditCoord, EditCal})
        edit->clear();
    MemoAnnotaz->clear();
    BitBtnInverti->setEnabled(false);
    BitBtnOK->setEnabled(false);
}

void TFormRich::chooseLine(int, bool) {
    ShowRetrievedSubject();
}

void TFormRich::nameBoxEnter() {
    const auto begins = [this](int line) {
        const std::string& key = keyOfLine(line);
        return positionOfLine(line) && key.compare(0, TypedName.size(), TypedName) == 0;
    };
    int line = -1;
    if (windowMode()) {
        if (begins(centreLine()))
            line = centreLine();
    } else if (!TypedName.empty()) {
        // Every key is on the list: the first line that begins with the letters is the one
        // the search found.
        for (int i = 0; i < lineCount() && line < 0; ++i)
            if (begins(i))
                line = i;
    }
    if (line < 0) {
        ShowArchiveMessage(this, doubleClickMessage());
        return;
    }
    setChosen(keyOfLine(line), *positionOfLine(line));
    ShowRetrievedSubject();
}

void TFormRich::ShowRetrievedSubject() {
    clearShownSubject();
    const std::optional<std::int64_t> number = ChosenSubjectNumber();
    if (!number || archive() == nullptr)
        return;
    const std::string& key = chosenKey();
    WriteSelectedNumber(key.substr(key.size() >= 5 ? key.size() - 5 : 0), selectedArchive());
    const SubjectArchive::Read read = archive()->readSubject(*number);
    const SubjectNotes* notes = read.Notes ? &*read.Notes : nullptr;
    const SubjectEntry entry = EntryOfRecord(read.Record, notes, key);

    Shown shown;
    shown.Record = read.Record;
    if (archive()->hasNotes()) {
        shown.NotesLine = ShownNotesLine(notes);
        shown.TextNumber = TextNumberOf(notes);
    }
    const std::string name = key.substr(0, kKeyNameLength);
    nameParts_ = NameParts(name);
    EditNome->setText(Latin(WithoutTrailingBlanks(name.substr(0, name.find('(')))));
    EditData->setText(Latin(entry.BirthDateText));
    EditCorr->setText(Latin(entry.CorrectionText));
    EditCoord->setText(Latin(entry.CoordinatesText));
    EditLocal->setText(Latin(DisplayedLocality(entry.Locality)));
    EditNaz->setText(Latin(entry.Country));
    EditCal->setText(entry.Gregorian ? QStringLiteral("GREG") : QStringLiteral("GIUL"));
    MemoAnnotaz->setPlainText(Latin(shown.NotesLine));
    shown_ = std::move(shown);
    BitBtnInverti->setEnabled(true);
    BitBtnOK->setEnabled(true);
    BitBtnOK->setFocus();
    clearNameBox();
}

void TFormRich::BitBtnInvertiClick() {
    if (!shown_ || nameParts_.size() < 2)
        return;
    ++NamePartCycle;
    const QString name = Latin(RotatedName(nameParts_, NamePartCycle));
    EditNome->setText(name);
    EditSoggetto->setText(name);
}

void TFormRich::BitBtnOKClick() {
    if (nameBoxRed()) {
        clearNameBox();
        setNameBoxColour(kNameBoxAqua);
        return;
    }
    if (!shown_)
        return;
    const bool written = RunChecked([this] {
        SubjectRecord record = shown_->Record;
        const std::string coordinates(record.Place.view().substr(0, 12));
        record.Place = coordinates + Cp1252FromQString(EditLocal->text());
        record.Country = Cp1252FromQString(EditNaz->text());
        CloseSelectedArchive();
        WriteCurrentSubject(Cp1252FromQString(EditNome->text()).substr(0, 43), record);
        // The notes and the text go with the subject that has become current, and only with
        // it: a subject only looked at leaves the current one's notes as they are.
        WriteNotesLine(shown_->NotesLine);
        WriteTextPointer(selectedArchive(), shown_->TextNumber);
    });
    if (written)
        accept();
}

void TFormRich::BitBtnAnnullaClick() {
    reject();
}

void TFormRich::done(int result) {
    if (!selectedArchive().empty() && !chosenKey().empty() && chosenPosition() > 0) {
        const std::string lastHeld = TypedName.empty() ? chosenKey() : TypedName;
        RunChecked([&] {
            WriteArchiveSelection(selectedArchive(), chosenKey(), chosenPosition(), lastHeld);
        });
    }
    SubjectSearchForm::done(result);
}

} // namespace exo

#include "archive/windows/UnCancel.h"

#include "platform/Cp1252.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>

#include <algorithm>

namespace exo {

namespace {

NameWindowRules DeleteRules() {
    NameWindowRules rules;
    rules.lines = 9;
    rules.linesAbove = 4;
    rules.lowestCentre = 5;
    rules.lineDownMargin = 4;
    rules.pageUpAbove = 14;
    rules.pageDownMargin = 13;
    rules.highestMargin = 4;
    rules.firstCentreBelow = 10;
    rules.firstCentreSmall = 1;
    return rules;
}

QString Latin(std::string_view bytes) {
    return QStringFromCp1252(bytes);
}

} // namespace

TFoCancel::TFoCancel(QWidget* parent) : SubjectSearchForm(parent, DeleteRules(), true) {
    setObjectName(QStringLiteral("FoCancel"));
    setWindowTitle(QStringLiteral("Deleting data from database"));
    setFixedSize(kClientWidth, kClientHeight);

    layOutSearchControls(QStringLiteral("Elegir el base de datos"),
                         QStringLiteral("Doble clic en el nombre que desea borrar"));

    AddLabel(this, "Label5", QStringLiteral("Verificación de Datos a Eliminar"), {8, 230, 380, 16});
    MemoSogg = new QPlainTextEdit(this);
    MemoSogg->setObjectName(QStringLiteral("MemoSogg"));
    MemoSogg->setGeometry(8, 248, 380, 130);
    MemoSogg->setReadOnly(true);
    MemoSogg->setLineWrapMode(QPlainTextEdit::NoWrap);
    AddLabel(this, "Label6", QStringLiteral("Anotaciones"), {404, 230, 200, 16});
    MemoAnnotaz = new QPlainTextEdit(this);
    MemoAnnotaz->setObjectName(QStringLiteral("MemoAnnotaz"));
    MemoAnnotaz->setGeometry(404, 248, 200, 104);
    MemoAnnotaz->setReadOnly(true);
    Label10 = AddLabel(this, "Label10", QString(), {404, 358, 200, 18});
    Label10->hide();

    BitBtnElimina =
        AddButton(this, "BitBtnElimina", QStringLiteral("&Elimina los Datos"), {8, 390, 200, 36});
    BitBtnRitorna = AddButton(this, "BitBtnRitorna", QStringLiteral("&Volver al Menú Principal"),
                              {404, 390, 200, 36});
    connect(BitBtnElimina, &QPushButton::clicked, this, &TFoCancel::BitBtnEliminaClick);
    connect(BitBtnRitorna, &QPushButton::clicked, this, &TFoCancel::BitBtnRitornaClick);
}

void TFoCancel::showEvent(QShowEvent* event) {
    SubjectSearchForm::showEvent(event);
    if (event->spontaneous())
        return;
    clearShownSubject();
    FormActivate(false);
    EditSoggetto->setFocus();
}

void TFoCancel::clearShownSubject() {
    SubjectShown = false;
    textNumber_.clear();
    MemoSogg->clear();
    MemoAnnotaz->clear();
    Label10->hide();
    BitBtnElimina->setEnabled(false);
}

void TFoCancel::chooseLine(int, bool byDoubleClick) {
    ShowSubjectForDeletion(byDoubleClick);
}

void TFoCancel::nameBoxEnter() {
    if (SubjectCount > rules_.lines && !TypedName.empty() && positionOfLine(centreLine())) {
        setChosen(keyOfLine(centreLine()), *positionOfLine(centreLine()));
        ShowSubjectForDeletion(false);
        return;
    }
    ShowArchiveMessage(this, doubleClickMessage());
}

bool TFoCancel::ShowSubjectForDeletion(bool byDoubleClick) {
    const std::optional<std::int64_t> number = ChosenSubjectNumber();
    if (!number || archive() == nullptr)
        return false;
    const SubjectArchive::Read read = archive()->readSubject(*number);
    const SubjectNotes* notes = read.Notes ? &*read.Notes : nullptr;
    const std::string& key = chosenKey();
    const SubjectEntry entry = EntryOfRecord(read.Record, notes, key);

    const QStringList lines = {
        Latin(key.substr(0, kKeyNameLength)),
        Latin("Nascita " + entry.BirthDateText + "  Correz. " + entry.CorrectionText),
        Latin("Località: "_cp + entry.Locality),
        Latin("Nazionalità: "_cp + entry.Country),
        Latin("Coordinate: " + entry.CoordinatesText),
        entry.Gregorian ? QStringLiteral("Calendario: GREGORIANO")
                        : QStringLiteral("Calendario: GIULIANO"),
        Latin(read.Record.ReservedB.view()),
    };
    MemoSogg->setPlainText(lines.join(QLatin1Char('\n')));
    MemoAnnotaz->setPlainText(archive()->hasNotes() ? Latin(ShownNotesLine(notes)) : QString());
    textNumber_ = TextNumberOf(notes);
    if (byDoubleClick) {
        Label10->setText(Latin(textNumber_));
        Label10->show();
    }
    SubjectShown = true;
    BitBtnElimina->setEnabled(true);
    return true;
}

void TFoCancel::BitBtnEliminaClick() {
    if (!SubjectShown) {
        ShowArchiveMessage(this, QStringLiteral("Haga doble clic en la lista"));
        return;
    }
    bool shownAgain = false;
    if (!RunChecked([&] { shownAgain = ShowSubjectForDeletion(false); }))
        return;
    if (nameBoxRed()) {
        clearNameBox();
        setNameBoxColour(kNameBoxAqua);
        ShowArchiveMessage(this, QStringLiteral("Selección Inválida"));
        return;
    }
    if (!shownAgain || archive() == nullptr || chosenKey().empty() || chosenPosition() <= 0) {
        ShowArchiveMessage(this, QStringLiteral("Selección Inválida"));
        return;
    }
    RunChecked([this] { DeleteChosenKey(); });
}

void TFoCancel::DeleteChosenKey() {
    // The key must still be where it was chosen: only that key is ever removed.
    if (chosenPosition() > SubjectCount ||
        archive()->readKey(chosenPosition()).Key.view() != chosenKey()) {
        ShowArchiveMessage(this, QStringLiteral("Selección Inválida"));
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    struct CursorBack {
        ~CursorBack() { QApplication::restoreOverrideCursor(); }
    } cursorBack;
    DeleteSubjectKey(selectedArchive(), chosenPosition(), textNumber_);

    SubjectCount = archive()->count();
    if (WindowCentre > 9)
        --WindowCentre;
    if (SubjectCount < 10)
        WindowCentre = 1;
    if (windowMode())
        WindowCentre = std::clamp<std::int64_t>(WindowCentre, rules_.lowestCentre,
                                                SubjectCount - rules_.highestMargin);
    clearShownSubject();
    forgetChosen();
    clearNameBox();
    {
        const QSignalBlocker blocker(ScrollBar1);
        ScrollBar1->setRange(1, static_cast<int>(std::max<std::int64_t>(SubjectCount, 1)));
    }
    DrawList();
    if (SubjectCount <= 0)
        setSearchEnabled(false);
}

void TFoCancel::BitBtnRitornaClick() {
    clearShownSubject();
    clearNameBox();
    reject();
}

} // namespace exo

#include "archive/windows/UnitRegSpa.h"

#include "archive/SubjectArchive.h"
#include "archive/windows/SubjectSearch.h"
#include "astro/Calendar.h"
#include "platform/Cp1252.h"
#include "platform/NumberText.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>

#include <algorithm>

namespace exo {

namespace {

constexpr std::array<int, 4> kNoteLengths = {70, 70, 70, 65};

SubjectTextEditor& TextEditor() {
    static SubjectTextEditor editor;
    return editor;
}

QString Latin(std::string_view bytes) {
    return QStringFromCp1252(bytes);
}

// A zone text that is a bare sign stands for zero hours.
std::string ZoneText(const std::string& gmt) {
    return gmt == "+" || gmt == "-" ? gmt + "0" : gmt;
}

long double LocalJulianDay(const CollectedSubject& s) {
    return JulianDayOf(s.Gregorian ? 1 : 0, s.Minute, s.Hour, s.Year, s.Month, s.Day);
}

// Moves the focus between the note lines: Down and Enter to the next, Up to the one before,
// Enter on the last to the store button.
class NoteLineKeys : public QObject {
  public:
    NoteLineKeys(QObject* parent, std::array<QLineEdit*, 4> lines, QPushButton* store)
        : QObject(parent), lines_(lines), store_(store) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto found = std::find(lines_.begin(), lines_.end(), watched);
        if (found == lines_.end())
            return false;
        const auto line = static_cast<std::size_t>(found - lines_.begin());
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (line == lines_.size() - 1)
                store_->setFocus();
            else
                lines_[line + 1]->setFocus();
            return true;
        case Qt::Key_Down:
            if (line + 1 < lines_.size())
                lines_[line + 1]->setFocus();
            return true;
        case Qt::Key_Up:
            if (line > 0)
                lines_[line - 1]->setFocus();
            return true;
        default:
            return false;
        }
    }

  private:
    std::array<QLineEdit*, 4> lines_;
    QPushButton* store_;
};

} // namespace

void SetSubjectTextEditor(SubjectTextEditor editor) {
    TextEditor() = std::move(editor);
}

void ShowSubjectTextEditor(QWidget* over) {
    if (TextEditor())
        TextEditor()(over);
}

TFormRegSpa::TFormRegSpa(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("FormRegSpa"));
    setWindowTitle(QStringLiteral("Registro de las fechas de nacimiento"));
    setFixedSize(kClientWidth, kClientHeight);

    AddLabel(this, "Label1", QStringLiteral("DATABASE disponibles"), {8, 8, 150, 16});
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setGeometry(8, 26, 150, 118);
    EditArchi = AddEdit(this, "EditArchi", {8, 150, 150, 22}, true);

    AddLabel(this, "Label2", QStringLiteral("Los datos ya no son editables"), {170, 8, 380, 16});
    const auto row = [this](const char* label, const char* name, int top, int width) {
        AddLabel(this, (std::string(name) + "Label").c_str(), QString::fromUtf8(label),
                 {170, top + 4, 96, 16});
        return AddEdit(this, name, {268, top, width, 22}, true);
    };
    EditNomeSogg = row("Nombre:", "EditNomeSogg", 26, 282);
    EditDataNasc = row("Fecha:", "EditDataNasc", 52, 130);
    AddLabel(this, "EditGmtLabel", QStringLiteral("Corr:"), {404, 56, 40, 16});
    EditGmt = AddEdit(this, "EditGmt", {446, 52, 104, 22}, true);
    EditLocalita = row("Localidad:", "EditLocalita", 78, 282);
    EditStato = row("País:", "EditStato", 104, 282);
    EditCoord = row("Coorden.:", "EditCoord", 130, 130);
    AddLabel(this, "EditCalendLabel", QStringLiteral("Calend:"), {404, 134, 44, 16});
    EditCalend = AddEdit(this, "EditCalend", {446, 130, 104, 22}, true);
    EditJd = AddEdit(this, "EditJd", {268, 156, 130, 22}, true);

    AddLabel(this, "Label3", QStringLiteral("Notas"), {8, 184, 60, 16});
    AddLabel(this, "Label4", QStringLiteral("Datos opcionales"), {70, 184, 200, 16});
    for (std::size_t i = 0; i < EditMemo.size(); ++i) {
        const std::string name = "EditMemo" + std::to_string(i + 1);
        EditMemo[i] = AddEdit(this, name.c_str(), {8, 202 + 26 * static_cast<int>(i), 542, 22});
        EditMemo[i]->setMaxLength(kNoteLengths[i]);
        KeepUpperCase(EditMemo[i]);
    }
    EditNfile = AddEdit(this, "EditNfile", {8, 308, 70, 22}, true);

    BitBtnRegistra =
        AddButton(this, "BitBtnRegistra", QStringLiteral("GUARDAR"), {8, 350, 120, 40});
    BBregText = AddButton(this, "BBregText", QStringLiteral("Guardar y Crear Archivos de Texto"),
                          {136, 350, 240, 40});
    BBannulla =
        AddButton(this, "BBannulla", QStringLiteral("&Anular  y  Volver"), {384, 350, 166, 40});

    auto* keys = new NoteLineKeys(this, EditMemo, BitBtnRegistra);
    for (QLineEdit* line : EditMemo)
        line->installEventFilter(keys);
    connect(ListBox1, &QListWidget::itemClicked, this, &TFormRegSpa::ListBox1Click);
    connect(BitBtnRegistra, &QPushButton::clicked, this, &TFormRegSpa::BitBtnRegistraClick);
    connect(BBregText, &QPushButton::clicked, this, &TFormRegSpa::BBregTextClick);
    connect(BBannulla, &QPushButton::clicked, this, &TFormRegSpa::BBannullaClick);
}

bool TFormRegSpa::RegisterSubject(const CollectedSubject& subject) {
    setCollectedSubject(subject);
    exec();
    return stored_;
}

void TFormRegSpa::setCollectedSubject(const CollectedSubject& subject) {
    subject_ = subject;
}

void TFormRegSpa::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormActivate();
}

void TFormRegSpa::FormActivate() {
    stored_ = false;
    storedKey_.clear();
    storedPosition_ = 0;
    for (QLineEdit* line : EditMemo)
        line->clear();
    EditNfile->clear();
    FillArchiveList();

    const std::string zone = ZoneText(subject_.GmtText);
    EditNomeSogg->setText(Latin(subject_.Name));
    EditDataNasc->setText(Latin(subject_.BirthDateText));
    EditLocalita->setText(Latin(subject_.Locality));
    EditCoord->setText(Latin(subject_.CoordinatesText));
    EditStato->setText(Latin(subject_.Country));
    EditGmt->setText(Latin(zone));
    EditJd->setText(Latin(GeneralText(LocalJulianDay(subject_)).substr(0, 12)));
    EditCalend->setText(subject_.Gregorian ? QStringLiteral("GREGORIANO")
                                           : QStringLiteral("GIULIANO"));
    // The zone text is the correction with its sign turned round.
    long double zoneHours = 0;
    const bool readable = ReadCorrection(zone, zoneHours);
    correction_ = -zoneHours;
    BitBtnRegistra->setEnabled(readable);
    BBregText->setEnabled(readable);
    if (!readable)
        ShowStandardError(StandardErrorText(ConvertError(Utf8FromCp1252(zone), "corrección")));
    EditMemo[0]->setFocus();
}

void TFormRegSpa::FillArchiveList() {
    const std::vector<std::string> archives = ListedArchives(true);
    ListBox1->clear();
    for (const std::string& name : archives)
        ListBox1->addItem(ArchiveEntry(name));
    if (std::find(archives.begin(), archives.end(), "BASE") != archives.end())
        archive_ = "BASE";
    else if (std::find(archives.begin(), archives.end(), archive_) == archives.end())
        archive_.clear();
    EditArchi->setText(Latin(archive_));
}

void TFormRegSpa::ListBox1Click() {
    if (QListWidgetItem* item = ListBox1->currentItem()) {
        archive_ = Cp1252FromQString(item->text()).substr(0, 4);
        EditArchi->setText(Latin(archive_));
    }
}

void TFormRegSpa::StoreShownSubject() {
    SubjectEntry entry;
    entry.Name = subject_.Name;
    entry.BirthDateText = subject_.BirthDateText;
    entry.Correction = correction_;
    entry.CorrectionText = StoredCorrectionText(correction_);
    entry.CoordinatesText = subject_.CoordinatesText;
    entry.Locality = subject_.Locality;
    entry.Country = subject_.Country;
    entry.Gregorian = subject_.Gregorian;
    // The universal-time day of the date parts, whatever the Julian day edit of the
    // birth-data form held.
    entry.JulianDay = LocalJulianDay(subject_) + correction_ / 24;
    for (std::size_t i = 0; i < EditMemo.size(); ++i)
        entry.NoteLines[i] = Cp1252FromQString(EditMemo[i]->text());
    entry.TextNumber = Cp1252FromQString(EditNfile->text());
    const StoredSubject stored = StoreSubject(archive_, entry);
    stored_ = true;
    storedKey_ = stored.Key;
    storedPosition_ = stored.Position;
}

void TFormRegSpa::BitBtnRegistraClick() {
    if (RunChecked([this] { StoreShownSubject(); }))
        accept();
}

void TFormRegSpa::BBregTextClick() {
    const bool ready = RunChecked([this] {
        const std::string number = NextTextNumber(archive_);
        EditNfile->setText(Latin(number));
        CreateSubjectText(archive_, number, subject_.Name);
        WriteTextPointer(archive_, number);
    });
    if (!ready)
        return;
    ShowSubjectTextEditor(this);
    if (RunChecked([this] { StoreShownSubject(); }))
        accept();
}

void TFormRegSpa::BBannullaClick() {
    reject();
}

void TFormRegSpa::done(int result) {
    if (stored_)
        RunChecked([this] {
            WriteArchiveSelection(archive_, storedKey_, storedPosition_, subject_.Name);
        });
    ListBox1->clear();
    QDialog::done(result);
}

} // namespace exo

#include "archive/windows/SubjectSearch.h"

#include "platform/Cp1252.h"
#include "platform/ErrorBox.h"
#include "platform/Errors.h"

#include <QApplication>
#include <QDir>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>

namespace exo {

const QColor kNameBoxRed(0xFF, 0x00, 0x00);
const QColor kNameBoxAqua(0x00, 0xFF, 0xFF);

namespace {

constexpr std::size_t kTypedNameCapacity = 80;

struct ArchiveLabel {
    const char* name;
    const char* label;
};
constexpr ArchiveLabel kArchiveLabels[] = {{"BASE", "BASE (personale)"},
                                           {"TMPR", "TMPR (temporaneo)"},
                                           {"RICE", "RICE (speciale)"},
                                           {"BANK", "BANK (banca dati)"}};

} // namespace

void ShowArchiveMessage(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(), text,
                    QMessageBox::NoButton, parent);
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}

bool AskArchiveQuestion(QWidget* parent, const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::NoButton, parent);
    QPushButton* yes = box.addButton(QStringLiteral("Sí"), QMessageBox::YesRole);
    box.addButton(QStringLiteral("No"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.exec();
    return box.clickedButton() == yes;
}

std::vector<std::string> ListedArchives(bool withTemporary) {
    std::vector<std::string> names;
    const QStringList files = QDir::current().entryList(QDir::Files | QDir::Hidden);
    for (const QString& file : files) {
        const std::string bytes = Cp1252FromQString(file);
        if (bytes.size() != 8 || UpperSubjectText(bytes.substr(4)) != ".ST1")
            continue;
        const std::string name = UpperSubjectText(bytes.substr(0, 4));
        if (!IsArchiveName(name) || (!withTemporary && name == kTemporaryArchive))
            continue;
        names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

QString ArchiveEntry(const std::string& archive) {
    for (const ArchiveLabel& entry : kArchiveLabels)
        if (archive == entry.name)
            return QString::fromLatin1(entry.label);
    return QStringFromCp1252(archive);
}

void KeepUpperCase(QLineEdit* edit) {
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
        const QString upper = text.toUpper();
        if (upper == text)
            return;
        const int caret = edit->cursorPosition();
        edit->setText(upper.left(edit->maxLength()));
        edit->setCursorPosition(caret);
    });
}

QColor EditColour(const QLineEdit* edit) {
    return edit->palette().color(QPalette::Base);
}

void SetEditColour(QLineEdit* edit, const QColor& colour) {
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, colour);
    edit->setPalette(palette);
}

// ---- The name box and the list window ------------------------------------------------

NameBox::NameBox(QWidget* parent) : QLineEdit(parent) {
    setAutoFillBackground(true);
}

void NameBox::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit enterTyped();
        return;
    case Qt::Key_Backspace:
        emit backspaceTyped();
        return;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
        QLineEdit::keyPressEvent(event);
        return;
    default:
        break;
    }
    const QString text = event->text();
    if (!text.isEmpty() && text.front().isPrint() &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        emit letterTyped(text);
}

void NameBox::mousePressEvent(QMouseEvent* event) {
    QLineEdit::mousePressEvent(event);
    emit clicked();
}

void NameBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    switch (event->reason()) {
    case Qt::MouseFocusReason:
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason:
        emit entered();
        break;
    default:
        break;
    }
}

NameList::NameList(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setUniformItemSizes(true);
}

void NameList::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Down: {
        const bool last = count() > 0 && currentRow() == count() - 1;
        if (!last)
            QListWidget::keyPressEvent(event);
        emit downTyped(last);
        return;
    }
    case Qt::Key_Up: {
        const bool first = count() > 0 && currentRow() == 0;
        if (!first)
            QListWidget::keyPressEvent(event);
        emit upTyped(first);
        return;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit enterTyped();
        return;
    default:
        QListWidget::keyPressEvent(event);
    }
}

// ---- The searching form --------------------------------------------------------------

SubjectSearchForm::SubjectSearchForm(QWidget* parent, const NameWindowRules& rules,
                                     bool closesOnFocusLoss)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      rules_(rules), closesOnFocusLoss_(closesOnFocusLoss) {
    ListaArchivi = new QListWidget(this);
    ListaArchivi->setObjectName(QStringLiteral("ListaArchivi"));
    EditArchi = new QLineEdit(this);
    EditArchi->setObjectName(QStringLiteral("EditArchi"));
    EditArchi->setReadOnly(true);
    EditSoggetto = new NameBox(this);
    EditSoggetto->setObjectName(QStringLiteral("EditSoggetto"));
    EditSoggetto->setMaxLength(static_cast<int>(kTypedNameCapacity));
    ListaNomi = new NameList(this);
    ListaNomi->setObjectName(QStringLiteral("ListaNomi"));
    // The keys line up their record numbers only in a fixed-pitch face.
    QFont keys(QStringLiteral("Courier New"));
    keys.setStyleHint(QFont::TypeWriter);
    keys.setPointSize(9);
    ListaNomi->setFont(keys);
    ScrollBar1 = new QScrollBar(Qt::Vertical, this);
    ScrollBar1->setObjectName(QStringLiteral("ScrollBar1"));
    ScrollBar1->setPageStep(rules_.lines);
    ScrollBar1->setSingleStep(1);

    connect(ListaArchivi, &QListWidget::itemClicked, this, &SubjectSearchForm::ListaArchiviClick);
    connect(ScrollBar1, &QScrollBar::actionTriggered, this, &SubjectSearchForm::ScrollBar1Scroll);
    connect(EditSoggetto, &NameBox::letterTyped, this, &SubjectSearchForm::EditSoggettoLetter);
    connect(EditSoggetto, &NameBox::backspaceTyped, this,
            &SubjectSearchForm::EditSoggettoBackspace);
    connect(EditSoggetto, &NameBox::enterTyped, this, &SubjectSearchForm::EditSoggettoEnter);
    connect(EditSoggetto, &NameBox::clicked, this, &SubjectSearchForm::EditSoggettoClick);
    connect(EditSoggetto, &NameBox::entered, this, [this] {
        EditSoggettoClick();
        if (enteringReopensArchive() && archive_)
            OpenSelectedArchive();
    });
    connect(ListaNomi, &QListWidget::itemClicked, this, &SubjectSearchForm::ListaNomiClick);
    connect(ListaNomi, &QListWidget::itemDoubleClicked, this,
            &SubjectSearchForm::ListaNomiDblClick);
    connect(ListaNomi, &NameList::downTyped, this, &SubjectSearchForm::ListaNomiDown);
    connect(ListaNomi, &NameList::upTyped, this, &SubjectSearchForm::ListaNomiUp);
    connect(ListaNomi, &NameList::enterTyped, this, &SubjectSearchForm::ListaNomiEnter);
}

bool SubjectSearchForm::acceptsArchive(const std::string&) {
    return true;
}

QString SubjectSearchForm::doubleClickMessage() const {
    return QStringLiteral("Haga doble clic en la lista de los Nombres");
}

void SubjectSearchForm::layOutSearchControls(const QString& archiveCaption,
                                             const QString& listCaption) {
    AddLabel(this, "Label1", QStringLiteral("Bases de datos disponibles"), {8, 8, 164, 16});
    ListaArchivi->setGeometry(8, 26, 164, 130);
    AddLabel(this, "Label2", archiveCaption, {8, 164, 164, 16});
    EditArchi->setGeometry(8, 182, 164, 22);

    AddLabel(this, "Label3", QStringLiteral("Escribir las primeras letras del nombre"),
             {184, 8, 398, 16});
    EditSoggetto->setGeometry(184, 26, 398, 22);
    AddLabel(this, "Label4", listCaption, {184, 54, 398, 16});
    const int listHeight = rules_.lines * kNameRowHeight + 4;
    ListaNomi->setGeometry(184, 72, 380, listHeight);
    ScrollBar1->setGeometry(566, 72, 16, listHeight);
}

void SubjectSearchForm::FormActivate(bool withTemporary) {
    const std::vector<std::string> archives = ListedArchives(withTemporary);
    ListaArchivi->clear();
    for (const std::string& name : archives)
        ListaArchivi->addItem(ArchiveEntry(name));
    const bool baseListed = std::find(archives.begin(), archives.end(), "BASE") != archives.end();
    const bool previousListed =
        std::find(archives.begin(), archives.end(), selectedArchive_) != archives.end();
    if (baseListed)
        selectedArchive_ = "BASE";
    else if (!previousListed)
        selectedArchive_.clear();
    EditArchi->setText(QStringFromCp1252(selectedArchive_));
    forgetChosen();
    clearNameBox();
    setNameBoxColour(kNameBoxRed);
    OpenSelectedArchive();
}

bool SubjectSearchForm::OpenSelectedArchive() {
    CloseSelectedArchive();
    SubjectCount = 0;
    WindowCentre = 0;
    lineKeys_.clear();
    linePositions_.clear();
    ListaNomi->clear();
    if (selectedArchive_.empty() || !acceptsArchive(selectedArchive_)) {
        setSearchEnabled(false);
        return false;
    }
    try {
        archive_ = OpenArchive(selectedArchive_);
        SubjectCount = archive_->count();
    } catch (const InOutError& error) {
        archive_.reset();
        setSearchEnabled(false);
        ShowStandardError(StandardErrorText(error));
        return false;
    }
    if (SubjectCount <= 0) {
        auto* item = new QListWidgetItem(QStringLiteral("ARCHIVIO VUOTO"), ListaNomi);
        item->setSizeHint(QSize(ListaNomi->viewport()->width(), kNameRowHeight));
        setSearchEnabled(false);
        return false;
    }
    WindowCentre =
        SubjectCount < rules_.firstCentreBelow ? rules_.firstCentreSmall : rules_.lowestCentre;
    {
        const QSignalBlocker blocker(ScrollBar1);
        ScrollBar1->setRange(1, static_cast<int>(SubjectCount));
    }
    TypedName.clear();
    EditSoggetto->clear();
    setSearchEnabled(true);
    if (!RunChecked([this] { DrawList(); })) {
        setSearchEnabled(false);
        return false;
    }
    return true;
}

void SubjectSearchForm::CloseSelectedArchive() {
    CloseArchive(archive_);
}

bool SubjectSearchForm::windowMode() const {
    return SubjectCount > rules_.lines;
}

void SubjectSearchForm::DrawList() {
    lineKeys_.clear();
    linePositions_.clear();
    if (archive_ && SubjectCount > 0) {
        std::int64_t first = 1;
        std::int64_t last = SubjectCount;
        if (windowMode()) {
            first = WindowCentre - rules_.linesAbove;
            last = first + rules_.lines - 1;
        }
        for (std::int64_t position = std::max<std::int64_t>(first, 1);
             position <= std::min(last, SubjectCount); ++position) {
            lineKeys_.push_back(archive_->readKey(position).Key.str());
            linePositions_.push_back(position);
        }
    }
    ListaNomi->clear();
    for (const std::string& key : lineKeys_) {
        auto* item = new QListWidgetItem(QStringFromCp1252(key), ListaNomi);
        item->setSizeHint(QSize(ListaNomi->viewport()->width(), kNameRowHeight));
    }
    FollowScrollBar();
}

void SubjectSearchForm::FollowScrollBar() {
    const QSignalBlocker blocker(ScrollBar1);
    ScrollBar1->setSliderPosition(static_cast<int>(WindowCentre));
}

std::optional<std::int64_t> SubjectSearchForm::positionOfLine(int line) const {
    if (line < 0 || line >= lineCount())
        return std::nullopt;
    return linePositions_[static_cast<std::size_t>(line)];
}

const std::string& SubjectSearchForm::keyOfLine(int line) const {
    static const std::string none;
    if (line < 0 || line >= lineCount())
        return none;
    return lineKeys_[static_cast<std::size_t>(line)];
}

void SubjectSearchForm::chooseKeyOfLine(int line) {
    const std::optional<std::int64_t> position = positionOfLine(line);
    if (!position)
        return;
    setChosen(keyOfLine(line), *position);
    TypedName = chosenKey_.substr(0, kTypedNameCapacity);
    EditSoggetto->setText(QStringFromCp1252(TypedName));
    setNameBoxColour(kNameBoxAqua);
}

void SubjectSearchForm::setChosen(const std::string& key, std::int64_t position) {
    chosenKey_ = key;
    chosenPosition_ = position;
}

void SubjectSearchForm::forgetChosen() {
    chosenKey_.clear();
    chosenPosition_ = 0;
}

std::optional<std::int64_t> SubjectSearchForm::ChosenSubjectNumber() {
    if (!chosenKey_.empty())
        if (const auto number = SubjectNumberOf(chosenKey_))
            return number;
    // The centre line stands in for a chosen key that names no record.
    const int centre = windowMode() ? centreLine() : std::min(centreLine(), lineCount() - 1);
    if (const auto position = positionOfLine(centre))
        if (const auto number = SubjectNumberOf(keyOfLine(centre))) {
            setChosen(keyOfLine(centre), *position);
            return number;
        }
    clearNameBox();
    setNameBoxColour(kNameBoxRed);
    return std::nullopt;
}

bool SubjectSearchForm::nameBoxRed() const {
    return EditColour(EditSoggetto) == kNameBoxRed;
}

void SubjectSearchForm::setNameBoxColour(const QColor& colour) {
    SetEditColour(EditSoggetto, colour);
}

void SubjectSearchForm::clearNameBox() {
    TypedName.clear();
    EditSoggetto->clear();
}

void SubjectSearchForm::setSearchEnabled(bool enabled) {
    EditSoggetto->setEnabled(enabled);
    ListaNomi->setEnabled(enabled);
    ScrollBar1->setEnabled(enabled);
}

std::int64_t SubjectSearchForm::keepCentreForSearch(std::int64_t centre) const {
    if (!windowMode()) // every key is shown: the bar just points at the one found
        return std::clamp<std::int64_t>(centre, 1, std::max<std::int64_t>(SubjectCount, 1));
    return std::min(std::max<std::int64_t>(centre, rules_.lowestCentre),
                    SubjectCount - rules_.highestMargin);
}

bool SubjectSearchForm::event(QEvent* event) {
    if (event->type() == QEvent::WindowDeactivate && closesOnFocusLoss_ && isVisible())
        QTimer::singleShot(0, this, &SubjectSearchForm::CloseWhenInactive);
    return QDialog::event(event);
}

void SubjectSearchForm::CloseWhenInactive() {
    // A message box of this form takes the focus for a moment; the form stays open for it.
    if (isVisible() && !isActiveWindow() && QApplication::activeModalWidget() == this)
        reject();
}

void SubjectSearchForm::done(int result) {
    CloseSelectedArchive();
    QDialog::done(result);
}

// ---- Handlers ------------------------------------------------------------------------

void SubjectSearchForm::ListaArchiviClick(QListWidgetItem* item) {
    if (item == nullptr)
        return;
    selectedArchive_ = Cp1252FromQString(item->text()).substr(0, 4);
    EditArchi->setText(QStringFromCp1252(selectedArchive_));
    forgetChosen();
    clearShownSubject();
    clearNameBox();
    setNameBoxColour(kNameBoxRed);
    OpenSelectedArchive();
}

void SubjectSearchForm::ScrollBar1Scroll(int action) {
    std::int64_t centre = WindowCentre;
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        if (centre > rules_.lowestCentre)
            centre -= 1;
        break;
    case QAbstractSlider::SliderSingleStepAdd:
        if (centre < SubjectCount - rules_.lineDownMargin)
            centre += 1;
        break;
    case QAbstractSlider::SliderPageStepSub:
        if (centre > rules_.pageUpAbove)
            centre -= rules_.lines;
        break;
    case QAbstractSlider::SliderPageStepAdd:
        if (centre < SubjectCount - rules_.pageDownMargin)
            centre += rules_.lines;
        break;
    case QAbstractSlider::SliderMove:
        centre = std::min<std::int64_t>(
            std::max<std::int64_t>(ScrollBar1->sliderPosition(), rules_.lowestCentre),
            SubjectCount - rules_.highestMargin);
        break;
    default:
        break;
    }
    WindowCentre = centre;
    RunChecked([this] { DrawList(); });
    // Inside the action the bar takes this position as its value.
    ScrollBar1->setSliderPosition(static_cast<int>(WindowCentre));
}

void SubjectSearchForm::EditSoggettoLetter(const QString& letter) {
    if (!archive_ || SubjectCount <= 0)
        return;
    TypedName += UpperSubjectText(Cp1252FromQString(letter));
    if (TypedName.size() > kTypedNameCapacity)
        TypedName.resize(kTypedNameCapacity);
    RunChecked([this] { SearchTypedName(); });
}

void SubjectSearchForm::EditSoggettoBackspace() {
    if (!archive_ || SubjectCount <= 0)
        return;
    if (!TypedName.empty())
        TypedName.pop_back();
    RunChecked([this] { SearchTypedName(); });
}

void SubjectSearchForm::SearchTypedName() {
    // New letters stand for another subject: what was chosen or shown no longer holds.
    forgetChosen();
    clearShownSubject();
    EditSoggetto->setText(QStringFromCp1252(TypedName));
    if (TypedName.empty()) {
        setNameBoxColour(kNameBoxAqua);
        return;
    }
    SubjectArchive::Found found = archive_->findKeyPosition(TypedName);
    // The search stops on the last key below the letters, which is the key before the
    // first one that continues them with a letter ("ROS" stops before "ROSSI MARIO"): that
    // next key is the one the letters begin.
    if (!SubjectArchive::IsHit(found, TypedName) && found.Position < SubjectCount) {
        SubjectArchive::Found next{found.Position + 1, archive_->readKey(found.Position + 1)};
        if (SubjectArchive::IsHit(next, TypedName))
            found = next;
    }
    setNameBoxColour(SubjectArchive::IsHit(found, TypedName) ? kNameBoxAqua : kNameBoxRed);
    WindowCentre = keepCentreForSearch(found.Position);
    DrawList();
}

void SubjectSearchForm::EditSoggettoClick() {
    clearNameBox();
    forgetChosen();
    clearShownSubject();
    if (clickTurnsNameBoxRed())
        setNameBoxColour(kNameBoxRed);
}

void SubjectSearchForm::EditSoggettoEnter() {
    if (!archive_ || SubjectCount <= 0)
        return;
    RunChecked([this] { nameBoxEnter(); });
}

void SubjectSearchForm::ListaNomiClick(QListWidgetItem* item) {
    const int line = ListaNomi->row(item);
    if (!positionOfLine(line))
        return;
    clearShownSubject();
    chooseKeyOfLine(line);
}

void SubjectSearchForm::ListaNomiDblClick(QListWidgetItem* item) {
    const int line = ListaNomi->row(item);
    if (!positionOfLine(line))
        return;
    chooseKeyOfLine(line);
    RunChecked([&] { chooseLine(line, true); });
}

void SubjectSearchForm::ListaNomiDown(bool onLastLine) {
    if (!positionOfLine(0))
        return;
    if (onLastLine && windowMode() && WindowCentre < SubjectCount - rules_.lineDownMargin) {
        ++WindowCentre;
        RunChecked([this] { DrawList(); });
        ListaNomi->setCurrentRow(lineCount() - 1);
    }
    if ((onLastLine || showsLineAfterEveryDown()) && ListaNomi->currentItem())
        EditSoggetto->setText(ListaNomi->currentItem()->text());
}

void SubjectSearchForm::ListaNomiUp(bool onFirstLine) {
    if (onFirstLine && windowMode() && WindowCentre > rules_.lowestCentre) {
        --WindowCentre;
        RunChecked([this] { DrawList(); });
        ListaNomi->setCurrentRow(0);
    }
}

void SubjectSearchForm::ListaNomiEnter() {
    const int line = ListaNomi->currentRow();
    const QString lineText = positionOfLine(line) ? ListaNomi->item(line)->text() : QString();
    const QString boxText = EditSoggetto->text();
    if (lineText.isEmpty() || boxText.left(lineText.size()) != lineText) {
        ShowArchiveMessage(this, doubleClickMessage());
        return;
    }
    chooseKeyOfLine(line);
    RunChecked([&] { chooseLine(line, false); });
}

} // namespace exo

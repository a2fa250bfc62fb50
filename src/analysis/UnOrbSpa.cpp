#include "analysis/UnOrbSpa.h"

#include "platform/Cp1252.h"
#include "platform/ErrorBox.h"
#include "platform/Errors.h"
#include "platform/NumberText.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>

#include <algorithm>

namespace exo {

namespace {

// The internal names of the aspects, in the order of the rows.
constexpr std::array<const char*, kAspectKinds> kRowNames = {"Cong", "SmSt", "Deci", "Novi", "SmQd",
                                                             "Sett", "Sest", "Quin", "Quad", "Trig",
                                                             "SsQd", "BiQn", "Qunc", "Oppo"};

constexpr std::array<const char*, kAspectKinds> kRowAngles = {
    "0°",  "30°", "36°",  "40°",  "45°",  "360°:7", "60°",
    "72°", "90°", "120°", "135°", "144°", "150°",   "180°"};

constexpr long double kMaximumOrb = 15;
constexpr long double kMaximumExtraOrb = 6;

const QColor kAqua(0x00, 0xFF, 0xFF);
const QColor kRed(0xFF, 0x00, 0x00);
const QColor kTeal(0x00, 0x80, 0x80);
const QColor kBlue(0x00, 0x00, 0xFF);

// Geometry of the rows and of the three set columns.
constexpr int kFirstRowTop = 34;
constexpr int kRowPitch = 22;
constexpr int kEditHeight = 20;
constexpr int kColumnWidth = 66;
constexpr std::array<int, 3> kColumnLeft = {180, 250, 320};
constexpr int kSideLeft = 398;

bool IsPrincipal(int kind) {
    return kind <= Oppo;
}

int RowTop(int row) {
    return kFirstRowTop + row * kRowPitch;
}

QString Latin(std::string_view bytes) {
    return QStringFromCp1252(bytes);
}

void SetColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text, QRect geometry) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    return label;
}

QLineEdit* MakeEdit(QWidget* parent, const QString& name, QRect geometry) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setGeometry(geometry);
    edit->setAutoFillBackground(true);
    SetColour(edit, QPalette::Base, kAqua);
    return edit;
}

QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& text, QRect geometry) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    // As in the rest of the program, Enter in an edit presses no button.
    button->setAutoDefault(false);
    return button;
}

QFrame* MakeBevel(QWidget* parent, const QString& name, int left) {
    auto* bevel = new QFrame(parent);
    bevel->setObjectName(name);
    bevel->setFrameShape(QFrame::Box);
    bevel->setFrameShadow(QFrame::Plain);
    bevel->setLineWidth(2);
    bevel->setGeometry(left, kFirstRowTop - 4, kColumnWidth, kAspectKinds * kRowPitch + 6);
    bevel->setAttribute(Qt::WA_TransparentForMouseEvents);
    return bevel;
}

// Checks one edit as the idle handler does: blanks around the text go, a decimal point
// or comma is accepted and shown as a comma (the caret stays where it was), and the edit
// turns aqua when it holds a number from 0 to `maximum`. Not a number: red. Out of range:
// red and emptied. Returns false when the edit is wrong.
bool ValidateOrbEdit(QLineEdit* edit, long double maximum) {
    QString text = edit->text().trimmed();
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    long double value = 0;
    if (!ParseReal(Cp1252FromQString(text), value)) {
        SetColour(edit, QPalette::Base, kRed);
        return false;
    }
    text.replace(QLatin1Char('.'), QLatin1Char(','));
    if (text != edit->text()) {
        const int caret = edit->cursorPosition();
        edit->setText(text);
        edit->setCursorPosition(std::min<int>(caret, static_cast<int>(text.size())));
    }
    SetColour(edit, QPalette::Base, kAqua);
    if (value < 0 || value > maximum) {
        SetColour(edit, QPalette::Base, kRed);
        edit->clear();
        return false;
    }
    return true;
}

void ShowBadOrbsMessage(QWidget* parent) {
    QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(),
                    QStringLiteral("Mala Configuración de las Órbitas"), QMessageBox::NoButton,
                    parent);
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}

bool IsSetLetter(char letter) {
    return letter == 'A' || letter == 'B' || letter == 'C';
}

} // namespace

TFoOrbSpa::TFoOrbSpa(QWidget* parent, OrbSettings& settings, ChartState& chart)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      settings_(settings), chart_(chart) {
    setObjectName(QStringLiteral("FoOrbSpa"));
    setWindowTitle(QStringLiteral("Variación Aspecto de las Órbitas"));
    setFixedSize(kClientWidth, kClientHeight);

    BevelA = MakeBevel(this, QStringLiteral("BevelA"), kColumnLeft[0]);
    BevelB = MakeBevel(this, QStringLiteral("BevelB"), kColumnLeft[1]);
    BevelC = MakeBevel(this, QStringLiteral("BevelC"), kColumnLeft[2]);
    BuildRows();
    BuildSidePanel();
    BuildExtrasPanel();

    idleTimer_ = new QTimer(this);
    idleTimer_->setObjectName(QStringLiteral("IdleTimer"));
    idleTimer_->setSingleShot(true);
    idleTimer_->setInterval(0);
    connect(idleTimer_, &QTimer::timeout, this, &TFoOrbSpa::MyIdleHandler);
}

void TFoOrbSpa::BuildRows() {
    const std::array<QString, 3> headers = {Latin(OrbSetItem('A')), Latin(OrbSetItem('B')),
                                            Latin(OrbSetItem('C'))};
    for (int column = 0; column < 3; ++column) {
        auto* header = MakeLabel(this, QStringLiteral("Label%1").arg(36 + column), headers[column],
                                 QRect(kColumnLeft[column], 2, kColumnWidth, kFirstRowTop - 6));
        header->setAlignment(Qt::AlignCenter);
        header->setWordWrap(true);
    }
    const auto& setA = SetATexts();
    for (int row = 0; row < kAspectKinds; ++row) {
        const int kind = kFormOrder[row];
        const int top = RowTop(row);
        images_[row] = MakeLabel(this, QStringLiteral("Image%1").arg(row + 1), QString(),
                                 QRect(6, top, 18, 18));
        names_[row] = MakeLabel(this, QStringLiteral("Label%1").arg(row + 1),
                                Latin(AspectLabel(kind)), QRect(28, top, 100, kEditHeight));
        if (IsPrincipal(kind)) {
            QFont bold = names_[row]->font();
            bold.setBold(true);
            names_[row]->setFont(bold);
        }
        angles_[row] =
            MakeLabel(this, QStringLiteral("Label%1").arg(row + 15),
                      QString::fromUtf8(kRowAngles[row]), QRect(130, top, 46, kEditHeight));
        SetColour(angles_[row], QPalette::WindowText, kBlue);

        const QString name = QString::fromLatin1(kRowNames[row]);
        QLineEdit* edit = MakeEdit(this, QStringLiteral("Edit%1A").arg(name),
                                   QRect(kColumnLeft[0] + 4, top, kColumnWidth - 8, kEditHeight));
        edit->setReadOnly(true);
        edit->setFocusPolicy(Qt::ClickFocus);
        edit->setText(Latin(setA[row]));
        SetColour(edit, QPalette::Base, kTeal);
        SetColour(edit, QPalette::Text, Qt::white);
        QFont bold = edit->font();
        bold.setBold(true);
        edit->setFont(bold);
        editsA_[row] = edit;
    }
    // Created column by column, so Tab walks down set B and then down set C.
    for (int column = 1; column < 3; ++column) {
        auto& edits = column == 1 ? editsB_ : editsC_;
        for (int row = 0; row < kAspectKinds; ++row) {
            const QString name = QStringLiteral("Edit%1%2")
                                     .arg(QString::fromLatin1(kRowNames[row]))
                                     .arg(QLatin1Char(column == 1 ? 'B' : 'C'));
            edits[row] = MakeEdit(
                this, name,
                QRect(kColumnLeft[column] + 4, RowTop(row), kColumnWidth - 8, kEditHeight));
            connect(edits[row], &QLineEdit::textEdited, this, &TFoOrbSpa::EditCongBChange);
        }
    }
}

void TFoOrbSpa::BuildSidePanel() {
    LabelOrbite =
        MakeLabel(this, QStringLiteral("LabelOrbite"), QString(), QRect(kSideLeft, 2, 118, 34));
    LabelOrbite->setWordWrap(true);
    LabelOrbite->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(kSideLeft + 46, 36, 26, kEditHeight);
    Edit1->setReadOnly(true);
    Edit1->setAlignment(Qt::AlignCenter);

    // Top to bottom: sets A, B and C.
    const auto adoptButton = [this](const char* name, int top, char letter) {
        QPushButton* button = MakeButton(this, QString::fromLatin1(name), QStringLiteral("Adoptar"),
                                         QRect(kSideLeft, top, 118, 30));
        button->setToolTip(Latin(OrbSetItem(letter)));
        return button;
    };
    BitBtn3 = adoptButton("BitBtn3", 64, 'A');
    BitBtn2 = adoptButton("BitBtn2", 98, 'B');
    BitBtn1 = adoptButton("BitBtn1", 132, 'C');
    connect(BitBtn3, &QPushButton::clicked, this, &TFoOrbSpa::BitBtn3Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TFoOrbSpa::BitBtn2Click);
    connect(BitBtn1, &QPushButton::clicked, this, &TFoOrbSpa::BitBtn1Click);

    const std::array<QString, 4> maximumNote = {
        QStringLiteral("Valor"), QStringLiteral("máximo de "), QStringLiteral("las órbitas"),
        QStringLiteral("± 15°")};
    for (int line = 0; line < 4; ++line) {
        auto* label = MakeLabel(this, QStringLiteral("Label%1").arg(41 + line), maximumNote[line],
                                QRect(kSideLeft, 178 + 16 * line, 118, 16));
        label->setAlignment(Qt::AlignCenter);
    }
    MakeLabel(this, QStringLiteral("Image15"), QString(), QRect(kSideLeft + 50, 246, 18, 18));

    BitBtnRitorna = MakeButton(this, QStringLiteral("BitBtnRitorna"),
                               QStringLiteral("Volver al Menú"), QRect(kSideLeft, 306, 118, 40));
    connect(BitBtnRitorna, &QPushButton::clicked, this, &TFoOrbSpa::BitBtnRitornaClick);
}

void TFoOrbSpa::BuildExtrasPanel() {
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(kSideLeft - 4, 52, 124, 250);
    Panel1->setAutoFillBackground(true);
    const auto note = [this](int number, const QString& text, int top) {
        MakeLabel(Panel1, QStringLiteral("Label%1").arg(number), text, QRect(4, top, 116, 16));
    };
    note(29, QStringLiteral("Paralelos de declinación"), 4);
    note(30, QStringLiteral("y Contra-Paralelos"), 20);
    EditParal = MakeEdit(Panel1, QStringLiteral("EditParal"), QRect(4, 38, 58, kEditHeight));
    note(31, QStringLiteral("Antiscia"), 66);
    note(32, QStringLiteral("y Contrantiscia"), 82);
    EditAntis = MakeEdit(Panel1, QStringLiteral("EditAntis"), QRect(4, 100, 58, kEditHeight));
    note(33, QStringLiteral("Para estas órbita"), 136);
    note(34, QStringLiteral("no se aceptan valores"), 152);
    note(35, QStringLiteral("superiores a ± 6 °, 00"), 168);
    connect(EditParal, &QLineEdit::textEdited, this, &TFoOrbSpa::EditParalChange);
    connect(EditAntis, &QLineEdit::textEdited, this, &TFoOrbSpa::EditParalChange);
    // The extras stay in their files and are edited nowhere on screen.
    Panel1->hide();
}

void TFoOrbSpa::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // A window restored by the window manager keeps what the user has typed.
    if (!event->spontaneous())
        FormActivate();
}

void TFoOrbSpa::done(int result) {
    if (!FormClose())
        return;
    idleTimer_->stop();
    QDialog::done(result);
}

void TFoOrbSpa::FormActivate() {
    while (QApplication::overrideCursor() != nullptr)
        QApplication::restoreOverrideCursor();
    OrbFilesLoaded = RunChecked([this] {
        ShowOrbSetTexts(LoadOrbSetFile(settings_));
        ShowSelectedSet();
        LoadOrbSettings(settings_, chart_);
    });
    // Without its files the dialog has nothing to edit or adopt and writes nothing.
    if (!OrbFilesLoaded)
        ShowOrbSetTexts(OrbSetTexts{});
    for (auto* edits : {&editsB_, &editsC_})
        for (QLineEdit* edit : *edits)
            edit->setEnabled(OrbFilesLoaded);
    for (QPushButton* button : {BitBtn1, BitBtn2, BitBtn3})
        button->setEnabled(OrbFilesLoaded);
    ArmIdleHandler();
    OrbEntriesValid = true;
    OrbExtrasUnchanged = true;
    Edit1->setText(Latin(settings_.OrbSetLetter));
}

void TFoOrbSpa::MyIdleHandler() {
    if (!OrbEntriesValid) {
        OrbEntriesValid = true;
        for (const auto* edits : {&editsB_, &editsC_})
            for (QLineEdit* edit : *edits)
                if (!ValidateOrbEdit(edit, kMaximumOrb))
                    OrbEntriesValid = false;
        for (QLineEdit* edit : {EditParal, EditAntis})
            if (!ValidateOrbEdit(edit, kMaximumExtraOrb))
                OrbEntriesValid = false;
    }
    Edit1->setText(Latin(settings_.OrbSetLetter));
    BitBtnRitorna->setEnabled(OrbEntriesValid);
}

void TFoOrbSpa::EditCongBChange() {
    OrbEntriesValid = false;
    ArmIdleHandler();
}

void TFoOrbSpa::EditParalChange() {
    OrbEntriesValid = false;
    OrbExtrasUnchanged = false;
    ArmIdleHandler();
}

void TFoOrbSpa::BitBtn1Click() {
    AdoptClicked('C');
}

void TFoOrbSpa::BitBtn2Click() {
    AdoptClicked('B');
}

void TFoOrbSpa::BitBtn3Click() {
    AdoptClicked('A');
}

void TFoOrbSpa::BitBtnRitornaClick() {
    ValidatePendingEntries();
    if (OrbEntriesValid)
        accept();
}

bool TFoOrbSpa::FormClose() {
    if (!OrbFilesLoaded)
        return true;
    ValidatePendingEntries();
    // Wrong entries would reach the files half converted: the dialog stays open instead.
    if (!OrbEntriesValid)
        return false;
    // A file that cannot be written is reported; the dialog still closes, so the user is
    // never held in it.
    RunChecked([this] {
        WriteOrbSetFile(EnteredTexts(), VisibleFrameLetter());
        const char letter = Edit1Letter();
        if (!OrbExtrasUnchanged && IsSetLetter(letter)) {
            AdoptOrbSet(letter, EnteredTexts(), settings_, chart_);
            emit orbSetAdopted(letter);
        }
    });
    return true;
}

void TFoOrbSpa::ArmIdleHandler() {
    if (isVisible())
        idleTimer_->start();
}

void TFoOrbSpa::ValidatePendingEntries() {
    if (!OrbEntriesValid)
        MyIdleHandler();
}

void TFoOrbSpa::AdoptClicked(char letter) {
    ValidatePendingEntries();
    if (!OrbEntriesValid) {
        ShowBadOrbsMessage(this);
        return;
    }
    Edit1->setText(QChar::fromLatin1(letter));
    const bool adopted = RunChecked([this, letter] {
        ShowOrbSetTexts(AdoptOrbSet(letter, EnteredTexts(), settings_, chart_));
        ShowSelectedSet();
    });
    if (adopted)
        emit orbSetAdopted(letter);
    ArmIdleHandler();
}

void TFoOrbSpa::ShowOrbSetTexts(const OrbSetTexts& texts) {
    const auto show = [](QLineEdit* edit, const std::string& text) {
        edit->setText(Latin(text));
        SetColour(edit, QPalette::Base, kAqua);
    };
    for (int row = 0; row < kAspectKinds; ++row) {
        show(editsB_[row], texts.B[row]);
        show(editsC_[row], texts.C[row]);
    }
    show(EditParal, texts.Parallel);
    show(EditAntis, texts.Antiscia);
}

void TFoOrbSpa::ShowSelectedSet() {
    LabelOrbite->setText(QStringLiteral("Órbita Actualmente Seleccionada = "));
    const QString letter = Latin(settings_.OrbSetLetter);
    Edit1->setText(letter);
    BevelA->setVisible(letter == QLatin1String("A"));
    BevelB->setVisible(letter == QLatin1String("B"));
    BevelC->setVisible(letter == QLatin1String("C"));
}

OrbSetTexts TFoOrbSpa::EnteredTexts() const {
    OrbSetTexts texts;
    for (int row = 0; row < kAspectKinds; ++row) {
        texts.B[row] = Cp1252FromQString(editsB_[row]->text());
        texts.C[row] = Cp1252FromQString(editsC_[row]->text());
    }
    texts.Parallel = Cp1252FromQString(EditParal->text());
    texts.Antiscia = Cp1252FromQString(EditAntis->text());
    return texts;
}

char TFoOrbSpa::VisibleFrameLetter() const {
    if (!BevelB->isHidden())
        return 'B';
    if (!BevelC->isHidden())
        return 'C';
    // Set A also when the files named no set: the choice the main window makes then.
    return 'A';
}

char TFoOrbSpa::Edit1Letter() const {
    const QString text = Edit1->text();
    return text.size() == 1 ? text.at(0).toLatin1() : '\0';
}

} // namespace exo

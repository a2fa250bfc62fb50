#include "graphics/windows/UnSpeLin.h"

#include "graphics/DisplaySettings.h"
#include "platform/Cp1252.h"
#include "platform/ErrorBox.h"
#include "platform/NumberText.h"
#include "platform/PlacedWidgets.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QToolButton>

#include <algorithm>

namespace exo {

namespace {

constexpr long double kSmallestFactor = 0.5L;
constexpr long double kLargestFactor = 4.0L;
constexpr long double kStep = 0.95L;
constexpr int kShownCharacters = 4;

// The factor as the edit shows it: the first characters of its general text.
QString FactorText(long double factor) {
    return QString::fromStdString(GeneralText(factor).substr(0, kShownCharacters));
}

long double WithinRange(long double factor) {
    return std::clamp(factor, kSmallestFactor, kLargestFactor);
}

QToolButton* MakeArrow(QWidget* parent, const char* name, Qt::ArrowType arrow,
                       const QRect& geometry) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setArrowType(arrow);
    button->setGeometry(geometry);
    button->setAutoRepeat(true);
    return button;
}

} // namespace

TFoSpeLin::TFoSpeLin(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      settings_(GlobalDisplaySettings()) {
    setObjectName(QStringLiteral("FoSpeLin"));
    setWindowTitle(QStringLiteral("Espesor de las líneas "));
    setFixedSize(kClientWidth, kClientHeight);

    AddLabel(this, "Label1", QStringLiteral("Este factor aumenta el espesor de las líneas"),
             QRect(12, 10, 336, 18));
    AddLabel(this, "Label2", QStringLiteral("de las hojas impresas."), QRect(12, 28, 336, 18));
    AddLabel(this, "Label3", QStringLiteral("Su valor óptimo se encuentra por experimentación:"),
             QRect(12, 52, 336, 18));
    AddLabel(this, "Label4", QStringLiteral("imprimir, mirar las líneas y volver a ajustar."),
             QRect(12, 70, 336, 18));
    AddLabel(this, "Label5", QStringLiteral("Factor (0,5 … 4):"), QRect(12, 104, 120, 24));

    EditSpeLin = new QLineEdit(this);
    EditSpeLin->setObjectName(QStringLiteral("EditSpeLin"));
    EditSpeLin->setMaxLength(kShownCharacters);
    EditSpeLin->setGeometry(136, 104, 60, 24);

    SpinButton1 = new QWidget(this);
    SpinButton1->setObjectName(QStringLiteral("SpinButton1"));
    SpinButton1->setGeometry(198, 104, 20, 24);
    SpinButton1Up = MakeArrow(SpinButton1, "SpinButton1Up", Qt::UpArrow, QRect(0, 0, 20, 12));
    SpinButton1Down =
        MakeArrow(SpinButton1, "SpinButton1Down", Qt::DownArrow, QRect(0, 12, 20, 12));

    BitBtn1 = AddButton(this, "BitBtn1", QStringLiteral("Reajustar"), QRect(236, 102, 112, 28));
    BitBtnRitorna =
        AddButton(this, "BitBtnRitorna", QStringLiteral("&Atrás"), QRect(236, 154, 112, 30));

    connect(SpinButton1Up, &QToolButton::clicked, this, &TFoSpeLin::SpinButton1UpClick);
    connect(SpinButton1Down, &QToolButton::clicked, this, &TFoSpeLin::SpinButton1DownClick);
    connect(BitBtn1, &QPushButton::clicked, this, &TFoSpeLin::BitBtn1Click);
    connect(BitBtnRitorna, &QPushButton::clicked, this, &TFoSpeLin::accept);
}

void TFoSpeLin::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        ShowLineFactor();
}

void TFoSpeLin::done(int result) {
    if (FormClose())
        QDialog::done(result);
}

void TFoSpeLin::ShowLineFactor() {
    EditSpeLin->setText(FactorText(settings_.LineFactor));
}

long double TFoSpeLin::EditedLineFactor() const {
    return LocaleReal(Cp1252FromQString(EditSpeLin->text()));
}

void TFoSpeLin::StepLineFactor(bool up) {
    RunChecked([&] {
        const long double shown = EditedLineFactor();
        // A typed value outside the range is brought back into it by the first step, so
        // the file never holds a factor the drawing cannot use.
        settings_.LineFactor = WithinRange(up ? shown / kStep : shown * kStep);
        ShowLineFactor();
        WriteDisplaySettings(settings_);
    });
}

void TFoSpeLin::SpinButton1UpClick() {
    StepLineFactor(true);
}

void TFoSpeLin::SpinButton1DownClick() {
    StepLineFactor(false);
}

void TFoSpeLin::BitBtn1Click() {
    settings_.LineFactor = 1.0L;
    ShowLineFactor();
    RunChecked([&] { WriteDisplaySettings(settings_); });
}

bool TFoSpeLin::FormClose() {
    long double edited = 0;
    if (!RunChecked([&] { edited = EditedLineFactor(); }))
        return false;
    settings_.LineFactor = WithinRange(edited);
    if (settings_.LineFactor != edited)
        ShowLineFactor();
    // A file that cannot be written has been reported; the dialog still closes, as the
    // user cannot mend that from here.
    RunChecked([&] { WriteDisplaySettings(settings_); });
    return true;
}

} // namespace exo

#include "graphics/windows/Unstampa.h"

#include "graphics/DisplaySettings.h"
#include "platform/ErrorBox.h"
#include "platform/PlacedWidgets.h"

#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>

namespace exo {

namespace {

QLabel* WrappedLabel(QWidget* parent, const char* name, const QString& text,
                     const QRect& geometry) {
    QLabel* label = AddLabel(parent, name, text, geometry);
    label->setWordWrap(true);
    return label;
}

QFrame* MakePanel(QWidget* parent, const char* name, const QRect& geometry) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setGeometry(geometry);
    return panel;
}

void SetTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

} // namespace

TFoStampa::TFoStampa(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      settings_(GlobalDisplaySettings()) {
    setObjectName(QStringLiteral("FoStampa"));
    setWindowTitle(QStringLiteral("Impresora"));
    setFixedSize(kClientWidth, kClientHeight);

    BuildPanel1();
    BuildPanel2();

    LabModi =
        WrappedLabel(this, "LabModi", QStringLiteral("CAMBIOS APLICADO!"), QRect(12, 172, 240, 20));
    QFont bold = LabModi->font();
    bold.setBold(true);
    LabModi->setFont(bold);
    SetTextColour(LabModi, Qt::red);
    LabModi1 =
        WrappedLabel(this, "LabModi1", QStringLiteral("esperar..."), QRect(12, 194, 240, 20));
    LabModi->hide();
    LabModi1->hide();

    BitBtnRitorna = AddButton(this, "BitBtnRitorna", QStringLiteral("Volver al Menú"),
                              QRect(272, 208, 146, 30));
    connect(BitBtnRitorna, &QPushButton::clicked, this, &TFoStampa::accept);

    closeTimer_ = new QTimer(this);
    closeTimer_->setObjectName(QStringLiteral("CloseTimer"));
    closeTimer_->setSingleShot(true);
    closeTimer_->setInterval(kConfirmationMs);
    connect(closeTimer_, &QTimer::timeout, this, &TFoStampa::accept);
}

void TFoStampa::BuildPanel1() {
    Panel1 = MakePanel(this, "Panel1", QRect(8, 8, kClientWidth - 16, 156));
    WrappedLabel(Panel1, "Label1",
                 QStringLiteral("Il programma funziona con la maggior parte delle stampanti, "
                                "ad eccezione di diversi modelli Epson a partire dal modello 460."),
                 QRect(10, 8, kClientWidth - 36, 54));
    WrappedLabel(Panel1, "Label2",
                 QStringLiteral("Se la stampa non esce con una di queste stampanti Epson, "
                                "premere il pulsante qui sotto."),
                 QRect(10, 64, kClientWidth - 36, 40));
    BitBtn1 =
        AddButton(Panel1, "BitBtn1", QStringLiteral("Modifica per Epson"), QRect(10, 112, 180, 32));
    connect(BitBtn1, &QPushButton::clicked, this, &TFoStampa::BitBtn1Click);
}

void TFoStampa::BuildPanel2() {
    Panel2 = MakePanel(this, "Panel2", QRect(8, 8, kClientWidth - 16, 156));
    WrappedLabel(Panel2, "Label3",
                 QStringLiteral("La stampa è impostata per i modelli Epson: prima di ogni foglio "
                                "viene inviato un lavoro di stampa vuoto."),
                 QRect(10, 8, kClientWidth - 36, 54));
    WrappedLabel(Panel2, "Label4",
                 QStringLiteral("Per tornare all'impostazione normale premere il pulsante qui "
                                "sotto."),
                 QRect(10, 64, kClientWidth - 36, 40));
    BitBtn2 =
        AddButton(Panel2, "BitBtn2", QStringLiteral("Restaurar Estándar"), QRect(10, 112, 180, 32));
    connect(BitBtn2, &QPushButton::clicked, this, &TFoStampa::BitBtn2Click);
}

void TFoStampa::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    closeTimer_->stop();
    LabModi->hide();
    LabModi1->hide();
    BitBtn1->setEnabled(true);
    BitBtn2->setEnabled(true);
    ShowPanels();
}

void TFoStampa::done(int result) {
    closeTimer_->stop();
    QDialog::done(result);
}

void TFoStampa::ShowPanels() {
    const bool dummyJob = settings_.DummyPrintJob == 1;
    Panel1->setVisible(!dummyJob);
    Panel2->setVisible(dummyJob);
}

void TFoStampa::BitBtn1Click() {
    ChangePrinterKind();
}

void TFoStampa::BitBtn2Click() {
    ChangePrinterKind();
}

void TFoStampa::ChangePrinterKind() {
    LabModi->show();
    LabModi1->show();
    // The confirmation must be on the screen before the file is touched; a click that comes
    // meanwhile waits for the event loop.
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    DisplaySettings changed = settings_;
    changed.DummyPrintJob = settings_.DummyPrintJob == 1 ? 0 : 1;
    changed.Line1 = 1;
    if (!RunChecked([&] { WriteDisplaySettings(changed); })) {
        // Nothing was changed: no confirmation, and the dialog stays as it was.
        LabModi->hide();
        LabModi1->hide();
        return;
    }
    settings_ = changed;
    ShowPanels();
    // The panel now shown offers the way back; it must not toggle again while the
    // confirmation is on the screen.
    BitBtn1->setEnabled(false);
    BitBtn2->setEnabled(false);
    closeTimer_->start();
}

} // namespace exo

#include "graphics/windows/UgrNaSpa.h"

#include "graphics/ChartSheets.h"
#include "graphics/DisplaySettings.h"
#include "graphics/DrawingSurface.h"
#include "graphics/EmfPlayer.h"
#include "graphics/EmfTarget.h"
#include "graphics/MetafileSlots.h"
#include "graphics/PainterTarget.h"
#include "graphics/windows/ButtonPictures.h"
#include "graphics/windows/ProgramPrinter.h"
#include "graphics/windows/UnMetGra.h"
#include "graphics/windows/UnPrint.h"
#include "platform/Cp1252.h"
#include "platform/ErrorBox.h"
#include "platform/FileDialogs.h"
#include "platform/PlacedWidgets.h"
#include "platform/ProgramPaths.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <memory>

namespace exo {

namespace {

constexpr int kButtonHeight = 29;

// The first tick of the first chart window of a run only counts: the window system has
// not yet laid the window out then.
bool& FirstTickPending() {
    static bool pending = true;
    return pending;
}

QSize ScreenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize(1024, 768);
}

void ShowWarning(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Warning, QGuiApplication::applicationDisplayName(), text,
                    QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("WarningBox"));
    box.exec();
}

// Puts the saved sheet on the clipboard as a metafile, with a picture of it for programs
// that take no metafiles.
void CopyMetafileToClipboard(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray bytes = file.readAll();
    auto* data = new QMimeData;
    data->setData(QStringLiteral("image/emf"), bytes);
    data->setData(QStringLiteral("image/x-emf"), bytes);
    try {
        const EmfPlayer player(std::vector<std::uint8_t>(bytes.begin(), bytes.end()),
                               path.toStdString());
        const EmfRect b = player.header().bounds;
        const QSize size(std::max(1, b.right - b.left + 1), std::max(1, b.bottom - b.top + 1));
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        player.play(painter, QRectF(QPointF(0, 0), QSizeF(size)));
        painter.end();
        data->setImageData(image);
    } catch (const InOutError&) {
        // The metafile itself still goes on the clipboard.
    }
    QGuiApplication::clipboard()->setMimeData(data);
}

} // namespace

TFgrNaSpa::TFgrNaSpa(QWidget* parent)
    : FullScreenWindow(parent), surface_(GlobalDrawingSurface()), state_(GlobalNatalSheet()) {
    setObjectName(QStringLiteral("FgrNaSpa"));
    setAutoFillBackground(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
    BuildPanel();
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(10);
    connect(Timer1, &QTimer::timeout, this, &TFgrNaSpa::Timer1Timer);
}

void TFgrNaSpa::setCompanions(TFoMetGra* viewer, TFoPrint* dummyPrint) {
    viewer_ = viewer;
    dummyPrint_ = dummyPrint;
}

void TFgrNaSpa::BuildPanel() {
    QFrame* panel = bottomPanel();
    panel->setAutoFillBackground(true);
    QPalette grey = panel->palette();
    grey.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    panel->setPalette(grey);

    int x = 6;
    const auto button = [&](const char* name, const QString& caption, const QString& hint,
                            int width) {
        QPushButton* b = AddButton(panel, name, caption, QRect(x, 6, width, kButtonHeight));
        b->setToolTip(hint);
        b->setFocusPolicy(Qt::NoFocus);
        x += width + 4;
        return b;
    };
    BitBtnRitorna = button("BitBtnRitorna", QStringLiteral("Volver"), QString(), 80);
    BitBtnStampa = button("BitBtnStampa", QStringLiteral("Imprimir"),
                          QStringLiteral("Imprimir el gráfico en pantalla"), 84);
    BitBtnSetup = button("BitBtnSetup", QStringLiteral("Setup"),
                         QStringLiteral("Cambie los parámetros de impresión"), 70);
    BitBtnFoglio =
        button("BitBtnFoglio", QString(), QStringLiteral("Orientamento Foglio Stampato"), 34);
    BitBtnFoglio->setEnabled(false);
    x += 8;
    BitBtnColNer =
        button("BitBtnColNer", QString(), QStringLiteral("Conversión Negro / Color"), 34);
    BitBtnColNer->setIcon(ChartButtonPicture(QStringLiteral("StColor")));
    BitBtnZoomPiu = button("BitBtnZoomPiu", QStringLiteral("+"), QStringLiteral("Ampliación"), 34);
    BitBtnZoomMeno = button("BitBtnZoomMeno", QStringLiteral("-"), QStringLiteral("Reducción"), 34);
    BBaltezza =
        button("BBaltezza", QStringLiteral("Atura"), QStringLiteral("Muestra altura completa"), 64);
    BBlargarghezza = button("BBlargarghezza", QStringLiteral("Ancho"),
                            QStringLiteral("Muestra de ancho completo"), 64);
    x += 8;
    BBEMFout = button("BBEMFout", QStringLiteral("EMF"), QStringLiteral("Copiar a archivo"), 54);
    ComboEMF = new QComboBox(panel);
    ComboEMF->setObjectName(QStringLiteral("ComboEMF"));
    ComboEMF->setToolTip(QStringLiteral("Archivo Gráfico"));
    ComboEMF->setEditable(true);
    for (int slot = 1; slot <= 15; ++slot)
        ComboEMF->addItem(QString::asprintf("GRAF%02d.EMF", slot));
    ComboEMF->setGeometry(x, 8, 120, kButtonHeight - 4);
    x += 124;
    BBEMFin = button("BBEMFin", QStringLiteral("EMF"), QStringLiteral("Llame desde Archivo"), 54);
    x += 8;
    BBFlagRiga = button("BBFlagRiga", QString(), QStringLiteral("Muestra Aspectos"), 34);
    BBFlagRiga->setIcon(ChartButtonPicture(QStringLiteral("LinLos")));

    connect(BitBtnRitorna, &QPushButton::clicked, this, &QWidget::close);
    connect(BitBtnStampa, &QPushButton::clicked, this,
            [this] { RunChecked([&] { PrintSheet(); }); });
    connect(BitBtnSetup, &QPushButton::clicked, this, &TFgrNaSpa::BitBtnSetupClick);
    connect(BitBtnColNer, &QPushButton::clicked, this, &TFgrNaSpa::BitBtnColNerClick);
    connect(BitBtnZoomPiu, &QPushButton::clicked, this, &TFgrNaSpa::ZoomIn);
    connect(BitBtnZoomMeno, &QPushButton::clicked, this, &TFgrNaSpa::ZoomOut);
    connect(BBaltezza, &QPushButton::clicked, this, &TFgrNaSpa::BBaltezzaClick);
    connect(BBlargarghezza, &QPushButton::clicked, this, &TFgrNaSpa::ResetView);
    connect(BBEMFout, &QPushButton::clicked, this,
            [this] { RunChecked([&] { ExportSheetMetafile(); }); });
    connect(BBEMFin, &QPushButton::clicked, this,
            [this] { RunChecked([&] { ShowSheetMetafile(); }); });
    connect(BBFlagRiga, &QPushButton::clicked, this, &TFgrNaSpa::BBFlagRigaClick);
}

void TFgrNaSpa::showEvent(QShowEvent* event) {
    FullScreenWindow::showEvent(event);
    FormActivate();
}

void TFgrNaSpa::FormActivate() {
    surface_.NatalChartActive = true;
    surface_.Zoom = 1.0L;
    state_.AspectStyle = 1;
    BBFlagRiga->setIcon(ChartButtonPicture(QStringLiteral("LinLos")));
    ComboEMF->setEditText(state_.LastMetafileName.empty()
                              ? QStringLiteral("GRAF01.EMF")
                              : QStringFromCp1252(state_.LastMetafileName));
    surface_.OffsetX = surface_.OffsetY = 0;
    const QSize screen = ScreenSize();
    ScreenCentreX = screen.width() / 2;
    ScreenCentreY = screen.height() / 2;
    if (surface_.PrinterPresent) {
        SetPrinterLandscape(state_.SummaryOrientation == "L");
        ChooseOpeningView();
    }
    Timer1->start();
}

// Portrait sheets open at half size shifted right by a quarter of the screen, so their
// whole height shows; landscape sheets at full width.
void TFgrNaSpa::ChooseOpeningView() {
    const bool landscape = PrinterIsLandscape();
    ShowPrinterOrientation();
    surface_.Zoom = landscape ? 1.0L : 0.5L;
    surface_.OffsetX = landscape ? 0 : ScreenCentreX / 2;
    surface_.OffsetY = 0;
}

void TFgrNaSpa::ShowPrinterOrientation() {
    BitBtnFoglio->setIcon(ChartButtonPicture(PrinterIsLandscape() ? QStringLiteral("SetupL")
                                                                  : QStringLiteral("SetupP")));
}

void TFgrNaSpa::Timer1Timer() {
    if (FirstTickPending()) {
        FirstTickPending() = false;
        return;
    }
    Timer1->stop();
    DrawCurrentSheet();
}

void TFgrNaSpa::closeEvent(QCloseEvent* event) {
    Timer1->stop();
    surface_.ResetChartView();
    state_.AspectStyle = 1;
    surface_.ActiveChartWindow = nullptr;
    surface_.NatalChartActive = false;
    DragActive = false;
    FullScreenWindow::closeEvent(event);
}

void TFgrNaSpa::resizeEvent(QResizeEvent* event) {
    FullScreenWindow::resizeEvent(event);
    if (canvas_.size() != size()) {
        QImage resized(size(), QImage::Format_RGB32);
        resized.fill(Qt::black);
        canvas_ = resized;
    }
}

void TFgrNaSpa::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (canvas_.isNull())
        painter.fillRect(rect(), Qt::black);
    else
        painter.drawImage(0, 0, canvas_);
}

void TFgrNaSpa::DrawCurrentSheet() {
    BBFlagRiga->setVisible(true);
    if (!surface_.Printing)
        ApplyDisplaySettings(GlobalDisplaySettings());
    RunChecked([&] { DrawSheetOnTarget(); });
}

void TFgrNaSpa::DrawSheetOnTarget(int dx, int dy) {
    if (surface_.MetafileOutput) {
        const QSize screen = ScreenSize();
        int height = screen.height();
        if (surface_.PrinterPresent && !PrinterIsLandscape())
            height *= 2;
        EmfTarget metafile(screen.width(), height);
        surface_.MetafileCanvas = &metafile;
        struct Clear {
            DrawingSurface& s;
            ~Clear() { s.MetafileCanvas = nullptr; }
        } clear{surface_};
        exo::DrawCurrentSheet(surface_, metafile, state_, CurrentSheetInputs(),
                              PrinterIsLandscape());
        metafile.save(ResolveProgramPath("Emf\\" + state_.LastMetafileName));
        return;
    }
    if (surface_.Printing)
        return; // the print job draws on its own canvas
    DrawOnScreen(dx, dy);
}

void TFgrNaSpa::DrawOnScreen(int dx, int dy) {
    if (canvas_.size() != size())
        canvas_ = QImage(size(), QImage::Format_RGB32);
    canvas_.fill(Qt::black);
    {
        QPainter painter(&canvas_);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        PainterTarget target(painter);
        target.setVisible(isVisible());
        surface_.ActiveChartWindow = &target;
        surface_.OffsetX += dx;
        surface_.OffsetY += dy;
        struct Restore {
            DrawingSurface& s;
            int dx, dy;
            ~Restore() {
                s.OffsetX -= dx;
                s.OffsetY -= dy;
                s.ActiveChartWindow = nullptr;
            }
        } restore{surface_, dx, dy};
        exo::DrawCurrentSheet(surface_, target, state_, CurrentSheetInputs(), PrinterIsLandscape());
    }
    update();
}

void TFgrNaSpa::ResetView() {
    surface_.Zoom = 1.0L;
    surface_.OffsetX = surface_.OffsetY = 0;
    DrawCurrentSheet();
}

void TFgrNaSpa::ZoomIn() {
    ZoomTo(std::min<long double>(surface_.Zoom * kZoomStep, kZoomMax));
}

void TFgrNaSpa::ZoomOut() {
    const long double zoomed = surface_.Zoom / kZoomStep;
    ZoomTo(zoomed < kZoomMin ? static_cast<long double>(kZoomMin) : zoomed);
}

// The point at the screen centre stays where it is.
void TFgrNaSpa::ZoomTo(long double zoom) {
    const auto shift = [](int centre, long double z) { return RoundHalfEven(centre - z * centre); };
    const long double z0 = surface_.Zoom;
    surface_.Zoom = zoom;
    surface_.OffsetX += shift(ScreenCentreX, zoom) - shift(ScreenCentreX, z0);
    surface_.OffsetY += shift(ScreenCentreY, zoom) - shift(ScreenCentreY, z0);
    DrawCurrentSheet();
}

void TFgrNaSpa::BBaltezzaClick() {
    if (surface_.PrinterPresent)
        ChooseOpeningView();
    surface_.OffsetY = 0;
    DrawCurrentSheet();
}

void TFgrNaSpa::BitBtnColNerClick() {
    surface_.BlackMode = !surface_.BlackMode;
    BitBtnColNer->setIcon(ChartButtonPicture(surface_.BlackMode ? QStringLiteral("StNero")
                                                                : QStringLiteral("StColor")));
    DrawCurrentSheet();
}

void TFgrNaSpa::BBFlagRigaClick() {
    state_.AspectStyle = state_.AspectStyle == 1 ? 0 : 1;
    BBFlagRiga->setIcon(ChartButtonPicture(state_.AspectStyle == 0 ? QStringLiteral("LosLin")
                                                                   : QStringLiteral("LinLos")));
    DrawCurrentSheet();
}

void TFgrNaSpa::BitBtnSetupClick() {
    if (!surface_.PrinterPresent)
        return;
    // Without a system printer the set-up is the page of the PDF file.
    std::unique_ptr<QDialog> dialog;
    if (PrinterIsPdfFile())
        dialog = std::make_unique<QPageSetupDialog>(&ProgramPrinter(), this);
    else
        dialog = std::make_unique<QPrintDialog>(&ProgramPrinter(), this);
    dialog->setObjectName(QStringLiteral("PrinterSetupDialog1"));
    dialog->exec();
    ShowPrinterOrientation();
}

void TFgrNaSpa::mousePressEvent(QMouseEvent* event) {
    DragActive = true;
    dragStart_ = event->position().toPoint();
    lastDragX_ = lastDragY_ = 0;
}

void TFgrNaSpa::mouseMoveEvent(QMouseEvent* event) {
    if (!DragActive) {
        unsetCursor();
        return;
    }
    setCursor(Qt::PointingHandCursor);
    const QPoint delta = event->position().toPoint() - dragStart_;
    lastDragX_ = delta.x();
    lastDragY_ = delta.y();
    RunChecked([&] { DrawSheetOnTarget(lastDragX_, lastDragY_); });
}

void TFgrNaSpa::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint moved = event->position().toPoint() - dragStart_;
    if (DragActive) {
        if (std::abs(moved.x()) > kDragThreshold)
            surface_.OffsetX += lastDragX_;
        if (std::abs(moved.y()) > kDragThreshold)
            surface_.OffsetY += lastDragY_;
    }
    DragActive = false;
    unsetCursor();
    DrawCurrentSheet();
}

void TFgrNaSpa::wheelEvent(QWheelEvent* event) {
    const int notches = event->angleDelta().y() / 120;
    if (notches == 0)
        return;
    surface_.OffsetY -= notches * kWheelStep;
    DrawCurrentSheet();
}

void TFgrNaSpa::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter) {
        close();
        return;
    }
    FullScreenWindow::keyPressEvent(event);
}

QString TFgrNaSpa::PrintFileName() {
    if (!printFileForTests_.isEmpty())
        return printFileForTests_;
    QFileDialog* dialog = FileDialog(this, QStringLiteral("Imprimir"), QString(),
                                     QStringLiteral("PDF (*.pdf)"), QFileDialog::AcceptSave);
    dialog->setObjectName(QStringLiteral("PrintDialog"));
    dialog->setDefaultSuffix(QStringLiteral("pdf"));
    dialog->selectFile(QStringFromCp1252(GlobalChart().SubjectName.str()).trimmed() +
                       QStringLiteral(".pdf"));
    return ChosenFile(dialog);
}

void TFgrNaSpa::PrintDummyJob() {
    if (dummyPrint_)
        dummyPrint_->PrintDummyJob(ProgramPrinter());
}

void TFgrNaSpa::PrintSheet() {
    if (!surface_.PrinterPresent)
        return;
    ResetView();
    SetPrinterLandscape(state_.SummaryOrientation == "L");
    QPrinter& printer = ProgramPrinter();
    const QString previousFile = printer.outputFileName();
    if (PrinterIsPdfFile()) {
        const QString chosen = PrintFileName();
        if (chosen.isEmpty())
            return;
        printer.setOutputFileName(chosen);
    } else if (GlobalDisplaySettings().DummyPrintJob == 1) {
        // Only a real printer needs the empty job; a PDF file would be overwritten by it.
        PrintDummyJob();
    }
    printer.setDocName(QStringFromCp1252(GlobalChart().SubjectName.str()).trimmed());
    struct RestoreFile {
        QPrinter& p;
        QString file;
        ~RestoreFile() { p.setOutputFileName(file); }
    } restoreFile{printer, previousFile};

    QPainter painter;
    if (!painter.begin(&printer))
        throw InOutError(printer.outputFileName().toStdString(), "print");
    {
        PainterTarget target(painter);
        surface_.PrinterCanvas = &target;
        const DrawingSurface::ScreenScale saved = surface_.BeginPrintScale(printer.width());
        struct EndPrint {
            DrawingSurface& s;
            DrawingSurface::ScreenScale saved;
            ~EndPrint() {
                s.EndPrintScale(saved);
                s.PrinterCanvas = nullptr;
            }
        } endPrint{surface_, saved};
        exo::DrawCurrentSheet(surface_, target, state_, CurrentSheetInputs(), PrinterIsLandscape());
    }
    painter.end();
    DrawCurrentSheet();
}

bool TFgrNaSpa::AcceptedMetafileName() {
    const std::string name = Cp1252FromQString(ComboEMF->currentText());
    state_.LastMetafileName = name;
    if (MetafileNameAccepted(name))
        return true;
    ShowWarning(this, QStringLiteral("El archivo debe ser .EMF"));
    return false;
}

void TFgrNaSpa::ExportSheetMetafile() {
    if (!AcceptedMetafileName())
        return;
    RecordMetafileOrientation(state_.LastMetafileName, surface_.PrinterPresent,
                              PrinterIsLandscape());
    surface_.MetafileOutput = true;
    struct Clear {
        DrawingSurface& s;
        ~Clear() { s.MetafileOutput = false; }
    } clear{surface_};
    surface_.Zoom = 1.0L;
    surface_.OffsetX = surface_.OffsetY = 0;
    DrawSheetOnTarget();
    surface_.MetafileOutput = false;
    DrawCurrentSheet();
    const QString saved =
        QString::fromStdString(ResolveProgramPath("Emf\\" + state_.LastMetafileName));
    if (QFileInfo::exists(saved))
        CopyMetafileToClipboard(saved);
}

void TFgrNaSpa::ShowSheetMetafile() {
    if (!AcceptedMetafileName())
        return;
    const QSize screen = ScreenSize();
    const ViewerSize size =
        MetafileViewerSize(state_.LastMetafileName, screen.width(), screen.height());
    if (viewer_) {
        viewer_->setMetafileName(state_.LastMetafileName);
        viewer_->showMetafile(size.width, size.height);
    }
    ResetView();
}

} // namespace exo

#pragma once
// The natal chart window: one of the four chart sheets of the current subject, full screen
// on black, as it prints and as it is saved as a metafile. The user zooms, pans and drags
// it, switches colour and black, lines and spindles, prints it, and saves or shows it as a
// metafile of the Emf folder.
//
// The sheet is drawn into the window's canvas (an image the size of the window) whenever
// the window asks for it, and the canvas is shown as it stands; dragging draws the sheet
// shifted without moving it for good.
#include "graphics/windows/FullScreenWindow.h"

#include <QImage>

#include <functional>

class QComboBox;
class QPushButton;
class QTimer;

namespace exo {

struct DrawingSurface;
struct NatalSheetState;
class TFoMetGra;
class TFoPrint;

class TFgrNaSpa : public FullScreenWindow {
    Q_OBJECT
  public:
    explicit TFgrNaSpa(QWidget* parent = nullptr);

    // The viewer of saved metafiles and the hidden form whose empty editor makes the
    // "Dummy" job; both are long-lived windows created beside this one.
    void setCompanions(TFoMetGra* viewer, TFoPrint* dummyPrint);

    static constexpr float kZoomStep = 1.15F;
    static constexpr long double kZoomMax = 4.0L;
    static constexpr float kZoomMin = 0.4F;
    static constexpr int kWheelStep = 20;
    static constexpr int kDragThreshold = 2;

    // What the window shows now (for its tests and screenshots).
    const QImage& canvas() const { return canvas_; }
    // Where a sheet printed without a system printer goes; empty asks the user.
    void setPrintFileForTests(const QString& path) { printFileForTests_ = path; }

    void DrawCurrentSheet();
    void ResetView();
    void ZoomIn();
    void ZoomOut();
    void PrintSheet();
    void ExportSheetMetafile();
    void ShowSheetMetafile();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void BuildPanel();
    void FormActivate();
    void ZoomTo(long double zoom);
    void ChooseOpeningView();
    void Timer1Timer();
    void BitBtnSetupClick();
    void BitBtnColNerClick();
    void BBaltezzaClick();
    void BBFlagRigaClick();
    // The name in ComboEMF, kept as the last metafile name; false (with the warning) when
    // its extension is not ".EMF".
    bool AcceptedMetafileName();
    void ShowPrinterOrientation();
    // The sheet on the screen canvas (with the pan shifted by dx, dy), the printer or the
    // metafile, as the surface's flags choose.
    void DrawSheetOnTarget(int dx = 0, int dy = 0);
    void DrawOnScreen(int dx, int dy);
    void PrintDummyJob();
    QString PrintFileName();

    DrawingSurface& surface_;
    NatalSheetState& state_;
    TFoMetGra* viewer_ = nullptr;
    TFoPrint* dummyPrint_ = nullptr;
    QImage canvas_;
    QString printFileForTests_;

    QPushButton* BitBtnRitorna = nullptr;
    QPushButton* BitBtnStampa = nullptr;
    QPushButton* BitBtnSetup = nullptr;
    QPushButton* BitBtnFoglio = nullptr;
    QPushButton* BitBtnColNer = nullptr;
    QPushButton* BitBtnZoomPiu = nullptr;
    QPushButton* BitBtnZoomMeno = nullptr;
    QPushButton* BBaltezza = nullptr;
    QPushButton* BBlargarghezza = nullptr;
    QPushButton* BBEMFout = nullptr;
    QComboBox* ComboEMF = nullptr;
    QPushButton* BBEMFin = nullptr;
    QPushButton* BBFlagRiga = nullptr;
    QTimer* Timer1 = nullptr;

    int ScreenCentreX = 0;
    int ScreenCentreY = 0;
    bool DragActive = false;
    QPoint dragStart_;
    int lastDragX_ = 0;
    int lastDragY_ = 0;
};

} // namespace exo

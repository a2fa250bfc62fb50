#pragma once
// The screen calibration window. Screens do not all have square pixels, and a printed
// sheet must fit the screen: the user moves two scroll bars until the red figure is a true
// circle and the yellow frame of the printer's sheet fits, and the bars set the horizontal
// and vertical stretch divisors every chart picture is drawn with (lines 7 and 8 of
// FileSet\MMVarLas.stt, written at every change). The control panel sits inside the circle
// and is laid out in page units too, so it shrinks and grows with the figure.
#include "graphics/DrawingSurface.h"
#include "graphics/windows/FullScreenWindow.h"

#include <vector>

class QFrame;
class QLabel;
class QPushButton;
class QScrollBar;
class QTimer;

namespace exo {

struct DisplaySettings;

struct LogicalSegment {
    LogicalPoint from;
    LogicalPoint to;
};

// The calibration figure in page units. The surface divides every point by the divisors
// once more, so the cross and its ticks show the user how far the divisors have moved.
struct CalibrationFigureShape {
    LogicalPoint centre;
    long double radius = 0;
    LogicalSegment horizontal;
    LogicalSegment vertical;
    // k = 0 … 10 on the right (below), then on the left (above) of the centre: 22 ticks
    // across each line, the centre tick twice.
    std::vector<LogicalSegment> horizontalTicks;
    std::vector<LogicalSegment> verticalTicks;
};
CalibrationFigureShape CalibrationFigure(long double stretchH, long double stretchV);

// The figure of the surface's present divisors on dc: the circle with pen 64, the cross and
// its ticks with pen 1, then the printer's page frame. dc is the surface's chart window for
// the drawing only.
void DrawCalibrationFigure(DrawingSurface& surface, DrawingTarget& dc, bool printerLandscape);

// The scroll bar position of a divisor, and the divisor of a position (1 − position ÷ 1000).
int StretchPosition(long double divisor);
long double StretchOfPosition(int position);

class TFgrTxtSpa : public FullScreenWindow {
    Q_OBJECT
  public:
    explicit TFgrTxtSpa(QWidget* parent = nullptr);

    static constexpr int kScrollRange = 200;
    static constexpr int kLargeChange = 10;
    static constexpr int kFirstDrawingMs = 10;

    // Whether the first drawing after the window was shown has been made.
    bool figureShown() const { return figureShown_; }

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    // Returns false when the settings could not be read; the window then closes.
    bool FormActivate();
    void FormClose();
    void ScBOChange(int position);
    void ScBVChange(int position);
    void BBresClick();
    void BBokClick();
    void Timer1Timer();

    // The divisors into the drawing surface and the file, then the figure and the panel.
    void StretchChanged();
    void ShowPositions();
    void Relayout();
    // Page units to pixels along one axis, as the surface scales them.
    int Pixels(long double units, long double divisor) const;

    DisplaySettings& settings_;
    DrawingSurface& surface_;
    bool figureShown_ = false;
    QFrame* Panel1 = nullptr;
    QScrollBar* ScBO = nullptr;
    QScrollBar* ScBV = nullptr;
    QPushButton* BBok = nullptr;
    QPushButton* BBres = nullptr;
    QLabel* Lab1 = nullptr;
    QLabel* Lab2 = nullptr;
    QLabel* Lab3 = nullptr;
    QTimer* Timer1 = nullptr;
};

} // namespace exo

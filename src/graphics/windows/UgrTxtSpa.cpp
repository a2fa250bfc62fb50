#include "graphics/windows/UgrTxtSpa.h"

#include "analysis/OrbSettings.h"
#include "graphics/ChartSheets.h"
#include "graphics/DisplaySettings.h"
#include "graphics/PainterTarget.h"
#include "graphics/windows/ProgramPrinter.h"
#include "platform/ErrorBox.h"
#include "platform/PlacedWidgets.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTimer>

#include <algorithm>

namespace exo {

namespace {

constexpr LogicalPoint kCentre{140.0L, 101.6L};
constexpr long double kCircleRadius = 95;
constexpr long double kCrossHalfLength = 100;
constexpr long double kTickSpacing = 10;
constexpr long double kTickHalfLength = 3;
constexpr int kTicksEachSide = 10;
constexpr int kCirclePen = 64;
constexpr int kCrossPen = 1;

// The control panel and its controls, in page units; the controls relative to the panel.
constexpr long double kPanelSide = 70;
struct UnitBox {
    long double x, y, width, height;
};
constexpr UnitBox kScBO{1, 65, 64, 4};
constexpr UnitBox kScBV{65, 1, 4, 64};
constexpr UnitBox kBBok{20, 20, 26, 6};
constexpr UnitBox kBBres{20, 27, 26, 6};
constexpr UnitBox kLab1{2, 42, 66, 3};
constexpr UnitBox kLab2{2, 45, 66, 3};
constexpr UnitBox kLab3{2, 48, 66, 3};
// The texts grow and shrink with the panel: the labels fill most of their three-unit line,
// the button captions most of their six-unit height.
constexpr long double kLabelTextHeight = 2.5;
constexpr long double kButtonTextHeight = 2.8;

QScrollBar* MakeStretchBar(QWidget* parent, const char* name, Qt::Orientation orientation) {
    auto* bar = new QScrollBar(orientation, parent);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setRange(-TFgrTxtSpa::kScrollRange, TFgrTxtSpa::kScrollRange);
    bar->setSingleStep(1);
    bar->setPageStep(TFgrTxtSpa::kLargeChange);
    return bar;
}

// The application's colours held by the widget itself, so the black of the window does not
// pass into the panel.
QPalette ApplicationColours() {
    QPalette colours = QGuiApplication::palette();
    for (int group = 0; group < QPalette::NColorGroups; ++group)
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            const auto g = static_cast<QPalette::ColorGroup>(group);
            const auto r = static_cast<QPalette::ColorRole>(role);
            colours.setColor(g, r, colours.color(g, r));
        }
    return colours;
}

} // namespace

CalibrationFigureShape CalibrationFigure(long double stretchH, long double stretchV) {
    CalibrationFigureShape shape;
    shape.centre = kCentre;
    shape.radius = kCircleRadius;
    const long double halfWidth = kCrossHalfLength / stretchH;
    const long double halfHeight = kCrossHalfLength / stretchV;
    shape.horizontal = {{kCentre.x - halfWidth, kCentre.y}, {kCentre.x + halfWidth, kCentre.y}};
    shape.vertical = {{kCentre.x, kCentre.y - halfHeight}, {kCentre.x, kCentre.y + halfHeight}};
    for (const int side : {1, -1}) {
        for (int k = 0; k <= kTicksEachSide; ++k) {
            const long double x = kCentre.x + side * k * kTickSpacing / stretchH;
            const long double y = kCentre.y + side * k * kTickSpacing / stretchV;
            shape.horizontalTicks.push_back(
                {{x, kCentre.y - kTickHalfLength}, {x, kCentre.y + kTickHalfLength}});
            shape.verticalTicks.push_back(
                {{kCentre.x - kTickHalfLength, y}, {kCentre.x + kTickHalfLength, y}});
        }
    }
    return shape;
}

void DrawCalibrationFigure(DrawingSurface& surface, DrawingTarget& dc, bool printerLandscape) {
    DrawingTarget* const previous = surface.ActiveChartWindow;
    surface.ActiveChartWindow = &dc;
    const CalibrationFigureShape shape = CalibrationFigure(surface.StretchH, surface.StretchV);

    surface.SelectPen(dc, kCirclePen);
    surface.DrawCircle(dc, shape.radius, shape.centre.x, shape.centre.y);
    surface.SelectPen(dc, kCrossPen);
    auto segment = [&](const LogicalSegment& s) { surface.DrawLine(dc, s.from, s.to); };
    segment(shape.horizontal);
    segment(shape.vertical);
    for (const LogicalSegment& tick : shape.horizontalTicks)
        segment(tick);
    for (const LogicalSegment& tick : shape.verticalTicks)
        segment(tick);
    surface.ReleasePen(dc);
    surface.DrawPageFrame(dc, printerLandscape);

    surface.ActiveChartWindow = previous;
}

int StretchPosition(long double divisor) {
    return RoundHalfEven((1.0L - divisor) * 1000.0L);
}

long double StretchOfPosition(int position) {
    return 1.0L - position / 1000.0L;
}

TFgrTxtSpa::TFgrTxtSpa(QWidget* parent)
    : FullScreenWindow(parent, false), settings_(GlobalDisplaySettings()),
      surface_(GlobalDrawingSurface()) {
    setObjectName(QStringLiteral("FgrTxtSpa"));
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);
    Panel1->setAutoFillBackground(true);
    Panel1->setPalette(ApplicationColours());

    ScBO = MakeStretchBar(Panel1, "ScBO", Qt::Horizontal);
    ScBV = MakeStretchBar(Panel1, "ScBV", Qt::Vertical);
    BBok = AddButton(Panel1, "BBok", QStringLiteral("OK"), {});
    BBres = AddButton(Panel1, "BBres", QStringLiteral("Reset"), {});
    Lab1 = AddLabel(Panel1, "Lab1", QStringLiteral("Obrar sobre los cursores hasta"), {});
    Lab2 = AddLabel(Panel1, "Lab2", QStringLiteral("comprender el marco amarillo"), {});
    Lab3 = AddLabel(Panel1, "Lab3", QStringLiteral("y obtener un círculo"), {});

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(kFirstDrawingMs);
    Timer1->setSingleShot(true);

    connect(ScBO, &QScrollBar::valueChanged, this, &TFgrTxtSpa::ScBOChange);
    connect(ScBV, &QScrollBar::valueChanged, this, &TFgrTxtSpa::ScBVChange);
    connect(BBres, &QPushButton::clicked, this, &TFgrTxtSpa::BBresClick);
    connect(BBok, &QPushButton::clicked, this, &TFgrTxtSpa::BBokClick);
    connect(Timer1, &QTimer::timeout, this, &TFgrTxtSpa::Timer1Timer);
}

void TFgrTxtSpa::showEvent(QShowEvent* event) {
    FullScreenWindow::showEvent(event);
    // Once per showing, not at every activation: an error box over the window would
    // otherwise bring the same error back each time it closes.
    if (event->spontaneous())
        return;
    if (!FormActivate())
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void TFgrTxtSpa::hideEvent(QHideEvent* event) {
    FullScreenWindow::hideEvent(event);
    if (event->spontaneous())
        return;
    Timer1->stop();
    figureShown_ = false;
}

void TFgrTxtSpa::closeEvent(QCloseEvent* event) {
    FormClose();
    FullScreenWindow::closeEvent(event);
}

bool TFgrTxtSpa::FormActivate() {
    surface_.Zoom = 1.0L;
    figureShown_ = false;
    // Without the settings nothing is shown or written: the window closes and the file
    // keeps whatever it holds.
    if (!RunChecked([&] { settings_ = ReadDisplaySettings(); }))
        return false;
    ApplyDisplaySettings(settings_, surface_);
    ShowPositions();
    Relayout();
    Timer1->start();
    return true;
}

void TFgrTxtSpa::FormClose() {
    Timer1->stop();
    RunChecked([] { LoadOrbSettings(); });
}

void TFgrTxtSpa::Timer1Timer() {
    figureShown_ = true;
    update();
}

void TFgrTxtSpa::ShowPositions() {
    const QSignalBlocker blockO(ScBO);
    const QSignalBlocker blockV(ScBV);
    ScBO->setValue(StretchPosition(settings_.StretchH));
    ScBV->setValue(StretchPosition(settings_.StretchV));
}

void TFgrTxtSpa::ScBOChange(int position) {
    settings_.StretchH = StretchOfPosition(position);
    StretchChanged();
}

void TFgrTxtSpa::ScBVChange(int position) {
    settings_.StretchV = StretchOfPosition(position);
    StretchChanged();
}

void TFgrTxtSpa::BBresClick() {
    settings_.StretchH = 1.0L;
    settings_.StretchV = 1.0L;
    ShowPositions();
    StretchChanged();
}

void TFgrTxtSpa::BBokClick() {
    // A file that cannot be written has been reported; the window still closes, as the
    // user cannot mend that from here.
    RunChecked([&] { WriteDisplaySettings(settings_); });
    close();
}

void TFgrTxtSpa::StretchChanged() {
    // The figure follows the bar even when the file cannot be written; the error box says
    // that the setting is not kept.
    ApplyDisplaySettings(settings_, surface_);
    RunChecked([&] { WriteDisplaySettings(settings_); });
    update();
    Relayout();
}

int TFgrTxtSpa::Pixels(long double units, long double divisor) const {
    return RoundHalfEven(units / divisor * surface_.PageScale * surface_.Zoom);
}

void TFgrTxtSpa::Relayout() {
    const long double h = surface_.StretchH, v = surface_.StretchV;
    const int width = Pixels(kPanelSide, h), height = Pixels(kPanelSide, v);
    Panel1->setGeometry(Pixels(kCentre.x, h) - width / 2, Pixels(kCentre.y, v) - height / 2, width,
                        height);
    auto place = [&](QWidget* control, const UnitBox& box) {
        control->setGeometry(Pixels(box.x, h), Pixels(box.y, v), Pixels(box.width, h),
                             Pixels(box.height, v));
    };
    auto placeText = [&](QWidget* control, const UnitBox& box, long double textHeight) {
        place(control, box);
        QFont font = control->font();
        font.setPixelSize(std::max(1, Pixels(textHeight, v)));
        control->setFont(font);
    };
    place(ScBO, kScBO);
    place(ScBV, kScBV);
    placeText(BBok, kBBok, kButtonTextHeight);
    placeText(BBres, kBBres, kButtonTextHeight);
    placeText(Lab1, kLab1, kLabelTextHeight);
    placeText(Lab2, kLab2, kLabelTextHeight);
    placeText(Lab3, kLab3, kLabelTextHeight);
}

void TFgrTxtSpa::paintEvent(QPaintEvent* event) {
    FullScreenWindow::paintEvent(event);
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    // While a print job or an export runs, the surface draws elsewhere.
    if (!figureShown_ || !surface_.OnScreen() ||
        GlobalNatalSheet().SummaryLayout != SheetLayout::Calibration)
        return;
    PainterTarget target(painter);
    target.setVisible(isVisible());
    DrawCalibrationFigure(surface_, target, surface_.PrinterPresent && PrinterIsLandscape());
}

} // namespace exo

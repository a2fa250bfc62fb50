// Window tests of the screen calibration window, driven headless with Qt Test in a scratch
// program folder: the scroll bars, the settings file they write, the panel laid out in page
// units and the figure drawn on the window.
#include "TestFolder.h"
#include "analysis/OrbSettings.h"
#include "graphics/DisplaySettings.h"
#include "graphics/DrawingSurface.h"
#include "graphics/windows/UgrTxtSpa.h"
#include "platform/ErrorBox.h"
#include "platform/NumberText.h"
#include "platform/ProgramPaths.h"
#include "platform/TextFile.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>

using namespace exo;

namespace {

DrawingSurface& Surface() {
    return GlobalDrawingSurface();
}

bool Near(long double a, long double b) {
    return std::fabs(static_cast<double>(a - b)) < 1e-12;
}

// Settings with every line away from its default, so a lost line shows.
DisplaySettings Distinct(long double stretchH, long double stretchV) {
    DisplaySettings s;
    s.Line1 = 5;
    s.DummyPrintJob = 1;
    s.Line3 = 3;
    s.CalendarReformOption = 0;
    s.LineFactor = 1.5L;
    s.BackupFolder = "/srv/copias";
    s.StretchH = stretchH;
    s.StretchV = stretchV;
    return s;
}

// Whether a pixel within `reach` of p has the colour, allowing for rounding of the pen.
bool ColourNear(const QImage& image, QPoint p, QRgb colour, int reach = 2) {
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx) {
            const QPoint q = p + QPoint(dx, dy);
            if (image.rect().contains(q) && (image.pixel(q) & 0xFFFFFF) == (colour & 0xFFFFFF))
                return true;
        }
    return false;
}

QPoint Device(long double x, long double y) {
    return {Surface().ToDeviceX(x), Surface().ToDeviceY(y)};
}

constexpr QRgb kRedPixel = 0xFF0000;
constexpr QRgb kWhitePixel = 0xFFFFFF;
constexpr QRgb kYellowPixel = 0xFFFF00;

} // namespace

class CalibrationWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::ScratchFolder> folder_;
    QStringList errors_;

    std::unique_ptr<TFgrTxtSpa> ShowWindow() {
        auto window = std::make_unique<TFgrTxtSpa>();
        window->fillScreenAndHide();
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            return nullptr;
        return window;
    }

    // Shown and drawn for the first time.
    std::unique_ptr<TFgrTxtSpa> ShowDrawnWindow() {
        auto window = ShowWindow();
        if (window && !QTest::qWaitFor([&] { return window->figureShown(); }))
            return nullptr;
        return window;
    }

    template <class W> static W* Child(const QWidget& parent, const char* name) {
        auto* widget = parent.findChild<W*>(QString::fromLatin1(name));
        if (widget == nullptr)
            qWarning() << "no widget" << name;
        return widget;
    }

    static QScrollBar* Bar(const QWidget& window, const char* name) {
        return Child<QScrollBar>(window, name);
    }

    // The user's large steps on a bar: positive towards the maximum.
    static void PageSteps(QScrollBar* bar, int steps) {
        for (int i = 0; i < std::abs(steps); ++i)
            bar->triggerAction(steps > 0 ? QAbstractSlider::SliderPageStepAdd
                                         : QAbstractSlider::SliderPageStepSub);
    }

    static void Press(const QWidget& window, const char* name) {
        QTest::mouseClick(Child<QPushButton>(window, name), Qt::LeftButton);
    }

    static std::vector<std::string> SettingsLines() { return ReadTextLines(kDisplaySettingsFile); }

  private slots:
    void init() {
        folder_ = std::make_unique<test::ScratchFolder>();
        MakeFolder("FileSet");
        WriteTextLines(kOrbSettingsFile, DefaultOrbSettingsLines());
        GlobalDisplaySettings() = DisplaySettings{};
        WriteDisplaySettings(DisplaySettings{});
        // A page scale that puts the whole figure on the test screen, whatever its shape.
        const QSize screen = QGuiApplication::primaryScreen()->size();
        Surface() = DrawingSurface{};
        SetScreenScale(screen.width(), std::min(screen.height(), screen.width() * 9 / 16));
        errors_.clear();
        SetErrorPresenter([this](const QString& text) { errors_ << text; });
    }

    void cleanup() {
        SetErrorPresenter({});
        GlobalDisplaySettings() = DisplaySettings{};
        Surface() = DrawingSurface{};
        folder_.reset();
    }

    void components() {
        auto window = ShowWindow();
        QVERIFY(window);
        QCOMPARE(window->geometry(), QGuiApplication::primaryScreen()->geometry());
        QVERIFY(window->windowFlags() & Qt::FramelessWindowHint);
        for (const char* name : {"ScBO", "ScBV"}) {
            QScrollBar* bar = Bar(*window, name);
            QVERIFY(bar);
            QCOMPARE(bar->minimum(), -200);
            QCOMPARE(bar->maximum(), 200);
            QCOMPARE(bar->pageStep(), 10);
        }
        QCOMPARE(Bar(*window, "ScBO")->orientation(), Qt::Horizontal);
        QCOMPARE(Bar(*window, "ScBV")->orientation(), Qt::Vertical);
        QCOMPARE(Child<QPushButton>(*window, "BBres")->text(), QStringLiteral("Reset"));
        QCOMPARE(Child<QPushButton>(*window, "BBok")->text(), QStringLiteral("OK"));
        QCOMPARE(Child<QLabel>(*window, "Lab1")->text(),
                 QStringLiteral("Obrar sobre los cursores hasta"));
        QCOMPARE(Child<QLabel>(*window, "Lab2")->text(),
                 QStringLiteral("comprender el marco amarillo"));
        QCOMPARE(Child<QLabel>(*window, "Lab3")->text(), QStringLiteral("y obtener un círculo"));
        QCOMPARE(Child<QTimer>(*window, "Timer1")->interval(), 10);
        QCOMPARE(window->palette().color(QPalette::Window), QColor(Qt::black));
    }

    void activationShowsTheStoredDivisors_data() {
        QTest::addColumn<QString>("line7");
        QTest::addColumn<QString>("line8");
        QTest::addColumn<int>("positionO");
        QTest::addColumn<int>("positionV");
        QTest::addColumn<double>("stretchH");
        QTest::addColumn<double>("stretchV");
        QTest::newRow("narrower, taller") << " 9.00000000000000E-0001"
                                          << " 1.10000000000000E+0000" << 100 << -100 << 0.9 << 1.1;
        QTest::newRow("zero read as one") << "0"
                                          << " 0.00000000000000E+0000" << 0 << 0 << 1.0 << 1.0;
        QTest::newRow("the ends of the bars")
            << " 1.20000000000000E+0000"
            << " 8.00000000000000E-0001" << -200 << 200 << 1.2 << 0.8;
        QTest::newRow("rounded to the nearest step")
            << " 9.99600000000000E-0001"
            << " 1.00040000000000E+0000" << 0 << 0 << 0.9996 << 1.0004;
    }

    void activationShowsTheStoredDivisors() {
        QFETCH(QString, line7);
        QFETCH(QString, line8);
        QFETCH(int, positionO);
        QFETCH(int, positionV);
        QFETCH(double, stretchH);
        QFETCH(double, stretchV);
        std::vector<std::string> lines = DisplaySettingsLines(Distinct(1, 1));
        lines[6] = line7.toStdString();
        lines[7] = line8.toStdString();
        WriteTextLines(kDisplaySettingsFile, lines);
        Surface().Zoom = 2.5L;

        auto window = ShowWindow();
        QVERIFY(window);
        QCOMPARE(Bar(*window, "ScBO")->value(), positionO);
        QCOMPARE(Bar(*window, "ScBV")->value(), positionV);
        QCOMPARE(static_cast<double>(Surface().Zoom), 1.0);
        QVERIFY(Near(Surface().StretchH, stretchH));
        QVERIFY(Near(Surface().StretchV, stretchV));
        QCOMPARE(GlobalDisplaySettings().BackupFolder, std::string("/srv/copias"));
        // Showing the stored values changes nothing in the file.
        QCOMPARE(SettingsLines(), lines);
        QVERIFY(errors_.isEmpty());
    }

    void theBarsWriteLines7And8AndTheNextShowingReadsThemBack() {
        WriteDisplaySettings(Distinct(1, 1));
        auto window = ShowWindow();
        QVERIFY(window);
        PageSteps(Bar(*window, "ScBO"), 10);
        PageSteps(Bar(*window, "ScBV"), -10);
        QCOMPARE(Bar(*window, "ScBO")->value(), 100);
        QCOMPARE(Bar(*window, "ScBV")->value(), -100);

        std::vector<std::string> expected = DisplaySettingsLines(Distinct(1, 1));
        expected[6] = " 9.00000000000000E-0001";
        expected[7] = " 1.10000000000000E+0000";
        QCOMPARE(SettingsLines(), expected);
        QVERIFY(Near(Surface().StretchH, 0.9L));
        QVERIFY(Near(Surface().StretchV, 1.1L));

        Press(*window, "BBok");
        QVERIFY(!window->isVisible());
        QCOMPARE(SettingsLines(), expected);
        const DisplaySettings read = ReadDisplaySettings();
        QVERIFY(Near(read.StretchH, 0.9L));
        QVERIFY(Near(read.StretchV, 1.1L));

        // Elsewhere the divisors are forgotten; the next showing takes them from the file.
        GlobalDisplaySettings() = DisplaySettings{};
        Surface().StretchH = Surface().StretchV = 1.0L;
        window->show();
        QCOMPARE(Bar(*window, "ScBO")->value(), 100);
        QCOMPARE(Bar(*window, "ScBV")->value(), -100);
        QVERIFY(Near(Surface().StretchH, 0.9L));
        QVERIFY(errors_.isEmpty());
    }

    void eachStepIsWrittenAtOnce() {
        auto window = ShowWindow();
        QVERIFY(window);
        Bar(*window, "ScBO")->triggerAction(QAbstractSlider::SliderSingleStepSub);
        QCOMPARE(SettingsLines()[6], ScientificText(1.001L));
        QCOMPARE(SettingsLines()[7], ScientificText(1.0L));
        Bar(*window, "ScBV")->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QCOMPARE(SettingsLines()[7], ScientificText(0.99L));
    }

    void resetGoesBackToOne() {
        WriteDisplaySettings(Distinct(0.9L, 1.1L));
        auto window = ShowWindow();
        QVERIFY(window);
        QCOMPARE(Bar(*window, "ScBO")->value(), 100);
        Press(*window, "BBres");
        QCOMPARE(Bar(*window, "ScBO")->value(), 0);
        QCOMPARE(Bar(*window, "ScBV")->value(), 0);
        QCOMPARE(static_cast<double>(Surface().StretchH), 1.0);
        QCOMPARE(static_cast<double>(Surface().StretchV), 1.0);
        std::vector<std::string> expected = DisplaySettingsLines(Distinct(1, 1));
        QCOMPARE(SettingsLines(), expected);
        QVERIFY(window->isVisible());
    }

    void thePanelIsLaidOutInPageUnits() {
        auto window = ShowWindow();
        QVERIFY(window);
        auto* panel = Child<QFrame>(*window, "Panel1");
        const long double scale = Surface().PageScale;
        auto pixels = [&](long double units, long double divisor) {
            return RoundHalfEven(units / divisor * scale);
        };
        auto expectLayout = [&](long double h, long double v) {
            const QRect got = panel->geometry();
            QCOMPARE(got.width(), pixels(70, h));
            QCOMPARE(got.height(), pixels(70, v));
            QVERIFY(std::abs(got.center().x() - pixels(140, h)) <= 1);
            QVERIFY(std::abs(got.center().y() - pixels(101.6L, v)) <= 1);
            QCOMPARE(Bar(*window, "ScBO")->geometry(),
                     QRect(pixels(1, h), pixels(65, v), pixels(64, h), pixels(4, v)));
            QCOMPARE(Bar(*window, "ScBV")->geometry(),
                     QRect(pixels(65, h), pixels(1, v), pixels(4, h), pixels(64, v)));
            QCOMPARE(Child<QWidget>(*window, "BBok")->geometry(),
                     QRect(pixels(20, h), pixels(20, v), pixels(26, h), pixels(6, v)));
            QCOMPARE(Child<QWidget>(*window, "BBres")->geometry(),
                     QRect(pixels(20, h), pixels(27, v), pixels(26, h), pixels(6, v)));
            QCOMPARE(Child<QWidget>(*window, "Lab3")->pos(), QPoint(pixels(2, h), pixels(48, v)));
        };
        expectLayout(1, 1);
        PageSteps(Bar(*window, "ScBO"), 20);
        PageSteps(Bar(*window, "ScBV"), -20);
        expectLayout(0.8L, 1.2L);
    }

    void figureGeometry_data() {
        QTest::addColumn<double>("stretchH");
        QTest::addColumn<double>("stretchV");
        QTest::newRow("square pixels") << 1.0 << 1.0;
        QTest::newRow("narrower, taller") << 0.9 << 1.1;
        QTest::newRow("the ends of the bars") << 1.2 << 0.8;
    }

    void figureGeometry() {
        QFETCH(double, stretchH);
        QFETCH(double, stretchV);
        const long double h = stretchH, v = stretchV;
        const CalibrationFigureShape shape = CalibrationFigure(h, v);
        QVERIFY(Near(shape.centre.x, 140) && Near(shape.centre.y, 101.6L));
        QVERIFY(Near(shape.radius, 95));
        QVERIFY(Near(shape.horizontal.from.x, 140 - 100 / h));
        QVERIFY(Near(shape.horizontal.to.x, 140 + 100 / h));
        QVERIFY(Near(shape.horizontal.from.y, 101.6L) && Near(shape.horizontal.to.y, 101.6L));
        QVERIFY(Near(shape.vertical.from.y, 101.6L - 100 / v));
        QVERIFY(Near(shape.vertical.to.y, 101.6L + 100 / v));
        QVERIFY(Near(shape.vertical.from.x, 140) && Near(shape.vertical.to.x, 140));

        QCOMPARE(shape.horizontalTicks.size(), std::size_t(22));
        QCOMPARE(shape.verticalTicks.size(), std::size_t(22));
        for (int k = 0; k <= 10; ++k) {
            for (const int side : {0, 1}) {
                const long double sign = side == 0 ? 1 : -1;
                const LogicalSegment& across = shape.horizontalTicks[side * 11 + k];
                QVERIFY(Near(across.from.x, 140 + sign * k * 10 / h));
                QVERIFY(Near(across.to.x, across.from.x));
                QVERIFY(Near(across.from.y, 98.6L) && Near(across.to.y, 104.6L));
                const LogicalSegment& along = shape.verticalTicks[side * 11 + k];
                QVERIFY(Near(along.from.y, 101.6L + sign * k * 10 / v));
                QVERIFY(Near(along.to.y, along.from.y));
                QVERIFY(Near(along.from.x, 137) && Near(along.to.x, 143));
            }
        }
        // The outermost ticks stand at the ends of the cross.
        QVERIFY(Near(shape.horizontalTicks[10].from.x, shape.horizontal.to.x));
        QVERIFY(Near(shape.verticalTicks[21].from.y, shape.vertical.from.y));
    }

    void barPositionsAndDivisors_data() {
        QTest::addColumn<double>("divisor");
        QTest::addColumn<int>("position");
        QTest::newRow("one") << 1.0 << 0;
        QTest::newRow("0.9") << 0.9 << 100;
        QTest::newRow("1.1") << 1.1 << -100;
        QTest::newRow("beyond the bar") << 0.5 << 500;
    }

    void barPositionsAndDivisors() {
        QFETCH(double, divisor);
        QFETCH(int, position);
        QCOMPARE(StretchPosition(divisor), position);
        if (std::abs(position) <= 200)
            QVERIFY(std::fabs(static_cast<double>(StretchOfPosition(position)) - divisor) < 1e-12);
    }

    void drawsTheFigureAfterTheFirstTick() {
        WriteDisplaySettings(Distinct(0.9L, 1.1L));
        auto window = ShowDrawnWindow();
        QVERIFY(window);
        const QImage image = window->grab().toImage();
        const long double h = 0.9L, v = 1.1L;
        // The circle in red on its four sides, stretched by the divisors.
        QVERIFY(ColourNear(image, Device(140 + 95, 101.6L), kRedPixel));
        QVERIFY(ColourNear(image, Device(140 - 95, 101.6L), kRedPixel));
        QVERIFY(ColourNear(image, Device(140, 101.6L - 95), kRedPixel));
        QVERIFY(ColourNear(image, Device(140, 101.6L + 95), kRedPixel));
        // The cross and its outermost ticks in white, beyond the circle.
        QVERIFY(ColourNear(image, Device(140 + 100 / h - 1, 101.6L), kWhitePixel));
        QVERIFY(ColourNear(image, Device(140 + 100 / h, 101.6L - 2.5L), kWhitePixel));
        QVERIFY(ColourNear(image, Device(140, 101.6L - 100 / v + 1), kWhitePixel));
        QVERIFY(ColourNear(image, Device(140 + 2.5L, 101.6L + 100 / v), kWhitePixel));
        // No cross beyond its ends; the background is black.
        QCOMPARE(image.pixel(Device(140 + 100 / h + 4, 101.6L)) & 0xFFFFFF, 0u);
        QCOMPARE(image.pixel(5, 5) & 0xFFFFFF, 0u);
        // Without a printer there is no page frame.
        QVERIFY(!ColourNear(image, Device(140, 1), kYellowPixel));
        QCOMPARE(Surface().ActiveChartWindow, nullptr);
        QCOMPARE(Surface().CurrentPen.created, ObjectHandle(0));
    }

    void thePageFrameShowsWithAPrinter() {
        Surface().PrinterPresent = true;
        auto window = ShowDrawnWindow();
        QVERIFY(window);
        const QImage image = window->grab().toImage();
        QVERIFY(ColourNear(image, Device(140, 1), kYellowPixel));
        QVERIFY(ColourNear(image, Device(1, 60), kYellowPixel));
    }

    void theBarsRedrawTheFigure() {
        auto window = ShowDrawnWindow();
        QVERIFY(window);
        QVERIFY(
            ColourNear(window->grab().toImage(), Device(140 + 100, 101.6L - 2.5L), kWhitePixel));
        PageSteps(Bar(*window, "ScBO"), 20);
        const QImage image = window->grab().toImage();
        QVERIFY(ColourNear(image, Device(140 + 100 / 0.8L, 101.6L - 2.5L), kWhitePixel));
        QVERIFY(ColourNear(image, Device(140 + 95, 101.6L), kRedPixel));
    }

    void aMissingSettingsFileStopsTheWindow() {
        std::filesystem::remove(ResolveProgramPath(kDisplaySettingsFile));
        auto window = std::make_unique<TFgrTxtSpa>();
        window->fillScreenAndHide();
        window->show();
        QCOMPARE(errors_.size(), 1);
        QVERIFY(errors_.first().contains(QStringLiteral("MMVarLas.stt")));
        QTRY_VERIFY(!window->isVisible());
        QVERIFY(!window->figureShown());
        QVERIFY(!FileExists(kDisplaySettingsFile));
        QCOMPARE(errors_.size(), 1);
    }

    void closingReloadsTheOrbSettings() {
        std::vector<std::string> orbLines = DefaultOrbSettingsLines();
        orbLines[16] = "CASE_MEDIE";
        WriteTextLines(kOrbSettingsFile, orbLines);
        GlobalOrbSettings().HouseSystemName = "PLACIDO";
        auto window = ShowWindow();
        QVERIFY(window);
        QCOMPARE(GlobalOrbSettings().HouseSystemName.str(), std::string("PLACIDO"));
        Press(*window, "BBok");
        QVERIFY(!window->isVisible());
        QCOMPARE(GlobalOrbSettings().HouseSystemName.str(), std::string("CASE_MEDIE"));
        QVERIFY(errors_.isEmpty());
    }

    void aMissingOrbSettingsFileIsReportedAndTheWindowCloses() {
        auto window = ShowWindow();
        QVERIFY(window);
        std::filesystem::remove(ResolveProgramPath(kOrbSettingsFile));
        Press(*window, "BBok");
        QVERIFY(!window->isVisible());
        QCOMPARE(errors_.size(), 1);
        QVERIFY(errors_.first().contains(QStringLiteral("OrbiDomi.stt")));
    }

    void anUnwritableFileIsReported() {
        auto window = ShowWindow();
        QVERIFY(window);
        std::filesystem::remove_all(ResolveProgramPath("FileSet"));
        PageSteps(Bar(*window, "ScBO"), 1);
        QCOMPARE(errors_.size(), 1);
        // The figure still follows the bar.
        QVERIFY(Near(Surface().StretchH, 0.99L));
    }
};

QTEST_MAIN(CalibrationWindowTest)
#include "CalibrationWindowTest.moc"

#include "graphics/Wheel.h"

#include "astro/TextHelpers.h"

#include <QDate>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace exo {
namespace {

constexpr long double kDegree = std::numbers::pi_v<long double> / 180;
constexpr Colour kRed = 0x0000FF;
constexpr Colour kBlue = 0xFF0000;
constexpr Colour kAqua = 0xFFFF00;
constexpr Colour kYellow = 0x00FFFF;

long double Ascendant(const ChartState& chart) {
    return chart.HouseCusp[1];
}

// A filled dot with the current pen and brush.
void Dot(DrawingSurface& surface, DrawingTarget& dc, LogicalPoint at, long double radius) {
    surface.DrawEllipse(dc, at.x - radius, at.y - radius, at.x + radius, at.y + radius);
}

void ColouredDot(DrawingSurface& surface, DrawingTarget& dc, LogicalPoint at, long double radius,
                 Colour colour) {
    surface.SelectBrush(dc, colour);
    Dot(surface, dc, at, radius);
    surface.ReleaseBrush(dc);
}

LogicalPoint Rounded(LogicalPoint point) {
    return {static_cast<long double>(RoundHalfEven(point.x)),
            static_cast<long double>(RoundHalfEven(point.y))};
}

std::string Cut(std::string text, std::size_t length) {
    if (text.size() > length)
        text.resize(length);
    return text;
}

const std::array<const char*, 13> kRoman = {"",    "I",    "II", "III", "IV", "V",  "VI",
                                            "VII", "VIII", "IX", "X",   "XI", "XII"};

// The labels and division lines of both house rings; `offset` is where a house begins
// relative to its cusp.
void HouseDivisions(DrawingSurface& surface, DrawingTarget& dc, const ChartState& chart,
                    LogicalPoint centre, long double outer, long double inner, long double offset) {
    const long double ascendant = Ascendant(chart);
    const long double middle = (outer + inner) / 2;
    for (int i = 1; i <= 6; ++i) {
        const long double boundary = chart.HouseCusp[static_cast<std::size_t>(i)] + offset;
        surface.SetTextRole(dc, 0);
        const LogicalPoint first = Rounded(WheelPoint(boundary + 5, middle, centre, ascendant));
        surface.TextCentre(dc, kRoman[static_cast<std::size_t>(i)], 2, first.x, first.y - 2);
        const LogicalPoint second = Rounded(WheelPoint(boundary + 185, middle, centre, ascendant));
        surface.TextCentre(dc, kRoman[static_cast<std::size_t>(i + 6)], 2, second.x, second.y - 2);
        surface.SelectRolePen(dc, i == 1 || i == 4 ? 0 : 10);
        for (const long double at : {boundary, boundary + 180})
            surface.DrawLine(dc, WheelPoint(at, outer, centre, ascendant),
                             WheelPoint(at, inner, centre, ascendant));
    }
    surface.SelectRolePen(dc, 10);
}

} // namespace

LogicalPoint WheelAnglePoint(long double angle, long double radius, LogicalPoint centre) {
    return {centre.x - radius * std::cos(angle * kDegree),
            centre.y - radius * std::sin(angle * kDegree)};
}

LogicalPoint WheelPoint(long double longitude, long double radius, LogicalPoint centre,
                        long double ascendant) {
    return WheelAnglePoint(ascendant - longitude, radius, centre);
}

std::vector<float> SpreadAngles(std::span<const float> angles, float spacing) {
    const int n = static_cast<int>(angles.size());
    if (n == 0)
        return {};
    // Sorted angles and the point each came from, 1-based.
    std::vector<float> theta(static_cast<std::size_t>(n + 1));
    std::vector<int> point(static_cast<std::size_t>(n + 1));
    for (int k = 1; k <= n; ++k) {
        theta[static_cast<std::size_t>(k)] = angles[static_cast<std::size_t>(k - 1)];
        point[static_cast<std::size_t>(k)] = k - 1;
    }
    for (int pass = 1; pass < n; ++pass)
        for (int k = 1; k < n; ++k)
            if (theta[static_cast<std::size_t>(k + 1)] < theta[static_cast<std::size_t>(k)]) {
                std::swap(theta[static_cast<std::size_t>(k)],
                          theta[static_cast<std::size_t>(k + 1)]);
                std::swap(point[static_cast<std::size_t>(k)],
                          point[static_cast<std::size_t>(k + 1)]);
            }
    const auto at = [](auto& v, int i) -> auto& {
        return v[static_cast<std::size_t>(i)];
    };

    // The run starts after the widest gap, so that no crowd straddles the cut.
    int widest = 1;
    float widestGap = -1;
    for (int k = 1; k <= n; ++k) {
        float gap = k == 1 ? at(theta, 1) - at(theta, n) : at(theta, k) - at(theta, k - 1);
        if (gap < 0)
            gap += 360;
        if (gap > widestGap) {
            widestGap = gap;
            widest = k;
        }
    }
    std::vector<float> u(static_cast<std::size_t>(n + 2));
    for (int i = 1; i <= n; ++i) {
        const int k = widest + i - 1;
        at(u, i) = k <= n ? at(theta, k) : at(theta, k - n) + 360;
    }
    at(u, 0) = at(u, n) - 360;
    at(u, n + 1) = at(u, 1) + 360;
    const std::vector<float> original = u;

    int pushed = 0;
    for (int j = 2; j <= n + 1; ++j) {
        if (at(u, j) - at(u, j - 1) <= spacing) {
            at(u, j) = at(u, j - 1) + spacing;
            ++pushed;
            continue;
        }
        const float half = (at(u, j - 1) - at(original, j - 1)) / 2;
        const float room = at(u, j - 1 - pushed) - at(u, j - 2 - pushed);
        float back = 0;
        if (room >= spacing + half)
            back = half;
        else if (room > spacing && pushed > 1)
            back = room - spacing;
        for (int i = j - 1 - pushed; i <= j - 1; ++i)
            at(u, i) -= back;
        pushed = 0;
    }

    std::vector<float> result(static_cast<std::size_t>(n));
    for (int i = 1; i <= n; ++i) {
        const int k = widest + i - 1;
        const int sorted = k <= n ? k : k - n;
        at(result, at(point, sorted)) = k <= n ? at(u, i) : at(u, i) - 360;
    }
    return result;
}

int DecanRuler(int decan) {
    static constexpr std::array<int, 7> kRulers = {
        ChartOrder::Mars, ChartOrder::Sun,    ChartOrder::Venus,  ChartOrder::Mercury,
        ChartOrder::Moon, ChartOrder::Saturn, ChartOrder::Jupiter};
    return kRulers[static_cast<std::size_t>((decan - 1) % 7)];
}

void DrawZodiacRing(DrawingSurface& surface, DrawingTarget& dc, const ChartState& chart,
                    const std::string& prefix, long double glyphSize, long double inner,
                    long double outer, LogicalPoint centre, bool decans) {
    const long double ascendant = Ascendant(chart);
    const long double width = decans ? 5 : 0;
    const long double edge = outer + width;
    surface.SelectRolePen(dc, 0);
    for (const long double radius : {edge, outer, inner})
        surface.DrawCircle(dc, radius, centre.x, centre.y);
    surface.DrawLine(dc, {centre.x - edge, centre.y}, {centre.x - edge - 10, centre.y});
    surface.DrawLine(dc, {centre.x + edge, centre.y}, {centre.x + edge + 10, centre.y});

    surface.SelectRolePen(dc, 10);
    for (int longitude = 0; longitude < 360; longitude += 10)
        surface.DrawLine(dc, WheelPoint(longitude, edge, centre, ascendant),
                         WheelPoint(longitude, outer - 3, centre, ascendant));

    for (int sign = 1; sign <= 12; ++sign) {
        const long double boundary = 30.0L * (sign - 1);
        surface.SelectRolePen(dc, 0);
        surface.DrawLine(dc, WheelPoint(boundary, edge, centre, ascendant),
                         WheelPoint(boundary, inner, centre, ascendant));
        const LogicalPoint glyph =
            WheelPoint(boundary + 15, (inner + outer) / 2, centre, ascendant);
        surface.DrawSignSymbol(dc, sign, prefix, glyphSize, glyph.x, glyph.y);
    }

    if (decans)
        for (int decan = 1; decan <= 36; ++decan) {
            const LogicalPoint at = WheelPoint(10.0L * decan - 5, outer + 2.5L, centre, ascendant);
            surface.DrawPlanetSymbol(dc, DecanRuler(decan), 3.5L, at.x, at.y);
        }
}

void DrawPlanetRing(DrawingSurface& surface, DrawingTarget& dc, const ChartState& chart, int count,
                    LogicalPoint centre, long double outer, long double inner,
                    RingVariant variant) {
    const bool full = variant == RingVariant::Full;
    const float spacing = full ? 10.0F : 8.0F;
    const long double pointer = full ? 4.3L : 3.5L;
    const long double middle = (outer + inner) / 2;
    const long double ascendant = Ascendant(chart);
    count = std::clamp(count, 0, kPointSlots - 1);

    std::vector<float> angles;
    for (int k = 1; k <= count; ++k) {
        float angle =
            static_cast<float>(ascendant - chart.ChartLongitude[static_cast<std::size_t>(k)]);
        if (angle < 0)
            angle += 360;
        angles.push_back(angle);
    }
    const std::vector<float> shown = SpreadAngles(angles, spacing);

    for (int k = 1; k <= count; ++k) {
        const long double longitude = chart.ChartLongitude[static_cast<std::size_t>(k)];
        const long double angle = shown[static_cast<std::size_t>(k - 1)];
        const LogicalPoint at = WheelAnglePoint(angle, middle, centre);
        if (full) {
            surface.SelectPen(dc, 14);
            surface.DrawCircle(dc, 4.5L, at.x, at.y);
            surface.DrawPlanetSymbol(dc, k, 4, at.x, at.y - 1.5L);
            surface.SetTextRole(dc, 0);
            surface.TextLeft(dc, DegreeText(0, longitude), 0, at.x - 3, at.y + 0.8L);
        } else {
            surface.DrawPlanetSymbol(dc, k, 5, at.x, at.y);
        }
        dc.setTextColour(kRed);
        const std::string mark = chart.RetroMark[static_cast<std::size_t>(k)].str();
        if (mark == "r" || mark == "R")
            surface.TextLeft(dc, "r", 0, at.x + 2, at.y - 4);

        surface.SelectRolePen(dc, 10);
        surface.SelectBrush(dc, surface.OnScreen() ? kWhite : kBlack);
        const LogicalPoint outerTrue = WheelPoint(longitude, outer, centre, ascendant);
        const LogicalPoint innerTrue = WheelPoint(longitude, inner, centre, ascendant);
        surface.DrawLine(dc, outerTrue, WheelAnglePoint(angle, middle + pointer, centre));
        Dot(surface, dc, outerTrue, 0.2L);
        surface.DrawLine(dc, innerTrue, WheelAnglePoint(angle, middle - pointer, centre));
        Dot(surface, dc, innerTrue, 0.2L);
        surface.ReleaseBrush(dc);
    }
    surface.SelectRolePen(dc, 10);
    surface.DrawCircle(dc, inner, centre.x, centre.y);
    surface.SetTextRole(dc, 0);
}

void DrawMeanHouseRing(DrawingSurface& surface, DrawingTarget& dc, const ChartState& chart,
                       LogicalPoint centre, long double outer, long double inner) {
    const long double ascendant = Ascendant(chart);
    if (outer < 70) {
        surface.SelectRolePen(dc, 10);
        for (const long double radius : {outer, inner, outer + 3})
            surface.DrawCircle(dc, radius, centre.x, centre.y);
    }
    surface.SelectPen(dc, 5);
    for (int k = 0; k < 60; ++k) {
        const long double at = ascendant - 15 + 6.0L * k;
        surface.DrawLine(dc, WheelPoint(at, outer, centre, ascendant),
                         WheelPoint(at, outer + 3, centre, ascendant));
    }
    HouseDivisions(surface, dc, chart, centre, outer, inner, -15);
}

void DrawCuspRing(DrawingSurface& surface, DrawingTarget& dc, const ChartState& chart,
                  LogicalPoint centre, long double outer, long double inner) {
    if (outer < 70) {
        surface.SelectRolePen(dc, 10);
        for (const long double radius : {outer, inner})
            surface.DrawCircle(dc, radius, centre.x, centre.y);
    }
    HouseDivisions(surface, dc, chart, centre, outer, inner, 0);
}

void DrawAxes(DrawingSurface& surface, DrawingTarget& dc, const ChartState& chart,
              LogicalPoint centre, long double radius, RingVariant variant) {
    const bool full = variant == RingVariant::Full;
    const long double ascendant = Ascendant(chart);
    const auto point = [&](long double longitude, long double r) {
        return WheelPoint(longitude, r, centre, ascendant);
    };
    surface.SetTextRole(dc, 0);
    surface.SelectPen(dc, 2);
    surface.DrawLine(dc, point(ascendant + 180, radius), point(ascendant + 180, radius + 10));
    surface.DrawLine(dc, point(ascendant, radius), point(ascendant, radius + 10));
    ColouredDot(surface, dc, point(ascendant, radius), 1.5L, kAqua);
    surface.ReleasePen(dc);

    const std::string degrees = Cut(DegreeText(0, ascendant), 6);
    if (full) {
        const LogicalPoint descendant = point(ascendant + 180, radius + 7);
        surface.TextCentre(dc, degrees, 1, descendant.x, descendant.y + 1);
    }
    const LogicalPoint ascendantText = point(ascendant, radius + 7);
    surface.TextCentre(dc, degrees, 1, ascendantText.x, ascendantText.y + 1);
    surface.TextCentre(dc, "AS", 4, centre.x - radius - 7, centre.y - 9);

    if (chart.HouseSystemName.str() != "CASE_MEDIE")
        return;
    const long double midheaven = chart.MidheavenRad / kDegree;
    ColouredDot(surface, dc, point(midheaven, radius), 1.5L, kAqua);
    const LogicalPoint label = point(midheaven, radius + 7);
    surface.TextCentre(dc, "MC", 4, label.x - 11, label.y - 5);
    surface.TextCentre(dc, Cut(DegreeText(0, midheaven), 6), 1, label.x, label.y - 4);
    if (full)
        ColouredDot(surface, dc, point(midheaven + 180, radius), 1.5L, kAqua);

    for (int i = 1; i <= 6; ++i) {
        const long double cusp = chart.HouseCusp[static_cast<std::size_t>(i)];
        ColouredDot(surface, dc, point(cusp + 195, radius), 1, kRed);
        ColouredDot(surface, dc, point(cusp + 15, radius), 1, kRed);
        if (!full)
            continue;
        const std::string text = Cut(DegreeText(0, cusp - 15), 6);
        const LogicalPoint first = point(cusp + 15, radius + 7);
        surface.TextCentre(dc, text, 1, first.x, first.y - 2);
        // The two marks beside the Midheaven stay free for its label.
        if (i == 3 || i == 4)
            continue;
        const LogicalPoint second = point(cusp + 195, radius + 7);
        surface.TextCentre(dc, text, 1, second.x, second.y - 2);
    }
}

WheelAspects WheelAspectFigures(const ChartState& chart, const OrbTable& orbs) {
    constexpr int kFigurePoints = 9; // seven planets, Ascendant, Midheaven
    constexpr int kAscendantPoint = 8;
    std::array<long double, kFigurePoints + 1> longitude{};
    for (int k = ChartOrder::Sun; k <= ChartOrder::Saturn; ++k)
        longitude[static_cast<std::size_t>(k)] = chart.ChartLongitude[static_cast<std::size_t>(k)];
    longitude[kAscendantPoint] = Ascendant(chart);
    longitude[kFigurePoints] = chart.MidheavenRad / kDegree;
    WheelAspects wheel = WheelAspectLines(longitude, kFigurePoints, kAscendantPoint, orbs);
    // The angles are no planets: the pair of them draws nothing.
    std::erase_if(wheel.lines,
                  [](const WheelAspectLine& line) { return line.from > ChartOrder::Saturn; });
    return wheel;
}

std::vector<DevicePoint> AspectSpindlePolygon(const DrawingSurface& surface, LogicalPoint first,
                                              LogicalPoint second, int exactness) {
    const long double w =
        1 / (1.2L * std::sqrt(std::max(static_cast<long double>(exactness), 0.2L)));
    LogicalPoint p1{first.x / surface.StretchH, first.y / surface.StretchV};
    LogicalPoint p2{second.x / surface.StretchH, second.y / surface.StretchV};
    if (p2.x < p1.x)
        std::swap(p1, p2);
    if (p1.x == p2.x)
        p2.x += 1;
    const long double q = std::atan((p1.y - p2.y) / (p2.x - p1.x));
    const long double r = std::atan(w / 8);
    const long double s = std::sqrt(w * w + 64);
    const auto offset = [&](LogicalPoint from, long double sign, long double angle) {
        return LogicalPoint{from.x + sign * s * std::cos(angle),
                            from.y - sign * s * std::sin(angle)};
    };
    const std::array<LogicalPoint, 6> hexagon = {p1, offset(p1, 1, q - r),  offset(p2, -1, q + r),
                                                 p2, offset(p2, -1, q - r), offset(p1, 1, q + r)};
    std::vector<DevicePoint> device;
    const long double scale = surface.PageScale * surface.Zoom;
    for (const LogicalPoint& point : hexagon)
        device.push_back({RoundHalfEven(point.x * scale) + surface.OffsetX,
                          RoundHalfEven(point.y * scale) + surface.OffsetY});
    return device;
}

void DrawAspectSpindle(DrawingSurface& surface, DrawingTarget& dc, LogicalPoint first,
                       LogicalPoint second, int exactness) {
    dc.setFillMode(FillMode::Winding);
    dc.polygon(AspectSpindlePolygon(surface, first, second, exactness));
}

void DrawAspectFigures(DrawingSurface& surface, DrawingTarget& dc, const ChartState& chart,
                       const OrbTable& orbs, int style, long double radius, LogicalPoint centre) {
    surface.SelectRolePen(dc, 10);
    surface.DrawCircle(dc, radius, centre.x, centre.y);
    surface.SelectPen(dc, 10);
    const WheelAspects wheel = WheelAspectFigures(chart, orbs);
    const auto end = [&](int point) {
        return Rounded(
            WheelAnglePoint(wheel.dotAngle[static_cast<std::size_t>(point - 1)], radius, centre));
    };
    for (const WheelAspectLine& line : wheel.lines) {
        const LogicalPoint from = end(line.from);
        const LogicalPoint to = end(line.to);
        if (style == 1) {
            surface.SelectPen(dc, line.soft ? 80 : 79);
            if (line.soft)
                surface.DrawLine(dc, from, to);
            else
                surface.DrawFineDottedLine(dc, from, to);
        } else {
            surface.SelectPen(dc, line.soft ? 25 : 7);
            surface.SelectBrush(dc, line.soft ? kBlue : kRed);
            DrawAspectSpindle(surface, dc, from, to, line.deviation);
            surface.ReleaseBrush(dc);
        }
    }
}

void DrawFooter(DrawingSurface& surface, DrawingTarget& dc, long double x, long double y) {
    // The footer keeps its shape under stretch: only its reference point is stretched.
    const long double x0 = (x + 5) / surface.StretchH;
    const long double y0 = (y + 130) / surface.StretchV;
    const long double scale = surface.PageScale * surface.Zoom;
    const auto device = [&](long double dx, long double dy) {
        return DevicePoint{RoundHalfEven((x0 + dx) * scale) + surface.OffsetX,
                           RoundHalfEven((y0 + dy) * scale) + surface.OffsetY};
    };
    const auto logicalX = [&](long double dx) { return (x0 + dx) * surface.StretchH; };
    const auto logicalY = [&](long double dy) { return (y0 + dy) * surface.StretchV; };
    const bool colour = !surface.BlackMode;

    surface.SelectPen(dc, 2);
    if (colour)
        surface.SelectBrush(dc, kYellow);
    dc.setFillMode(FillMode::Winding);
    dc.polygon({device(10, -2), device(25, 7), device(10, 12), device(20, -2), device(20, 13),
                device(10, -2)});
    if (colour) {
        surface.ReleaseBrush(dc);
        surface.SelectBrush(dc, kRed);
    }
    const DevicePoint topLeft = device(-1, 0);
    const DevicePoint bottomRight = device(30, 5);
    dc.rectangle({topLeft.x, topLeft.y, bottomRight.x, bottomRight.y});
    if (colour) {
        surface.ReleaseBrush(dc);
        const Colour background = dc.backgroundColour();
        dc.setBackgroundColour(kRed);
        dc.setTextColour(kWhite);
        surface.TextLeft(dc, "Orvexia 3", 15, logicalX(1), logicalY(0.5L));
        dc.setBackgroundColour(background);
    } else {
        surface.TextLeft(dc, "Orvexia 3", 15, logicalX(0), logicalY(0.5L));
    }
    surface.ReleasePen(dc);
    surface.SetTextRole(dc, 0);
}

void DrawDateStamp(DrawingSurface& surface, DrawingTarget& dc, const std::string& userName,
                   long double x, long double y) {
    surface.SetTextRole(dc, 0);
    const QDate today = QDate::currentDate();
    surface.TextRight(dc, today.toString(QStringLiteral("dd/MM/yyyy")).toStdString(), 1, x, y);
    surface.TextRight(dc, userName, 15, x, y + 4);
}

} // namespace exo

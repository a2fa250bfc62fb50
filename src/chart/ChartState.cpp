#include "chart/ChartState.h"

#include "platform/Cp1252.h"

#include <cmath>
#include <stdexcept>
#include <vector>

namespace exo {

ChartState& GlobalChart() {
    static ChartState chart;
    return chart;
}

void ClearChartState(ChartState& chart) {
    chart = ChartState{};
}

std::uint8_t SignOfLongitude(long double longitude) {
    // Only a longitude that is no angle at all (not finite, or beyond any turn count) could
    // overflow the conversion; it gets sign 0, which no Aries-to-Pisces table reads.
    if (!std::isfinite(longitude) || std::fabs(longitude) > 1e9L)
        return 0;
    return static_cast<std::uint8_t>(static_cast<long>(std::trunc(longitude / 30.0L)) + 1);
}

void SignOfPoints(int count, std::span<const long double> longitude, std::span<std::uint8_t> sign) {
    for (int i = kFirstPoint; i <= count; ++i)
        sign[i] = SignOfLongitude(longitude[i]);
}

void HouseOfPoints(int count, std::span<const long double> longitude,
                   std::span<const long double> cusp, std::span<std::uint8_t> house) {
    long double c[13];
    for (int h = 0; h < 12; ++h)
        c[h] = cusp[h + 1];
    c[12] = c[0];
    for (int i = kFirstPoint; i <= count; ++i) {
        for (int h = 1; h <= 12; ++h) {
            long double span = c[h] - c[h - 1];
            if (span < 0)
                span += 360;
            long double offset = longitude[i] - c[h - 1];
            if (offset < 0)
                offset += 360;
            // Each house takes its own end too and the next house overrides it, so a point
            // on a cusp belongs to the house that begins there; the last house stops short
            // of the first cusp, which begins house 1.
            if (offset < span || (offset == span && h < 12))
                house[i] = static_cast<std::uint8_t>(h);
        }
    }
}

namespace {

const std::string& Label(const std::vector<std::string>& table, int index, const char* what) {
    if (index < 1 || index > static_cast<int>(table.size()))
        throw std::out_of_range(std::string(what) + " " + std::to_string(index));
    return table[static_cast<std::size_t>(index - 1)];
}

std::vector<std::string> Cp1252Table(std::initializer_list<const char*> utf8) {
    std::vector<std::string> table;
    for (const char* text : utf8)
        table.push_back(Cp1252FromUtf8(text));
    return table;
}

} // namespace

const std::string& PointLabel(int point) {
    static const std::vector<std::string> table = Cp1252Table(
        {"SOL      ", "LUNA     ", "MERCURIO  ", "VENUS    ", "MARTE     ", "JÚPITER  ",
         "SATURNO   ", "URANUS   ", "NEPTUNO   ", "PLUTÓN    ", "NODO LUNA ", "LUNA NEGRA"});
    return Label(table, point, "point label");
}

const std::string& SignLabel(int sign) {
    static const std::vector<std::string> table = Cp1252Table(
        {"ARIES      ", "TAURO     ", "GÉMINIS    ", "CÁNCER     ", "LEO        ", "VIRGO      ",
         "LIBRA      ", "ESCORPIO   ", "SAGITARIO", "CAPRICORNIO", "ACUARIO   ", "PISCIS     "});
    return Label(table, sign, "sign label");
}

const std::string& ChartPointLabel(int point) {
    static const std::vector<std::string> table =
        Cp1252Table({"SOL", "LUNA", "MERCURIO", "VENUS", "MARTE", "JÚPITER", "SATURNO", "NODONORTE",
                     "NODOSUR", "", ""});
    return Label(table, point, "chart point label");
}

} // namespace exo

#include "astro/TextHelpers.h"

#include "astro/Angles.h"
#include "platform/Cp1252.h"
#include "platform/Errors.h"
#include "platform/NumberText.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

namespace exo {

namespace {

using SignTable = std::array<std::string, 12>;

SignTable Cp1252Signs(std::array<const char*, 12> utf8) {
    SignTable table;
    for (std::size_t i = 0; i < 12; ++i)
        table[i] = Cp1252FromUtf8(utf8[i]);
    return table;
}

const std::string& SignEntry(const SignTable& table, int sign) {
    if (sign < 1 || sign > 12)
        throw std::out_of_range("sign " + std::to_string(sign));
    return table[static_cast<std::size_t>(sign - 1)];
}

const std::string kDegreeMark = "°"_cp;

// Degrees, minutes and seconds of a longitude inside its sign, as every position text
// takes them.
struct SignPosition {
    int sign;
    long degrees;
    long minutes;
    long double seconds;
};

// Positions and latitudes are angles; a value that is not one is refused.
void RequireAngle(long double x) {
    if (!std::isfinite(x) || std::fabs(x) > 1e15L)
        throw ConvertError(Utf8FromCp1252(GeneralText(x)), "ángulo");
}

SignPosition PositionOf(long double x) {
    RequireAngle(x);
    // Longitudes outside [0, 360) would name a thirteenth sign; they are reduced first.
    x = Normalize360(x);
    const long double p = Normalize30(x);
    SignPosition pos;
    pos.sign = std::clamp(static_cast<int>(std::trunc(x / 30)) + 1, 1, 12);
    pos.degrees = static_cast<long>(std::trunc(p));
    pos.minutes = static_cast<long>(std::trunc((p - std::trunc(p)) * 60));
    pos.seconds = (x - pos.degrees - 30.0L * (pos.sign - 1) - pos.minutes / 60.0L) * 3600;
    return pos;
}

// Adds one minute, never passing into the next sign: at 29° the minutes stay at 59.
void AddMinute(SignPosition& pos) {
    ++pos.minutes;
    if (pos.minutes == 60) {
        if (pos.degrees == 29) {
            pos.minutes = 59;
        } else {
            pos.minutes = 0;
            ++pos.degrees;
        }
    }
}

// Whole minutes: more than 30 seconds rounds up.
SignPosition RoundedToMinutes(long double x) {
    SignPosition pos = PositionOf(x);
    if (pos.seconds > 30)
        AddMinute(pos);
    return pos;
}

// Whole seconds; 60 after rounding carries into the minutes (and is 59 at 29°59').
struct SecondsPosition {
    SignPosition pos;
    long seconds;
};
SecondsPosition RoundedToSeconds(long double x) {
    SecondsPosition r{PositionOf(x), 0};
    r.seconds = std::lround(std::max<long double>(0, r.pos.seconds));
    if (r.seconds >= 60) {
        if (r.pos.degrees == 29 && r.pos.minutes == 59) {
            r.seconds = 59;
        } else {
            r.seconds = 0;
            AddMinute(r.pos);
        }
    }
    return r;
}

} // namespace

const std::string& SignAbbreviation(int sign) {
    static const SignTable table = Cp1252Signs(
        {"Ari", "Tau", "Gém", "Cán", "Leo", "Vir", "Lib", "Esc", "Sag", "Cap", "Acu", "Pis"});
    return SignEntry(table, sign);
}

const std::string& SignName(int sign) {
    static const SignTable table =
        Cp1252Signs({"Aries", "Tauro", "Géminis", "Cáncer", "Leo", "Virgo", "Libra", "Escorpio",
                     "Sagitario", "Capricornio", "Acuario", "Piscis"});
    return SignEntry(table, sign);
}

std::string PadLeftZeros(long n, int width) {
    std::string text = std::to_string(n);
    if (static_cast<int>(text.size()) < width)
        text.insert(0, static_cast<std::size_t>(width) - text.size(), '0');
    return text.substr(0, 5);
}

std::string RepeatChar(int count, char c) {
    return std::string(static_cast<std::size_t>(std::max(count, 0)), c);
}

std::string UpperAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

std::string StripTrailingBlanks(std::string_view s) {
    std::string out(s.substr(0, 80));
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

std::string TrimTail(std::string_view s) {
    static const std::string kKept =
        ").abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789" + "àéèùòì"_cp;
    std::string out(s);
    for (int round = 0; round < 10; ++round) {
        if (!out.empty() && kKept.find(out.back()) == std::string::npos)
            out.pop_back();
    }
    return out;
}

std::string PlainDecimal(int n, long double x) {
    const auto count = static_cast<std::size_t>(std::max(n, 0));
    if (!std::isfinite(x))
        return std::string(std::isnan(x) ? "NAN" : "INF").substr(0, count);
    // The 15 digits and the exponent of the scientific form, the point moved by the
    // exponent; zeros stand in for digits the form does not have.
    const std::string scientific = ScientificText(x);
    const std::int32_t e = IntegerOrZero(scientific.substr(18));
    const std::string digits = scientific.substr(1, 1) + scientific.substr(3, 14);
    std::string s;
    if (e < 0) {
        s = "0." + std::string(static_cast<std::size_t>(-static_cast<long>(e)) - 1, '0') + digits;
    } else {
        const auto integerDigits = static_cast<std::size_t>(e) + 1;
        if (integerDigits >= digits.size())
            s = digits + std::string(integerDigits - digits.size(), '0') + ".";
        else
            s = digits.substr(0, integerDigits) + "." + digits.substr(integerDigits);
    }
    return s.substr(0, count);
}

std::string SignPositionText(int mode, long double x) {
    if (mode == 2) {
        const SecondsPosition r = RoundedToSeconds(x);
        return PadLeftZeros(r.pos.degrees, 2) + SignAbbreviation(r.pos.sign) +
               PadLeftZeros(r.pos.minutes, 2) + ":" + PadLeftZeros(r.seconds, 2);
    }
    const SignPosition pos = RoundedToMinutes(x);
    return PadLeftZeros(pos.degrees, 2) + SignAbbreviation(pos.sign) + PadLeftZeros(pos.minutes, 2);
}

std::string DegreeText(int mode, long double x) {
    if (mode == 2) {
        const SecondsPosition r = RoundedToSeconds(x);
        return PadLeftZeros(r.pos.degrees, 2) + kDegreeMark + PadLeftZeros(r.pos.minutes, 2) + "'" +
               PadLeftZeros(r.seconds, 2) + "\"";
    }
    const SignPosition pos = RoundedToMinutes(x);
    return PadLeftZeros(pos.degrees, 2) + kDegreeMark + PadLeftZeros(pos.minutes, 2) + "'";
}

std::string RetroPositionText(std::string_view mark, long double x) {
    const SignPosition pos = RoundedToMinutes(x);
    const bool retrograde = mark == "r" || mark == "R";
    return PadLeftZeros(pos.degrees, 2) + kDegreeMark + PadLeftZeros(pos.minutes, 2) + "' " +
           SignName(pos.sign) + (retrograde ? std::string(" Retrogrado ") : std::string(mark));
}

std::string LatitudeText(long double x) {
    RequireAngle(x);
    const long double a = std::fabs(x);
    const auto degrees = static_cast<long>(std::trunc(a));
    const auto minutes = static_cast<long>(std::trunc((a - std::trunc(a)) * 60));
    return PadLeftZeros(degrees, 2) + kDegreeMark + " " + PadLeftZeros(minutes, 2) + "' " +
           (x >= 0 ? "Norte" : "Sur");
}

std::string CleanLocality(std::string_view s) {
    std::string out;
    bool firstStar = true;
    for (std::size_t i = 0; i < s.size() && out.size() < 80; ++i) {
        const char c = s[i];
        if (c == '*') {
            out += firstStar ? '(' : ')';
            firstStar = false;
        } else if (c == ' ') {
            if (i == 0 || s[i - 1] != ' ')
                out += c;
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace exo

#include "platform/NumberText.h"

#include "platform/Cp1252.h"
#include "platform/Errors.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace exo {

namespace {

// Decimal digits and exponent of |x| rounded to `digits` significant digits.
struct Decimal {
    std::string digits; // exactly `digits` characters, first one non-zero unless x is 0
    int exponent = 0;   // value = 0.d1d2d3… × 10^(exponent+1), i.e. d1 is the 10^exponent digit
};

Decimal DecimalOf(long double x, int digits) {
    char buffer[96];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(x),
                                      std::chars_format::scientific, digits - 1);
    const std::string text(buffer, result.ptr);
    Decimal d;
    const std::size_t e = text.find('e');
    for (std::size_t i = 0; i < e; ++i) {
        if (text[i] != '.')
            d.digits += text[i];
    }
    std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(),
                    d.exponent);
    return d;
}

std::string NonFiniteText(long double x) {
    std::string text = std::isnan(x) ? " NAN" : (x < 0 ? " -INF" : " +INF");
    text.resize(23, ' ');
    return text;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Validates the syntax of a real with `separator` and rewrites it with "." for from_chars.
bool NormalisedReal(std::string_view text, char separator, std::string& normalised) {
    std::size_t i = 0;
    normalised.clear();
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-')
            normalised += '-';
        ++i;
    }
    std::size_t mantissaDigits = 0;
    while (i < text.size() && IsDigit(text[i]))
        normalised += text[i++], ++mantissaDigits;
    if (i < text.size() && text[i] == separator) {
        normalised += '.';
        ++i;
        while (i < text.size() && IsDigit(text[i]))
            normalised += text[i++], ++mantissaDigits;
    }
    if (mantissaDigits == 0)
        return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        normalised += 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            normalised += text[i++];
        std::size_t exponentDigits = 0;
        while (i < text.size() && IsDigit(text[i]))
            normalised += text[i++], ++exponentDigits;
        if (exponentDigits == 0)
            return false;
    }
    return i == text.size();
}

bool ConvertNormalised(const std::string& normalised, long double& x) {
    long double value = 0;
    const auto result =
        std::from_chars(normalised.data(), normalised.data() + normalised.size(), value);
    // A value beyond the range of extended reals is not a number the program can use.
    if (result.ec != std::errc() || result.ptr != normalised.data() + normalised.size())
        return false;
    x = value;
    return true;
}

std::string_view SkipLeadingBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    return text;
}

std::string_view TrimBlanks(std::string_view text) {
    text = SkipLeadingBlanks(text);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

} // namespace

std::string ScientificText(long double x) {
    if (!std::isfinite(x))
        return NonFiniteText(x);
    const Decimal d = DecimalOf(x, 15);
    const bool zero = d.digits.find_first_not_of('0') == std::string::npos;
    const int exponent = zero ? 0 : d.exponent;
    std::string text;
    text += (x < 0 && !zero) ? '-' : ' ';
    text += d.digits[0];
    text += '.';
    text += d.digits.substr(1);
    text += 'E';
    text += exponent < 0 ? '-' : '+';
    std::string e = std::to_string(std::abs(exponent));
    text += std::string(4 - std::min<std::size_t>(4, e.size()), '0') + e;
    return text;
}

std::string GeneralText(long double x, char separator) {
    if (!std::isfinite(x))
        return std::isnan(x) ? "NAN" : (x < 0 ? "-INF" : "INF");
    if (x == 0)
        return "0";
    const Decimal d = DecimalOf(x, 15);
    std::string digits = d.digits;
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    std::string text = x < 0 ? "-" : "";
    const int e = d.exponent;
    if (std::fabs(x) >= 0.00001L && e < 15) {
        if (e < 0) {
            text += '0';
            text += separator;
            text += std::string(static_cast<std::size_t>(-e - 1), '0') + digits;
        } else {
            const auto integerDigits = static_cast<std::size_t>(e + 1);
            if (digits.size() <= integerDigits) {
                text += digits + std::string(integerDigits - digits.size(), '0');
            } else {
                text += digits.substr(0, integerDigits);
                text += separator;
                text += digits.substr(integerDigits);
            }
        }
    } else {
        text += digits[0];
        if (digits.size() > 1) {
            text += separator;
            text += digits.substr(1);
        }
        text += 'E';
        text += std::to_string(e);
    }
    return text;
}

std::string FixedCutText(long double x, int decimals, char separator) {
    if (!std::isfinite(x))
        return GeneralText(x, separator);
    decimals = std::clamp(decimals, 0, 64);
    // The cut is made in the 15 significant digits the program writes reals with, so 0.29
    // reads 0,29 and not the 0,28999… of its binary value.
    const Decimal d = DecimalOf(x, 15);
    std::string integerPart;
    std::string fraction;
    if (x == 0) {
        integerPart = "0";
    } else if (d.exponent >= 0) {
        const auto integerDigits = static_cast<std::size_t>(d.exponent) + 1;
        integerPart = d.digits.substr(0, integerDigits);
        integerPart.append(integerDigits - integerPart.size(), '0');
        if (integerDigits < d.digits.size())
            fraction = d.digits.substr(integerDigits);
    } else {
        integerPart = "0";
        fraction = std::string(static_cast<std::size_t>(-d.exponent - 1), '0') + d.digits;
    }
    fraction.resize(static_cast<std::size_t>(decimals), '0');
    std::string text = (x < 0 ? "-" : "") + integerPart;
    if (decimals > 0)
        text += separator + fraction;
    return text;
}

bool ParseReal(std::string_view text, long double& x) {
    std::string normalised;
    return NormalisedReal(SkipLeadingBlanks(text), '.', normalised) &&
           ConvertNormalised(normalised, x);
}

bool ParseLeadingReal(std::string_view line, long double& x) {
    line = SkipLeadingBlanks(line);
    const std::size_t end = line.find_first_of(" \t");
    return ParseReal(line.substr(0, end), x);
}

bool ParseLocaleReal(std::string_view text, long double& x) {
    std::string normalised;
    return NormalisedReal(TrimBlanks(text), kDecimalSeparator, normalised) &&
           ConvertNormalised(normalised, x);
}

long double LocaleReal(std::string_view text) {
    long double x = 0;
    if (!ParseLocaleReal(text, x))
        throw ConvertError(Utf8FromCp1252(text), "número real");
    return x;
}

bool ParseInteger(std::string_view text, std::int32_t& n) {
    text = SkipLeadingBlanks(text);
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (i == text.size())
        return false;
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        if (!IsDigit(text[i]))
            return false;
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::max()) + 1)
            return false;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<std::int32_t>::max())
        return false;
    n = static_cast<std::int32_t>(value);
    return true;
}

std::int32_t IntegerOrZero(std::string_view text) {
    std::int32_t n = 0;
    return ParseInteger(text, n) ? n : 0;
}

std::int32_t IntegerOf(std::string_view text) {
    std::int32_t n = 0;
    if (!ParseInteger(text, n))
        throw ConvertError(Utf8FromCp1252(text), "número entero");
    return n;
}

long double RealOrZero(std::string_view text) {
    long double x = 0;
    return ParseReal(text, x) ? x : 0.0L;
}

} // namespace exo

#include "astro/Calendar.h"

#include "astro/TextHelpers.h"
#include "platform/Cp1252.h"
#include "platform/Errors.h"
#include "platform/NumberText.h"
#include "platform/ProgramPaths.h"

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>

#include <cmath>

namespace exo {

namespace {

long double Trunc(long double x) {
    return std::trunc(x);
}
long double Frac(long double x) {
    return x - std::trunc(x);
}

// Characters first … first+count−1 (1-based) of s, as far as s reaches.
std::string Copy(const std::string& s, std::size_t first, std::size_t count) {
    if (first < 1 || first > s.size())
        return {};
    return s.substr(first - 1, count);
}

std::string DateTextOf(long double jd, bool gregorianByFlag, bool gregorianFlag) {
    if (!std::isfinite(jd) || std::fabs(jd) > 1e11L)
        throw ConvertError(Utf8FromCp1252(GeneralText(jd)), "día juliano");
    long double x = jd + 0.5L;
    long double day = 0, month = 0, year = 0, hour = 0, minute = 0;
    // A time that would read as minute 60 is pushed forward until it reads as the next
    // whole minute; 0.00001 day is 0.864 s, so at most a few dozen steps are needed.
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const long double Z = Trunc(x);
        const long double F = Frac(x);
        const bool gregorian = gregorianByFlag ? gregorianFlag : Z > 2299160;
        long double A = Z;
        if (gregorian) {
            // Rounded down, not toward zero: before 400 the count of centuries is negative.
            const long double alpha = std::floor((Z - 1867216.25L) / 36524.25L);
            A = Z + 1 + alpha - std::floor(alpha / 4);
        }
        const long double B = A + 1524;
        const long double C = Trunc((B - 122.1L) / 365.25L);
        const long double D = Trunc(365.25L * C);
        const long double E = Trunc((B - D) / 30.6001L);
        const long double dayWithFraction = B - D + F - Trunc(30.6001L * E);
        month = E < 13.5L ? E - 1 : E - 13;
        year = month > 2.5L ? C - 4716 : C - 4715;
        const long double h = Frac(dayWithFraction) * 24;
        hour = Trunc(h);
        minute = Trunc(Frac(h) * 60 + 0.5L);
        day = Trunc(dayWithFraction);
        if (minute != 60)
            break;
        x += 0.00001L;
    }
    const auto whole = [](long double v) { return static_cast<long>(std::lround(v)); };
    return PadLeftZeros(whole(day), 2) + "/" + PadLeftZeros(whole(month), 2) + "/" +
           PadLeftZeros(whole(year), 4) + " " + PadLeftZeros(whole(hour), 2) + ":" +
           PadLeftZeros(whole(minute), 2);
}

} // namespace

long double JulianDayOf(int calendarFlag, long double minute, long double hour, long double year,
                        long double month, long double day) {
    day = day + hour / 24 + minute / 1440;
    if (month < 3) {
        year = year - 1;
        month = month + 12;
    }
    long double B = 0;
    // Rounded down, not toward zero, so that the years before 1 count their days too.
    if (calendarFlag == 1) {
        const long double A = std::floor(year / 100);
        B = 2 - A + std::floor(A / 4);
    }
    const long double Y = std::floor(365.25L * year);
    const long double M = Trunc(30.6001L * (month + 1));
    return B + Y + M + day + 1720994.5L;
}

std::string DateTextOfJulianDay(long double jd) {
    return DateTextOf(jd, false, false);
}

std::string DateTextOfJulianDayByFlag(long double jd, bool gregorian) {
    return DateTextOf(jd, true, gregorian);
}

std::string DateTextOfJulianDayByFlag(long double jd) {
    return DateTextOfJulianDayByFlag(jd, GlobalChart().GregorianCalendar);
}

SplitStamp SplitBirthStamp(const std::string& stamp, ChartState& chart) {
    const std::string s = stamp.substr(0, 79);
    SplitStamp result;
    result.dateText = Copy(s, 7, 2) + "/" + Copy(s, 5, 2) + "/" + Copy(s, 1, 4) + " " +
                      Copy(s, 9, 2) + ":" + Copy(s, 11, 2);
    result.correctionText = Copy(s, 13, 5);
    long double correction = 0;
    if (!ParseReal(result.correctionText, correction))
        correction = LocaleReal(result.correctionText);
    chart.TimeCorrection = correction;
    return result;
}

std::string StampFromDateText(const std::string& dateText) {
    const std::string s = dateText.substr(0, 79);
    return Copy(s, 7, 4) + Copy(s, 4, 2) + Copy(s, 1, 2) + Copy(s, 12, 2) + Copy(s, 15, 2);
}

void BirthFieldsOf(ChartState& chart) {
    const std::string s = chart.BirthDateText.str();
    chart.BirthDay = RealOrZero(Copy(s, 1, 2));
    chart.BirthMonth = RealOrZero(Copy(s, 4, 2));
    chart.BirthYear = RealOrZero(Copy(s, 7, 4));
    chart.BirthHour = RealOrZero(Copy(s, 12, 2));
    chart.BirthMinute = RealOrZero(Copy(s, 15, 2));
}

void DotToComma(ShortString<80>& stamp) {
    std::string s = stamp.str();
    for (char& c : s) {
        if (c == '.')
            c = ',';
    }
    stamp = s;
}

std::string TodayText() {
    return QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")).toStdString();
}

std::string FileDateText(const std::string& name) {
    const QFileInfo info(QString::fromStdString(ResolveProgramPath(name)));
    if (!info.exists())
        return "Non Valida";
    const QDateTime written = info.lastModified(); // local time, as the file dialogs show it
    const long double days =
        static_cast<long double>(written.date().toJulianDay() - QDate(1899, 12, 30).toJulianDay()) +
        static_cast<long double>(written.time().msecsSinceStartOfDay()) / 86400000.0L;
    return DateTextOfJulianDay(JulianDayOf(1, 0, 0, 1899, 12, 30) + days);
}

void Delay(int seconds, int milliseconds) {
    const qint64 total = static_cast<qint64>(seconds) * 1000 + milliseconds;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < total) {
        const qint64 left = total - clock.elapsed();
        if (QCoreApplication::instance() != nullptr)
            QCoreApplication::processEvents(QEventLoop::AllEvents, static_cast<int>(left));
        QThread::msleep(static_cast<unsigned long>(std::min<qint64>(left, 5)));
    }
}

} // namespace exo

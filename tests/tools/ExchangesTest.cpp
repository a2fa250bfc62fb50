// The exchange files of the prepared program folder: every line a closed cycle of
// domicile rulers in the program's key form, each reception once, and all of them.
#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kProgramFolder = EXORVEX_PROGRAM_DIR;

// The traditional rulers of the signs Aries … Pisces: Mars, Venus, Mercury, Moon, Sun,
// Mercury, Venus, Mars, Jupiter, Saturn, Saturn, Jupiter.
constexpr std::array<int, 13> kRuler = {0, 5, 4, 3, 2, 1, 3, 4, 5, 6, 7, 7, 6};

std::string ReadWhole(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Lines ended by CR LF; a bare LF or an unended last line fails the test.
std::vector<std::string> CrLfLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << "last line without CR LF";
            break;
        }
        lines.push_back(bytes.substr(start, end - start));
        EXPECT_EQ(lines.back().find('\n'), std::string::npos) << "bare LF";
        start = end + 2;
    }
    return lines;
}

int TwoDigits(const std::string& line, std::size_t at) {
    const char a = line[at];
    const char b = line[at + 1];
    if (a < '0' || a > '9' || b < '0' || b > '9')
        return -1;
    return (a - '0') * 10 + (b - '0');
}

// A group of k planets receives itself in as many ways as there are cyclic orders of it,
// (k − 1)!, times the ways to put each planet in one of the domiciles of the next: the
// product of the domicile counts over the group. Summed over the groups of the seven planets.
long ExpectedLineCount(int k) {
    std::array<int, 8> domiciles{};
    for (int sign = 1; sign <= 12; ++sign)
        ++domiciles[static_cast<std::size_t>(kRuler[static_cast<std::size_t>(sign)])];
    long total = 0;
    for (unsigned mask = 0; mask < (1u << 7); ++mask) {
        if (__builtin_popcount(mask) != k)
            continue;
        long product = 1;
        for (int p = 1; p <= 7; ++p) {
            if (mask & (1u << (p - 1)))
                product *= domiciles[static_cast<std::size_t>(p)];
        }
        total += product;
    }
    for (int f = 2; f < k; ++f)
        total *= f;
    return total;
}

// Checks one line; an empty result means the line is a closed cycle of rulers.
std::string CycleFault(const std::string& line, int k) {
    if (line.size() != static_cast<std::size_t>(4 * k))
        return "length";
    std::array<int, 8> signOf{};
    std::vector<int> planets;
    for (int i = 0; i < k; ++i) {
        const int planet = TwoDigits(line, static_cast<std::size_t>(4 * i));
        const int sign = TwoDigits(line, static_cast<std::size_t>(4 * i + 2));
        if (planet < 1 || planet > 7 || sign < 1 || sign > 12)
            return "field";
        if (!planets.empty() && planet <= planets.back())
            return "planets not ascending";
        planets.push_back(planet);
        signOf[static_cast<std::size_t>(planet)] = sign;
    }
    // Follow the rulers from the first planet: k steps must visit the whole group and
    // come back.
    int x = planets.front();
    std::set<int> visited;
    for (int step = 0; step < k; ++step) {
        visited.insert(x);
        const int sign = signOf[static_cast<std::size_t>(x)];
        if (sign == 0)
            return "ruler outside the group";
        x = kRuler[static_cast<std::size_t>(sign)];
    }
    if (x != planets.front() || static_cast<int>(visited.size()) != k)
        return "not one closed cycle";
    return {};
}

TEST(ExchangesTest, TheLineCountsFollowFromTheDomiciles) {
    // Sun and Moon rule one sign, the others two.
    EXPECT_EQ(ExpectedLineCount(2), 61);
    EXPECT_EQ(ExpectedLineCount(3), 340);
    EXPECT_EQ(ExpectedLineCount(4), 1680);
    EXPECT_EQ(ExpectedLineCount(5), 6528);
}

TEST(ExchangesTest, EachFileListsEveryClosedCycleOnce) {
    for (int k = 2; k <= 5; ++k) {
        SCOPED_TRACE(k);
        const std::string name = "Scambio" + std::to_string(k) + std::to_string(k) + ".txt";
        const fs::path file = kProgramFolder / "Scambi" / name;
        ASSERT_TRUE(fs::is_regular_file(file)) << file;
        const std::vector<std::string> lines = CrLfLines(ReadWhole(file));
        std::set<std::string> distinct;
        for (const std::string& line : lines) {
            EXPECT_EQ(CycleFault(line, k), "") << line;
            EXPECT_TRUE(distinct.insert(line).second) << "twice: " << line;
        }
        // Distinct valid cycles, as many as there are: so every one is there.
        EXPECT_EQ(static_cast<long>(lines.size()), ExpectedLineCount(k));
    }
}

TEST(ExchangesTest, KnownPlacements) {
    const struct {
        int k;
        const char* line;
        bool listed;
    } known[] = {
        {2, "01040205", true},              // Sun in Cancer, Moon in Leo
        {2, "04010502", true},              // Venus in Aries, Mars in Taurus
        {2, "01050204", false},             // Sun and Moon each at home
        {3, "010303020405", true},          // Sun in Gemini, Mercury in Taurus, Venus in Leo
        {3, "010303020406", false},         // Venus in Virgo is ruled by Mercury
        {4, "0409051106080702", true},      // Venus, Mars, Jupiter and Saturn
        {5, "03020409051106010703", true},  // Mercury to Saturn around one cycle
        {5, "03020409050806010703", false}, // Mars in Scorpio is at home
    };
    for (const auto& entry : known) {
        SCOPED_TRACE(entry.line);
        const std::string name =
            "Scambio" + std::to_string(entry.k) + std::to_string(entry.k) + ".txt";
        const std::vector<std::string> lines =
            CrLfLines(ReadWhole(kProgramFolder / "Scambi" / name));
        EXPECT_EQ(std::set<std::string>(lines.begin(), lines.end()).contains(entry.line),
                  entry.listed);
    }
}

} // namespace

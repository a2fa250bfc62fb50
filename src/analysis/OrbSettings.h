#pragma once
// The aspect vocabulary and the three orb sets: A "normali" (fixed), B and C "personali"
// (editable). FileSet\OrbiDomi.stt holds the active set and three chart options (house
// system, node kind, Black Moon kind); FileDum\MMVarOrb.dum holds all three sets. Texts are
// Windows-1252 bytes. Every file failure raises InOutError.
#include "chart/ChartState.h"
#include "platform/ShortString.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace exo {

// The internal order of the active orb table; 0 to 4 are the principal aspects.
enum AspectKind : int {
    Cong = 0,
    Sest = 1,
    Quad = 2,
    Trig = 3,
    Oppo = 4,
    SmSt = 5,
    Deci = 6,
    Novi = 7,
    SmQd = 8,
    Sett = 9,
    Quin = 10,
    SsQd = 11,
    BiQn = 12,
    Qunc = 13,
};
inline constexpr int kAspectKinds = 14;

// The order of the dialog rows and of the files: kFormOrder[row] is the aspect of a row.
inline constexpr std::array<int, kAspectKinds> kFormOrder = {
    Cong, SmSt, Deci, Novi, SmQd, Sett, Sest, Quin, Quad, Trig, SsQd, BiQn, Qunc, Oppo};

using OrbTable = std::array<long double, kAspectKinds>;

long double ExactAngle(int kind);         // 0, 60, 90, …, 360/7 for Sett
const std::string& AspectLabel(int kind); // "Conjunción", "Sextil", …
const std::string& AspectCode(int kind);  // "Co", "Se", "Qu", "Tr", "Op"; empty for the others
int AspectGlyph(int kind);                // glyph code of the drawing surface; 0 when none

struct OrbSettings {
    OrbTable ActiveOrbs{}; // internal order
    long double ParallelOrb = 0;
    long double AntisciaOrb = 0;
    ShortString<15> HouseSystemName;
    ShortString<5> NodeKind;
    ShortString<1> OrbSetLetter;
    ShortString<5> ApogeeKind;
};

// The process-wide settings; the user-interface thread is their only user.
OrbSettings& GlobalOrbSettings();

inline constexpr const char* kOrbSettingsFile = "FileSet\\OrbiDomi.stt";
inline constexpr const char* kOrbSetFile = "FileDum\\MMVarOrb.dum";

// "A (normali)", "B (personali)", "C (personali)" for 'A', 'B', 'C'; empty otherwise.
std::string OrbSetItem(char letter);
// The letter of an item text, or 0 when the text is none of the three.
char OrbSetLetterOfItem(std::string_view item);

// Reads OrbiDomi.stt into `settings` (lines 1–14 from form order into ActiveOrbs) and
// mirrors HouseSystemName, NodeKind and ApogeeKind into `chart`, where the houses and the
// ephemeris read them. Each real is the first word of its line. A missing file, one of fewer
// than 20 lines or a line 1–16 that is no number raises InOutError and changes nothing.
void LoadOrbSettings(OrbSettings& settings = GlobalOrbSettings(),
                     ChartState& chart = GlobalChart());

// Rewrites OrbiDomi.stt with line `line` (1–20) replaced by `text`, every line cut to 25
// characters, then reloads the settings. Another line number is std::invalid_argument.
void ReplaceOrbSettingsLine(int line, std::string_view text,
                            OrbSettings& settings = GlobalOrbSettings(),
                            ChartState& chart = GlobalChart());

// Copies block `letter` of MMVarOrb.dum into OrbiDomi.stt, records the letter in both files
// and reloads the settings. Returns false, writing nothing, when MMVarOrb.dum cannot be
// opened: the caller shows "Manca File "MMVarOrb.dum"" and abandons the change. Both files
// are read whole before either is written. Set A is the program's own: lines 1–14 of
// MMVarOrb.dum must be numbers but are written back as the fixed integers. A letter other
// than 'A', 'B', 'C' is std::invalid_argument.
bool SelectOrbSet(char letter, OrbSettings& settings = GlobalOrbSettings(),
                  ChartState& chart = GlobalChart());

// What the orb dialog edits, in form order. Set A is fixed and is not here.
struct OrbSetTexts {
    std::array<std::string, kAspectKinds> B;
    std::array<std::string, kAspectKinds> C;
    std::string Parallel; // the hidden edits
    std::string Antiscia;
};

// The texts of the read-only set A edits: "± 10", "± 1", … (UTF-8 is not used here: the
// "±" is the Windows-1252 byte 0xB1).
const std::array<std::string, kAspectKinds>& SetATexts();

// Rewrites MMVarOrb.dum: lines 1–48 from set A and `texts` (the decimal comma or a point;
// a text that does not convert raises ConvertError before the file is touched) and `letter`
// as line 49.
void WriteOrbSetFile(const OrbSetTexts& texts, char letter);

// Reads MMVarOrb.dum back: the B and C texts and the two extras as the shortest decimal
// text cut to 7 characters; lines 1–14 into settings.ActiveOrbs, the extras into
// ParallelOrb and AntisciaOrb, line 49 into OrbSetLetter.
OrbSetTexts LoadOrbSetFile(OrbSettings& settings = GlobalOrbSettings());

// Adopts set `letter` from the dialog's texts: writes MMVarOrb.dum, reads it back, rewrites
// OrbiDomi.stt (lines 1–14 the set's orbs as stored, not their 7-character texts, 15–16 the
// extras, 17–18 and 20 unchanged, 19 the letter) and reloads the settings. Returns the texts
// read back for the dialog. OrbiDomi.stt is read first: when it is missing nothing is
// written.
OrbSetTexts AdoptOrbSet(char letter, const OrbSetTexts& texts,
                        OrbSettings& settings = GlobalOrbSettings(),
                        ChartState& chart = GlobalChart());

// The installed defaults of both files: set A active, parallel and antiscia orbs 1,
// "PLACIDO", "MEDIO", "A", "MEDIA".
std::vector<std::string> DefaultOrbSettingsLines();
std::vector<std::string> DefaultOrbSetLines();

} // namespace exo

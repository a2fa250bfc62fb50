// The key files of the chart and the interpretation texts found by their keys, in a scratch
// program folder with small text files written here.
#include "analysis/PlacementKeys.h"

#include "DivisionsSample.h"
#include "TestFolder.h"
#include "platform/Cp1252.h"
#include "platform/Errors.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace exo {
namespace {

using Lines = std::vector<std::string>;

std::string Joined(const Lines& lines) {
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

// A text line of SpgPianSpe.Txt: the key in columns 1 – 8, blanks to column 21, the text
// from column 22.
std::string PointText(const std::string& key, const std::string& text) {
    std::string line = key;
    line.resize(21, ' ');
    return line + text;
}

// A text line of SpgSegnSpe.txt: the key in columns 1 – 7, the text from column 21.
std::string SignText(const std::string& key, const std::string& text) {
    std::string line = key;
    line.resize(20, ' ');
    return line + text;
}

// A text of 100 characters that starts with `prefix`, to see where a lookup cuts.
std::string LongText(const std::string& prefix) {
    std::string text = prefix + " ";
    while (text.size() < 100)
        text += "0123456789";
    return text.substr(0, 100);
}

class PlacementKeys : public testing::Test {
  protected:
    void SetUp() override {
        chart = test::DivisionsSampleChart();
        ComputeDivisions(chart, values);
        folder.write("OpzioneT/.keep", "");
    }
    void WriteKeys() { WritePlacementKeys(chart, values, test::SetAOrbs()); }
    Lines Keys() { return PlacementKeyLines(chart, values, test::SetAOrbs()); }

    const test::ScratchFolder folder;
    ChartState chart;
    DivisionValues values;
};

TEST_F(PlacementKeys, TheEightGroupsOfTheSampleChart) {
    const Lines expected = {
        // Sign.
        "SoleArie", "LunaArie", "MercArie", "VeneGeme", "MartCanc", "GiovBila", "SatuSagi",
        "NNorLeon", "NSudAcqu", "AsceCanc", "McieArie",
        // House, the cusps moved 15° back: Venus 15.1° before the Ascendant stays in the
        // twelfth, Mars 9° before it is already in the first.
        "SoleDeci", "LunaDeci", "MercDeci", "VeneDodi", "MartPrim", "GiovQuar", "SatuSest",
        "NNorSeco", "NSudOtta", "AscePrim", "McieDeci",
        // Term: Venus at 84.9° in term 60, Mars on the first boundary (91°) in term 2.
        "Sole49", "Luna46", "Merc50", "Vene60", "Mart02", "Giov20", "Satu28", "NNor08", "NSud38",
        "Asce03", "Mcie48",
        // Decan, then década: the Midheaven at 10° begins the second.
        "SolDec02", "LunDec01", "MerDec03", "VenDec09", "MarDec10", "GioDec21", "SatDec26",
        "NonDec14", "NosDec32", "AscDec11", "MciDec02", "SO02", "LU01", "ME03", "VE09", "MA10",
        "GI21", "SA26", "NN14", "NS32", "AS11", "MC02",
        // Antiscia and contrantiscia: the Moon at 0° has neither.
        "SolAnPis", "MerAnPis", "VenAnCap", "MarAnSag", "GioAnVir", "SatAnCán"_cp, "NonAnEsc",
        "NosAnTau", "AscAnSag", "MciAnPis", "SolCaVir", "MerCaVir", "VenCaCán"_cp, "MarCaGém"_cp,
        "GioCaPis", "SatCaCap", "NonCaTau", "NosCaEsc", "AscCaGém"_cp, "MciCaVir",
        // Aspects, the exact node opposition included.
        "SolCoMer", "SolOpGio", "SolTrSat", "SolTrNon", "SolQuAsc", "SolCoMci", "LunQuVen",
        "LunQuMar", "MerOpGio", "VenCoMar", "VenTrGio", "MarCoAsc", "SatTrNon", "SatSeNos",
        "SatTrMci", "NonOpNos", "NonTrMci", "NosSeMci"};
    EXPECT_EQ(Keys(), expected);
}

// With the first cusp at 100°, the first house of the key file runs from 85° to 115°.
TEST_F(PlacementKeys, AHouseBeginsFifteenDegreesBeforeItsCusp) {
    struct Case {
        long double longitude;
        const char* key;
    };
    const Case cases[] = {
        {90, "SolePrim"},  {85, "SolePrim"},  {84.99L, "SoleDodi"}, {114.99L, "SolePrim"},
        {115, "SoleSeco"}, {355, "SoleDeci"}, {354.9L, "SoleNona"}, {0, "SoleDeci"},
    };
    for (const Case& c : cases) {
        chart.ChartLongitude[1] = c.longitude;
        EXPECT_EQ(Keys()[11], c.key) << c.longitude;
    }
}

TEST_F(PlacementKeys, SignKeysWriteAquariusAsAc) {
    const Lines expected = {"ArAnPis", "ToAnAcu", "GeAnCap",    "CnAnSag",    "LeAnEsc", "VeAnLib",
                            "BiAnVir", "ScAnLeo", "SaAnCán"_cp, "CpAnGém"_cp, "AcAnTau", "PeAnAri",
                            "ArCaVir", "ToCaLeo", "GeCaCán"_cp, "CnCaGém"_cp, "LeCaTau", "VeCaAri",
                            "BiCaPis", "ScCaAcu", "SaCaCap",    "CpCaSag",    "AcCaEsc", "PeCaLib"};
    EXPECT_EQ(SignKeyLines(), expected);
}

TEST_F(PlacementKeys, WritesBothFilesWithCrLf) {
    WriteKeys();
    EXPECT_EQ(folder.read("OpzioneT/PosiPian.txt"), Joined(Keys()));
    EXPECT_EQ(folder.read("OpzioneT/PosiSegn.txt"), Joined(SignKeyLines()));
}

// Cusps never computed leave points in no house: nothing is written, the files of the last
// drawing stay whole.
TEST_F(PlacementKeys, ChartWithoutHousesWritesNothing) {
    WriteKeys();
    const std::string before = folder.read("OpzioneT/PosiPian.txt");
    chart.HouseCusp = {};
    EXPECT_THROW(WriteKeys(), std::runtime_error);
    EXPECT_EQ(folder.read("OpzioneT/PosiPian.txt"), before);
}

TEST(PlacementKeysFiles, MissingFolderIsAnInOutError) {
    const test::ScratchFolder folder;
    const ChartState chart = test::DivisionsSampleChart();
    DivisionValues values;
    ComputeDivisions(chart, values);
    EXPECT_THROW(WritePlacementKeys(chart, values, test::SetAOrbs()), InOutError);
}

// The texts of the sample chart's keys; the keys of other points and doubles after the
// first line of a key are there to be passed over.
class KeyTexts : public PlacementKeys {
  protected:
    void SetUp() override {
        PlacementKeys::SetUp();
        WriteKeys();
        folder.write("OpzioneT/SpgPianSpe.Txt",
                     Joined({
                         PointText("SoleArie", LongText("Sol en Aries")),
                         PointText("SoleDeci", "Sol en la casa décima"_cp),
                         PointText("Sole49", LongText("Sol en el término 49"_cp)),
                         PointText("SolDec02", "Sol en el segundo decano"),
                         PointText("SO02", LongText("Sol en la segunda década"_cp)),
                         PointText("SolAnPis", "Antiscio del Sol en Piscis"),
                         PointText("SolCoMer", "Sol conjunción Mercurio"_cp),
                         PointText("SolTrSat", "Sol trígono Saturno"_cp),
                         PointText("SolTrNon", "Sol trígono Nodo Norte"_cp),
                         PointText("SolCoMci", "Sol conjunción Medio Cielo"_cp),
                         PointText("SoleArie", "segunda línea de la clave"_cp),
                         PointText("Sole49", "segunda línea del término"_cp),
                         PointText("MarAnSag", "Antiscio de Marte en Sagitario"),
                         PointText("SatuSagi", "Saturno en Sagitario"),
                         PointText("NNorLeon", "Nodo Norte en Leo"),
                         PointText("NNorSeco", "Nodo Norte en la casa segunda"),
                         PointText("NNor08", LongText("Nodo Norte en el término 8"_cp)),
                         PointText("NonDec14", "Nodo Norte en el decano 14"),
                         PointText("NN14", "Nodo Norte en la década 14"_cp),
                         PointText("NonOpNos", "Los nodos opuestos"),
                         PointText("Mcie48", LongText("Medio Cielo en el término 48"_cp)),
                         PointText("Sole19", "Dodecatemoria del Sol en el término 19"_cp),
                         PointText("SolDec20", "Dodecatemoria del Sol en el decano 20"),
                         PointText("SO20", "Dodecatemoria del Sol en la década 20"_cp),
                     }));
        folder.write("OpzioneT/SpgPian.txt",
                     Joined({"So " + LongText("El Sol, principio vital"), "Lu La Luna",
                             "So El Sol rige Leo", "Nn El Nodo Norte"}));
        folder.write("OpzioneT/SpgSegni.txt",
                     Joined({"Ar Aries, signo de fuego", "Aq Acuario, signo de aire",
                             "Ac no es la clave general de Acuario", "Aq Acuario, fijo"}));
        folder.write("OpzioneT/SpgSegnSpe.txt",
                     Joined({SignText("ArAnPis", LongText("Antiscio de Aries en Piscis")),
                             SignText("AcAnTau", "Antiscio de Acuario en Tauro"),
                             SignText("AqAnTau", "clave que no se escribe"),
                             SignText("AcCaEsc", "Contrantiscio de Acuario en Escorpio"),
                             SignText("ArAnPis", "Aries, segundo texto")}));
    }
};

TEST_F(KeyTexts, DivisionMemoOfTheNatalPoints) {
    const Lines expected = {
        "PLANETAS EN LOS TÉRMINOS"_cp,
        LongText("Sol en el término 49"_cp).substr(0, 70),
        LongText("Nodo Norte en el término 8"_cp).substr(0, 70),
        LongText("Medio Cielo en el término 48"_cp).substr(0, 70),
        "  ",
        "PLANETAS EN LOS DECANOS",
        "Sol en el segundo decano",
        "Nodo Norte en el decano 14",
        "    ",
        "PLANETAS EN LAS DÉCADAS"_cp,
        LongText("Sol en la segunda década"_cp).substr(0, 70),
        "Nodo Norte en la década 14"_cp,
    };
    EXPECT_EQ(ListDivisionTexts(values), expected);
}

TEST_F(KeyTexts, DivisionMemoOfTheDodecatemoria) {
    const Lines expected = {
        "DODECATEMORIAS EN LOS TÉRMINOS"_cp, "Dodecatemoria del Sol en el término 19"_cp, "  ",
        "DODECATEMORIAS EN LOS DECANOS",     "Dodecatemoria del Sol en el decano 20",     "    ",
        "DODECATEMORIAS EN LAS DÉCADAS"_cp,  "Dodecatemoria del Sol en la década 20"_cp,
    };
    EXPECT_EQ(ListDodecaDivisionTexts(values), expected);
}

// Aspect and sign texts show 60 characters, term and década texts 80; the first line of a
// key is the one taken.
TEST_F(KeyTexts, SunAttribution) {
    const Attribution sun = ShowPointAttribution(1, chart, values);
    const Lines memoL1 = {
        "SOL  15°00' Aries "_cp,         LongText("Sol en Aries").substr(0, 60),
        "Sol en la casa décima"_cp,      LongText("Sol en el término 49"_cp).substr(0, 80),
        "Sol en el segundo decano",      LongText("Sol en la segunda década"_cp).substr(0, 80),
        "Antiscio del Sol en Piscis",    "Sol conjunción Mercurio"_cp,
        "Sol trígono Saturno"_cp,        "Sol trígono Nodo Norte"_cp,
        "Sol conjunción Medio Cielo"_cp, "Dodecatemorias SOL = 15°00' Libra "_cp,
    };
    EXPECT_EQ(sun.MemoL1, memoL1);
    const Lines keys = {"SoleArie", "SoleDeci", "Sole49",   "SolDec02", "SO02",
                        "SolAnPis", "SolCoMer", "SolTrSat", "SolTrNon", "SolCoMci"};
    EXPECT_EQ(sun.MatchedKeys, keys);
    const Lines memoL2 = {LongText("El Sol, principio vital").substr(0, 80), "El Sol rige Leo"};
    EXPECT_EQ(sun.MemoL2, memoL2);
    EXPECT_EQ(sun.LabSpecific, "ESPECÍFICA ATRIBUCIÓN al PLANETA"_cp);
    EXPECT_EQ(sun.LabGeneral, "GENERAL ATRIBUCIÓN al PLANETA"_cp);
}

// The node keys begin "NNor", "Non", never with its lookup code "Nn": of its texts only the
// term (by its mixed-case code) and the década (by its upper-case code) are found.
TEST_F(KeyTexts, NorthNodeFindsOnlyItsTermAndDecadeTexts) {
    const Attribution node = ShowPointAttribution(8, chart, values);
    const Lines memoL1 = {
        "NODO NORTE  10°00' Leo "_cp,
        LongText("Nodo Norte en el término 8"_cp).substr(0, 80),
        "Nodo Norte en la década 14"_cp,
        "Dodecatemorias NODO NORTE = 10°00' Sagitario "_cp,
    };
    EXPECT_EQ(node.MemoL1, memoL1);
    EXPECT_EQ(node.MatchedKeys, (Lines{"NNor08", "NN14"}));
    EXPECT_EQ(node.MemoL2, (Lines{"El Nodo Norte"}));
}

// A Midheaven key with a blank at its 7th character is read as its 6 characters: its term
// text is found as a specific key and shown at the 60 characters of those.
TEST_F(KeyTexts, MidheavenTermThroughTheSixCharacterKey) {
    const Attribution midheaven = ShowPointAttribution(11, chart, values);
    EXPECT_EQ(midheaven.MatchedKeys, (Lines{"Mcie48", "SolCoMci"}));
    ASSERT_EQ(midheaven.MemoL1.size(), 4u);
    EXPECT_EQ(midheaven.MemoL1[1], LongText("Medio Cielo en el término 48"_cp).substr(0, 60));
    EXPECT_TRUE(midheaven.MemoL2.empty());
}

// The second point of an aspect key finds it; an antiscion in Sagittarius ("MarAnSag")
// holds "Sa" at the same place and stays Mars's, not Saturn's.
TEST_F(KeyTexts, SecondPointOfAnAspectOnly) {
    EXPECT_EQ(ShowPointAttribution(3, chart, values).MatchedKeys, (Lines{"SolCoMer"}));
    EXPECT_EQ(ShowPointAttribution(7, chart, values).MatchedKeys, (Lines{"SatuSagi", "SolTrSat"}));
    EXPECT_EQ(ShowPointAttribution(5, chart, values).MatchedKeys, (Lines{"MarAnSag"}));
}

TEST_F(KeyTexts, RetrogradePointShowsItsMark) {
    chart.RetroMark[7] = "r";
    EXPECT_EQ(ShowPointAttribution(7, chart, values).MemoL1.front(),
              "SATURNO  10°30' Sagitario Retrogrado "_cp);
}

// The general texts of Aquarius are those of "Aq", its specific texts those of the keys
// the sign key file writes, "Ac…".
TEST_F(KeyTexts, AquariusAttribution) {
    const Attribution aquarius = ShowSignAttribution(11);
    EXPECT_EQ(aquarius.MemoL1, (Lines{"ACUARIO "}));
    const Lines memoL2 = {"ACUARIO ", "Acuario, signo de aire", "Acuario, fijo",
                          "Antiscio de Acuario en Tauro", "Contrantiscio de Acuario en Escorpio"};
    EXPECT_EQ(aquarius.MemoL2, memoL2);
    EXPECT_EQ(aquarius.LabSpecific, "ESPECÍFICA ATRIBUCIÓN al SIGNO"_cp);
    EXPECT_EQ(aquarius.LabGeneral, "GENERAL ATRIBUCIÓN al SIGNO"_cp);
}

// Every line of a sign key is shown, each cut to 50 characters.
TEST_F(KeyTexts, AriesAttribution) {
    const Lines memoL2 = {"ARIES      ", "Aries, signo de fuego",
                          LongText("Antiscio de Aries en Piscis").substr(0, 50),
                          "Aries, segundo texto"};
    EXPECT_EQ(ShowSignAttribution(1).MemoL2, memoL2);
}

TEST_F(KeyTexts, MissingTextFileIsAnInOutError) {
    std::filesystem::remove(folder.path() / "OpzioneT/SpgPian.txt");
    EXPECT_THROW(ShowPointAttribution(1, chart, values), InOutError);
    std::filesystem::remove(folder.path() / "OpzioneT/SpgSegnSpe.txt");
    EXPECT_THROW(ShowSignAttribution(1), InOutError);
    std::filesystem::remove(folder.path() / "OpzioneT/SpgPianSpe.Txt");
    EXPECT_THROW(ListDivisionTexts(values), InOutError);
}

} // namespace
} // namespace exo

// Amounts below the smallest normal 64-bit float read as the nearest 64-bit
// float, ties to even, whatever the standard library does with them.
#include <gtest/gtest.h>
#include <ostream>

#include <bit>
#include <cstdint>
#include <limits>
#include <string>

#include "numbertext.h"
#include "subnormaldecimal.h"

namespace metrivo {
namespace {

// 2^-1075 written out exactly: half the smallest subnormal.
const std::string kHalfSmallest =
    "2.47032822920623272088284396434110686182529901307162382212792841250337753635104375932649"
    "9181808179961898982823477228588654633283551779698981993873980053909390631503565951557022"
    "6392290858392449105184435931802849936536152500319370457678249219365623669863658480757001"
    "5857692699037063119282795585513329278343384093519780155312465972635795746227664652728272"
    "2005637400648549997709659947045402082816622623785739345073633900796776193057750674017632"
    "4673600968951340535537458516661134223766678604162159680461914467291840300530057530849048"
    "7653917113865916462395249126236538818796362393732804238910186723484976682350898633885879"
    "2562830275599565752445550725518931369083625477918694866799496832404970582102851318545139"
    "6213837722826145437693412532098591327667236328125"
    "e-324";
// 3 * 2^-1075 exactly: halfway between one and two smallest subnormals.
const std::string kThreeHalves =
    "7.41098468761869816264853189302332058547589703921487146638378523751013260905313127797949"
    "7545424539885696948470431685765963899850655339096945981621940161728171894510697854671067"
    "9176872575177347315553307795408549809608457500958111373034747658096871009590975442271004"
    "7573078097111189357848386756539987835030152280559340465937397917907387238682993958184816"
    "6016912201945649993128979841136206248449867871357218035220901702390328579173252022052897"
    "4020802906854021606612375549983402671300035812486479041385743401875520901590172592547146"
    "2961751341597749387185747378709616456389087181198412716730560170454930047052695901657637"
    "7688490826798697257336652176556794107250876433756084600398490497214911746308553955635418"
    "8641513168478436313080237596295773983001708984375"
    "e-324";

constexpr double kSmallest = std::numeric_limits<double>::denorm_min();

struct SubnormalCase {
    const char* name;
    std::string text;
    double value;
};

// Shown by its name, in test lists and failures alike.
void PrintTo(const SubnormalCase& c, std::ostream* os) {
    *os << c.name;
}

class SubnormalReadTest : public ::testing::TestWithParam<SubnormalCase> {};

TEST_P(SubnormalReadTest, AmountReadsAsTheNearestDouble) {
    const SubnormalCase& c = GetParam();
    EXPECT_EQ(std::bit_cast<uint64_t>(NumberText::ReadAmount(c.text, ".")),
              std::bit_cast<uint64_t>(c.value));
}

TEST_P(SubnormalReadTest, NumberTextReadsTheSame) {
    const SubnormalCase& c = GetParam();
    EXPECT_EQ(std::bit_cast<uint64_t>(NumberText::ReadNumber(c.text, ".")),
              std::bit_cast<uint64_t>(c.value));
}

INSTANTIATE_TEST_SUITE_P(
    Subnormals, SubnormalReadTest,
    ::testing::Values(
        SubnormalCase{"SmallestSubnormal", "4.9406564584124654e-324", kSmallest},
        SubnormalCase{"ShortSmallest", "5e-324", kSmallest},
        SubnormalCase{"JustBelowHalfSmallest", "2.4703282292062327e-324", 0.0},
        SubnormalCase{"JustAboveHalfSmallest", "2.4703282292062328e-324", kSmallest},
        SubnormalCase{"ExactlyHalfSmallestTiesToZero", kHalfSmallest, 0.0},
        SubnormalCase{"AboveExactHalfByALastDigit",
                      kHalfSmallest.substr(0, kHalfSmallest.size() - 5) + "1e-324", kSmallest},
        SubnormalCase{"ThreeHalvesTiesToTwo", kThreeHalves, 2 * kSmallest},
        SubnormalCase{"ThreeSmallest", "1.5e-323", 3 * kSmallest},
        SubnormalCase{"MidRange", "1e-310", 0x0.012688b70e62bp-1022},
        SubnormalCase{"LargestSubnormal", "2.2250738585072009e-308", 0x0.fffffffffffffp-1022},
        SubnormalCase{"RoundsDownToLargestSubnormal", "2.2250738585072011e-308",
                      0x0.fffffffffffffp-1022},
        SubnormalCase{"RoundsUpToSmallestNormal", "2.2250738585072012e-308", 0x1p-1022},
        SubnormalCase{"SmallestNormal", "2.2250738585072014e-308", 0x1p-1022},
        SubnormalCase{"WrittenAsFraction", "0." + std::string(309, '0') + "1",
                      0x0.012688b70e62bp-1022},
        SubnormalCase{"Negative", "-1e-310", -0x0.012688b70e62bp-1022},
        SubnormalCase{"FarBelow", "1e-400", 0.0},
        SubnormalCase{"HugeNegativeExponent", "1e-999999999999", 0.0},
        SubnormalCase{"ZeroDigits", "0.000e-500", 0.0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SubnormalReadTest, AmountWithSpacesReadsTheSame) {
    EXPECT_EQ(NumberText::ReadAmount("1 e -310", "."), 0x0.012688b70e62bp-1022);
}

TEST(SubnormalReadTest, ManyDigitsStillRoundCorrectly) {
    // 2000 significant digits just above the exact half: the digits beyond
    // those compared still count as "above".
    const std::string above =
        kHalfSmallest.substr(0, kHalfSmallest.size() - 5) + std::string(1500, '0') + "1e-324";
    EXPECT_EQ(SubnormalDecimal::Read(above), kSmallest);
    const std::string below = "2.470328229206232720882840" + std::string(1500, '9') + "e-324";
    EXPECT_EQ(SubnormalDecimal::Read(below), 0.0);
}

}  // namespace
}  // namespace metrivo

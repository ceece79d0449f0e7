// Contrast as WCAG 2 measures it, and colours moved until their text reads.
#include <gtest/gtest.h>

#include "casename.h"
#include "colourcontrast.h"

namespace metrivo::test {
namespace {

struct RatioCase {
    const char* name;
    QColor a, b;
    double expected;
};

class ContrastRatioTest : public ::testing::TestWithParam<RatioCase> {};

TEST_P(ContrastRatioTest, MatchesWcag) {
    const RatioCase& c = GetParam();
    EXPECT_NEAR(ColourContrast::Ratio(c.a, c.b), c.expected, 0.01);
    EXPECT_NEAR(ColourContrast::Ratio(c.b, c.a), c.expected, 0.01);
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, ContrastRatioTest,
    ::testing::Values(
        RatioCase{"black on white", Qt::black, Qt::white, 21.0},
        RatioCase{"the same colour", QColor(90, 30, 200), QColor(90, 30, 200), 1.0},
        RatioCase{"Fusion's faint option focus on white", QColor(165, 182, 199), Qt::white, 2.08},
        RatioCase{"black on dark grey", Qt::black, QColor(50, 50, 50), 1.64},
        RatioCase{"white on Qt's default selection", Qt::white, QColor(48, 140, 198), 3.69}),
    NameOfCase{});

struct AtLeastCase {
    const char* name;
    QColor colour, other;
};

class ContrastAtLeastTest : public ::testing::TestWithParam<AtLeastCase> {};

TEST_P(ContrastAtLeastTest, ReachesTheContrastKeepingTheHue) {
    const AtLeastCase& c = GetParam();
    const QColor moved = ColourContrast::AtLeast(c.colour, c.other, 4.5);
    EXPECT_GE(ColourContrast::Ratio(moved, c.other), 4.5);
    EXPECT_NEAR(moved.hslHue(), c.colour.toHsl().hslHue(), 2);
    // No further than needed: one step back falls short.
    const int back =
        ColourContrast::Luminance(c.other) > ColourContrast::Luminance(c.colour) ? 5 : -5;
    QColor less = moved.toHsl();
    less.setHsl(less.hslHue(), less.hslSaturation(), less.lightness() + back);
    EXPECT_LT(ColourContrast::Ratio(less, c.other), 4.5);
}

INSTANTIATE_TEST_SUITE_P(Selections, ContrastAtLeastTest,
                         ::testing::Values(AtLeastCase{"white text darkens the selection",
                                                       QColor(48, 140, 198), Qt::white},
                                           AtLeastCase{"light grey text darkens it",
                                                       QColor(48, 140, 198), QColor(240, 240, 240)},
                                           AtLeastCase{"black text lightens it", QColor(20, 60, 90),
                                                       Qt::black}),
                         NameOfCase{});

TEST(ContrastAtLeastTest, LeavesAReadableColourAsItIs) {
    EXPECT_EQ(ColourContrast::AtLeast(QColor(0, 70, 140), Qt::white, 4.5), QColor(0, 70, 140));
}

TEST(ContrastAtLeastTest, StopsAtWhiteWhenEvenThatFallsShort) {
    // Mid grey text on a light selection: even white reaches only 4.48:1.
    EXPECT_EQ(ColourContrast::AtLeast(QColor(200, 200, 255), QColor(128, 128, 128), 4.5),
              QColor(Qt::white));
}

TEST(ContrastStrongestTest, PicksTheCandidateThatStandsOutMost) {
    EXPECT_EQ(ColourContrast::Strongest(Qt::white, {QColor(0, 70, 140), Qt::white}),
              QColor(0, 70, 140));
    EXPECT_EQ(ColourContrast::Strongest(QColor(40, 40, 40), {QColor(0, 70, 140), Qt::white}),
              QColor(Qt::white));
}

}  // namespace
}  // namespace metrivo::test

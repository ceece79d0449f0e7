#include "unitcatalogue.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <ostream>

#include "expectthrowmsg.h"
#include "runtimeerror.h"

namespace metrivo {
namespace {

struct ExpectedRow {
    int row;
    int32_t category;
    const char* name;
    float stored;  // the 32-bit value, written to nine significant digits
};

// Every row, with the stored value given independently of the table's
// definition in the source.
constexpr std::array<ExpectedRow, 73> kExpected{{
    {0, 0, "centimeter", 0.00999999978f},
    {1, 0, "feet", 0.304800004f},
    {2, 0, "inch", 0.0253999997f},
    {3, 0, "kilometer", 1000.0f},
    {4, 0, "league", 4828.0415f},
    {5, 0, "league [nautical]", 5556.0f},
    {6, 0, "meter", 1.0f},
    {7, 0, "microinch", 2.54000003e-08f},
    {8, 0, "mile", 1609.34399f},
    {9, 0, "millimeter", 0.00100000005f},
    {10, 0, "yard", 0.914399981f},
    {11, 1, "degree Celsius", 0.0f},
    {12, 1, "degree Fahrenheit", 0.0f},
    {13, 1, "degree Rankine", 0.0f},
    {14, 1, "degree Reaumur", 0.0f},
    {15, 1, "kelvin", 0.0f},
    {16, 2, "centimeter/second", 0.00999999978f},
    {17, 2, "foot/second", 0.304800004f},
    {18, 2, "inch/second", 0.0253999997f},
    {19, 2, "kilometer/hour", 0.277777791f},
    {20, 2, "kilometer/second", 1000.0f},
    {21, 2, "knot", 0.51444447f},
    {22, 2, "mach", 340.290009f},
    {23, 2, "meter/second", 1.0f},
    {24, 2, "mile/hour (mph)", 0.447039992f},
    {25, 2, "mile/second", 1609.34399f},
    {26, 2, "millimeter/second", 0.00100000005f},
    {27, 2, "speed of light [vacuum]", 299792448.0f},
    {28, 2, "speed of sound [air]", 340.290009f},
    {29, 3, "ounce", 0.0295735002f},
    {30, 3, "pint", 0.47317639f},
    {31, 3, "quart", 0.946352899f},
    {32, 3, "gallon", 3.7854116f},
    {33, 3, "cubic inch", 0.0163870007f},
    {34, 3, "cubic feet", 28.3168468f},
    {35, 3, "cubic yard", 764.554871f},
    {36, 3, "microliter", 9.99999997e-07f},
    {37, 3, "mililiter (cc)", 0.00100000005f},
    {38, 3, "deciliter", 0.100000001f},
    {39, 3, "liter", 1.0f},
    {40, 3, "cubic meter", 1000.0f},
    {41, 4, "centigram", 9.99999975e-06f},
    {42, 4, "decigram", 9.99999975e-05f},
    {43, 4, "dekagram", 0.00999999978f},
    {44, 4, "dram", 0.00177184516f},
    {45, 4, "grain", 6.47989e-05f},
    {46, 4, "gram", 0.00100000005f},
    {47, 4, "hectogram", 0.100000001f},
    {48, 4, "hundredweight (long, UK)", 50.8023453f},
    {49, 4, "hundredweight (short, US)", 45.3592377f},
    {50, 4, "kilogram", 1.0f},
    {51, 4, "lb, lbs", 0.45359236f},
    {52, 4, "long ton (UK)", 1016.04694f},
    {53, 4, "megagram (metric ton) (tonne)", 1000.0f},
    {54, 4, "microgram", 9.99999972e-10f},
    {55, 4, "milligram", 9.99999997e-07f},
    {56, 4, "ounce", 0.0283495225f},
    {57, 4, "pound", 0.45359236f},
    {58, 4, "short ton (US)", 907.184753f},
    {59, 4, "ton (long, UK)", 1016.04694f},
    {60, 5, "square inch", 0.000645100023f},
    {61, 5, "square foot", 0.0929030031f},
    {62, 5, "square yard", 0.836127281f},
    {63, 5, "square rod", 25.2928524f},
    {64, 5, "acre", 4046.85645f},
    {65, 5, "quarter section", 647497.0f},
    {66, 5, "square mile", 2589988.0f},
    {67, 5, "square millimeter", 9.99999997e-07f},
    {68, 5, "square centimeter", 9.99999975e-05f},
    {69, 5, "square meter", 1.0f},
    {70, 5, "are", 100.0f},
    {71, 5, "hectare", 10000.0f},
    {72, 5, "square kiloimeter", 1000000.0f},
}};

TEST(UnitCatalogueTest, EveryRowHoldsItsCategoryNameAndExactStoredValue) {
    UnitCatalogue catalogue;
    catalogue.LoadUnits();
    ASSERT_EQ(catalogue.UpperBound(), 72);
    for (const ExpectedRow& e : kExpected) {
        SCOPED_TRACE(e.name);
        const UnitRecord& row = catalogue.Row(e.row);
        EXPECT_EQ(row.category, e.category);
        EXPECT_EQ(row.name, e.name);
        EXPECT_EQ(std::bit_cast<uint32_t>(row.factor), std::bit_cast<uint32_t>(e.stored));
    }
}

TEST(UnitCatalogueTest, CategoriesAreContiguousWithOneBaseUnitEach) {
    UnitCatalogue catalogue;
    catalogue.LoadUnits();
    const std::array<int, 6> expectedCounts{11, 5, 13, 12, 19, 13};
    std::array<int, 6> counts{};
    std::array<int, 6> baseUnits{};
    int previous = 0;
    for (const UnitRecord& row : catalogue.rows()) {
        ASSERT_GE(row.category, previous);
        previous = row.category;
        ++counts[static_cast<std::size_t>(row.category)];
        if (row.factor == 1.0f) ++baseUnits[static_cast<std::size_t>(row.category)];
        EXPECT_EQ(row.factor == 0.0f, row.category == UnitTable::kTemperature) << row.name;
    }
    EXPECT_EQ(counts, expectedCounts);
    EXPECT_EQ(baseUnits, (std::array<int, 6>{1, 0, 1, 1, 1, 1}));
}

TEST(UnitCatalogueTest, SecondBuildReplacesTheTable) {
    UnitCatalogue catalogue;
    catalogue.LoadUnits();
    catalogue.LoadUnits();
    EXPECT_EQ(catalogue.rows().size(), 73u);
    EXPECT_EQ(catalogue.Row(72).name, "square kiloimeter");
}

TEST(UnitCatalogueTest, RowOutsideTheArrayIsSubscriptOutOfRange) {
    UnitCatalogue catalogue;
    EXPECT_EQ(catalogue.UpperBound(), -1);
    catalogue.LoadUnits();
    for (int index : {-1, 73, 32767}) {
        EXPECT_THROW_MSG((void)catalogue.Row(index), RunTimeError, "Subscript out of range")
            << index;
    }
}

struct FaultCase {
    const char* label;
    double numerator;
    double denominator;
    const char* description;
};

void PrintTo(const FaultCase& c, std::ostream* os) {
    *os << c.label;
}

class ComputedFactorFaultTest : public ::testing::TestWithParam<FaultCase> {};

TEST_P(ComputedFactorFaultTest, FaultEndsTheBuildAtThatRow) {
    const FaultCase& c = GetParam();
    const std::array<UnitDefinition, 3> table{{
        {0, "first", 2.0f},
        {0, "faulty", 0.0f, true, c.numerator, c.denominator},
        {0, "never", 3.0f},
    }};
    UnitCatalogue catalogue;
    EXPECT_THROW_MSG(catalogue.LoadUnits(table), RunTimeError, c.description);
    ASSERT_EQ(catalogue.rows().size(), 3u);
    EXPECT_EQ(catalogue.Row(0).factor, 2.0f);
    EXPECT_EQ(catalogue.Row(1).name, "faulty");
    EXPECT_EQ(catalogue.Row(1).factor, 0.0f);
    EXPECT_EQ(catalogue.Row(2).name, "");
    EXPECT_EQ(catalogue.Row(2).factor, 0.0f);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ComputedFactorFaultTest,
    ::testing::Values(FaultCase{"divide", 1.0, 0.0, "Division by zero"},
                      FaultCase{"invalid", 0.0, 0.0, "Invalid procedure call or argument"},
                      FaultCase{"overflow32", 1e39, 1.0, "Overflow"},
                      FaultCase{"overflow64", 1e308, 1e-10, "Overflow"},
                      FaultCase{"negativeOverflow32", -1e39, 1.0, "Overflow"},
                      FaultCase{"roundingBound32", 0x1.ffffffp+127, 1.0, "Overflow"},
                      FaultCase{"infiniteConstant", std::numeric_limits<double>::infinity(), 1.0,
                                "Overflow"},
                      FaultCase{"notANumber", std::numeric_limits<double>::quiet_NaN(), 1.0,
                                "Invalid procedure call or argument"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(UnitCatalogueTest, InexactAndUnderflowAreNoFault) {
    const std::array<UnitDefinition, 2> table{{
        {0, "third", 0.0f, true, 1.0, 3.0},
        {0, "tiny", 0.0f, true, 1e-300, 1e10},
    }};
    UnitCatalogue catalogue;
    EXPECT_NO_THROW(catalogue.LoadUnits(table));
    EXPECT_EQ(catalogue.Row(0).factor, static_cast<float>(1.0 / 3.0));
    EXPECT_EQ(catalogue.Row(1).factor, 0.0f);
}

// Quotients just past the largest float that still round to it are no
// overflow; they give the largest float, without an out-of-range conversion.
TEST(UnitCatalogueTest, QuotientsThatRoundToTheLargestFloatAreNoFault) {
    constexpr float kMax = std::numeric_limits<float>::max();
    const std::array<UnitDefinition, 4> table{{
        {0, "largest", 0.0f, true, 3.4028234663852886e38, 1.0},
        {0, "justAbove", 0.0f, true, 3.4028235e38, 1.0},
        {0, "belowBound", 0.0f, true, std::nextafter(0x1.ffffffp+127, 0.0), 1.0},
        {0, "negative", 0.0f, true, -3.4028235e38, 1.0},
    }};
    UnitCatalogue catalogue;
    ASSERT_NO_THROW(catalogue.LoadUnits(table));
    EXPECT_EQ(catalogue.Row(0).factor, kMax);
    EXPECT_EQ(catalogue.Row(1).factor, kMax);
    EXPECT_EQ(catalogue.Row(2).factor, kMax);
    EXPECT_EQ(catalogue.Row(3).factor, -kMax);
}

}  // namespace
}  // namespace metrivo

// The plain conversion call: texts in, the result text or a typed failure out.
#include "unitconversion.h"

#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <string>

#include "loadedcatalogue.h"
#include "temperatureconversion.h"

namespace metrivo {
namespace {

using Failure = UnitConversion::Failure;

using test::LoadedCatalogue;

struct PlainCase {
    const char* name;
    int category;
    std::string amount;
    const char* from;
    const char* to;
    const char* separator;
    const char* text;
    Failure failure;
};

// Shown by its name, in test lists and failures alike.
void PrintTo(const PlainCase& c, std::ostream* os) {
    *os << c.name;
}

class PlainConversionTest : public ::testing::TestWithParam<PlainCase> {};

TEST_P(PlainConversionTest, GivesTheResultTextOrTheFailure) {
    const PlainCase& c = GetParam();
    const UnitConversion::Outcome o =
        UnitConversion::Convert(LoadedCatalogue(), c.category, c.amount, c.from, c.to, c.separator);
    EXPECT_EQ(o.text, c.text);
    EXPECT_EQ(o.failure, c.failure);
}

INSTANTIATE_TEST_SUITE_P(
    Results, PlainConversionTest,
    ::testing::Values(
        PlainCase{"PoundToKilogram", 4, "2.5", "pound", "kilogram", ".", "1.133981",
                  Failure::kNone},
        PlainCase{"MileToKilometer", 0, "1.00", "mile", "kilometer", ".", "1.609344",
                  Failure::kNone},
        PlainCase{"LightToMach", 2, "1", "speed of light [vacuum]", "mach", ".", "880991.1",
                  Failure::kNone},
        PlainCase{"CommaSeparator", 0, "1", "centimeter", "inch", ",", "0,3937008", Failure::kNone},
        PlainCase{"OunceOfVolume", 3, "1", "ounce", "liter", ".", "0.0295735", Failure::kNone},
        PlainCase{"OunceOfWeight", 4, "1", "ounce", "kilogram", ".", "0.02834952", Failure::kNone},
        PlainCase{"FahrenheitToCelsius", 1, "100", "degree Fahrenheit", "degree Celsius", ".",
                  "37.777777777778", Failure::kNone},
        PlainCase{"KelvinToKelvinKeepsItsText", 1, "1.00", "kelvin", "kelvin", ".", "1",
                  Failure::kNone},
        PlainCase{"BelowAbsoluteZeroIsAText", 1, "-273.16", "degree Celsius", "kelvin", ".",
                  "Below Absolute Zero", Failure::kNone},
        PlainCase{"LargestFloatAmount", 0, "3.4028234663852886E+38", "meter", "meter", ".",
                  "3.402823E+38", Failure::kNone}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Failures, PlainConversionTest,
    ::testing::Values(
        PlainCase{"UnknownTarget", 0, "1", "meter", "parsec", ".", "", Failure::kUnitNotFound},
        PlainCase{"UnknownSource", 0, "1", "parsec", "meter", ".", "", Failure::kUnitNotFound},
        PlainCase{"NameOfAnotherCategory", 3, "1", "ounce", "kilogram", ".", "",
                  Failure::kUnitNotFound},
        PlainCase{"NamesAreExact", 0, "1", "Meter", "meter", ".", "", Failure::kUnitNotFound},
        PlainCase{"CategoryOutOfRange", 7, "1", "meter", "meter", ".", "", Failure::kUnitNotFound},
        PlainCase{"JustAboveTheLargestFloat", 0, "3.4028235E+38", "meter", "meter", ".", "",
                  Failure::kResultOutOfRange},
        PlainCase{"ProductOverflow", 0, "1E39", "meter", "meter", ".", "",
                  Failure::kResultOutOfRange},
        PlainCase{"RatioOverflow", 5, "1E38", "square kiloimeter", "square millimeter", ".", "",
                  Failure::kResultOutOfRange},
        PlainCase{"AmountBeyondDoubles", 0, "1e309", "meter", "meter", ".", "",
                  Failure::kAmountOutOfRange},
        PlainCase{"TemperatureAmountBeyondDoubles", 1, "1e309", "kelvin", "kelvin", ".", "",
                  Failure::kAmountOutOfRange},
        PlainCase{"TemperatureAmountWhoseTextOverflows", 1, "1.7976931348623157E+308", "kelvin",
                  "kelvin", ".", "", Failure::kAmountOutOfRange},
        PlainCase{"TemperatureResultOverflow", 1, "1.5E308", "degree Reaumur", "kelvin", ".", "",
                  Failure::kResultOutOfRange}),
    [](const auto& info) { return std::string(info.param.name); });

// Cases where a multiply and add fused into one rounding change the result:
// built for a machine with FMA (arm64, or -march with FMA), the core must
// still give these texts.
INSTANTIATE_TEST_SUITE_P(
    FusedMultiplyAddSensitive, PlainConversionTest,
    ::testing::Values(PlainCase{"KelvinToFahrenheit", 1, "230.4", "kelvin", "degree Fahrenheit",
                                ".", "-44.9499999999999", Failure::kNone},
                      PlainCase{"KelvinToFahrenheitNearMinus99", 1, "200.4", "kelvin",
                                "degree Fahrenheit", ".", "-98.95", Failure::kNone},
                      PlainCase{"CelsiusToFahrenheit", 1, "-73.1", "degree Celsius",
                                "degree Fahrenheit", ".", "-99.58", Failure::kNone},
                      PlainCase{"FahrenheitToFahrenheit", 1, "-100.0", "degree Fahrenheit",
                                "degree Fahrenheit", ".", "-99.9999999999993", Failure::kNone},
                      PlainCase{"RankineToFahrenheit", 1, "359.9", "degree Rankine",
                                "degree Fahrenheit", ".", "-99.7700000000007", Failure::kNone},
                      PlainCase{"ReaumurToFahrenheit", 1, "-58.5", "degree Reaumur",
                                "degree Fahrenheit", ".", "-99.6249999999999", Failure::kNone},
                      PlainCase{"ReaumurToKelvin", 1, "-218.4", "degree Reaumur", "kelvin", ".",
                                "0.149999999999977", Failure::kNone},
                      PlainCase{"ReaumurToRankine", 1, "-218.4", "degree Reaumur", "degree Rankine",
                                ".", "0.269999999999959", Failure::kNone}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PlainConversionTest, RowsFoundAreReported) {
    const auto found = UnitConversion::Convert(LoadedCatalogue(), 4, "1", "ounce", "pound", ".");
    EXPECT_EQ(found.sourceRow, 56);
    EXPECT_EQ(found.targetRow, 57);
    const auto missing = UnitConversion::Convert(LoadedCatalogue(), 4, "1", "ounce", "meter", ".");
    EXPECT_EQ(missing.sourceRow, 56);
    EXPECT_EQ(missing.targetRow, 73);
}

TEST(PlainConversionTest, OneOutcomeServesManyCalls) {
    UnitConversion::Outcome o;
    UnitConversion::Convert(LoadedCatalogue(), 0, "1E39", "meter", "meter", ".", o);
    EXPECT_EQ(o.failure, Failure::kResultOutOfRange);
    UnitConversion::Convert(LoadedCatalogue(), 0, "2", "meter", "meter", ".", o);
    EXPECT_EQ(o.failure, Failure::kNone);
    EXPECT_EQ(o.text, "2");
}

// The search may start at a category's first row: with categories out of
// order it still finds the first row upwards from row 0.
TEST(PlainConversionTest, SearchFindsTheFirstRowWhateverTheOrder) {
    const std::array<UnitDefinition, 5> table{{
        {3, "cup", 0.25f},
        {0, "rod", 5.0f},
        {3, "pot", 2.0f},
        {0, "cup", 0.1f},
        {3, "cup", 9.0f},
    }};
    UnitCatalogue catalogue;
    catalogue.LoadUnits(table);
    EXPECT_EQ(UnitConversion::FindRow(catalogue, 3, "cup"), 0);
    EXPECT_EQ(UnitConversion::FindRow(catalogue, 0, "cup"), 3);
    EXPECT_EQ(UnitConversion::FindRow(catalogue, 3, "pot"), 2);
    EXPECT_EQ(UnitConversion::FindRow(catalogue, 0, "pot"), 5);
    EXPECT_EQ(UnitConversion::FindRow(catalogue, 5, "cup"), 5);
    EXPECT_EQ(UnitConversion::FindRow(catalogue, -1, "cup"), 5);
    EXPECT_EQ(UnitConversion::Convert(catalogue, 3, "1", "pot", "cup", ".").text, "8");
    const UnitCatalogue empty;
    EXPECT_EQ(UnitConversion::FindRow(empty, 0, "cup"), 0);
}

TEST(TrimSpacesTest, RemovesOnlySpacesAtTheEnds) {
    const std::pair<std::string, std::string> cases[] = {
        {"  1.5 ", "1.5"}, {"", ""}, {"   ", ""}, {"\t1 ", "\t1"}, {"a b", "a b"}};
    for (auto [text, expected] : cases) {
        UnitConversion::TrimSpaces(text);
        EXPECT_EQ(text, expected);
    }
}

}  // namespace
}  // namespace metrivo

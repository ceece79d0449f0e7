// One press of "Start Converting" worked out apart from the window: the
// result text, the reports with their labels, the list indexes recorded.
#include "unitconversion.h"

#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <string>
#include <vector>

#include "goldenconversions.h"
#include "loadedcatalogue.h"

namespace metrivo {
namespace {

using Failure = UnitConversion::Failure;
using test::LoadedCatalogue;

UnitConversion::Outcome Press(int category, std::string_view amount, std::string_view from,
                              std::string_view to, std::string_view separator = ".") {
    return UnitConversion::Convert(LoadedCatalogue(),
                                   {.selUnitType = category,
                                    .amount = amount,
                                    .from = from,
                                    .to = to,
                                    .fromIndex = 3,
                                    .toIndex = -1},
                                   separator);
}

// "Overflow@124>128": the description, the label, where the press goes on.
std::vector<std::string> Reports(const UnitConversion::Outcome& o) {
    std::vector<std::string> out;
    for (const UnitConversion::Report& r : o.reports) {
        out.push_back(RunTimeError::StandardDescription(r.error) + "@" + std::to_string(r.label) +
                      ">" + std::to_string(r.resumeAt));
    }
    return out;
}

class GoldenConversionTest : public ::testing::TestWithParam<test::GoldenConversion> {};

TEST_P(GoldenConversionTest, PressGivesTheExactResult) {
    const test::GoldenConversion& c = GetParam();
    const UnitConversion::Outcome o = Press(c.category, c.amount, c.from, c.to);
    EXPECT_EQ(o.text, c.result);
    EXPECT_EQ(o.failure, Failure::kNone);
    EXPECT_TRUE(o.reports.empty());
    EXPECT_TRUE(o.amountWhole);
}

INSTANTIATE_TEST_SUITE_P(File, GoldenConversionTest, ::testing::ValuesIn(test::GoldenConversions()),
                         [](const auto& info) { return info.param.name; });

struct PressCase {
    const char* name;
    int category;
    std::string amount;
    const char* from;
    const char* to;
    const char* separator;
    const char* text;
    std::vector<std::string> reports;
    Failure failure;
};

void PrintTo(const PressCase& c, std::ostream* os) {
    *os << c.name;
}

class PressTest : public ::testing::TestWithParam<PressCase> {};

TEST_P(PressTest, GivesTheTextAndTheReportsInOrder) {
    const PressCase& c = GetParam();
    const UnitConversion::Outcome o = Press(c.category, c.amount, c.from, c.to, c.separator);
    EXPECT_EQ(o.text, c.text);
    EXPECT_EQ(Reports(o), c.reports);
    EXPECT_EQ(o.failure, c.failure);
}

const std::vector<std::string> kNone;

// What the amount box takes that metrivo-convert refuses, and the
// separators of the user's locale.
INSTANTIATE_TEST_SUITE_P(
    Amounts, PressTest,
    ::testing::Values(
        PressCase{"LettersReadAsZero", 0, "abc", "meter", "meter", ".", "0", kNone, Failure::kNone},
        PressCase{"EmptyReadsAsZero", 0, "", "meter", "meter", ".", "0", kNone, Failure::kNone},
        PressCase{"CommaEndsTheNumber", 0, "1,5", "meter", "meter", ".", "1", kNone,
                  Failure::kNone},
        PressCase{"CommaLocaleReadsItsOwnResult", 0, "0,3937008", "inch", "centimeter", ",", "1",
                  kNone, Failure::kNone},
        PressCase{"CommaLocaleWritesComma", 0, "1", "centimeter", "inch", ",", "0,3937008", kNone,
                  Failure::kNone},
        PressCase{"CommaLocaleReadsPoint", 0, "1.5", "meter", "centimeter", ",", "150", kNone,
                  Failure::kNone},
        PressCase{"CommaLocaleTemperature", 1, "36,6", "degree Celsius", "degree Fahrenheit", ",",
                  "97,88", kNone, Failure::kNone}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Failures, PressTest,
    ::testing::Values(
        PressCase{"TargetNotFound",
                  0,
                  "1",
                  "meter",
                  "",
                  ".",
                  "",
                  {"Subscript out of range@124>128"},
                  Failure::kUnitNotFound},
        PressCase{"TemperatureTargetNotFound",
                  1,
                  "1",
                  "kelvin",
                  "",
                  ".",
                  "",
                  {"Subscript out of range@122>128"},
                  Failure::kUnitNotFound},
        PressCase{"SourceNotFound",
                  0,
                  "1",
                  "",
                  "meter",
                  ".",
                  "",
                  {"Subscript out of range@120>122", "Subscript out of range@122>128"},
                  Failure::kUnitNotFound},
        PressCase{"NamesAreExact",
                  0,
                  "1",
                  "Meter",
                  "meter",
                  ".",
                  "",
                  {"Subscript out of range@120>122", "Subscript out of range@122>128"},
                  Failure::kUnitNotFound},
        PressCase{"NameOfAnotherCategory",
                  3,
                  "1",
                  "ounce",
                  "kilogram",
                  ".",
                  "",
                  {"Subscript out of range@124>128"},
                  Failure::kUnitNotFound},
        PressCase{"AmountReadBeforeTheRows",
                  0,
                  "1e309",
                  "meter",
                  "parsec",
                  ".",
                  "",
                  {"Overflow@124>128"},
                  Failure::kUnitNotFound},
        PressCase{"ProductOverflow",
                  0,
                  "1E39",
                  "meter",
                  "meter",
                  ".",
                  "",
                  {"Overflow@124>128"},
                  Failure::kResultOutOfRange},
        PressCase{"JustAboveTheLargestFloat",
                  0,
                  "3.4028235E+38",
                  "meter",
                  "meter",
                  ".",
                  "",
                  {"Overflow@124>128"},
                  Failure::kResultOutOfRange},
        PressCase{"RatioOverflow",
                  5,
                  "1E38",
                  "square kiloimeter",
                  "square millimeter",
                  ".",
                  "",
                  {"Overflow@124>128"},
                  Failure::kResultOutOfRange},
        PressCase{"AmountBeyondDoubles",
                  0,
                  "1e309",
                  "meter",
                  "meter",
                  ".",
                  "",
                  {"Overflow@124>128"},
                  Failure::kAmountOutOfRange},
        PressCase{"HexadecimalBeyond32Bits",
                  0,
                  "&H100000000",
                  "meter",
                  "meter",
                  ".",
                  "",
                  {"Overflow@124>128"},
                  Failure::kAmountOutOfRange},
        PressCase{"TemperatureAmountBeyondDoubles",
                  1,
                  "1e309",
                  "kelvin",
                  "kelvin",
                  ".",
                  "",
                  {"Overflow@122>128"},
                  Failure::kAmountOutOfRange},
        PressCase{"TemperatureAmountWhoseTextOverflows",
                  1,
                  "1.7976931348623157E+308",
                  "kelvin",
                  "kelvin",
                  ".",
                  "",
                  {"Overflow@122>128"},
                  Failure::kAmountOutOfRange},
        PressCase{"TemperatureResultOverflow",
                  1,
                  "1.5E308",
                  "degree Reaumur",
                  "kelvin",
                  ".",
                  "",
                  {"Overflow@122>128"},
                  Failure::kResultOutOfRange},
        PressCase{"CategoryOutOfRange",
                  7,
                  "1",
                  "meter",
                  "meter",
                  ".",
                  "",
                  {"Subscript out of range@120>122", "Subscript out of range@122>128",
                   "Subscript out of range@132>134", "Subscript out of range@134>-1"},
                  Failure::kUnitNotFound}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PressTest, RecordsTheListIndexesOfItsCategoryAfterSuccessAndFailure) {
    for (const char* to : {"kilogram", ""}) {
        const UnitConversion::Outcome o = Press(4, "1", "pound", to);
        EXPECT_TRUE(o.recorded) << to;
        EXPECT_EQ(o.lastFrom, 3);
        EXPECT_EQ(o.lastTo, -1);
    }
    EXPECT_FALSE(Press(-1, "1", "meter", "meter").recorded);
    EXPECT_FALSE(Press(6, "1", "meter", "meter").recorded);
}

TEST(PressTest, RowsFoundAreReported) {
    const UnitConversion::Outcome found = Press(4, "1", "ounce", "pound");
    EXPECT_EQ(found.sourceRow, 56);
    EXPECT_EQ(found.targetRow, 57);
    const UnitConversion::Outcome missing = Press(4, "1", "ounce", "meter");
    EXPECT_EQ(missing.sourceRow, 56);
    EXPECT_EQ(missing.targetRow, 73);
}

TEST(PressTest, OneOutcomeServesManyPresses) {
    UnitConversion::Outcome o;
    UnitConversion::Convert(LoadedCatalogue(), {.amount = "1E39", .from = "meter", .to = "meter"},
                            ".", o);
    EXPECT_EQ(o.failure, Failure::kResultOutOfRange);
    UnitConversion::Convert(LoadedCatalogue(), {.amount = " 2 ", .from = "meter", .to = "meter"},
                            ".", o);
    EXPECT_EQ(o.failure, Failure::kNone);
    EXPECT_TRUE(o.reports.empty());
    EXPECT_EQ(o.text, "2");
}

// The search may start at a category's first row: with categories out of
// order it still finds the first row upwards from row 0.
TEST(FindRowTest, FindsTheFirstRowWhateverTheOrder) {
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
    const UnitCatalogue empty;
    EXPECT_EQ(UnitConversion::FindRow(empty, 0, "cup"), 0);
}

}  // namespace
}  // namespace metrivo

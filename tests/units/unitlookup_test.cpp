#include "unitlookup.h"

#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <string>

#include "loadedcatalogue.h"

namespace metrivo {
namespace {

using test::LoadedCatalogue;
using Kind = UnitLookup::Match::Kind;
using Step = UnitLookup::Step;

const UnitLookup& Lookup() {
    static const UnitLookup lookup;
    return lookup;
}

struct NameCase {
    const char* name;
    int category;
    std::string typed;
    const char* found;  // the list name, or "" when none is found
    Step step;
    int candidates;  // rows an ambiguous start names
};

void PrintTo(const NameCase& c, std::ostream* os) {
    *os << c.name;
}

class UnitLookupTest : public testing::TestWithParam<NameCase> {};

TEST_P(UnitLookupTest, FirstStepWithExactlyOneRowWins) {
    const NameCase& c = GetParam();
    const UnitLookup::Match m = Lookup().Resolve(c.category, c.typed);
    if (std::string(c.found).empty()) {
        EXPECT_NE(m.kind, Kind::kFound) << LoadedCatalogue().Row(std::max(m.row, 0)).name;
        EXPECT_EQ(static_cast<int>(m.candidates.size()), c.candidates);
        EXPECT_EQ(m.kind, c.candidates > 0 ? Kind::kAmbiguous : Kind::kUnknown);
        return;
    }
    ASSERT_EQ(m.kind, Kind::kFound);
    EXPECT_EQ(LoadedCatalogue().Row(m.row).name, c.found);
    EXPECT_EQ(m.step, c.step);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, UnitLookupTest,
    testing::Values(
        NameCase{"ExactName", 0, "meter", "meter", Step::kExact, 0},
        NameCase{"ExactCommaName", 4, "lb, lbs", "lb, lbs", Step::kExact, 0},
        NameCase{"ExactPoundIsNotLb", 4, "pound", "pound", Step::kExact, 0},
        NameCase{"AnyCase", 1, "KELVIN", "kelvin", Step::kAnyCase, 0},
        NameCase{"SymbolKm", 0, "km", "kilometer", Step::kSymbol, 0},
        NameCase{"SymbolCapitalC", 1, "C", "degree Celsius", Step::kSymbol, 0},
        NameCase{"SymbolSmallCIsLight", 2, "c", "speed of light [vacuum]", Step::kSymbol, 0},
        NameCase{"SymbolsAreCaseSensitive", 1, "c", "", Step::kSymbol, 0},
        NameCase{"SymbolOzIsWeight", 4, "oz", "ounce", Step::kSymbol, 0},
        NameCase{"OzIsNoVolumeSymbol", 3, "oz", "", Step::kSymbol, 0},
        NameCase{"SymbolFlOz", 3, "fl oz", "ounce", Step::kSymbol, 0},
        NameCase{"SymbolLbs", 4, "lbs", "lb, lbs", Step::kSymbol, 0},
        NameCase{"StartOfFourLetters", 4, "kilo", "kilogram", Step::kAnyCase, 0},
        NameCase{"StartAnyCase", 4, "MEGA", "megagram (metric ton) (tonne)", Step::kPrefix, 0},
        NameCase{"StartOfThreeLetters", 3, "gal", "gallon", Step::kSymbol, 0},
        NameCase{"StartOfAnAlias", 3, "millil", "mililiter (cc)", Step::kPrefix, 0},
        NameCase{"AmbiguousStart", 0, "mil", "", Step::kPrefix, 2},
        NameCase{"AmbiguousHundredweight", 4, "hundred", "", Step::kPrefix, 2},
        NameCase{"Unknown", 0, "parsec", "", Step::kPrefix, 0},
        NameCase{"EmptyIsNoStart", 1, "", "", Step::kPrefix, 0},
        NameCase{"NoCategory", 9, "meter", "", Step::kExact, 0}),
    [](const testing::TestParamInfo<NameCase>& info) { return info.param.name; });

// Words people type, and starts too short or too wide to name one unit.
INSTANTIATE_TEST_SUITE_P(
    TypedWords, UnitLookupTest,
    testing::Values(
        NameCase{"TonNamesThree", 4, "ton", "", Step::kPrefix, 3},
        NameCase{"OneLetterIsNoStart", 4, "s", "", Step::kPrefix, 0},
        NameCase{"TwoLettersAreNoStart", 5, "sq", "", Step::kPrefix, 0},
        NameCase{"PluralMiles", 0, "miles", "mile", Step::kAnyCase, 0},
        NameCase{"PluralPounds", 4, "Pounds", "pound", Step::kAnyCase, 0},
        NameCase{"PluralInches", 0, "inches", "inch", Step::kAnyCase, 0},
        NameCase{"PluralMeters", 0, "meters", "meter", Step::kAnyCase, 0},
        NameCase{"PluralGallons", 3, "gallons", "gallon", Step::kAnyCase, 0},
        NameCase{"PluralLiters", 3, "liters", "liter", Step::kAnyCase, 0},
        NameCase{"PluralKnots", 2, "knots", "knot", Step::kAnyCase, 0},
        NameCase{"BritishMetre", 0, "metre", "meter", Step::kAnyCase, 0},
        NameCase{"BritishLitre", 3, "litre", "liter", Step::kAnyCase, 0},
        NameCase{"BritishKilometre", 0, "kilometre", "kilometer", Step::kAnyCase, 0},
        NameCase{"BritishMillilitre", 3, "millilitre", "mililiter (cc)", Step::kAnyCase, 0},
        NameCase{"Milliliter", 3, "milliliter", "mililiter (cc)", Step::kAnyCase, 0},
        NameCase{"SquareMeterSymbol", 5, "sq m", "square meter", Step::kSymbol, 0},
        NameCase{"GreekMu", 4, "\u03bcg", "microgram", Step::kSymbol, 0},
        NameCase{"MicroSign", 4, "\u00b5g", "microgram", Step::kSymbol, 0},
        NameCase{"CelsiusSign", 1, "\u2103", "degree Celsius", Step::kSymbol, 0},
        NameCase{"FahrenheitSign", 1, "\u2109", "degree Fahrenheit", Step::kSymbol, 0},
        NameCase{"KelvinSign", 1, "\u212a", "kelvin", Step::kSymbol, 0},
        NameCase{"SuperscriptSquare", 5, "km\u00b2", "square kiloimeter", Step::kSymbol, 0},
        NameCase{"SuperscriptCube", 3, "cm\u00b3", "mililiter (cc)", Step::kSymbol, 0},
        NameCase{"CaretSquare", 5, "m^2", "square meter", Step::kSymbol, 0},
        NameCase{"CaretCube", 3, "ft^3", "cubic feet", Step::kSymbol, 0},
        NameCase{"DigitSquare", 5, "in2", "square inch", Step::kSymbol, 0},
        NameCase{"MilesPerHour", 2, "miles per hour", "mile/hour (mph)", Step::kAnyCase, 0},
        NameCase{"ReaumurAccent", 1, "R\u00e9aumur", "degree Reaumur", Step::kAnyCase, 0}),
    [](const testing::TestParamInfo<NameCase>& info) { return info.param.name; });

TEST(UnitTableTest, EveryNameAliasAndSymbolNamesItsOwnRow) {
    const auto table = UnitTable::Rows();
    for (std::size_t i = 0; i < table.size(); ++i) {
        const UnitDefinition& unit = table[i];
        auto expectOwnRow = [&](std::string_view text) {
            const UnitLookup::Match m = Lookup().Resolve(unit.category, text);
            EXPECT_EQ(m.kind, Kind::kFound) << text;
            EXPECT_EQ(m.row, static_cast<int>(i)) << text;
        };
        expectOwnRow(unit.name);
        EXPECT_EQ(Lookup().Resolve(unit.category, unit.name).step, Step::kExact) << unit.name;
        UnitDefinition::ForEach(unit.aliases, expectOwnRow);
        UnitDefinition::ForEach(unit.symbols, expectOwnRow);
    }
}

// A length's symbol with a power names the square or cubic unit of that
// length, in each way of writing the power.
TEST(UnitTableTest, EveryLengthSymbolTakesItsPowers) {
    const auto table = UnitTable::Rows();
    int checked = 0;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const UnitDefinition& unit = table[i];
        const bool square = unit.category == UnitTable::kArea && unit.name.starts_with("square ");
        const bool cubic = unit.category == UnitTable::kVolume && unit.name.starts_with("cubic ");
        if (!square && !cubic) continue;
        const UnitLookup::Match length =
            Lookup().Resolve(UnitTable::kLength, unit.name.substr(unit.name.find(' ') + 1));
        if (length.kind != Kind::kFound) continue;
        constexpr std::array<const char*, 3> kSquares{"\u00b2", "^2", "2"};
        constexpr std::array<const char*, 3> kCubes{"\u00b3", "^3", "3"};
        auto expectPowers = [&](std::string_view symbol) {
            if (symbol.starts_with("\u00b5") || symbol == "uin") return;  // no such unit
            for (const char* power : square ? kSquares : kCubes) {
                const std::string typed = std::string(symbol) + power;
                EXPECT_EQ(Lookup().Resolve(unit.category, typed).row, static_cast<int>(i)) << typed;
                ++checked;
            }
        };
        UnitDefinition::ForEach(table[static_cast<std::size_t>(length.row)].symbols, expectPowers);
    }
    EXPECT_GE(checked, 30);
}

TEST(UnitLookupTest, EveryCategoryIsAnsweredByOneLookup) {
    UnitLookup::Matches matches;
    Lookup().ResolveAll("ounce", matches);
    EXPECT_EQ(matches[UnitTable::kVolume].row, 29);
    EXPECT_EQ(matches[UnitTable::kWeight].row, 56);
    EXPECT_EQ(matches[UnitTable::kLength].kind, Kind::kUnknown);
    Lookup().ResolveAll("in", matches);
    EXPECT_EQ(matches[UnitTable::kLength].row, 2);
    EXPECT_EQ(matches[UnitTable::kArea].kind, Kind::kUnknown);
}

TEST(UnitLookupTest, NearestOffersUpToThreeCloseNames) {
    auto nearest = [](int category, std::string_view typed) {
        std::string out;
        for (int row : Lookup().Nearest(category, typed)) {
            out += LoadedCatalogue().Row(row).name + ";";
        }
        return out;
    };
    EXPECT_EQ(nearest(0, "kilometr"), "kilometer;");
    EXPECT_EQ(nearest(1, "kelvn"), "kelvin;");
    EXPECT_EQ(nearest(4, "kgs"), "kilogram;");
    EXPECT_EQ(nearest(0, "xyzzy"), "");
    EXPECT_EQ(nearest(-1, "ounse"), "ounce;");
    EXPECT_EQ(nearest(4, "s"), "");
    EXPECT_EQ(nearest(0, std::string(100'000, 'm')), "");
}

}  // namespace
}  // namespace metrivo

#include "unitcatalogue.h"

#include <array>
#include <cfenv>
#include <cmath>
#include <limits>

#include "runtimeerror.h"

namespace metrivo {
namespace {

constexpr UnitDefinition Stored(int32_t category, std::string_view name, float factor) {
    return UnitDefinition{category, name, factor};
}
constexpr UnitDefinition Computed(int32_t category, std::string_view name, double numerator,
                                  double denominator = 1.0) {
    return UnitDefinition{category, name, 0.0f, true, numerator, denominator};
}

// The catalogue in row order. Within a category the order is the order in
// which the unit lists show the names.
constexpr std::array<UnitDefinition, 73> kTable{{
    Stored(0, "centimeter", 0.01f),
    Stored(0, "feet", 0.3048f),
    Computed(0, "inch", 0.3048, 12),
    Stored(0, "kilometer", 1000.0f),
    Stored(0, "league", 4828.0415f),
    Stored(0, "league [nautical]", 5556.0f),
    Stored(0, "meter", 1.0f),
    Stored(0, "microinch", 2.54e-08f),
    Computed(0, "mile", 1609.344),
    Stored(0, "millimeter", 0.001f),
    Stored(0, "yard", 0.9144f),
    Stored(1, "degree Celsius", 0.0f),
    Stored(1, "degree Fahrenheit", 0.0f),
    Stored(1, "degree Rankine", 0.0f),
    Stored(1, "degree Reaumur", 0.0f),
    Stored(1, "kelvin", 0.0f),
    Stored(2, "centimeter/second", 0.01f),
    Stored(2, "foot/second", 0.3048f),
    Computed(2, "inch/second", 0.3048, 12),
    Computed(2, "kilometer/hour", 1000, 3600),
    Stored(2, "kilometer/second", 1000.0f),
    Computed(2, "knot", 1852, 3600),
    Stored(2, "mach", 340.29f),
    Stored(2, "meter/second", 1.0f),
    Computed(2, "mile/hour (mph)", 1609.344, 3600),
    Computed(2, "mile/second", 1609.344),
    Stored(2, "millimeter/second", 0.001f),
    Stored(2, "speed of light [vacuum]", 299792458.0f),
    Stored(2, "speed of sound [air]", 340.29f),
    Stored(3, "ounce", 0.0295735f),
    Stored(3, "pint", 0.4731764f),
    Stored(3, "quart", 0.9463529f),
    Stored(3, "gallon", 3.7854116f),
    Stored(3, "cubic inch", 0.016387f),
    Stored(3, "cubic feet", 28.316847f),
    Stored(3, "cubic yard", 764.5549f),
    Stored(3, "microliter", 1e-06f),
    Stored(3, "mililiter (cc)", 0.001f),
    Stored(3, "deciliter", 0.1f),
    Stored(3, "liter", 1.0f),
    Stored(3, "cubic meter", 1000.0f),
    Stored(4, "centigram", 1e-05f),
    Stored(4, "decigram", 0.0001f),
    Stored(4, "dekagram", 0.01f),
    Computed(4, "dram", 0.45359237, 256),
    Stored(4, "grain", 6.47989e-05f),
    Stored(4, "gram", 0.001f),
    Stored(4, "hectogram", 0.1f),
    Computed(4, "hundredweight (long, UK)", 50.80234544),
    Computed(4, "hundredweight (short, US)", 45.359237),
    Stored(4, "kilogram", 1.0f),
    Stored(4, "lb, lbs", 0.45359237f),
    Computed(4, "long ton (UK)", 1016.0469088000001),
    Stored(4, "megagram (metric ton) (tonne)", 1000.0f),
    Stored(4, "microgram", 1e-09f),
    Stored(4, "milligram", 1e-06f),
    Computed(4, "ounce", 0.45359237, 16),
    Stored(4, "pound", 0.45359237f),
    Computed(4, "short ton (US)", 907.18474),
    Computed(4, "ton (long, UK)", 1016.0469088000001),
    Stored(5, "square inch", 0.0006451f),
    Stored(5, "square foot", 0.092903f),
    Stored(5, "square yard", 0.8361273f),
    Stored(5, "square rod", 25.292852f),
    Stored(5, "acre", 4046.8564f),
    Stored(5, "quarter section", 647497.0f),
    Stored(5, "square mile", 2589988.0f),
    Stored(5, "square millimeter", 1e-06f),
    Stored(5, "square centimeter", 0.0001f),
    Stored(5, "square meter", 1.0f),
    Stored(5, "are", 100.0f),
    Stored(5, "hectare", 10000.0f),
    Stored(5, "square kiloimeter", 1000000.0f),
}};

constexpr std::array<std::string_view, UnitCatalogue::kCategoryCount> kCategoryNames{
    "Length", "Temperature", "Speed", "Volume", "Weight", "Area"};

// The smallest magnitude that rounds past the largest 32-bit float: the
// largest float plus half its last place (2^128 - 2^103).
constexpr double kFloatOverflowBound = 0x1.ffffffp+127;

// Evaluates a computed factor at run time and checks the floating-point
// status of the 64-bit division afterwards. The operands go through volatile
// so the compiler cannot fold the division away and skip the check. The
// rounding to 32 bits is checked against the range before it is done, so an
// overflow there is raised without the undefined conversion of an
// out-of-range value.
float EvaluateComputedFactor(double numerator, double denominator) {
    volatile double n = numerator;
    volatile double d = denominator;
    std::feclearexcept(FE_ALL_EXCEPT);
    volatile double quotient = n / d;
    const int raised = std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW);
    std::feclearexcept(FE_ALL_EXCEPT);
    if (raised & FE_DIVBYZERO) throw RunTimeError(RunTimeError::kDivisionByZero);
    if (raised & FE_OVERFLOW) throw RunTimeError(RunTimeError::kOverflow);
    const double q = quotient;
    if ((raised & FE_INVALID) || std::isnan(q)) {
        throw RunTimeError(RunTimeError::kInvalidProcedureCall);
    }
    const double magnitude = std::fabs(q);
    if (magnitude >= kFloatOverflowBound) throw RunTimeError(RunTimeError::kOverflow);
    // Between the largest float and the bound the nearest float is the largest.
    if (magnitude > std::numeric_limits<float>::max()) {
        return q < 0 ? -std::numeric_limits<float>::max() : std::numeric_limits<float>::max();
    }
    return static_cast<float>(q);
}

}  // namespace

void UnitCatalogue::LoadUnits() {
    LoadUnits(kTable);
}

UnitCatalogue UnitCatalogue::Loaded() {
    UnitCatalogue catalogue;
    catalogue.LoadUnits();
    return catalogue;
}

void UnitCatalogue::LoadUnits(std::span<const UnitDefinition> table) {
    rows_.assign(table.size(), UnitRecord{});
    // Rows not yet filled have category 0, so category 0 may start at row 0
    // until the build is complete.
    firstRows_.fill(0);
    for (std::size_t i = 0; i < table.size(); ++i) {
        const UnitDefinition& def = table[i];
        UnitRecord& row = rows_[i];
        row.category = def.category;
        row.name = std::string(def.name);
        row.factor = def.computed ? EvaluateComputedFactor(def.numerator, def.denominator)
                                  : def.storedFactor;
    }
    firstRows_.fill(static_cast<int>(rows_.size()));
    for (std::size_t i = rows_.size(); i-- > 0;) {
        const int category = rows_[i].category;
        if (category >= 0 && category < kCategoryCount) {
            firstRows_[static_cast<std::size_t>(category)] = static_cast<int>(i);
        }
    }
}

void UnitCatalogue::ThrowSubscriptOutOfRange() {
    throw RunTimeError(RunTimeError::kSubscriptOutOfRange);
}

std::span<const UnitDefinition> UnitCatalogue::BuiltInTable() {
    return kTable;
}

std::string_view UnitCatalogue::CategoryName(int category) {
    if (category < 0 || category >= kCategoryCount) return {};
    return kCategoryNames[static_cast<std::size_t>(category)];
}

}  // namespace metrivo

#include "unitcatalogue.h"

#include <cfenv>
#include <cmath>
#include <limits>

#include "runtimeerror.h"

namespace metrivo {
namespace {

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
    LoadUnits(UnitTable::Rows());
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
        row.scale = def.scale;
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

}  // namespace metrivo

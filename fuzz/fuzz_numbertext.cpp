// Number text both ways. The input's first byte picks the separator ("." or
// ","); the next 8 bytes are a 64-bit float and the first 4 of them a 32-bit
// one, whose 15- and 7-digit texts must read back to values that write the
// same texts again. The rest is read as number text as it is.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

#include "numbertext.h"
#include "runtimeerror.h"
#include "unitcatalogue.h"
#include "unitconversion.h"

namespace {

using metrivo::NumberText;
using metrivo::RunTimeError;

// The largest value whose 15-digit text stays inside the 64-bit range.
constexpr double kLast15DigitValue = 1.797693134862315e308;

void RoundTrip15(double value, std::string_view separator) {
    // Subnormals carry fewer than 15 significant digits, so their text need
    // not come back to the same value.
    if (!std::isfinite(value) || (value != 0.0 && !std::isnormal(value))) return;
    const std::string text = NumberText::Write15(value, separator);
    double back;
    try {
        back = NumberText::ReadNumber(text, separator);
    } catch (const RunTimeError& error) {
        // Only the largest values round up past the 64-bit range at 15 digits
        // ("1.79769313486232E+308"), and reading that back is "Overflow".
        if (error.number() != RunTimeError::kOverflow || std::fabs(value) < kLast15DigitValue) {
            std::abort();
        }
        return;
    }
    if (NumberText::Write15(back, separator) != text) std::abort();
}

void RoundTrip7(float value, std::string_view separator) {
    if (!std::isfinite(value) || (value != 0.0f && !std::isnormal(value))) return;
    const std::string text = NumberText::Write7(value, separator);
    const double back = NumberText::ReadNumber(text, separator);
    // Rounding to 7 digits may carry just past the largest 32-bit float.
    if (std::fabs(back) > std::numeric_limits<float>::max()) return;
    if (NumberText::Write7(static_cast<float>(back), separator) != text) std::abort();
}

const metrivo::UnitCatalogue& Catalogue() {
    static const metrivo::UnitCatalogue catalogue = metrivo::UnitCatalogue::Loaded();
    return catalogue;
}

void Convert(std::string_view text, std::string_view separator) {
    const auto outcome = metrivo::UnitConversion::Convert(
        Catalogue(),
        {.selUnitType = 1, .amount = text, .from = "kelvin", .to = "degree Fahrenheit"}, separator);
    if (outcome.failure != metrivo::UnitConversion::Failure::kNone) return;
    if (outcome.text == "Below Absolute Zero") return;
    (void)NumberText::ReadNumber(outcome.text, separator);  // throws if not number text
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::string_view separator = (data[0] & 1) != 0 ? "," : ".";
    ++data;
    --size;
    if (size >= sizeof(double)) {
        double value;
        std::memcpy(&value, data, sizeof value);
        float single;
        std::memcpy(&single, data, sizeof single);
        RoundTrip15(value, separator);
        RoundTrip7(single, separator);
    }
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        Convert(text, separator);
    } catch (const RunTimeError&) {
        std::abort();
    }
    try {
        const double value = NumberText::ReadNumber(text, separator);
        if (!std::isfinite(value)) std::abort();
        (void)NumberText::Write15(value, separator);
    } catch (const RunTimeError& error) {
        if (error.number() != RunTimeError::kTypeMismatch &&
            error.number() != RunTimeError::kOverflow) {
            std::abort();
        }
    }
    return 0;
}

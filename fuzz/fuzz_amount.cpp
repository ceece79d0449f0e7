// The amount reading on arbitrary text, through one press: a result text, or
// an amount or result out of range with its one report, nothing else. The first
// byte picks the unit pair and the separator.
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "numbertext.h"
#include "runtimeerror.h"
#include "unitcatalogue.h"
#include "unitconversion.h"

namespace {

struct Pair {
    int category;
    const char* from;
    const char* to;
};

constexpr std::array<Pair, 8> kPairs{{
    {0, "meter", "meter"},
    {0, "microinch", "league [nautical]"},
    {2, "speed of light [vacuum]", "millimeter/second"},
    {4, "microgram", "megagram (metric ton) (tonne)"},
    {1, "kelvin", "kelvin"},
    {1, "degree Fahrenheit", "degree Celsius"},
    {1, "degree Reaumur", "degree Rankine"},
    {1, "degree Rankine", "degree Fahrenheit"},
}};

const metrivo::UnitCatalogue& Catalogue() {
    static const metrivo::UnitCatalogue catalogue = metrivo::UnitCatalogue::Loaded();
    return catalogue;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const Pair& pair = kPairs[data[0] % kPairs.size()];
    const std::string_view separator = (data[0] & 0x80) != 0 ? "," : ".";
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    // The reading alone: a number or "Overflow".
    bool readable = true;
    try {
        if (std::isnan(metrivo::NumberText::ReadAmount(text, separator))) std::abort();
    } catch (const metrivo::RunTimeError& error) {
        if (error.number() != metrivo::RunTimeError::kOverflow) std::abort();
        readable = false;
    }

    using Failure = metrivo::UnitConversion::Failure;
    const auto outcome = metrivo::UnitConversion::Convert(
        Catalogue(),
        {.selUnitType = pair.category, .amount = text, .from = pair.from, .to = pair.to},
        separator);
    switch (outcome.failure) {
        case Failure::kNone:
            if (outcome.text.empty() || !readable || !outcome.reports.empty()) std::abort();
            break;
        case Failure::kAmountOutOfRange:
        case Failure::kResultOutOfRange:
            if (!outcome.text.empty()) std::abort();
            if (!readable && outcome.failure != Failure::kAmountOutOfRange) std::abort();
            if (outcome.reports.size() != 1) std::abort();
            break;
        case Failure::kUnitNotFound:
            std::abort();  // both names are catalogue names
    }
    return 0;
}

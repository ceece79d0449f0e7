// The amount box reading on arbitrary text: a number or "Overflow", nothing else.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "numbertext.h"
#include "runtimeerror.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        const double value = metrivo::NumberText::ReadAmount(text);
        if (std::isnan(value)) std::abort();  // no text reads as "not a number"
    } catch (const metrivo::RunTimeError& error) {
        if (error.number() != metrivo::RunTimeError::kOverflow) std::abort();
    }
    return 0;
}

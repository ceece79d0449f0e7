// Stored setting texts to 16-bit numbers: a number, "Type mismatch" or
// "Overflow"; a number's own text reads back to it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "runtimeerror.h"
#include "settingvalue.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using metrivo::RunTimeError;
    using metrivo::SettingValue;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        const int16_t value = SettingValue::ToInt16(text);
        if (SettingValue::ToInt16(SettingValue::FromInt16(value)) != value) std::abort();
    } catch (const RunTimeError& error) {
        if (error.number() != RunTimeError::kTypeMismatch &&
            error.number() != RunTimeError::kOverflow) {
            std::abort();
        }
    }
    return 0;
}

#include "settingvalue.h"

#include <array>
#include <charconv>
#include <cmath>

#include "numbertext.h"
#include "runtimeerror.h"

namespace metrivo {

int16_t SettingValue::ToInt16(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) throw RunTimeError(RunTimeError::kTypeMismatch);
    const auto last = text.find_last_not_of(" \t");
    std::string_view number = text.substr(first, last - first + 1);
    if (!number.empty() && number.front() == '+') number.remove_prefix(1);
    if (number.empty() || number.front() == '+') throw RunTimeError(RunTimeError::kTypeMismatch);
    // The whole text must be one decimal number as the program writes it,
    // optionally with a fraction or exponent.
    const double value = NumberText::ReadNumber(number, ".");
    const double rounded = std::nearbyint(value);  // half to even in the default mode
    if (!(rounded >= -32768.0 && rounded <= 32767.0)) throw RunTimeError(RunTimeError::kOverflow);
    return static_cast<int16_t>(rounded);
}

std::string SettingValue::FromInt16(int16_t value) {
    std::array<char, 8> text{};
    const auto end = std::to_chars(text.data(), text.data() + text.size(), value).ptr;
    return std::string(text.data(), end);
}

}  // namespace metrivo

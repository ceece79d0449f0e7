#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace metrivo {

// Turns stored setting texts into the 16-bit numbers the window keeps, and
// back. The program writes plain decimal integers; reading is lenient about
// surrounding blanks and a fractional part (rounded half to even), because
// anything may have edited the file.
class SettingValue {
  public:
    // "Type mismatch" for a text that is no number; "Overflow" outside
    // -32768 to 32767.
    static int16_t ToInt16(std::string_view text);
    // The decimal text of a number, as the program stores it.
    static std::string FromInt16(int16_t value);
};

}  // namespace metrivo

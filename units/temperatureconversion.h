#pragma once

#include <string>
#include <string_view>

#include "unitdefinition.h"

namespace metrivo {

// Converts temperatures through kelvin. Between the two halves the kelvin
// value is held as its 15-digit number text, so the second half and the
// below-zero test see it rounded to 15 significant digits.
class TemperatureConversion {
  public:
    static constexpr std::string_view kBelowAbsoluteZero = "Below Absolute Zero";

    // Converts `amount`, a value its own 15-digit text reads back as
    // (NumberText::Round15), from one scale to another. A scale without
    // formulas is kelvin: its value passes unchanged. Returns the 15-digit
    // result text or "Below Absolute Zero"; throws RunTimeError "Overflow"
    // when a value leaves the 64-bit range or its 15-digit text does not
    // read back.
    static std::string TempConvert(double amount, const TemperatureScale& from,
                                   const TemperatureScale& to, std::string_view separator);
};

}  // namespace metrivo

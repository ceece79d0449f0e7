#pragma once

#include <string>
#include <string_view>

namespace metrivo {

// Converts temperatures through kelvin. The kelvin value is held as 15-digit
// number text between the two halves, so the second half sees it rounded to
// 15 significant digits.
class TemperatureConversion {
  public:
    static constexpr std::string_view kBelowAbsoluteZero = "Below Absolute Zero";

    // FromVal holds the amount as 15-digit number text; it is overwritten with
    // the kelvin text and then with the result. Scales other than Celsius,
    // Fahrenheit, Rankine and Reaumur count as kelvin. Returns the result text
    // or "Below Absolute Zero".
    static std::string TempConvert(std::string& FromVal, std::string_view from_unit,
                                   std::string_view to_unit, std::string_view separator);

    // TempConvert of the 15-digit text of `amount`, with the same result and
    // the same failures, but without writing and reading back the texts that
    // nothing else sees: each text's value is taken by NumberText::Round15.
    static std::string FromAmount(double amount, std::string_view from_unit,
                                  std::string_view to_unit, std::string_view separator);
};

}  // namespace metrivo

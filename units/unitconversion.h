#pragma once

#include <string>
#include <string_view>

#include "unitcatalogue.h"
#include "unitrecord.h"

namespace metrivo {

// One conversion from texts to a result text, apart from any window: the unit
// search, the temperature or linear branch and the trimming of "Start
// Converting". The window's labelled steps call the same step functions below,
// so the two give the same texts and fail on the same inputs. Convert reports
// a failure as a value; the step functions throw RunTimeError as a guarded
// step expects.
class UnitConversion {
  public:
    enum class Failure {
        kNone,
        kUnitNotFound,      // no row of the category has the name (see sourceRow, targetRow)
        kAmountOutOfRange,  // the amount lies beyond what the conversion can read
        kResultOutOfRange,  // the result lies beyond its type's range
    };

    struct Outcome {
        Failure failure = Failure::kNone;
        // The result text, trimmed; empty after a failure. A temperature below
        // absolute zero gives the text "Below Absolute Zero" and no failure.
        std::string text;
        // Rows found for the two names; UpperBound() + 1 when a name has none.
        int sourceRow = 0;
        int targetRow = 0;
        bool temperature = false;  // the source row is a temperature scale
    };

    // Converts `amount` (read as the amount box reads it) from the unit named
    // `from` to the one named `to`, both exact catalogue names of `category`.
    static Outcome Convert(const UnitCatalogue& catalogue, int category, std::string_view amount,
                           std::string_view from, std::string_view to, std::string_view separator);
    static void Convert(const UnitCatalogue& catalogue, int category, std::string_view amount,
                        std::string_view from, std::string_view to, std::string_view separator,
                        Outcome& outcome);

    // Limits named by the failures: the largest amount a linear conversion
    // reads, the largest amount a temperature conversion reads (its 15-digit
    // text must read back), the largest linear result.
    static constexpr std::string_view kLargestAmountText = "1.7976931348623157E+308";
    static constexpr std::string_view kLargestTemperatureAmountText = "1.79769313486231E+308";
    static constexpr std::string_view kLargestLinearResultText = "3.4028234663852886E+38";
    static constexpr std::string_view kLargestTemperatureResultText = "1.79769313486231E+308";

    // --- the steps ---------------------------------------------------------
    // Unit search (108 to 118): the first row, upwards from row 0, named
    // exactly `name` in `category`; UpperBound() + 1 when there is none.
    static int FindRow(const UnitCatalogue& catalogue, int category, std::string_view name);
    // The temperature test (120).
    static bool IsTemperature(const UnitRecord& source) {
        return source.category == UnitCatalogue::kTemperature;
    }
    // Temperature branch (122) for an amount already read: TempConvert of its
    // 15-digit text (TemperatureConversion::FromAmount).
    static std::string TemperatureText(double amount, std::string_view from, std::string_view to,
                                       std::string_view separator);
    // Linear branch (124) for an amount already read.
    static std::string LinearText(double amount, float fromFactor, float toFactor,
                                  std::string_view separator);
    // Trimming (126): leading and trailing spaces (code 32 only) removed.
    static void TrimSpaces(std::string& text);

  private:
    static bool TemperatureAmountReadsBack(double amount);
};

}  // namespace metrivo

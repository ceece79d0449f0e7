#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "runtimeerror.h"
#include "unitcatalogue.h"

namespace metrivo {

// One press of "Start Converting", worked out apart from any window: the unit
// search, the temperature or linear branch and the trimming, with every
// failure it reports. The window applies the outcome; metrivo-convert prints
// it.
class UnitConversion {
  public:
    // What the press reads: the selected category, the three texts and the
    // two lists' indexes (-1 when a list has no selection). A caller that has
    // found the two units' rows itself (metrivo-convert) passes them, and
    // the search by the texts is left out.
    struct Press {
        int selUnitType = 0;
        std::string_view amount;
        std::string_view from;
        std::string_view to;
        int16_t fromIndex = 0;
        int16_t toIndex = 0;
        int fromRow = -1;
        int toRow = -1;
    };

    // One failed step: the run-time error, the step's line label, and the
    // label the press goes on at after the report.
    struct Report {
        RunTimeError::Number error;
        int label;
        int resumeAt;
    };

    // Labels of the steps that report.
    static constexpr int kSourceTestLabel = 120;
    static constexpr int kTemperatureLabel = 122;
    static constexpr int kLinearLabel = 124;
    static constexpr int kShowLabel = 128;
    static constexpr int kRecordFromLabel = 132;
    static constexpr int kRecordToLabel = 134;
    static constexpr int kEnd = -1;

    enum class Failure {
        kNone,
        kUnitNotFound,      // no row of the category has the name (see sourceRow, targetRow)
        kAmountOutOfRange,  // the amount lies beyond what the conversion can read
        kResultOutOfRange,  // the result lies beyond its type's range
    };

    struct Outcome {
        // The Results text after the press: trimmed, empty after a failed
        // conversion; "Below Absolute Zero" is a result, not a failure.
        std::string text;
        // In the order they are shown: those labelled before kShowLabel come
        // before the Results text changes, the others after.
        std::vector<Report> reports;
        Failure failure = Failure::kNone;
        // Rows found for the two names; UpperBound() + 1 when a name has none.
        int sourceRow = 0;
        int targetRow = 0;
        bool temperature = false;  // the source row is a temperature scale
        bool amountWhole = false;  // the amount was read to its end
        // The list indexes recorded as the category's last conversion; not
        // recorded for a category outside 0 to 5.
        bool recorded = false;
        int16_t lastFrom = 0;
        int16_t lastTo = 0;
    };

    static Outcome Convert(const UnitCatalogue& catalogue, const Press& press,
                           std::string_view separator);
    // The same into an outcome whose storage is used again.
    static void Convert(const UnitCatalogue& catalogue, const Press& press,
                        std::string_view separator, Outcome& outcome);

    // Limits named by the failures: the largest linear result, and the
    // largest temperature amount or result (its 15-digit text must read
    // back).
    static constexpr std::string_view kLargestLinearResultText = "3.4028234663852886E+38";
    static constexpr std::string_view kLargestTemperatureText = "1.79769313486231E+308";

    // The first row, upwards from row 0, named exactly `name` in `category`;
    // UpperBound() + 1 when there is none.
    static int FindRow(const UnitCatalogue& catalogue, int category, std::string_view name);

  private:
    static void ConvertAmount(const UnitCatalogue& catalogue, const Press& press,
                              std::string_view separator, Outcome& outcome);
};

}  // namespace metrivo

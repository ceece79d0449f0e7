#include "unitconversion.h"

#include "linearconversion.h"
#include "numbertext.h"
#include "temperatureconversion.h"

namespace metrivo {
namespace {

// Leading and trailing spaces (code 32 only) removed.
void TrimSpaces(std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        text.clear();
        return;
    }
    text.erase(text.find_last_not_of(' ') + 1);
    text.erase(0, first);
}

bool ReadsBackAsFifteenDigits(double value) {
    try {
        (void)NumberText::Round15(value);
        return true;
    } catch (const RunTimeError&) {
        return false;
    }
}

}  // namespace

int UnitConversion::FindRow(const UnitCatalogue& catalogue, int category, std::string_view name) {
    const std::vector<UnitRecord>& rows = catalogue.rows();
    const int bound = catalogue.UpperBound();
    // No row below the category's first can match.
    int i = catalogue.FirstRowOf(category);
    while (i <= bound) {
        const UnitRecord& row = rows[static_cast<std::size_t>(i)];
        if (row.category == category && row.name == name) break;
        ++i;
    }
    return i;
}

UnitConversion::Outcome UnitConversion::Convert(const UnitCatalogue& catalogue, const Press& press,
                                                std::string_view separator) {
    Outcome outcome;
    Convert(catalogue, press, separator, outcome);
    return outcome;
}

void UnitConversion::Convert(const UnitCatalogue& catalogue, const Press& press,
                             std::string_view separator, Outcome& outcome) {
    outcome.text.clear();
    outcome.reports.clear();
    outcome.failure = Failure::kNone;
    outcome.temperature = false;
    outcome.amountWhole = false;
    // The target is searched first, then the source.
    outcome.targetRow =
        press.toRow >= 0 ? press.toRow : FindRow(catalogue, press.selUnitType, press.to);
    outcome.sourceRow =
        press.fromRow >= 0 ? press.fromRow : FindRow(catalogue, press.selUnitType, press.from);
    const int bound = catalogue.UpperBound();
    if (outcome.targetRow > bound || outcome.sourceRow > bound) {
        outcome.failure = Failure::kUnitNotFound;
    }
    ConvertAmount(catalogue, press, separator, outcome);
    TrimSpaces(outcome.text);
    // The list indexes are recorded for the category; beyond the six there
    // is no entry to record them in.
    outcome.recorded = press.selUnitType >= 0 && press.selUnitType < UnitCatalogue::kCategoryCount;
    if (outcome.recorded) {
        outcome.lastFrom = press.fromIndex;
        outcome.lastTo = press.toIndex;
    } else {
        outcome.reports.push_back(
            {RunTimeError::kSubscriptOutOfRange, kRecordFromLabel, kRecordToLabel});
        outcome.reports.push_back({RunTimeError::kSubscriptOutOfRange, kRecordToLabel, kEnd});
    }
}

void UnitConversion::ConvertAmount(const UnitCatalogue& catalogue, const Press& press,
                                   std::string_view separator, Outcome& outcome) {
    const int bound = catalogue.UpperBound();
    const std::vector<UnitRecord>& rows = catalogue.rows();
    const bool sourceFound = outcome.sourceRow <= bound;
    const bool targetFound = outcome.targetRow <= bound;
    // The temperature test reads the source row; without one it fails, and
    // the press goes on with the temperature branch.
    if (sourceFound) {
        outcome.temperature =
            rows[static_cast<std::size_t>(outcome.sourceRow)].category == UnitTable::kTemperature;
    } else {
        outcome.reports.push_back(
            {RunTimeError::kSubscriptOutOfRange, kSourceTestLabel, kTemperatureLabel});
    }
    const bool temperature = outcome.temperature || !sourceFound;
    const int label = temperature ? kTemperatureLabel : kLinearLabel;
    // Each branch reads the amount, then the two rows, then converts; the
    // first failure ends the branch with the Results text empty.
    try {
        NumberText::Reading reading;
        const double amount = NumberText::ReadAmount(press.amount, separator, &reading);
        outcome.amountWhole = reading.whole;
        if (!sourceFound || !targetFound) {
            outcome.reports.push_back({RunTimeError::kSubscriptOutOfRange, label, kShowLabel});
            return;
        }
        const UnitRecord& source = rows[static_cast<std::size_t>(outcome.sourceRow)];
        const UnitRecord& target = rows[static_cast<std::size_t>(outcome.targetRow)];
        try {
            outcome.text = temperature
                               ? TemperatureConversion::TempConvert(amount, source.scale,
                                                                    target.scale, separator)
                               : NumberText::Write7(
                                     LinearConversion::Result(amount, source.factor, target.factor),
                                     separator);
        } catch (const RunTimeError& error) {
            // A temperature amount is held as its 15-digit text, which must
            // read back; past that the amount is what is out of range.
            outcome.failure = temperature && !ReadsBackAsFifteenDigits(amount)
                                  ? Failure::kAmountOutOfRange
                                  : Failure::kResultOutOfRange;
            outcome.reports.push_back(
                {static_cast<RunTimeError::Number>(error.number()), label, kShowLabel});
        }
    } catch (const RunTimeError& error) {
        if (outcome.failure == Failure::kNone) outcome.failure = Failure::kAmountOutOfRange;
        outcome.reports.push_back(
            {static_cast<RunTimeError::Number>(error.number()), label, kShowLabel});
    }
}

}  // namespace metrivo

#include "unitconversion.h"

#include "linearconversion.h"
#include "numbertext.h"
#include "runtimeerror.h"
#include "temperatureconversion.h"

namespace metrivo {

int UnitConversion::FindRow(const UnitCatalogue& catalogue, int category, std::string_view name) {
    const std::vector<UnitRecord>& rows = catalogue.rows();
    const int bound = catalogue.UpperBound();
    // No row below the category's first can match.
    int i = catalogue.FirstRowOf(category);
    while (i <= bound) {
        const UnitRecord& row = rows[static_cast<std::size_t>(i)];
        // A caller that passes the row's own name is answered without
        // comparing the letters.
        if (row.category == category &&
            ((row.name.data() == name.data() && row.name.size() == name.size()) ||
             row.name == name)) {
            break;
        }
        ++i;
    }
    return i;
}

std::string UnitConversion::TemperatureText(double amount, std::string_view from,
                                            std::string_view to, std::string_view separator) {
    return TemperatureConversion::FromAmount(amount, from, to, separator);
}

std::string UnitConversion::LinearText(double amount, float fromFactor, float toFactor,
                                       std::string_view separator) {
    return NumberText::Write7(LinearConversion::Result(amount, fromFactor, toFactor), separator);
}

void UnitConversion::TrimSpaces(std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        text.clear();
        return;
    }
    text.erase(text.find_last_not_of(' ') + 1);
    text.erase(0, first);
}

bool UnitConversion::TemperatureAmountReadsBack(double amount) {
    try {
        (void)NumberText::ReadNumber(NumberText::Write15(amount, "."), ".");
        return true;
    } catch (const RunTimeError&) {
        return false;
    }
}

UnitConversion::Outcome UnitConversion::Convert(const UnitCatalogue& catalogue, int category,
                                                std::string_view amount, std::string_view from,
                                                std::string_view to, std::string_view separator) {
    Outcome outcome;
    Convert(catalogue, category, amount, from, to, separator, outcome);
    return outcome;
}

void UnitConversion::Convert(const UnitCatalogue& catalogue, int category, std::string_view amount,
                             std::string_view from, std::string_view to, std::string_view separator,
                             Outcome& outcome) {
    outcome.failure = Failure::kNone;
    outcome.text.clear();
    outcome.temperature = false;
    outcome.targetRow = FindRow(catalogue, category, to);
    outcome.sourceRow = FindRow(catalogue, category, from);
    const int bound = catalogue.UpperBound();
    if (outcome.targetRow > bound || outcome.sourceRow > bound) {
        outcome.failure = Failure::kUnitNotFound;
        return;
    }
    const UnitRecord& source = catalogue.Row(outcome.sourceRow);
    const UnitRecord& target = catalogue.Row(outcome.targetRow);
    outcome.temperature = IsTemperature(source);
    double value = 0.0;
    try {
        value = NumberText::ReadAmount(amount);
    } catch (const RunTimeError& error) {
        if (error.number() != RunTimeError::kOverflow) throw;
        outcome.failure = Failure::kAmountOutOfRange;
        return;
    }
    try {
        outcome.text = outcome.temperature
                           ? TemperatureText(value, source.name, target.name, separator)
                           : LinearText(value, source.factor, target.factor, separator);
    } catch (const RunTimeError& error) {
        if (error.number() != RunTimeError::kOverflow) throw;
        // A temperature amount is held as its 15-digit text, which must read
        // back; past that the amount is what is out of range.
        outcome.failure = outcome.temperature && !TemperatureAmountReadsBack(value)
                              ? Failure::kAmountOutOfRange
                              : Failure::kResultOutOfRange;
        outcome.text.clear();
        return;
    }
    TrimSpaces(outcome.text);
}

}  // namespace metrivo

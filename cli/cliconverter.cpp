#include "cliconverter.h"

#include <algorithm>

#include "quotedtext.h"
#include "temperatureconversion.h"

namespace metrivo {
namespace {

using Kind = UnitNames::Match::Kind;

std::string CategoryUnit(int category) {
    return std::string(UnitCatalogue::CategoryName(category)) + " unit";
}

}  // namespace

CliConverter::CliConverter(const UnitCatalogue& catalogue, std::string separator)
    : catalogue_(catalogue), names_(catalogue), separator_(std::move(separator)) {}

bool CliConverter::Fail(std::string message) {
    message_ = std::move(message);
    return false;
}

std::string CliConverter::Names(const std::vector<int>& rows, std::string_view last) const {
    std::string out;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i > 0) out += i + 1 == rows.size() ? std::string(last) : std::string(", ");
        out += QuotedText::Of(catalogue_.Row(rows[i]).name);
    }
    return out;
}

std::string CliConverter::NameProblem(int category, std::string_view typed,
                                      const UnitNames::Match& match) const {
    const std::string where = category >= 0 ? CategoryUnit(category) : std::string("unit");
    if (match.kind == Kind::kAmbiguous) {
        return "ambiguous " + where + " " + QuotedText::Of(typed) + ": could be " +
               Names(match.candidates, " or ");
    }
    std::string message = "unknown " + where + " " + QuotedText::Of(typed);
    const std::vector<int> nearest = names_.Nearest(category, typed);
    if (!nearest.empty()) return message + "; did you mean " + Names(nearest, " or ") + "?";
    message += " (see metrivo-convert --list";
    if (category >= 0) {
        message += ' ';
        message += UnitCatalogue::CategoryName(category);
    }
    message += ')';
    return message;
}

bool CliConverter::Locate(std::optional<int> category, std::string_view from, std::string_view to,
                          int& found, int& fromRow, int& toRow) {
    if (category) {
        const UnitNames::Match f = names_.Resolve(*category, from);
        if (f.kind != Kind::kFound) return Fail(NameProblem(*category, from, f));
        const UnitNames::Match t = names_.Resolve(*category, to);
        if (t.kind != Kind::kFound) return Fail(NameProblem(*category, to, t));
        found = *category;
        fromRow = f.row;
        toRow = t.row;
        return true;
    }
    // The category where both names are found by the earliest steps; the
    // lowest-numbered one among equals.
    int bestStep = 99;
    found = -1;
    struct Seen {
        // The category where the name is found by the earliest step.
        int first = -1;
        int firstStep = 99;
        // An ambiguous prefix, preferably in a category where the other
        // name is found.
        int ambiguous = -1;
        bool besideOther = false;
        UnitNames::Match ambiguity;
        void Note(int c, const UnitNames::Match& match, const UnitNames::Match& other) {
            if (match.kind == Kind::kFound && static_cast<int>(match.step) < firstStep) {
                first = c;
                firstStep = static_cast<int>(match.step);
            }
            if (match.kind != Kind::kAmbiguous) return;
            const bool beside = other.kind == Kind::kFound;
            if (ambiguous < 0 || (beside && !besideOther)) {
                ambiguous = c;
                besideOther = beside;
                ambiguity = match;
            }
        }
    } seenFrom, seenTo;
    for (int c = 0; c < UnitCatalogue::kCategoryCount; ++c) {
        const UnitNames::Match f = names_.Resolve(c, from);
        const UnitNames::Match t = names_.Resolve(c, to);
        seenFrom.Note(c, f, t);
        seenTo.Note(c, t, f);
        if (f.kind != Kind::kFound || t.kind != Kind::kFound) continue;
        const int step = std::max(static_cast<int>(f.step), static_cast<int>(t.step));
        if (step < bestStep) {
            bestStep = step;
            found = c;
            fromRow = f.row;
            toRow = t.row;
        }
    }
    if (found >= 0) return true;
    // An ambiguous prefix beside the other name explains the failure, unless
    // the name is known better elsewhere ("m" is the meter, whatever it starts).
    constexpr int kPrefix = static_cast<int>(UnitNames::Step::kPrefix);
    if (seenFrom.besideOther && seenFrom.firstStep >= kPrefix) {
        return Fail(NameProblem(seenFrom.ambiguous, from, seenFrom.ambiguity));
    }
    if (seenTo.besideOther && seenTo.firstStep >= kPrefix) {
        return Fail(NameProblem(seenTo.ambiguous, to, seenTo.ambiguity));
    }
    if (seenFrom.first < 0) {
        if (seenFrom.ambiguous >= 0) {
            return Fail(NameProblem(seenFrom.ambiguous, from, seenFrom.ambiguity));
        }
        return Fail(NameProblem(seenTo.first, from, UnitNames::Match{}));
    }
    if (seenTo.first < 0) {
        if (seenTo.ambiguous >= 0) return Fail(NameProblem(seenTo.ambiguous, to, seenTo.ambiguity));
        return Fail(NameProblem(seenFrom.first, to, UnitNames::Match{}));
    }
    return Fail("no category has both " + QuotedText::Of(from) + " (" +
                std::string(UnitCatalogue::CategoryName(seenFrom.first)) + ") and " +
                QuotedText::Of(to) + " (" + std::string(UnitCatalogue::CategoryName(seenTo.first)) +
                ")");
}

bool CliConverter::Convert(std::optional<int> category, std::string_view amount,
                           std::string_view from, std::string_view to) {
    message_.clear();
    outcome_.text.clear();
    int found = 0;
    int fromRow = 0;
    int toRow = 0;
    if (!Locate(category, from, to, found, fromRow, toRow)) return false;
    const UnitRecord& source = catalogue_.Row(fromRow);
    const UnitRecord& target = catalogue_.Row(toRow);
    UnitConversion::Convert(catalogue_, found, amount, source.name, target.name, separator_,
                            outcome_);
    using Failure = UnitConversion::Failure;
    switch (outcome_.failure) {
        case Failure::kNone:
            if (outcome_.temperature &&
                outcome_.text == TemperatureConversion::kBelowAbsoluteZero) {
                return Fail(QuotedText::Of(amount) + " " + source.name + " is below absolute zero");
            }
            return true;
        case Failure::kAmountOutOfRange:
            return Fail("amount out of range: " + QuotedText::Of(amount) + " is beyond ±" +
                        std::string(outcome_.temperature
                                        ? UnitConversion::kLargestTemperatureAmountText
                                        : UnitConversion::kLargestAmountText));
        case Failure::kResultOutOfRange:
            return Fail("result out of range: " + QuotedText::Of(amount) + " " + source.name +
                        " in " + target.name + " is beyond ±" +
                        std::string(outcome_.temperature
                                        ? UnitConversion::kLargestTemperatureResultText
                                        : UnitConversion::kLargestLinearResultText));
        case Failure::kUnitNotFound:
            break;
    }
    return Fail("unknown " + CategoryUnit(found) + " " + QuotedText::Of(source.name));
}

}  // namespace metrivo

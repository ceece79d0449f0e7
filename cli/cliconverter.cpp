#include "cliconverter.h"

#include <algorithm>

#include "numbertext.h"
#include "quotedtext.h"
#include "temperatureconversion.h"

namespace metrivo {
namespace {

using Kind = UnitLookup::Match::Kind;
using Step = UnitLookup::Step;

std::string CategoryUnit(int category) {
    return std::string(UnitTable::CategoryName(category)) + " unit";
}

// What one typed name matched, over all categories.
struct Seen {
    // The category where the name is found by the earliest step.
    int first = -1;
    int firstStep = 99;
    // A category where the name is an ambiguous start, preferably one where
    // the other name is found.
    int ambiguous = -1;
    bool besideOther = false;

    void Note(int c, const UnitLookup::Match& match, const UnitLookup::Match& other) {
        if (match.kind == Kind::kFound && static_cast<int>(match.step) < firstStep) {
            first = c;
            firstStep = static_cast<int>(match.step);
        }
        if (match.kind != Kind::kAmbiguous) return;
        const bool beside = other.kind == Kind::kFound;
        if (ambiguous < 0 || (beside && !besideOther)) {
            ambiguous = c;
            besideOther = beside;
        }
    }
};

}  // namespace

CliConverter::CliConverter(const UnitCatalogue& catalogue, std::string separator)
    : catalogue_(catalogue), separator_(std::move(separator)) {}

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
                                      const UnitLookup::Match& match) const {
    const std::string where = category >= 0 ? CategoryUnit(category) : std::string("unit");
    if (match.kind == Kind::kAmbiguous) {
        return "ambiguous " + where + " " + QuotedText::Of(typed) + ": could be " +
               Names(match.candidates, " or ");
    }
    std::string message = "unknown " + where + " " + QuotedText::Of(typed);
    const std::vector<int> nearest = lookup_.Nearest(category, typed);
    if (!nearest.empty()) return message + "; did you mean " + Names(nearest, " or ") + "?";
    message += " (see metrivo-convert --list";
    if (category >= 0) {
        message += ' ';
        message += UnitTable::CategoryName(category);
    }
    message += ')';
    return message;
}

bool CliConverter::Locate(std::optional<int> category, std::string_view from, std::string_view to,
                          int& found, int& fromRow, int& toRow) {
    if (category) {
        const UnitLookup::Match f = lookup_.Resolve(*category, from);
        if (f.kind != Kind::kFound) return Fail(NameProblem(*category, from, f));
        const UnitLookup::Match t = lookup_.Resolve(*category, to);
        if (t.kind != Kind::kFound) return Fail(NameProblem(*category, to, t));
        found = *category;
        fromRow = f.row;
        toRow = t.row;
        return true;
    }
    // The category where both names are found by the earliest steps; the
    // lowest-numbered one among equals.
    lookup_.ResolveAll(from, fromMatches_);
    lookup_.ResolveAll(to, toMatches_);
    int bestStep = 99;
    found = -1;
    Seen seenFrom;
    Seen seenTo;
    for (int c = 0; c < UnitTable::kCategoryCount; ++c) {
        const UnitLookup::Match& f = fromMatches_[static_cast<std::size_t>(c)];
        const UnitLookup::Match& t = toMatches_[static_cast<std::size_t>(c)];
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
    auto match = [this](const Seen& seen, bool isFrom) -> const UnitLookup::Match& {
        return (isFrom ? fromMatches_ : toMatches_)[static_cast<std::size_t>(seen.ambiguous)];
    };
    // An ambiguous start beside the other name explains the failure, unless
    // the name is known better elsewhere ("m" is the meter, whatever it starts).
    constexpr int kPrefix = static_cast<int>(Step::kPrefix);
    if (seenFrom.besideOther && seenFrom.firstStep >= kPrefix) {
        return Fail(NameProblem(seenFrom.ambiguous, from, match(seenFrom, true)));
    }
    if (seenTo.besideOther && seenTo.firstStep >= kPrefix) {
        return Fail(NameProblem(seenTo.ambiguous, to, match(seenTo, false)));
    }
    if (seenFrom.first < 0) {
        if (seenFrom.ambiguous >= 0) {
            return Fail(NameProblem(seenFrom.ambiguous, from, match(seenFrom, true)));
        }
        return Fail(NameProblem(seenTo.first, from, UnitLookup::Match{}));
    }
    if (seenTo.first < 0) {
        if (seenTo.ambiguous >= 0) {
            return Fail(NameProblem(seenTo.ambiguous, to, match(seenTo, false)));
        }
        return Fail(NameProblem(seenFrom.first, to, UnitLookup::Match{}));
    }
    return Fail("no category has both " + QuotedText::Of(from) + " (" +
                std::string(UnitTable::CategoryName(seenFrom.first)) + ") and " +
                QuotedText::Of(to) + " (" + std::string(UnitTable::CategoryName(seenTo.first)) +
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
    const UnitConversion::Press press{.selUnitType = found,
                                      .amount = amount,
                                      .from = catalogue_.Row(fromRow).name,
                                      .to = catalogue_.Row(toRow).name,
                                      .fromRow = fromRow,
                                      .toRow = toRow};
    UnitConversion::Convert(catalogue_, press, separator_, outcome_);
    if (outcome_.failure != UnitConversion::Failure::kNone) return Fail(OutcomeProblem(amount));
    // The window reads what it can of an amount; a script must not get a
    // result for an amount of which a part was dropped.
    if (!outcome_.amountWhole) {
        outcome_.text.clear();
        std::string message = "amount " + QuotedText::Of(amount) + " is not a number";
        if (separator_ != "," && amount.find(',') != std::string_view::npos) {
            message += " (the decimal separator is " + QuotedText::Of(separator_) + ")";
        }
        return Fail(std::move(message));
    }
    if (outcome_.text == TemperatureConversion::kBelowAbsoluteZero) {
        return Fail(QuotedText::Of(amount) + " " + catalogue_.Row(fromRow).name +
                    " is below absolute zero");
    }
    return true;
}

std::string CliConverter::OutcomeProblem(std::string_view amount) const {
    // Temperatures are held as 15-digit text, which reads back only below
    // the largest 15-digit number.
    auto limit = [this](std::string_view largest) {
        if (!outcome_.temperature) return "±" + std::string(largest);
        return "±" + std::string(UnitConversion::kLargestTemperatureText) +
               " (temperatures are held to 15 digits)";
    };
    using Failure = UnitConversion::Failure;
    switch (outcome_.failure) {
        case Failure::kAmountOutOfRange: {
            const std::string_view largest = NumberText::LargestAmountText(amount);
            return "amount out of range: " + QuotedText::Of(amount) + " is beyond " +
                   (largest.starts_with('&') ? std::string(largest) : limit(largest));
        }
        case Failure::kResultOutOfRange:
            return "result out of range: " + QuotedText::Of(amount) + " " +
                   catalogue_.Row(outcome_.sourceRow).name + " in " +
                   catalogue_.Row(outcome_.targetRow).name + " is beyond " +
                   limit(UnitConversion::kLargestLinearResultText);
        case Failure::kUnitNotFound:
        case Failure::kNone:
            break;
    }
    return "no unit of the list has that name";
}

}  // namespace metrivo

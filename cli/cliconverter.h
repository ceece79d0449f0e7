#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "unitcatalogue.h"
#include "unitconversion.h"
#include "unitlookup.h"

namespace metrivo {

// One conversion of metrivo-convert: finds the two units as people type them
// (in the category given, or the one that has both), reads the amount whole,
// converts as the window does and says in one line what is wrong when it
// cannot.
class CliConverter {
  public:
    CliConverter(const UnitCatalogue& catalogue, std::string separator);
    CliConverter(const CliConverter&) = delete;
    CliConverter& operator=(const CliConverter&) = delete;

    // True when the result is a number. Otherwise message() says why; text()
    // is then empty, or "Below Absolute Zero" for a temperature below it.
    bool Convert(std::optional<int> category, std::string_view amount, std::string_view from,
                 std::string_view to);

    const std::string& text() const { return outcome_.text; }
    const std::string& message() const { return message_; }
    const UnitLookup& lookup() const { return lookup_; }

  private:
    bool Fail(std::string message);
    // Finds the category and rows of the pair, or sets the message.
    bool Locate(std::optional<int> category, std::string_view from, std::string_view to, int& found,
                int& fromRow, int& toRow);
    std::string NameProblem(int category, std::string_view typed,
                            const UnitLookup::Match& match) const;
    std::string Names(const std::vector<int>& rows, std::string_view last) const;
    std::string OutcomeProblem(std::string_view amount) const;

    const UnitCatalogue& catalogue_;
    UnitLookup lookup_;
    std::string separator_;
    UnitLookup::Matches fromMatches_;
    UnitLookup::Matches toMatches_;
    UnitConversion::Outcome outcome_;
    std::string message_;
};

}  // namespace metrivo

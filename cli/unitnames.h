#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "unitcatalogue.h"

namespace metrivo {

// Unit names as people type them. A typed name is looked up in one category
// in four steps, and the first step that gives exactly one row wins:
//   1. the catalogue's name exactly;
//   2. the name in any letter case;
//   3. the symbol table (case-sensitive: "C" is Celsius, "c" the speed of light);
//   4. a unique prefix of a name, in any letter case.
// A catalogue name always means its own row: "lb, lbs" is one unit.
class UnitNames {
  public:
    struct Symbol {
        std::string_view text;
        int category;
        std::string_view name;  // the catalogue name it stands for
    };

    enum class Step { kExact = 0, kAnyCase = 1, kSymbol = 2, kPrefix = 3 };

    struct Match {
        enum class Kind { kFound, kAmbiguous, kUnknown } kind = Kind::kUnknown;
        int row = -1;                 // the row found
        Step step = Step::kExact;     // the step that found it
        std::vector<int> candidates;  // the rows an ambiguous prefix matches
    };

    explicit UnitNames(const UnitCatalogue& catalogue) : catalogue_(catalogue) {}

    Match Resolve(int category, std::string_view typed) const;

    // The symbols that stand for a row, in table order.
    std::vector<std::string_view> SymbolsOf(int row) const;

    // Up to `count` rows of `category` (every category when negative) whose
    // names or symbols are nearest to `typed` in letters, all equally near;
    // none for a text too unlike all of them or too long to compare.
    std::vector<int> Nearest(int category, std::string_view typed, std::size_t count = 3) const;

    static std::span<const Symbol> SymbolTable();

  private:
    const UnitCatalogue& catalogue_;
};

}  // namespace metrivo

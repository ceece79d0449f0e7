#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "unitdefinition.h"
#include "unittable.h"

namespace metrivo {

// Unit names as people type them, found in the unit table. A typed word
// names a unit of a category only if it names exactly one; the first step
// that gives exactly one row wins:
//   1. the list name exactly;
//   2. the list name or an alias in any letter case;
//   3. a symbol, in its own letter case ("C" is Celsius, "c" the speed of light);
//   4. the start of a list name or alias, at least three letters long.
// Before that, "μ" (Greek mu) reads as "µ", "℃" and "℉" as "°C" and "°F",
// and a power "²", "^2", "³" or "^3" as the digit. Every step is one lookup
// in a table built once, whatever the number of units. Not for use from
// several threads at once: it remembers the words it has answered.
class UnitLookup {
  public:
    enum class Step : uint8_t { kExact = 0, kAnyCase = 1, kSymbol = 2, kPrefix = 3 };

    struct Match {
        enum class Kind : uint8_t { kUnknown, kFound, kAmbiguous } kind = Kind::kUnknown;
        int row = -1;                 // the row found
        Step step = Step::kExact;     // the step that found it
        std::vector<int> candidates;  // the rows an ambiguous start names, in row order
    };
    using Matches = std::array<Match, UnitTable::kCategoryCount>;

    static constexpr std::size_t kShortestStart = 3;

    // Rows are the table's indexes.
    explicit UnitLookup(std::span<const UnitDefinition> table = UnitTable::Rows());

    Match Resolve(int category, std::string_view typed) const;
    // The match in every category at once.
    void ResolveAll(std::string_view typed, Matches& matches) const;

    // Up to `count` rows of `category` (every category when negative) whose
    // names, aliases or symbols are nearest to `typed` in letters, all
    // equally near; none for a text too unlike all of them or too long to
    // compare.
    std::vector<int> Nearest(int category, std::string_view typed, std::size_t count = 3) const;

    // `typed` with the spellings above made one.
    static std::string Normalized(std::string_view typed);

  private:
    struct Entry {
        int16_t row;
        int8_t category;
        Step step;
        // For the steps that keep letter case: the text to compare, as
        // normalized; empty for the others.
        std::string exact;
    };
    // FNV-1a: unit words are a few bytes long.
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const {
            uint64_t h = 14695981039346656037ull;
            for (const char c : s) h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
            return static_cast<std::size_t>(h);
        }
    };
    using Index = std::unordered_map<std::string, std::vector<Entry>, Hash, std::equal_to<>>;

    void Add(std::string_view text, int row, int category, Step step);
    void AddStarts(std::string_view text, int row, int category);
    // Every category's match for a text already normalized.
    void Search(std::string_view normalized, Matches& matches) const;
    static void Pick(const std::vector<Entry>* entries, std::string_view normalized,
                     std::size_t length, int category, Match& match);
    // The matches of `typed`, looked up once and then kept (up to
    // kRemembered words: memory stays bounded whatever is typed).
    const Matches& Remembered(std::string_view typed) const;
    static constexpr std::size_t kRemembered = 4096;

    std::span<const UnitDefinition> table_;
    Index index_;
    // The answers for the words typed so far: a batch names the same few
    // units again and again.
    mutable std::unordered_map<std::string, Matches, Hash, std::equal_to<>> remembered_;
    mutable Matches scratch_;
};

}  // namespace metrivo

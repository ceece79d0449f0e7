#include "unitlookup.h"

#include <algorithm>

namespace metrivo {
namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

void Fold(std::string& text) {
    for (char& c : text) c = Lower(c);
}

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

std::size_t CodePoints(std::string_view text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return !IsContinuationByte(c); }));
}

// Spellings that stand for the same character or characters.
struct Spelling {
    std::string_view typed;
    std::string_view read;
};
constexpr Spelling kSpellings[] = {
    {"\u03bc", "\u00b5"},   // Greek small mu: the micro sign
    {"\u2103", "\u00b0C"},  // degree Celsius sign
    {"\u2109", "\u00b0F"},  // degree Fahrenheit sign
    {"\u212a", "K"},        // Kelvin sign
    {"\u00b2", "2"},        // superscript two
    {"\u00b3", "3"},        // superscript three
    {"^2", "2"},           {"^3", "3"},
};

// Edit distance in letters of any case.
std::size_t Distance(std::string_view a, std::string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            const std::size_t cost = Lower(a[i - 1]) == Lower(b[j - 1]) ? 0 : 1;
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + cost});
            diagonal = above;
        }
    }
    return row[b.size()];
}

constexpr std::size_t kLongestCompared = 64;

}  // namespace

std::string UnitLookup::Normalized(std::string_view typed) {
    std::string out;
    out.reserve(typed.size());
    std::size_t i = 0;
    while (i < typed.size()) {
        const auto rest = typed.substr(i);
        const auto spelling =
            std::find_if(std::begin(kSpellings), std::end(kSpellings),
                         [&](const Spelling& s) { return rest.starts_with(s.typed); });
        if (spelling != std::end(kSpellings)) {
            out += spelling->read;
            i += spelling->typed.size();
        } else {
            out.push_back(typed[i++]);
        }
    }
    return out;
}

UnitLookup::UnitLookup(std::span<const UnitDefinition> table) : table_(table) {
    for (std::size_t i = 0; i < table.size(); ++i) {
        const UnitDefinition& unit = table[i];
        const int row = static_cast<int>(i);
        Add(unit.name, row, unit.category, Step::kExact);
        Add(unit.name, row, unit.category, Step::kAnyCase);
        AddStarts(unit.name, row, unit.category);
        UnitDefinition::ForEach(unit.aliases, [&](std::string_view alias) {
            Add(alias, row, unit.category, Step::kAnyCase);
            AddStarts(alias, row, unit.category);
        });
        UnitDefinition::ForEach(unit.symbols, [&](std::string_view symbol) {
            Add(symbol, row, unit.category, Step::kSymbol);
        });
    }
}

void UnitLookup::Add(std::string_view text, int row, int category, Step step) {
    std::string exact = Normalized(text);
    std::string key = exact;
    Fold(key);
    if (step == Step::kAnyCase || step == Step::kPrefix) exact.clear();
    std::vector<Entry>& entries = index_[key];
    const bool known = std::any_of(entries.begin(), entries.end(), [&](const Entry& e) {
        return e.row == row && e.step == step && e.exact == exact;
    });
    if (!known) {
        entries.push_back(Entry{static_cast<int16_t>(row), static_cast<int8_t>(category), step,
                                std::move(exact)});
    }
}

void UnitLookup::AddStarts(std::string_view text, int row, int category) {
    const std::string normalized = Normalized(text);
    std::size_t points = 0;
    for (std::size_t end = 1; end <= normalized.size(); ++end) {
        if (end < normalized.size() && IsContinuationByte(normalized[end])) continue;
        if (++points >= kShortestStart) {
            Add(std::string_view(normalized).substr(0, end), row, category, Step::kPrefix);
        }
    }
}

void UnitLookup::Pick(const std::vector<Entry>* entries, std::string_view normalized,
                      std::size_t length, int category, Match& match) {
    match.kind = Match::Kind::kUnknown;
    match.row = -1;
    match.candidates.clear();
    if (entries == nullptr) return;
    // The distinct rows a step finds; more than fit are ambiguous all the same.
    std::array<int16_t, 32> rows{};
    std::size_t count = 0;
    for (const Step step : {Step::kExact, Step::kAnyCase, Step::kSymbol, Step::kPrefix}) {
        if (step == Step::kPrefix && length < kShortestStart) return;
        count = 0;
        for (const Entry& e : *entries) {
            if (e.category != category || e.step != step) continue;
            if (!e.exact.empty() && e.exact != normalized) continue;
            if (std::find(rows.begin(), rows.begin() + static_cast<std::ptrdiff_t>(count), e.row) ==
                    rows.begin() + static_cast<std::ptrdiff_t>(count) &&
                count < rows.size()) {
                rows[count++] = e.row;
            }
        }
        if (count == 1) {
            match.kind = Match::Kind::kFound;
            match.row = rows[0];
            match.step = step;
            return;
        }
    }
    if (count > 0) {
        match.kind = Match::Kind::kAmbiguous;
        match.candidates.assign(rows.begin(), rows.begin() + static_cast<std::ptrdiff_t>(count));
        std::sort(match.candidates.begin(), match.candidates.end());
    }
}

void UnitLookup::Search(std::string_view normalized, Matches& matches) const {
    std::string key(normalized);
    Fold(key);
    const auto it = index_.find(std::string_view(key));
    const std::vector<Entry>* entries = it == index_.end() ? nullptr : &it->second;
    const std::size_t length = CodePoints(normalized);
    for (int c = 0; c < UnitTable::kCategoryCount; ++c) {
        Pick(entries, normalized, length, c, matches[static_cast<std::size_t>(c)]);
    }
}

const UnitLookup::Matches& UnitLookup::Remembered(std::string_view typed) const {
    if (const auto it = remembered_.find(typed); it != remembered_.end()) return it->second;
    if (remembered_.size() >= kRemembered) {
        Search(Normalized(typed), scratch_);
        return scratch_;
    }
    Matches matches;
    Search(Normalized(typed), matches);
    return remembered_.emplace(std::string(typed), std::move(matches)).first->second;
}

UnitLookup::Match UnitLookup::Resolve(int category, std::string_view typed) const {
    if (category < 0 || category >= UnitTable::kCategoryCount) return Match{};
    return Remembered(typed)[static_cast<std::size_t>(category)];
}

void UnitLookup::ResolveAll(std::string_view typed, Matches& matches) const {
    matches = Remembered(typed);
}

std::vector<int> UnitLookup::Nearest(int category, std::string_view typed,
                                     std::size_t count) const {
    if (typed.empty() || typed.size() > kLongestCompared) return {};
    // Close enough to be worth offering: at most about a third of the letters
    // wrong, and in a single letter only its case.
    const std::size_t limit = (typed.size() + 1) / 3;
    std::vector<std::pair<std::size_t, int>> scored;
    for (std::size_t i = 0; i < table_.size(); ++i) {
        const UnitDefinition& unit = table_[i];
        if (category >= 0 && unit.category != category) continue;
        std::size_t best = Distance(typed, unit.name);
        auto nearer = [&](std::string_view text) { best = std::min(best, Distance(typed, text)); };
        UnitDefinition::ForEach(unit.aliases, nearer);
        UnitDefinition::ForEach(unit.symbols, nearer);
        if (best <= limit) scored.emplace_back(best, static_cast<int>(i));
    }
    std::stable_sort(scored.begin(), scored.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<int> out;
    for (const auto& [distance, row] : scored) {
        // Only the nearest: a name one letter off is not offered beside one
        // that differs only by a letter's case.
        if (distance > scored.front().first) break;
        // The same name in two categories is offered once.
        const std::string_view name = table_[static_cast<std::size_t>(row)].name;
        const bool seen = std::any_of(out.begin(), out.end(), [&](int r) {
            return table_[static_cast<std::size_t>(r)].name == name;
        });
        if (!seen) out.push_back(row);
        if (out.size() == count) break;
    }
    return out;
}

}  // namespace metrivo

#include "unitnames.h"

#include <algorithm>

namespace metrivo {
namespace {

using C = UnitCatalogue::Category;

// The usual symbols and abbreviations. "oz" is the Weight ounce and "fl oz"
// the Volume one; "cwt" is the short (US) hundredweight, as in GNU units.
constexpr UnitNames::Symbol kSymbols[] = {
    // Length
    {"cm", C::kLength, "centimeter"},
    {"ft", C::kLength, "feet"},
    {"foot", C::kLength, "feet"},
    {"in", C::kLength, "inch"},
    {"km", C::kLength, "kilometer"},
    {"m", C::kLength, "meter"},
    {"µin", C::kLength, "microinch"},
    {"uin", C::kLength, "microinch"},
    {"mi", C::kLength, "mile"},
    {"mm", C::kLength, "millimeter"},
    {"yd", C::kLength, "yard"},
    // Temperature
    {"C", C::kTemperature, "degree Celsius"},
    {"°C", C::kTemperature, "degree Celsius"},
    {"degC", C::kTemperature, "degree Celsius"},
    {"Celsius", C::kTemperature, "degree Celsius"},
    {"celsius", C::kTemperature, "degree Celsius"},
    {"F", C::kTemperature, "degree Fahrenheit"},
    {"°F", C::kTemperature, "degree Fahrenheit"},
    {"degF", C::kTemperature, "degree Fahrenheit"},
    {"Fahrenheit", C::kTemperature, "degree Fahrenheit"},
    {"fahrenheit", C::kTemperature, "degree Fahrenheit"},
    {"R", C::kTemperature, "degree Rankine"},
    {"°R", C::kTemperature, "degree Rankine"},
    {"degR", C::kTemperature, "degree Rankine"},
    {"Rankine", C::kTemperature, "degree Rankine"},
    {"rankine", C::kTemperature, "degree Rankine"},
    {"Re", C::kTemperature, "degree Reaumur"},
    {"°Re", C::kTemperature, "degree Reaumur"},
    {"degRe", C::kTemperature, "degree Reaumur"},
    {"Reaumur", C::kTemperature, "degree Reaumur"},
    {"reaumur", C::kTemperature, "degree Reaumur"},
    {"Réaumur", C::kTemperature, "degree Reaumur"},
    {"K", C::kTemperature, "kelvin"},
    // Speed
    {"cm/s", C::kSpeed, "centimeter/second"},
    {"ft/s", C::kSpeed, "foot/second"},
    {"fps", C::kSpeed, "foot/second"},
    {"in/s", C::kSpeed, "inch/second"},
    {"km/h", C::kSpeed, "kilometer/hour"},
    {"kph", C::kSpeed, "kilometer/hour"},
    {"kmh", C::kSpeed, "kilometer/hour"},
    {"km/s", C::kSpeed, "kilometer/second"},
    {"kn", C::kSpeed, "knot"},
    {"kt", C::kSpeed, "knot"},
    {"m/s", C::kSpeed, "meter/second"},
    {"mph", C::kSpeed, "mile/hour (mph)"},
    {"mi/h", C::kSpeed, "mile/hour (mph)"},
    {"mi/s", C::kSpeed, "mile/second"},
    {"mm/s", C::kSpeed, "millimeter/second"},
    {"c", C::kSpeed, "speed of light [vacuum]"},
    // Volume
    {"fl oz", C::kVolume, "ounce"},
    {"floz", C::kVolume, "ounce"},
    {"pt", C::kVolume, "pint"},
    {"qt", C::kVolume, "quart"},
    {"gal", C::kVolume, "gallon"},
    {"cu in", C::kVolume, "cubic inch"},
    {"in3", C::kVolume, "cubic inch"},
    {"in³", C::kVolume, "cubic inch"},
    {"cu ft", C::kVolume, "cubic feet"},
    {"ft3", C::kVolume, "cubic feet"},
    {"ft³", C::kVolume, "cubic feet"},
    {"cu yd", C::kVolume, "cubic yard"},
    {"yd3", C::kVolume, "cubic yard"},
    {"yd³", C::kVolume, "cubic yard"},
    {"µl", C::kVolume, "microliter"},
    {"µL", C::kVolume, "microliter"},
    {"ul", C::kVolume, "microliter"},
    {"uL", C::kVolume, "microliter"},
    {"ml", C::kVolume, "mililiter (cc)"},
    {"mL", C::kVolume, "mililiter (cc)"},
    {"cc", C::kVolume, "mililiter (cc)"},
    {"dl", C::kVolume, "deciliter"},
    {"dL", C::kVolume, "deciliter"},
    {"l", C::kVolume, "liter"},
    {"L", C::kVolume, "liter"},
    {"m3", C::kVolume, "cubic meter"},
    {"m³", C::kVolume, "cubic meter"},
    // Weight
    {"cg", C::kWeight, "centigram"},
    {"dg", C::kWeight, "decigram"},
    {"dag", C::kWeight, "dekagram"},
    {"dr", C::kWeight, "dram"},
    {"gr", C::kWeight, "grain"},
    {"g", C::kWeight, "gram"},
    {"hg", C::kWeight, "hectogram"},
    {"cwt", C::kWeight, "hundredweight (short, US)"},
    {"kg", C::kWeight, "kilogram"},
    {"lb", C::kWeight, "lb, lbs"},
    {"lbs", C::kWeight, "lb, lbs"},
    {"t", C::kWeight, "megagram (metric ton) (tonne)"},
    {"tonne", C::kWeight, "megagram (metric ton) (tonne)"},
    {"µg", C::kWeight, "microgram"},
    {"ug", C::kWeight, "microgram"},
    {"mcg", C::kWeight, "microgram"},
    {"mg", C::kWeight, "milligram"},
    {"oz", C::kWeight, "ounce"},
    // Area
    {"sq in", C::kArea, "square inch"},
    {"in2", C::kArea, "square inch"},
    {"sq ft", C::kArea, "square foot"},
    {"ft2", C::kArea, "square foot"},
    {"sq yd", C::kArea, "square yard"},
    {"yd2", C::kArea, "square yard"},
    {"ac", C::kArea, "acre"},
    {"sq mi", C::kArea, "square mile"},
    {"mi2", C::kArea, "square mile"},
    {"mm2", C::kArea, "square millimeter"},
    {"cm2", C::kArea, "square centimeter"},
    {"m2", C::kArea, "square meter"},
    {"m²", C::kArea, "square meter"},
    {"ha", C::kArea, "hectare"},
    {"km2", C::kArea, "square kiloimeter"},
};

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualAnyCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) return false;
    }
    return true;
}

bool StartsAnyCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualAnyCase(text.substr(0, prefix.size()), prefix);
}

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

std::span<const UnitNames::Symbol> UnitNames::SymbolTable() {
    return kSymbols;
}

UnitNames::Match UnitNames::Resolve(int category, std::string_view typed) const {
    const std::vector<UnitRecord>& rows = catalogue_.rows();
    Match match;
    auto single = [&](Step step, auto&& accepts) {
        int found = -1;
        int count = 0;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (rows[i].category == category && accepts(rows[i].name)) {
                found = static_cast<int>(i);
                ++count;
            }
        }
        if (count != 1) return false;
        match.kind = Match::Kind::kFound;
        match.row = found;
        match.step = step;
        return true;
    };
    // The catalogue's own name: the first row, as the window's search finds it.
    for (auto i = static_cast<std::size_t>(catalogue_.FirstRowOf(category)); i < rows.size(); ++i) {
        if (rows[i].category == category && rows[i].name == typed) {
            match.kind = Match::Kind::kFound;
            match.row = static_cast<int>(i);
            match.step = Step::kExact;
            return match;
        }
    }
    if (single(Step::kAnyCase,
               [&](const std::string& name) { return EqualAnyCase(name, typed); })) {
        return match;
    }
    // Symbols: the table first, then the rows it names.
    std::string_view symbolName;
    int symbolRows = 0;
    for (const Symbol& s : kSymbols) {
        if (s.category == category && s.text == typed && s.name != symbolName) {
            symbolName = s.name;
            ++symbolRows;
        }
    }
    if (symbolRows == 1 &&
        single(Step::kSymbol, [&](const std::string& name) { return name == symbolName; })) {
        return match;
    }
    if (typed.empty()) return match;
    if (single(Step::kPrefix,
               [&](const std::string& name) { return StartsAnyCase(name, typed); })) {
        return match;
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].category == category && StartsAnyCase(rows[i].name, typed)) {
            match.candidates.push_back(static_cast<int>(i));
        }
    }
    if (!match.candidates.empty()) match.kind = Match::Kind::kAmbiguous;
    return match;
}

std::vector<std::string_view> UnitNames::SymbolsOf(int row) const {
    std::vector<std::string_view> out;
    if (row < 0 || row > catalogue_.UpperBound()) return out;
    const UnitRecord& record = catalogue_.Row(row);
    for (const Symbol& s : kSymbols) {
        if (s.category == record.category && s.name == record.name) out.push_back(s.text);
    }
    return out;
}

std::vector<int> UnitNames::Nearest(int category, std::string_view typed, std::size_t count) const {
    std::vector<std::pair<std::size_t, int>> scored;
    if (typed.empty() || typed.size() > kLongestCompared) return {};
    // Close enough to be worth offering: at most about a third of the letters wrong.
    const std::size_t limit = 1 + typed.size() / 3;
    const std::vector<UnitRecord>& rows = catalogue_.rows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (category >= 0 && rows[i].category != category) continue;
        std::size_t best = Distance(typed, rows[i].name);
        for (std::string_view symbol : SymbolsOf(static_cast<int>(i))) {
            best = std::min(best, Distance(typed, symbol));
        }
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
        const std::string& name = rows[static_cast<std::size_t>(row)].name;
        const bool seen = std::any_of(out.begin(), out.end(),
                                      [&](int r) { return catalogue_.Row(r).name == name; });
        if (!seen) out.push_back(row);
        if (out.size() == count) break;
    }
    return out;
}

}  // namespace metrivo

#pragma once

#include <cstdint>
#include <string_view>

namespace metrivo {

// A temperature scale as an explicit pair of formulas to and from kelvin.
// Kelvin itself has none: its value passes unchanged.
struct TemperatureScale {
    double (*toKelvin)(double) = nullptr;
    double (*fromKelvin)(double) = nullptr;

    constexpr bool HasFormulas() const { return toKelvin != nullptr; }
};

// How one unit is defined: one row of the unit table. A computed factor is
// numerator/denominator evaluated in 64-bit floating point when the catalogue
// is built (denominator 1 for a plain 64-bit constant); a stored one is the
// 32-bit float given directly. Symbols are matched in their own letter case,
// aliases in any; both lists are separated by "|".
struct UnitDefinition {
    int32_t category = 0;
    std::string_view name{};
    float storedFactor = 0.0f;
    bool computed = false;
    double numerator = 0.0;
    double denominator = 1.0;
    TemperatureScale scale{};
    std::string_view symbols{};
    std::string_view aliases{};

    static constexpr char kListSeparator = '|';

    constexpr UnitDefinition Symbols(std::string_view list) const {
        UnitDefinition copy = *this;
        copy.symbols = list;
        return copy;
    }
    constexpr UnitDefinition Aliases(std::string_view list) const {
        UnitDefinition copy = *this;
        copy.aliases = list;
        return copy;
    }

    // Calls `visit` with each entry of a "|"-separated list, in order.
    template <typename Visit>
    static constexpr void ForEach(std::string_view list, Visit&& visit) {
        while (!list.empty()) {
            const std::size_t end = list.find(kListSeparator);
            visit(list.substr(0, end));
            if (end == std::string_view::npos) break;
            list.remove_prefix(end + 1);
        }
    }
};

}  // namespace metrivo

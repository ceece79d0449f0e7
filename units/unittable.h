#pragma once

#include <span>
#include <string_view>

#include "unitdefinition.h"

namespace metrivo {

// The one table of everything the program knows about units: for each unit
// its category, list name, factor, temperature formulas, symbols and
// aliases, in list order. The catalogue, the name lookup, the temperature
// conversion and the manual page's unit table all come from it.
class UnitTable {
  public:
    enum Category : int16_t { kLength, kTemperature, kSpeed, kVolume, kWeight, kArea };
    static constexpr int kCategoryCount = 6;

    static std::span<const UnitDefinition> Rows();
    // "Length" to "Area"; empty outside 0 to 5.
    static std::string_view CategoryName(int category);
};

}  // namespace metrivo

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace metrivo {

// Category arguments: "0" to "5", a category name in any letter case
// ("weight", "AREA") or the start of one ("temp").
class CategoryLookup {
  public:
    static std::optional<int16_t> Parse(std::string_view text);

    // "0 to 5 or Length, Temperature, ...": what a category argument may be.
    static std::string ValidValues();
};

}  // namespace metrivo

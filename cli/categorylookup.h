#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "unitcatalogue.h"

namespace metrivo {

// Category arguments and where unit names stand in the category lists.
class CategoryLookup {
  public:
    // "0" to "5", or a category name in any letter case ("weight", "AREA").
    static std::optional<int16_t> Parse(std::string_view text);

    // The lowest-numbered category with a row named `from` and one named `to`.
    static std::optional<int16_t> Holding(const UnitCatalogue& catalogue, std::string_view from,
                                          std::string_view to);

    // The position of `name` in the unit list of `category` (the category's
    // rows in catalogue order); -1 when the category has no such unit.
    static int16_t ListIndex(const UnitCatalogue& catalogue, int category, std::string_view name);

    // "0 to 5 or Length, Temperature, ...": what a category argument may be.
    static std::string ValidValues();
};

}  // namespace metrivo

#pragma once

#include <cstdint>
#include <string>

#include "unitdefinition.h"

namespace metrivo {

// One unit of the catalogue: its category number, how many of the category's
// base unit make one of it (0 for temperature scales), its display name, and
// for a temperature scale its formulas to and from kelvin (none for kelvin).
struct UnitRecord {
    int32_t category = 0;
    float factor = 0.0f;
    std::string name;
    TemperatureScale scale{};
};

}  // namespace metrivo

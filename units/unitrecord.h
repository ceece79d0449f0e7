#pragma once

#include <cstdint>
#include <string>

namespace metrivo {

// One unit of the catalogue: its category number, how many of the category's
// base unit make one of it (0 for temperature scales), and its display name.
struct UnitRecord {
    int32_t category = 0;
    float factor = 0.0f;
    std::string name;
};

}  // namespace metrivo

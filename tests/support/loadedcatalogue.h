#pragma once

#include "unitcatalogue.h"

namespace metrivo::test {

// The program's catalogue, built once for the whole test program; nothing
// changes it.
inline const UnitCatalogue& LoadedCatalogue() {
    static const UnitCatalogue catalogue = UnitCatalogue::Loaded();
    return catalogue;
}

}  // namespace metrivo::test

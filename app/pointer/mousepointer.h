#pragma once

#include <cstdint>

namespace metrivo {

// The window's pointer setting, which applies over the window and all its
// controls. The codes are the ones the window has always used.
enum class MousePointer : int16_t {
    kDefault = 0,
    kHourglass = 11,
    kCustom = 99,
};

}  // namespace metrivo

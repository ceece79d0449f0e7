#pragma once

#include <array>
#include <cstdint>

namespace metrivo {

// One image of the application icon: `size` x `size` pixels, each a 32-bit
// premultiplied ARGB value, row by row. Premultiplied is the format of Qt's
// pixmaps: an image over these pixels becomes a pixmap without a conversion
// or a copy.
struct IconImage {
    int size;
    const std::uint32_t* premultipliedArgb;
};

// The application icon's images, 32, 48, 128 and 256 pixels square, built
// into the program from data/icons/hicolor so the window has its icon without
// decoding images at start-up.
extern const std::array<IconImage, 4> kApplicationIcon;

}  // namespace metrivo

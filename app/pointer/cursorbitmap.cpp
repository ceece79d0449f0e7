#include "cursorbitmap.h"

#include <cstdint>

namespace metrivo {
namespace {

uint32_t Little(const QByteArray& data, qsizetype at, int bytes) {
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = value << 8 | static_cast<uint8_t>(data[at + i]);
    return value;
}

qsizetype RowBytes(int width, int bits) {
    return (static_cast<qsizetype>(width) * bits + 31) / 32 * 4;
}

}  // namespace

QImage CursorBitmap::Decode(const QByteArray& dib) {
    if (dib.size() < 12) return {};
    const uint32_t headerSize = Little(dib, 0, 4);
    int width = 0;
    int height = 0;
    int bits = 0;
    qsizetype paletteEntries = 0;
    int paletteEntrySize = 4;
    if (headerSize == 12) {
        width = static_cast<int>(Little(dib, 4, 2));
        height = static_cast<int>(Little(dib, 6, 2));
        bits = static_cast<int>(Little(dib, 10, 2));
        paletteEntrySize = 3;
    } else {
        if (headerSize < 40 || headerSize > 1024 || dib.size() < 40) return {};
        width = static_cast<int32_t>(Little(dib, 4, 4));
        height = static_cast<int32_t>(Little(dib, 8, 4));
        bits = static_cast<int>(Little(dib, 14, 2));
        if (Little(dib, 16, 4) != 0) return {};  // compressed
        paletteEntries = Little(dib, 32, 4);
    }
    // The height counts the mask rows; a cursor is stored bottom-up.
    if (width <= 0 || width > kMaxSide || height <= 0 || height % 2 != 0 || height / 2 > kMaxSide) {
        return {};
    }
    height /= 2;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return {};
    if (bits <= 8) {
        const qsizetype full = qsizetype{1} << bits;
        if (paletteEntries == 0 || paletteEntries > full) paletteEntries = full;
    } else {
        paletteEntries = 0;
    }
    const qsizetype paletteAt = headerSize;
    const qsizetype colourAt = paletteAt + paletteEntries * paletteEntrySize;
    const qsizetype colourRow = RowBytes(width, bits);
    const qsizetype maskAt = colourAt + colourRow * height;
    const qsizetype maskRow = RowBytes(width, 1);
    if (maskAt + maskRow * height > dib.size()) return {};

    const auto colourOf = [&](qsizetype index) -> QRgb {
        if (index >= paletteEntries) return qRgb(0, 0, 0);
        const qsizetype at = paletteAt + index * paletteEntrySize;
        return qRgb(static_cast<uint8_t>(dib[at + 2]), static_cast<uint8_t>(dib[at + 1]),
                    static_cast<uint8_t>(dib[at]));
    };

    QImage image(width, height, QImage::Format_ARGB32);
    if (image.isNull()) return {};
    bool anyAlpha = false;
    for (int y = 0; y < height; ++y) {
        const qsizetype row = colourAt + colourRow * (height - 1 - y);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            switch (bits) {
                case 32: {
                    const qsizetype at = row + x * 4;
                    const auto alpha = static_cast<uint8_t>(dib[at + 3]);
                    anyAlpha = anyAlpha || alpha != 0;
                    out[x] =
                        qRgba(static_cast<uint8_t>(dib[at + 2]), static_cast<uint8_t>(dib[at + 1]),
                              static_cast<uint8_t>(dib[at]), alpha);
                    break;
                }
                case 24: {
                    const qsizetype at = row + x * 3;
                    out[x] = qRgb(static_cast<uint8_t>(dib[at + 2]),
                                  static_cast<uint8_t>(dib[at + 1]), static_cast<uint8_t>(dib[at]));
                    break;
                }
                default: {
                    const qsizetype bit = static_cast<qsizetype>(x) * bits;
                    const auto byte = static_cast<uint8_t>(dib[row + bit / 8]);
                    const int shift = 8 - bits - static_cast<int>(bit % 8);
                    out[x] = colourOf((byte >> shift) & ((1 << bits) - 1));
                    break;
                }
            }
        }
    }
    // Without an alpha channel of its own, the AND mask says what is
    // transparent: a set bit shows what lies behind.
    if (!anyAlpha) {
        for (int y = 0; y < height; ++y) {
            const qsizetype row = maskAt + maskRow * (height - 1 - y);
            auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < width; ++x) {
                const bool transparent =
                    (static_cast<uint8_t>(dib[row + x / 8]) >> (7 - x % 8)) & 1;
                out[x] = transparent ? qRgba(0, 0, 0, 0) : (out[x] | 0xff000000u);
            }
        }
    }
    return image;
}

}  // namespace metrivo

#pragma once

#include <QByteArray>
#include <QImage>

namespace metrivo {

// The image of a cursor stored as a Windows device-independent bitmap: a
// BITMAPINFOHEADER (or the older BITMAPCOREHEADER) whose height counts the
// colour image and the transparency mask below it, a palette for 1, 4 and 8
// bits a pixel, the colour rows bottom-up (1, 4, 8, 24 or 32 bits a pixel,
// uncompressed), then the one-bit AND mask. Decoded here rather than by
// Qt's image plugins, so that reading the pointer at start-up loads none.
class CursorBitmap {
  public:
    static constexpr int kMaxSide = 256;

    // The ARGB image, or a null image for anything that is no such bitmap or
    // whose data is cut short.
    static QImage Decode(const QByteArray& dib);
};

}  // namespace metrivo

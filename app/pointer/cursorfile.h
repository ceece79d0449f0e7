#pragma once

#include <QByteArray>
#include <QCursor>
#include <QPoint>
#include <QSize>
#include <cstdint>
#include <string>

namespace metrivo {

// A Windows cursor file (.CUR): Qt decodes the image, the hotspot comes from
// the file's own header. Anything that is not a usable cursor raises
// RunTimeError "Invalid picture".
class CursorFile {
  public:
    static constexpr qint64 kMaxFileSize = 1 << 20;

    // What the header says about the first image of the file.
    struct Header {
        uint16_t count = 0;   // images in the file
        QSize size;           // of the first image, 256 where the byte is 0
        QPoint hotspot;       // of the first image
        uint32_t offset = 0;  // where the first image's data begins
        uint32_t length = 0;  // and how many bytes it has
    };

    // Reads and checks the header and its directory: a cursor file (type 2)
    // with at least one image, every image's data inside the file, and the
    // first image, by its own header, no larger than its entry says (at most
    // 256 by 256 pixels).
    static Header ReadHeader(const QByteArray& file);

    // The pointer held by `file`'s first image.
    static QCursor Decode(const QByteArray& file);

    // The pointer in the regular file at `path`, of at most kMaxFileSize bytes.
    static QCursor Load(const std::string& path);
};

}  // namespace metrivo

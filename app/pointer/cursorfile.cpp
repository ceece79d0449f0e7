#include "cursorfile.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QPixmap>
#include <cstdint>

#include "cursorbitmap.h"
#include "fileprobe.h"
#include "runtimeerror.h"

namespace metrivo {
namespace {

constexpr qsizetype kDirectorySize = 6;
constexpr qsizetype kEntrySize = 16;
constexpr uint16_t kCursorType = 2;

[[noreturn]] void Invalid() {
    throw RunTimeError(RunTimeError::kInvalidPicture);
}

uint16_t Word(const QByteArray& data, qsizetype at) {
    return static_cast<uint16_t>(static_cast<uint8_t>(data[at]) | static_cast<uint8_t>(data[at + 1])
                                                                      << 8);
}

uint32_t DoubleWord(const QByteArray& data, qsizetype at) {
    return static_cast<uint32_t>(Word(data, at)) | static_cast<uint32_t>(Word(data, at + 2)) << 16;
}

uint32_t BigEndianDoubleWord(const QByteArray& data, qsizetype at) {
    uint32_t value = 0;
    for (qsizetype i = 0; i < 4; ++i) value = value << 8 | static_cast<uint8_t>(data[at + i]);
    return value;
}

// The size the image data at `offset` gives itself, read from its header
// before anything is decoded: a PNG's IHDR chunk, or a bitmap's info header,
// whose height counts the AND mask below the image too.
QSize StoredSize(const QByteArray& file, uint32_t offset, uint32_t length) {
    static constexpr char kPng[] = "\x89PNG\r\n\x1a\n";
    const QByteArray data = QByteArray::fromRawData(file.constData() + offset, length);
    if (data.startsWith(QByteArray::fromRawData(kPng, 8))) {
        if (data.size() < 24 || data.mid(12, 4) != "IHDR") Invalid();
        const uint32_t width = BigEndianDoubleWord(data, 16);
        const uint32_t height = BigEndianDoubleWord(data, 20);
        if (width > 0x7fffffff || height > 0x7fffffff) Invalid();
        return QSize(static_cast<int>(width), static_cast<int>(height));
    }
    if (data.size() < 12) Invalid();
    const uint32_t headerSize = DoubleWord(data, 0);
    if (headerSize == 12) return QSize(Word(data, 4), Word(data, 6) / 2);  // the oldest header
    if (headerSize < 40) Invalid();
    const auto width = static_cast<int32_t>(DoubleWord(data, 4));
    const auto height = static_cast<int32_t>(DoubleWord(data, 8));
    if (width <= 0 || height == 0 || height == INT32_MIN) Invalid();
    return QSize(width, (height < 0 ? -height : height) / 2);
}

int Dimension(const QByteArray& data, qsizetype at) {
    const int byte = static_cast<uint8_t>(data[at]);
    return byte == 0 ? 256 : byte;
}

QImage Read(const QByteArray& data, const char* format) {
    QBuffer buffer;
    buffer.setData(data);
    if (!buffer.open(QIODevice::ReadOnly)) return {};
    QImageReader reader(&buffer, format);
    reader.setDecideFormatFromContent(false);
    // Only the plugin for this format is asked; guessing would load every
    // image format plugin first.
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

}  // namespace

CursorFile::Header CursorFile::ReadHeader(const QByteArray& file) {
    if (file.size() < kDirectorySize + kEntrySize) Invalid();
    if (Word(file, 0) != 0 || Word(file, 2) != kCursorType) Invalid();
    Header header;
    header.count = Word(file, 4);
    if (header.count == 0) Invalid();
    const qsizetype directoryEnd = kDirectorySize + kEntrySize * header.count;
    if (directoryEnd > file.size()) Invalid();

    for (qsizetype entry = 0; entry < header.count; ++entry) {
        const qsizetype at = kDirectorySize + kEntrySize * entry;
        const uint32_t length = DoubleWord(file, at + 8);
        const uint32_t offset = DoubleWord(file, at + 12);
        if (length == 0 || offset < directoryEnd) Invalid();
        if (offset > static_cast<uint64_t>(file.size()) ||
            length > static_cast<uint64_t>(file.size()) - offset) {
            Invalid();
        }
        if (entry == 0) {
            header.size = QSize(Dimension(file, at), Dimension(file, at + 1));
            header.hotspot = QPoint(Word(file, at + 4), Word(file, at + 6));
            header.offset = offset;
            header.length = length;
        }
    }
    // An image larger than its entry says, and so possibly larger than the
    // format's 256 pixels, is never decoded.
    const QSize stored = StoredSize(file, header.offset, header.length);
    if (stored.isEmpty() || stored.width() > header.size.width() ||
        stored.height() > header.size.height()) {
        Invalid();
    }
    return header;
}

QCursor CursorFile::Decode(const QByteArray& file) {
    const Header header = ReadHeader(file);
    const QByteArray data = file.mid(header.offset, header.length);
    // Most cursors hold a bitmap, decoded here; a PNG image goes to Qt's own
    // PNG reader. No image format plugin is loaded either way.
    const QImage image =
        data.startsWith("\x89PNG") ? Read(data, "png") : CursorBitmap::Decode(data);
    if (image.isNull() || image.width() <= 0 || image.height() <= 0) Invalid();
    if (image.width() > header.size.width() || image.height() > header.size.height()) Invalid();
    if (header.hotspot.x() >= image.width() || header.hotspot.y() >= image.height()) Invalid();
    // A pointer image needs the window system.
    if (qGuiApp == nullptr) Invalid();
    return QCursor(QPixmap::fromImage(image), header.hotspot.x(), header.hotspot.y());
}

QCursor CursorFile::Load(const std::string& path) {
    const std::optional<QByteArray> file = FileProbe::ReadRegularFile(path, kMaxFileSize);
    if (!file) Invalid();
    return Decode(*file);
}

}  // namespace metrivo

#include "skinimages.h"

#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QSize>
#include <climits>
#include <cstdlib>
#include <string_view>

#include "atomicfile.h"

namespace metrivo {
namespace {

struct Format {
    const char* name;
    const char* suffix;
};

// The format by the file's first bytes; only these four are read.
std::optional<Format> FormatOf(const std::string& data) {
    const std::string_view head(data.data(), std::min<std::size_t>(data.size(), 8));
    if (head == std::string_view("\x89PNG\r\n\x1a\n", 8)) return Format{"png", "png"};
    if (head.substr(0, 3) == "\xFF\xD8\xFF") return Format{"jpeg", "jpg"};
    if (head.substr(0, 6) == "GIF87a" || head.substr(0, 6) == "GIF89a") return Format{"gif", "gif"};
    if (head.substr(0, 2) == "BM") return Format{"bmp", "bmp"};
    return std::nullopt;
}

// The size Qt's decoder will allocate for the image, which may be more than
// its reader's size. A GIF is decoded onto its logical screen, of which the
// reader gives the first frame's share when it takes the screen for a
// mistake (ten times the frame and 200 pixels or more); the decoder believes
// a screen up to 16384 pixels and ten times the frame. Of the two, the larger
// is what is allocated. The other formats decode at the size their header
// gives, which is what the reader reports.
QSize DecodedSize(const Format& format, const std::string& data, QSize readerSize) {
    if (std::string_view(format.name) != "gif") return readerSize;
    if (data.size() < 10) return {};
    const auto byte = [&data](std::size_t at) { return static_cast<unsigned char>(data[at]); };
    const QSize screen(byte(6) | byte(7) << 8, byte(8) | byte(9) << 8);
    return readerSize.expandedTo(screen);
}

std::string Canonical(const std::string& path) {
    char* real = ::realpath(path.c_str(), nullptr);
    if (real == nullptr) return {};
    std::string canonical(real);
    std::free(real);
    return canonical;
}

}  // namespace

SkinImages::SkinImages(std::string skinFolder) : folder_(Canonical(skinFolder)) {}

SkinImages::~SkinImages() = default;

int SkinImages::RemoveLeftovers() {
    return PrivateFolder::RemoveAbandoned(QFile::encodeName(QDir::tempPath()).toStdString(),
                                          std::string(kCopiesPrefix));
}

std::optional<std::string> SkinImages::Resolve(std::string_view url) {
    // Relative to the skin's folder only: no absolute paths, no resources,
    // no schemes, no way out through "..".
    if (folder_.empty() || url.empty() || url.front() == '/' || url.front() == ':' ||
        url.find('\0') != std::string_view::npos || url.find(':') != std::string_view::npos) {
        return std::nullopt;
    }
    const std::string source = Canonical(folder_ + "/" + std::string(url));
    if (source.empty() || source.compare(0, folder_.size() + 1, folder_ + "/") != 0) {
        return std::nullopt;
    }
    const auto known = copied_.find(source);
    if (known != copied_.end()) return known->second;
    if (static_cast<int>(copied_.size()) >= kMaxImages) return std::nullopt;

    // Never opened blocking, never more than the cap.
    const AtomicFile::Contents file = AtomicFile::Read(source, kMaxFileSize);
    if (file.status != AtomicFile::Status::kRead) return std::nullopt;
    const std::optional<Format> format = FormatOf(file.text);
    if (!format) return std::nullopt;

    // The size from the header alone, as decoding will allocate it.
    QByteArray bytes(file.text.data(), static_cast<qsizetype>(file.text.size()));
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::ReadOnly)) return std::nullopt;
    QImageReader reader(&buffer, format->name);
    reader.setAutoDetectImageFormat(false);
    reader.setDecideFormatFromContent(false);
    const QSize size = DecodedSize(*format, file.text, reader.size());
    if (!size.isValid() || size.isEmpty()) return std::nullopt;
    const std::int64_t pixels = std::int64_t{size.width()} * size.height();
    if (pixels > kMaxPixels - pixels_) return std::nullopt;

    if (!copies_) {
        copies_ = PrivateFolder::Make(QFile::encodeName(QDir::tempPath()).toStdString(),
                                      std::string(kCopiesPrefix));
        if (!copies_) return std::nullopt;
    }
    const QString copyPath =
        QFile::decodeName(copies_->path().c_str()) +
        QStringLiteral("/%1.%2").arg(copied_.size()).arg(QLatin1String(format->suffix));
    QFile copy(copyPath);
    if (!copy.open(QIODevice::WriteOnly | QIODevice::NewOnly) ||
        copy.write(bytes) != bytes.size() || !copy.flush()) {
        return std::nullopt;
    }
    pixels_ += pixels;
    return copied_.emplace(source, QFile::encodeName(copyPath).toStdString()).first->second;
}

}  // namespace metrivo

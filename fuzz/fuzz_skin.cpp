// The skin loader on arbitrary bytes, both from a file and as text in memory.
// A sheet it accepts is valid UTF-8 without NUL characters and passes the
// style sheet check. The same bytes as an image of the skin: one it accepts
// decodes, as Qt decodes the copy it is given, to no more pixels than were
// counted from its header.
#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QString>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include "skinengine.h"
#include "skinimages.h"

namespace {
std::unique_ptr<QTemporaryDir> folder;
std::string skinPath;
std::string imagePath;

void Check(bool condition) {
    if (!condition) std::abort();
}

void CheckImage(const QByteArray& bytes) {
    QFile file(QString::fromStdString(imagePath));
    Check(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    Check(file.write(bytes) == bytes.size());
    file.close();
    metrivo::SkinImages images(folder->path().toStdString());
    const std::optional<std::string> copy = images.Resolve("image");
    if (!copy) return;
    Check(images.pixels() <= metrivo::SkinImages::kMaxPixels);
    // By its name, as a style sheet's image is read.
    const QImage decoded = QImageReader(QString::fromStdString(*copy)).read();
    Check(std::int64_t{decoded.width()} * decoded.height() <= images.pixels());
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    folder = std::make_unique<QTemporaryDir>();
    if (!folder->isValid()) std::abort();
    skinPath = (folder->path() + QStringLiteral("/o.cjs")).toStdString();
    imagePath = (folder->path() + QStringLiteral("/image")).toStdString();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using metrivo::SkinEngine;
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    (void)SkinEngine::LooksLikeStyleSheet(QString::fromUtf8(bytes));

    QFile file(QString::fromStdString(skinPath));
    Check(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    Check(file.write(bytes) == bytes.size());
    file.close();
    const std::optional<QString> sheet = SkinEngine::ReadSkin(skinPath);
    if (sheet) {
        // The decoder drops a leading byte order mark.
        const QByteArray text = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
        Check(!sheet->contains(QChar(u'\0')) && sheet->toUtf8() == text);
        Check(SkinEngine::LooksLikeStyleSheet(*sheet));
    }
    CheckImage(bytes);
    return 0;
}

// The skin loader on arbitrary bytes, both from a file and as text in memory.
// A sheet it accepts is valid UTF-8 without NUL characters and passes the
// style sheet check.
#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include "skinengine.h"

namespace {
std::unique_ptr<QTemporaryDir> folder;
std::string skinPath;
}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    folder = std::make_unique<QTemporaryDir>();
    if (!folder->isValid()) std::abort();
    skinPath = (folder->path() + QStringLiteral("/o.cjs")).toStdString();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using metrivo::SkinEngine;
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    (void)SkinEngine::LooksLikeStyleSheet(QString::fromUtf8(bytes));

    QFile file(QString::fromStdString(skinPath));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
    if (file.write(bytes) != bytes.size()) std::abort();
    file.close();
    const std::optional<QString> sheet = SkinEngine::ReadSkin(skinPath);
    if (sheet) {
        // The decoder drops a leading byte order mark.
        const QByteArray text = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
        if (sheet->contains(QChar(u'\0')) || sheet->toUtf8() != text) std::abort();
        if (!SkinEngine::LooksLikeStyleSheet(*sheet)) std::abort();
    }
    return 0;
}

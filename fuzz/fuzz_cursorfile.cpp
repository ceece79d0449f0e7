// The cursor file decoder on arbitrary bytes: a pointer or "Invalid picture".
#include <QByteArray>
#include <QGuiApplication>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "cursorfile.h"
#include "runtimeerror.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Lives as long as the process: Decode makes pixmaps, which need it.
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using metrivo::RunTimeError;
    if (size > static_cast<size_t>(metrivo::CursorFile::kMaxFileSize)) return 0;
    const QByteArray file =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        const QCursor cursor = metrivo::CursorFile::Decode(file);
        if (cursor.pixmap().isNull()) std::abort();
    } catch (const RunTimeError& error) {
        if (error.number() != RunTimeError::kInvalidPicture) std::abort();
    }
    return 0;
}

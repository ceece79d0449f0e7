#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace metrivo::test {

// The whole content of the file at `path`, or "<none>" when it cannot be read.
inline QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

// Replaces the file at `path` with `content`; false when that failed.
[[nodiscard]] inline bool WriteAll(const QString& path, const QByteArray& content) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(content) == content.size();
}

}  // namespace metrivo::test

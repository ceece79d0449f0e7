#pragma once

#include <QByteArray>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace metrivo {

// The file system queries of the start-up: where the program lives, whether a
// file is there, and reading a small file without ever waiting on a pipe or a
// device.
class FileProbe {
  public:
    // The folder of the running program: no trailing separator, except when
    // it is the root.
    static std::string ProgramFolder();

    // `folder` followed by each name, each one after this platform's
    // separator. Plain concatenation: a folder that already ends in a
    // separator (the root) gets it twice.
    static std::string Beside(std::string folder, std::initializer_list<std::string_view> names);

    // The directory lookup with normal attributes: true for a regular file,
    // read-only ones included, also when reached through a symbolic link;
    // false for anything else (absent, a folder, a FIFO, a socket, a device,
    // a hidden file) and when the lookup itself fails.
    static bool IsRegularFile(const std::string& path);

    // The whole content of the regular file at `path`, or nothing when it is
    // not a regular file, holds more than `cap` bytes or cannot be read.
    static std::optional<QByteArray> ReadRegularFile(const std::string& path, qint64 cap);
};

// True (-1) exactly when the last-modified time of `path` can be read, false
// (0) otherwise. Never throws and leaves no error state behind; the path is
// used as given.
int16_t FileExists(std::string path);

}  // namespace metrivo

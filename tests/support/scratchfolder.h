#pragma once

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstring>
#include <string>

namespace metrivo::test {

enum class Entry { kNone, kFile, kFolder, kFifo, kSocket, kLinkToFile, kDanglingLink };

inline bool MakeFifo(const std::string& path) {
    return ::mkfifo(path.c_str(), 0600) == 0;
}

// A bound socket whose owner has gone: the entry stays.
inline bool MakeSocket(const std::string& path) {
    sockaddr_un address{};
    if (path.size() >= sizeof address.sun_path) return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const bool bound =
        fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    if (fd >= 0) ::close(fd);
    return bound;
}

// A temporary folder, standing for the program folder, with entries of every
// kind made inside it by relative path.
class ScratchFolder {
  public:
    const std::string& path() const { return base_; }
    std::string At(const std::string& relative) const { return base_ + "/" + relative; }

    // False when the system refuses to make that kind of entry.
    bool Make(const std::string& relative, Entry kind, const QByteArray& data = "x") const {
        const std::string full = At(relative);
        QDir().mkpath(QFileInfo(QString::fromStdString(full)).path());
        QFile file(QString::fromStdString(full));
        switch (kind) {
            case Entry::kNone:
                return true;
            case Entry::kFile:
                return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
            case Entry::kFolder:
                return QDir().mkpath(QString::fromStdString(full));
            case Entry::kFifo:
                return MakeFifo(full);
            case Entry::kSocket:
                return MakeSocket(full);
            case Entry::kLinkToFile:
                return Make("target", Entry::kFile, data) &&
                       ::symlink(At("target").c_str(), full.c_str()) == 0;
            case Entry::kDanglingLink:
                return ::symlink(At("nowhere").c_str(), full.c_str()) == 0;
        }
        return false;
    }

  private:
    QTemporaryDir dir_;
    std::string base_ = dir_.path().toStdString();
};

}  // namespace metrivo::test

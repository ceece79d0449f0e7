#include "fileprobe.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "filedescriptor.h"

namespace metrivo {
namespace {

constexpr int16_t kTrue = -1;
constexpr int16_t kFalse = 0;

}  // namespace

std::string FileProbe::ProgramFolder() {
    if (QCoreApplication::instance() != nullptr) {
        return QDir::toNativeSeparators(QCoreApplication::applicationDirPath()).toStdString();
    }
    // Without an application object Qt cannot say; the kernel can.
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return std::filesystem::current_path(error).string();
    return exe.parent_path().string();
}

std::string FileProbe::Beside(std::string folder, std::initializer_list<std::string_view> names) {
    for (std::string_view name : names) {
        folder += static_cast<char>(std::filesystem::path::preferred_separator);
        folder += name;
    }
    return folder;
}

bool FileProbe::IsRegularFile(const std::string& path) {
    if (path.empty() || path.find('\0') != std::string::npos) return false;
    const std::filesystem::path entry(path);
    const std::string name = entry.filename().string();
    if (name.empty() || name.front() == '.') return false;
    std::error_code error;
    return std::filesystem::is_regular_file(entry, error) && !error;
}

std::optional<QByteArray> FileProbe::ReadRegularFile(const std::string& path, qint64 cap) {
    if (path.empty() || path.find('\0') != std::string::npos) return std::nullopt;
    // Look before opening: opening a device can have effects of its own.
    struct stat before {};
    if (::stat(path.c_str(), &before) != 0 || !S_ISREG(before.st_mode)) return std::nullopt;
    // Non-blocking, so that a FIFO put in the file's place meanwhile cannot
    // hold the open; the type is checked again on what was opened.
    const FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0) return std::nullopt;
    struct stat opened {};
    if (::fstat(fd.get(), &opened) != 0 || !S_ISREG(opened.st_mode)) return std::nullopt;
    if (opened.st_size < 0 || opened.st_size > cap) return std::nullopt;

    QByteArray data;
    data.reserve(static_cast<qsizetype>(opened.st_size));
    char chunk[16384];
    for (;;) {
        const ssize_t got = ::read(fd.get(), chunk, sizeof chunk);
        if (got < 0) {
            if (errno == EINTR) continue;
            return std::nullopt;
        }
        if (got == 0) break;
        // The file may have grown since it was measured.
        if (data.size() + got > cap) return std::nullopt;
        data.append(chunk, static_cast<qsizetype>(got));
    }
    return data;
}

int16_t FileExists(std::string path) {
    if (path.find('\0') != std::string::npos) return kFalse;
    const int saved = errno;
    std::error_code error;
    [[maybe_unused]] const auto modified =
        std::filesystem::last_write_time(std::filesystem::path(path), error);
    errno = saved;
    return error ? kFalse : kTrue;
}

}  // namespace metrivo

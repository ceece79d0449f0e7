#include "atomicfile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <random>

#include "filedescriptor.h"

namespace metrivo {
namespace {

// Temporary files are named after the file they replace: "<name>.new-XXXXXX".
constexpr std::string_view kTemporaryMark = ".new-";
constexpr std::size_t kRandomLength = 6;
constexpr std::string_view kRandomCharacters =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";

AtomicFile::Identity IdentityOf(const struct stat& info) {
    return {info.st_dev, info.st_ino, info.st_size,
            static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

int WriteAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t wrote = ::write(fd, text.data(), text.size());
        if (wrote < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        text.remove_prefix(static_cast<std::size_t>(wrote));
    }
    return 0;
}

// Gives the open file `fd` the owner, group and permissions of `like`: the
// owner and group first, since a change of owner clears the set-id bits.
// Returns 0, kOwnerNotKept or an errno.
int TakeOwnerAndModes(int fd, const struct stat& like) {
    struct stat made {};
    if (::fstat(fd, &made) != 0) return errno;
    if ((made.st_uid != like.st_uid || made.st_gid != like.st_gid) &&
        ::fchown(fd, like.st_uid, like.st_gid) != 0) {
        return errno == EPERM ? AtomicFile::kOwnerNotKept : errno;
    }
    return ::fchmod(fd, like.st_mode & 07777) == 0 ? 0 : errno;
}

}  // namespace

AtomicFile::Contents AtomicFile::Read(const std::string& path, std::int64_t cap) {
    Contents contents;
    struct stat before {};
    if (::stat(path.c_str(), &before) != 0) {
        contents.error = errno;
        contents.status = errno == ENOENT || errno == ENOTDIR ? Status::kAbsent : Status::kFailed;
        return contents;
    }
    // Look before opening: opening a device can have effects of its own.
    contents.status = Status::kNotAFile;
    if (!S_ISREG(before.st_mode)) return contents;
    // Non-blocking, so that a FIFO put in the file's place meanwhile cannot
    // hold the open; the type is checked again on what was opened.
    const FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat opened {};
    if (fd.get() < 0 || ::fstat(fd.get(), &opened) != 0) {
        contents.error = errno;
        contents.status = Status::kFailed;
        return contents;
    }
    if (!S_ISREG(opened.st_mode)) return contents;
    contents.status = Status::kTooLarge;
    if (opened.st_size > cap) return contents;

    // Room for a few lines more, so that a small change made in place moves
    // the text rather than copying it all to a larger buffer.
    contents.text.reserve(static_cast<std::size_t>(opened.st_size) + 65536);
    contents.text.resize(static_cast<std::size_t>(opened.st_size));
    std::size_t got = 0;
    for (;;) {
        // The file may have grown since it was measured.
        if (got == contents.text.size()) {
            if (static_cast<std::int64_t>(got) >= cap) {
                char probe;
                if (::read(fd.get(), &probe, 1) != 0) return contents;
                break;
            }
            contents.text.resize(std::min<std::size_t>(got + 65536, static_cast<std::size_t>(cap)));
        }
        const ssize_t read =
            ::read(fd.get(), contents.text.data() + got, contents.text.size() - got);
        if (read < 0) {
            if (errno == EINTR) continue;
            contents.error = errno;
            contents.status = Status::kFailed;
            contents.text.clear();
            return contents;
        }
        if (read == 0) break;
        got += static_cast<std::size_t>(read);
    }
    contents.text.resize(got);
    contents.identity = IdentityOf(opened);
    contents.status = Status::kRead;
    return contents;
}

std::optional<AtomicFile::Identity> AtomicFile::Look(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    return IdentityOf(info);
}

int AtomicFile::Replace(const std::string& path, std::string_view text, Identity* written) {
    struct stat old {};
    const bool hadFile = ::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode);

    std::mt19937 random(
        std::random_device{}() ^
        static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()));
    std::uniform_int_distribution<std::size_t> pick(0, kRandomCharacters.size() - 1);
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temporary = path + std::string(kTemporaryMark);
        for (std::size_t i = 0; i < kRandomLength; ++i)
            temporary += kRandomCharacters[pick(random)];
        // A new file's permissions: 0666 less the umask; in place of an old
        // one, its owner's alone until it has the old one's.
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                    hadFile ? 0600 : 0666);
        if (fd < 0 && errno != EEXIST) return errno;
    }
    if (fd < 0) return EEXIST;
    FileDescriptor file(fd);

    int error = hadFile ? TakeOwnerAndModes(file.get(), old) : 0;
    if (error == 0) error = WriteAll(file.get(), text);
    if (error == 0 && ::fsync(file.get()) != 0) error = errno;
    struct stat made {};
    if (error == 0 && ::fstat(file.get(), &made) != 0) error = errno;
    if (error == 0 && file.Close() != 0) error = errno;
    if (error == 0 && ::rename(temporary.c_str(), path.c_str()) != 0) error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        return error;
    }
    // The rename itself reaches the disk with the folder.
    const FileDescriptor folder(::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0) ::fsync(folder.get());
    if (written != nullptr) *written = IdentityOf(made);
    return 0;
}

int AtomicFile::Copy(const std::string& path, std::string_view text, const struct stat& like) {
    FileDescriptor file(
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (file.get() < 0) return errno;
    int error = TakeOwnerAndModes(file.get(), like);
    if (error == kOwnerNotKept) error = ::fchmod(file.get(), like.st_mode & 0700) == 0 ? 0 : errno;
    if (error == 0) error = WriteAll(file.get(), text);
    if (error == 0 && ::fsync(file.get()) != 0) error = errno;
    if (error == 0 && file.Close() != 0) error = errno;
    if (error != 0) ::unlink(path.c_str());
    return error;
}

void AtomicFile::RemoveLeftovers(const std::string& path) {
    const std::string folder = FolderOf(path);
    const std::size_t slash = path.rfind('/');
    const std::string prefix =
        (slash == std::string::npos ? path : path.substr(slash + 1)) + std::string(kTemporaryMark);
    DIR* listing = ::opendir(folder.c_str());
    if (listing == nullptr) return;
    while (const dirent* entry = ::readdir(listing)) {
        const std::string_view name = entry->d_name;
        if (name.size() != prefix.size() + kRandomLength ||
            name.substr(0, prefix.size()) != prefix ||
            name.find_first_not_of(kRandomCharacters, prefix.size()) != std::string_view::npos) {
            continue;
        }
        const std::string leftover = folder + "/" + std::string(name);
        struct stat info {};
        if (::lstat(leftover.c_str(), &info) == 0 && S_ISREG(info.st_mode))
            ::unlink(leftover.c_str());
    }
    ::closedir(listing);
}

}  // namespace metrivo

#include "privatefolder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string_view>

namespace metrivo {
namespace {

constexpr std::string_view kRandom = "XXXXXX";

// Removes the files in the open folder `fd`; a folder inside stays, and so
// does the folder itself then.
void RemoveFiles(int fd) {
    const int listed = ::dup(fd);
    if (listed < 0) return;
    DIR* listing = ::fdopendir(listed);
    if (listing == nullptr) {
        ::close(listed);
        return;
    }
    while (const dirent* entry = ::readdir(listing)) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..") ::unlinkat(fd, entry->d_name, 0);
    }
    ::closedir(listing);
}

bool IsFolderName(std::string_view name, const std::string& prefix) {
    if (name.size() != prefix.size() + kRandom.size() || name.substr(0, prefix.size()) != prefix) {
        return false;
    }
    for (const char c : name.substr(prefix.size())) {
        const bool letterOrDigit =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!letterOrDigit) return false;
    }
    return true;
}

}  // namespace

std::unique_ptr<PrivateFolder> PrivateFolder::Make(const std::string& base,
                                                   const std::string& prefix) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        // Made under a hidden name, held, then given its own: a folder by
        // that name is always held by its run.
        std::string made = base + "/." + prefix + std::string(kRandom);
        if (::mkdtemp(made.data()) == nullptr) return nullptr;
        const int fd = ::open(made.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0 || ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            if (fd >= 0) ::close(fd);
            ::rmdir(made.c_str());
            return nullptr;
        }
        const std::string named = base + "/" + prefix + made.substr(made.size() - kRandom.size());
        if (::renameat2(AT_FDCWD, made.c_str(), AT_FDCWD, named.c_str(), RENAME_NOREPLACE) == 0) {
            return std::unique_ptr<PrivateFolder>(new PrivateFolder(named, fd));
        }
        const int error = errno;
        if (error != EEXIST) {
            // A file system without that kind of rename: the folder keeps its
            // hidden name, which nothing else removes.
            return std::unique_ptr<PrivateFolder>(new PrivateFolder(made, fd));
        }
        ::close(fd);
        ::rmdir(made.c_str());
    }
    return nullptr;
}

PrivateFolder::~PrivateFolder() {
    RemoveFiles(fd_.get());
    ::rmdir(path_.c_str());
}

int PrivateFolder::RemoveAbandoned(const std::string& base, const std::string& prefix) {
    DIR* listing = ::opendir(base.c_str());
    if (listing == nullptr) return 0;
    int removed = 0;
    while (const dirent* entry = ::readdir(listing)) {
        if (!IsFolderName(entry->d_name, prefix)) continue;
        const FileDescriptor folder(::openat(::dirfd(listing), entry->d_name,
                                             O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        struct stat info {};
        if (folder.get() < 0 || ::fstat(folder.get(), &info) != 0 || info.st_uid != ::geteuid()) {
            continue;
        }
        // Held: its run lives.
        if (::flock(folder.get(), LOCK_EX | LOCK_NB) != 0) continue;
        RemoveFiles(folder.get());
        if (::unlinkat(::dirfd(listing), entry->d_name, AT_REMOVEDIR) == 0) ++removed;
    }
    ::closedir(listing);
    return removed;
}

}  // namespace metrivo

#include "qtsettingsstore.h"

#include <pwd.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "errorline.h"

namespace metrivo {
namespace {

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string NativePath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

bool IsAbsolute(const char* path) {
    return path != nullptr && path[0] == '/';
}

// The home folder of the user running the program, from the password database.
std::string AccountHome() {
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    if (size <= 0) size = 16384;
    std::vector<char> buffer(static_cast<std::size_t>(size));
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
        found == nullptr || found->pw_dir == nullptr) {
        return {};
    }
    return found->pw_dir;
}

// Qt's lock file beside the settings holds the owner's process id, written
// just after the file is made. A program killed in between leaves it empty,
// and Qt would wait half a minute before it calls such a lock stale; a writer
// alive fills it in at once, so an empty lock half a second old is abandoned.
bool RemoveAbandonedLock(const QString& lock) {
    const QFileInfo info(lock);
    if (!info.isFile() || info.isSymLink() || info.size() != 0) return false;
    const qint64 age = info.lastModified().msecsTo(QDateTime::currentDateTime());
    return age >= 500 && QFile::remove(lock);
}

// Qt can use a lock file only when it is one: anything else in its place (a
// folder, a FIFO, a socket, a link) would make it wait for ever or block.
bool IsUsableLockPlace(const std::string& lock) {
    struct stat info {};
    if (::lstat(lock.c_str(), &info) != 0) return true;  // none yet, or the lock fails itself
    return S_ISREG(info.st_mode);
}

// No block or no file entry left for this user on the folder's file system.
// File systems that count no blocks (/proc, /sys) or no file entries (btrfs)
// are never full of them.
bool IsFull(const QString& folder) {
    struct statvfs space {};
    return ::statvfs(QFile::encodeName(folder).constData(), &space) == 0 &&
           ((space.f_blocks > 0 && space.f_bavail == 0) ||
            (space.f_files > 0 && space.f_favail == 0));
}

// True when nothing is at `path`.
bool IsAbsent(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) != 0 && errno == ENOENT;
}

}  // namespace

QtSettingsStore::QtSettingsStore() : QtSettingsStore(DefaultConfigFolder()) {}

QtSettingsStore::QtSettingsStore(QString configFolder, int lockWaitMs)
    : configFolder_(std::move(configFolder)), lockWaitMs_(lockWaitMs) {}

std::string QtSettingsStore::ConfigFolderFor(const char* xdgConfigHome, const char* home,
                                             const std::function<std::string()>& accountHome) {
    if (IsAbsolute(xdgConfigHome)) return xdgConfigHome;
    std::string folder = IsAbsolute(home) ? std::string(home) : accountHome();
    if (!IsAbsolute(folder.c_str())) return {};
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder == "/" ? "/.config" : folder + "/.config";
}

QString QtSettingsStore::DefaultConfigFolder() {
    return QFile::decodeName(
        ConfigFolderFor(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"), AccountHome).c_str());
}

QString QtSettingsStore::FilePath(std::string_view app) const {
    return configFolder_ + QLatin1Char('/') + ToQString(app) + QStringLiteral(".ini");
}

IniText* QtSettingsStore::Current(const std::string& path, AtomicFile::Contents* failure) const {
    const auto cached = parsed_.find(path);
    if (cached != parsed_.end()) {
        const std::optional<AtomicFile::Identity> now = AtomicFile::Look(path);
        if (now && *now == cached->second.identity) return &cached->second.text;
        parsed_.erase(cached);
    }
    AtomicFile::Contents contents = AtomicFile::Read(path, kMaxFileSize);
    if (contents.status != AtomicFile::Status::kRead) {
        if (failure != nullptr) *failure = std::move(contents);
        return nullptr;
    }
    Parsed& parsed = parsed_[path];
    parsed.identity = contents.identity;
    parsed.text = IniText(std::move(contents.text));
    return &parsed.text;
}

std::string QtSettingsStore::Read(std::string_view app, std::string_view section,
                                  std::string_view key, std::string_view defaultValue) const {
    if (configFolder_.isEmpty()) return std::string(defaultValue);
    const IniText* text = Current(NativePath(FilePath(app)), nullptr);
    if (text == nullptr) return std::string(defaultValue);
    std::optional<std::string> value = text->Value(section, key);
    return value ? std::move(*value) : std::string(defaultValue);
}

void QtSettingsStore::Write(std::string_view app, std::string_view section, std::string_view key,
                            std::string_view value) {
    WriteBatch(app, section, {{std::string(key), std::string(value)}});
}

void QtSettingsStore::WriteBatch(std::string_view app, std::string_view section,
                                 const std::vector<SettingsEntry>& entries) {
    if (entries.empty()) return;
    const QString filePath = FilePath(app);
    if (configFolder_.isEmpty()) return Warn(filePath, Failure::kNotWritable);
    const std::string path = NativePath(filePath);

    // A link to the real file: the real file is replaced, the link stays.
    std::string target = path;
    bool linked = false;
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0) {
        if (S_ISLNK(info.st_mode)) {
            linked = true;
            const std::unique_ptr<char, decltype(&std::free)> real(
                ::realpath(path.c_str(), nullptr), &std::free);
            if (real == nullptr || !AtomicFile::Look(real.get())) {
                return Warn(filePath, Failure::kNotAFile);
            }
            target = real.get();
        } else if (!S_ISREG(info.st_mode)) {
            return Warn(filePath, Failure::kNotAFile);
        }
    }
    if (!QDir().mkpath(configFolder_)) return Warn(filePath, Failure::kNotWritable);
    // Even the lock cannot be made on a full disk.
    const auto notSaved = [&](Failure failure) {
        Warn(filePath, IsFull(configFolder_) ? Failure::kDiskFull : failure);
    };

    const QString lockPath = filePath + QStringLiteral(".lock");
    if (!IsUsableLockPlace(NativePath(lockPath))) return Warn(filePath, Failure::kLockUnusable);
    // Tried in short steps, so that a lock abandoned empty is taken over
    // as soon as it is old enough.
    QLockFile lock(lockPath);
    QElapsedTimer waited;
    waited.start();
    bool locked = false;
    do {
        RemoveAbandonedLock(lockPath);
        locked = lock.tryLock(50);
    } while (!locked && lock.error() == QLockFile::LockFailedError &&
             waited.elapsed() < lockWaitMs_);
    if (!locked) {
        if (lock.error() == QLockFile::LockFailedError) return notSaved(Failure::kLockHeld);
        // A lock that cannot even be made: the folder takes no new file.
        return notSaved(IsAbsent(NativePath(lockPath)) ? Failure::kNotWritable
                                                       : Failure::kLockUnusable);
    }

    // Under the lock the file is read again if another instance changed it.
    AtomicFile::Contents failure;
    IniText* current = Current(path, &failure);
    IniText none;
    if (current == nullptr) {
        switch (failure.status) {
            case AtomicFile::Status::kAbsent:
                current = &none;
                break;
            case AtomicFile::Status::kNotAFile:
                return Warn(filePath, Failure::kNotAFile);
            case AtomicFile::Status::kTooLarge:
                return Warn(filePath, Failure::kTooLarge);
            default:
                return Warn(filePath, Failure::kError, failure.error);
        }
    }
    // A link is written through when it leads to settings: a file that is
    // none is another program's, however it came to be linked here.
    if (linked && current->Damaged()) return Warn(filePath, Failure::kLinkToOtherFile);
    if (checked_.insert(path).second) {
        AtomicFile::RemoveLeftovers(target);
        if (current->Damaged()) KeepAside(filePath, target, current->text());
    }

    // The text read is changed where it is: a large file is not copied.
    current->Set(section, entries);
    AtomicFile::Identity written;
    const int error = AtomicFile::Replace(target, current->text(), &written);
    if (error != 0) {
        // The text held now differs from the file.
        parsed_.erase(path);
        switch (error) {
            case ENOSPC:
            case EDQUOT:
                return Warn(filePath, Failure::kDiskFull);
            case AtomicFile::kOwnerNotKept:
                return Warn(filePath, Failure::kOwnerNotKept);
            case EACCES:
            case EPERM:
            case EROFS:
            case ENOTDIR:
            case EISDIR:
                return Warn(filePath, Failure::kNotWritable);
            default:
                return Warn(filePath, IsFull(configFolder_) ? Failure::kDiskFull : Failure::kError,
                            error);
        }
    }
    if (current == &none) {
        parsed_[path] = {written, std::move(none)};
    } else {
        parsed_[path].identity = written;
    }
}

bool QtSettingsStore::IsDamaged(const QByteArray& content) {
    return IniText(content.toStdString()).Damaged();
}

void QtSettingsStore::KeepAside(const QString& path, const std::string& target,
                                const std::string& text) {
    const std::string copy = path.toStdString() + ".damaged";
    struct stat like {};
    int error = ::stat(target.c_str(), &like) == 0 ? 0 : errno;
    if (error == 0) error = AtomicFile::Copy(NativePath(QString::fromStdString(copy)), text, like);
    // A copy there already was kept by an earlier run, of the file as it was
    // before this program wrote to it; it is never overwritten.
    if (error == EEXIST) return;
    if (error == 0) {
        ErrorLine("metrivo: the settings file " + path.toStdString() +
                  " holds lines that are no settings; it was kept as " + copy +
                  " before the program first wrote to it");
    } else {
        ErrorLine("metrivo: the settings file " + path.toStdString() +
                  " holds lines that are no settings and no copy of it could be kept as " + copy +
                  " (" + std::strerror(error) + ")");
    }
}

void QtSettingsStore::Warn(const QString& path, Failure failure, int error) {
    if (warned_) return;
    warned_ = true;
    std::string reason;
    switch (failure) {
        case Failure::kNotWritable:
            reason = "it is not a writable file in a writable folder";
            break;
        case Failure::kNotAFile:
            reason = "something other than a file is in its place";
            break;
        case Failure::kLockUnusable:
            reason = "its lock file " + path.toStdString() + ".lock cannot be used";
            break;
        case Failure::kLockHeld:
            reason = "its lock file " + path.toStdString() + ".lock stayed locked for " +
                     std::to_string((lockWaitMs_ + 999) / 1000) + " s";
            break;
        case Failure::kLinkToOtherFile:
            reason = "it is a link to a file that holds no settings";
            break;
        case Failure::kOwnerNotKept:
            reason = "the file's owner and group could not be kept";
            break;
        case Failure::kTooLarge:
            reason = "it is larger than " + std::to_string(kMaxFileSize >> 20) + " MiB";
            break;
        case Failure::kDiskFull:
            reason = "the disk is full";
            break;
        case Failure::kError:
            reason = std::strerror(error);
            break;
    }
    ErrorLine("metrivo: warning: cannot save settings to " + path.toStdString() + " (" + reason +
              "); choices made in this run may not be remembered");
}

}  // namespace metrivo

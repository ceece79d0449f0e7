#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "atomicfile.h"
#include "initext.h"
#include "settingsstore.h"

namespace metrivo {

// The settings store as INI files in the user's configuration folder: one
// file per application ("$XDG_CONFIG_HOME/Orvandel.ini", by default
// "~/.config/Orvandel.ini"), one section per section.
//
// A write changes only the lines of its own keys (see IniText): comments,
// other sections and other programs' keys keep every byte. Each write or
// batch replaces the whole file at once (AtomicFile), under Qt's lock file
// "<file>.lock" so that two instances merge their keys. The file is read and
// parsed once; later reads are served from that as long as the file on disk
// is the same one.
//
// No line that is not one of the keys written is ever dropped or changed, not
// even one that holds no settings (IniText::Damaged): such a file is copied to
// "<file>.damaged" before the program first writes to it, and is then written
// like any other. A file that is replaced keeps its permissions, owner and
// group, and the copy has them too. A settings file that is a link is written
// where the link leads, the link kept, as long as it leads to a file of
// settings: a link to a file that holds anything else (a link to ~/.bashrc)
// is not written at all.
//
// A write that cannot be saved leaves the program running; the first such
// write of a run says so, and why, on standard error. A write waits for the
// lock as long as another instance holds it, up to half a minute (the age at
// which Qt takes a lock as abandoned): on a slow disk, an instance closed
// after another waits for the other's last write and so has the last word.
// The program writes on a thread of its own (WriteBehindSettingsStore), so
// the wait never stops the window.
class QtSettingsStore : public SettingsStore {
  public:
    static constexpr std::int64_t kMaxFileSize = std::int64_t{256} << 20;
    static constexpr int kLockWaitMs = 30000;

    // Takes the configuration folder from the environment as it is now.
    QtSettingsStore();
    explicit QtSettingsStore(QString configFolder, int lockWaitMs = kLockWaitMs);

    std::string Read(std::string_view app, std::string_view section, std::string_view key,
                     std::string_view defaultValue) const override;
    void Write(std::string_view app, std::string_view section, std::string_view key,
               std::string_view value) override;
    void WriteBatch(std::string_view app, std::string_view section,
                    const std::vector<SettingsEntry>& entries) override;

    // The INI file that holds an application's settings.
    QString FilePath(std::string_view app) const;
    const QString& configFolder() const { return configFolder_; }

    // The configuration folder the environment names; empty when there is
    // none (see ConfigFolderFor).
    static QString DefaultConfigFolder();
    // "$XDG_CONFIG_HOME" when that is an absolute path; else "$HOME/.config"
    // when HOME is an absolute path; else ".config" in the home folder the
    // password database gives (`accountHome`); else nothing. Relative paths
    // are ignored, as the XDG base directory rules say.
    static std::string ConfigFolderFor(const char* xdgConfigHome, const char* home,
                                       const std::function<std::string()>& accountHome);

    // True for settings text that is damaged (IniText::Damaged).
    static bool IsDamaged(const QByteArray& content);

  private:
    // Why a write was not saved.
    enum class Failure {
        kNotWritable,
        kNotAFile,
        kLockUnusable,
        kLockHeld,
        kLinkToOtherFile,
        kOwnerNotKept,
        kTooLarge,
        kDiskFull,
        kError
    };

    struct Parsed {
        AtomicFile::Identity identity;
        IniText text;
    };

    // The parsed file at `path` as it is on disk, read again only when it
    // changed; nothing when there is no regular file to read.
    IniText* Current(const std::string& path, AtomicFile::Contents* failure) const;
    // Copies `text`, the damaged file at `target` that `path` names, to
    // "<path>.damaged" with the file's permissions, owner and group, unless
    // something is at that name already, and says so.
    static void KeepAside(const QString& path, const std::string& target, const std::string& text);
    void Warn(const QString& path, Failure failure, int error = 0);

    QString configFolder_;
    int lockWaitMs_;
    mutable std::map<std::string, Parsed> parsed_;  // by file name
    std::set<std::string> checked_;                 // files looked at before their first write
    bool warned_ = false;
};

}  // namespace metrivo

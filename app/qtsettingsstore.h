#pragma once

#include <QByteArray>
#include <QString>
#include <set>
#include <string>
#include <string_view>

#include "settingsstore.h"

namespace metrivo {

// The settings store as INI files in the user's configuration folder: one
// file per application ("$XDG_CONFIG_HOME/Orvandel.ini", by default
// "~/.config/Orvandel.ini"), one group per section. Every write is synced to
// disk before it returns; Qt writes a new file beside the old one and renames
// it over, under a lock file, so the file on disk is always a whole one.
//
// A file that cannot be parsed (see IsDamaged) is copied aside before the
// first write of a run replaces it. A write that cannot be saved leaves the
// program running; the first such write of a run says so on standard error.
class QtSettingsStore : public SettingsStore {
  public:
    // Takes the configuration folder from the environment as it is now.
    QtSettingsStore();
    explicit QtSettingsStore(QString configFolder);

    std::string Read(std::string_view app, std::string_view section, std::string_view key,
                     std::string_view defaultValue) const override;
    void Write(std::string_view app, std::string_view section, std::string_view key,
               std::string_view value) override;

    // The INI file that holds an application's settings.
    QString FilePath(std::string_view app) const;
    const QString& configFolder() const { return configFolder_; }

    // "$XDG_CONFIG_HOME" when it is set, else "~/.config".
    static QString DefaultConfigFolder();

    // True for settings text that is no INI file the program could have
    // written: it holds a NUL byte, is not UTF-8, or Qt reports a format
    // error for it (a line that is no section header, comment or "key=value",
    // for one). Qt reads anything else without complaint, and so does the
    // program.
    static bool IsDamaged(const QByteArray& content);
    // Copies the file at `path` to "<path>.damaged", or ".damaged.1", ".2" and
    // so on when that name is taken; an earlier copy is never overwritten.
    // Returns the name of the copy, or nothing when none could be made.
    static QString KeepAside(const QString& path, const QByteArray& content);

  private:
    void CheckBeforeFirstWrite(const QString& path);
    void WarnNotSaved(const QString& path);

    QString configFolder_;
    std::set<QString> checked_;  // files looked at before their first write
    bool warned_ = false;
};

}  // namespace metrivo

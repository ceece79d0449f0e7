#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "settingsstore.h"

namespace metrivo {

// The settings store as INI files in the user's configuration folder: one
// file per application ("$XDG_CONFIG_HOME/Orvandel.ini", by default
// "~/.config/Orvandel.ini"), one group per section. Every write is synced to
// disk before it returns.
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

  private:
    QString configFolder_;
};

}  // namespace metrivo

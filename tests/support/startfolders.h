#pragma once

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QString>
#include <QTemporaryDir>
#include <map>
#include <memory>

#include "programrun.h"

namespace metrivo::test {

// A settings folder and an empty program folder for starts of the real
// window, with the settings file read and written as another program would.
// Where there is a memory file system the folders are made there: every
// write of the store is synced to disk, which says nothing about reading.
class StartFolders {
  public:
    // A run over these folders, loaded.
    std::unique_ptr<ProgramRun> Start() const {
        auto run = std::make_unique<ProgramRun>(config_.path(), program_.path());
        run->Load();
        return run;
    }
    QString Ini() const { return config_.filePath("Orvandel.ini"); }
    // The value in section "Metrivo", or "<absent>".
    QString Stored(const QString& key) const {
        const QSettings ini(Ini(), QSettings::IniFormat);
        return ini.value("Metrivo/" + key, "<absent>").toString();
    }
    void Store(const std::map<QString, QString>& values) const {
        QSettings ini(Ini(), QSettings::IniFormat);
        for (const auto& [key, value] : values) ini.setValue("Metrivo/" + key, value);
        ini.sync();
    }

  protected:
    static QString ScratchBase() {
        const QFileInfo shm("/dev/shm");
        return shm.isDir() && shm.isWritable() ? QString("/dev/shm/metrivo-test-XXXXXX")
                                               : QDir::tempPath() + "/metrivo-test-XXXXXX";
    }

    QTemporaryDir config_{ScratchBase()};
    QTemporaryDir program_{ScratchBase()};
};

}  // namespace metrivo::test

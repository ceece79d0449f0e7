#include "qtsettingsstore.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>
#include <QVariant>
#include <iostream>

namespace metrivo {
namespace {

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Qt's lock file beside the settings holds the owner's process id, written
// just after the file is made. A program killed in between leaves it empty,
// and Qt would wait half a minute before it calls such a lock stale; a writer
// alive fills it in at once, so an empty lock a moment old is abandoned.
void RemoveAbandonedLock(const QString& settingsPath) {
    const QString lock = settingsPath + QStringLiteral(".lock");
    for (int wait = 0; wait < 20; ++wait) {
        const QFileInfo info(lock);
        if (!info.isFile() || info.size() != 0) return;
        const qint64 age = info.lastModified().msecsTo(QDateTime::currentDateTime());
        if (age < 0 || age >= 500) break;
        QThread::msleep(50);
    }
    const QFileInfo info(lock);
    if (info.isFile() && info.size() == 0) QFile::remove(lock);
}

// Qt reads and replaces the settings file whole; something other than a
// regular file in its place (a FIFO, a device, a folder) would block the
// reader or never take the text, so the store leaves it alone.
bool IsUsableFile(const QString& path) {
    const QFileInfo info(path);
    return !info.exists() || info.isFile();
}

}  // namespace

QtSettingsStore::QtSettingsStore() : QtSettingsStore(DefaultConfigFolder()) {}

QtSettingsStore::QtSettingsStore(QString configFolder) : configFolder_(std::move(configFolder)) {}

QString QtSettingsStore::DefaultConfigFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

QString QtSettingsStore::FilePath(std::string_view app) const {
    return configFolder_ + QLatin1Char('/') + ToQString(app) + QStringLiteral(".ini");
}

std::string QtSettingsStore::Read(std::string_view app, std::string_view section,
                                  std::string_view key, std::string_view defaultValue) const {
    const QString path = FilePath(app);
    if (!IsUsableFile(path)) return std::string(defaultValue);
    QSettings settings(path, QSettings::IniFormat);
    settings.beginGroup(ToQString(section));
    const QVariant value = settings.value(ToQString(key));
    if (!value.isValid()) return std::string(defaultValue);
    // A value edited by hand into "a, b" comes back as a list; keep its text.
    if (value.typeId() == QMetaType::QStringList) {
        return value.toStringList().join(QStringLiteral(", ")).toStdString();
    }
    return value.toString().toStdString();
}

void QtSettingsStore::Write(std::string_view app, std::string_view section, std::string_view key,
                            std::string_view value) {
    const QString path = FilePath(app);
    if (!IsUsableFile(path)) {
        WarnNotSaved(path);
        return;
    }
    CheckBeforeFirstWrite(path);
    QDir().mkpath(configFolder_);
    RemoveAbandonedLock(path);
    QSettings settings(path, QSettings::IniFormat);
    settings.beginGroup(ToQString(section));
    settings.setValue(ToQString(key), ToQString(value));
    settings.endGroup();
    settings.sync();
    // A format error only says the old file was damaged; it was written anyway.
    if (settings.status() == QSettings::AccessError) WarnNotSaved(path);
}

bool QtSettingsStore::IsDamaged(const QByteArray& content) {
    if (content.contains('\0')) return true;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    (void)QString(decoder.decode(content));
    if (decoder.hasError()) return true;
    // Qt reads only files; give it the text in a scratch one.
    QTemporaryDir scratch;
    if (!scratch.isValid()) return false;
    const QString copy = scratch.filePath(QStringLiteral("check.ini"));
    QFile file(copy);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size()) return false;
    file.close();
    QSettings settings(copy, QSettings::IniFormat);
    (void)settings.childGroups();
    return settings.status() == QSettings::FormatError;
}

QString QtSettingsStore::KeepAside(const QString& path, const QByteArray& content) {
    const QString first = path + QStringLiteral(".damaged");
    for (int n = 0; n < 10000; ++n) {
        const QString name = n == 0 ? first : first + QLatin1Char('.') + QString::number(n);
        QFile copy(name);
        // NewOnly fails when the name exists, also when another instance
        // takes it at the same moment.
        if (copy.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (copy.write(content) == content.size() && copy.flush()) return name;
            copy.remove();
            return QString();
        }
        if (!QFileInfo::exists(name) && !QFileInfo(name).isSymLink()) return QString();
    }
    return QString();
}

void QtSettingsStore::CheckBeforeFirstWrite(const QString& path) {
    if (!checked_.insert(path).second) return;
    const QFileInfo info(path);
    if (!info.isFile()) return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return;
    const QByteArray content = file.readAll();
    file.close();
    if (!IsDamaged(content)) return;
    const QString copy = KeepAside(path, content);
    if (copy.isEmpty()) {
        std::cerr << "metrivo: the settings file " << path.toStdString()
                  << " cannot be read as settings and no copy of it could be kept\n";
    } else {
        std::cerr << "metrivo: the settings file " << path.toStdString()
                  << " cannot be read as settings; it was kept as " << copy.toStdString()
                  << "\n";
    }
    std::cerr.flush();
}

void QtSettingsStore::WarnNotSaved(const QString& path) {
    if (warned_) return;
    warned_ = true;
    std::cerr << "metrivo: warning: cannot save settings to " << path.toStdString()
              << " (it is not a writable file in a writable folder); choices made in this run "
                 "will not be remembered\n";
    std::cerr.flush();
}

}  // namespace metrivo

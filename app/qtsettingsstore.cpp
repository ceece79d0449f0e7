#include "qtsettingsstore.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QVariant>

namespace metrivo {
namespace {

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
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
    QSettings settings(FilePath(app), QSettings::IniFormat);
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
    QDir().mkpath(configFolder_);
    QSettings settings(FilePath(app), QSettings::IniFormat);
    settings.beginGroup(ToQString(section));
    settings.setValue(ToQString(key), ToQString(value));
    settings.endGroup();
    settings.sync();
}

}  // namespace metrivo

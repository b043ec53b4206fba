#include "platform/qt/QtSettingsStore.h"

namespace tagloom {

namespace {

QString settingsKey(const std::string& section, const std::string& key) {
    return QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(key);
}

}  // namespace

QtSettingsStore::QtSettingsStore()
    : settings_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                            QStringLiteral("Fenwold"), QStringLiteral("Tagloom"))) {}

QtSettingsStore::QtSettingsStore(const QString& iniPath)
    : settings_(std::make_unique<QSettings>(iniPath, QSettings::IniFormat)) {}

int QtSettingsStore::getInt(const std::string& section, const std::string& key, int defaultValue) const {
    const QVariant value = settings_->value(settingsKey(section, key));
    if (!value.isValid()) return defaultValue;
    bool ok = false;
    const int number = value.toString().trimmed().toInt(&ok);
    return ok ? number : defaultValue;
}

std::string QtSettingsStore::getString(const std::string& section, const std::string& key,
                                       const std::string& defaultValue) const {
    const QVariant value = settings_->value(settingsKey(section, key));
    if (!value.isValid()) return defaultValue;
    // A value written as a list (an unquoted comma in a hand-edited file) reads back joined.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(',')).toStdString();
    return value.toString().toStdString();
}

void QtSettingsStore::setInt(const std::string& section, const std::string& key, int value) {
    settings_->setValue(settingsKey(section, key), value);
}

void QtSettingsStore::setString(const std::string& section, const std::string& key, const std::string& value) {
    settings_->setValue(settingsKey(section, key), QString::fromStdString(value));
}

void QtSettingsStore::remove(const std::string& section, const std::string& key) {
    settings_->remove(settingsKey(section, key));
}

void QtSettingsStore::flush() { settings_->sync(); }

}  // namespace tagloom

#pragma once
// The settings store on QSettings: "section/key" in the per-user store of
// organisation "Fenwold", application "Tagloom" (~/.config/Fenwold/Tagloom.conf
// here, the registry on Windows), or in a given file.
#include <QSettings>
#include <memory>

#include "platform/SettingsStore.h"

namespace tagloom {

class QtSettingsStore : public SettingsStore {
public:
    // The user's store.
    QtSettingsStore();
    // A store in an INI file of its own (tests, portable installs).
    explicit QtSettingsStore(const QString& iniPath);

    int getInt(const std::string& section, const std::string& key, int defaultValue) const override;
    std::string getString(const std::string& section, const std::string& key,
                          const std::string& defaultValue) const override;
    void setInt(const std::string& section, const std::string& key, int value) override;
    void setString(const std::string& section, const std::string& key, const std::string& value) override;
    void remove(const std::string& section, const std::string& key) override;
    void flush() override;

private:
    std::unique_ptr<QSettings> settings_;
};

}  // namespace tagloom

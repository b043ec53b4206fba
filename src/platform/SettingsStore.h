#pragma once
// The per-user settings store: integers and strings by section and key.
// A missing or unreadable value yields the default the caller gives.
#include <string>

namespace tagloom {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual int getInt(const std::string& section, const std::string& key, int defaultValue) const = 0;
    virtual std::string getString(const std::string& section, const std::string& key,
                                  const std::string& defaultValue) const = 0;
    virtual void setInt(const std::string& section, const std::string& key, int value) = 0;
    virtual void setString(const std::string& section, const std::string& key, const std::string& value) = 0;
    virtual void remove(const std::string& section, const std::string& key) = 0;
    // Writes pending changes to permanent storage.
    virtual void flush() = 0;
};

}  // namespace tagloom

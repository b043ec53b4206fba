#pragma once
// A settings store held in memory; values are kept as the text a settings
// file would hold, so tests can plant unreadable values.
#include <map>
#include <string>
#include <utility>

#include "platform/SettingsStore.h"

namespace tagloom::test {

class MemorySettingsStore : public SettingsStore {
public:
    using Key = std::pair<std::string, std::string>;

    int getInt(const std::string& section, const std::string& key, int defaultValue) const override;
    std::string getString(const std::string& section, const std::string& key,
                          const std::string& defaultValue) const override;
    void setInt(const std::string& section, const std::string& key, int value) override;
    void setString(const std::string& section, const std::string& key, const std::string& value) override;
    void remove(const std::string& section, const std::string& key) override;
    void flush() override { ++flushes; }

    bool contains(const std::string& section, const std::string& key) const;
    // The raw text stored under a key, empty when there is none.
    std::string raw(const std::string& section, const std::string& key) const;

    std::map<Key, std::string> values;
    int flushes = 0;
};

}  // namespace tagloom::test

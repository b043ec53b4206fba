#include "support/MemorySettingsStore.h"

#include <charconv>

namespace tagloom::test {

int MemorySettingsStore::getInt(const std::string& section, const std::string& key, int defaultValue) const {
    const auto it = values.find({section, key});
    if (it == values.end()) return defaultValue;
    const std::string& text = it->second;
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() ? value : defaultValue;
}

std::string MemorySettingsStore::getString(const std::string& section, const std::string& key,
                                           const std::string& defaultValue) const {
    const auto it = values.find({section, key});
    return it == values.end() ? defaultValue : it->second;
}

void MemorySettingsStore::setInt(const std::string& section, const std::string& key, int value) {
    values[{section, key}] = std::to_string(value);
}

void MemorySettingsStore::setString(const std::string& section, const std::string& key, const std::string& value) {
    values[{section, key}] = value;
}

void MemorySettingsStore::remove(const std::string& section, const std::string& key) { values.erase({section, key}); }

bool MemorySettingsStore::contains(const std::string& section, const std::string& key) const {
    return values.count({section, key}) != 0;
}

std::string MemorySettingsStore::raw(const std::string& section, const std::string& key) const {
    return getString(section, key, "");
}

}  // namespace tagloom::test

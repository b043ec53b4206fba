// The editor's settings read from a store that answers every question with
// hostile values: any integer, any bytes. What the load keeps is usable: sizes
// and depths in their ranges, a font name, histories of at most 12 entries;
// and saving then loading it again gives the same settings.
#include <fuzzer/FuzzedDataProvider.h>

#include <map>
#include <string>
#include <utility>

#include "FuzzCheck.h"
#include "platform/SettingsStore.h"
#include "settings/EditorSettings.h"

using namespace tagloom;

namespace {

// Answers each read with the next value of the fuzzer's input, or the
// caller's default once the input is spent.
class HostileStore : public SettingsStore {
public:
    explicit HostileStore(FuzzedDataProvider& input) : input_(input) {}
    int getInt(const std::string&, const std::string&, int defaultValue) const override {
        if (input_.remaining_bytes() == 0) return defaultValue;
        switch (input_.ConsumeIntegralInRange(0, 3)) {
            case 0: return defaultValue;
            case 1: return input_.ConsumeIntegral<int>();
            default: return input_.ConsumeIntegralInRange(-2, 20);
        }
    }
    std::string getString(const std::string&, const std::string&, const std::string& defaultValue) const override {
        return input_.remaining_bytes() == 0 || input_.ConsumeBool() ? defaultValue : input_.ConsumeRandomLengthString(64);
    }
    void setInt(const std::string&, const std::string&, int) override {}
    void setString(const std::string&, const std::string&, const std::string&) override {}
    void remove(const std::string&, const std::string&) override {}
    void flush() override {}

private:
    FuzzedDataProvider& input_;
};

// Keeps what is written and gives it back.
class MapStore : public SettingsStore {
public:
    int getInt(const std::string& section, const std::string& key, int defaultValue) const override {
        const auto found = ints_.find({section, key});
        return found == ints_.end() ? defaultValue : found->second;
    }
    std::string getString(const std::string& section, const std::string& key, const std::string& defaultValue) const override {
        const auto found = strings_.find({section, key});
        return found == strings_.end() ? defaultValue : found->second;
    }
    void setInt(const std::string& section, const std::string& key, int value) override { ints_[{section, key}] = value; }
    void setString(const std::string& section, const std::string& key, const std::string& value) override {
        strings_[{section, key}] = value;
    }
    void remove(const std::string& section, const std::string& key) override {
        ints_.erase({section, key});
        strings_.erase({section, key});
    }
    void flush() override {}

private:
    std::map<std::pair<std::string, std::string>, int> ints_;
    std::map<std::pair<std::string, std::string>, std::string> strings_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    HostileStore hostile(input);
    EditorSettings settings;
    settings.load(hostile);
    FUZZ_CHECK(1 <= settings.fontPtSize && settings.fontPtSize <= EditorSettings::kLargestPointSize);
    FUZZ_CHECK(1 <= settings.printerPtSize && settings.printerPtSize <= EditorSettings::kLargestPointSize);
    FUZZ_CHECK(0 <= settings.nTabChars && settings.nTabChars <= EditorSettings::kLargestTabChars);
    FUZZ_CHECK(0 <= settings.subfolderDepth && settings.subfolderDepth <= EditorSettings::kLargestSubfolderDepth);
    FUZZ_CHECK(!settings.fontFaceName.empty());
    FUZZ_CHECK(settings.findStrs.size() <= 12 && settings.replaceStrs.size() <= 12);

    MapStore store;
    settings.save(store);
    EditorSettings reread;
    reread.load(store);
    FUZZ_CHECK(reread.fontPtSize == settings.fontPtSize && reread.nTabChars == settings.nTabChars);
    FUZZ_CHECK(reread.fontFaceName == settings.fontFaceName && reread.strFindText == settings.strFindText);
    FUZZ_CHECK(reread.findStrs == settings.findStrs && reread.replaceStrs == settings.replaceStrs);
    FUZZ_CHECK(reread.subfolderDepth == settings.subfolderDepth && reread.strFifType == settings.strFifType);
    return 0;
}

// Every key of KorvaNT.ini with any text (or missing): start-up takes it, every ranged value
// lands in its range, and saving what was read then reading it back saves the same file.
#include <fuzzer/FuzzedDataProvider.h>

#include <map>

#include "fakes/fake_text_files.h"
#include "fuzz_input.h"
#include "platform/profile_number.h"
#include "settings/key_table.h"
#include "settings/load_settings.h"

using namespace settings;

namespace {

// The file as a map written in place: the shared fake's log of every write and its copy per
// update cost most of each input, and nothing here fails a write.
class IniModel : public platform::ProfileFile {
public:
    std::map<std::wstring, std::map<std::wstring, std::wstring>> values;

    int getInt(const std::wstring& section, const std::wstring& key, int def) override {
        const std::wstring* v = find(section, key);
        return !v || v->empty() ? def : platform::leadingInt32(*v);
    }
    std::wstring getString(const std::wstring& section, const std::wstring& key,
                           const std::wstring& def) override {
        const std::wstring* v = find(section, key);
        return v ? *v : def;
    }
    bool write(const std::wstring& section, const std::wstring& key,
               const std::wstring& value) override {
        values[section][key] = value;
        return true;
    }
    bool remove(const std::wstring& section, const std::wstring& key) override {
        values[section].erase(key);
        return true;
    }
    bool update(const std::function<bool(platform::ProfileFile&)>& apply) override {
        return apply(*this);
    }

private:
    const std::wstring* find(const std::wstring& section, const std::wstring& key) const {
        auto s = values.find(section);
        if (s == values.end()) return nullptr;
        auto k = s->second.find(key);
        return k == s->second.end() ? nullptr : &k->second;
    }
};

void requireInRange(const Settings& s) {
    for (const KeyDef& def : keyTable()) {
        auto field = std::get_if<int Settings::*>(&def.field);
        if (!field || def.range == Range::Any) continue;
        int value = s.**field;
        fuzz::require(value >= def.min && value <= def.max, "a ranged setting is out of range");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    IniModel ini;
    for (const KeyDef& def : keyTable())
        if (input.ConsumeBool())
            ini.values[def.section][def.key] = fuzz::wideText(input.ConsumeRandomLengthString(600));
    fakes::FakeTextFiles files;
    const SettingsPaths paths = SettingsPaths::inFolder(L"C:\\KorvaNT");

    LiveSettings first = loadLiveSettings(ini, files, paths);
    requireInRange(first.settings);
    fuzz::require(first.displayRows.size() <= kMainListPositions,
                  "more display rows than the list holds");
    saveSettings(first, ini, files, paths);
    const auto savedIni = ini.values;
    const auto savedFiles = files.files;

    LiveSettings second = loadLiveSettings(ini, files, paths);
    saveSettings(second, ini, files, paths);
    fuzz::require(ini.values == savedIni, "the settings change between two starts");
    fuzz::require(files.files == savedFiles, "the side lists change between two starts");
    return 0;
}

#pragma once
#include <algorithm>
#include <cwctype>
#include <string>
#include <utility>
#include <vector>

#include "platform/profile_file.h"
#include "platform/profile_number.h"

namespace fakes {

// An INI file's text in memory, laid out as the Windows profile functions lay it out: a new key
// goes to the end of its section, a new section to the end of the file, names match whatever
// their letter case. Bytes stand for characters one to one, so a text comes back byte for byte.
class FakeIniText : public platform::ProfileFile {
public:
    explicit FakeIniText(const std::string& bytes = {}) {
        size_t at = 0;
        while (at < bytes.size()) {
            size_t end = bytes.find("\r\n", at);
            if (end == std::string::npos) end = bytes.size();
            std::wstring line;
            for (size_t i = at; i < end; ++i) line += static_cast<unsigned char>(bytes[i]);
            at = end + 2;
            if (line.size() > 1 && line.front() == L'[' && line.back() == L']')
                sections_.push_back({line.substr(1, line.size() - 2), {}});
            else if (size_t eq = line.find(L'='); eq != std::wstring::npos && !sections_.empty())
                sections_.back().keys.emplace_back(line.substr(0, eq), line.substr(eq + 1));
        }
    }

    std::string text() const {
        std::wstring out;
        for (const Section& section : sections_) {
            out += L"[" + section.name + L"]\r\n";
            for (const auto& [key, value] : section.keys) out += key + L"=" + value + L"\r\n";
        }
        std::string bytes;
        for (wchar_t c : out) bytes += static_cast<char>(c);  // each character one byte again
        return bytes;
    }

    int getInt(const std::wstring& section, const std::wstring& key, int def) override {
        const std::wstring* v = find(section, key);
        if (!v || v->empty()) return def;
        return platform::leadingInt32(*v);
    }
    std::wstring getString(const std::wstring& section, const std::wstring& key,
                           const std::wstring& def) override {
        const std::wstring* v = find(section, key);
        return v ? *v : def;
    }
    bool write(const std::wstring& section, const std::wstring& key,
               const std::wstring& value) override {
        if (std::wstring* v = find(section, key)) {
            *v = value;
            return true;
        }
        auto s = std::find_if(sections_.begin(), sections_.end(),
                              [&](const Section& one) { return same(one.name, section); });
        if (s == sections_.end()) s = sections_.insert(sections_.end(), {section, {}});
        s->keys.emplace_back(key, value);
        return true;
    }
    bool remove(const std::wstring& section, const std::wstring& key) override {
        for (Section& s : sections_)
            if (same(s.name, section))
                std::erase_if(s.keys, [&](const auto& kv) { return same(kv.first, key); });
        return true;
    }
    bool update(const std::function<bool(platform::ProfileFile&)>& apply) override {
        FakeIniText copy = *this;
        if (!apply(copy)) return false;
        *this = copy;
        return true;
    }

private:
    struct Section {
        std::wstring name;
        std::vector<std::pair<std::wstring, std::wstring>> keys;
    };
    static bool same(const std::wstring& a, const std::wstring& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](wchar_t x, wchar_t y) {
            return std::towlower(x) == std::towlower(y);
        });
    }
    std::wstring* find(const std::wstring& section, const std::wstring& key) {
        for (Section& s : sections_)
            if (same(s.name, section))
                for (auto& [k, v] : s.keys)
                    if (same(k, key)) return &v;
        return nullptr;
    }
    std::vector<Section> sections_;
};

}  // namespace fakes

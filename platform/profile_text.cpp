#include "platform/profile_text.h"

#include <algorithm>
#include <optional>

#include "base/text_search.h"
#include "platform/profile_number.h"

namespace platform {
namespace {

bool isBlank(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\v' || c == L'\f' ||
           c == 0x1A;
}

std::wstring_view trimmed(std::wstring_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

// The name of a section header line ("[name]"), or nothing for any other line.
std::optional<std::wstring_view> headerName(std::wstring_view line) {
    line = trimmed(line);
    size_t close = line.rfind(L']');
    if (!line.starts_with(L'[') || close == std::wstring_view::npos) return std::nullopt;
    return trimmed(line.substr(1, close - 1));
}

struct KeyLine {
    std::wstring_view name;   // as the file spells it
    std::wstring_view value;  // without the blanks around it
};

// A line that is no header as a key: "name=value", or a name alone with an empty value.
std::optional<KeyLine> keyLine(std::wstring_view line) {
    line = trimmed(line);
    size_t equals = line.find(L'=');
    std::wstring_view name = trimmed(line.substr(0, equals));
    if (name.empty() || line.starts_with(L'[')) return std::nullopt;
    if (equals == std::wstring_view::npos) return KeyLine{name, {}};
    return KeyLine{name, trimmed(line.substr(equals + 1))};
}

std::wstring valueOf(const ProfileLine& line) { return std::wstring(keyLine(line.text)->value); }

}  // namespace

ProfileText::ProfileText(std::vector<ProfileLine> lines) {
    sections_.emplace_back();  // the lines before the first header
    for (ProfileLine& line : lines) {
        if (std::optional<std::wstring_view> name = headerName(line.text)) {
            sectionByName_.try_emplace(base::foldedCase(std::wstring(*name)), sections_.size());
            sections_.emplace_back();
        }
        Section& section = sections_.back();
        if (!trimmed(line.text).empty()) section.keyEnd = section.lines.size() + 1;
        section.lines.push_back(std::move(line));
    }
    for (Section& section : sections_) section.removed.assign(section.lines.size(), false);
}

std::unordered_map<std::wstring, size_t>& ProfileText::keysOf(Section& section) {
    if (section.indexed) return section.keys;
    section.indexed = true;
    for (size_t i = 0; i < section.lines.size(); ++i)
        if (std::optional<KeyLine> key = keyLine(section.lines[i].text))
            section.keys.try_emplace(base::foldedCase(std::wstring(key->name)), i);
    return section.keys;
}

const ProfileLine* ProfileText::find(const std::wstring& section, const std::wstring& key) {
    auto s = sectionByName_.find(base::foldedCase(section));
    if (s == sectionByName_.end()) return nullptr;
    Section& found = sections_[s->second];
    auto& keys = keysOf(found);
    auto k = keys.find(base::foldedCase(key));
    return k == keys.end() ? nullptr : &found.lines[k->second];
}

int ProfileText::getInt(const std::wstring& section, const std::wstring& key, int def) {
    const ProfileLine* found = find(section, key);
    std::wstring value = found ? valueOf(*found) : std::wstring();
    return value.empty() ? def : leadingInt32(value);
}

std::wstring ProfileText::getString(const std::wstring& section, const std::wstring& key,
                                    const std::wstring& def) {
    const ProfileLine* found = find(section, key);
    if (!found) return def;
    std::wstring value = valueOf(*found);
    // A value in quotes reads without them, as the profile functions give it.
    if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

void ProfileText::orderSections(std::vector<std::wstring> order) {
    for (std::wstring& name : order) name = base::foldedCase(name);
    order_ = std::move(order);
}

std::vector<std::wstring> ProfileText::keysEndedByLoneCr(const std::wstring& section) {
    std::vector<std::wstring> keys;
    auto found = sectionByName_.find(base::foldedCase(section));
    if (found == sectionByName_.end()) return keys;
    for (const ProfileLine& line : sections_[found->second].lines) {
        // A CR LF ends in LF; a lone CR is "\r" in ANSI, UTF-8 and UTF-16BE, "\r\0" in UTF-16LE.
        const bool loneCr =
            line.bytes.ends_with('\r') || line.bytes.ends_with(std::string_view("\r\0", 2));
        if (std::optional<KeyLine> key = keyLine(line.text); key && loneCr)
            keys.emplace_back(key->name);
    }
    return keys;
}

ProfileText::Section& ProfileText::sectionFor(const std::wstring& name) {
    const std::wstring folded = base::foldedCase(name);
    if (auto found = sectionByName_.find(folded); found != sectionByName_.end())
        return sections_[found->second];
    // Before the first section the file holds that the writer's order puts after this one.
    size_t place = sections_.size();
    auto mine = std::find(order_.begin(), order_.end(), folded);
    if (mine != order_.end())
        for (auto later = std::next(mine); later != order_.end(); ++later)
            if (auto held = sectionByName_.find(*later); held != sectionByName_.end())
                place = std::min(place, held->second);
    for (auto& [other, index] : sectionByName_)
        if (index >= place) ++index;
    sectionByName_.emplace(folded, place);
    Section section;
    section.lines.push_back({L"[" + name + L"]", {}, true});
    section.removed.push_back(false);
    section.keyEnd = 1;
    sections_.insert(sections_.begin() + static_cast<std::ptrdiff_t>(place), std::move(section));
    return sections_[place];
}

bool ProfileText::write(const std::wstring& section, const std::wstring& key,
                        const std::wstring& value) {
    // Leading blanks would not read back, so the profile functions drop them.
    std::wstring_view kept = value;
    while (!kept.empty() && isBlank(kept.front())) kept.remove_prefix(1);
    Section& s = sectionFor(section);
    auto [at, added] = keysOf(s).try_emplace(base::foldedCase(key), s.keyEnd);
    if (added) {
        auto to = static_cast<std::ptrdiff_t>(s.keyEnd);
        s.lines.insert(s.lines.begin() + to, {key + L"=" + std::wstring(kept), {}, true});
        s.removed.insert(s.removed.begin() + to, false);
        ++s.keyEnd;  // the lines after it are blank, and no key's
    } else {
        ProfileLine& line = s.lines[at->second];
        KeyLine stored = *keyLine(line.text);
        if (stored.value == kept) return true;
        line = {std::wstring(stored.name) + L"=" + std::wstring(kept), {}, true};
    }
    changed_ = true;
    return true;
}

bool ProfileText::remove(const std::wstring& section, const std::wstring& key) {
    auto s = sectionByName_.find(base::foldedCase(section));
    if (s == sectionByName_.end()) return true;
    Section& found = sections_[s->second];
    auto& keys = keysOf(found);
    auto k = keys.find(base::foldedCase(key));
    if (k == keys.end()) return true;
    found.removed[k->second] = true;
    keys.erase(k);
    changed_ = true;
    return true;
}

std::string ProfileText::bytes(const std::function<std::string(std::wstring_view)>& encode) const {
    const std::string lineEnd = encode(L"\r\n");
    std::string out;
    bool open = false;  // the last line written has no line end yet
    for (const Section& section : sections_) {
        for (size_t i = 0; i < section.lines.size(); ++i) {
            if (section.removed[i]) continue;
            if (open) out += lineEnd;
            const ProfileLine& line = section.lines[i];
            if (line.bytes.empty()) {
                out += encode(line.text) + lineEnd;
                open = false;
            } else {
                out += line.bytes;
                open = !line.ended;
            }
        }
    }
    return out;
}

}  // namespace platform

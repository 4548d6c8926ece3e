#include "base/texts.h"

#include <array>
#include <atomic>

namespace base {
namespace {

using Index = std::array<const wchar_t*, kTextCount>;

Index indexOf(std::span<const TextEntry> table) {
    Index index{};
    for (const TextEntry& entry : table) {
        const int i = static_cast<int>(entry.id);
        if (i >= 0 && i < kTextCount) index[i] = entry.text;
    }
    return index;
}

const Index& indexFor(Language language) {
    static const Index japanese = indexOf(japaneseTexts());
    static const Index english = indexOf(englishTexts());
    return language == Language::English ? english : japanese;
}

constexpr const char* kNames[] = {
#define KORVANT_TEXT_NAME(name) #name,
    KORVANT_TEXTS(KORVANT_TEXT_NAME)
#undef KORVANT_TEXT_NAME
};
static_assert(std::size(kNames) == kTextCount);

std::atomic<Language> current{Language::Japanese};

}  // namespace

void setLanguage(Language language) { current.store(language, std::memory_order_relaxed); }

Language language() { return current.load(std::memory_order_relaxed); }

const wchar_t* textIn(Language language, Text id) {
    const int i = static_cast<int>(id);
    if (i < 0 || i >= kTextCount) return L"";
    const wchar_t* found = indexFor(language)[i];
    return found ? found : L"";
}

const wchar_t* text(Text id) { return textIn(language(), id); }

std::wstring formatText(std::wstring_view pattern, std::initializer_list<std::wstring_view> args) {
    std::wstring out;
    out.reserve(pattern.size() + 16);
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == L'{' && i + 2 < pattern.size() && pattern[i + 2] == L'}' &&
            pattern[i + 1] >= L'0' && pattern[i + 1] <= L'9') {
            const size_t arg = static_cast<size_t>(pattern[i + 1] - L'0');
            if (arg < args.size()) out += *(args.begin() + arg);
            i += 2;
            continue;
        }
        out += pattern[i];
    }
    return out;
}

std::wstring format(Text id, std::initializer_list<std::wstring_view> args) {
    return formatText(text(id), args);
}

bool textNamed(std::wstring_view name, Text& id) {
    for (int i = 0; i < kTextCount; ++i) {
        const char* n = kNames[i];
        size_t k = 0;
        while (k < name.size() && n[k] && static_cast<wchar_t>(n[k]) == name[k]) ++k;
        if (k == name.size() && !n[k]) {
            id = static_cast<Text>(i);
            return true;
        }
    }
    return false;
}

const char* nameOf(Text id) {
    const int i = static_cast<int>(id);
    return i >= 0 && i < kTextCount ? kNames[i] : "";
}

}  // namespace base

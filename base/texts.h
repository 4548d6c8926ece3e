#pragma once
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "base/text_ids.h"

namespace base {

// The languages of the user interface; Japanese is the default whatever the system's.
enum class Language { Japanese, English };

enum class Text : int {
#define KORVANT_TEXT_ID(name) name,
    KORVANT_TEXTS(KORVANT_TEXT_ID)
#undef KORVANT_TEXT_ID
        Count
};

constexpr int kTextCount = static_cast<int>(Text::Count);

struct TextEntry {
    Text id;
    const wchar_t* text;
};

// Each language's table, in its own order.
std::span<const TextEntry> japaneseTexts();
std::span<const TextEntry> englishTexts();

// The language every text is taken in from now on. Set on the window thread; other threads only
// read it.
void setLanguage(Language language);
Language language();

// The text in the current language (empty when a table lacks it).
const wchar_t* text(Text id);
const wchar_t* textIn(Language language, Text id);

// The text with "{0}" .. "{9}" replaced by the arguments.
std::wstring format(Text id, std::initializer_list<std::wstring_view> args);
std::wstring formatText(std::wstring_view pattern, std::initializer_list<std::wstring_view> args);

// The text named as in the code ("MenuExit"); templates name their texts so ("@MenuExit").
bool textNamed(std::wstring_view name, Text& id);
const char* nameOf(Text id);

}  // namespace base

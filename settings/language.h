#pragma once
#include <string>

#include "base/texts.h"
#include "settings/live_settings.h"

namespace settings {

// The stored language: "en" is English; anything else, or nothing, is Japanese.
base::Language languageOf(const std::wstring& code);
const wchar_t* codeOf(base::Language language);

// The language chosen: stored, taken by every text from now on, and announced so that every
// window shows its texts again.
void chooseLanguage(base::Language language, LiveSettings& live);

}  // namespace settings

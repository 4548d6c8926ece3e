#include "settings/language.h"

namespace settings {

base::Language languageOf(const std::wstring& code) {
    return code == L"en" ? base::Language::English : base::Language::Japanese;
}

const wchar_t* codeOf(base::Language language) {
    return language == base::Language::English ? L"en" : L"ja";
}

void chooseLanguage(base::Language language, LiveSettings& live) {
    live.settings.language = codeOf(language);
    if (base::language() == language) return;
    base::setLanguage(language);
    live.notices.changed(&live.settings.language);
}

}  // namespace settings

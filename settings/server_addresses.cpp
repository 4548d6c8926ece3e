#include "settings/server_addresses.h"

#include "settings/settings_file.h"

namespace settings {

ServerAddresses readServerAddresses(platform::ProfileFile& ini) {
    return {readTextSetting(ini, &Settings::updatePage), readTextSetting(ini, &Settings::ipPage),
            readTextSetting(ini, &Settings::homePage),
            readTextSetting(ini, &Settings::counterPage)};
}

std::wstring counterQueryAddress(const std::wstring& counterPage) {
    wchar_t joint = counterPage.find(L'?') == std::wstring::npos ? L'?' : L'&';
    return counterPage + joint + L"ver=" + std::to_wstring(settings::kSettingsVersion) +
           L"&type=main";
}

}  // namespace settings

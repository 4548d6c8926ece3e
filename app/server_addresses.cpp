#include "app/server_addresses.h"

#include "settings/settings_file.h"

namespace app {

ServerAddresses readServerAddresses(platform::ProfileFile& ini) {
    using settings::Settings;
    return {settings::readTextSetting(ini, &Settings::updatePage),
            settings::readTextSetting(ini, &Settings::ipPage),
            settings::readTextSetting(ini, &Settings::homePage),
            settings::readTextSetting(ini, &Settings::counterPage)};
}

std::wstring counterQueryAddress(const std::wstring& counterPage) {
    wchar_t joint = counterPage.find(L'?') == std::wstring::npos ? L'?' : L'&';
    return counterPage + joint + L"ver=" + std::to_wstring(settings::kSettingsVersion) +
           L"&type=main";
}

}  // namespace app

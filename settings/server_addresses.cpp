#include "settings/server_addresses.h"

#include "settings/settings_file.h"

namespace settings {

ServerAddresses readServerAddresses(platform::ProfileFile& ini) {
    return {readTextSetting(ini, &Settings::updatePage), readTextSetting(ini, &Settings::ipPage),
            readTextSetting(ini, &Settings::homePage),
            readTextSetting(ini, &Settings::counterPage)};
}

std::wstring counterQueryAddress(const std::wstring& counterPage) {
    // The query goes before a fragment: after it, it would never reach the server.
    const std::size_t fragment = counterPage.find(L'#');
    const std::wstring page = counterPage.substr(0, fragment);
    wchar_t joint = page.find(L'?') == std::wstring::npos ? L'?' : L'&';
    if (page.ends_with(L'?') || page.ends_with(L'&')) joint = 0;
    std::wstring address = page;
    if (joint) address += joint;
    address += L"ver=" + std::to_wstring(settings::kSettingsVersion) + L"&type=main";
    if (fragment != std::wstring::npos) address += counterPage.substr(fragment);
    return address;
}

}  // namespace settings

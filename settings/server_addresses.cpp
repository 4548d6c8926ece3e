#include "settings/server_addresses.h"

#include "settings/settings.h"

namespace settings {
namespace {

constexpr const wchar_t* kSection = L"Servers";

}  // namespace

ServerAddresses readServerAddresses(platform::ProfileFile& ini) {
    return {ini.getString(kSection, L"UpdatePage", kDefaultUpdatePage),
            ini.getString(kSection, L"IpPage", kDefaultIpPage),
            ini.getString(kSection, L"HomePage", kDefaultHomePage),
            ini.getString(kSection, L"CounterPage", L"")};
}

std::wstring counterQueryAddress(const std::wstring& counterPage) {
    wchar_t joint = counterPage.find(L'?') == std::wstring::npos ? L'?' : L'&';
    return counterPage + joint + L"ver=" + std::to_wstring(settings::kSettingsVersion) +
           L"&type=main";
}

}  // namespace settings

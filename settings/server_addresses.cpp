#include "settings/server_addresses.h"

#include "base/text_search.h"
#include "settings/key_table.h"
#include "settings/settings_file.h"

namespace settings {

ServerAddresses readServerAddresses(platform::ProfileFile& ini) {
    ServerAddresses addresses{readTextSetting(ini, &Settings::updatePage),
                              readTextSetting(ini, &Settings::ipPage),
                              readTextSetting(ini, &Settings::homePage),
                              readTextSetting(ini, &Settings::counterPage),
                              {}};
    // Read only: nothing is written, so the file stays as it is.
    ini.update([&](platform::ProfileFile& file) {
        for (const Field& field : {Field(&Settings::updatePage), Field(&Settings::ipPage),
                                   Field(&Settings::homePage), Field(&Settings::counterPage)}) {
            const KeyDef& def = keyOf(field);
            for (const std::wstring& key : file.keysEndedByLoneCr(def.section))
                if (base::foldedCase(key) == base::foldedCase(def.key))
                    addresses.cutKeys.push_back(def.key);
        }
        return true;
    });
    return addresses;
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

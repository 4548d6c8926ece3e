#include "features/script_toggles.h"

#include "features/registry_routines.h"
#include "monitor/browser_registry.h"

namespace features {
namespace {

bool toggle(platform::Registry& registry, platform::Dialogs& dialogs,
            const monitor::ValueTexts& shown, settings::Item item, const wchar_t* valueName) {
    return writeRegistryDword(registry, dialogs, monitor::kInternetZoneKey, valueName,
                              scriptPolicyAfterToggle(shown[item]));
}

}  // namespace

std::int16_t scriptPolicyAfterToggle(const std::wstring& shownText) {
    return shownText == L"OFF" ? kPolicyAllow : kPolicyDisallow;
}

bool toggleActiveScripting(platform::Registry& registry, platform::Dialogs& dialogs,
                           const monitor::ValueTexts& shown) {
    return toggle(registry, dialogs, shown, settings::Item::ActiveScripting, L"1400");
}

bool toggleJavaScripting(platform::Registry& registry, platform::Dialogs& dialogs,
                         const monitor::ValueTexts& shown) {
    return toggle(registry, dialogs, shown, settings::Item::JavaScripting, L"1402");
}

}  // namespace features

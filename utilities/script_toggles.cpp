#include "utilities/script_toggles.h"

#include "utilities/registry_routines.h"

namespace utilities {
namespace {

bool toggle(platform::Registry& registry, platform::Dialogs& dialogs,
            const monitor::MonitorState& state, int slot, const wchar_t* valueName) {
    return writeRegistryDword(registry, dialogs, kInternetZoneKey, valueName,
                              scriptPolicyAfterToggle(state.valueText[slot]));
}

}  // namespace

std::int16_t scriptPolicyAfterToggle(const std::wstring& shownText) {
    return shownText == L"OFF" ? kPolicyAllow : kPolicyDisallow;
}

bool toggleActiveScripting(platform::Registry& registry, platform::Dialogs& dialogs,
                           const monitor::MonitorState& state) {
    return toggle(registry, dialogs, state, 8, L"1400");
}

bool toggleJavaScripting(platform::Registry& registry, platform::Dialogs& dialogs,
                         const monitor::MonitorState& state) {
    return toggle(registry, dialogs, state, 9, L"1402");
}

}  // namespace utilities

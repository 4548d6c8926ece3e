#include "features/start_with_windows.h"

#include "base/text_search.h"

namespace features {

std::wstring runCommandFor(const std::wstring& exePath) { return L"\"" + exePath + L"\""; }

bool startsWithWindows(platform::Registry& registry, const std::wstring& exePath) {
    platform::RegistryRead value =
        registry.read(platform::Hive::CurrentUser, kRunKey, kRunValueName);
    if (!value.ok || value.type != platform::kRegSz) return false;
    // Windows compares paths without regard to letter case.
    std::wstring command = runCommandFor(exePath);
    return value.text.size() == command.size() && base::startsWithNoCase(value.text, command);
}

bool setStartWithWindows(platform::Registry& registry, const std::wstring& exePath, bool on) {
    if (on) {
        platform::StringWrite written =
            registry.writeString(kRunKey, kRunValueName, runCommandFor(exePath));
        if (written == platform::StringWrite::KeyFailed ||
            written == platform::StringWrite::WriteFailed)
            return false;
    } else if (startsWithWindows(registry, exePath) &&
               !registry.deleteValue(kRunKey, kRunValueName)) {
        // A value naming another copy is that copy's: it stays.
        return false;
    }
    return startsWithWindows(registry, exePath) == on;
}

}  // namespace features

#include "platform/win32/registry_win32.h"

#include <windows.h>

#include <cstring>

#include "platform/win32/ansi.h"
#include "platform/win32/unique_handle.h"

namespace win32 {
namespace {

// Values that do not fit the reader's 1023-byte buffer read as nothing.
constexpr DWORD kReadBufferBytes = 1023;
constexpr DWORD kValuesAndNames = REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET;

HKEY rootOf(platform::Hive hive) {
    return hive == platform::Hive::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

UniqueKey createKey(const std::wstring& keyPath) {
    UniqueKey key;
    wchar_t noClass[] = L"";
    if (RegCreateKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, noClass, 0, 0x3F, nullptr, key.put(),
                        nullptr) != ERROR_SUCCESS)
        key.reset();
    return key;
}

}  // namespace

RegistryWin32::RegistryWin32() = default;

RegistryWin32::~RegistryWin32() = default;

platform::RegistryRead RegistryWin32::read(platform::Hive hive, const std::wstring& keyPath,
                                           const std::wstring& valueName) {
    platform::RegistryRead result;
    char buffer[kReadBufferBytes] = {};
    DWORD type = 0;
    DWORD size = kReadBufferBytes;
    LSTATUS status = ERROR_KEY_DELETED;
    const auto id = std::make_pair(hive, keyPath);
    for (int attempt = 0; attempt < 2 && status == ERROR_KEY_DELETED; ++attempt) {
        auto found = open_.find(id);
        if (found == open_.end() || attempt > 0) {
            UniqueKey key;
            if (RegOpenKeyExA(rootOf(hive), toAnsi(keyPath).c_str(), 0, KEY_READ, key.put()) !=
                ERROR_SUCCESS) {
                key.reset();
                open_.erase(id);
                unwatched_ = true;
                return result;
            }
            if (!watch(key.get(), kValuesAndNames) || !watchParentOf(hive, keyPath))
                unwatched_ = true;
            found = open_.insert_or_assign(id, std::move(key)).first;
        }
        size = kReadBufferBytes;
        status = RegQueryValueExA(found->second.get(), toAnsi(valueName).c_str(), nullptr, &type,
                                  reinterpret_cast<BYTE*>(buffer), &size);
    }
    if (status != ERROR_SUCCESS) return result;
    result.ok = true;
    result.type = type;
    result.text = fromAnsi(std::string(buffer, strnlen(buffer, kReadBufferBytes)));
    std::memcpy(&result.dword, buffer, sizeof result.dword);
    return result;
}

bool RegistryWin32::watch(HKEY key, DWORD what) {
    return changed_ &&
           RegNotifyChangeKeyValue(key, FALSE, what, changed_.get(), TRUE) == ERROR_SUCCESS;
}

// A key's deletion is told to its parent (the key's own watch may not hear it), and a key is
// deleted before any of its ancestors can be.
bool RegistryWin32::watchParentOf(platform::Hive hive, const std::wstring& keyPath) {
    size_t cut = keyPath.rfind(L'\\');
    if (cut == std::wstring::npos) return true;  // a root's own keys stay
    std::wstring parentPath = keyPath.substr(0, cut);
    UniqueKey parent;
    if (RegOpenKeyExW(rootOf(hive), parentPath.c_str(), 0, KEY_NOTIFY, parent.put()) !=
        ERROR_SUCCESS) {
        parent.reset();
        return false;
    }
    bool watched = watch(parent.get(), REG_NOTIFY_CHANGE_NAME);
    parents_.insert_or_assign({hive, parentPath}, std::move(parent));
    return watched;
}

bool RegistryWin32::changedSinceLastAsked() {
    bool changed = unwatched_ || !changed_;
    unwatched_ = false;
    const bool told = told_;
    told_ = false;
    if (told) {
        // A notice fires once: watch again before the values are read, so that a change
        // made while they are read is not missed.
        for (auto& [id, key] : open_)
            if (!watch(key.get(), kValuesAndNames)) unwatched_ = true;
        for (auto& [id, parent] : parents_)
            if (!watch(parent.get(), REG_NOTIFY_CHANGE_NAME)) unwatched_ = true;
        changed = true;
    }
    return changed;
}

bool RegistryWin32::writeDword(const std::wstring& keyPath, const std::wstring& valueName,
                               std::uint32_t value) {
    UniqueKey key = createKey(keyPath);
    if (!key) return false;
    DWORD data = value;
    return RegSetValueExW(key.get(), valueName.c_str(), 0, REG_DWORD,
                          reinterpret_cast<const BYTE*>(&data), sizeof data) == ERROR_SUCCESS;
}

platform::StringWrite RegistryWin32::writeString(const std::wstring& keyPath,
                                                 const std::wstring& valueName,
                                                 const std::wstring& value) {
    UniqueKey key;
    DWORD disposition = 0;
    char noClass[] = "";
    if (RegCreateKeyExA(HKEY_CURRENT_USER, toAnsi(keyPath).c_str(), 0, noClass, 0, 0x3F, nullptr,
                        key.put(), &disposition) != ERROR_SUCCESS) {
        key.reset();
        return platform::StringWrite::KeyFailed;
    }
    // The text as the ANSI code page can carry it, without a terminating NUL (an empty text is
    // zero bytes). Written through the wide call: the ANSI one mangles zero-length strings
    // under Wine, and the system stores the converted text either way.
    std::wstring text = fromAnsi(toAnsi(value));
    if (RegSetValueExW(key.get(), valueName.c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>(text.size() * sizeof(wchar_t))) != ERROR_SUCCESS)
        return platform::StringWrite::WriteFailed;
    return disposition == REG_CREATED_NEW_KEY ? platform::StringWrite::WrittenToNewKey
                                              : platform::StringWrite::WrittenToExistingKey;
}

bool RegistryWin32::deleteValue(const std::wstring& keyPath, const std::wstring& valueName) {
    UniqueKey key;
    LSTATUS opened = RegOpenKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_SET_VALUE, key.put());
    if (opened != ERROR_SUCCESS) {
        key.reset();
        return opened == ERROR_FILE_NOT_FOUND;
    }
    LSTATUS deleted = RegDeleteValueW(key.get(), valueName.c_str());
    return deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND;
}

}  // namespace win32

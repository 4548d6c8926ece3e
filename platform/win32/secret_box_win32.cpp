#include "platform/win32/secret_box_win32.h"

#include <windows.h>
// after windows.h, which it needs
#include <wincrypt.h>

#include "platform/win32/system_library.h"

namespace win32 {
namespace {

using Protect = decltype(CryptProtectData);
using Unprotect = decltype(CryptUnprotectData);

// The library once loaded stays: whoever protected one token will open it again at the save.
struct Crypt {
    Protect* protect = nullptr;
    Unprotect* unprotect = nullptr;
    Crypt() {
        HMODULE module = systemLibrary(L"crypt32.dll");
        if (!resolve(module, "CryptProtectData", protect) ||
            !resolve(module, "CryptUnprotectData", unprotect))
            protect = nullptr, unprotect = nullptr;
    }
};
const Crypt& crypt() {
    static Crypt loaded;
    return loaded;
}

DATA_BLOB blobOf(std::string_view bytes) {
    return {static_cast<DWORD>(bytes.size()),
            reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data()))};
}

std::optional<std::string> taken(BOOL ok, DATA_BLOB& out) {
    if (!ok) return std::nullopt;
    std::string bytes(reinterpret_cast<const char*>(out.pbData), out.cbData);
    SecureZeroMemory(out.pbData, out.cbData);
    LocalFree(out.pbData);
    return bytes;
}

}  // namespace

std::optional<std::string> SecretBoxWin32::protect(std::string_view plain) {
    if (!crypt().protect) return std::nullopt;
    DATA_BLOB in = blobOf(plain), out{};
    return taken(crypt().protect(&in, L"KorvaNT", nullptr, nullptr, nullptr,
                                 CRYPTPROTECT_UI_FORBIDDEN, &out),
                 out);
}

std::optional<std::string> SecretBoxWin32::unprotect(std::string_view protectedBytes) {
    if (!crypt().unprotect || protectedBytes.empty()) return std::nullopt;
    DATA_BLOB in = blobOf(protectedBytes), out{};
    return taken(
        crypt().unprotect(&in, nullptr, nullptr, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN, &out),
        out);
}

}  // namespace win32

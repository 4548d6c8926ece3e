#include "platform/win32/socket_errors.h"

#include <winsock2.h>

#include "base/texts.h"

namespace win32 {
namespace {

// For when the system has no text of its own for a Winsock error (Wine has none).
struct Description {
    int number;
    base::Text text;
};
constexpr Description kDescriptions[] = {
    {WSAEADDRINUSE, base::Text::SocketAddressInUse},
    {WSAEADDRNOTAVAIL, base::Text::SocketAddressNotAvailable},
    {WSAENETDOWN, base::Text::SocketNetworkDown},
    {WSAENETUNREACH, base::Text::SocketNetworkUnreachable},
    {WSAECONNABORTED, base::Text::SocketAborted},
    {WSAECONNRESET, base::Text::SocketReset},
    {WSAENOBUFS, base::Text::SocketNoBuffers},
    {WSAETIMEDOUT, base::Text::SocketTimedOut},
    {WSAECONNREFUSED, base::Text::SocketRefused},
    {WSAEHOSTDOWN, base::Text::SocketHostDown},
    {WSAEHOSTUNREACH, base::Text::SocketHostUnreachable},
    {WSAHOST_NOT_FOUND, base::Text::SocketHostNotFound},
    {WSATRY_AGAIN, base::Text::SocketTryAgain},
    {WSANO_DATA, base::Text::SocketNoData},
};

// The system's texts in the user interface's language; the system's own for Japanese.
DWORD systemTextLanguage() {
    return base::language() == base::Language::English
               ? MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)
               : 0;
}

}  // namespace

std::wstring describeSocketError(int number) {
    wchar_t* buffer = nullptr;
    DWORD n = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(number), systemTextLanguage(),
        reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text(buffer ? buffer : L"", n);
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    if (!text.empty()) return text;
    for (const Description& known : kDescriptions)
        if (known.number == number) return base::text(known.text);
    return base::text(base::Text::SocketError);
}

}  // namespace win32

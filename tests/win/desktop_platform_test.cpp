// Windows headers in the order they need.
// clang-format off
#include <windows.h>
#include <winsock2.h>
#include <gtest/gtest.h>
// clang-format on

#include <string>

#include "platform/win32/clipboard_writer_win32.h"
#include "platform/win32/http_client_winhttp.h"
#include "win/loopback_port.h"

namespace {

std::wstring clipboardText() {
    std::wstring text;
    if (!OpenClipboard(nullptr)) return L"<closed>";
    if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
        if (auto* p = static_cast<const wchar_t*>(GlobalLock(h))) {
            text = p;
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    return text;
}

}  // namespace

TEST(ClipboardWriter, ReplacesTheClipboardWithPlainText) {
    win32::ClipboardWriterWin32 writer;
    ASSERT_TRUE(writer.writeText(L"203.0.113.5"));
    EXPECT_EQ(clipboardText(), L"203.0.113.5");
    ASSERT_TRUE(writer.writeText(L"接続不能"));
    EXPECT_EQ(clipboardText(), L"接続不能");
}

TEST(HttpClient, RefusedAndMalformedAddressesFailWithoutText) {
    win32::HttpClientWinHttp http;
    platform::HttpResponse refused =
        http.get(L"http://127.0.0.1:" + std::to_wstring(unusedLoopbackPort()) + L"/ip");
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.text, L"");
    EXPECT_FALSE(http.get(L"not an address").ok);
    EXPECT_FALSE(http.get(L"").ok);
    // Its TLS stack is not carried once the fetches are done.
    EXPECT_EQ(GetModuleHandleW(L"winhttp.dll"), nullptr);
}

#pragma once
#include <optional>
#include <string>
#include <vector>

#include "monitor/page_texts.h"
#include "platform/clipboard_writer.h"
#include "platform/http_client.h"
#include "settings/display_catalogue.h"

namespace features {

using monitor::kAfterRestartText;
using monitor::kUnreachableText;
inline const wchar_t* const kNoAddressClip = L"0,0,0,0";

// Whether display item 104 (the public IP) is on the list and ticked.
bool ipItemShown(const std::vector<settings::DisplayRow>& rows);

// The longest text an address can be (an IPv6 address with an IPv4 tail).
constexpr size_t kMaxAddressChars = 45;

// The address in an IP page: after the first "></BODY>", before the next "</HTML>" (markers in
// any case). Without "</HTML>", or when the text is longer than any address, there is none.
std::optional<std::wstring> cutIpAddress(const std::wstring& page);

// Fetches the IP page into `pageText` and the address (or "接続不能") into `ipText`; does nothing
// while item 104 is not shown. Returns whether a fetch was made.
bool acquireIpAddress(platform::HttpClient& http, const std::wstring& pageAddress,
                      const std::vector<settings::DisplayRow>& rows, std::wstring& pageText,
                      std::wstring& ipText);

// What the copy command puts on the clipboard: the address, or "0,0,0,0" for a status text.
std::wstring clipboardTextFor(const std::wstring& ipText);
bool copyIpAddress(platform::ClipboardWriter& clipboard, const std::wstring& ipText);

// The start-up wait: one-second ticks counted from 0; the acquisition runs on the tick at which
// the count equals the wait, then the timer stops for good.
class StartupIpTimer {
public:
    static constexpr int kDone = 65530;
    // True on the one tick that must acquire the address (and stop the timer).
    bool tick(int wait);

private:
    int counter_ = 0;
    bool stopped_ = false;
};

}  // namespace features

#pragma once
#include <optional>
#include <string>
#include <vector>

#include "monitor/page_texts.h"
#include "platform/clipboard_writer.h"
#include "platform/http_client.h"
#include "platform/page_fetcher.h"
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

// The address an IP page gives, or "接続不能" when the page could not be had or holds none.
std::wstring addressFrom(const platform::HttpResponse& page);

using IpArrived = std::function<void(const std::wstring& address, const std::wstring& pageText)>;

// Starts fetching the IP page while item 104 is shown; `arrived` gets the address (or "接続不能")
// and the page when it arrives. Returns whether a fetch was started.
bool acquireIpAddress(platform::PageFetcher& fetcher, const std::wstring& pageAddress,
                      const std::vector<settings::DisplayRow>& rows, IpArrived arrived);

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

#pragma once
#include "platform/http_client.h"
#include "platform/page_fetcher.h"

namespace win32 {

// A bounded GET over WinHTTP, run on a worker thread (it blocks its caller). WinHTTP rather than
// WinINet: under Wine, closing a WinINet request reads the rest of a body it was not asked for
// (a server announcing a terabyte held the closing thread for minutes), and WinINet's timeouts
// never ended a wait for a server that does not answer; WinHTTP closes at once and keeps its
// timeouts (measured). Kept apart from wininet.h, whose declarations clash with winhttp.h.
class HttpClientWinHttp : public platform::HttpClient {
public:
    static constexpr unsigned kTimeoutMs = 4000;       // the longest a fetch may take
    static constexpr size_t kMaxBodyBytes = 1u << 20;  // a page larger than this is no page

    platform::HttpResponse get(const std::wstring& url) override;
    // The same fetch with its own header and bound, answered with the bytes and how it ended.
    platform::PageAnswer request(const platform::PageAsk& ask);
};

}  // namespace win32

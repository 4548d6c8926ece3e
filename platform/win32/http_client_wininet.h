#pragma once
#include "platform/http_client.h"

namespace win32 {

// WinINet GET with bounded waits and a bounded body. Kept apart from anything that includes
// winhttp.h, whose declarations clash with wininet.h.
class HttpClientWinInet : public platform::HttpClient {
public:
    static constexpr unsigned kTimeoutMs = 4000;       // the longest a fetch may take
    static constexpr size_t kMaxBodyBytes = 1u << 20;  // a page larger than this is no page

    platform::HttpResponse get(const std::wstring& url) override;
};

}  // namespace win32

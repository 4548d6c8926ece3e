#pragma once
#include <string>

namespace platform {

struct HttpResponse {
    bool ok = false;    // the whole body arrived with a success status, in time and in bounds
    std::wstring text;  // the body, decoded from the ANSI code page
};

// A synchronous page fetch (GET) with a bounded wait and a bounded body.
class HttpClient {
public:
    virtual ~HttpClient() = default;
    virtual HttpResponse get(const std::wstring& url) = 0;
};

}  // namespace platform

#pragma once
#include <functional>
#include <string>

#include "platform/http_client.h"

namespace platform {

// Page fetches that never hold the caller: `fetch` returns at once and `done` runs later on the
// user-interface thread, with a failed response when the page could not be had in time.
class PageFetcher {
public:
    using Done = std::function<void(const HttpResponse&)>;
    virtual ~PageFetcher() = default;
    virtual void fetch(const std::wstring& url, Done done) = 0;
};

}  // namespace platform

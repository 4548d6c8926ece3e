#pragma once
#include <cstddef>
#include <functional>
#include <string>

#include "platform/http_client.h"

namespace platform {

// What a fetch asks for beyond the address.
struct PageAsk {
    std::wstring url;
    std::string authorization;  // the Authorization field's value ("Bearer ..."); empty: none
    std::size_t maxBody = 1024 * 1024;
};

// How a fetch ended, with what a reason to show needs of it.
struct PageAnswer {
    enum class Failure {
        None,
        Address,     // no http or https address we can fetch
        Connection,  // refused, reset, or closed before a whole answer
        TimedOut,
        TooLarge,  // the body went past the bound
        Status,    // an answer, but no success: `status` says which
        Malformed,
    };
    Failure failure = Failure::Connection;
    int status = 0;
    std::string body;             // its bytes as they came
    std::string contentEncoding;  // as the server named it ("gzip"); empty when none
};

// Page fetches that never hold the caller: `fetch` returns at once and `done` runs later on the
// user-interface thread, with a failed response when the page could not be had in time.
class PageFetcher {
public:
    using Done = std::function<void(const HttpResponse&)>;
    using Answered = std::function<void(const PageAnswer&)>;
    virtual ~PageFetcher() = default;
    virtual void fetch(const std::wstring& url, Done done) = 0;
    // The same with the answer's bytes and how it ended, for readers that need more than a page.
    virtual void ask(const PageAsk& ask, Answered answered) = 0;
};

}  // namespace platform

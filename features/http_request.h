#pragma once
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace features {

// A request head larger than this is refused with 431 and the connection closed.
constexpr std::size_t kMostRequestHeadBytes = 8 * 1024;

// What to do with the bytes a client has sent so far.
struct RequestVerdict {
    enum class Kind { Incomplete, Serve, Refuse } kind = Kind::Incomplete;
    int status = 0;         // with Refuse: 400, 405 or 431
    bool headOnly = false;  // HEAD: the same head, no body
    std::string path;       // with Serve: the path without its query
    // With Serve: HTTP/1.1 without "Connection: close" and without a body, whose end would
    // have to be found to read the next request.
    bool keepAlive = false;
    std::size_t headBytes = 0;  // with Serve: the head's bytes, its empty line included
};

// Reads the head of one request (the request line and the headers up to the empty line); the
// body, if any, is never read. Lines may end in CR LF or in LF alone. Bytes past the bound are
// refused, whether or not a terminator follows.
RequestVerdict readRequestHead(std::string_view received);

// What the server hands out, by path.
enum class Resource { Metrics, Data, Page };

// A resource's text, formatted when it is asked for; none while nothing is published yet.
using ResourceText = std::function<std::optional<std::string>(Resource)>;

// The whole response to a verdict of Serve or Refuse: a status line, the headers and, except to
// HEAD, the body; 503 while nothing is published yet. A request that was served (found or not)
// keeps the connection when the client does; a refused one closes it.
std::string responseFor(const RequestVerdict& verdict, const ResourceText& textOf);
// What a connection over the bound is sent before it is closed: 503, to try again later.
std::string busyResponse();

}  // namespace features

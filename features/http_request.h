#pragma once
#include <cstddef>
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
};

// Reads the head of one request (the request line and the headers up to the empty line); the
// body, if any, is never read. Bytes past the bound are refused, whether or not a terminator
// follows.
RequestVerdict readRequestHead(std::string_view received);

// The texts the server hands out, rendered by the user-interface thread after a tick.
struct ServedTexts {
    std::string metrics;
    std::string json;
    std::string page;
};

// The whole response to a verdict of Serve or Refuse: a status line, the headers and, except to
// HEAD, the body; 503 while nothing is rendered yet. Every response closes its connection.
std::string responseFor(const RequestVerdict& verdict, const ServedTexts& texts);

}  // namespace features

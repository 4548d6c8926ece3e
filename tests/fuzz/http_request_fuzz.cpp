// Any bytes a stranger sends the readings' server, fed in pieces of any size as they would
// arrive. What must hold: a verdict never goes back to waiting once given, a head past the bound
// is never waited on, only GET and HEAD of a path that starts with "/" are served, every answer
// is a whole HTTP/1.1 response whose length header matches its body, and HEAD gets no body.
#include <fuzzer/FuzzedDataProvider.h>

#include "features/http_request.h"
#include "fuzz_input.h"

using features::RequestVerdict;
using Kind = RequestVerdict::Kind;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    std::string received;
    while (input.remaining_bytes() > 0) {
        received += input.ConsumeRandomLengthString(2 * features::kMostRequestHeadBytes);
        RequestVerdict verdict = features::readRequestHead(received);
        if (verdict.kind == Kind::Incomplete) {
            fuzz::require(received.size() <= features::kMostRequestHeadBytes,
                          "waiting on a head past its bound");
            continue;
        }
        if (verdict.kind == Kind::Serve) {
            fuzz::require(received.starts_with("GET ") || received.starts_with("HEAD "),
                          "served a method other than GET or HEAD");
            fuzz::require(!verdict.path.empty() && verdict.path[0] == '/', "served a bad path");
            fuzz::require(verdict.headBytes <= features::kMostRequestHeadBytes &&
                              verdict.headBytes <= received.size(),
                          "served a head past its bound");
            fuzz::require(received[verdict.headBytes - 1] == '\n', "a head that did not end");
        }
        const std::string body = "body";
        std::string response =
            features::responseFor(verdict, [&](features::Resource) { return body; });
        fuzz::require(response.starts_with("HTTP/1.1 "), "not a response");
        std::size_t headEnd = response.find("\r\n\r\n");
        fuzz::require(headEnd != std::string::npos, "a response without its empty line");
        std::string_view shown = std::string_view(response).substr(headEnd + 4);
        std::size_t length = response.find("Content-Length: ");
        fuzz::require(length != std::string::npos && length < headEnd, "no length");
        std::size_t declared = std::stoul(response.substr(length + 16));
        fuzz::require(verdict.headOnly ? shown.empty() : shown.size() == declared,
                      "a body unlike its length");
        break;  // one verdict per request: what follows is the next request
    }
    return 0;
}

// Any bytes a page server (or whatever answers on its port) sends back, fed in pieces of any size
// as they would arrive, and any address and redirection the settings or a server name. What must
// hold: a verdict never changes once given, a head past its bound is never waited on, a page is
// never larger than the bound, and every redirection resolves to an address that parses.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "fuzz_input.h"
#include "platform/page_request.h"

using platform::PageResponse;
using Progress = PageResponse::Progress;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    constexpr std::size_t kBound = 4096;
    std::wstring url = fuzz::wideText(input.ConsumeRandomLengthString(200));
    std::wstring location = fuzz::wideText(input.ConsumeRandomLengthString(200));
    if (auto page = platform::parsePageAddress(url)) {
        fuzz::require(!page->host.empty() && page->port != 0 && page->target[0] == L'/',
                      "an address without host, port or path");
        std::string request = platform::pageRequest(*page, input.ConsumeBool(), "KorvaNT/1");
        fuzz::require(request.find("\r\n\r\n") == request.size() - 4, "a request line broken");
        for (char c : request)
            fuzz::require(static_cast<unsigned char>(c) < 0x80, "a byte beyond ASCII sent");
        std::wstring next = platform::resolveLocation(*page, location);
        size_t first = location.find_first_not_of(L" \t\r\n\v\f");
        bool otherHost = first != std::wstring::npos && location.compare(first, 2, L"//") == 0;
        fuzz::require(otherHost || platform::parsePageAddress(next).has_value(),
                      "a redirection on the same host that leads nowhere");
    }
    PageResponse response(kBound);
    Progress last = Progress::Reading;
    std::size_t received = 0;
    while (input.remaining_bytes() > 0) {
        std::string piece = input.ConsumeRandomLengthString(3 * kBound);
        received += piece.size();
        Progress now = response.add(piece);
        fuzz::require(last == Progress::Reading || now == last, "a verdict changed");
        fuzz::require(now != Progress::Reading || received < 16 * 1024 + 3 * kBound + kBound + 8,
                      "waiting past every bound");
        last = now;
    }
    Progress end = response.end();
    fuzz::require(last == Progress::Reading || end == last, "a verdict changed at the close");
    if (end == Progress::Done && !response.redirected())
        fuzz::require(response.body().size() <= kBound, "a page over the bound");
    return 0;
}

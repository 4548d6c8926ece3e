// Any public-IP page: the address shown is bounded and never carries the closing marker.
#include "base/text_search.h"
#include "fakes/fake_http.h"
#include "features/ip_tools.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::wstring page = fuzz::wideText({reinterpret_cast<const char*>(data), size});
    if (auto address = features::cutIpAddress(page)) {
        fuzz::require(address->size() <= features::kMaxAddressChars, "an address past its bound");
        fuzz::require(!base::findNoCase(*address, L"</HTML>"), "an address with the end marker");
    }

    fakes::FakeFetcher fetcher;
    fetcher.pages[L"ip"] = page;
    std::vector<settings::DisplayRow> rows(1);
    rows[0].id = settings::Item::PublicAddress;
    rows[0].shown = true;
    std::wstring ipText;
    features::acquireIpAddress(
        fetcher, L"ip", rows,
        [&](const std::wstring& address, const std::wstring&) { ipText = address; });
    fetcher.deliverAll();
    fuzz::require(!ipText.empty() || features::cutIpAddress(page) == std::wstring(),
                  "an empty address from a page that has one");
    return 0;
}

#include "platform/win32/page_fetcher_win32.h"

#include "platform/win32/http_client_winhttp.h"

namespace win32 {

void PageFetcherWin32::fetch(const std::wstring& url, Done done) {
    // A fetch not back within the client's own bound is answered as a failure.
    if (!workers_.start([url] { return HttpClientWinHttp().get(url); }, done,
                        HttpClientWinHttp::kTimeoutMs) &&
        done)
        done({});
}

}  // namespace win32

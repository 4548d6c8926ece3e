#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// A page's address, taken apart for a request of our own.
struct PageAddress {
    bool secure = false;  // https
    std::wstring host;    // as written, without brackets' contents checked
    std::uint16_t port = 80;
    std::wstring target = L"/";  // path and query
};
// Nothing when the text is no http or https address with a host and a valid port.
std::optional<PageAddress> parsePageAddress(std::wstring_view url);
// Where a redirection's Location leads from `from`: absolute, from the root or beside the page.
std::wstring resolveLocation(const PageAddress& from, std::wstring_view location);

// The browser's proxy as Internet Settings keep it: on or off, the server text ("host:port" or
// "http=host:port;https=...") and the hosts that bypass it ("*.example;<local>").
struct BrowserProxy {
    bool enabled = false;
    std::wstring server;
    std::wstring bypass;
};
struct Endpoint {
    std::wstring host;
    std::uint16_t port = 0;
};
// The proxy a plain-http fetch of `page` goes through; nothing for a direct connection. Loopback
// addresses always go direct, as the browser's own stack does.
std::optional<Endpoint> httpProxyFor(const PageAddress& page, const BrowserProxy& proxy);

// An HTTP/1.0 GET of `page` (so that no server answers in chunks), asked of a proxy in the
// absolute form. Bytes that cannot stand in a request line are percent-encoded.
// `authorization`, when given, is sent as the Authorization field (line breaks dropped).
std::string pageRequest(const PageAddress& page, bool viaProxy, std::string_view userAgent,
                        std::string_view authorization = {});

// A response read as it arrives: its head within a bound, then its body up to `maxBody` bytes.
class PageResponse {
public:
    enum class Progress { Reading, Done, Failed };
    explicit PageResponse(std::size_t maxBody) : maxBody_(maxBody) {}

    Progress add(std::string_view bytes);
    // The peer closed: a body without a length ends here.
    Progress end();

    int status() const { return status_; }
    // The body went past its bound (as announced, or as it arrived).
    bool tooLarge() const { return tooLarge_; }
    const std::string& contentEncoding() const { return contentEncoding_; }
    bool redirected() const { return !location_.empty(); }
    const std::string& location() const { return location_; }  // of a 3xx, as sent
    const std::string& body() const { return body_; }

private:
    Progress readHead();
    Progress readBody();

    std::size_t maxBody_;
    Progress progress_ = Progress::Reading;
    bool headRead_ = false;
    std::string received_;  // the head until it is complete
    int status_ = 0;
    std::optional<std::size_t> length_;
    std::string location_;
    std::string contentEncoding_;
    bool tooLarge_ = false;
    std::string body_;
};

}  // namespace platform

#include "platform/page_request.h"

#include <algorithm>
#include <cctype>
#include <cwctype>
#include <vector>

#include "base/ip_address.h"
#include "base/text_search.h"

namespace platform {
namespace {

constexpr std::size_t kMaxHeadBytes = 16 * 1024;

std::optional<std::uint16_t> portOf(std::wstring_view digits) {
    if (digits.empty() || digits.size() > 5) return std::nullopt;
    unsigned value = 0;
    for (wchar_t c : digits) {
        if (c < L'0' || c > L'9') return std::nullopt;
        value = value * 10 + static_cast<unsigned>(c - L'0');
    }
    if (value == 0 || value > 65535) return std::nullopt;
    return static_cast<std::uint16_t>(value);
}

// "host", "host:port" or "[v6]:port"; the port stays as given when absent. A colon left in a
// host that is not bracketed ("host:8500:8500") makes no address.
bool splitHostPort(std::wstring_view text, std::wstring& host, std::uint16_t& port) {
    size_t colon = text.rfind(L':');
    if (colon != std::wstring_view::npos && text.find(L']', colon) == std::wstring_view::npos) {
        auto number = portOf(text.substr(colon + 1));
        if (!number) return false;
        port = *number;
        text = text.substr(0, colon);
    }
    const bool bracketed = !text.empty() && text.front() == L'[';
    if (bracketed ? text.back() != L']' : text.find(L':') != std::wstring_view::npos) return false;
    host.assign(text);
    return !host.empty();
}

std::wstring_view trimmed(std::wstring_view text) {
    while (!text.empty() && std::iswspace(text.front())) text.remove_prefix(1);
    while (!text.empty() && std::iswspace(text.back())) text.remove_suffix(1);
    return text;
}

std::vector<std::wstring_view> splitList(std::wstring_view text, std::wstring_view separators) {
    std::vector<std::wstring_view> parts;
    while (!text.empty()) {
        size_t end = text.find_first_of(separators);
        std::wstring_view part = trimmed(text.substr(0, end));
        if (!part.empty()) parts.push_back(part);
        if (end == std::wstring_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return parts;
}

// "*" stands for any run of characters; letters match in either case.
bool wildcardMatch(const std::wstring& pattern, const std::wstring& text) {
    size_t p = 0, t = 0, star = std::wstring::npos, resume = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == L'*') {
            star = p++;
            resume = t;
        } else if (p < pattern.size() && pattern[p] == text[t]) {
            ++p, ++t;
        } else if (star != std::wstring::npos) {
            p = star + 1;
            t = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == L'*') ++p;
    return p == pattern.size();
}

// By its address, never its text: "127.example.com" is a name like any other.
bool isLoopback(const std::wstring& host) {
    if (host == L"localhost") return true;
    std::wstring_view address = host;
    if (address.size() > 2 && address.front() == L'[' && address.back() == L']')
        address = address.substr(1, address.size() - 2);
    std::string ascii;
    for (wchar_t c : address) {
        if (c >= 0x80) return false;
        ascii += static_cast<char>(c);
    }
    const std::optional<base::IpAddress> parsed = base::parseIpAddress(ascii);
    return parsed && base::isLoopback(*parsed);
}

bool bypassed(const std::wstring& host, std::wstring_view bypass) {
    for (std::wstring_view entry : splitList(bypass, L"; ,")) {
        if (base::foldedCase(std::wstring(entry)) == L"<local>") {
            if (host.find(L'.') == std::wstring::npos && host.find(L':') == std::wstring::npos)
                return true;
        } else if (wildcardMatch(base::foldedCase(std::wstring(entry)), host)) {
            return true;
        }
    }
    return false;
}

void appendEncoded(std::string& out, std::wstring_view text) {
    static const char kHex[] = "0123456789ABCDEF";
    auto escape = [&](unsigned char byte) {
        out += '%';
        out += kHex[byte >> 4];
        out += kHex[byte & 15];
    };
    for (wchar_t c : text) {
        // A character beyond ASCII goes as its UTF-8 bytes, as a browser sends it.
        unsigned code = static_cast<unsigned>(c);
        if (code > 0x20 && code < 0x7f) {
            out += static_cast<char>(code);
        } else if (code <= 0x7f) {
            escape(static_cast<unsigned char>(code));
        } else if (code < 0x800) {
            escape(static_cast<unsigned char>(0xC0 | (code >> 6)));
            escape(static_cast<unsigned char>(0x80 | (code & 0x3F)));
        } else {
            escape(static_cast<unsigned char>(0xE0 | (code >> 12)));
            escape(static_cast<unsigned char>(0x80 | ((code >> 6) & 0x3F)));
            escape(static_cast<unsigned char>(0x80 | (code & 0x3F)));
        }
    }
}

bool equalNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::string_view trimmedAscii(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

}  // namespace

std::optional<PageAddress> parsePageAddress(std::wstring_view url) {
    PageAddress page;
    std::wstring_view rest = trimmed(url);
    if (base::startsWithNoCase(std::wstring(rest.substr(0, 7)), L"http://")) {
        rest.remove_prefix(7);
    } else if (base::startsWithNoCase(std::wstring(rest.substr(0, 8)), L"https://")) {
        rest.remove_prefix(8);
        page.secure = true;
        page.port = 443;
    } else {
        return std::nullopt;
    }
    size_t pathStart = rest.find_first_of(L"/?#");
    std::wstring_view authority = rest.substr(0, pathStart);
    if (authority.find(L'@') != std::wstring_view::npos) return std::nullopt;  // no credentials
    if (!splitHostPort(authority, page.host, page.port)) return std::nullopt;
    for (wchar_t c : page.host)
        if (c <= 0x20 || c >= 0x7f || c == L'%' || c == L'\\') return std::nullopt;
    page.host = base::foldedCase(page.host);
    if (pathStart != std::wstring_view::npos) {
        std::wstring_view target = rest.substr(pathStart);
        target = target.substr(0, target.find(L'#'));  // the fragment stays with the browser
        page.target = target.empty() || target.front() != L'/' ? L"/" + std::wstring(target)
                                                               : std::wstring(target);
    }
    return page;
}

std::wstring resolveLocation(const PageAddress& from, std::wstring_view location) {
    location = trimmed(location);
    std::wstring scheme = from.secure ? L"https://" : L"http://";
    if (parsePageAddress(location)) return std::wstring(location);
    if (location.substr(0, 2) == L"//") return scheme + std::wstring(location.substr(2));
    std::wstring origin = scheme + from.host + L":" + std::to_wstring(from.port);
    if (!location.empty() && location.front() == L'/') return origin + std::wstring(location);
    std::wstring base = from.target.substr(0, from.target.find(L'?'));
    return origin + base.substr(0, base.rfind(L'/') + 1) + std::wstring(location);
}

std::optional<Endpoint> httpProxyFor(const PageAddress& page, const BrowserProxy& proxy) {
    if (!proxy.enabled || isLoopback(page.host) || bypassed(page.host, proxy.bypass))
        return std::nullopt;
    std::wstring_view chosen;
    for (std::wstring_view entry : splitList(proxy.server, L";")) {
        size_t equals = entry.find(L'=');
        if (equals == std::wstring_view::npos) {
            chosen = entry;  // one proxy for every protocol
            break;
        }
        if (base::foldedCase(std::wstring(trimmed(entry.substr(0, equals)))) == L"http")
            chosen = trimmed(entry.substr(equals + 1));
    }
    if (base::startsWithNoCase(std::wstring(chosen.substr(0, 7)), L"http://"))
        chosen.remove_prefix(7);
    chosen = chosen.substr(0, chosen.find(L'/'));
    Endpoint endpoint{L"", 80};
    if (!splitHostPort(chosen, endpoint.host, endpoint.port)) return std::nullopt;
    return endpoint;
}

std::string pageRequest(const PageAddress& page, bool viaProxy, std::string_view userAgent,
                        std::string_view authorization) {
    std::string hostField;
    appendEncoded(hostField, page.host);
    if (page.port != (page.secure ? 443 : 80)) hostField += ":" + std::to_string(page.port);
    std::string request = "GET ";
    if (viaProxy) request += (page.secure ? "https://" : "http://") + hostField;
    appendEncoded(request, page.target);
    request += " HTTP/1.0\r\nHost: " + hostField;
    request += "\r\nUser-Agent: ";
    request += userAgent;
    if (!authorization.empty()) {
        // A token pasted with a line break must not end the field and start another.
        request += "\r\nAuthorization: ";
        for (char c : authorization)
            if (c != '\r' && c != '\n') request += c;
    }
    // Never a cached copy: the address and the newest version are read as they are now.
    request +=
        "\r\nAccept: */*\r\nPragma: no-cache\r\nCache-Control: no-cache\r\n"
        "Connection: close\r\n\r\n";
    return request;
}

PageResponse::Progress PageResponse::add(std::string_view bytes) {
    if (progress_ != Progress::Reading) return progress_;
    if (headRead_) {
        body_.append(bytes);
        return progress_ = readBody();
    }
    received_.append(bytes);
    return progress_ = readHead();
}

PageResponse::Progress PageResponse::end() {
    if (progress_ != Progress::Reading) return progress_;
    // A head cut short, or a body shorter than announced, is no page.
    progress_ = headRead_ && !length_ ? Progress::Done : Progress::Failed;
    return progress_;
}

PageResponse::Progress PageResponse::readHead() {
    size_t end = received_.find("\r\n\r\n");
    size_t endLength = 4;
    if (size_t bare = received_.find("\n\n"); bare < end) end = bare, endLength = 2;
    if (end == std::string::npos)
        return received_.size() > kMaxHeadBytes ? Progress::Failed : Progress::Reading;
    std::string_view head(received_.data(), end);
    size_t lineEnd = head.find('\n');
    std::string_view statusLine = trimmedAscii(head.substr(0, lineEnd));
    // "HTTP/1.x NNN reason"
    if (statusLine.size() < 12 || statusLine.substr(0, 5) != "HTTP/" || statusLine[8] != ' ')
        return Progress::Failed;
    for (size_t i = 9; i < 12; ++i)
        if (statusLine[i] < '0' || statusLine[i] > '9') return Progress::Failed;
    status_ = std::stoi(std::string(statusLine.substr(9, 3)));
    bool chunked = false;
    while (lineEnd != std::string_view::npos) {
        head.remove_prefix(lineEnd + 1);
        lineEnd = head.find('\n');
        std::string_view line = head.substr(0, lineEnd);
        size_t colon = line.find(':');
        if (colon == std::string_view::npos) continue;
        std::string_view name = trimmedAscii(line.substr(0, colon));
        std::string_view value = trimmedAscii(line.substr(colon + 1));
        if (equalNoCase(name, "Content-Length")) {
            if (value.empty() || value.size() > 15 ||
                value.find_first_not_of("0123456789") != std::string_view::npos)
                return Progress::Failed;
            length_ = static_cast<std::size_t>(std::stoull(std::string(value)));
        } else if (equalNoCase(name, "Content-Encoding")) {
            if (!equalNoCase(value, "identity")) contentEncoding_.assign(value);
        } else if (equalNoCase(name, "Location")) {
            location_.assign(value);
        } else if (equalNoCase(name, "Transfer-Encoding")) {
            chunked = !equalNoCase(value, "identity");
        }
    }
    bool redirect = (status_ >= 301 && status_ <= 303) || status_ == 307 || status_ == 308;
    if (!redirect) location_.clear();
    if (redirect && !location_.empty()) return Progress::Done;
    // Anything but a page arriving whole, within the bound and as asked, ends the reading here.
    if (length_ && *length_ > maxBody_) tooLarge_ = true;
    if (status_ < 200 || status_ >= 300 || chunked || tooLarge_) return Progress::Failed;
    headRead_ = true;
    body_ = received_.substr(end + endLength);
    std::string().swap(received_);
    return readBody();
}

PageResponse::Progress PageResponse::readBody() {
    if (length_ && body_.size() >= *length_) {
        body_.resize(*length_);
        return Progress::Done;
    }
    if (body_.size() <= maxBody_) return Progress::Reading;
    tooLarge_ = true;
    return Progress::Failed;
}

}  // namespace platform

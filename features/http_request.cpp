#include "features/http_request.h"

#include <algorithm>

namespace features {
namespace {

using Kind = RequestVerdict::Kind;

RequestVerdict refuse(int status) { return {Kind::Refuse, status, false, {}}; }

// A token character of RFC 9110: what a method may be made of.
bool tokenChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
           std::string_view("!#$%&'*+-.^_`|~").find(c) != std::string_view::npos;
}

bool visible(char c) { return c > ' ' && c < 0x7f; }

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return lower(x) == lower(y); });
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

// A field value holds visible characters, blanks, tabs and bytes past ASCII; any other
// control character (a lone CR among them) could be read differently by whatever passes it on.
bool cleanValue(std::string_view value) {
    return std::none_of(value.begin(), value.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return (byte < 0x20 && byte != '\t') || byte == 0x7f;
    });
}

// Whether a Connection value names the option "close" among its comma-separated options.
bool namesClose(std::string_view value) {
    while (!value.empty()) {
        const std::size_t comma = value.find(',');
        if (equalNoCase(trimmed(value.substr(0, comma)), "close")) return true;
        if (comma == std::string_view::npos) break;
        value.remove_prefix(comma + 1);
    }
    return false;
}

// The next line of `text` from `at`, without its line end (LF, or CR LF); none while it has
// not ended yet.
std::optional<std::string_view> nextLine(std::string_view text, std::size_t& at) {
    const std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) return std::nullopt;
    std::string_view line = text.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    at = end + 1;
    return line;
}

// The path of a request target in origin form ("/metrics?x") or absolute form
// ("http://host:9184/metrics?x", as a proxy is asked and every server must take).
std::optional<std::string_view> pathOf(std::string_view target) {
    if (!target.empty() && target[0] == '/') return target;
    for (std::string_view scheme : {"http://", "https://"}) {
        if (target.size() < scheme.size() || !equalNoCase(target.substr(0, scheme.size()), scheme))
            continue;
        std::string_view rest = target.substr(scheme.size());
        const std::size_t pathAt = rest.find_first_of("/?");
        if (pathAt == 0 || rest.empty()) return std::nullopt;  // no host
        if (pathAt == std::string_view::npos) return std::string_view("/");
        if (rest[pathAt] == '?') return std::nullopt;  // "http://host?x" has no path to serve
        return rest.substr(pathAt);
    }
    return std::nullopt;
}

const char* reason(int status) {
    switch (status) {
        case 200:
            return "OK";
        case 400:
            return "Bad Request";
        case 404:
            return "Not Found";
        case 405:
            return "Method Not Allowed";
        case 431:
            return "Request Header Fields Too Large";
        case 503:
            return "Service Unavailable";
    }
    return "Error";
}

std::string response(int status, const char* type, const std::string& body, bool headOnly,
                     bool keepOpen = false, const char* extra = "") {
    std::string r = "HTTP/1.1 " + std::to_string(status) + ' ' + reason(status) + "\r\n";
    r += "Content-Type: ";
    r += type;
    r += "\r\nContent-Length: " + std::to_string(body.size());
    r += "\r\nCache-Control: no-store\r\nX-Content-Type-Options: nosniff\r\n";
    r += keepOpen ? "Connection: keep-alive\r\n" : "Connection: close\r\n";
    r += extra;
    r += "\r\n";
    if (!headOnly) r += body;
    return r;
}

}  // namespace

RequestVerdict readRequestHead(std::string_view received) {
    std::size_t at = 0;
    // The request line is judged as soon as it is there: a wrong one need not wait for the rest.
    const std::optional<std::string_view> line = nextLine(received, at);
    if (!line) return received.size() > kMostRequestHeadBytes ? refuse(431) : RequestVerdict{};
    if (at > kMostRequestHeadBytes) return refuse(431);
    const std::size_t firstSpace = line->find(' ');
    const std::size_t secondSpace =
        firstSpace == std::string_view::npos ? firstSpace : line->find(' ', firstSpace + 1);
    if (secondSpace == std::string_view::npos || firstSpace == 0) return refuse(400);
    std::string_view method = line->substr(0, firstSpace);
    std::string_view target = line->substr(firstSpace + 1, secondSpace - firstSpace - 1);
    std::string_view version = line->substr(secondSpace + 1);
    for (char c : method)
        if (!tokenChar(c)) return refuse(400);
    if (version != "HTTP/1.1" && version != "HTTP/1.0") return refuse(400);
    for (char c : target)
        if (!visible(c)) return refuse(400);
    const std::optional<std::string_view> path = pathOf(target);
    if (!path) return refuse(400);
    if (method != "GET" && method != "HEAD") return refuse(405);

    int hosts = 0;
    bool close = version != "HTTP/1.1", body = false;
    for (;;) {
        const std::optional<std::string_view> field = nextLine(received, at);
        if (at > kMostRequestHeadBytes || (!field && received.size() > kMostRequestHeadBytes))
            return refuse(431);
        if (!field) return {};
        if (field->empty()) break;
        const std::size_t colon = field->find(':');
        // No name, a blank before the colon, or a line folded onto the last: RFC 9112 refuses.
        if (colon == 0 || colon == std::string_view::npos) return refuse(400);
        std::string_view name = field->substr(0, colon);
        for (char c : name)
            if (!tokenChar(c)) return refuse(400);
        std::string_view value = trimmed(field->substr(colon + 1));
        if (!cleanValue(value)) return refuse(400);
        if (equalNoCase(name, "host"))
            ++hosts;
        else if (equalNoCase(name, "connection"))
            close = close || namesClose(value);
        else if (equalNoCase(name, "transfer-encoding") ||
                 (equalNoCase(name, "content-length") && value != "0"))
            body = true;
    }
    // An HTTP/1.1 request names its host once (RFC 9112, 3.2).
    if (hosts > 1 || (hosts == 0 && version == "HTTP/1.1")) return refuse(400);
    RequestVerdict verdict{Kind::Serve, 200, method == "HEAD", {}};
    verdict.path = std::string(path->substr(0, path->find('?')));
    verdict.keepAlive = !close && !body;
    verdict.headBytes = at;
    return verdict;
}

std::string responseFor(const RequestVerdict& verdict, const ResourceText& textOf) {
    if (verdict.kind != Kind::Serve) {
        const char* allow = verdict.status == 405 ? "Allow: GET, HEAD\r\n" : "";
        return response(verdict.status, "text/plain; charset=utf-8",
                        std::to_string(verdict.status) + ' ' + reason(verdict.status) + '\n', false,
                        false, allow);
    }
    const bool headOnly = verdict.headOnly;
    std::optional<Resource> resource;
    if (verdict.path == "/metrics")
        resource = Resource::Metrics;
    else if (verdict.path == "/data.json")
        resource = Resource::Data;
    else if (verdict.path == "/" || verdict.path == "/index.html")
        resource = Resource::Page;
    if (!resource)
        return response(404, "text/plain; charset=utf-8", "404 Not Found\n", headOnly,
                        verdict.keepAlive);
    std::optional<std::string> text = textOf(*resource);
    // Before the first tick there is nothing true to serve: zeros would be recorded as readings.
    if (!text)
        return response(503, "text/plain; charset=utf-8", "503 Service Unavailable\n", headOnly,
                        verdict.keepAlive, "Retry-After: 1\r\n");
    switch (*resource) {
        case Resource::Metrics:
            return response(200, "text/plain; version=0.0.4; charset=utf-8", *text, headOnly,
                            verdict.keepAlive);
        case Resource::Data:
            return response(200, "application/json", *text, headOnly, verdict.keepAlive);
        case Resource::Page:
            return response(200, "text/html; charset=utf-8", *text, headOnly, verdict.keepAlive);
    }
    return {};
}

std::string busyResponse() {
    return response(503, "text/plain; charset=utf-8", "503 Service Unavailable\n", false, false,
                    "Retry-After: 1\r\n");
}

}  // namespace features

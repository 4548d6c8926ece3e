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

// Whether a header line "Connection:" names the token "close", in any letter case.
bool asksToClose(std::string_view head) {
    std::string text(head.size(), ' ');
    std::transform(head.begin(), head.end(), text.begin(), lower);
    for (std::size_t at = text.find("\r\nconnection:"); at != std::string::npos;
         at = text.find("\r\nconnection:", at + 2)) {
        std::size_t end = text.find("\r\n", at + 2);
        std::string_view value = std::string_view(text).substr(at + 14, end - at - 14);
        if (value.find("close") != std::string_view::npos) return true;
    }
    return false;
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
    const std::size_t end = received.find("\r\n\r\n");
    const std::size_t headBytes = end == std::string_view::npos ? received.size() : end + 4;
    if (headBytes > kMostRequestHeadBytes) return refuse(431);
    // The request line is judged as soon as it is there: a wrong one need not wait for the rest.
    const std::size_t lineEnd = received.find("\r\n");
    if (lineEnd == std::string_view::npos) return {};
    std::string_view line = received.substr(0, lineEnd);
    const std::size_t firstSpace = line.find(' ');
    const std::size_t secondSpace =
        firstSpace == std::string_view::npos ? firstSpace : line.find(' ', firstSpace + 1);
    if (secondSpace == std::string_view::npos || firstSpace == 0) return refuse(400);
    std::string_view method = line.substr(0, firstSpace);
    std::string_view target = line.substr(firstSpace + 1, secondSpace - firstSpace - 1);
    std::string_view version = line.substr(secondSpace + 1);
    for (char c : method)
        if (!tokenChar(c)) return refuse(400);
    if (version != "HTTP/1.1" && version != "HTTP/1.0") return refuse(400);
    if (target.empty() || target[0] != '/') return refuse(400);
    for (char c : target)
        if (!visible(c)) return refuse(400);
    if (method != "GET" && method != "HEAD") return refuse(405);
    if (end == std::string_view::npos) return {};
    RequestVerdict verdict{Kind::Serve, 200, method == "HEAD", {}};
    verdict.path = std::string(target.substr(0, target.find('?')));
    verdict.keepAlive = version == "HTTP/1.1" && !asksToClose(received.substr(0, end));
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

}  // namespace features

#include "features/export_service.h"

#include <algorithm>

namespace features {

void ExportService::publish(ExportSnapshot snapshot) {
    std::lock_guard guard(lock_);
    snapshot_ = std::move(snapshot);
}

void ExportService::publishPage(PageParts page) {
    std::lock_guard guard(lock_);
    page_ = std::move(page);
}

platform::ConnectionReply ExportService::reply(std::string_view received) const {
    RequestVerdict verdict = readRequestHead(received);
    if (verdict.kind == RequestVerdict::Kind::Incomplete) return {};
    const bool served = verdict.kind == RequestVerdict::Kind::Serve;
    // A request sent behind this one (pipelined) is the next on a kept connection; anything
    // more on one that closes is read and dropped first.
    const bool readWhole = served && verdict.headBytes == received.size();
    std::lock_guard guard(lock_);
    return {true,
            responseFor(verdict,
                        [this](Resource resource) -> std::optional<std::string> {
                            if (!snapshot_) return std::nullopt;
                            switch (resource) {
                                case Resource::Metrics:
                                    asked_ = true;
                                    return metricsText(*snapshot_);
                                case Resource::Data:
                                    asked_ = true;
                                    return dataJson(*snapshot_);
                                case Resource::Page:
                                    return pageHtml(page_.language, page_.points);
                            }
                            return std::nullopt;
                        }),
            !readWhole, served && verdict.keepAlive, served ? verdict.headBytes : received.size()};
}

bool peerAllowed(const std::string& peer, const std::string& local, const AllowList& allowed) {
    const std::optional<base::IpAddress> from = base::parseIpAddress(peer);
    if (!from) return false;
    if (base::isLoopback(*from) || base::parseIpAddress(local) == from) return true;
    return std::any_of(allowed.ranges.begin(), allowed.ranges.end(),
                       [&](const AddressRange& range) { return range.contains(*from); });
}

std::optional<std::uint16_t> exportPort(const settings::Settings& s) {
    const std::wstring& text = s.exportPort;
    if (text.empty() || text.size() > 5) return std::nullopt;
    unsigned port = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') return std::nullopt;
        port = port * 10 + static_cast<unsigned>(c - L'0');
    }
    if (port < 1 || port > 65535) return std::nullopt;
    return static_cast<std::uint16_t>(port);
}

std::wstring exportUrl(const settings::Settings& s) {
    std::wstring host = s.exportAddress;
    if (host == L"0.0.0.0")
        host = L"127.0.0.1";
    else if (host == L"::")
        host = L"[::1]";
    else if (host.find(L':') != std::wstring::npos)
        host = L"[" + host + L"]";  // an IPv6 address stands in brackets before the port
    return L"http://" + host + L":" + s.exportPort + L"/";
}

std::uint32_t exportRetryMs(int failures) {
    constexpr std::uint32_t kFirstMs = 2000, kMostMs = 60000;
    std::uint32_t pause = kFirstMs;
    for (int i = 1; i < failures && pause < kMostMs; ++i) pause *= 2;
    return std::min(pause, kMostMs);
}

}  // namespace features

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
    const bool readWhole = verdict.kind == RequestVerdict::Kind::Serve &&
                           received.find("\r\n\r\n") + 4 == received.size();
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
            !readWhole, readWhole && verdict.keepAlive};
}

bool isLoopback(std::string_view address) { return address.starts_with("127."); }

std::vector<std::string> allowedPeers(const std::wstring& setting) {
    std::vector<std::string> peers;
    std::string current;
    auto finish = [&] {
        if (!current.empty()) peers.push_back(std::move(current));
        current.clear();
    };
    for (wchar_t c : setting) {
        if (c == L' ' || c == L',' || c == L';' || c == L'\t')
            finish();
        else if (c < 0x80)
            current += static_cast<char>(c);
    }
    finish();
    return peers;
}

bool peerAllowed(const std::string& peer, const std::vector<std::string>& allowed) {
    return isLoopback(peer) || std::find(allowed.begin(), allowed.end(), peer) != allowed.end();
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
    std::wstring host = s.exportAddress == L"0.0.0.0" ? L"127.0.0.1" : s.exportAddress;
    return L"http://" + host + L":" + s.exportPort + L"/";
}

}  // namespace features

#pragma once
#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "features/address_ranges.h"
#include "features/export_formats.h"
#include "features/http_request.h"
#include "platform/request_server.h"
#include "settings/settings.h"

namespace features {

// What the page is made of: the chart's points and the language its texts are in.
struct PageParts {
    std::vector<ChartPoint> points;
    base::Language language = base::Language::Japanese;
};

// The latest readings the user-interface thread published, and the answers the server's worker
// formats from them when asked: a tick only copies the snapshot, so a scrape a second costs one
// formatting, not one per tick. The worker holds the lock while it formats and never waits for
// a tick.
class ExportService {
public:
    void publish(ExportSnapshot snapshot);
    void publishPage(PageParts page);
    // Safe on any thread.
    platform::ConnectionReply reply(std::string_view received) const;
    // Whether the readings were asked for (/metrics or /data.json) since the last call: the
    // process table is read for the export only then.
    bool takeAsked() { return asked_.exchange(false); }

private:
    mutable std::mutex lock_;
    mutable std::atomic<bool> asked_{false};
    std::optional<ExportSnapshot> snapshot_;
    PageParts page_;
};

// Who may be served: this machine (a loopback address, or a peer that comes from the very
// address it connected to, as a browser on this PC opening its LAN address does) and the
// allowed addresses and ranges. Listening on loopback, only the machine itself can connect; an
// empty list lets no other machine in.
bool peerAllowed(const std::string& peer, const std::string& local, const AllowList& allowed);
// The port setting as a number; none when it is not one of 1 to 65535.
std::optional<std::uint16_t> exportPort(const settings::Settings& s);
// "http://127.0.0.1:9184/": what the user opens; this machine's address for "every address".
std::wstring exportUrl(const settings::Settings& s);
// The pause before trying again to serve after `failures` failed tries in a row: an address
// that comes up late or a port another program frees is taken soon, and a lasting failure
// costs a try a minute.
std::uint32_t exportRetryMs(int failures);

}  // namespace features

#include "features/export_formats.h"

#include <gtest/gtest.h>

#include <cmath>

#include "base/ip_address.h"
#include "features/address_ranges.h"
#include "features/export_service.h"
#include "features/export_snapshot.h"
#include "features/http_request.h"

namespace {

using features::ExportSnapshot;
using features::RequestVerdict;
using Kind = RequestVerdict::Kind;

ExportSnapshot sample() {
    ExportSnapshot s;
    s.unixSeconds = 1'765'200'005;  // 2025-12-08T13:20:05Z
    s.cpuRatio = 0.25;
    s.coreRatios = {0.5, 0};
    s.memoryUsedBytes = 3LL << 30;
    s.memoryTotalBytes = 8LL << 30;
    s.cpuSeconds = ExportSnapshot::CpuSeconds{100.5, 20, 3.25};
    s.interfaceName = "Intel(R) \"Ethernet\"";
    s.bootUnixSeconds = 1'765'100'000;
    s.processStartUnixSeconds = 1'765'200'000.25;
    s.processCpuSeconds = 1.5;
    s.processResidentBytes = 24 << 20;
    s.receivedBytes = 1234;
    s.sentBytes = 56;
    s.drives = {{"C:", 100, 1000}, {"D\"\\\n", 1, 2}};
    s.busiestByCpu = {{"burner.exe", 1, 0.48, 0}, {"chrome.exe", 12, 0.35, 0}};
    s.busiestByMemory = {{"chrome.exe", 12, 0, 1300}};
    s.uptimeSeconds = 12.5;
    s.alertActive[static_cast<std::size_t>(features::AlertRule::Memory)] = true;
    s.version = "3.36";
    return s;
}

TEST(ExportFormats, ExpositionHasEveryFamilyOnceWithEscapedLabels) {
    std::string text = features::metricsText(sample());
    for (const char* line : {
             "# TYPE korvant_cpu_usage_ratio gauge\nkorvant_cpu_usage_ratio 0.25\n",
             "korvant_cpu_core_usage_ratio{core=\"0\"} "
             "0.5\nkorvant_cpu_core_usage_ratio{core=\"1\"} 0\n",
             "korvant_memory_used_bytes 3221225472\n",
             "korvant_memory_total_bytes 8589934592\n",
             "# TYPE korvant_cpu_seconds_total counter\n"
             "korvant_cpu_seconds_total{mode=\"idle\"} 100.5\n"
             "korvant_cpu_seconds_total{mode=\"user\"} 20\n"
             "korvant_cpu_seconds_total{mode=\"system\"} 3.25\n",
             "# TYPE korvant_network_received_bytes_total counter\n"
             "korvant_network_received_bytes_total{interface=\"Intel(R) \\\"Ethernet\\\"\"} 1234\n",
             "korvant_network_sent_bytes_total{interface=\"Intel(R) \\\"Ethernet\\\"\"} 56\n",
             "korvant_boot_time_seconds 1765100000\n",
             "# TYPE process_start_time_seconds gauge\nprocess_start_time_seconds 1765200000.25\n",
             "# TYPE process_cpu_seconds_total counter\nprocess_cpu_seconds_total 1.5\n",
             "process_resident_memory_bytes 25165824\n",
             "korvant_drive_free_bytes{drive=\"C:\"} 100\n",
             "korvant_drive_size_bytes{drive=\"D\\\"\\\\\\n\"} 2\n",
             "korvant_system_uptime_seconds 12.5\n",
             "korvant_process_cpu_usage_ratio{name=\"burner.exe\"} 0.48\n"
             "korvant_process_cpu_usage_ratio{name=\"chrome.exe\"} 0.35\n",
             "# TYPE korvant_process_private_bytes gauge\n"
             "korvant_process_private_bytes{name=\"chrome.exe\"} 1300\n",
             "korvant_alert_active{rule=\"cpu\"} 0\nkorvant_alert_active{rule=\"memory\"} 1\n",
             "korvant_build_info{version=\"3.36\"} 1\n",
         })
        EXPECT_NE(text.find(line), std::string::npos) << line;
    // One HELP and one TYPE per family, every line ended, nothing but the prefix's names.
    EXPECT_EQ(text.back(), '\n');
    std::size_t helps = 0, types = 0, pos = 0;
    while ((pos = text.find("# HELP korvant_", pos)) != std::string::npos) ++helps, ++pos;
    pos = 0;
    while ((pos = text.find("# TYPE korvant_", pos)) != std::string::npos) ++types, ++pos;
    EXPECT_EQ(helps, 16u);
    EXPECT_EQ(types, 16u);
    EXPECT_EQ(text.find("korvant_process_start"), std::string::npos);
}

TEST(ExportFormats, JsonCarriesTheReadingsEscapedWithUtcTime) {
    std::string json = features::dataJson(sample());
    EXPECT_EQ(json.rfind("{\"time\":\"2025-12-08T13:20:05Z\"", 0), 0u);
    for (const char* part : {
             "\"cpu_usage_ratio\":0.25",
             "\"cpu_core_usage_ratio\":[0.5,0]",
             "\"memory_used_bytes\":3221225472",
             "\"memory_total_bytes\":8589934592",
             "\"cpu_seconds_total\":{\"idle\":100.5,\"user\":20,\"system\":3.25}",
             "\"network_interface\":\"Intel(R) \\\"Ethernet\\\"\"",
             "\"network_received_bytes_total\":1234",
             "\"boot_time_seconds\":1765100000,\"process_start_time_seconds\":1765200000.25,"
             "\"process_cpu_seconds_total\":1.5,\"process_resident_memory_bytes\":25165824",
             "\"network_sent_bytes_total\":56",
             "\"drives\":[{\"drive\":\"C:\",\"free_bytes\":100,\"size_bytes\":1000},"
             "{\"drive\":\"D\\\"\\\\\\n\",\"free_bytes\":1,\"size_bytes\":2}]",
             "\"process_cpu_usage_ratio\":[{\"name\":\"burner.exe\",\"processes\":1,"
             "\"value\":0.48},{\"name\":\"chrome.exe\",\"processes\":12,\"value\":0.35}]",
             "\"process_private_bytes\":[{\"name\":\"chrome.exe\",\"processes\":12,"
             "\"value\":1300}]",
             "\"alert_active\":{\"cpu\":false,\"memory\":true,\"drive\":false,\"traffic\":false}",
         })
        EXPECT_NE(json.find(part), std::string::npos) << part;
    EXPECT_EQ(json.back(), '}');

    EXPECT_EQ(features::jsonString("a\x01<\t"), "\"a\\u0001\\u003c\\t\"");
    EXPECT_EQ(features::utf8(L"\u30e1\U0001F600"), "\xe3\x83\xa1\xf0\x9f\x98\x80");
    EXPECT_EQ(features::utf8(std::wstring(1, wchar_t(0xD800))), "\xef\xbf\xbd");
    EXPECT_EQ(features::rfc3339(0), "1970-01-01T00:00:00Z");
    EXPECT_EQ(features::rfc3339(951'782'400), "2000-02-29T00:00:00Z");
}

TEST(ExportFormats, NumbersAreShortestThatReadBackAndNeverInvalid) {
    ExportSnapshot s = sample();
    s.coreRatios = {0.1, 1.0 / 3, 1e-300};
    s.cpuRatio = INFINITY;
    std::string text = features::metricsText(s);
    for (const char* line : {"korvant_cpu_usage_ratio +Inf\n", "{core=\"0\"} 0.1\n",
                             "{core=\"1\"} 0.3333333333333333\n", "{core=\"2\"} 1e-300\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line;
    const std::string json = features::dataJson(s);
    EXPECT_NE(json.find("\"cpu_usage_ratio\":null"), std::string::npos);  // JSON has no infinity
    EXPECT_NE(json.find("[0.1,0.3333333333333333,1e-300]"), std::string::npos);
}

TEST(ExportFormats, RequestHeadIsServedOnlyWhenWholeAndWithinItsBounds) {
    auto verdict = features::readRequestHead("GET /metrics?x=1 HTTP/1.1\r\nHost: a\r\n\r\n");
    EXPECT_EQ(verdict.kind, Kind::Serve);
    EXPECT_EQ(verdict.path, "/metrics");
    EXPECT_FALSE(verdict.headOnly);
    EXPECT_TRUE(verdict.keepAlive);
    EXPECT_TRUE(features::readRequestHead("HEAD / HTTP/1.0\r\n\r\n").headOnly);
    // Only an HTTP/1.1 client that does not ask to close keeps its connection.
    EXPECT_FALSE(features::readRequestHead("GET / HTTP/1.0\r\n\r\n").keepAlive);
    EXPECT_FALSE(features::readRequestHead("GET / HTTP/1.1\r\nHost: a\r\nCONNECTION: Close\r\n\r\n")
                     .keepAlive);
    EXPECT_TRUE(
        features::readRequestHead("GET / HTTP/1.1\r\nHost: a\r\nX-Connection: close\r\n\r\n")
            .keepAlive);

    EXPECT_EQ(features::readRequestHead("GET /metrics HTTP/1.1\r\nHost").kind, Kind::Incomplete);
    EXPECT_EQ(features::readRequestHead("GE").kind, Kind::Incomplete);

    auto status = [](std::string_view head) { return features::readRequestHead(head).status; };
    EXPECT_EQ(status("POST /metrics HTTP/1.1\r\n"), 405);  // refused before the headers end
    EXPECT_EQ(status("DELETE / HTTP/1.1\r\nHost: a\r\n\r\n"), 405);

    EXPECT_EQ(status("GET / HTTP/2\r\n\r\n"), 400);
    EXPECT_EQ(status("GET /a\x01 HTTP/1.1\r\nHost: a\r\n\r\n"), 400);
    EXPECT_EQ(status("G(T / HTTP/1.1\r\nHost: a\r\n\r\n"), 400);
    EXPECT_EQ(status("\r\n\r\n"), 400);

    // What clients send that a strict reading must still take, or refuse at once.
    auto served = [](std::string_view head) { return features::readRequestHead(head); };
    EXPECT_EQ(served("GET http://korvant:9184/metrics?x HTTP/1.1\r\nHost: korvant\r\n\r\n").path,
              "/metrics");  // absolute form, as a proxy is asked
    EXPECT_EQ(served("GET HTTP://korvant HTTP/1.0\r\n\r\n").path, "/");
    EXPECT_EQ(status("GET http:///metrics HTTP/1.1\r\nHost: a\r\n\r\n"), 400);
    EXPECT_EQ(status("GET ftp://x/ HTTP/1.1\r\nHost: a\r\n\r\n"), 400);
    RequestVerdict bare = served("GET /data.json HTTP/1.1\nHost: a\nConnection: keep-alive\n\n");
    EXPECT_EQ(bare.kind, Kind::Serve);  // lines ended by LF alone: answered, not waited on
    EXPECT_TRUE(bare.keepAlive);
    EXPECT_EQ(served("GET / HTTP/1.0\n\n").headBytes, 16u);
    EXPECT_EQ(status("GET / HTTP/1.1\r\n\r\n"), 400);  // HTTP/1.1 names its host
    EXPECT_EQ(status("GET / HTTP/1.1\r\nHost: a\r\nHost: b\r\n\r\n"), 400);
    EXPECT_EQ(status("GET / HTTP/1.1\r\nHost: a\r\nX: a\rb\r\n\r\n"), 400);
    EXPECT_EQ(status("GET / HTTP/1.1\r\nHost: a\r\nX: a\x01\r\n\r\n"), 400);
    EXPECT_EQ(status("GET / HTTP/1.1\r\nHost: a\r\nX : a\r\n\r\n"), 400);
    EXPECT_EQ(status("GET / HTTP/1.1\r\nHost: a\r\n folded\r\n\r\n"), 400);
    EXPECT_EQ(served("GET / HTTP/1.1\r\nHost: a\r\nX: caf\xc3\xa9\t!\r\n\r\n").kind, Kind::Serve);
    // A request behind another is the next one; a body's end is not looked for, so a request
    // with one closes the connection.
    const std::string two = "GET / HTTP/1.1\r\nHost: a\r\n\r\nGET /metrics HTTP/1.1\r\n";
    EXPECT_EQ(served(two).headBytes, two.find("GET /metrics"));
    EXPECT_FALSE(served("GET / HTTP/1.1\r\nHost: a\r\nContent-Length: 3\r\n\r\n").keepAlive);
    EXPECT_TRUE(served("GET / HTTP/1.1\r\nHost: a\r\nContent-Length: 0\r\n\r\n").keepAlive);
    EXPECT_FALSE(served("GET / HTTP/1.1\r\nHost: a\r\nConnection: te, Close\r\n\r\n").keepAlive);

    std::string head = "GET / HTTP/1.1\r\nX: " + std::string(features::kMostRequestHeadBytes, 'a');
    EXPECT_EQ(status(head), 431);               // no terminator yet, already too long
    EXPECT_EQ(status(head + "\r\n\r\n"), 431);  // whole, but too long
    std::string fits = "GET / HTTP/1.1\r\nHost: a\r\nX: ";
    fits += std::string(features::kMostRequestHeadBytes - fits.size() - 4, 'a') + "\r\n\r\n";
    EXPECT_EQ(features::readRequestHead(fits).kind, Kind::Serve);
}

TEST(ExportFormats, ResponsesCarryTheirTypeAndLengthAndHeadLeavesTheBodyOut) {
    bool published = true;
    auto textOf = [&](features::Resource r) -> std::optional<std::string> {
        if (!published) return std::nullopt;
        return r == features::Resource::Metrics ? "m 1\n"
               : r == features::Resource::Data  ? "{}"
                                                : "<html>";
    };
    auto answer = [&](std::string_view head) {
        return features::responseFor(features::readRequestHead(head), textOf);
    };
    std::string metrics = answer("GET /metrics HTTP/1.1\r\nHost: a\r\n\r\n");
    EXPECT_EQ(metrics.rfind("HTTP/1.1 200 OK\r\n", 0), 0u);
    EXPECT_NE(metrics.find("Content-Type: text/plain; version=0.0.4; charset=utf-8\r\n"),
              std::string::npos);
    EXPECT_NE(metrics.find("Content-Length: 4\r\n"), std::string::npos);
    EXPECT_TRUE(metrics.ends_with("\r\n\r\nm 1\n"));
    EXPECT_NE(metrics.find("Connection: keep-alive\r\n"), std::string::npos);
    EXPECT_NE(answer("GET /metrics HTTP/1.0\r\n\r\n").find("Connection: close\r\n"),
              std::string::npos);
    EXPECT_NE(answer("GET /data.json HTTP/1.1\r\nHost: a\r\n\r\n").find("application/json"),
              std::string::npos);
    std::string head = answer("HEAD / HTTP/1.1\r\nHost: a\r\n\r\n");
    EXPECT_NE(head.find("Content-Length: 6\r\n"), std::string::npos);
    EXPECT_TRUE(head.ends_with("\r\n\r\n"));
    EXPECT_EQ(answer("GET /memo HTTP/1.1\r\nHost: a\r\n\r\n").rfind("HTTP/1.1 404 ", 0), 0u);
    std::string refused = answer("PUT / HTTP/1.1\r\nHost: a\r\n\r\n");
    EXPECT_EQ(refused.rfind("HTTP/1.1 405 ", 0), 0u);
    EXPECT_NE(refused.find("Allow: GET, HEAD\r\n"), std::string::npos);
    EXPECT_NE(refused.find("Connection: close\r\n"), std::string::npos);
    published = false;
    EXPECT_EQ(answer("GET /metrics HTTP/1.1\r\nHost: a\r\n\r\n").rfind("HTTP/1.1 503 ", 0), 0u);
}

TEST(ExportFormats, SnapshotCountsTrafficSinceStartAndKeepsEachDriveUntilReadAgain) {
    features::ExportReadings exportReadings;
    monitor::Readings r;
    r.sampledNow.network = true;
    r.totalsRead = true;
    auto tick = [&](std::uint32_t at, std::int64_t in, std::int64_t out) {
        r.tickCount = at;
        r.in.total = in;
        r.out.total = out;
        exportReadings.count(r, L"eth0");
    };
    tick(1000, 5'000'000, 100);  // the interface's count before the program: not ours
    tick(2000, 5'000'500, 150);
    tick(3000, 10, 10);  // the counters were reset: nothing counted, nothing lost
    tick(4000, 30, 20);
    r.cpuTotalPercent = 140;  // never more than a whole
    r.cpuPercent = {10, 20, 30, 40};
    r.cpuTotalMeasured = true;
    r.cpuMeasured = {true, true, false, false};  // the machine has two
    r.memoryTotalMB = 100;
    r.memoryFreeMB = 25;
    r.memoryPercent = 75;
    monitor::DriveReading unread;
    monitor::DriveReading read;
    read.capacityRead = true;
    read.figures = {2, 1, 1, L"C:"};
    r.drives = {unread, read};
    r.drivesRefreshed = true;
    tick(4500, 30, 20);
    // The capacities are read every so many seconds: the ticks between keep the last figures.
    r.drives = {unread, unread};
    r.drivesRefreshed = false;
    tick(5000, 30, 20);
    settings::Settings s;
    s.alertMemoryOn = 1;
    s.alertMemoryPercent = 70;
    s.alertDriveOn = 1;
    s.alertDrivePercent = 60;
    // Only the five busiest are served, so that the series stay few.
    std::vector<features::ProcessGroup> busiest(7);
    for (std::size_t i = 0; i < busiest.size(); ++i)
        busiest[i] = {L"p" + std::to_wstring(i) + L".exe", 1, 7 - i, 10, 0};
    ExportSnapshot snapshot = exportReadings.snapshot(
        r, s, {.unixSeconds = 5, .processorCount = 2, .busiestByCpu = &busiest});
    ASSERT_EQ(snapshot.busiestByCpu.size(), 5u);
    EXPECT_EQ(snapshot.busiestByCpu[4].name, "p4.exe");
    EXPECT_DOUBLE_EQ(snapshot.busiestByCpu[4].cpuRatio, 0.3);
    EXPECT_TRUE(snapshot.busiestByMemory.empty());
    EXPECT_EQ(snapshot.receivedBytes, 520);
    EXPECT_EQ(snapshot.sentBytes, 60);
    EXPECT_EQ(snapshot.interfaceName, "eth0");
    EXPECT_FALSE(snapshot.cpuSeconds);  // not read yet
    // Another interface counts from its own start, and the first one's count stays its own.
    r.tickCount += 1000;
    r.in.total = 1'000'000;
    exportReadings.count(r, L"wlan0");
    r.tickCount += 1000;
    r.in.total = 1'000'100;
    exportReadings.count(r, L"wlan0");
    EXPECT_EQ(exportReadings.snapshot(r, s, {}).receivedBytes, 100);
    r.tickCount += 1000;
    exportReadings.count(r, L"eth0");
    r.tickCount += 1000;
    r.in.total = 1'000'130;
    exportReadings.count(r, L"eth0");
    EXPECT_EQ(exportReadings.snapshot(r, s, {}).receivedBytes, 550);
    // The processor's times by mode, in seconds, from the system's 100 ns units.
    r.cpuTimes = platform::ProcessorTimes{30'000'000, 100'000'000, 50'000'000};
    const auto seconds = exportReadings.snapshot(r, s, {}).cpuSeconds;
    ASSERT_TRUE(seconds);
    EXPECT_DOUBLE_EQ(seconds->idle, 3);
    EXPECT_DOUBLE_EQ(seconds->user, 5);
    EXPECT_DOUBLE_EQ(seconds->system, 2);
    EXPECT_EQ(snapshot.cpuRatio, 1.0);
    EXPECT_EQ(snapshot.coreRatios, (std::vector<double>{0.1, 0.2}));
    EXPECT_EQ(snapshot.memoryUsedBytes, 75LL * 1024 * 1024);
    ASSERT_EQ(snapshot.drives.size(), 1u);
    EXPECT_EQ(snapshot.drives[0].name, "C:");
    EXPECT_EQ(snapshot.drives[0].sizeBytes, 2LL * 1024 * 1024);
    EXPECT_EQ(snapshot.alertActive,
              (std::array<bool, features::kAlertRules>{false, true, true, false}));
    // A load read once is no measure: it is left out, never served as 0.
    r.cpuTotalMeasured = false;
    r.cpuMeasured = {true, false, false, false};
    ExportSnapshot first = exportReadings.snapshot(r, s, {.processorCount = 2});
    EXPECT_FALSE(first.cpuRatio);
    EXPECT_TRUE(first.coreRatios.empty());
    const std::string metrics = features::metricsText(first);
    EXPECT_NE(metrics.find("# TYPE korvant_cpu_usage_ratio gauge\n# HELP"), std::string::npos);
    EXPECT_EQ(metrics.find("korvant_cpu_core_usage_ratio{"), std::string::npos);
    const std::string json = features::dataJson(first);
    EXPECT_EQ(json.find("\"cpu_usage_ratio\""), std::string::npos);
    EXPECT_NE(json.find("\"cpu_core_usage_ratio\":[]"), std::string::npos);
    // A refresh that no longer reads the drive (its tick taken off) stops serving it.
    r.drivesRefreshed = true;
    tick(6000, 30, 20);
    EXPECT_TRUE(exportReadings.snapshot(r, s, {}).drives.empty());
}

TEST(ExportFormats, PageIsSelfContainedInTheChosenLanguageWithTheHoursChart) {
    features::HistoryRing ring;
    for (std::int64_t second = 0; second < 100; ++second) ring.push(second, {50, 25, 0, 0});
    std::vector<features::ChartPoint> points = features::lastHour(ring);
    ASSERT_EQ(points.size(), 360u);
    EXPECT_TRUE(std::isnan(points.front().cpu));  // before the first sample
    EXPECT_FLOAT_EQ(points.back().cpu, 0.5f);
    EXPECT_FLOAT_EQ(points.back().memory, 0.25f);

    std::string english = features::pageHtml(base::Language::English, points);
    std::string japanese = features::pageHtml(base::Language::Japanese, points);
    EXPECT_NE(english.find("<html lang=\"en\">"), std::string::npos);
    EXPECT_NE(english.find("\"KorvaNT readings\""), std::string::npos);
    EXPECT_NE(japanese.find("<html lang=\"ja\">"), std::string::npos);
    EXPECT_NE(japanese.find(features::utf8(L"\u30e1\u30e2\u30ea")), std::string::npos);
    EXPECT_NE(english.find("[0.500,0.250]]"), std::string::npos);
    EXPECT_NE(english.find("[null,null]"), std::string::npos);
    // The chart's time axis speaks the page's language.
    EXPECT_NE(english.find(",ago:\"{0} min ago\",now:\"now\""), std::string::npos);
    EXPECT_NE(japanese.find(features::utf8(L",ago:\"{0}\u5206\u524d\"")), std::string::npos);
    // Nothing loaded from elsewhere.
    for (const char* outside : {"src=", "href=", "http://", "https://", "@import"})
        EXPECT_EQ(english.find(outside), std::string::npos) << outside;
}

}  // namespace

namespace {

TEST(ExportService, OnlyThisMachineAndTheListedAddressesAndRangesGetIn) {
    features::AllowList allowed = features::readAllowList(
        L" 192.168.1.20,10.1.0.0/16;\t2001:db8::/32 fe80::1 192.168.1.300 host.lan 10.0.0.0/33 "
        L"01.2.3.4 \u30a2");
    EXPECT_EQ(allowed.ranges.size(), 4u);
    EXPECT_EQ(allowed.unreadable,
              (std::vector<std::wstring>{L"192.168.1.300", L"host.lan", L"10.0.0.0/33", L"01.2.3.4",
                                         L"\u30a2"}));
    auto in = [&](const char* peer, const char* local = "192.168.1.10") {
        return features::peerAllowed(peer, local, allowed);
    };
    EXPECT_TRUE(in("192.168.1.20"));
    EXPECT_FALSE(in("192.168.1.2"));  // no prefix matching of the text
    EXPECT_TRUE(in("10.1.255.7"));
    EXPECT_FALSE(in("10.2.0.1"));
    EXPECT_TRUE(in("2001:db8:0:0:1::9"));
    EXPECT_TRUE(in("FE80:0::0001"));
    EXPECT_FALSE(in("fe80::2"));
    EXPECT_TRUE(in("::ffff:10.1.2.3")) << "an IPv4 peer of a socket that takes both";
    // This machine: loopback, or a peer that comes from the address it connected to.
    EXPECT_TRUE(features::peerAllowed("127.8.9.1", "127.0.0.1", {}));
    EXPECT_TRUE(features::peerAllowed("::1", "::1", {}));
    EXPECT_TRUE(features::peerAllowed("192.168.1.10", "192.168.1.10", {}));
    EXPECT_FALSE(features::peerAllowed("192.168.1.20", "192.168.1.10", {}))
        << "an empty list lets no other machine in";
    EXPECT_FALSE(features::peerAllowed("", "", {}));
    EXPECT_TRUE(features::peerAllowed("0.0.0.0", "", features::readAllowList(L"0.0.0.0/0")));

    for (const char* wrong :
         {"1.2.3", "1.2.3.4.5", "1.2.3.", "::1::", "1:2:3:4:5:6:7:8:9", "1:2:3:4:5:6:7",
          ":::", "fe80::1%eth0", "12345::", "::1.2.3", "127.0.0.1.example"})
        EXPECT_FALSE(base::parseIpAddress(wrong)) << wrong;
    EXPECT_EQ(base::parseIpAddress("::"), (base::IpAddress{true, {}}));
    EXPECT_EQ(base::parseIpAddress("1:2:3:4:5:6:7::"), base::parseIpAddress("1:2:3:4:5:6:7:0"));
    EXPECT_EQ(base::parseIpAddress("::ffff:1.2.3.4"), base::parseIpAddress("1.2.3.4"));

    settings::Settings s;
    EXPECT_EQ(features::exportPort(s), 9184);
    for (const wchar_t* wrong : {L"", L"0", L"65536", L"80a", L"-1", L"123456"}) {
        s.exportPort = wrong;
        EXPECT_FALSE(features::exportPort(s)) << std::wstring(wrong).size();
    }
    s.exportPort = L"65535";
    s.exportAddress = L"0.0.0.0";
    EXPECT_EQ(features::exportUrl(s), L"http://127.0.0.1:65535/");
    s.exportAddress = L"::";
    EXPECT_EQ(features::exportUrl(s), L"http://[::1]:65535/");
    s.exportAddress = L"fd00::5";
    EXPECT_EQ(features::exportUrl(s), L"http://[fd00::5]:65535/");
}

TEST(ExportService, WhatStaysOnTheMachineIsNeverServed) {
    monitor::Readings r;
    r.clipboardText = L"secret-clipboard";
    r.proxyServer = L"proxy.secret:8080";
    r.lanAddress = L"192.168.1.99";
    features::ExportReadings exportReadings;
    features::ExportSnapshot snapshot = exportReadings.snapshot(r, settings::Settings{}, {});
    features::ExportService service;
    EXPECT_EQ(service.reply("GET / HTTP/1.1\r\nHost: a\r\n\r\n").bytes.rfind("HTTP/1.1 503 ", 0),
              0u);
    service.publish(snapshot);
    // The page alone asks for no readings; the process table is read for those that do.
    service.reply("GET / HTTP/1.1\r\nHost: a\r\n\r\n");
    EXPECT_FALSE(service.takeAsked());
    for (const char* path : {"/metrics", "/data.json", "/"}) {
        std::string request = std::string("GET ") + path + " HTTP/1.1\r\nHost: a\r\n\r\n";
        platform::ConnectionReply reply = service.reply(request);
        ASSERT_TRUE(reply.ready);
        EXPECT_EQ(reply.bytes.rfind("HTTP/1.1 200 ", 0), 0u) << path;
        for (const char* secret : {"secret", "192.168.1.99"})
            EXPECT_EQ(reply.bytes.find(secret), std::string::npos) << path << " " << secret;
        EXPECT_EQ(service.takeAsked(), std::string(path) != "/") << path;
    }
    EXPECT_FALSE(service.reply("GET /metrics HTTP/1.1\r\n").ready);
    // Pipelined: the first is answered and the connection kept for the one behind it; a
    // request that closes reads and drops what follows.
    const std::string first = "GET /metrics HTTP/1.1\r\nHost: a\r\n\r\n";
    platform::ConnectionReply pipelined = service.reply(first + "GET / HTTP/1.1\r\n");
    EXPECT_TRUE(pipelined.keepOpen);
    EXPECT_EQ(pipelined.consumed, first.size());
    platform::ConnectionReply closing = service.reply("GET / HTTP/1.0\r\n\r\n" + first);
    EXPECT_FALSE(closing.keepOpen);
    EXPECT_TRUE(closing.drain);
}

}  // namespace

namespace {

TEST(ExportService, AFailedStartIsTriedAgainSoonThenAtMostEveryMinute) {
    std::vector<std::uint32_t> pauses;
    for (int failures = 1; failures <= 8; ++failures)
        pauses.push_back(features::exportRetryMs(failures));
    EXPECT_EQ(pauses,
              (std::vector<std::uint32_t>{2000, 4000, 8000, 16000, 32000, 60000, 60000, 60000}));
    EXPECT_EQ(features::exportRetryMs(1000), 60000u);
}

}  // namespace

TEST(ExportFormats, SourcesAreServedByNameAndUnitOnlyWhileCurrent) {
    monitor::Readings r;
    r.sources = {{L"CPU温度", L"45.5°C", 45.5, L"\u00b0C", {}, {}, true, L"a"},
                 {L"Room \"A\"", L"--", std::nullopt, L"\u00b0C", {}, {}, true, L"b"},
                 {L"CPU温度", L"1", 1.0, L"", {}, {}, false, L"c"}};
    features::ExportSnapshot s = features::ExportReadings().snapshot(r, settings::Settings{}, {});
    ASSERT_EQ(s.sources.size(), 3u);
    EXPECT_EQ(s.sources[2].name, "CPU\xe6\xb8\xa9\xe5\xba\xa6 (2)");
    const std::string metrics = features::metricsText(s);
    EXPECT_NE(
        metrics.find("korvant_source_value{name=\"CPU\xe6\xb8\xa9\xe5\xba\xa6\",unit=\"\xc2\xb0"
                     "C\"} 45.5\n"),
        std::string::npos);
    EXPECT_EQ(metrics.find("Room"), std::string::npos) << "no current value: no sample";
    EXPECT_NE(metrics.find("name=\"CPU\xe6\xb8\xa9\xe5\xba\xa6 (2)\",unit=\"\"} 1\n"),
              std::string::npos);
    const std::string json = features::dataJson(s);
    EXPECT_NE(json.find("{\"name\":\"Room \\\"A\\\"\",\"unit\":\"\xc2\xb0"
                        "C\",\"value\":null}"),
              std::string::npos);
}

// Any update page: the version and announcement are cut within bounds, and the start-up fetches
// decide on a newer version only for three digits above this one.
#include "fakes/fake_http.h"
#include "features/startup_fetches.h"
#include "features/update_check.h"
#include "fuzz_input.h"
#include "monitor/status_items.h"
#include "settings/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::wstring page = fuzz::wideText({reinterpret_cast<const char*>(data), size});
    monitor::UpdateInfo info = features::parseUpdatePage(page, features::kUpdatePageTitleNT);
    fuzz::require(info.newestVersion.size() <= 3, "a version of more than three characters");
    fuzz::require(info.announcement.size() <= features::kMaxAnnouncementChars,
                  "an announcement past its bound");
    if (monitor::newVersionApplies(info, true)) {
        int version = 0;
        for (wchar_t c : info.newestVersion) {
            fuzz::require(c >= L'0' && c <= L'9', "a newer version that is not digits");
            version = version * 10 + (c - L'0');
        }
        fuzz::require(version > settings::kSettingsVersion, "an older version taken as newer");
    }

    fakes::FakeFetcher fetcher;
    const settings::ServerAddresses servers{L"update", L"ip", L"home", L"", {}};
    fetcher.pages[servers.updatePage] = page;
    settings::LiveSettings live;
    monitor::PageTexts pages;
    features::StartupFetches fetches(fetcher, servers, live, pages);
    bool newerVersion = false;
    fetches.onNewerVersion = [&] { newerVersion = true; };
    fetches.start();
    fetcher.deliverAll();
    fuzz::require(newerVersion == monitor::newVersionApplies(info, true),
                  "start-up and the notice row disagree on a newer version");
    return 0;
}

#include "features/startup_fetches.h"

#include "features/ip_tools.h"
#include "features/update_check.h"
#include "monitor/status_items.h"

namespace features {
namespace {

// Access counting is optional and never affects the program.
void countAccess(platform::HttpClient& http, const std::wstring& address) {
    if (!address.empty()) http.get(address);
}

}  // namespace

StartupFetches runStartupFetches(platform::HttpClient& http,
                                 const settings::ServerAddresses& servers,
                                 const settings::LiveSettings& live, monitor::PageTexts& pages) {
    const settings::Settings& s = live.settings;
    StartupFetches result;

    if (s.checkForUpdates == 1) {
        platform::HttpResponse page = http.get(servers.updatePage);
        if (!page.ok) {
            pages.publicAddress = features::kUnreachableText;
            return result;
        }
        pages.update = features::parseUpdatePage(page.text, features::kUpdatePageTitleNT);
        result.newerVersion = monitor::newVersionApplies(pages.update, s.checkForUpdates == 1);
        if (!servers.counterPage.empty()) {
            countAccess(http, servers.counterPage);
            countAccess(http, settings::counterQueryAddress(servers.counterPage));
        }
    }

    if (s.startupIpWaitSeconds != 0) return result;
    bool fetched = features::acquireIpAddress(http, servers.ipPage, live.displayRows,
                                              result.pageText, pages.publicAddress);
    if (!fetched) {
        pages.publicAddress = features::kAfterRestartText;
    } else if (pages.publicAddress != features::kUnreachableText) {
        countAccess(http, servers.counterPage);
    }
    return result;
}

}  // namespace features

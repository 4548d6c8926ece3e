#include "app/startup_fetches.h"

#include "monitor/status_items.h"
#include "utilities/ip_tools.h"
#include "utilities/update_check.h"

namespace app {
namespace {

// Access counting is optional and never affects the program.
void countAccess(platform::HttpClient& http, const std::wstring& address) {
    if (!address.empty()) http.get(address);
}

}  // namespace

StartupFetches runStartupFetches(platform::HttpClient& http, const ServerAddresses& servers,
                                 const settings::LiveSettings& live, monitor::PageTexts& pages) {
    const settings::Settings& s = live.settings;
    StartupFetches result;

    if (s.checkForUpdates == 1) {
        platform::HttpResponse page = http.get(servers.updatePage);
        if (!page.ok) {
            pages.publicAddress = utilities::kUnreachableText;
            return result;
        }
        pages.update = utilities::parseUpdatePage(page.text, utilities::kUpdatePageTitleNT);
        result.newerVersion = monitor::newVersionApplies(pages.update, s.checkForUpdates == 1);
        if (!servers.counterPage.empty()) {
            countAccess(http, servers.counterPage);
            countAccess(http, counterQueryAddress(servers.counterPage));
        }
    }

    if (s.startupIpWaitSeconds != 0) return result;
    bool fetched = utilities::acquireIpAddress(http, servers.ipPage, live.displayRows,
                                               result.pageText, pages.publicAddress);
    if (!fetched) {
        pages.publicAddress = utilities::kAfterRestartText;
    } else if (pages.publicAddress != utilities::kUnreachableText) {
        countAccess(http, servers.counterPage);
    }
    return result;
}

}  // namespace app

#include "app/startup_fetches.h"

#include "monitor/status_items.h"
#include "utilities/ip_tools.h"
#include "utilities/update_check.h"

namespace app {

void StartupFetches::start() {
    if (live_.settings.checkForUpdates == 1)
        fetcher_.fetch(servers_.updatePage,
                       [this](const platform::HttpResponse& page) { updatePageArrived(page); });
    else
        acquireAddress();
}

void StartupFetches::updatePageArrived(const platform::HttpResponse& page) {
    if (!page.ok) {
        pages_.publicAddress = utilities::kUnreachableText;
        return;
    }
    pages_.update = utilities::parseUpdatePage(page.text, utilities::kUpdatePageTitleNT);
    if (monitor::newVersionApplies(pages_.update, live_.settings.checkForUpdates == 1) &&
        onNewerVersion)
        onNewerVersion();
    if (!servers_.counterPage.empty()) {
        countAccess(servers_.counterPage);
        countAccess(counterQueryAddress(servers_.counterPage));
    }
    acquireAddress();
}

void StartupFetches::acquireAddress() {
    if (live_.settings.startupIpWaitSeconds != 0) return;
    bool started = utilities::acquireIpAddress(
        fetcher_, servers_.ipPage, live_.displayRows,
        [this](const std::wstring& address, const std::wstring& pageText) {
            pages_.publicAddress = address;
            if (onIpPage) onIpPage(pageText);
            if (address != utilities::kUnreachableText) countAccess(servers_.counterPage);
        });
    if (!started) pages_.publicAddress = utilities::kAfterRestartText;
}

// Access counting is optional and never affects the program.
void StartupFetches::countAccess(const std::wstring& address) {
    if (!address.empty()) fetcher_.fetch(address, nullptr);
}

}  // namespace app

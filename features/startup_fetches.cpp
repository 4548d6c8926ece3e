#include "features/startup_fetches.h"

#include "features/ip_tools.h"
#include "features/update_check.h"
#include "monitor/status_items.h"

namespace features {

void StartupFetches::start() {
    if (live_.settings.checkForUpdates == 1)
        fetcher_.fetch(servers_.updatePage,
                       [this](const platform::HttpResponse& page) { updatePageArrived(page); });
    else
        acquireAddress();
}

void StartupFetches::updatePageArrived(const platform::HttpResponse& page) {
    if (!page.ok) {
        pages_.publicAddress = kUnreachableText;
        return;
    }
    pages_.update = parseUpdatePage(page.text, kUpdatePageTitleNT);
    if (monitor::newVersionApplies(pages_.update, live_.settings.checkForUpdates == 1) &&
        onNewerVersion)
        onNewerVersion();
    if (!servers_.counterPage.empty()) {
        countAccess(servers_.counterPage);
        countAccess(settings::counterQueryAddress(servers_.counterPage));
    }
    acquireAddress();
}

void StartupFetches::acquireAddress() {
    if (live_.settings.startupIpWaitSeconds != 0) return;
    bool started =
        acquireIpAddress(fetcher_, servers_.ipPage, live_.displayRows,
                         [this](const std::wstring& address, const std::wstring& pageText) {
                             pages_.publicAddress = address;
                             if (onIpPage) onIpPage(pageText);
                             if (address != kUnreachableText) countAccess(servers_.counterPage);
                         });
    if (!started) pages_.publicAddress = kAfterRestartText;
}

// Access counting is optional and never affects the program.
void StartupFetches::countAccess(const std::wstring& address) {
    if (!address.empty()) fetcher_.fetch(address, nullptr);
}

}  // namespace features

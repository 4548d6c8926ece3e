#pragma once
#include <functional>
#include <string>

#include "monitor/page_texts.h"
#include "platform/page_fetcher.h"
#include "settings/live_settings.h"
#include "settings/server_addresses.h"

namespace features {

// The network part of start-up, one page at a time and never waited for: the update check when
// it is on, then, with a start-up wait of 0, the first public-IP acquisition (or "再起動後に表示"
// when item 104 is not shown). Each result is applied when it arrives; a failed update check
// ends the part and shows "接続不能" as the public IP. Lives as long as its fetches may arrive.
class StartupFetches {
public:
    StartupFetches(platform::PageFetcher& fetcher, const settings::ServerAddresses& servers,
                   const settings::LiveSettings& live, monitor::PageTexts& pages)
        : fetcher_(fetcher), servers_(servers), live_(live), pages_(pages) {}

    void start();

    std::function<void()> onNewerVersion;               // the newer-version entry shows
    std::function<void(const std::wstring&)> onIpPage;  // the IP page as it arrived

private:
    void updatePageArrived(const platform::HttpResponse& page);
    void acquireAddress();
    void countAccess(const std::wstring& address);

    platform::PageFetcher& fetcher_;
    settings::ServerAddresses servers_;
    const settings::LiveSettings& live_;
    monitor::PageTexts& pages_;
};

}  // namespace features

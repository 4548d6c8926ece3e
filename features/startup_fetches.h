#pragma once
#include <string>

#include "monitor/page_texts.h"
#include "platform/http_client.h"
#include "settings/live_settings.h"
#include "settings/server_addresses.h"

namespace features {

struct StartupFetches {
    bool newerVersion = false;  // VerHp becomes visible in both menus
    std::wstring pageText;      // the last IP page fetched
};

// The network part of start-up: the update check when it is on, then, with a start-up wait of
// 0, the first public-IP acquisition (or "再起動後に表示" when item 104 is not shown). A failed
// fetch ends the part and shows "接続不能" as the public IP.
StartupFetches runStartupFetches(platform::HttpClient& http,
                                 const settings::ServerAddresses& servers,
                                 const settings::LiveSettings& live, monitor::PageTexts& pages);

}  // namespace features

#include "ui/options/page_table.h"

#include <array>

#include "ui/options/close_list_page.h"
#include "ui/options/display_list_page.h"
#include "ui/options/drive_page.h"
#include "ui/options/pages.h"
#include "ui/options/proxy_page.h"

namespace ui::options {

const wchar_t* const kTabCaptions[kTabCount] = {
    L"表示設定",       L"回線設定",       L"HDD",        L"プロキシ",   L"自動クローズ",
    L"その他の設定１", L"その他の設定２", L"メモリ解放", L"その他機能", L"バージョン情報",
    L"通知",
};

namespace {

// A tab's pages share its body, each at its template's place: the list editor's page goes
// left of the display settings, the close list's below the auto-close settings. A tab without a
// page of its own yet shows an empty one.
constexpr std::array kPages = {
    PageRow{kDisplayTab, makeDisplayListPage}, PageRow{kDisplayTab, makeDisplaySettingsPage},
    PageRow{kLineTab, makeLinePage},           PageRow{kDriveTab, makeDrivePage},
    PageRow{kProxyTab, makeProxyPage},         PageRow{kAutoCloseTab, makeAutoClosePage},
    PageRow{kAutoCloseTab, makeCloseListPage}, PageRow{kOther1Tab, makeGeneralPage},
    PageRow{kOther2Tab, makeAppearancePage},   PageRow{kMemoryTab, makeMemoryPage},
    PageRow{kToolsTab, makeToolsPage},         PageRow{kVersionTab, makeVersionPage},
    PageRow{kAlertsTab, makeAlertsPage},
};

}  // namespace

std::span<const PageRow> pageTable() { return kPages; }

}  // namespace ui::options

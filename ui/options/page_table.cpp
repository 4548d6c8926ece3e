#include "ui/options/page_table.h"

#include <array>

#include "ui/options/close_list_page.h"
#include "ui/options/display_list_page.h"
#include "ui/options/drive_page.h"
#include "ui/options/proxy_page.h"

namespace ui::options {

const wchar_t* const kTabCaptions[kTabCount] = {
    L"表示設定",       L"回線設定",       L"HDD",        L"プロキシ",   L"自動クローズ",
    L"その他の設定１", L"その他の設定２", L"メモリ解放", L"その他機能", L"バージョン情報",
};

namespace {

// A tab without a row of its own shows an empty page.
constexpr std::array kPages = {
    PageRow{kDisplayTab, makeDisplayListPage},
    PageRow{kDriveTab, makeDrivePage},
    PageRow{kProxyTab, makeProxyPage},
    PageRow{kAutoCloseTab, makeCloseListPage},
};

}  // namespace

std::span<const PageRow> pageTable() { return kPages; }

}  // namespace ui::options

#pragma once
#include <memory>

#include "ui/options/page.h"

namespace ui::options {

// The pages of the setting controls, one file each.
std::unique_ptr<Page> makeDisplaySettingsPage();  // "表示設定", beside the list editor
std::unique_ptr<Page> makeLinePage();             // "回線設定"
std::unique_ptr<Page> makeAutoClosePage();        // "自動クローズ", above the close list
std::unique_ptr<Page> makeGeneralPage();          // "その他の設定１"
std::unique_ptr<Page> makeAppearancePage();       // "その他の設定２"
std::unique_ptr<Page> makeMemoryPage();           // "メモリ解放"
std::unique_ptr<Page> makeToolsPage();            // "その他機能"
std::unique_ptr<Page> makeExportPage();           // its nested tab of the readings served over HTTP
std::unique_ptr<Page> makeClipboardLinkPage();    // its nested tab "クリップボード共有"
std::unique_ptr<Page> makeVersionPage();          // "バージョン情報"
std::unique_ptr<Page> makeAlertsPage();           // "通知"
std::unique_ptr<Page> makeSourcesPage();          // "外部の値"

}  // namespace ui::options

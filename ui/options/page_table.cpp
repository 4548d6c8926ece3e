#include "ui/options/page_table.h"

#include <array>

#include "base/texts.h"
#include "ui/options/close_list_page.h"
#include "ui/options/display_list_page.h"
#include "ui/options/drive_page.h"
#include "ui/options/pages.h"
#include "ui/options/proxy_page.h"

namespace ui::options {

const base::Text kTabCaptions[kTabCount] = {
    base::Text::TabDisplay,   base::Text::TabLine,    base::Text::TabDrives, base::Text::TabProxy,
    base::Text::TabAutoClose, base::Text::TabOther1,  base::Text::TabOther2, base::Text::TabMemory,
    base::Text::TabTools,     base::Text::TabVersion, base::Text::TabAlerts, base::Text::TabSources,
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
    PageRow{kAlertsTab, makeAlertsPage},       PageRow{kSourcesTab, makeSourcesPage},
};

}  // namespace

std::span<const PageRow> pageTable() { return kPages; }

}  // namespace ui::options

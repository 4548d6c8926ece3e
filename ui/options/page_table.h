#pragma once
#include <span>

#include "base/texts.h"
#include "ui/options/page.h"

namespace ui::options {

enum Tab {
    kDisplayTab,
    kLineTab,
    kDriveTab,
    kProxyTab,
    kAutoCloseTab,
    kOther1Tab,
    kOther2Tab,
    kMemoryTab,
    kToolsTab,
    kVersionTab,
    kAlertsTab,
    kSourcesTab,
    kTabCount
};

extern const base::Text kTabCaptions[kTabCount];

// One page of a tab. A tab shows all its pages at once, each where its template puts it.
struct PageRow {
    Tab tab;
    PageFactory make;
};

// Every page of the options window, tab by tab.
std::span<const PageRow> pageTable();

}  // namespace ui::options

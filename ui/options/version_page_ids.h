// Controls of the tab "バージョン情報".
#pragma once

#define IDC_VERSION_TEXT 1901
#define IDC_VERSION_ICON 1902
#define IDC_HOME_LINK 1903
#define IDC_DISCLAIMER 1904
#define IDC_REDISTRIBUTION 1905

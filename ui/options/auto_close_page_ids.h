// The setting controls of the tab "自動クローズ" (the close list below them is a page of its own).
#pragma once

#define IDC_AUTO_CLOSE_ON 1401
#define IDC_AUTO_CLOSE_FRAME 1402
#define IDC_AUTO_CLOSE_SLIDER 1403

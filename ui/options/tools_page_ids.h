// Controls of the tab "その他機能" and of its folder sizing page.
#pragma once

#define IDC_TOOLS_TABS 1801
#define IDC_FOLDER_FRAME 1840
#define IDC_FOLDER_SLIDER 1841
#define IDC_SIZE_WINDOW_BUTTON 1842
#define IDC_FOLDER_TITLE 1843
#define IDC_FOLDER_FOUND 1844
#define IDC_FOLDER_HANDLE 1845
#define IDC_FOLDER_FIELD4 1846
#define IDC_FOLDER_HANDLES 1847

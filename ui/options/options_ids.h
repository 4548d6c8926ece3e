// Resource and control ids of the options window, shared by its .rc files and its pages.
// Plain macros: windres reads this file too.
#pragma once

// The window.
#define IDD_OPTIONS 200
#define IDC_OPTIONS_TABS 201
#define IDC_RESET_POSITION 202
#define IDC_RESET_SIZE 203
#define IDC_SAVE 204
#define IDC_CLOSE 205
#define IDC_STATUS 206

// Page templates: 300 + tab * 10 + page of that tab; nested pages follow their tab's.
#define IDD_PAGE_DISPLAY 300
#define IDD_PAGE_DISPLAY_CLIPBOARD 301
#define IDD_PAGE_DISPLAY_MEMO 302
#define IDD_PAGE_LINE 310
#define IDD_PAGE_AUTO_CLOSE 340
#define IDD_PAGE_OTHER1 350
#define IDD_PAGE_OTHER2 360
#define IDD_PAGE_MEMORY 370
#define IDD_PAGE_MEMORY_MANUAL 371
#define IDD_PAGE_MEMORY_AUTO 372
#define IDD_PAGE_TOOLS 380
#define IDD_PAGE_TOOLS_CLIPBOARD_LINK 381
#define IDD_PAGE_TOOLS_FOLDER 382
#define IDD_PAGE_TOOLS_EXPORT 383
#define IDD_PAGE_VERSION 390
#define IDD_PAGE_ALERTS 395
#define IDD_SIZE_WINDOW 399
#define IDD_PAGE_EMPTY 398

// Controls: each tab's pages take the ids 1000 + tab * 100 and up, so that every control of the
// window has an id of its own (the end-to-end tests find controls by id).
#define IDC_TAB0_FIRST 1000
#define IDC_TAB1_FIRST 1100
#define IDC_TAB2_FIRST 1200
#define IDC_TAB3_FIRST 1300
#define IDC_TAB4_FIRST 1400
#define IDC_TAB5_FIRST 1500
#define IDC_TAB6_FIRST 1600
#define IDC_TAB7_FIRST 1700
#define IDC_TAB8_FIRST 1800
#define IDC_TAB9_FIRST 1900

// The window size window, opened from the options window.
#define IDC_SIZE_TEXT 2001
#define IDC_SIZE_CHOSEN 2002

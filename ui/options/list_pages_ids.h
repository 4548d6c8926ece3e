// Resource and control ids of the list pages: the display list editor, the drive page, the
// proxy page and the close list. Plain macros: windres reads this file too.
#pragma once

#define IDD_PAGE_DISPLAY_LIST 305
#define IDD_PAGE_DRIVES 320
#define IDD_PAGE_PROXY 330
#define IDD_PAGE_CLOSE_LIST 345

// The display list editor, on the first tab after that tab's other controls.
#define IDC_DISPLAY_LIST 1080
#define IDC_DISPLAY_UP 1081
#define IDC_DISPLAY_DOWN 1082
#define IDC_DISPLAY_START_COLOUR 1083
#define IDC_DISPLAY_END_COLOUR 1084
#define IDC_DISPLAY_SINGLE_COLOUR 1085
#define IDC_DISPLAY_PREVIEW 1086

#define IDC_DRIVE_LIST 1200
#define IDC_DRIVE_TICK_ALL 1201
#define IDC_DRIVE_START_COLOUR 1202
#define IDC_DRIVE_END_COLOUR 1203
#define IDC_DRIVE_SINGLE_COLOUR 1204
#define IDC_DRIVE_PREVIEW 1205
#define IDC_DRIVE_FIGURE1 1206
#define IDC_DRIVE_FIGURE2 1207
#define IDC_DRIVE_GB 1208
#define IDC_DRIVE_MB 1209
#define IDC_DRIVE_INTERVAL_FRAME 1210
#define IDC_DRIVE_INTERVAL 1211

#define IDC_PROXY_LIST 1300
#define IDC_PROXY_ENTRY 1301
#define IDC_PROXY_ADD 1302
#define IDC_PROXY_DELETE 1303
#define IDC_PROXY_MENU 1304

// The close list, on the auto-close tab after that tab's other controls.
#define IDC_CLOSE_LIST 1480
#define IDC_CLOSE_DELETE 1481

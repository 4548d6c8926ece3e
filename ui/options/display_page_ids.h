// The setting controls of the tab "表示設定" (the list editor beside them is a page of its own,
// at the tab's left, up to x 180).
#pragma once

#define IDC_GRAPH_FRAME 1001
#define IDC_GRAPH_NONE 1002
#define IDC_GRAPH_CPU 1003
#define IDC_GRAPH_MEMORY 1004
#define IDC_GRAPH_RECEIVE 1005
#define IDC_GRAPH_SEND 1006
#define IDC_INTERVAL_FRAME 1010
#define IDC_INTERVAL_TEXT 1011
#define IDC_RECEIVE_TOTAL_LABEL 1020
#define IDC_RECEIVE_TOTAL_RESET 1021
#define IDC_RECEIVE_TOTAL_WHOLE 1022
#define IDC_SEND_TOTAL_LABEL 1023
#define IDC_SEND_TOTAL_RESET 1024
#define IDC_SEND_TOTAL_WHOLE 1025
#define IDC_TEXT_TABS 1030
#define IDC_CLIPBOARD_TEXT 1031
#define IDC_MEMO_TEXT 1032

// Controls of the page that serves the readings over HTTP (a nested tab of the tools tab).
#pragma once

#define IDC_EXPORT_FRAME 1860
#define IDC_EXPORT_ON 1861
#define IDC_EXPORT_ADDRESS_LABEL 1862
#define IDC_EXPORT_ADDRESS 1863
#define IDC_EXPORT_PORT_LABEL 1864
#define IDC_EXPORT_PORT 1865
#define IDC_EXPORT_ALLOWED_LABEL 1866
#define IDC_EXPORT_ALLOWED 1867
#define IDC_EXPORT_URL 1868
#define IDC_EXPORT_STATE 1869

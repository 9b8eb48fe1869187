// Resource ids of the demo host.
#pragma once

#include <afxres.h>

#define IDR_MAINFRAME 100
#define ID_FILE_OPEN_DEMO 32770
#define ID_DEMO_SHOW_MESSAGE 32771
#define ID_DEMO_SETTINGS 32772
#define ID_DEMO_RUN_CHECKS 32773
#define ID_APP_EXIT_DEMO 32774
#define ID_TOOLS_OPTIONS 32775

// The options dialog's pages (DS_CONTROL children; the title is the tree label, a line feed and the caption).
#define IDD_PAGE_GENERAL 200
#define IDD_PAGE_CONNECTION 201
#define IDD_PAGE_PROXY 202
#define IDD_PAGE_KEEPALIVE 203
#define IDD_PAGE_APPEARANCE 204
#define IDD_PAGE_ADVANCED 205

#define IDC_REOPEN_LAST 1100
#define IDC_RECENT_COUNT 1101
#define IDC_SHOW_ADVANCED 1102
#define IDC_HOST 1103
#define IDC_PORT 1104
#define IDC_PROXY_NONE 1105
#define IDC_PROXY_HTTP 1106
#define IDC_PROXY_SOCKS 1107
#define IDC_PROXY_HOST 1108
#define IDC_PROXY_PORT 1109
#define IDC_KEEPALIVE 1110
#define IDC_FONT_SIZE 1111
#define IDC_LOG_LEVEL 1112

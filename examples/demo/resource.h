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
#define ID_TOOLS_CONNECTION 32776
#define ID_EDIT_FIND_DEMO 32777
#define ID_THEME_COURIER 32778
#define ID_THEME_LUCIDA 32779

// The toolbar's images, one per 16 pixels: Open, Find, Options, Connection.
#define IDB_TOOLBAR 102

// The options dialog's pages (DS_CONTROL children; the title is the tree label, a line feed and the caption).
#define IDD_PAGE_GENERAL 200
#define IDD_PAGE_CONNECTION 201
#define IDD_PAGE_PROXY 202
#define IDD_PAGE_KEEPALIVE 203
#define IDD_PAGE_APPEARANCE 204
#define IDD_PAGE_ADVANCED 205

// The Connection window (modeless).
#define IDD_CONNECTION 210

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
#define IDC_SERVER_ADDRESS 1120
#define IDC_SERVER_PEERS 1121
#define IDC_CLIENT_HOST 1122
#define IDC_CLIENT_RESOLVED 1123
#define IDC_CLIENT_STATE 1124
#define IDC_BYTES_SENT 1125
#define IDC_BYTES_RECEIVED 1126
#define IDC_ROUND_TRIPS 1127
#define IDC_ROUND_TRIP_RATE 1128
#define IDC_CONNECT 1129

// Resource ids of the demo's Controls dialog and the icons its icon manager shows.
#pragma once

#define IDD_CONTROLS 220
#define IDI_DEMO_UNKNOWN_FILE 230
#define IDI_DEMO_CONFIG_FILE 231

#define IDC_CHECKS_INDEPENDENT 1140
#define IDC_CHECKS_RADIO 1141
#define IDC_CHECKS_READ_ONLY 1142
#define IDC_HEAD_READ1 1143
#define IDC_HEAD_WRITE1 1144
#define IDC_HEAD_READ2 1145
#define IDC_HEAD_WRITE2 1146
#define IDC_HEAD_READ3 1147
#define IDC_HEAD_WRITE3 1148
#define IDC_HELP_LINK 1149
#define IDC_PASSWORD 1150
#define IDC_FILE_ICONS 1151

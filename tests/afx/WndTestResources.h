// Resource ids of the window, dialog and control tests (71xx, apart from the other tests' resources).
#pragma once

#define IDD_WND_DATA 7101
#define IDD_WND_TABS 7102
#define IDD_WND_PLACED 7104
#define IDD_WND_MISSING 7199

#define IDR_WND_MENU 7103

#define IDC_WND_NUMBER 7110
#define IDC_WND_NAME 7111
#define IDC_WND_COUNT 7112
#define IDC_WND_CHECK 7113
#define IDC_WND_RADIO1 7114
#define IDC_WND_RADIO2 7115
#define IDC_WND_RADIO3 7116
#define IDC_WND_COMBO 7117
#define IDC_WND_EDIT1 7120
#define IDC_WND_EDIT2 7121
#define IDC_WND_EDIT3 7122

#define ID_WND_CMD_OPEN 7130
#define ID_WND_CMD_SAVE 7131
#define ID_WND_CMD_EXIT 7132
#define ID_WND_CMD_OPTIONS 7133
#define ID_WND_CMD_ABOUT 7134

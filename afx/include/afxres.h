// The framework's resource and command ids: string ids (AFX_IDS_) and the standard command ids (ID_) that
// the framework's own handlers answer. Plain definitions only, so that a host's resource script can include
// it (through its resource.h) as well as its C++ code.
//
//     // resource.h of a host
//     #include <afxres.h>
//     // MyApp.rc: MENUITEM "Recent File", ID_FILE_MRU_FILE1, GRAYED
#pragma once

// A resource script that includes this header gets the system's resource definitions (window and dialog
// styles, VS_VERSION_INFO, ...) with it; IDC_STATIC is the id of controls nobody addresses.
#ifdef RC_INVOKED
#include <winresrc.h>
#endif
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// The string resource that names the application (the default of CWinApp::m_pszAppName).
#define AFX_IDS_APP_TITLE 0xE000

// The entries of the recent-file list on the File menu; CWinApp answers them once LoadStdProfileSettings
// has made its list. A menu holds ID_FILE_MRU_FILE1 where the list goes.
#define ID_FILE_MRU_FIRST 0xE110
#define ID_FILE_MRU_FILE1 0xE110
#define ID_FILE_MRU_FILE2 0xE111
#define ID_FILE_MRU_FILE3 0xE112
#define ID_FILE_MRU_FILE4 0xE113
#define ID_FILE_MRU_FILE5 0xE114
#define ID_FILE_MRU_FILE6 0xE115
#define ID_FILE_MRU_FILE7 0xE116
#define ID_FILE_MRU_FILE8 0xE117
#define ID_FILE_MRU_FILE9 0xE118
#define ID_FILE_MRU_FILE10 0xE119
#define ID_FILE_MRU_FILE11 0xE11A
#define ID_FILE_MRU_FILE12 0xE11B
#define ID_FILE_MRU_FILE13 0xE11C
#define ID_FILE_MRU_FILE14 0xE11D
#define ID_FILE_MRU_FILE15 0xE11E
#define ID_FILE_MRU_FILE16 0xE11F
#define ID_FILE_MRU_LAST 0xE11F

// The Help button of dialogs.
#define ID_HELP 0xE146

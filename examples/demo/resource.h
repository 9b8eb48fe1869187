// Resource ids of the demo host.
#pragma once

#include <afxres.h>

#define IDR_MAINFRAME 100
#define ID_FILE_OPEN_DEMO 32770
#define ID_DEMO_SHOW_MESSAGE 32771
#define ID_DEMO_SETTINGS 32772
#define ID_DEMO_RUN_CHECKS 32773
#define ID_APP_EXIT_DEMO 32774

// Standard dialogs. Hosts include this header for the dialog classes; CDialog itself and dialog data
// exchange come from afxwin.h, the common-dialog wrappers join here.
#pragma once

#include "afxwin.h"

#include <commdlg.h>

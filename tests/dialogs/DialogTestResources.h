// Ids of the dialog tests' templates and controls. The templates live in the test program, never in the
// library, so that loading them needs the module to be named.
#pragma once

#define IDD_DLG_COLOURS 7101
#define IDD_DLG_RESIZE 7102
#define IDD_DLG_PLAIN 7103
#define IDD_DLG_MISSING 7199

#define IDC_DLG_COMBO 7201
#define IDC_DLG_TEXT 7202
#define IDC_DLG_BELOW1 7203
#define IDC_DLG_BELOW2 7204
#define IDC_DLG_SIDE 7205

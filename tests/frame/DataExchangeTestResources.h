// Ids of the data-exchange tests' dialog.
#pragma once

#define IDD_DDX_FIELDS 7301

#define IDC_DDX_FIRST 7311
#define IDC_DDX_TEXT 7312
#define IDC_DDX_CHECK 7313
#define IDC_DDX_DISABLED 7314

// Ids of the sample plug-in's templates and controls. The templates live only in the plug-in's module, which
// stays out of the application's resource chain: they are found only by naming the module.
#pragma once

#define IDD_SAMPLE_PAGE 7301
#define IDD_SAMPLE_DIALOG 7302

#define IDC_SAMPLE_LIMIT 7311  // transfers at once, 1 to 16
#define IDC_SAMPLE_RESUME 7312 // resume broken transfers

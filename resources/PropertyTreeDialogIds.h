// Ids of the property tree dialog's templates and controls, in the library's resources.
#pragma once

// Templates, chosen by the dialog's template index 0, 1 and 2.
#define IDD_PROPERTY_TREE 5011       // OK, Cancel
#define IDD_PROPERTY_TREE_APPLY 5017 // OK, Cancel, Apply, Help
#define IDD_PROPERTY_TREE_HELP 5018  // OK, Cancel, Help

#define IDC_PROPERTY_TREE 5012 // the tree of categories
#define IDC_PAGE_FRAME 5013    // never shown: its top-left corner is where every page goes
#define IDC_CAPTION_BAND 5014  // the selected page's caption
#define IDC_APPLY 5015

/// \file
/// Ids of the property tree dialog's templates and controls, in the library's resources. Every template
/// has the tree on the left, the caption band and the page frame on the right and the buttons below.
///
/// \code{.cpp}
/// CTreeCtrl* tree = static_cast<CTreeCtrl*>(dialog.GetDlgItem(IDC_PROPERTY_TREE));
/// \endcode
#pragma once

// Templates, chosen by the dialog's template index 0, 1 and 2.
#define IDD_PROPERTY_TREE 5011       ///< Template index 0: OK and Cancel.
#define IDD_PROPERTY_TREE_APPLY 5017 ///< Template index 1: OK, Cancel, Apply and Help.
#define IDD_PROPERTY_TREE_HELP 5018  ///< Template index 2: OK, Cancel and Help.

#define IDC_PROPERTY_TREE 5012 ///< The tree of categories.
#define IDC_PAGE_FRAME 5013    ///< Never shown: its top-left corner is where every page goes.
#define IDC_CAPTION_BAND 5014  ///< The selected page's caption.
#define IDC_APPLY 5015         ///< The Apply button of the IDD_PROPERTY_TREE_APPLY template.

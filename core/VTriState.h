/// \file
/// VTriState: a check box's three states, with the values the check-box control itself uses.
///
/// \code{.cpp}
/// VTriState state = static_cast<VTriState>(checkBox.GetCheck()); // BST_UNCHECKED, BST_CHECKED, ...
/// if (state == VTriIndeterminate) ...
/// \endcode
#pragma once

/// A check box's state; the values equal the control's BST_UNCHECKED, BST_CHECKED and BST_INDETERMINATE.
enum VTriState
{
    VTriUnchecked = 0,    ///< Not checked.
    VTriChecked = 1,      ///< Checked.
    VTriIndeterminate = 2 ///< Neither, as a three-state box shows a mixed selection.
};

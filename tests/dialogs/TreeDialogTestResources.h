// Ids of the property tree tests' page template and its controls.
#pragma once

#define IDD_TREE_PAGE 7401

#define IDC_TREE_VALUE 7411 // a number from 1 to 100
#define IDC_TREE_CHECK 7412

// VTriState: a check box's three states, with the values the check-box control itself uses.
#pragma once

enum VTriState
{
    VTriUnchecked = 0,
    VTriChecked = 1,
    VTriIndeterminate = 2
};

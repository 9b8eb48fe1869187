// IPropertyTreeDialog: how a property tree page reaches the dialog that shows it (adding, showing and hiding
// pages, marking the dialog modified, the page-state map).
//
//     if (IPropertyTreeDialog* pDialog = GetParentDialog())
//         pDialog->SetModified(true);
#pragma once

#include "core/PardalinApi.h"

class VPropertyTreePage;
class VPropertyPageStateMap;

class PARDALIN_API IPropertyTreeDialog
{
public:
    // Operations
    virtual void AddPage(VPropertyTreePage* pPage) = 0;
    virtual void RemovePage(VPropertyTreePage* pPage) = 0;
    virtual void ShowPage(VPropertyTreePage* pPage) = 0;
    virtual void HidePage(VPropertyTreePage* pPage) = 0;
    virtual void SetModified(bool bModified) = 0;
    virtual void SetClearSelected(bool bClearSelected) = 0;

    // Attributes
    // The host's map, or null when the dialog keeps no state.
    virtual VPropertyPageStateMap* GetPageStateMap() = 0;

protected:
    // Construction
    ~IPropertyTreeDialog() = default;
};

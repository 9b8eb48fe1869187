/// \class IPropertyTreeDialog
/// How a property tree page reaches the dialog that shows it: adding, showing and hiding pages, marking the
/// dialog modified, and the page-state map. VPropertyTreeDialog implements it; a page gets it from
/// VPropertyTreePageBase::GetParentDialog. The interface is not deleted through: the dialog's own type owns
/// its lifetime.
///
/// \code{.cpp}
/// if (IPropertyTreeDialog* pDialog = GetParentDialog())
///     pDialog->SetModified(true);
/// \endcode
#pragma once

#include "core/PardalinApi.h"

class VPropertyTreePage;
class VPropertyPageStateMap;

class PARDALIN_API IPropertyTreeDialog
{
public:
    // Operations
    /// Adds a top-level page; the page is not owned and must outlive the dialog.
    virtual void AddPage(VPropertyTreePage* pPage) = 0;
    /// Takes a top-level page out of the dialog's list of pages.
    virtual void RemovePage(VPropertyTreePage* pPage) = 0;
    /// Puts a page the dialog holds back into the tree while the dialog runs.
    virtual void ShowPage(VPropertyTreePage* pPage) = 0;
    /// Takes a page and its sub-pages out of the tree while the dialog runs; the page stays held.
    virtual void HidePage(VPropertyTreePage* pPage) = 0;
    /// Marks the dialog's settings changed (or unchanged); pages call it from their change handlers.
    virtual void SetModified(bool bModified) = 0;
    /// With true, pages shown later do not take the selection, whatever their remembered state says.
    virtual void SetClearSelected(bool bClearSelected) = 0;

    // Attributes
    /// The host's map of remembered page states, or null when the dialog keeps no state.
    virtual VPropertyPageStateMap* GetPageStateMap() = 0;

protected:
    // Construction
    /// Not deleted through the interface.
    ~IPropertyTreeDialog() = default;
};

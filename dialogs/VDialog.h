/// \class VDialog
/// An MFC dialog whose template comes from a named resource module (this library's or any other) rather
/// than from whichever module is current when the dialog runs.
///
/// \code{.cpp}
/// class CAboutDialog : public VDialog
/// {
/// public:
///     explicit CAboutDialog(CWnd* pParent) : VDialog(IDD_ABOUT, GetPardalinDll(), pParent) {}
/// };
/// CAboutDialog dialog(pMainWnd);
/// if (dialog.DoModal() == IDOK) ...
/// \endcode
///
/// A modeless one is constructed with bNoLoad true and made with Create, which switches to the module only
/// for the creation itself.
#pragma once

#include <afxwin.h>

#include "core/PardalinApi.h"
#include "core/VArray.h"
#include "core/VUnicodeString.h"

class PARDALIN_API VDialog : public CDialog
{
public:
    // Construction
    /// Loads template nID from hModule at once (see LoadResource), ready for DoModal with pParent as the
    /// parent.
    VDialog(UINT nID, HINSTANCE hModule, CWnd* pParent);
    /// With bNoLoad true nothing is loaded: the dialog is meant to be made modeless with Create. With
    /// bNoLoad false the same as the constructor without it.
    VDialog(UINT nID, HINSTANCE hModule, bool bNoLoad, CWnd* pParent);
    /// The resources loaded stay with their module: a loaded resource is freed with the module.
    ~VDialog() override;

    // Operations
    /// Loads template nID and its dialog-initialisation data (RT_DLGINIT) with hModule as the current
    /// resource module, and prepares the dialog for DoModal with pParent as its parent. A null module, or a
    /// module without the template, leaves no template: DoModal then returns -1.
    void LoadResource(UINT nID, HINSTANCE hModule, CWnd* pParent);
    /// Creates the dialog modeless from template nIDTemplate, with the stored module current for the
    /// creation. FALSE when there is no module, the template is missing or the window could not be made.
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd) override;
    /// Creates the dialog modeless as Create(UINT, CWnd*) does, with the template id in the low word of the
    /// help id (m_nIDHelp) and the parent LoadResource stored (null when nothing was loaded).
    BOOL Create();
    /// Ends any mode (menus, captures) that the parent, its descendants or the capture holder are in, then
    /// runs the loaded template. -1 when no template was loaded.
    INT_PTR DoModal() override;
    /// Grows or shrinks control nID to the height text needs when wrapped at the control's width, moves the
    /// controls belowIDs by the same amount and changes the dialog's height with it. The text is only
    /// measured, not set. Nothing happens when nID names no control; an id in belowIDs that names no
    /// control is skipped.
    void ResizeElements(int nID, VArray<int> const& belowIDs, VUnicodeString const& text);

protected:
    HGLOBAL m_hTemplateResource; ///< The RT_DIALOG resource, null until loaded.
    HGLOBAL m_hInitResource;     ///< The RT_DLGINIT resource of the same id, null when the module has none.
    HINSTANCE m_hResourceModule; ///< Where templates come from; not owned.
};

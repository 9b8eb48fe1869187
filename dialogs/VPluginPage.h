/// \class VPluginPage
/// A property tree page whose template lives in a plug-in module. The page's window is created with that
/// module as the current resource module, whatever module is current when the tree dialog starts.
///
/// \code{.cpp}
/// // in the plug-in, hPluginModule its own module
/// class CTransferPage : public VPluginPage
/// {
/// public:
///     explicit CTransferPage(HINSTANCE hPluginModule) : VPluginPage(IDD_TRANSFER_PAGE, hPluginModule) {}
/// };
/// // in the host
/// optionsDialog.AddPage(pPlugin->MakeTransferPage());
/// \endcode
#pragma once

#include "core/PardalinApi.h"
#include "dialogs/VPropertyTreePage.h"

class PARDALIN_API VPluginPage : public VPropertyTreePage
{
public:
    // Construction
    /// The page for template nIDTemplate of hModule. A null module makes an ordinary page: its template is
    /// looked for through the resource chain.
    VPluginPage(UINT nIDTemplate, HINSTANCE hModule);

    // Operations
    /// MFC's creation with the page's module as the current resource module; the module that was current
    /// before comes back however the call ends.
    ///@{
    BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd) override;
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd) override;
    ///@}

    // Overridables
    /// The page's window from its template, as a child of pDialog, with the page's module current.
    void PreModal(CDialog* pDialog) override;

protected:
    HINSTANCE m_hResourceModule; ///< The module the template comes from, or null; not owned.
};

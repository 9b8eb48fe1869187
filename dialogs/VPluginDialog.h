/// \class VPluginDialog
/// A plug-in's stand-alone dialog, whose template lives in the plug-in's module. It runs modal, or
/// modeless from the same template through Create(), and saves its data when the host asks through
/// IUpdateData. The host may hand it its IHostnameChanged sink, which derived dialogs use.
///
/// \code{.cpp}
/// class CServerDialog : public VPluginDialog
/// {
/// public:
///     CServerDialog(HINSTANCE hPluginModule, CWnd* pParent)
///         : VPluginDialog(IDD_SERVER, hPluginModule, pParent) {}
/// };
/// CServerDialog dialog(hPluginModule, pMainWnd);
/// dialog.DoModal();                 // or dialog.Create() for a modeless one
/// IUpdateData* pData = &dialog;
/// if (!pData->SavePageData()) ...  // the user has been told what is wrong
/// \endcode

/// \class IUpdateData
/// How the host asks a plug-in's dialog to save what its controls hold. The interface is not deleted
/// through.
///
/// \code{.cpp}
/// if (!pPluginDialog->SavePageData())
///     return; // the dialog has told the user what does not validate
/// \endcode
#pragma once

#include "core/PardalinApi.h"
#include "dialogs/VDialog.h"

// The host's interface for learning that a host name changed; the library only keeps the pointer.
class IHostnameChanged;

class PARDALIN_API IUpdateData
{
public:
    // Operations
    /// Saves the data of the controls; false when it does not validate.
    virtual bool SavePageData() = 0;

protected:
    // Construction
    /// Not deleted through the interface.
    ~IUpdateData() = default;
};

class PARDALIN_API VPluginDialog : public VDialog, public IUpdateData
{
public:
    // Construction
    /// Loads template nIDTemplate from hModule at once; the help id is the template id, so that Create()
    /// makes the same dialog modeless. No sink is held.
    VPluginDialog(UINT nIDTemplate, HINSTANCE hModule, CWnd* pParent);

    // Overridables
    /// For the host to ask before it shows the dialog, as it asks a page; the library does not call it.
    /// TRUE here.
    virtual BOOL OnSetActive();
    /// For the host to ask before it leaves the dialog, as it asks a page; the library does not call it.
    /// TRUE here.
    virtual BOOL OnKillActive();
    /// Keeps the host's sink (not owned) for derived dialogs.
    virtual void SetHostnameChangedSink(IHostnameChanged* pSink);

    // IUpdateData
    /// UpdateData(TRUE): false when the data does not validate (MFC's validation has told the user).
    bool SavePageData() override;

protected:
    IHostnameChanged* m_pHostnameChangedSink; ///< The host's sink, null until set; not owned.
};

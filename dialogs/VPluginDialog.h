// VPluginDialog and IUpdateData: a plug-in's stand-alone dialog, whose template lives in the plug-in's
// module. It runs modal, or modeless from the same template through Create(), and saves its data when the
// host asks through IUpdateData. The host may hand it its IHostnameChanged sink, which derived dialogs use.
//
//     class CServerDialog : public VPluginDialog
//     {
//     public:
//         CServerDialog(HINSTANCE hPluginModule, CWnd* pParent)
//             : VPluginDialog(IDD_SERVER, hPluginModule, pParent) {}
//     };
//     CServerDialog dialog(hPluginModule, pMainWnd);
//     dialog.DoModal();                 // or dialog.Create() for a modeless one
//     IUpdateData* pData = &dialog;
//     if (!pData->SavePageData()) ...  // the user has been told what is wrong
#pragma once

#include "core/PardalinApi.h"
#include "dialogs/VDialog.h"

// The host's interface for learning that a host name changed; the library only keeps the pointer.
class IHostnameChanged;

class PARDALIN_API IUpdateData
{
public:
    // Operations
    // Saves the data of the controls; false when it does not validate.
    virtual bool SavePageData() = 0;

protected:
    // Construction
    ~IUpdateData() = default;
};

class PARDALIN_API VPluginDialog : public VDialog, public IUpdateData
{
public:
    // Construction
    // Loads template nIDTemplate from hModule at once; the help id is the template id, so that Create()
    // makes the same dialog modeless.
    VPluginDialog(UINT nIDTemplate, HINSTANCE hModule, CWnd* pParent);

    // Overridables
    // TRUE here.
    virtual BOOL OnSetActive();
    virtual BOOL OnKillActive();
    // Keeps the host's sink (not owned) for derived dialogs.
    virtual void SetHostnameChangedSink(IHostnameChanged* pSink);

    // IUpdateData
    // UpdateData(TRUE): false when the data does not validate (MFC's validation has told the user).
    bool SavePageData() override;

protected:
    IHostnameChanged* m_pHostnameChangedSink;
};

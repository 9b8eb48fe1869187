// IParentable / VParentable: a mix-in that keeps the window to be used as the owner of user interface an
// object raises (message boxes, dialogs).
//
//     class CUploader : public VParentable
//     {
//         void ReportFailure(const IReportMessageParams* params) { VMessageBox(GetParentWindow(), params); }
//     };
//     uploader.SetParentWindow(pOptionsDialog); // by default the thread's main window
#pragma once

#include <afxwin.h>

#include "core/PardalinApi.h"

class PARDALIN_API IParentable
{
public:
    // Attributes
    virtual CWnd* GetParentWindow() = 0;
    virtual void SetParentWindow(CWnd* pWnd) = 0;

    // Construction
    virtual ~IParentable() = default;
};

struct PARDALIN_API VParentable : public IParentable
{
public:
    // Construction
    // Starts with the main window of the calling thread (null when the thread has no MFC thread object).
    VParentable();

    // Attributes
    // The last active pop-up the parent owns (the parent itself when it owns none), so that what the object
    // raises goes on top of what the user sees; null when no parent is held or its window is gone.
    CWnd* GetParentWindow() override;
    // pWnd is not owned and must outlive its use here.
    void SetParentWindow(CWnd* pWnd) override;

protected:
    VParentable(VParentable const& other);
    VParentable& operator=(VParentable const& other) = default;
    ~VParentable() override;

    CWnd* m_pParentWnd; // not owned
};

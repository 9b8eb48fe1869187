/// \class IParentable
/// An object whose user interface (message boxes, dialogs) can be given an owner window, so that code
/// holding any such object can put what it raises over the window the user works in. VParentable is the
/// implementation to derive from.
///
/// \code{.cpp}
/// void RunUpload(IParentable& task, CWnd* pDialog) { task.SetParentWindow(pDialog); ... }
/// \endcode

/// \class VParentable
/// A mix-in that keeps the window to be used as the owner of user interface an object raises (message
/// boxes, dialogs).
///
/// \code{.cpp}
/// class CUploader : public VParentable
/// {
///     void ReportFailure(const IReportMessageParams* params) { VMessageBox(GetParentWindow(), params); }
/// };
/// uploader.SetParentWindow(pOptionsDialog); // by default the thread's main window
/// \endcode
#pragma once

#include <afxwin.h>

#include "core/PardalinApi.h"

class PARDALIN_API IParentable
{
public:
    // Attributes
    /// The window to own what the object raises, or null for none.
    virtual CWnd* GetParentWindow() = 0;
    /// Sets the window to own what the object raises; the window is not owned.
    virtual void SetParentWindow(CWnd* pWnd) = 0;

    // Construction
    /// Implementations may be deleted through the interface.
    virtual ~IParentable() = default;
};

struct PARDALIN_API VParentable : public IParentable
{
public:
    // Construction
    /// Starts with the main window of the calling thread (null when the thread has no MFC thread object).
    VParentable();

    // Attributes
    /// The last active pop-up the parent owns (the parent itself when it owns none), so that what the object
    /// raises goes on top of what the user sees; null when no parent is held or its window is gone.
    CWnd* GetParentWindow() override;
    /// pWnd is not owned and must outlive its use here.
    void SetParentWindow(CWnd* pWnd) override;

protected:
    /// The copy refers to the same parent window.
    VParentable(VParentable const& other);
    /// Takes other's parent window.
    VParentable& operator=(VParentable const& other) = default;
    /// Only derived objects are destroyed; the parent window is left alone.
    ~VParentable() override;

    CWnd* m_pParentWnd; ///< The parent window as set, or null; not owned.
};

/// \class VFindDialog
/// The system's modeless find dialog (find only) reporting to a host object instead of to a window, opening
/// at a remembered place. The host hears from it through IFindDialogSink.
///
/// \code{.cpp}
/// m_pFind = new VFindDialog(m_lastText, m_dwLastFlags, this, pMainWnd); // this: an IFindDialogSink
/// if (!m_pFind->Create(m_lastPosition))
///     ... no parent window, or the system refused ...
/// void CHost::OnFindNext() { Search(m_pFind->GetString(), m_pFind->GetFlags()); }
/// void CHost::OnFindDialogClosing() { m_lastPosition = m_pFind->GetPosition(); PostDelete(); }
/// \endcode

/// \struct IFindDialogSink
/// What the host implements to hear from a VFindDialog: the user's requests to find, the dialog's closing
/// and its activation. Called on the dialog's thread; the dialog does not own its sink.
///
/// \code{.cpp}
/// class CHost : public IFindDialogSink
/// {
///     void OnFindNext() override;
///     void OnFindDialogClosing() override;
///     void OnFindDialogActivate() override {}
/// };
/// \endcode
#pragma once

#include "core/PardalinApi.h"
#include "core/VPoint.h"
#include "core/VUnicodeString.h"

#include <afxdlgs.h>

struct IFindDialogSink
{
    /// The user asked to find (GetString and GetFlags tell what).
    virtual void OnFindNext() = 0;
    /// The user closed the dialog; its window goes right after this call returns, and the host deletes the
    /// VFindDialog later (not from inside this call).
    virtual void OnFindDialogClosing() = 0;
    /// The dialog was activated or deactivated.
    virtual void OnFindDialogActivate() = 0;

protected:
    /// Not deleted through this interface.
    ~IFindDialogSink() = default;
};

class VFindHelperWnd;

class PARDALIN_API VFindDialog : public CFindReplaceDialog
{
public:
    // Construction
    /// A dialog that will open with findText (cut to 1023 characters; null for none). Of flags only
    /// FR_DOWN, FR_WHOLEWORD and FR_MATCHCASE are taken. The sink is not owned. The host deletes the object
    /// (it never deletes itself).
    VFindDialog(wchar_t const* findText, DWORD flags, IFindDialogSink* sink, CWnd* parent);
    /// Destroys the dialog's window, if it is still there, and the helper window; the sink hears nothing.
    ~VFindDialog() override;
    /// Makes the dialog under an invisible helper window of the parent, its top-left corner at pos unless
    /// pos is (-1, -1), where the system places it. False without a parent window, when the system refuses,
    /// or when the dialog was made before.
    bool Create(VPoint pos);

    // Attributes
    /// The text to find, as the user last left it.
    VUnicodeString GetString() const;
    /// The dialog's FR_* flags: FR_DOWN, FR_WHOLEWORD and FR_MATCHCASE as the user set them, besides the
    /// system's own (FR_FINDNEXT, FR_DIALOGTERM).
    DWORD GetFlags() const;
    /// The top-left corner of the dialog on the screen; (-1, -1) when it has no window.
    VPoint GetPosition() const;

    // Operations
    /// Moves the dialog's top-left corner to pos unless it is (-1, -1), then shows it, activated or not.
    /// Nothing without a window.
    void BringToTop(VPoint pos, bool activate);
    /// Hides the window, if there is one; BringToTop shows it again.
    void Hide();

protected:
    // Overridables
    /// Tells the sink, after the framework's handling.
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    /// Does nothing: the host owns the object.
    void PostNcDestroy() override;
    DECLARE_MESSAGE_MAP()

private:
    friend class VFindHelperWnd;
    // The dialog's notification, which reaches the helper window.
    void OnFindReplace();
    static UINT_PTR CALLBACK HookProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    CWnd* m_pParent;
    IFindDialogSink* m_pSink;
    CString m_strFindText;
    VFindHelperWnd* m_pHelper;
    VPoint m_position;
};

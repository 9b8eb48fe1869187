#include "controls/VFindDialog.h"

namespace
{
// Registered once, when the library loads: the message the system's find dialog sends its owner.
const UINT g_nFindReplaceMessage = ::RegisterWindowMessageW(FINDMSGSTRINGW);

const VPoint kSystemPlacement(-1, -1);
const DWORD kKeptFlags = FR_DOWN | FR_WHOLEWORD | FR_MATCHCASE;
const int kFindTextSize = 1024;
} // namespace

// The invisible child of the host's window that owns the system dialog, so that its notifications come
// here and go on to the VFindDialog.
class VFindHelperWnd : public CWnd
{
public:
    explicit VFindHelperWnd(VFindDialog* pDialog) : m_pDialog(pDialog) {}

    BOOL Create(CWnd* pParent)
    {
        return CreateEx(0, AfxRegisterWndClass(0), L"VFindDialog Sink", WS_CHILD, CRect(0, 0, 0, 0), pParent,
                        0);
    }

protected:
    afx_msg LRESULT OnFindReplace(WPARAM, LPARAM)
    {
        m_pDialog->OnFindReplace();
        return 0;
    }
    DECLARE_MESSAGE_MAP()

private:
    VFindDialog* m_pDialog;
};

BEGIN_MESSAGE_MAP(VFindHelperWnd, CWnd)
ON_REGISTERED_MESSAGE(g_nFindReplaceMessage, &VFindHelperWnd::OnFindReplace)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(VFindDialog, CFindReplaceDialog)
ON_WM_ACTIVATE()
END_MESSAGE_MAP()

VFindDialog::VFindDialog(wchar_t const* findText, DWORD flags, IFindDialogSink* sink, CWnd* parent)
    : m_pParent(parent), m_pSink(sink), m_pHelper(nullptr), m_position(kSystemPlacement)
{
    m_fr.Flags |= flags & kKeptFlags;
    // The system writes at most kFindTextSize characters, the terminating NUL included, into the buffer.
    if (findText != nullptr)
    {
        m_strFindText = CString(findText).Left(kFindTextSize - 1);
    }
    m_fr.lpstrFindWhat = m_strFindText.GetBuffer(kFindTextSize);
    m_fr.wFindWhatLen = kFindTextSize;
}

VFindDialog::~VFindDialog()
{
    // The system dialog writes into the find text until its window is gone.
    m_pSink = nullptr;
    if (m_hWnd != nullptr)
    {
        DestroyWindow();
    }
    if (m_pHelper != nullptr)
    {
        m_pHelper->DestroyWindow();
        delete m_pHelper;
    }
    if (m_fr.lpstrFindWhat != nullptr)
    {
        m_strFindText.ReleaseBuffer();
        m_fr.lpstrFindWhat = nullptr;
    }
}

bool VFindDialog::Create(VPoint pos)
{
    if (m_pHelper != nullptr)
    {
        return false;
    }
    m_pHelper = new VFindHelperWnd(this);
    if (!m_pHelper->Create(m_pParent))
    {
        delete m_pHelper;
        m_pHelper = nullptr;
        return false;
    }
    m_position = pos;
    m_fr.lpfnHook = &VFindDialog::HookProc;
    m_fr.lCustData = reinterpret_cast<LPARAM>(&m_position);
    return CFindReplaceDialog::Create(TRUE, nullptr, nullptr, 0, m_pHelper) != FALSE;
}

VUnicodeString VFindDialog::GetString() const
{
    return VUnicodeString(m_fr.lpstrFindWhat != nullptr ? m_fr.lpstrFindWhat : m_strFindText.GetString());
}

DWORD VFindDialog::GetFlags() const
{
    return m_fr.Flags;
}

VPoint VFindDialog::GetPosition() const
{
    if (m_hWnd == nullptr)
    {
        return kSystemPlacement;
    }
    CRect rect;
    GetWindowRect(&rect);
    return VPoint(rect.left, rect.top);
}

void VFindDialog::BringToTop(VPoint pos, bool activate)
{
    if (m_hWnd == nullptr)
    {
        return;
    }
    if (pos != kSystemPlacement)
    {
        SetWindowPos(nullptr, pos.x, pos.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | (activate ? 0 : SWP_NOACTIVATE));
    }
    ShowWindow(activate ? SW_SHOW : SW_SHOWNOACTIVATE);
}

void VFindDialog::Hide()
{
    if (m_hWnd != nullptr)
    {
        ShowWindow(SW_HIDE);
    }
}

void VFindDialog::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CFindReplaceDialog::OnActivate(nState, pWndOther, bMinimized);
    if (m_pSink != nullptr)
    {
        m_pSink->OnFindDialogActivate();
    }
}

void VFindDialog::PostNcDestroy() {}

void VFindDialog::OnFindReplace()
{
    if ((m_fr.Flags & FR_DIALOGTERM) == 0)
    {
        if (m_pSink != nullptr)
        {
            m_pSink->OnFindNext();
        }
        return;
    }
    if (m_pSink != nullptr)
    {
        m_pSink->OnFindDialogClosing();
    }
    m_strFindText.ReleaseBuffer();
    m_fr.lpstrFindWhat = nullptr;
}

UINT_PTR CALLBACK VFindDialog::HookProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
    {
        return 0;
    }
    const auto* pfr = reinterpret_cast<const FINDREPLACE*>(lParam);
    const auto* pPosition = reinterpret_cast<const VPoint*>(pfr->lCustData);
    if (*pPosition != kSystemPlacement)
    {
        ::SetWindowPos(hWnd, nullptr, pPosition->x, pPosition->y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    return TRUE;
}

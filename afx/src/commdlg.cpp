// The common dialogs: the file dialogs and the find and replace dialogs, over comdlg32.
#include "wndstate.h"

#include <afxdlgs.h>

#include <atomic>
#include <cstddef>
#include <cwchar>

namespace
{
// The file dialog whose hook child is about to arrive at the hook procedure. The file dialogs are modal,
// so one per thread is pending at most.
thread_local CFileDialog* t_pPendingFileDialog = nullptr;

// The hook of every common dialog this code starts. The file dialog's object is attached to the window the
// hook serves (the explorer dialog's child) the first time it is seen; the find dialog's was attached by
// the creation hook. WM_INITDIALOG then reaches OnInitDialog as for any dialog; everything else is left to
// the system's dialog procedure.
UINT_PTR CALLBACK CommonDialogHook(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (hWnd == nullptr)
    {
        return 0;
    }
    if (CFileDialog* pPending = t_pPendingFileDialog)
    {
        t_pPendingFileDialog = nullptr;
        if (!pPending->SubclassWindow(hWnd))
        {
            TRACE(L"CFileDialog: the dialog's window cannot be attached to the object.\n");
        }
    }
    if (message != WM_INITDIALOG)
    {
        return 0;
    }
    return static_cast<UINT_PTR>(AfxDlgProc(hWnd, message, wParam, lParam));
}

// Where m_fr lies in a CFindReplaceDialog, taken from the first object made (it is the same in all).
std::atomic<std::ptrdiff_t> g_nFindReplaceOffset{0};

// Copies text into a buffer of nSize characters, cutting it to fit.
void CopyCut(LPTSTR lpszBuffer, size_t nSize, LPCTSTR lpszText)
{
    if (lpszBuffer == nullptr || nSize == 0)
    {
        return;
    }
    wcsncpy(lpszBuffer, lpszText, nSize - 1);
    lpszBuffer[nSize - 1] = L'\0';
}
} // namespace

/////////////////////////////////////////////////////////////////////////////
// CCommonDialog

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)

CCommonDialog::CCommonDialog(CWnd* pParentWnd)
{
    m_pParentWnd = pParentWnd;
}

BOOL CCommonDialog::CheckAutoCenter()
{
    return FALSE;
}

void CCommonDialog::OnOK()
{
    if (!UpdateData(TRUE))
    {
        return;
    }
    Default();
}

void CCommonDialog::OnCancel()
{
    Default();
}

/////////////////////////////////////////////////////////////////////////////
// CFileDialog

IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd, DWORD dwSize, BOOL)
    : CCommonDialog(pParentWnd), m_ofn(), m_bOpenFileDialog(bOpenFileDialog), m_szFileTitle(), m_szFileName()
{
    m_ofn.lStructSize = dwSize != 0 ? dwSize : static_cast<DWORD>(sizeof(OPENFILENAME));
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = _MAX_PATH;
    m_ofn.lpstrDefExt = lpszDefExt;
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = static_cast<DWORD>(sizeof m_szFileTitle / sizeof m_szFileTitle[0]);
    m_ofn.Flags = dwFlags | OFN_ENABLEHOOK | OFN_EXPLORER;
    m_ofn.hInstance = AfxGetResourceHandle();
    m_ofn.lpfnHook = &CommonDialogHook;
    if (lpszFileName != nullptr)
    {
        CopyCut(m_szFileName, _MAX_PATH, lpszFileName);
    }
    if (lpszFilter != nullptr)
    {
        // The system wants the pairs separated by NULs and ending in two of them.
        m_strFilter = lpszFilter;
        const int nLength = m_strFilter.GetLength();
        LPTSTR pch = m_strFilter.GetBuffer(nLength + 1);
        for (int i = 0; i < nLength; ++i)
        {
            if (pch[i] == L'|')
            {
                pch[i] = L'\0';
            }
        }
        pch[nLength] = L'\0';
        m_strFilter.ReleaseBuffer(nLength);
        m_ofn.lpstrFilter = m_strFilter.GetString();
    }
}

INT_PTR CFileDialog::DoModal()
{
    if (m_hWnd != nullptr)
    {
        TRACE(L"CFileDialog::DoModal on a dialog that already has a window.\n");
        return IDCANCEL;
    }
    // The system disables the owner while its dialog runs.
    m_ofn.hwndOwner = PreModal();
    t_pPendingFileDialog = this;
    BOOL bResult = m_bOpenFileDialog ? ::GetOpenFileNameW(&m_ofn) : ::GetSaveFileNameW(&m_ofn);
    t_pPendingFileDialog = nullptr;
    PostModal();
    return bResult ? IDOK : IDCANCEL;
}

CString CFileDialog::GetPathName() const
{
    if (m_hWnd != nullptr && (m_ofn.Flags & OFN_EXPLORER) != 0)
    {
        HWND hDialog = ::GetParent(m_hWnd);
        auto nLength = static_cast<int>(::SendMessageW(hDialog, CDM_GETFILEPATH, 0, 0));
        if (nLength > 0)
        {
            CString path;
            auto nCopied =
                static_cast<int>(::SendMessageW(hDialog, CDM_GETFILEPATH, static_cast<WPARAM>(nLength),
                                                reinterpret_cast<LPARAM>(path.GetBuffer(nLength))));
            path.ReleaseBuffer(nCopied > 0 ? -1 : 0);
            return path;
        }
    }
    return m_ofn.lpstrFile;
}

CString CFileDialog::GetFileName() const
{
    CString path = GetPathName();
    const int nSlash = path.ReverseFind(L'\\');
    return nSlash >= 0 ? path.Mid(nSlash + 1) : path;
}

CString CFileDialog::GetFileExt() const
{
    CString name = GetFileName();
    const int nDot = name.ReverseFind(L'.');
    return nDot >= 0 ? name.Mid(nDot + 1) : CString();
}

void CFileDialog::SetControlText(int nID, LPCWSTR lpsz)
{
    ASSERT(::IsWindow(m_hWnd));
    ASSERT((m_ofn.Flags & OFN_EXPLORER) != 0);
    ::SendMessageW(::GetParent(m_hWnd), CDM_SETCONTROLTEXT, static_cast<WPARAM>(nID),
                   reinterpret_cast<LPARAM>(lpsz));
}

void CFileDialog::SetControlText(int nID, LPCSTR lpsz)
{
    SetControlText(nID, CString(lpsz).GetString());
}

/////////////////////////////////////////////////////////////////////////////
// CFindReplaceDialog

IMPLEMENT_DYNAMIC(CFindReplaceDialog, CCommonDialog)

CFindReplaceDialog::CFindReplaceDialog() : CCommonDialog(nullptr), m_fr(), m_szFindWhat(), m_szReplaceWith()
{
    m_fr.lStructSize = sizeof m_fr;
    m_fr.Flags = FR_ENABLEHOOK;
    m_fr.lpfnHook = &CommonDialogHook;
    m_fr.lpstrFindWhat = m_szFindWhat;
    m_fr.wFindWhatLen = static_cast<WORD>(sizeof m_szFindWhat / sizeof m_szFindWhat[0]);
    m_fr.lpstrReplaceWith = m_szReplaceWith;
    m_fr.wReplaceWithLen = static_cast<WORD>(sizeof m_szReplaceWith / sizeof m_szReplaceWith[0]);
    g_nFindReplaceOffset = reinterpret_cast<BYTE*>(&m_fr) - reinterpret_cast<BYTE*>(this);
}

BOOL CFindReplaceDialog::Create(BOOL bFindDialogOnly, LPCTSTR lpszFindWhat, LPCTSTR lpszReplaceWith,
                                DWORD dwFlags, CWnd* pParentWnd)
{
    m_fr.Flags |= dwFlags;
    m_fr.hwndOwner = pParentWnd != nullptr ? pParentWnd->GetSafeHwnd() : AfxGetMainWnd()->GetSafeHwnd();
    if (lpszFindWhat != nullptr)
    {
        CopyCut(m_fr.lpstrFindWhat, m_fr.wFindWhatLen, lpszFindWhat);
    }
    if (lpszReplaceWith != nullptr)
    {
        CopyCut(m_fr.lpstrReplaceWith, m_fr.wReplaceWithLen, lpszReplaceWith);
    }
    // The dialog is the first window the call creates: the creation hook attaches it to this object.
    AfxHookWindowCreate(this);
    HWND hWnd = bFindDialogOnly ? ::FindTextW(&m_fr) : ::ReplaceTextW(&m_fr);
    if (!AfxUnhookWindowCreate())
    {
        // No window was made, so no WM_NCDESTROY will end the object.
        PostNcDestroy();
    }
    return hWnd != nullptr;
}

CFindReplaceDialog* PASCAL CFindReplaceDialog::GetNotifier(LPARAM lParam)
{
    auto* pfr = reinterpret_cast<FINDREPLACE*>(lParam);
    return pfr == nullptr ? nullptr
                          : reinterpret_cast<CFindReplaceDialog*>(reinterpret_cast<BYTE*>(pfr) -
                                                                  g_nFindReplaceOffset.load());
}

CString CFindReplaceDialog::GetFindString() const
{
    return m_fr.lpstrFindWhat != nullptr ? CString(m_fr.lpstrFindWhat) : CString();
}

CString CFindReplaceDialog::GetReplaceString() const
{
    return m_fr.lpstrReplaceWith != nullptr ? CString(m_fr.lpstrReplaceWith) : CString();
}

void CFindReplaceDialog::PostNcDestroy()
{
    delete this;
}

// CDialog: modal and modeless dialogs from resource or in-memory templates; CDialogEx.
#include "afxdialogex.h"
#include "wndstate.h"

#include <cstring>

namespace
{
// The leading fields of an extended template (DIALOGEX); its signature word is 0xFFFF.
struct DialogTemplateEx
{
    WORD dlgVer;
    WORD signature;
    DWORD helpID;
    DWORD exStyle;
    DWORD style;
    WORD cDlgItems;
    short x;
    short y;
    short cx;
    short cy;
};

// The style and position of either template form.
void ReadTemplateHeader(LPCDLGTEMPLATE lpTemplate, DWORD& dwStyle, short& x, short& y)
{
    WORD header[2];
    memcpy(header, lpTemplate, sizeof header);
    if (header[1] == 0xFFFF)
    {
        DialogTemplateEx ex;
        memcpy(&ex, lpTemplate, sizeof ex);
        dwStyle = ex.style;
        x = ex.x;
        y = ex.y;
    }
    else
    {
        DLGTEMPLATE plain;
        memcpy(&plain, lpTemplate, sizeof plain);
        dwStyle = plain.style;
        x = plain.x;
        y = plain.y;
    }
}

LPCDLGTEMPLATE LoadTemplate(LPCTSTR lpszTemplateName, HINSTANCE& hInst)
{
    hInst = AfxFindResourceHandle(lpszTemplateName, RT_DIALOG);
    HRSRC hResource = ::FindResourceW(hInst, lpszTemplateName, RT_DIALOG);
    HGLOBAL hTemplate = hResource != nullptr ? ::LoadResource(hInst, hResource) : nullptr;
    return hTemplate != nullptr ? static_cast<LPCDLGTEMPLATE>(::LockResource(hTemplate)) : nullptr;
}
} // namespace

IMPLEMENT_DYNAMIC(CDialog, CWnd)
IMPLEMENT_DYNAMIC(CDialogEx, CDialog)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, &CDialog::OnOK)
ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
ON_MESSAGE(WM_INITDIALOG, &CDialog::HandleInitDialog)
ON_MESSAGE(WM_SETFONT, &CDialog::HandleSetFont)
END_MESSAGE_MAP()

CDialog::CDialog()
    : m_nIDHelp(0), m_lpszTemplateName(nullptr), m_hDialogTemplate(nullptr), m_lpDialogTemplate(nullptr),
      m_lpDialogInit(nullptr), m_pParentWnd(nullptr), m_hWndTop(nullptr)
{
}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd) : CDialog()
{
    m_lpszTemplateName = lpszTemplateName;
    m_pParentWnd = pParentWnd;
    if (IS_INTRESOURCE(lpszTemplateName))
    {
        m_nIDHelp = LOWORD(reinterpret_cast<ULONG_PTR>(lpszTemplateName));
    }
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : CDialog()
{
    m_lpszTemplateName = MAKEINTRESOURCEW(nIDTemplate);
    m_nIDHelp = nIDTemplate;
    m_pParentWnd = pParentWnd;
}

CDialog::~CDialog()
{
    if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this)
    {
        TRACE(L"CDialog deleted while its window exists: destroying the window.\n");
        DestroyWindow();
    }
}

/////////////////////////////////////////////////////////////////////////////
// Modeless

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName) && m_nIDHelp == 0)
    {
        m_nIDHelp = LOWORD(reinterpret_cast<ULONG_PTR>(lpszTemplateName));
    }
    HINSTANCE hInst = nullptr;
    LPCDLGTEMPLATE lpTemplate = LoadTemplate(lpszTemplateName, hInst);
    if (lpTemplate == nullptr)
    {
        TRACE(L"CDialog::Create: the dialog template is not in the resource chain.\n");
        PostNcDestroy();
        ::SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return FALSE;
    }
    return CreateIndirect(lpTemplate, pParentWnd, nullptr, hInst);
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    return CDialog::Create(MAKEINTRESOURCEW(nIDTemplate), pParentWnd);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void* lpDialogInit)
{
    return CreateIndirect(lpDialogTemplate, pParentWnd, lpDialogInit, AfxGetResourceHandle());
}

BOOL CDialog::CreateIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd)
{
    return CreateIndirect(hDialogTemplate, pParentWnd, AfxGetResourceHandle());
}

BOOL CDialog::CreateIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst)
{
    auto lpTemplate = static_cast<LPCDLGTEMPLATE>(::LockResource(hDialogTemplate));
    if (lpTemplate == nullptr)
    {
        PostNcDestroy();
        ::SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return FALSE;
    }
    return CreateIndirect(lpTemplate, pParentWnd, nullptr, hInst);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void* lpDialogInit,
                             HINSTANCE hInst)
{
    if (pParentWnd == nullptr)
    {
        pParentWnd = AfxGetMainWnd();
    }
    m_lpDialogInit = lpDialogInit;
    return CreateDlgIndirect(lpDialogTemplate, pParentWnd, hInst);
}

/////////////////////////////////////////////////////////////////////////////
// Modal

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void* lpDialogInit)
{
    m_lpDialogTemplate = lpDialogTemplate;
    m_hDialogTemplate = nullptr;
    m_lpszTemplateName = nullptr;
    m_pParentWnd = pParentWnd;
    m_lpDialogInit = lpDialogInit;
    return TRUE;
}

BOOL CDialog::InitModalIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd)
{
    m_hDialogTemplate = hDialogTemplate;
    m_lpDialogTemplate = nullptr;
    m_lpszTemplateName = nullptr;
    m_pParentWnd = pParentWnd;
    return TRUE;
}

HWND CDialog::PreModal()
{
    return GetSafeOwner_(m_pParentWnd->GetSafeHwnd(), &m_hWndTop);
}

void CDialog::PostModal()
{
    AfxUnhookWindowCreate();
    Detach();
    if (::IsWindow(m_hWndTop))
    {
        ::EnableWindow(m_hWndTop, TRUE);
    }
    m_hWndTop = nullptr;
}

INT_PTR CDialog::DoModal()
{
    if (m_hWnd != nullptr)
    {
        TRACE(L"DoModal on a dialog that already has a window.\n");
        return -1;
    }
    LPCDLGTEMPLATE lpDialogTemplate = m_lpDialogTemplate;
    HINSTANCE hInst = AfxGetResourceHandle();
    if (m_lpszTemplateName != nullptr)
    {
        lpDialogTemplate = LoadTemplate(m_lpszTemplateName, hInst);
    }
    else if (m_hDialogTemplate != nullptr)
    {
        lpDialogTemplate = static_cast<LPCDLGTEMPLATE>(::LockResource(m_hDialogTemplate));
    }
    if (lpDialogTemplate == nullptr)
    {
        TRACE(L"DoModal: the dialog template is not in the resource chain.\n");
        ::SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return -1;
    }

    // The owner (and the main window when it is a frame) stays disabled while the dialog runs.
    HWND hWndParent = PreModal();
    bool bEnableParent = false;
    CWnd* pMainWnd = nullptr;
    bool bEnableMainWnd = false;
    if (hWndParent != nullptr && hWndParent != ::GetDesktopWindow() && ::IsWindowEnabled(hWndParent))
    {
        ::EnableWindow(hWndParent, FALSE);
        bEnableParent = true;
        pMainWnd = AfxGetMainWnd();
        if (pMainWnd != nullptr && pMainWnd->IsFrameWnd() && pMainWnd->IsWindowEnabled())
        {
            pMainWnd->EnableWindow(FALSE);
            bEnableMainWnd = true;
        }
    }

    try
    {
        if (CreateDlgIndirect(lpDialogTemplate, CWnd::FromHandle(hWndParent), hInst))
        {
            if ((m_nFlags & WF_CONTINUEMODAL) != 0)
            {
                DWORD dwFlags = MLF_SHOWONIDLE;
                if ((GetStyle() & DS_NOIDLEMSG) != 0)
                {
                    dwFlags |= MLF_NOIDLEMSG;
                }
                RunModalLoop(dwFlags);
            }
            // Hidden before the owner is enabled again, so the owner comes back to the front.
            if (m_hWnd != nullptr)
            {
                SetWindowPos(nullptr, 0, 0, 0, 0,
                             SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
            }
        }
    }
    catch (CException* e)
    {
        MSG msg = {m_hWnd, WM_NULL, 0, 0, 0, {0, 0}};
        afximpl::ProcessWndProcException(e, &msg);
        e->Delete();
        m_nModalResult = -1;
    }

    if (bEnableMainWnd)
    {
        pMainWnd->EnableWindow(TRUE);
    }
    if (bEnableParent)
    {
        ::EnableWindow(hWndParent, TRUE);
    }
    if (hWndParent != nullptr && ::GetActiveWindow() == m_hWnd)
    {
        ::SetActiveWindow(hWndParent);
    }
    DestroyWindow();
    PostModal();
    return m_nModalResult;
}

void CDialog::EndDialog(int nResult)
{
    if ((m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL)) != 0)
    {
        EndModalLoop(nResult);
    }
    ::EndDialog(m_hWnd, nResult);
}

/////////////////////////////////////////////////////////////////////////////
// Initialisation and the standard buttons

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM)
{
    PreInitDialog();
    // The dialog manager calls AfxDlgProc, which calls OnInitDialog.
    return Default();
}

LRESULT CDialog::HandleSetFont(WPARAM wParam, LPARAM)
{
    OnSetFont(CFont::FromHandle(reinterpret_cast<HFONT>(wParam)));
    return Default();
}

void CDialog::PreInitDialog() {}

void CDialog::OnSetFont(CFont*) {}

BOOL CDialog::OnInitDialog()
{
    BOOL bDlgInit =
        m_lpDialogInit != nullptr ? ExecuteDlgInit(m_lpDialogInit) : ExecuteDlgInit(m_lpszTemplateName);
    if (!bDlgInit)
    {
        TRACE(L"OnInitDialog: the dialog-initialisation data could not be applied.\n");
        EndDialog(-1);
        return FALSE;
    }
    if (!UpdateData(FALSE))
    {
        TRACE(L"OnInitDialog: UpdateData failed.\n");
        EndDialog(-1);
        return FALSE;
    }
    return TRUE;
}

void CDialog::OnOK()
{
    // A failed validation has told the user and focused the control; the dialog stays.
    if (!UpdateData(TRUE))
    {
        return;
    }
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::CheckAutoCenter()
{
    LPCDLGTEMPLATE lpTemplate = m_lpDialogTemplate;
    if (lpTemplate == nullptr && m_hDialogTemplate != nullptr)
    {
        lpTemplate = static_cast<LPCDLGTEMPLATE>(::LockResource(m_hDialogTemplate));
    }
    else if (lpTemplate == nullptr && m_lpszTemplateName != nullptr)
    {
        HINSTANCE hInst = nullptr;
        lpTemplate = LoadTemplate(m_lpszTemplateName, hInst);
    }
    if (lpTemplate == nullptr)
    {
        return TRUE;
    }
    // Only templates that leave the placement open (position 0, 0 and no centring style of their own).
    DWORD dwStyle = 0;
    short x = 0;
    short y = 0;
    ReadTemplateHeader(lpTemplate, dwStyle, x, y);
    return (dwStyle & (DS_CENTER | DS_CENTERMOUSE | DS_ABSALIGN)) == 0 && x == 0 && y == 0;
}

/////////////////////////////////////////////////////////////////////////////
// Navigation

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    ASSERT(::IsWindow(m_hWnd));
    SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pWndCtrl->GetSafeHwnd()), 1);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
    {
        return TRUE;
    }
    // Escape in a multi-line edit reaches the edit, not the dialog manager; close the dialog as the
    // dialog manager would, unless its Cancel button is disabled.
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_ESCAPE || pMsg->wParam == VK_CANCEL) &&
        (::GetWindowLongW(pMsg->hwnd, GWL_STYLE) & ES_MULTILINE) != 0)
    {
        wchar_t szClass[16];
        if (::GetClassNameW(pMsg->hwnd, szClass, 16) != 0 && lstrcmpiW(szClass, L"Edit") == 0)
        {
            HWND hWndCancel = ::GetDlgItem(m_hWnd, IDCANCEL);
            if (hWndCancel == nullptr || ::IsWindowEnabled(hWndCancel))
            {
                SendMessage(WM_COMMAND, IDCANCEL, 0);
                return TRUE;
            }
        }
    }
    // A dialog nested in another as a control (a DS_CONTROL child, such as a page) leaves the input to the
    // dialog it sits in: that one's IsDialogMessage moves through the nested controls as well, and its own
    // PreTranslateMessage, next in the walk up the parents, sees the keys (Ctrl+Tab) before any is used.
    if ((GetStyle() & (WS_CHILD | DS_CONTROL)) == (WS_CHILD | DS_CONTROL))
    {
        CWnd* pParent = FromHandlePermanent(::GetParent(m_hWnd));
        if (pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CDialog)))
        {
            return FALSE;
        }
    }
    return PreTranslateInput(pMsg);
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
    {
        return TRUE;
    }
    if ((nCode != CN_COMMAND && nCode != static_cast<int>(CN_UPDATE_COMMAND_UI)) || !IS_COMMAND_ID(nID))
    {
        return FALSE;
    }
    // Commands the dialog does not handle go to the thread object and then the application.
    CWinThread* pThread = AfxGetThread();
    if (pThread != nullptr && pThread->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
    {
        return TRUE;
    }
    CWinApp* pApp = AfxGetApp();
    return pApp != nullptr && pApp != pThread && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

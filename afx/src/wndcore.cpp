// CWnd's core: the handle map, creation through the CBT hook, subclassing, the window procedure and
// message-map dispatch, command and notification routing with reflection, and the modal loop.
#include "wndstate.h"

#include <cstring>
#include <exception>

using afximpl::CurrentThreadState;
using afximpl::IsNullObject;
using afximpl::ThreadState;

namespace
{
const wchar_t kDefaultWndClass[] = L"AfxWnd";

// A DC or window that wraps a handle for the length of one handler call and forgets it afterwards, also
// when the handler throws, so that neither destructor touches the handle.
class StackDC : public CDC
{
public:
    explicit StackDC(HDC hDC)
    {
        m_hDC = hDC;
        m_hAttribDC = hDC;
    }
    ~StackDC() override
    {
        m_hDC = nullptr;
        m_hAttribDC = nullptr;
    }
};

class StackWnd : public CWnd
{
public:
    explicit StackWnd(HWND hWnd) { m_hWnd = hWnd; }
    ~StackWnd() override { m_hWnd = nullptr; }
};

// Records whether a command is enabled, for OnCommand's check before routing a menu command.
class TestCmdUI : public CCmdUI
{
public:
    BOOL m_bEnabled = TRUE;
    void Enable(BOOL bOn) override
    {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCTSTR) override {}
};

void ReportUnexpectedError(const char* lpszWhat)
{
    CString text(L"An unexpected error stopped the operation");
    if (lpszWhat != nullptr && *lpszWhat != '\0')
    {
        text += L": ";
        text += CString(lpszWhat);
    }
    text += L".";
    AfxMessageBox(text, MB_ICONSTOP);
}

// Dialogs are centred over their owner after WM_INITDIALOG unless OnInitDialog placed them itself; a dialog
// that only changed its size is still centred.
void PostInitDialog(HWND hWnd, const RECT& rectBefore)
{
    if (!::IsWindow(hWnd) || (::GetWindowLongW(hWnd, GWL_STYLE) & WS_CHILD) != 0)
    {
        return;
    }
    CRect rectAfter;
    ::GetWindowRect(hWnd, &rectAfter);
    if (rectAfter.TopLeft() != CRect(rectBefore).TopLeft())
    {
        return;
    }
    auto* pDialog = DYNAMIC_DOWNCAST(CDialog, CWnd::FromHandlePermanent(hWnd));
    if (pDialog != nullptr && pDialog->CheckAutoCenter())
    {
        pDialog->CenterWindow();
    }
}

LRESULT CALLBACK CbtFilterHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    ThreadState& state = CurrentThreadState();
    if (nCode != HCBT_CREATEWND || state.pWndInit == nullptr)
    {
        return ::CallNextHookEx(state.hHookCbtFilter, nCode, wParam, lParam);
    }

    // Taken first, so that windows created while the object starts up are left alone.
    CWnd* pWndInit = state.pWndInit;
    state.pWndInit = nullptr;
    auto hWnd = reinterpret_cast<HWND>(wParam);
    // Refusing the creation: the window never gets a WM_NCDESTROY, so the creator is left to clean up as
    // for a window the system refused (the object counts as never hooked).
    auto refuse = [&]
    {
        if (pWndInit->m_hWnd == hWnd)
        {
            pWndInit->Detach();
        }
        state.pWndInit = pWndInit;
        return 1;
    };
    // Called by the system: nothing may leave by an exception.
    try
    {
        if (!pWndInit->Attach(hWnd))
        {
            return refuse();
        }
        pWndInit->PreSubclassWindow();
        auto pfnOld = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
        if (pfnOld != &AfxWndProc)
        {
            *pWndInit->GetSuperWndProcAddr() = pfnOld;
        }
    }
    catch (CException* e)
    {
        MSG msg = {hWnd, WM_NCCREATE, 0, 0, 0, {0, 0}};
        afximpl::ProcessWndProcException(e, &msg);
        e->Delete();
        return refuse();
    }
    catch (const std::exception& e)
    {
        ReportUnexpectedError(e.what());
        return refuse();
    }
    catch (...)
    {
        ReportUnexpectedError(nullptr);
        return refuse();
    }
    return ::CallNextHookEx(state.hHookCbtFilter, nCode, wParam, lParam);
}

// Registers one of the framework's own window classes in the current instance unless it exists.
BOOL RegisterFrameworkClass(LPCWSTR lpszClassName, UINT nStyle, HBRUSH hbrBackground, HICON hIcon)
{
    WNDCLASSW wndcls = {};
    wndcls.style = nStyle;
    wndcls.lpfnWndProc = ::DefWindowProcW;
    wndcls.hInstance = AfxGetInstanceHandle();
    wndcls.hIcon = hIcon;
    wndcls.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wndcls.hbrBackground = hbrBackground;
    wndcls.lpszClassName = lpszClassName;
    return AfxRegisterClass(&wndcls);
}
} // namespace

/////////////////////////////////////////////////////////////////////////////
// The window procedure

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_QUERYAFXWNDPROC)
    {
        return 1;
    }
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == nullptr || pWnd->m_hWnd != hWnd)
    {
        // A window of ours reached from a thread that has no object for it.
        return ::DefWindowProcW(hWnd, nMsg, wParam, lParam);
    }
    return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

WNDPROC AFXAPI AfxGetAfxWndProc()
{
    return &AfxWndProc;
}

LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    ThreadState& state = CurrentThreadState();
    MSG previous = state.lastSentMsg;
    state.lastSentMsg.hwnd = hWnd;
    state.lastSentMsg.message = nMsg;
    state.lastSentMsg.wParam = wParam;
    state.lastSentMsg.lParam = lParam;

    CRect rectBeforeInit;
    if (nMsg == WM_INITDIALOG)
    {
        ::GetWindowRect(hWnd, &rectBeforeInit);
    }

    // Nothing may leave here by an exception: the caller is the system.
    LRESULT lResult = 0;
    try
    {
        lResult = pWnd->WindowProc(nMsg, wParam, lParam);
        if (nMsg == WM_INITDIALOG)
        {
            PostInitDialog(hWnd, rectBeforeInit);
        }
    }
    catch (CException* e)
    {
        lResult = afximpl::ProcessWndProcException(e, &state.lastSentMsg);
        e->Delete();
    }
    catch (const std::exception& e)
    {
        ReportUnexpectedError(e.what());
        lResult = afximpl::FailedMessageResult(&state.lastSentMsg);
    }
    catch (...)
    {
        ReportUnexpectedError(nullptr);
        lResult = afximpl::FailedMessageResult(&state.lastSentMsg);
    }

    state.lastSentMsg = previous;
    return lResult;
}

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM)
{
    if (message != WM_INITDIALOG)
    {
        return FALSE;
    }
    auto* pDialog = DYNAMIC_DOWNCAST(CDialog, CWnd::FromHandlePermanent(hWnd));
    if (pDialog == nullptr)
    {
        return TRUE;
    }
    // Called from inside the dialog manager: exceptions end here, and so does the dialog, which has not
    // been set up (its creator sees the failure: DoModal gives -1, Create FALSE).
    try
    {
        return pDialog->OnInitDialog();
    }
    catch (CException* e)
    {
        MSG msg = {hWnd, WM_INITDIALOG, 0, 0, 0, {0, 0}};
        afximpl::ProcessWndProcException(e, &msg);
        e->Delete();
    }
    catch (const std::exception& e)
    {
        ReportUnexpectedError(e.what());
    }
    catch (...)
    {
        ReportUnexpectedError(nullptr);
    }
    pDialog->EndDialog(-1);
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Creation hook and window classes

void AFXAPI AfxHookWindowCreate(CWnd* pWnd)
{
    ThreadState& state = CurrentThreadState();
    if (state.hHookCbtFilter == nullptr)
    {
        // Stays installed for the thread's life; it does nothing unless a creation is pending.
        state.hHookCbtFilter = ::SetWindowsHookExW(WH_CBT, &CbtFilterHook, nullptr, ::GetCurrentThreadId());
        if (state.hHookCbtFilter == nullptr)
        {
            AfxThrowMemoryException();
        }
    }
    state.pWndInit = pWnd;
}

BOOL AFXAPI AfxUnhookWindowCreate()
{
    ThreadState& state = CurrentThreadState();
    if (state.pWndInit != nullptr)
    {
        state.pWndInit = nullptr;
        return FALSE;
    }
    return TRUE;
}

BOOL AFXAPI AfxRegisterClass(WNDCLASS* lpWndClass)
{
    WNDCLASSW existing;
    if (::GetClassInfoW(lpWndClass->hInstance, lpWndClass->lpszClassName, &existing))
    {
        return TRUE;
    }
    // Another thread may have registered it in the meantime, which is as good.
    if (::RegisterClassW(lpWndClass) == 0 && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    {
        TRACE(L"Cannot register window class %s (error %lu).\n", lpWndClass->lpszClassName, ::GetLastError());
        return FALSE;
    }
    return TRUE;
}

LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    wchar_t* lpszName = CurrentThreadState().szTempClassName;
    const size_t nSize = sizeof CurrentThreadState().szTempClassName / sizeof(wchar_t);
    HINSTANCE hInst = AfxGetInstanceHandle();
    if (hCursor == nullptr && hbrBackground == nullptr && hIcon == nullptr)
    {
        _snwprintf(lpszName, nSize, L"Afx:%p:%x", static_cast<void*>(hInst), nClassStyle);
    }
    else
    {
        _snwprintf(lpszName, nSize, L"Afx:%p:%x:%p:%p:%p", static_cast<void*>(hInst), nClassStyle,
                   static_cast<void*>(hCursor), static_cast<void*>(hbrBackground), static_cast<void*>(hIcon));
    }
    lpszName[nSize - 1] = L'\0';

    WNDCLASSW wndcls = {};
    wndcls.style = nClassStyle;
    wndcls.lpfnWndProc = ::DefWindowProcW;
    wndcls.hInstance = hInst;
    wndcls.hIcon = hIcon;
    wndcls.hCursor = hCursor;
    wndcls.hbrBackground = hbrBackground;
    wndcls.lpszClassName = lpszName;
    if (!AfxRegisterClass(&wndcls))
    {
        AfxThrowResourceException();
    }
    return lpszName;
}

/////////////////////////////////////////////////////////////////////////////
// CWnd: construction and the handle map

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

CWnd::CWnd() : m_hWnd(nullptr), m_hWndOwner(nullptr), m_nFlags(0), m_pfnSuper(nullptr), m_nModalResult(0) {}

CWnd::CWnd(HWND hWndSpecial)
    : m_hWnd(hWndSpecial), m_hWndOwner(nullptr), m_nFlags(0), m_pfnSuper(nullptr), m_nModalResult(0)
{
}

CWnd::~CWnd()
{
    // The SetWindowPos stand-ins hold values that are never windows; nothing to do for them (and they
    // are destroyed when the thread's state may already be gone).
    if (m_hWnd == nullptr || m_hWnd == HWND_BOTTOM || m_hWnd == HWND_TOPMOST || m_hWnd == HWND_NOTOPMOST)
    {
        return;
    }
    if (CurrentThreadState().windows.LookupPermanent(m_hWnd) == this)
    {
        TRACE(L"CWnd deleted while its window 0x%p exists: destroying the window without the derived "
              L"class's handlers.\n",
              static_cast<void*>(m_hWnd));
        DestroyWindow();
    }
}

CWnd::operator HWND() const
{
    return IsNullObject(this) ? nullptr : m_hWnd;
}

HWND CWnd::GetSafeHwnd() const
{
    return IsNullObject(this) ? nullptr : m_hWnd;
}

CWnd* PASCAL CWnd::FromHandle(HWND hWnd)
{
    return CurrentThreadState().windows.FromHandle(hWnd);
}

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd)
{
    return hWnd != nullptr ? CurrentThreadState().windows.LookupPermanent(hWnd) : nullptr;
}

void PASCAL CWnd::DeleteTempMap()
{
    CurrentThreadState().windows.DeleteTemp();
}

BOOL CWnd::Attach(HWND hWndNew)
{
    return CurrentThreadState().windows.Attach(this, hWndNew);
}

HWND CWnd::Detach()
{
    return CurrentThreadState().windows.Detach(this);
}

void CWnd::PreSubclassWindow() {}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!::IsWindow(hWnd))
    {
        TRACE(L"SubclassWindow: 0x%p is not a window.\n", static_cast<void*>(hWnd));
        return FALSE;
    }
    if (!Attach(hWnd))
    {
        return FALSE;
    }
    try
    {
        PreSubclassWindow();
    }
    catch (...)
    {
        Detach();
        throw;
    }
    ::SetLastError(0);
    auto pfnOld = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    if (pfnOld == nullptr && ::GetLastError() != 0)
    {
        // A window of another process, for one.
        DWORD dwError = ::GetLastError();
        TRACE(L"SubclassWindow: cannot replace the procedure of 0x%p (error %lu).\n",
              static_cast<void*>(hWnd), dwError);
        Detach();
        ::SetLastError(dwError);
        return FALSE;
    }
    if (pfnOld != &AfxWndProc)
    {
        *GetSuperWndProcAddr() = pfnOld;
    }
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND hWndControl = ::GetDlgItem(pParent->GetSafeHwnd(), static_cast<int>(nID));
    return hWndControl != nullptr && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow()
{
    if (m_hWnd == nullptr)
    {
        return nullptr;
    }
    WNDPROC* lplpfn = GetSuperWndProcAddr();
    WNDPROC pfnOriginal = *lplpfn != nullptr ? *lplpfn : &::DefWindowProcW;
    ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pfnOriginal));
    *lplpfn = nullptr;
    return Detach();
}

WNDPROC* CWnd::GetSuperWndProcAddr()
{
    return &m_pfnSuper;
}

/////////////////////////////////////////////////////////////////////////////
// CWnd: creation and destruction

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == nullptr)
    {
        if (!RegisterFrameworkClass(kDefaultWndClass, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, nullptr, nullptr))
        {
            return FALSE;
        }
        cs.lpszClass = kDefaultWndClass;
    }
    return TRUE;
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, (dwStyle & ~WS_POPUP) | WS_CHILD, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x,
                    int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    if (m_hWnd != nullptr)
    {
        TRACE(L"CreateEx: the object already has the window 0x%p.\n", static_cast<void*>(m_hWnd));
        ::SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }

    CREATESTRUCT cs = {};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = static_cast<LONG>(dwStyle);
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs))
    {
        PostNcDestroy();
        return FALSE;
    }

    AfxHookWindowCreate(this);
    HWND hWnd =
        ::CreateWindowExW(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x, cs.y,
                          cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    DWORD dwError = ::GetLastError();
    if (hWnd == nullptr)
    {
        TRACE(L"CreateEx: window creation failed (error %lu).\n", dwError);
    }
    // Never hooked: the system refused before the window existed, so no WM_NCDESTROY has cleaned up.
    if (!AfxUnhookWindowCreate())
    {
        PostNcDestroy();
    }
    ::SetLastError(dwError);
    return hWnd != nullptr;
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == nullptr)
    {
        return FALSE;
    }
    HWND hWndOrig = m_hWnd;
    bool bPermanent = FromHandlePermanent(hWndOrig) == this;
    BOOL bResult = ::DestroyWindow(hWndOrig);
    // A permanent object has let go of the window in OnNcDestroy (and may have deleted itself); any other
    // object just forgets the handle.
    if (!bPermanent)
    {
        m_hWnd = nullptr;
    }
    return bResult;
}

void CWnd::PostNcDestroy() {}

BOOL CWnd::CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst)
{
    if (m_hWnd != nullptr)
    {
        TRACE(L"CreateDlgIndirect: the object already has the window 0x%p.\n", static_cast<void*>(m_hWnd));
        ::SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (lpDialogTemplate == nullptr)
    {
        ::SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return FALSE;
    }
    if (hInst == nullptr)
    {
        hInst = AfxGetResourceHandle();
    }
    // A template may hold any of the common controls.
    afximpl::InitCommonControls(ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_USEREX_CLASSES | ICC_COOL_CLASSES |
                                ICC_INTERNET_CLASSES | ICC_LINK_CLASS);

    m_nModalResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;
    AfxHookWindowCreate(this);
    HWND hWnd =
        ::CreateDialogIndirectParamW(hInst, lpDialogTemplate, pParentWnd->GetSafeHwnd(), &AfxDlgProc, 0);
    DWORD dwError = ::GetLastError();
    if (!AfxUnhookWindowCreate())
    {
        // hWnd is null here: the object (which PostNcDestroy may delete) is not touched again.
        PostNcDestroy();
    }
    // EndDialog during OnInitDialog: the dialog ends before it starts.
    if (hWnd != nullptr && (m_nFlags & WF_CONTINUEMODAL) == 0)
    {
        ::DestroyWindow(hWnd);
        hWnd = nullptr;
    }
    else if (hWnd == nullptr)
    {
        TRACE(L"Dialog creation failed (error %lu).\n", dwError);
    }
    ::SetLastError(dwError);
    return hWnd != nullptr;
}

/////////////////////////////////////////////////////////////////////////////
// CWnd: message processing

const MSG* PASCAL CWnd::GetCurrentMessage()
{
    MSG& msg = CurrentThreadState().lastSentMsg;
    msg.time = static_cast<DWORD>(::GetMessageTime());
    DWORD dwPos = ::GetMessagePos();
    msg.pt.x = static_cast<short>(LOWORD(dwPos));
    msg.pt.y = static_cast<short>(HIWORD(dwPos));
    return &msg;
}

LRESULT CWnd::Default()
{
    const MSG& msg = CurrentThreadState().lastSentMsg;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
    {
        lResult = DefWindowProc(message, wParam, lParam);
    }
    return lResult;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    WNDPROC pfnSuper = *GetSuperWndProcAddr();
    if (pfnSuper != nullptr)
    {
        return ::CallWindowProcW(pfnSuper, m_hWnd, message, wParam, lParam);
    }
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = 0;
    if (message == WM_COMMAND)
    {
        if (!OnCommand(wParam, lParam))
        {
            return FALSE;
        }
        lResult = 1;
    }
    else if (message == WM_NOTIFY)
    {
        auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        if (pNMHDR == nullptr || pNMHDR->hwndFrom == nullptr || !OnNotify(wParam, lParam, &lResult))
        {
            return FALSE;
        }
    }
    else
    {
        // The WM_CTLCOLORxxx family dispatches as WM_CTLCOLOR with its arguments gathered.
        AFX_CTLCOLOR ctl = {};
        UINT nLookup = message;
        if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
        {
            ctl.hWnd = reinterpret_cast<HWND>(lParam);
            ctl.hDC = reinterpret_cast<HDC>(wParam);
            ctl.nCtlType = message - WM_CTLCOLORMSGBOX;
            nLookup = WM_CTLCOLOR;
        }

        const AFX_MSGMAP_ENTRY* lpEntry = nullptr;
        for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != nullptr && lpEntry == nullptr;
             pMap = pMap->pfnGetBaseMap != nullptr ? pMap->pfnGetBaseMap() : nullptr)
        {
            if (nLookup < 0xC000)
            {
                lpEntry = AfxFindMessageEntry(pMap->lpEntries, nLookup, 0, 0);
                continue;
            }
            for (const AFX_MSGMAP_ENTRY* p = pMap->lpEntries; p->nSig != AfxSig_end; ++p)
            {
                if (p->nMessage == 0xC000 && *reinterpret_cast<const UINT*>(p->nSig) == message)
                {
                    lpEntry = p;
                    break;
                }
            }
        }
        if (lpEntry == nullptr)
        {
            return FALSE;
        }

        const MessageMapFunctions& mmf = lpEntry->mmf;
        UINT_PTR nSig = lpEntry->nMessage == 0xC000 ? AfxSig_lwl : lpEntry->nSig;
        switch (nSig)
        {
        case AfxSig_is:
            lResult = (this->*mmf.pfn_is)(reinterpret_cast<LPCREATESTRUCT>(lParam));
            break;
        case AfxSig_vv:
            (this->*mmf.pfn_vv)();
            break;
        case AfxSig_vwii:
            (this->*mmf.pfn_vwii)(static_cast<UINT>(wParam), static_cast<short>(LOWORD(lParam)),
                                  static_cast<short>(HIWORD(lParam)));
            break;
        case AfxSig_vup:
            (this->*mmf.pfn_vup)(static_cast<UINT_PTR>(wParam));
            break;
        case AfxSig_vwp:
            (this->*mmf.pfn_vwp)(static_cast<UINT>(wParam), CPoint(lParam));
            break;
        case AfxSig_vwww:
            (this->*mmf.pfn_vwww)(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
            break;
        case AfxSig_vW:
            (this->*mmf.pfn_vW)(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)));
            break;
        case AfxSig_vWp:
            (this->*mmf.pfn_vWp)(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), CPoint(lParam));
            break;
        case AfxSig_vb:
            (this->*mmf.pfn_vb)(static_cast<BOOL>(wParam));
            break;
        case AfxSig_vbw:
            (this->*mmf.pfn_vbw)(static_cast<BOOL>(wParam), static_cast<UINT>(lParam));
            break;
        case AfxSig_vwWb:
            (this->*mmf.pfn_vwWb)(LOWORD(wParam), CWnd::FromHandle(reinterpret_cast<HWND>(lParam)),
                                  static_cast<BOOL>(HIWORD(wParam)));
            break;
        case AfxSig_vMwb:
            (this->*mmf.pfn_vMwb)(CMenu::FromHandle(reinterpret_cast<HMENU>(wParam)), LOWORD(lParam),
                                  static_cast<BOOL>(HIWORD(lParam)));
            break;
        case AfxSig_vwwx:
        {
            // The window's own scroll bars send no handle; a control's may be any scroll bar window.
            auto* pScrollBar = static_cast<CScrollBar*>(CWnd::FromHandle(reinterpret_cast<HWND>(lParam)));
            (this->*mmf.pfn_vwwx)(LOWORD(wParam), HIWORD(wParam), pScrollBar);
            break;
        }
        case AfxSig_vww:
            (this->*mmf.pfn_vww)(LOWORD(wParam), HIWORD(wParam));
            break;
        case AfxSig_hDWw:
        {
            StackDC dc(ctl.hDC);
            StackWnd wndTemp(ctl.hWnd);
            CWnd* pWnd = CWnd::FromHandlePermanent(ctl.hWnd);
            lResult = reinterpret_cast<LRESULT>(
                (this->*mmf.pfn_hDWw)(&dc, pWnd != nullptr ? pWnd : &wndTemp, ctl.nCtlType));
            break;
        }
        case AfxSig_hDw:
        {
            const auto* pCtl = reinterpret_cast<const AFX_CTLCOLOR*>(lParam);
            StackDC dc(pCtl->hDC);
            lResult = reinterpret_cast<LRESULT>((this->*mmf.pfn_hDw)(&dc, pCtl->nCtlType));
            break;
        }
        case AfxSig_vOWNER_DRAW:
            (this->*mmf.pfn_vOWNER_DRAW)(static_cast<int>(wParam),
                                         reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
            lResult = TRUE;
            break;
        case AfxSig_vOWNER_MEASURE:
            (this->*mmf.pfn_vOWNER_MEASURE)(static_cast<int>(wParam),
                                            reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
            lResult = TRUE;
            break;
        case AfxSig_vDRAW:
            (this->*mmf.pfn_vDRAW)(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
            lResult = TRUE;
            break;
        case AfxSig_vMEASURE:
            (this->*mmf.pfn_vMEASURE)(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
            lResult = TRUE;
            break;
        case AfxSig_bWww:
            lResult =
                (this->*mmf.pfn_bWww)(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)),
                                      static_cast<UINT>(static_cast<short>(LOWORD(lParam))), HIWORD(lParam));
            break;
        case AfxSig_bD:
        {
            StackDC dc(reinterpret_cast<HDC>(wParam));
            lResult = (this->*mmf.pfn_bD)(&dc);
            break;
        }
        case AfxSig_wv:
            lResult = (this->*mmf.pfn_wv)();
            break;
        case AfxSig_lwl:
            lResult = (this->*mmf.pfn_lwl)(wParam, lParam);
            break;
        case AfxSig_vwl:
            (this->*mmf.pfn_vwl)(static_cast<UINT>(wParam), lParam);
            break;
        case AfxSig_hv:
            lResult = reinterpret_cast<LRESULT>((this->*mmf.pfn_hv)());
            break;
        default:
            TRACE(L"OnWndMsg: message 0x%04X maps to a command signature; not dispatched.\n", message);
            return FALSE;
        }
    }
    if (pResult != nullptr)
    {
        *pResult = lResult;
    }
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    auto hWndCtrl = reinterpret_cast<HWND>(lParam);
    int nCode = HIWORD(wParam);
    if (hWndCtrl == nullptr)
    {
        if (nID == 0)
        {
            return FALSE;
        }
        // A menu item or accelerator whose command has become disabled since it was shown does nothing.
        TestCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, static_cast<int>(CN_UPDATE_COMMAND_UI), &state, nullptr);
        if (!state.m_bEnabled)
        {
            TRACE(L"Command %u is disabled; not routed.\n", nID);
            return TRUE;
        }
        nCode = CN_COMMAND;
    }
    else
    {
        if (CurrentThreadState().hLockoutNotifyWindow == m_hWnd)
        {
            return TRUE; // UpdateData is filling the controls
        }
        if (ReflectLastMsg(hWndCtrl))
        {
            return TRUE;
        }
        if (nID == 0)
        {
            return FALSE;
        }
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    HWND hWndCtrl = pNMHDR->hwndFrom;
    auto nID = static_cast<UINT>(::GetDlgCtrlID(hWndCtrl));
    int nCode = static_cast<int>(pNMHDR->code);
    if (CurrentThreadState().hLockoutNotifyWindow == m_hWnd)
    {
        return TRUE;
    }
    if (ReflectLastMsg(hWndCtrl, pResult))
    {
        return TRUE;
    }
    AFX_NOTIFY notify = {pResult, pNMHDR};
    return OnCmdMsg(nID, MAKELONG(nCode, WM_NOTIFY), &notify, nullptr);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message)
    {
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_PARENTNOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
        return CWnd::OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
    case WM_COMMAND:
        // Non-virtual: reflected commands go to this control's map only, never further along a route.
        if (CCmdTarget::OnCmdMsg(0, MAKELONG(HIWORD(wParam), WM_REFLECT_BASE + WM_COMMAND), nullptr, nullptr))
        {
            if (pResult != nullptr)
            {
                *pResult = 1;
            }
            return TRUE;
        }
        return FALSE;
    case WM_NOTIFY:
    {
        auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        LRESULT lIgnored = 0;
        AFX_NOTIFY notify = {pResult != nullptr ? pResult : &lIgnored, pNMHDR};
        return CCmdTarget::OnCmdMsg(0, MAKELONG(static_cast<int>(pNMHDR->code), WM_REFLECT_BASE + WM_NOTIFY),
                                    &notify, nullptr);
    }
    default:
        if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
        {
            AFX_CTLCOLOR ctl = {m_hWnd, reinterpret_cast<HDC>(wParam), message - WM_CTLCOLORMSGBOX};
            LRESULT lBrush = 0;
            // A control that answers with no brush leaves the colours to its parent.
            if (!CWnd::OnWndMsg(WM_REFLECT_BASE + WM_CTLCOLOR, 0, reinterpret_cast<LPARAM>(&ctl), &lBrush) ||
                lBrush == 0)
            {
                return FALSE;
            }
            if (pResult != nullptr)
            {
                *pResult = lBrush;
            }
            return TRUE;
        }
        return FALSE;
    }
}

BOOL PASCAL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    CWnd* pWnd = FromHandlePermanent(hWndChild);
    return pWnd != nullptr && pWnd->SendChildNotifyLastMsg(pResult);
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult)
{
    const MSG& msg = CurrentThreadState().lastSentMsg;
    return OnChildNotify(msg.message, msg.wParam, msg.lParam, pResult);
}

/////////////////////////////////////////////////////////////////////////////
// CWnd: pre-translation and the modal loop

BOOL PASCAL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd != nullptr; hWnd = ::GetParent(hWnd))
    {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd != nullptr && pWnd->PreTranslateMessage(pMsg))
        {
            return TRUE;
        }
        if (hWnd == hWndStop)
        {
            break;
        }
    }
    return FALSE;
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

BOOL CWnd::PreTranslateInput(LPMSG lpMsg)
{
    if ((lpMsg->message < WM_KEYFIRST || lpMsg->message > WM_KEYLAST) &&
        (lpMsg->message < WM_MOUSEFIRST || lpMsg->message > WM_MOUSELAST))
    {
        return FALSE;
    }
    return IsDialogMessage(lpMsg);
}

BOOL CWnd::IsDialogMessage(LPMSG lpMsg)
{
    return ::IsDialogMessageW(m_hWnd, lpMsg);
}

BOOL CWnd::ContinueModal()
{
    return (m_nFlags & WF_CONTINUEMODAL) != 0;
}

void CWnd::EndModalLoop(int nResult)
{
    m_nModalResult = nResult;
    if ((m_nFlags & WF_CONTINUEMODAL) != 0)
    {
        m_nFlags &= ~WF_CONTINUEMODAL;
        // Wakes the loop, which may be waiting for a message.
        PostMessage(WM_NULL);
    }
}

int CWnd::RunModalLoop(DWORD dwFlags)
{
    if (!::IsWindow(m_hWnd) || (m_nFlags & WF_MODALLOOP) != 0)
    {
        TRACE(L"RunModalLoop: no window, or its loop is already running.\n");
        return -1;
    }
    bool bIdle = true;
    LONG lIdleCount = 0;
    bool bShowIdle = (dwFlags & MLF_SHOWONIDLE) != 0 && (GetStyle() & WS_VISIBLE) == 0;
    HWND hWndParent = ::GetParent(m_hWnd);
    m_nFlags |= WF_MODALLOOP | WF_CONTINUEMODAL;
    MSG* pMsg = &AfxGetModuleThreadState()->m_msgCur;
    // The thread's own loop pumps, so its pre-translation and idle rules apply; a thread the framework did
    // not start gets the default ones.
    CWinThread defaultThread;
    CWinThread* pThread = AfxGetThread() != nullptr ? AfxGetThread() : &defaultThread;

    for (;;)
    {
        // Idle: show the window once there is nothing else to do, tell the owner, and let the window
        // update itself.
        while (bIdle && !::PeekMessageW(pMsg, nullptr, 0, 0, PM_NOREMOVE))
        {
            if (bShowIdle)
            {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = false;
            }
            if ((dwFlags & MLF_NOIDLEMSG) == 0 && hWndParent != nullptr && lIdleCount == 0)
            {
                ::SendMessageW(hWndParent, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(m_hWnd));
            }
            if ((dwFlags & MLF_NOKICKIDLE) != 0 || !SendMessage(WM_KICKIDLE, MSGF_DIALOGBOX, lIdleCount++))
            {
                bIdle = false;
            }
            if (!ContinueModal())
            {
                goto ExitModal;
            }
        }

        do
        {
            if (!pThread->PumpMessage())
            {
                // Passed on to the loop outside this one.
                ::PostQuitMessage(static_cast<int>(pMsg->wParam));
                m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
                return -1;
            }
            if (bShowIdle && (pMsg->message == WM_SYSTIMER || pMsg->message == WM_SYSKEYDOWN))
            {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = false;
            }
            if (!ContinueModal())
            {
                goto ExitModal;
            }
            if (pThread->IsIdleMessage(pMsg))
            {
                bIdle = true;
                lIdleCount = 0;
            }
        } while (::PeekMessageW(pMsg, nullptr, 0, 0, PM_NOREMOVE));
    }

ExitModal:
    m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
    return m_nModalResult;
}

/////////////////////////////////////////////////////////////////////////////
// CWnd: data exchange and dialog initialisation data

void CWnd::DoDataExchange(CDataExchange*) {}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    if (!::IsWindow(m_hWnd))
    {
        TRACE(L"UpdateData called without a window.\n");
        return FALSE;
    }
    CDataExchange dx(this, bSaveAndValidate);
    ThreadState& state = CurrentThreadState();
    HWND hWndOldLockout = state.hLockoutNotifyWindow;
    state.hLockoutNotifyWindow = m_hWnd;

    BOOL bOK = FALSE;
    try
    {
        DoDataExchange(&dx);
        bOK = TRUE;
    }
    catch (CUserException* e)
    {
        // A validation failed; the user has been told.
        e->Delete();
    }
    catch (CException* e)
    {
        state.hLockoutNotifyWindow = hWndOldLockout;
        MSG msg = {m_hWnd, WM_NULL, 0, 0, 0, {0, 0}};
        afximpl::ProcessWndProcException(e, &msg);
        e->Delete();
    }
    state.hLockoutNotifyWindow = hWndOldLockout;
    return bOK;
}

BOOL CWnd::ExecuteDlgInit(LPCTSTR lpszResourceName)
{
    LPVOID lpResource = nullptr;
    if (lpszResourceName != nullptr)
    {
        HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_DLGINIT);
        HRSRC hResource = ::FindResourceW(hInst, lpszResourceName, RT_DLGINIT);
        HGLOBAL hData = hResource != nullptr ? ::LoadResource(hInst, hResource) : nullptr;
        lpResource = hData != nullptr ? ::LockResource(hData) : nullptr;
    }
    return ExecuteDlgInit(lpResource);
}

BOOL CWnd::ExecuteDlgInit(LPVOID lpResource)
{
    // Records of (control id, message, data length, data), ending with a control id of 0. The messages
    // are list and combo box additions, written with their 16-bit numbers by resource compilers.
    const WORD kLegacyListAdd = 0x0401;
    const WORD kLegacyComboAdd = 0x0403;
    BOOL bSuccess = TRUE;
    if (lpResource != nullptr)
    {
        const auto* p = static_cast<const BYTE*>(lpResource);
        for (;;)
        {
            WORD nIDC = 0;
            WORD nMsg = 0;
            DWORD dwLen = 0;
            memcpy(&nIDC, p, sizeof nIDC);
            if (nIDC == 0)
            {
                break;
            }
            memcpy(&nMsg, p + 2, sizeof nMsg);
            memcpy(&dwLen, p + 4, sizeof dwLen);
            const BYTE* pData = p + 8;
            UINT nMessage = nMsg == kLegacyListAdd    ? LB_ADDSTRING
                            : nMsg == kLegacyComboAdd ? CB_ADDSTRING
                                                      : nMsg;
            if (nMessage == LB_ADDSTRING || nMessage == CB_ADDSTRING)
            {
                // ANSI text; the terminator, when the data holds one, ends it.
                const auto* lpszText = reinterpret_cast<const char*>(pData);
                CStringA text(lpszText, static_cast<int>(strnlen(lpszText, dwLen)));
                LRESULT lResult = ::SendDlgItemMessageW(m_hWnd, nIDC, nMessage, 0,
                                                        reinterpret_cast<LPARAM>(CString(text).GetString()));
                if (lResult == LB_ERR || lResult == LB_ERRSPACE)
                {
                    bSuccess = FALSE;
                    break;
                }
            }
            else
            {
                TRACE(L"ExecuteDlgInit: message 0x%04X for control %u is not supported; skipped.\n", nMsg,
                      nIDC);
            }
            p = pData + dwLen;
        }
    }
    if (bSuccess)
    {
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, FALSE, FALSE);
    }
    return bSuccess;
}

/////////////////////////////////////////////////////////////////////////////
// CWnd: the message map and the default handlers

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
ON_WM_DRAWITEM()
ON_WM_MEASUREITEM()
ON_WM_CTLCOLOR()
ON_WM_HSCROLL()
ON_WM_VSCROLL()
ON_WM_NCDESTROY()
END_MESSAGE_MAP()

int CWnd::OnCreate(LPCREATESTRUCT)
{
    return static_cast<int>(Default());
}

void CWnd::OnDestroy()
{
    Default();
}

void CWnd::OnNcDestroy()
{
    auto pfnBefore = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC));
    Default();
    // Unless somebody subclassed the window after us, its last messages go back to its own procedure.
    WNDPROC* lplpfnSuper = GetSuperWndProcAddr();
    if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC)) == pfnBefore &&
        *lplpfnSuper != nullptr)
    {
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(*lplpfnSuper));
    }
    *lplpfnSuper = nullptr;
    // The end of a thread's main window is the end of the thread's loop. The application forgets its main
    // window also when another thread destroys it, but only its own thread's loop ends.
    CWinThread* pThread = AfxGetThread();
    if (pThread != nullptr && pThread->m_pMainWnd == this)
    {
        pThread->m_pMainWnd = nullptr;
        ::PostQuitMessage(0);
    }
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr && pApp->m_pMainWnd == this)
    {
        pApp->m_pMainWnd = nullptr;
    }
    Detach();
    PostNcDestroy();
}

void CWnd::OnPaint()
{
    Default();
}

void CWnd::OnClose()
{
    Default();
}

void CWnd::OnSize(UINT, int, int)
{
    Default();
}

void CWnd::OnTimer(UINT_PTR)
{
    Default();
}

void CWnd::OnLButtonDown(UINT, CPoint)
{
    Default();
}

void CWnd::OnLButtonUp(UINT, CPoint)
{
    Default();
}

void CWnd::OnLButtonDblClk(UINT, CPoint)
{
    Default();
}

void CWnd::OnRButtonDown(UINT, CPoint)
{
    Default();
}

void CWnd::OnRButtonUp(UINT, CPoint)
{
    Default();
}

void CWnd::OnMouseMove(UINT, CPoint)
{
    Default();
}

void CWnd::OnKeyDown(UINT, UINT, UINT)
{
    Default();
}

void CWnd::OnKeyUp(UINT, UINT, UINT)
{
    Default();
}

void CWnd::OnChar(UINT, UINT, UINT)
{
    Default();
}

void CWnd::OnSetFocus(CWnd*)
{
    Default();
}

void CWnd::OnKillFocus(CWnd*)
{
    Default();
}

void CWnd::OnContextMenu(CWnd*, CPoint)
{
    Default();
}

void CWnd::OnEnable(BOOL)
{
    Default();
}

void CWnd::OnShowWindow(BOOL, UINT)
{
    Default();
}

void CWnd::OnActivate(UINT, CWnd*, BOOL)
{
    Default();
}

void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL)
{
    Default();
}

void CWnd::OnHScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar != nullptr && ReflectLastMsg(pScrollBar->m_hWnd))
    {
        return;
    }
    Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar != nullptr && ReflectLastMsg(pScrollBar->m_hWnd))
    {
        return;
    }
    Default();
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT)
{
    LRESULT lResult = 0;
    if (pWnd != nullptr && ReflectLastMsg(pWnd->m_hWnd, &lResult))
    {
        return reinterpret_cast<HBRUSH>(lResult);
    }
    return reinterpret_cast<HBRUSH>(Default());
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct->CtlType != ODT_MENU && ReflectLastMsg(lpDrawItemStruct->hwndItem))
    {
        return;
    }
    Default();
}

void CWnd::OnMeasureItem(int, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (lpMeasureItemStruct->CtlType != ODT_MENU)
    {
        // The item has no window handle: the child is found by its id.
        CWnd* pChild = GetDescendantWindow(static_cast<int>(lpMeasureItemStruct->CtlID), TRUE);
        if (pChild != nullptr && pChild->SendChildNotifyLastMsg())
        {
            return;
        }
    }
    Default();
}

BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT)
{
    return static_cast<BOOL>(Default());
}

BOOL CWnd::OnEraseBkgnd(CDC*)
{
    return static_cast<BOOL>(Default());
}

UINT CWnd::OnGetDlgCode()
{
    return static_cast<UINT>(Default());
}

void CWnd::OnSysCommand(UINT, LPARAM)
{
    Default();
}

HCURSOR CWnd::OnQueryDragIcon()
{
    return reinterpret_cast<HCURSOR>(Default());
}

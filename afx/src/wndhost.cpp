// Loading the common controls, and the framework's reporting of errors that escape message handlers.
#include "wndstate.h"

#include <atomic>

namespace afximpl
{
void InitCommonControls(DWORD dwIccFlags)
{
    static std::atomic<DWORD> loaded{0};
    if ((loaded.load() & dwIccFlags) == dwIccFlags)
    {
        return;
    }
    INITCOMMONCONTROLSEX init = {sizeof(INITCOMMONCONTROLSEX), dwIccFlags};
    if (::InitCommonControlsEx(&init))
    {
        loaded.fetch_or(dwIccFlags);
    }
    else
    {
        TRACE(L"InitCommonControlsEx(0x%08lX) failed; controls of those classes cannot be created.\n",
              dwIccFlags);
    }
}

LRESULT ProcessWndProcException(CException* e, const MSG* pMsg)
{
    if (!e->IsKindOf(RUNTIME_CLASS(CUserException)))
    {
        wchar_t text[512];
        if (!e->GetErrorMessage(text, 512))
        {
            lstrcpynW(text, L"An internal error stopped the operation.", 512);
        }
        bool bMemory = e->IsKindOf(RUNTIME_CLASS(CMemoryException)) != FALSE;
        AfxMessageBox(text, bMemory ? MB_ICONEXCLAMATION | MB_SYSTEMMODAL : MB_ICONSTOP);
    }
    return FailedMessageResult(pMsg);
}

LRESULT FailedMessageResult(const MSG* pMsg)
{
    switch (pMsg->message)
    {
    case WM_NCCREATE:
        return FALSE;
    case WM_CREATE:
        return -1;
    case WM_PAINT:
        // Validated, or the window would ask to be painted again at once.
        ::ValidateRect(pMsg->hwnd, nullptr);
        return 0;
    case WM_COMMAND:
        // A failed command counts as handled.
        return TRUE;
    default:
        return 0;
    }
}
} // namespace afximpl

// Command routing through message maps, and CCmdUI.
#include "wndstate.h"

/////////////////////////////////////////////////////////////////////////////
// Message maps

const AFX_MSGMAP_ENTRY* AFXAPI AfxFindMessageEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT nMsg, UINT nCode,
                                                   UINT nID)
{
    for (; lpEntry->nSig != AfxSig_end; ++lpEntry)
    {
        if (lpEntry->nMessage == nMsg && lpEntry->nCode == nCode && nID >= lpEntry->nID &&
            nID <= lpEntry->nLastID)
        {
            return lpEntry;
        }
    }
    return nullptr;
}

// The end of every chain: CCmdTarget handles nothing itself.
const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_MSGMAP* PASCAL CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig_end, {}}};
    static const AFX_MSGMAP messageMap = {nullptr, &entries[0]};
    return &messageMap;
}

namespace
{
BOOL DispatchCmdMsg(CCmdTarget* pTarget, UINT nID, const AFX_MSGMAP_ENTRY* lpEntry, void* pExtra,
                    AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (pHandlerInfo != nullptr)
    {
        pHandlerInfo->pTarget = pTarget;
        pHandlerInfo->nSig = lpEntry->nSig;
        pHandlerInfo->mmf = lpEntry->mmf;
        return TRUE;
    }

    const MessageMapFunctions& mmf = lpEntry->mmf;
    auto* pNotify = static_cast<AFX_NOTIFY*>(pExtra);
    switch (lpEntry->nSig)
    {
    case AfxSigCmd_v:
        (pTarget->*mmf.pfn)();
        return TRUE;
    case AfxSigCmd_b:
        return (pTarget->*mmf.pfnCmd_b)();
    case AfxSigCmd_RANGE:
        (pTarget->*mmf.pfnCmd_u)(nID);
        return TRUE;
    case AfxSigCmd_EX:
        return (pTarget->*mmf.pfnCmd_b_u)(nID);
    case AfxSigCmdUI:
    {
        auto* pCmdUI = static_cast<CCmdUI*>(pExtra);
        if (pCmdUI == nullptr)
        {
            return FALSE;
        }
        pCmdUI->m_bContinueRouting = FALSE;
        (pTarget->*mmf.pfnCmdUI)(pCmdUI);
        BOOL bHandled = !pCmdUI->m_bContinueRouting;
        pCmdUI->m_bContinueRouting = FALSE;
        return bHandled;
    }
    case AfxSigNotify_v:
    case AfxSigNotify_b:
    case AfxSigNotify_RANGE:
    case AfxSigNotify_EX:
        if (pNotify == nullptr)
        {
            TRACE(L"OnCmdMsg: a notification for id %u came without its NMHDR; not dispatched.\n", nID);
            return FALSE;
        }
        switch (lpEntry->nSig)
        {
        case AfxSigNotify_v:
            (pTarget->*mmf.pfnNotify)(pNotify->pNMHDR, pNotify->pResult);
            return TRUE;
        case AfxSigNotify_b:
            return (pTarget->*mmf.pfnNotify_b)(pNotify->pNMHDR, pNotify->pResult);
        case AfxSigNotify_RANGE:
            (pTarget->*mmf.pfnNotify_u)(nID, pNotify->pNMHDR, pNotify->pResult);
            return TRUE;
        default:
            return (pTarget->*mmf.pfnNotify_b_u)(nID, pNotify->pNMHDR, pNotify->pResult);
        }
    default:
        TRACE(L"OnCmdMsg: the entry for id %u has a window-message signature; not dispatched.\n", nID);
        return FALSE;
    }
}
} // namespace

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // nCode carries the message in its high word (0 meaning WM_COMMAND), except for the update query.
    UINT nMsg = WM_COMMAND;
    UINT nNotifyCode = static_cast<UINT>(nCode);
    if (nNotifyCode != CN_UPDATE_COMMAND_UI)
    {
        nMsg = HIWORD(nNotifyCode) != 0 ? HIWORD(nNotifyCode) : WM_COMMAND;
        nNotifyCode = LOWORD(nNotifyCode);
    }
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != nullptr;
         pMap = pMap->pfnGetBaseMap != nullptr ? pMap->pfnGetBaseMap() : nullptr)
    {
        const AFX_MSGMAP_ENTRY* lpEntry = AfxFindMessageEntry(pMap->lpEntries, nMsg, nNotifyCode, nID);
        if (lpEntry != nullptr)
        {
            return DispatchCmdMsg(this, nID, lpEntry, pExtra, pHandlerInfo);
        }
    }
    return FALSE;
}

/////////////////////////////////////////////////////////////////////////////
// CCmdUI

CCmdUI::CCmdUI()
    : m_nID(0), m_nIndex(0), m_pMenu(nullptr), m_pSubMenu(nullptr), m_pParentMenu(nullptr), m_pOther(nullptr),
      m_bEnableChanged(FALSE), m_bContinueRouting(FALSE), m_nIndexMax(0)
{
}

void CCmdUI::Enable(BOOL bOn)
{
    if (m_pMenu != nullptr)
    {
        // A popup item stands for its first command; its own state is left alone.
        if (m_pSubMenu == nullptr)
        {
            m_pMenu->EnableMenuItem(m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
        }
    }
    else if (m_pOther != nullptr)
    {
        // A disabled control must not keep the focus, or the keyboard is lost.
        if (!bOn && ::GetFocus() == m_pOther->m_hWnd)
        {
            HWND hWndParent = ::GetParent(m_pOther->m_hWnd);
            HWND hWndNext =
                hWndParent != nullptr ? ::GetNextDlgTabItem(hWndParent, m_pOther->m_hWnd, FALSE) : nullptr;
            ::SetFocus(hWndNext);
        }
        m_pOther->EnableWindow(bOn);
    }
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck)
{
    if (m_pMenu != nullptr)
    {
        if (m_pSubMenu == nullptr)
        {
            m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
        }
    }
    else if (m_pOther != nullptr && (m_pOther->SendMessage(WM_GETDLGCODE) & DLGC_BUTTON) != 0)
    {
        m_pOther->SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck));
    }
}

void CCmdUI::SetRadio(BOOL bOn)
{
    if (m_pMenu != nullptr && m_pSubMenu == nullptr)
    {
        MENUITEMINFOW info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE;
        if (::GetMenuItemInfoW(m_pMenu->m_hMenu, m_nIndex, TRUE, &info) && (info.fType & MFT_RADIOCHECK) == 0)
        {
            info.fType |= MFT_RADIOCHECK;
            ::SetMenuItemInfoW(m_pMenu->m_hMenu, m_nIndex, TRUE, &info);
        }
    }
    SetCheck(bOn ? 1 : 0);
}

void CCmdUI::SetText(LPCTSTR lpszText)
{
    if (m_pMenu != nullptr)
    {
        if (m_pSubMenu == nullptr)
        {
            UINT nState = m_pMenu->GetMenuState(m_nIndex, MF_BYPOSITION);
            nState &= ~(MF_BITMAP | MF_OWNERDRAW | MF_SEPARATOR | MF_POPUP | 0xFF00);
            m_pMenu->ModifyMenu(m_nIndex, MF_BYPOSITION | MF_STRING | nState, m_nID, lpszText);
        }
    }
    else if (m_pOther != nullptr)
    {
        AfxSetWindowText(m_pOther->m_hWnd, lpszText);
    }
}

void CCmdUI::ContinueRouting()
{
    m_bContinueRouting = TRUE;
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    // 0 is no command and 0xFFFF the id of controls that have none.
    if (m_nID == 0 || LOWORD(m_nID) == 0xFFFF || pTarget == nullptr)
    {
        return TRUE;
    }
    m_bEnableChanged = FALSE;
    BOOL bResult = pTarget->OnCmdMsg(m_nID, static_cast<int>(CN_UPDATE_COMMAND_UI), this, nullptr);
    if (bDisableIfNoHndler && !m_bEnableChanged)
    {
        AFX_CMDHANDLERINFO info = {};
        BOOL bHandler = pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info);
        Enable(bHandler);
    }
    return bResult;
}

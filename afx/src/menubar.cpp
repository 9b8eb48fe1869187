// CMFCMenuBar: the top-level items of a menu as toolbar buttons; popups open through TrackPopupMenu.
#include "afxmenubar.h"

IMPLEMENT_DYNCREATE(CMFCMenuBar, CMFCToolBar)

CMFCMenuBar::CMFCMenuBar() : m_hMenu(nullptr) {}

CMFCMenuBar::~CMFCMenuBar() = default;

BOOL CMFCMenuBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CMFCToolBar::Create(pParentWnd, dwStyle, nID);
}

void CMFCMenuBar::CreateFromMenu(HMENU hMenu, BOOL, BOOL)
{
    RemoveAllButtons();
    m_hMenu = ::IsMenu(hMenu) ? hMenu : nullptr;
    const int nItems = m_hMenu != nullptr ? ::GetMenuItemCount(m_hMenu) : 0;
    for (int i = 0; i < nItems; ++i)
    {
        CString strText;
        CMenu::FromHandle(m_hMenu)->GetMenuString(static_cast<UINT>(i), strText, MF_BYPOSITION);
        CMFCToolBarButton button(::GetMenuItemID(m_hMenu, i), -1, strText);
        button.m_bText = TRUE;
        button.m_bImage = FALSE;
        const UINT nState = ::GetMenuState(m_hMenu, static_cast<UINT>(i), MF_BYPOSITION);
        if (nState & MF_SEPARATOR)
            button.m_nStyle = TBBS_SEPARATOR;
        if (nState & (MF_GRAYED | MF_DISABLED))
            button.m_nStyle |= TBBS_DISABLED;
        InsertButton(button);
    }
}

BOOL CMFCMenuBar::TranslateChar(UINT nChar)
{
    return CMFCToolBar::TranslateChar(nChar);
}

BOOL CMFCMenuBar::ProcessCommand(CMFCToolBarButton* pButton)
{
    int iButton = -1;
    for (int i = 0; i < GetCount(); ++i)
        if (GetButton(i) == pButton)
            iButton = i;
    HMENU hPopup = iButton >= 0 && m_hMenu != nullptr ? ::GetSubMenu(m_hMenu, iButton) : nullptr;
    if (hPopup == nullptr)
        return CMFCToolBar::ProcessCommand(pButton);
    if (pButton->m_nStyle & TBBS_DISABLED)
        return FALSE;

    // The popup opens under the button, or above it when the screen has no room below; the button stays
    // pressed while it is open.
    CRect rect = pButton->Rect();
    ClientToScreen(&rect);
    TPMPARAMS params = {sizeof(params), rect};
    pButton->m_nStyle |= TBBS_PRESSED;
    SetHighlighted(iButton);
    RedrawWindow(&pButton->Rect(), nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    CWnd* pOwner = GetOwner();
    CMenu::FromHandle(hPopup)->TrackPopupMenuEx(TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | TPM_VERTICAL,
                                                rect.left, rect.bottom, pOwner != nullptr ? pOwner : this,
                                                &params);
    // The bar may have been rebuilt or destroyed by the command the popup sent.
    if (GetButton(iButton) == pButton)
    {
        pButton->m_nStyle &= ~TBBS_PRESSED;
        InvalidateRect(&pButton->Rect());
    }
    if (::IsWindow(m_hWnd) && ::GetFocus() != m_hWnd)
        SetHighlighted(-1);
    return TRUE;
}

LRESULT CMFCMenuBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A popup opens as the mouse button goes down, as a window menu's does.
    if (message == WM_LBUTTONDOWN)
    {
        const int iButton =
            HitTest(CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))));
        CMFCToolBarButton* pButton = GetButton(iButton);
        if (pButton != nullptr && m_hMenu != nullptr && ::GetSubMenu(m_hMenu, iButton) != nullptr)
        {
            ProcessCommand(pButton);
            return 0;
        }
    }
    return CMFCToolBar::WindowProc(message, wParam, lParam);
}

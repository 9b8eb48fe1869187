// CMFCMenuBar: a menu shown as a toolbar. Each top-level item of the menu is a text button; a popup's
// button opens the popup under itself (TrackPopupMenu, so WM_INITMENUPOPUP and the commands reach the
// owner frame as from a window menu), an item without a popup sends its command. Alt and a mnemonic in the
// frame, F10, or a click reach the bar; Left and Right move between its buttons, Return or Down opens one,
// Escape gives the focus back.
//
//     CMenu menu;
//     menu.LoadMenu(IDR_MAINFRAME);
//     m_menuBar.Create(this, AFX_DEFAULT_TOOLBAR_STYLE, AFX_IDW_MENUBAR);
//     m_menuBar.CreateFromMenu(menu.GetSafeHmenu());
#pragma once

#include "afxtoolbar.h"

class AFX_API CMFCMenuBar : public CMFCToolBar
{
    DECLARE_DYNCREATE(CMFCMenuBar)
public:
    // Construction
    CMFCMenuBar();
    ~CMFCMenuBar() override;
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = AFX_DEFAULT_TOOLBAR_STYLE,
                UINT nID = AFX_IDW_MENUBAR) override;

    // Attributes
    // The menu the bar shows. The bar does not own it: it must live as long as the bar shows it.
    HMENU GetHMenu() const { return m_hMenu; }

    // Operations
    // Makes one button for each top-level item of hMenu and shows them.
    virtual void CreateFromMenu(HMENU hMenu, BOOL bDefaultMenu = FALSE, BOOL bForceUpdate = FALSE);

    // Overridables
    // As the toolbar's: a popup button chosen by its mnemonic opens its popup.
    BOOL TranslateChar(UINT nChar) override;

protected:
    // A popup button opens its popup and returns once it closes; other buttons send their command.
    BOOL ProcessCommand(CMFCToolBarButton* pButton) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    HMENU m_hMenu;
};

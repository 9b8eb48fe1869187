// VPropertyTreeDialog: the options dialog, a tree of categories with the selected category's page beside
// it. It remembers per page which items were expanded and selected in the host's VPropertyPageStateMap, so
// the next opening with the same map looks the same; it lets the page being left refuse the switch when its
// data does not validate, and moves through the categories with Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+Page Down
// and Ctrl+Page Up.
//
//     VPropertyPageStateMap states;                 // kept by the host across openings
//     CGeneralPage general;                         // VPropertyTreePage's
//     CConnectionPage connection;
//     CProxyPage proxy;
//     connection.AddPage(&proxy);
//     VPropertyTreeDialog dialog(L"Options", 1, &states, pMainWnd); // template index 1: with Apply and Help
//     dialog.AddPage(&general);
//     dialog.AddPage(&connection);
//     if (dialog.DoModal() == IDOK) ...
//
// Template index 0 has OK and Cancel, 1 adds Apply and Help, 2 adds Help.
#pragma once

#include <afxcmn.h>
#include <afxtempl.h>

#include "core/PardalinApi.h"
#include "dialogs/IPropertyTreeDialog.h"
#include "dialogs/VDialog.h"
#include "dialogs/VPropertyPageStateMap.h"
#include "dialogs/VPropertyTreePage.h"

class PARDALIN_API VPropertyTreeDialog : public VDialog, public IPropertyTreeDialog
{
public:
    // Construction
    // Loads template templateIndex (0, 1 or 2; any other value the first) from the library. The pages and
    // the map (may be null: no state is kept) belong to the caller and must outlive the dialog.
    VPropertyTreeDialog(wchar_t const* caption, int templateIndex, VPropertyPageStateMap* pStateMap,
                        CWnd* pParent);
    ~VPropertyTreeDialog() override;

    // Attributes
    // The Apply button, or null in the templates without one.
    CWnd* GetApplyButton();
    // The remembered selection is not restored at start and pages shown later do not take the selection.
    void SetNewSession(bool bNewSession);
    // The caption reaches the window when the dialog starts.
    void SetCaption(wchar_t const* caption);

    // Operations
    // Where pPage goes in the tree: its parent item (TVI_ROOT at the top) and the item it goes after
    // (TVI_FIRST when no preceding sibling is in the tree). False, outputs unchanged, when the page is not
    // held.
    bool FindPage(VPropertyTreePage* pPage, HTREEITEM& parent, HTREEITEM& insertAfter);
    void DisableOkButton();
    // FALSE without a current page, else the current page's OnKillActive.
    BOOL OnCurrentPageKillActive();

    // Overridables
    // Called for the Apply button; empty here.
    virtual void OnApply();

    // IPropertyTreeDialog, in its order
    // Appends a top-level page; null and a page already held are ignored. While the dialog runs a page
    // added enters the tree only through ShowPage.
    void AddPage(VPropertyTreePage* pPage) override;
    // Takes the first occurrence out of the top-level list; the tree and the page's window stay.
    void RemovePage(VPropertyTreePage* pPage) override;
    // Puts a held page (with its sub-pages) back into the tree after its nearest preceding sibling in the
    // tree. Nothing happens for a page that is in the tree, one the dialog does not hold, or before the
    // dialog's window exists.
    void ShowPage(VPropertyTreePage* pPage) override;
    // Takes a page and its sub-pages out of the tree; when the current page is among them the first root
    // item is selected first, without validating the page left.
    void HidePage(VPropertyTreePage* pPage) override;
    // Empty here: for the host's dialog to override.
    void SetModified(bool bModified) override;
    // Pages shown later do not take the selection.
    void SetClearSelected(bool bClearSelected) override;
    VPropertyPageStateMap* GetPageStateMap() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnSetFont(CFont* pFont) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Ends the dialog only when the current page validates; pages' OnOK is not called.
    void OnOK() override;

    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    // The tree's notifications: the page being left may refuse a selection change; the new page is shown
    // at the page frame; every expansion and selection goes into the state map at once.
    void OnTreeSelectionChanging(NMHDR* pNMHDR, LRESULT* pResult);
    void OnTreeSelectionChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnItemExpandingTree(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()

    CTreeCtrl m_tree;
    CString m_strCaption;
    CFont m_fontBold;
    CBrush m_brushBand;
    int m_nPageX;
    int m_nPageY;
    bool m_bNewSession;
    bool m_bClearSelected;
    bool m_bSelectingQuietly;
    VPropertyTreePage* m_pCurrentPage;
    VPropertyPageStateMap* m_pStateMap;
    CArray<VPropertyTreePage*, VPropertyTreePage*> m_pages;
};

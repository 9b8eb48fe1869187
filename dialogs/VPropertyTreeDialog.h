/// \class VPropertyTreeDialog
/// The options dialog: a tree of categories with the selected category's page beside it, under a caption
/// band that shows the page's caption. It remembers per page which items were expanded and selected in the
/// host's VPropertyPageStateMap, so the next opening with the same map looks the same; it lets the page
/// being left refuse the switch when its data does not validate, and moves through the categories with
/// Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+Page Down and Ctrl+Page Up. Hosts derive from it to apply settings
/// (OnApply) and to track changes (SetModified).
///
/// \code{.cpp}
/// VPropertyPageStateMap states;                 // kept by the host across openings
/// CGeneralPage general;                         // VPropertyTreePage's
/// CConnectionPage connection;
/// CProxyPage proxy;
/// connection.AddPage(&proxy);
/// VPropertyTreeDialog dialog(L"Options", 1, &states, pMainWnd); // template index 1: with Apply and Help
/// dialog.AddPage(&general);
/// dialog.AddPage(&connection);
/// if (dialog.DoModal() == IDOK) ...
/// \endcode
///
/// Template index 0 has OK and Cancel, 1 adds Apply and Help, 2 adds Help. Everything runs on the thread
/// that owns the dialog's window.
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
    /// Loads template templateIndex (0, 1 or 2; any other value the first) from the library. The pages and
    /// the map (may be null: no state is kept) belong to the caller and must outlive the dialog.
    VPropertyTreeDialog(wchar_t const* caption, int templateIndex, VPropertyPageStateMap* pStateMap,
                        CWnd* pParent);
    /// Frees the dialog's list of pages, its font and its brush; the pages themselves are the caller's.
    ~VPropertyTreeDialog() override;

    // Attributes
    /// The Apply button, or null in the templates without one.
    CWnd* GetApplyButton();
    /// With true, the remembered selection is not restored at start (the first root item is selected) and
    /// pages shown later do not take the selection.
    void SetNewSession(bool bNewSession);
    /// Replaces the stored caption; it reaches the window when the dialog starts.
    void SetCaption(wchar_t const* caption);

    // Operations
    /// Where pPage goes in the tree: its parent item (TVI_ROOT at the top) and the item it goes after
    /// (TVI_FIRST when no preceding sibling is in the tree). False, outputs unchanged, when the page is not
    /// held.
    bool FindPage(VPropertyTreePage* pPage, HTREEITEM& parent, HTREEITEM& insertAfter);
    /// Disables the OK button, when the window has one.
    void DisableOkButton();
    /// FALSE without a current page, else the current page's OnKillActive.
    BOOL OnCurrentPageKillActive();

    // Overridables
    /// Called for the Apply button; empty here.
    virtual void OnApply();

    // IPropertyTreeDialog, in its order
    /// Appends a top-level page; null and a page already held are ignored. While the dialog runs a page
    /// added enters the tree only through ShowPage.
    void AddPage(VPropertyTreePage* pPage) override;
    /// Takes the first occurrence out of the top-level list; the tree and the page's window stay.
    void RemovePage(VPropertyTreePage* pPage) override;
    /// Puts a held page (with its sub-pages) back into the tree after its nearest preceding sibling in the
    /// tree, and expands its parent item when the parent page is expanded. Nothing happens for a page that
    /// is in the tree, one the dialog does not hold, or before the dialog's window exists.
    void ShowPage(VPropertyTreePage* pPage) override;
    /// Takes a page and its sub-pages out of the tree, keeping each one's expansion in its flag; when the
    /// current page is among them the first root item is selected first, without validating the page left.
    void HidePage(VPropertyTreePage* pPage) override;
    /// Empty here: for the host's dialog to override.
    void SetModified(bool bModified) override;
    /// With true, pages shown later do not take the selection.
    void SetClearSelected(bool bClearSelected) override;
    /// The map given to the constructor, or null.
    VPropertyPageStateMap* GetPageStateMap() override;

protected:
    /// Binds the tree control.
    void DoDataExchange(CDataExchange* pDX) override;
    /// Sets the caption, creates every page's window at the page frame and puts the pages into the tree,
    /// then selects the remembered page (the first root item without one, or in a new session) and gives
    /// the tree the focus. FALSE: the focus is set here.
    BOOL OnInitDialog() override;
    /// Makes the caption band's bold font and brush from the dialog's font, then MFC's.
    void OnSetFont(CFont* pFont) override;
    /// Sends the tree's selection and expansion notifications to the handlers below; anything else to
    /// MFC's.
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    /// Ctrl+Tab and Ctrl+Page Down select the next visible item (after the last, the first root item),
    /// Ctrl+Shift+Tab and Ctrl+Page Up the previous one (before the first, the last visible item); the
    /// page left may refuse as with a click. Other messages get the dialog's usual translation.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    /// Ends the dialog only when the current page validates; pages' OnOK is not called.
    void OnOK() override;

    /// The caption band in the colours of an inactive caption and the bold font; other controls as MFC
    /// colours them.
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    /// The page being left (unless it is being hidden) and the page entered may refuse a selection change:
    /// the change is vetoed (*pResult 1) and the focus goes back where it was.
    void OnTreeSelectionChanging(NMHDR* pNMHDR, LRESULT* pResult);
    /// Hides the old page, shows the new one at the page frame with its caption in the band, records the
    /// selection in the state map and calls the new page's OnShow.
    void OnTreeSelectionChanged(NMHDR* pNMHDR, LRESULT* pResult);
    /// Records the item's expansion or collapse in its page and the state map; the change is allowed.
    void OnItemExpandingTree(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()

    CTreeCtrl m_tree;         ///< The tree of categories.
    CString m_strCaption;     ///< The window's caption, set when the dialog starts.
    CFont m_fontBold;         ///< The dialog's font in bold, for the caption band.
    CBrush m_brushBand;       ///< The caption band's background (COLOR_INACTIVECAPTION).
    int m_nPageX;             ///< Left of the page frame in client coordinates, where pages are shown.
    int m_nPageY;             ///< Top of the page frame in client coordinates.
    bool m_bNewSession;       ///< See SetNewSession.
    bool m_bClearSelected;    ///< See SetClearSelected.
    bool m_bSelectingQuietly; ///< While set, a selection change does not ask the page left to validate.
    VPropertyTreePage* m_pCurrentPage;  ///< The page shown, null until the first selection.
    VPropertyPageStateMap* m_pStateMap; ///< The host's map, or null; not owned.
    CArray<VPropertyTreePage*, VPropertyTreePage*> m_pages; ///< The top-level pages in order; not owned.
};

/// \class VPropertyTreePage
/// One page of a VPropertyTreeDialog, a modeless child dialog made from the host's own template, which may
/// hold sub-pages to any depth. The template's title is the tree label, a line feed and the caption shown
/// in the dialog's caption band (`"Proxy\nProxy server settings"`); a title without a line feed serves as
/// both. A page's state-map name is its label, below a parent page the parent's name, "~" and its label.
///
/// \code{.cpp}
/// class CProxyPage : public VPropertyTreePage
/// {
/// public:
///     CProxyPage() : VPropertyTreePage(IDD_PROXY) {}
/// protected:
///     void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_PORT, m_nPort); ... }
///     afx_msg void OnPortChanged() { OnChange(); } // marks the dialog modified
/// };
/// connectionPage.AddPage(&proxyPage); // a sub-page
/// \endcode
///
/// Page templates are WS_CHILD | DS_CONTROL, so that Tab moves between the page's controls and the dialog's.
#pragma once

#include <afxtempl.h>
#include <afxcmn.h>

#include "core/PardalinApi.h"
#include "core/VUnicodeString.h"
#include "dialogs/VPropertyTreePageBase.h"

class PARDALIN_API VPropertyTreePage : public CDialog, public VPropertyTreePageBase
{
public:
    // Construction
    /// The page for template resourceID, expanded and not selected.
    explicit VPropertyTreePage(UINT resourceID);
    /// The sub-pages are not owned and stay.
    ~VPropertyTreePage() override;

    // Attributes
    /// The template id given to the constructor.
    UINT GetResourceID() const;
    /// The page's item while it is in the tree, else null.
    HTREEITEM GetTreeItem() const;

    // Operations
    /// Appends a sub-page (not owned). Null, the page itself and a page it already holds are ignored.
    void AddPage(VPropertyTreePage* pPage);

    // Overridables
    /// The page is about to be shown: UpdateData(FALSE) and TRUE here.
    virtual BOOL OnSetActive();
    /// The page is about to be left, or the dialog closed with OK: whether UpdateData(TRUE) succeeded.
    virtual BOOL OnKillActive();
    /// The page has just been shown; empty here.
    virtual void OnShow();
    /// Creates the page's window as a child of pDialog from the page's template (through the resource
    /// chain); the dialog calls it when it builds its tree.
    virtual void PreModal(CDialog* pDialog);
    /// Not called by the library; for the host's own use. Empty here.
    virtual void Refresh();

    /// The tree dialog that is the window's parent; null before the window exists or under another parent.
    VPropertyTreeDialog* InternalGetParentDialog() override;
    /// The name made when the page last went into the tree; empty before that.
    VUnicodeString GetStateMapName() override;

protected:
    // Operations
    /// Marks the parent dialog modified (SetModified(true)); for derived pages' change handlers. Nothing
    /// happens outside a tree dialog.
    void OnChange();

    // Overridables
    /// MFC's, then the caption bar is taken off the window: the page sits inside the dialog.
    BOOL OnInitDialog() override;
    /// Enter and Escape inside a page reach the page first; the dialog's buttons decide, not the page, so
    /// both are empty here.
    ///@{
    void OnOK() override;
    void OnCancel() override;
    ///@}

    /// The default handling of WM_DESTROY.
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    friend class VPropertyTreeDialog;

    // Puts the page, then its sub-pages, into the tree under parent after insertAfter, restores its state
    // from the map and expands or selects its item. With createFlag the sub-pages' windows are created
    // first (the page's own already exists).
    void Insert(CTreeCtrl* pTree, HTREEITEM parent, HTREEITEM insertAfter, CRect const* createFlag);
    // Looks for pPage among the sub-pages at any depth: its parent item and the item it goes after.
    bool FindPage(VPropertyTreePage* pPage, HTREEITEM& parent, HTREEITEM& insertAfter);
    // The search of one level, the dialog's top-level pages or a page's sub-pages, whose pages go under
    // hItem: a page found in the list goes after its nearest preceding sibling in the tree (TVI_FIRST without
    // one); each sibling's own sub-pages are searched in turn.
    static bool FindAmong(CArray<VPropertyTreePage*, VPropertyTreePage*> const& pages, HTREEITEM hItem,
                          VPropertyTreePage* pPage, HTREEITEM& parent, HTREEITEM& insertAfter);
    // Takes the page and its sub-pages out of the tree, keeping the item's expansion in the flag.
    void HidePage(CTreeCtrl* pTree);
    // Whether pPage is this page or below it.
    bool Holds(VPropertyTreePage const* pPage) const;

    UINT m_nResourceID;
    HTREEITEM m_hTreeItem;
    CArray<VPropertyTreePage*, VPropertyTreePage*> m_subPages;
    VUnicodeString m_strStateMapName;
};

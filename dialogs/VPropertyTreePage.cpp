#include "dialogs/VPropertyTreePage.h"

#include "dialogs/VPropertyTreeDialog.h"

namespace
{
// The label is the title up to the first line feed, the caption what follows it; a title without one is
// both.
void SplitTitle(CString const& title, CString& label, CString& caption)
{
    int nBreak = title.Find(L'\n');
    if (nBreak < 0)
    {
        label = title;
        caption = title;
        return;
    }
    label = title.Left(nBreak);
    caption = title.Mid(nBreak + 1);
}
} // namespace

BEGIN_MESSAGE_MAP(VPropertyTreePage, CDialog)
ON_WM_DESTROY()
END_MESSAGE_MAP()

VPropertyTreePage::VPropertyTreePage(UINT resourceID) : m_nResourceID(resourceID), m_hTreeItem(nullptr) {}

VPropertyTreePage::~VPropertyTreePage() = default;

UINT VPropertyTreePage::GetResourceID() const
{
    return m_nResourceID;
}

HTREEITEM VPropertyTreePage::GetTreeItem() const
{
    return m_hTreeItem;
}

void VPropertyTreePage::AddPage(VPropertyTreePage* pPage)
{
    // A page held twice would get two items for one window and one state.
    if (pPage == nullptr || pPage == this)
    {
        return;
    }
    for (INT_PTR i = 0; i < m_subPages.GetSize(); ++i)
    {
        if (m_subPages[i] == pPage)
        {
            return;
        }
    }
    m_subPages.Add(pPage);
}

BOOL VPropertyTreePage::OnSetActive()
{
    UpdateData(FALSE);
    return TRUE;
}

BOOL VPropertyTreePage::OnKillActive()
{
    return UpdateData(TRUE);
}

void VPropertyTreePage::OnShow() {}

void VPropertyTreePage::PreModal(CDialog* pDialog)
{
    Create(MAKEINTRESOURCEW(m_nResourceID), pDialog);
}

void VPropertyTreePage::Refresh() {}

VPropertyTreeDialog* VPropertyTreePage::InternalGetParentDialog()
{
    if (m_hWnd == nullptr)
    {
        return nullptr;
    }
    return dynamic_cast<VPropertyTreeDialog*>(CWnd::FromHandle(::GetParent(m_hWnd)));
}

VUnicodeString VPropertyTreePage::GetStateMapName()
{
    return m_strStateMapName;
}

void VPropertyTreePage::OnChange()
{
    if (IPropertyTreeDialog* pDialog = GetParentDialog())
    {
        pDialog->SetModified(true);
    }
}

BOOL VPropertyTreePage::OnInitDialog()
{
    CDialog::OnInitDialog();
    ModifyStyle(WS_CAPTION, 0);
    return TRUE;
}

void VPropertyTreePage::OnOK() {}

void VPropertyTreePage::OnCancel() {}

void VPropertyTreePage::OnDestroy()
{
    Default();
}

void VPropertyTreePage::Insert(CTreeCtrl* pTree, HTREEITEM parent, HTREEITEM insertAfter,
                               CRect const* createFlag)
{
    CString title, label, caption;
    if (m_hWnd != nullptr)
    {
        GetWindowText(title);
    }
    SplitTitle(title, label, caption);

    m_hTreeItem = pTree->InsertItem(TVIF_TEXT, label, 0, 0, 0, 0, 0, parent, insertAfter);
    pTree->SetItemData(m_hTreeItem, reinterpret_cast<DWORD_PTR>(this));

    if (parent == TVI_ROOT)
    {
        m_strStateMapName = VUnicodeString(label);
    }
    else
    {
        auto* pParentPage = reinterpret_cast<VPropertyTreePage*>(pTree->GetItemData(parent));
        m_strStateMapName = pParentPage != nullptr ? pParentPage->m_strStateMapName : VUnicodeString();
        m_strStateMapName += L"~";
        m_strStateMapName += VUnicodeString(label);
    }

    for (INT_PTR i = 0; i < m_subPages.GetSize(); ++i)
    {
        VPropertyTreePage* pSubPage = m_subPages[i];
        if (createFlag != nullptr)
        {
            pSubPage->PreModal(dynamic_cast<CDialog*>(GetParent()));
        }
        pSubPage->Insert(pTree, m_hTreeItem, insertAfter, createFlag);
    }

    SetPageState();
    if (m_bExpanded)
    {
        pTree->Expand(m_hTreeItem, TVE_EXPAND);
    }
    if (m_bSelected)
    {
        pTree->Select(m_hTreeItem, TVGN_CARET);
    }
    pTree->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

bool VPropertyTreePage::FindPage(VPropertyTreePage* pPage, HTREEITEM& parent, HTREEITEM& insertAfter)
{
    return FindAmong(m_subPages, m_hTreeItem, pPage, parent, insertAfter);
}

bool VPropertyTreePage::FindAmong(CArray<VPropertyTreePage*, VPropertyTreePage*> const& pages,
                                  HTREEITEM hItem, VPropertyTreePage* pPage, HTREEITEM& parent,
                                  HTREEITEM& insertAfter)
{
    HTREEITEM candidate = TVI_FIRST;
    for (INT_PTR i = 0; i < pages.GetSize(); ++i)
    {
        VPropertyTreePage* pSibling = pages[i];
        if (pSibling == pPage)
        {
            parent = hItem;
            insertAfter = candidate;
            return true;
        }
        if (pSibling->FindPage(pPage, parent, insertAfter))
        {
            return true;
        }
        if (pSibling->m_hTreeItem != nullptr)
        {
            candidate = pSibling->m_hTreeItem;
        }
    }
    return false;
}

void VPropertyTreePage::HidePage(CTreeCtrl* pTree)
{
    if (m_hTreeItem == nullptr)
    {
        return;
    }
    m_bExpanded = (pTree->GetItemState(m_hTreeItem, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
    for (INT_PTR i = 0; i < m_subPages.GetSize(); ++i)
    {
        m_subPages[i]->HidePage(pTree);
    }
    if (m_bSelected)
    {
        pTree->SetItemState(m_hTreeItem, 0, TVIS_SELECTED);
    }
    pTree->DeleteItem(m_hTreeItem);
    m_hTreeItem = nullptr;
    m_bSelected = false;
}

bool VPropertyTreePage::Holds(VPropertyTreePage const* pPage) const
{
    if (pPage == this)
    {
        return true;
    }
    for (INT_PTR i = 0; i < m_subPages.GetSize(); ++i)
    {
        if (m_subPages[i]->Holds(pPage))
        {
            return true;
        }
    }
    return false;
}

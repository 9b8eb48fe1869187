#include "dialogs/VPropertyTreeDialog.h"

#include "frame/Pardalin.h"
#include "resources/PropertyTreeDialogIds.h"

namespace
{
UINT TemplateOf(int templateIndex)
{
    switch (templateIndex)
    {
    case 1:
        return IDD_PROPERTY_TREE_APPLY;
    case 2:
        return IDD_PROPERTY_TREE_HELP;
    default:
        return IDD_PROPERTY_TREE;
    }
}

bool KeyDown(int nVirtKey)
{
    return ::GetAsyncKeyState(nVirtKey) < 0;
}
} // namespace

BEGIN_MESSAGE_MAP(VPropertyTreeDialog, VDialog)
ON_WM_CTLCOLOR()
ON_BN_CLICKED(IDC_APPLY, &VPropertyTreeDialog::OnApply)
END_MESSAGE_MAP()

VPropertyTreeDialog::VPropertyTreeDialog(wchar_t const* caption, int templateIndex,
                                         VPropertyPageStateMap* pStateMap, CWnd* pParent)
    : VDialog(TemplateOf(templateIndex), GetPardalinDll(), pParent), m_strCaption(caption), m_nPageX(0),
      m_nPageY(0), m_bNewSession(false), m_bClearSelected(false), m_bSelectingQuietly(false),
      m_pCurrentPage(nullptr), m_pStateMap(pStateMap)
{
}

VPropertyTreeDialog::~VPropertyTreeDialog() = default;

VPropertyPageStateMap* VPropertyTreeDialog::GetPageStateMap()
{
    return m_pStateMap;
}

CWnd* VPropertyTreeDialog::GetApplyButton()
{
    return GetDlgItem(IDC_APPLY);
}

void VPropertyTreeDialog::SetNewSession(bool bNewSession)
{
    m_bNewSession = bNewSession;
}

void VPropertyTreeDialog::SetClearSelected(bool bClearSelected)
{
    m_bClearSelected = bClearSelected;
}

void VPropertyTreeDialog::SetCaption(wchar_t const* caption)
{
    m_strCaption = caption;
}

void VPropertyTreeDialog::AddPage(VPropertyTreePage* pPage)
{
    if (pPage == nullptr)
    {
        return;
    }
    for (INT_PTR i = 0; i < m_pages.GetSize(); ++i)
    {
        if (m_pages[i] == pPage)
        {
            return;
        }
    }
    m_pages.Add(pPage);
}

void VPropertyTreeDialog::RemovePage(VPropertyTreePage* pPage)
{
    for (INT_PTR i = 0; i < m_pages.GetSize(); ++i)
    {
        if (m_pages[i] == pPage)
        {
            m_pages.RemoveAt(i);
            return;
        }
    }
}

bool VPropertyTreeDialog::FindPage(VPropertyTreePage* pPage, HTREEITEM& parent, HTREEITEM& insertAfter)
{
    return VPropertyTreePage::FindAmong(m_pages, TVI_ROOT, pPage, parent, insertAfter);
}

void VPropertyTreeDialog::ShowPage(VPropertyTreePage* pPage)
{
    HTREEITEM parent = nullptr;
    HTREEITEM insertAfter = nullptr;
    if (pPage == nullptr || pPage->m_hTreeItem != nullptr || m_tree.m_hWnd == nullptr ||
        !FindPage(pPage, parent, insertAfter))
    {
        return;
    }
    if (m_bNewSession || m_bClearSelected)
    {
        pPage->m_bSelected = false;
        pPage->SavePageState();
    }
    pPage->Insert(&m_tree, parent, insertAfter, nullptr);
    if (parent != TVI_ROOT)
    {
        auto* pParentPage = reinterpret_cast<VPropertyTreePage*>(m_tree.GetItemData(parent));
        if (pParentPage != nullptr && pParentPage->IsExpanded())
        {
            m_tree.Expand(parent, TVE_EXPAND);
        }
    }
}

void VPropertyTreeDialog::HidePage(VPropertyTreePage* pPage)
{
    if (pPage == nullptr || pPage->m_hTreeItem == nullptr || m_tree.m_hWnd == nullptr)
    {
        return;
    }
    // The page left is not validated: it is going away, whatever its data.
    bool bLeavesCurrent = m_pCurrentPage != nullptr && pPage->Holds(m_pCurrentPage);
    m_bSelectingQuietly = bLeavesCurrent;
    if (bLeavesCurrent)
    {
        m_tree.Select(m_tree.GetRootItem(), TVGN_CARET);
    }
    pPage->HidePage(&m_tree);
    m_bSelectingQuietly = false;
    if (m_pCurrentPage == nullptr || m_pCurrentPage->m_hTreeItem != nullptr)
    {
        return;
    }
    // The hidden page was the first root item itself: the page of whatever the tree selects now (the
    // first root item when it selected nothing) is shown in its place.
    if (m_pCurrentPage->m_hWnd != nullptr)
    {
        m_pCurrentPage->ShowWindow(SW_HIDE);
    }
    m_pCurrentPage = nullptr;
    HTREEITEM hSelected = m_tree.GetSelectedItem();
    if (hSelected == nullptr)
    {
        m_tree.Select(m_tree.GetRootItem(), TVGN_CARET);
    }
    else
    {
        NMTREEVIEWW notify = {};
        notify.hdr.hwndFrom = m_tree.m_hWnd;
        notify.hdr.idFrom = IDC_PROPERTY_TREE;
        notify.hdr.code = TVN_SELCHANGEDW;
        notify.itemNew.hItem = hSelected;
        notify.itemNew.lParam = static_cast<LPARAM>(m_tree.GetItemData(hSelected));
        LRESULT lResult = 0;
        OnTreeSelectionChanged(&notify.hdr, &lResult);
    }
}

void VPropertyTreeDialog::DisableOkButton()
{
    if (CWnd* pOk = GetDlgItem(IDOK))
    {
        pOk->EnableWindow(FALSE);
    }
}

BOOL VPropertyTreeDialog::OnCurrentPageKillActive()
{
    return m_pCurrentPage != nullptr && m_pCurrentPage->OnKillActive();
}

void VPropertyTreeDialog::OnApply() {}

void VPropertyTreeDialog::SetModified(bool) {}

void VPropertyTreeDialog::DoDataExchange(CDataExchange* pDX)
{
    VDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PROPERTY_TREE, m_tree);
}

BOOL VPropertyTreeDialog::OnInitDialog()
{
    VDialog::OnInitDialog();
    SetWindowText(m_strCaption);
    m_pCurrentPage = nullptr; // a page of an earlier run of the same dialog object is not current
    // The static control selects the font it holds after asking for its colours, so the band holds the
    // bold font as well as getting it in OnCtlColor.
    if (CWnd* pBand = GetDlgItem(IDC_CAPTION_BAND); pBand != nullptr && m_fontBold.m_hObject != nullptr)
    {
        pBand->SetFont(&m_fontBold, FALSE);
    }

    CRect rcFrame;
    if (CWnd* pFrame = GetDlgItem(IDC_PAGE_FRAME))
    {
        pFrame->GetWindowRect(&rcFrame);
        ScreenToClient(&rcFrame);
    }
    m_nPageX = rcFrame.left;
    m_nPageY = rcFrame.top;

    CRect create;
    for (INT_PTR i = 0; i < m_pages.GetSize(); ++i)
    {
        VPropertyTreePage* pPage = m_pages[i];
        pPage->PreModal(this);
        pPage->Insert(&m_tree, TVI_ROOT, TVI_LAST, &create);
    }

    if (m_tree.GetSelectedItem() == nullptr || m_bNewSession)
    {
        m_tree.Select(m_tree.GetRootItem(), TVGN_CARET);
    }
    SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_tree.m_hWnd), TRUE);
    return FALSE;
}

void VPropertyTreeDialog::OnSetFont(CFont* pFont)
{
    LOGFONTW logFont = {};
    if (pFont != nullptr && pFont->GetLogFont(&logFont) != 0)
    {
        logFont.lfWeight = FW_BOLD;
        m_fontBold.DeleteObject();
        m_fontBold.CreateFontIndirect(&logFont);
    }
    m_brushBand.DeleteObject();
    m_brushBand.CreateSolidBrush(::GetSysColor(COLOR_INACTIVECAPTION));
    VDialog::OnSetFont(pFont);
}

BOOL VPropertyTreeDialog::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    if (pNMHDR != nullptr && pNMHDR->idFrom == IDC_PROPERTY_TREE)
    {
        switch (pNMHDR->code)
        {
        case TVN_SELCHANGINGW:
            OnTreeSelectionChanging(pNMHDR, pResult);
            return TRUE;
        case TVN_SELCHANGEDW:
            OnTreeSelectionChanged(pNMHDR, pResult);
            return TRUE;
        case TVN_ITEMEXPANDINGW:
            OnItemExpandingTree(pNMHDR, pResult);
            return TRUE;
        default:
            break;
        }
    }
    return VDialog::OnNotify(wParam, lParam, pResult);
}

void VPropertyTreeDialog::OnTreeSelectionChanging(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* pNotify = reinterpret_cast<NMTREEVIEWW*>(pNMHDR);
    auto* pNewPage = reinterpret_cast<VPropertyTreePage*>(pNotify->itemNew.lParam);
    BOOL bLeft = TRUE;
    if (!m_bSelectingQuietly && m_pCurrentPage != nullptr)
    {
        bLeft = m_pCurrentPage->OnKillActive();
    }
    BOOL bEntered = pNewPage != nullptr ? pNewPage->OnSetActive() : TRUE;
    if (!bLeft || !bEntered)
    {
        *pResult = 1;
        PostMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(::GetFocus()), TRUE);
        return;
    }
    *pResult = 0;
}

void VPropertyTreeDialog::OnTreeSelectionChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* pNotify = reinterpret_cast<NMTREEVIEWW*>(pNMHDR);
    auto* pNewPage = reinterpret_cast<VPropertyTreePage*>(pNotify->itemNew.lParam);
    *pResult = 0;
    if (m_pCurrentPage != nullptr && m_pCurrentPage->m_hWnd != nullptr)
    {
        m_pCurrentPage->ShowWindow(SW_HIDE);
    }
    if (pNewPage == nullptr)
    {
        return;
    }
    CString title, label, caption;
    if (pNewPage->m_hWnd != nullptr)
    {
        pNewPage->GetWindowText(title);
    }
    int nBreak = title.Find(L'\n');
    caption = nBreak < 0 ? title : title.Mid(nBreak + 1);
    if (CWnd* pBand = GetDlgItem(IDC_CAPTION_BAND))
    {
        pBand->SetWindowText(L"  " + caption);
        pBand->Invalidate();
    }
    if (pNewPage->m_hWnd != nullptr)
    {
        pNewPage->SetWindowPos(nullptr, m_nPageX, m_nPageY, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        pNewPage->EnableWindow(TRUE);
        pNewPage->ShowWindow(SW_SHOW);
    }
    if (m_pCurrentPage != nullptr)
    {
        m_pCurrentPage->m_bSelected = false;
        m_pCurrentPage->SavePageState();
    }
    pNewPage->m_bSelected = true;
    pNewPage->SavePageState();
    m_pCurrentPage = pNewPage;
    pNewPage->OnShow();
}

void VPropertyTreeDialog::OnItemExpandingTree(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* pNotify = reinterpret_cast<NMTREEVIEWW*>(pNMHDR);
    if (auto* pPage = reinterpret_cast<VPropertyTreePage*>(pNotify->itemNew.lParam))
    {
        pPage->m_bExpanded = pNotify->action == TVE_EXPAND;
        pPage->SavePageState();
    }
    *pResult = 0;
}

BOOL VPropertyTreeDialog::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
    {
        return TRUE;
    }
    if (pMsg->message == WM_KEYDOWN && KeyDown(VK_CONTROL) && m_pCurrentPage != nullptr &&
        m_pCurrentPage->m_hTreeItem != nullptr)
    {
        bool bShift = KeyDown(VK_SHIFT);
        bool bNext = pMsg->wParam == VK_NEXT || (pMsg->wParam == VK_TAB && !bShift);
        bool bPrevious = pMsg->wParam == VK_PRIOR || (pMsg->wParam == VK_TAB && bShift);
        if (bNext || bPrevious)
        {
            HTREEITEM hCurrent = m_pCurrentPage->m_hTreeItem;
            HTREEITEM hItem = nullptr;
            if (bNext)
            {
                hItem = m_tree.GetNextVisibleItem(hCurrent);
                if (hItem == nullptr)
                {
                    hItem = m_tree.GetRootItem();
                }
            }
            else
            {
                hItem = m_tree.GetPrevVisibleItem(hCurrent);
                if (hItem == nullptr)
                {
                    hItem = hCurrent;
                    for (HTREEITEM hNext = hItem; hNext != nullptr; hNext = m_tree.GetNextVisibleItem(hNext))
                    {
                        hItem = hNext;
                    }
                }
            }
            m_tree.Select(hItem, TVGN_CARET);
            return TRUE;
        }
    }
    return PreTranslateInput(pMsg);
}

void VPropertyTreeDialog::OnOK()
{
    if (m_pCurrentPage != nullptr && m_pCurrentPage->OnKillActive())
    {
        EndDialog(IDOK);
    }
}

HBRUSH VPropertyTreeDialog::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (pWnd != nullptr && pWnd->GetDlgCtrlID() == IDC_CAPTION_BAND && m_brushBand.m_hObject != nullptr)
    {
        pDC->SetBkColor(::GetSysColor(COLOR_INACTIVECAPTION));
        pDC->SetTextColor(::GetSysColor(COLOR_INACTIVECAPTIONTEXT));
        if (m_fontBold.m_hObject != nullptr)
        {
            pDC->SelectObject(&m_fontBold);
        }
        return static_cast<HBRUSH>(m_brushBand.m_hObject);
    }
    return VDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}

// The thin wrappers of the common controls (afxcmn.h), inline: each calls one image-list function or sends
// the control one message, and asserts, in diagnostic builds, that the object holds its image list or a
// live window.
#pragma once

#ifndef AFX_UMBRELLA_AFXCMN_H
#error This file is part of <afxcmn.h>; include that instead.
#endif

/////////////////////////////////////////////////////////////////////////////
// CImageList

inline int CImageList::GetImageCount() const
{
    ASSERT(m_hImageList != nullptr);
    return ImageList_GetImageCount(m_hImageList);
}

inline BOOL CImageList::SetImageCount(UINT uNewCount)
{
    ASSERT(m_hImageList != nullptr);
    return ImageList_SetImageCount(m_hImageList, uNewCount);
}

inline COLORREF CImageList::SetBkColor(COLORREF cr)
{
    ASSERT(m_hImageList != nullptr);
    return ImageList_SetBkColor(m_hImageList, cr);
}

inline COLORREF CImageList::GetBkColor() const
{
    ASSERT(m_hImageList != nullptr);
    return ImageList_GetBkColor(m_hImageList);
}

inline BOOL CImageList::GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const
{
    ASSERT(m_hImageList != nullptr);
    return ImageList_GetImageInfo(m_hImageList, nImage, pImageInfo);
}

inline BOOL CImageList::GetIconSize(int* cx, int* cy) const
{
    ASSERT(m_hImageList != nullptr);
    return ImageList_GetIconSize(m_hImageList, cx, cy);
}

inline int CImageList::Add(HICON hIcon)
{
    ASSERT(m_hImageList != nullptr);
    return ImageList_ReplaceIcon(m_hImageList, -1, hIcon);
}

inline BOOL CImageList::Remove(int nImage)
{
    ASSERT(m_hImageList != nullptr);
    return ImageList_Remove(m_hImageList, nImage);
}

inline int CImageList::Replace(int nImage, HICON hIcon)
{
    ASSERT(m_hImageList != nullptr);
    return ImageList_ReplaceIcon(m_hImageList, nImage, hIcon);
}

inline HICON CImageList::ExtractIcon(int nImage)
{
    ASSERT(m_hImageList != nullptr);
    return ImageList_GetIcon(m_hImageList, nImage, ILD_NORMAL);
}

inline BOOL CImageList::SetOverlayImage(int nImage, int nOverlay)
{
    ASSERT(m_hImageList != nullptr);
    return ImageList_SetOverlayImage(m_hImageList, nImage, nOverlay);
}

/////////////////////////////////////////////////////////////////////////////
// CListCtrl

inline DWORD CListCtrl::GetExtendedStyle() const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE));
}

inline DWORD CListCtrl::SetExtendedStyle(DWORD dwNewStyle)
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(dwNewStyle)));
}

inline int CListCtrl::InsertColumn(int nCol, const LVCOLUMN* pColumn)
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(
        SendMessage(LVM_INSERTCOLUMNW, static_cast<WPARAM>(nCol), reinterpret_cast<LPARAM>(pColumn)));
}

inline BOOL CListCtrl::DeleteColumn(int nCol)
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<BOOL>(SendMessage(LVM_DELETECOLUMN, static_cast<WPARAM>(nCol)));
}

inline int CListCtrl::GetColumnWidth(int nCol) const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(nCol)));
}

inline BOOL CListCtrl::SetColumnWidth(int nCol, int cx)
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<BOOL>(SendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(nCol), MAKELPARAM(cx, 0)));
}

inline int CListCtrl::GetItemCount() const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(SendMessage(LVM_GETITEMCOUNT));
}

inline BOOL CListCtrl::GetItem(LVITEM* pItem) const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<BOOL>(SendMessage(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(pItem)));
}

inline BOOL CListCtrl::SetItem(const LVITEM* pItem)
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<BOOL>(SendMessage(LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(pItem)));
}

inline int CListCtrl::InsertItem(const LVITEM* pItem)
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(pItem)));
}

inline BOOL CListCtrl::DeleteItem(int nItem)
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<BOOL>(SendMessage(LVM_DELETEITEM, static_cast<WPARAM>(nItem)));
}

inline BOOL CListCtrl::DeleteAllItems()
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS));
}

inline UINT CListCtrl::GetItemState(int nItem, UINT nMask) const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<UINT>(
        SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(nItem), static_cast<LPARAM>(nMask)));
}

inline int CListCtrl::GetNextItem(int nItem, int nFlags) const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(nItem), MAKELPARAM(nFlags, 0)));
}

inline UINT CListCtrl::GetSelectedCount() const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<UINT>(SendMessage(LVM_GETSELECTEDCOUNT));
}

inline BOOL CListCtrl::EnsureVisible(int nItem, BOOL bPartialOK)
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<BOOL>(
        SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(nItem), MAKELPARAM(bPartialOK, 0)));
}

inline int CListCtrl::HitTest(LVHITTESTINFO* pHitTestInfo) const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(pHitTestInfo)));
}

/////////////////////////////////////////////////////////////////////////////
// CTreeCtrl

inline UINT CTreeCtrl::GetCount() const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<UINT>(SendMessage(TVM_GETCOUNT));
}

inline UINT CTreeCtrl::GetIndent() const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<UINT>(SendMessage(TVM_GETINDENT));
}

inline void CTreeCtrl::SetIndent(UINT nIndent)
{
    ASSERT(::IsWindow(m_hWnd));
    SendMessage(TVM_SETINDENT, nIndent);
}

inline UINT CTreeCtrl::GetVisibleCount() const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<UINT>(SendMessage(TVM_GETVISIBLECOUNT));
}

inline HTREEITEM CTreeCtrl::GetNextItem(HTREEITEM hItem, UINT nCode) const
{
    ASSERT(::IsWindow(m_hWnd));
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_GETNEXTITEM, nCode, reinterpret_cast<LPARAM>(hItem)));
}

inline HTREEITEM CTreeCtrl::GetChildItem(HTREEITEM hItem) const
{
    ASSERT(::IsWindow(m_hWnd));
    return GetNextItem(hItem, TVGN_CHILD);
}

inline HTREEITEM CTreeCtrl::GetNextSiblingItem(HTREEITEM hItem) const
{
    ASSERT(::IsWindow(m_hWnd));
    return GetNextItem(hItem, TVGN_NEXT);
}

inline HTREEITEM CTreeCtrl::GetPrevSiblingItem(HTREEITEM hItem) const
{
    ASSERT(::IsWindow(m_hWnd));
    return GetNextItem(hItem, TVGN_PREVIOUS);
}

inline HTREEITEM CTreeCtrl::GetParentItem(HTREEITEM hItem) const
{
    ASSERT(::IsWindow(m_hWnd));
    return GetNextItem(hItem, TVGN_PARENT);
}

inline HTREEITEM CTreeCtrl::GetFirstVisibleItem() const
{
    ASSERT(::IsWindow(m_hWnd));
    return GetNextItem(nullptr, TVGN_FIRSTVISIBLE);
}

inline HTREEITEM CTreeCtrl::GetNextVisibleItem(HTREEITEM hItem) const
{
    ASSERT(::IsWindow(m_hWnd));
    return GetNextItem(hItem, TVGN_NEXTVISIBLE);
}

inline HTREEITEM CTreeCtrl::GetPrevVisibleItem(HTREEITEM hItem) const
{
    ASSERT(::IsWindow(m_hWnd));
    return GetNextItem(hItem, TVGN_PREVIOUSVISIBLE);
}

inline HTREEITEM CTreeCtrl::GetSelectedItem() const
{
    ASSERT(::IsWindow(m_hWnd));
    return GetNextItem(nullptr, TVGN_CARET);
}

inline HTREEITEM CTreeCtrl::GetDropHilightItem() const
{
    ASSERT(::IsWindow(m_hWnd));
    return GetNextItem(nullptr, TVGN_DROPHILITE);
}

inline HTREEITEM CTreeCtrl::GetRootItem() const
{
    ASSERT(::IsWindow(m_hWnd));
    return GetNextItem(nullptr, TVGN_ROOT);
}

inline BOOL CTreeCtrl::GetItem(TVITEM* pItem) const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<BOOL>(SendMessage(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(pItem)));
}

inline BOOL CTreeCtrl::SetItem(TVITEM* pItem)
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<BOOL>(SendMessage(TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(pItem)));
}

inline BOOL CTreeCtrl::SetItemText(HTREEITEM hItem, LPCTSTR lpszItem)
{
    ASSERT(::IsWindow(m_hWnd));
    return SetItem(hItem, TVIF_TEXT, lpszItem, 0, 0, 0, 0, 0);
}

inline BOOL CTreeCtrl::SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage)
{
    ASSERT(::IsWindow(m_hWnd));
    return SetItem(hItem, TVIF_IMAGE | TVIF_SELECTEDIMAGE, nullptr, nImage, nSelectedImage, 0, 0, 0);
}

inline BOOL CTreeCtrl::SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask)
{
    ASSERT(::IsWindow(m_hWnd));
    return SetItem(hItem, TVIF_STATE, nullptr, 0, 0, nState, nStateMask, 0);
}

inline BOOL CTreeCtrl::SetItemData(HTREEITEM hItem, DWORD_PTR dwData)
{
    ASSERT(::IsWindow(m_hWnd));
    return SetItem(hItem, TVIF_PARAM, nullptr, 0, 0, 0, 0, static_cast<LPARAM>(dwData));
}

inline HTREEITEM CTreeCtrl::InsertItem(LPTVINSERTSTRUCT lpInsertStruct)
{
    ASSERT(::IsWindow(m_hWnd));
    return reinterpret_cast<HTREEITEM>(
        SendMessage(TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(lpInsertStruct)));
}

inline HTREEITEM CTreeCtrl::InsertItem(LPCTSTR lpszItem, HTREEITEM hParent, HTREEITEM hInsertAfter)
{
    ASSERT(::IsWindow(m_hWnd));
    return InsertItem(TVIF_TEXT, lpszItem, 0, 0, 0, 0, 0, hParent, hInsertAfter);
}

inline HTREEITEM CTreeCtrl::InsertItem(LPCTSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent,
                                       HTREEITEM hInsertAfter)
{
    ASSERT(::IsWindow(m_hWnd));
    return InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE, lpszItem, nImage, nSelectedImage, 0, 0, 0,
                      hParent, hInsertAfter);
}

inline BOOL CTreeCtrl::DeleteItem(HTREEITEM hItem)
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<BOOL>(SendMessage(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(hItem)));
}

inline BOOL CTreeCtrl::DeleteAllItems()
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<BOOL>(SendMessage(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT)));
}

inline BOOL CTreeCtrl::Expand(HTREEITEM hItem, UINT nCode)
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<BOOL>(SendMessage(TVM_EXPAND, nCode, reinterpret_cast<LPARAM>(hItem)));
}

inline BOOL CTreeCtrl::Select(HTREEITEM hItem, UINT nCode)
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<BOOL>(SendMessage(TVM_SELECTITEM, nCode, reinterpret_cast<LPARAM>(hItem)));
}

inline BOOL CTreeCtrl::SelectItem(HTREEITEM hItem)
{
    ASSERT(::IsWindow(m_hWnd));
    return Select(hItem, TVGN_CARET);
}

inline BOOL CTreeCtrl::SelectDropTarget(HTREEITEM hItem)
{
    ASSERT(::IsWindow(m_hWnd));
    return Select(hItem, TVGN_DROPHILITE);
}

inline BOOL CTreeCtrl::SelectSetFirstVisible(HTREEITEM hItem)
{
    ASSERT(::IsWindow(m_hWnd));
    return Select(hItem, TVGN_FIRSTVISIBLE);
}

inline BOOL CTreeCtrl::EnsureVisible(HTREEITEM hItem)
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<BOOL>(SendMessage(TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(hItem)));
}

inline BOOL CTreeCtrl::SortChildren(HTREEITEM hItem)
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<BOOL>(SendMessage(TVM_SORTCHILDREN, 0, reinterpret_cast<LPARAM>(hItem)));
}

inline HTREEITEM CTreeCtrl::HitTest(TVHITTESTINFO* pHitTestInfo) const
{
    ASSERT(::IsWindow(m_hWnd));
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(pHitTestInfo)));
}

/////////////////////////////////////////////////////////////////////////////
// CDateTimeCtrl

inline DWORD CDateTimeCtrl::GetTime(LPSYSTEMTIME pTimeDest) const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<DWORD>(
        ::SendMessageW(m_hWnd, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(pTimeDest)));
}

inline BOOL CDateTimeCtrl::SetTime(LPSYSTEMTIME pTimeNew)
{
    ASSERT(::IsWindow(m_hWnd));
    // GDT_NONE ignores the structure, but some pickers refuse the message without one.
    SYSTEMTIME none = {};
    return static_cast<BOOL>(
        ::SendMessageW(m_hWnd, DTM_SETSYSTEMTIME, pTimeNew != nullptr ? GDT_VALID : GDT_NONE,
                       reinterpret_cast<LPARAM>(pTimeNew != nullptr ? pTimeNew : &none)));
}

inline BOOL CDateTimeCtrl::SetFormat(LPCTSTR pstrFormat)
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<BOOL>(::SendMessageW(m_hWnd, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(pstrFormat)));
}

// The thin wrappers of the GDI objects, device contexts and menus (afxgdi_.h, afxmenu_.h), inline: each
// forwards to one system function and asserts, in diagnostic builds, that the object holds a handle (a DC,
// a GDI object, a menu that is still valid).
#pragma once

#ifndef AFX_UMBRELLA_AFXWIN_H
#error This file is part of <afxwin.h>; include that instead.
#endif

/////////////////////////////////////////////////////////////////////////////
// CGdiObject

inline int CGdiObject::GetObject(int nCount, LPVOID lpObject) const
{
    ASSERT(m_hObject != nullptr);
    return ::GetObjectW(m_hObject, nCount, lpObject);
}

// Also for an object without a handle: 0.
inline UINT CGdiObject::GetObjectType() const
{
    return static_cast<UINT>(::GetObjectType(m_hObject));
}

inline BOOL CGdiObject::UnrealizeObject()
{
    ASSERT(m_hObject != nullptr);
    return ::UnrealizeObject(m_hObject);
}

/////////////////////////////////////////////////////////////////////////////
// CPen

inline int CPen::GetLogPen(LOGPEN* pLogPen)
{
    ASSERT(m_hObject != nullptr);
    return ::GetObjectW(m_hObject, sizeof(LOGPEN), pLogPen);
}

/////////////////////////////////////////////////////////////////////////////
// CBrush

inline int CBrush::GetLogBrush(LOGBRUSH* pLogBrush)
{
    ASSERT(m_hObject != nullptr);
    return ::GetObjectW(m_hObject, sizeof(LOGBRUSH), pLogBrush);
}

/////////////////////////////////////////////////////////////////////////////
// CFont

inline int CFont::GetLogFont(LOGFONT* pLogFont)
{
    ASSERT(m_hObject != nullptr);
    return ::GetObjectW(m_hObject, sizeof(LOGFONTW), pLogFont);
}

/////////////////////////////////////////////////////////////////////////////
// CBitmap

inline int CBitmap::GetBitmap(BITMAP* pBitMap)
{
    ASSERT(m_hObject != nullptr);
    return ::GetObjectW(m_hObject, sizeof(BITMAP), pBitMap);
}

/////////////////////////////////////////////////////////////////////////////
// CRgn

inline BOOL CRgn::PtInRegion(int x, int y) const
{
    ASSERT(m_hObject != nullptr);
    return ::PtInRegion(static_cast<HRGN>(m_hObject), x, y);
}

inline int CRgn::GetRgnBox(LPRECT lpRect) const
{
    ASSERT(m_hObject != nullptr);
    return ::GetRgnBox(static_cast<HRGN>(m_hObject), lpRect);
}

/////////////////////////////////////////////////////////////////////////////
// CDC

inline int CDC::SaveDC()
{
    ASSERT(m_hDC != nullptr);
    return ::SaveDC(m_hDC);
}

inline BOOL CDC::RestoreDC(int nSavedDC)
{
    ASSERT(m_hDC != nullptr);
    return ::RestoreDC(m_hDC, nSavedDC);
}

inline int CDC::GetDeviceCaps(int nIndex) const
{
    ASSERT(m_hAttribDC != nullptr);
    return ::GetDeviceCaps(m_hAttribDC, nIndex);
}

/////////////////////////////////////////////////////////////////////////////
// CDC: selected objects

inline HGDIOBJ CDC::SelectObject(HGDIOBJ hObject)
{
    ASSERT(m_hDC != nullptr);
    return ::SelectObject(m_hDC, hObject);
}

/////////////////////////////////////////////////////////////////////////////
// CDC: attributes

inline COLORREF CDC::GetBkColor() const
{
    ASSERT(m_hAttribDC != nullptr);
    return ::GetBkColor(m_hAttribDC);
}

inline COLORREF CDC::SetBkColor(COLORREF crColor)
{
    ASSERT(m_hDC != nullptr);
    return ::SetBkColor(m_hDC, crColor);
}

inline int CDC::GetBkMode() const
{
    ASSERT(m_hAttribDC != nullptr);
    return ::GetBkMode(m_hAttribDC);
}

inline int CDC::SetBkMode(int nBkMode)
{
    ASSERT(m_hDC != nullptr);
    return ::SetBkMode(m_hDC, nBkMode);
}

inline COLORREF CDC::GetTextColor() const
{
    ASSERT(m_hAttribDC != nullptr);
    return ::GetTextColor(m_hAttribDC);
}

inline COLORREF CDC::SetTextColor(COLORREF crColor)
{
    ASSERT(m_hDC != nullptr);
    return ::SetTextColor(m_hDC, crColor);
}

inline int CDC::GetROP2() const
{
    ASSERT(m_hAttribDC != nullptr);
    return ::GetROP2(m_hAttribDC);
}

inline int CDC::SetROP2(int nDrawMode)
{
    ASSERT(m_hDC != nullptr);
    return ::SetROP2(m_hDC, nDrawMode);
}

inline int CDC::GetMapMode() const
{
    ASSERT(m_hAttribDC != nullptr);
    return ::GetMapMode(m_hAttribDC);
}

inline int CDC::SetMapMode(int nMapMode)
{
    ASSERT(m_hDC != nullptr);
    return ::SetMapMode(m_hDC, nMapMode);
}

inline UINT CDC::GetTextAlign() const
{
    ASSERT(m_hAttribDC != nullptr);
    return ::GetTextAlign(m_hAttribDC);
}

inline UINT CDC::SetTextAlign(UINT nFlags)
{
    ASSERT(m_hDC != nullptr);
    return ::SetTextAlign(m_hDC, nFlags);
}

/////////////////////////////////////////////////////////////////////////////
// CDC: clipping

inline int CDC::GetClipBox(LPRECT lpRect) const
{
    ASSERT(m_hDC != nullptr);
    return ::GetClipBox(m_hDC, lpRect);
}

inline int CDC::IntersectClipRect(int x1, int y1, int x2, int y2)
{
    ASSERT(m_hDC != nullptr);
    return ::IntersectClipRect(m_hDC, x1, y1, x2, y2);
}

inline int CDC::IntersectClipRect(LPCRECT lpRect)
{
    ASSERT(m_hDC != nullptr);
    return ::IntersectClipRect(m_hDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

inline int CDC::ExcludeClipRect(int x1, int y1, int x2, int y2)
{
    ASSERT(m_hDC != nullptr);
    return ::ExcludeClipRect(m_hDC, x1, y1, x2, y2);
}

inline int CDC::ExcludeClipRect(LPCRECT lpRect)
{
    ASSERT(m_hDC != nullptr);
    return ::ExcludeClipRect(m_hDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

/////////////////////////////////////////////////////////////////////////////
// CDC: lines and shapes

inline CPoint CDC::MoveTo(POINT point)
{
    ASSERT(m_hDC != nullptr);
    return MoveTo(point.x, point.y);
}

inline BOOL CDC::LineTo(int x, int y)
{
    ASSERT(m_hDC != nullptr);
    return ::LineTo(m_hDC, x, y);
}

inline BOOL CDC::LineTo(POINT point)
{
    ASSERT(m_hDC != nullptr);
    return ::LineTo(m_hDC, point.x, point.y);
}

inline BOOL CDC::Polyline(const POINT* lpPoints, int nCount)
{
    ASSERT(m_hDC != nullptr);
    return ::Polyline(m_hDC, lpPoints, nCount);
}

inline BOOL CDC::Polygon(const POINT* lpPoints, int nCount)
{
    ASSERT(m_hDC != nullptr);
    return ::Polygon(m_hDC, lpPoints, nCount);
}

inline BOOL CDC::Rectangle(int x1, int y1, int x2, int y2)
{
    ASSERT(m_hDC != nullptr);
    return ::Rectangle(m_hDC, x1, y1, x2, y2);
}

inline BOOL CDC::Rectangle(LPCRECT lpRect)
{
    ASSERT(m_hDC != nullptr);
    return ::Rectangle(m_hDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

inline BOOL CDC::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3)
{
    ASSERT(m_hDC != nullptr);
    return ::RoundRect(m_hDC, x1, y1, x2, y2, x3, y3);
}

inline BOOL CDC::Ellipse(int x1, int y1, int x2, int y2)
{
    ASSERT(m_hDC != nullptr);
    return ::Ellipse(m_hDC, x1, y1, x2, y2);
}

inline BOOL CDC::Ellipse(LPCRECT lpRect)
{
    ASSERT(m_hDC != nullptr);
    return ::Ellipse(m_hDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

inline void CDC::InvertRect(LPCRECT lpRect)
{
    ASSERT(m_hDC != nullptr);
    ::InvertRect(m_hDC, lpRect);
}

inline void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    ASSERT(m_hDC != nullptr);
    Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top,
               clrTopLeft, clrBottomRight);
}

inline BOOL CDC::DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags)
{
    ASSERT(m_hDC != nullptr);
    return ::DrawEdge(m_hDC, lpRect, nEdge, nFlags);
}

inline BOOL CDC::DrawFrameControl(LPRECT lpRect, UINT nType, UINT nState)
{
    ASSERT(m_hDC != nullptr);
    return ::DrawFrameControl(m_hDC, lpRect, nType, nState);
}

inline void CDC::DrawFocusRect(LPCRECT lpRect)
{
    ASSERT(m_hDC != nullptr);
    ::DrawFocusRect(m_hDC, lpRect);
}

inline BOOL CDC::DrawIcon(int x, int y, HICON hIcon)
{
    ASSERT(m_hDC != nullptr);
    return ::DrawIcon(m_hDC, x, y, hIcon);
}

inline BOOL CDC::DrawIcon(POINT point, HICON hIcon)
{
    ASSERT(m_hDC != nullptr);
    return ::DrawIcon(m_hDC, point.x, point.y, hIcon);
}

/////////////////////////////////////////////////////////////////////////////
// CDC: bitmaps and pixels

inline BOOL CDC::PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop)
{
    ASSERT(m_hDC != nullptr);
    return ::PatBlt(m_hDC, x, y, nWidth, nHeight, dwRop);
}

inline COLORREF CDC::GetPixel(int x, int y) const
{
    ASSERT(m_hDC != nullptr);
    return ::GetPixel(m_hDC, x, y);
}

inline COLORREF CDC::GetPixel(POINT point) const
{
    ASSERT(m_hDC != nullptr);
    return ::GetPixel(m_hDC, point.x, point.y);
}

inline COLORREF CDC::SetPixel(int x, int y, COLORREF crColor)
{
    ASSERT(m_hDC != nullptr);
    return ::SetPixel(m_hDC, x, y, crColor);
}

inline COLORREF CDC::SetPixel(POINT point, COLORREF crColor)
{
    ASSERT(m_hDC != nullptr);
    return ::SetPixel(m_hDC, point.x, point.y, crColor);
}

/////////////////////////////////////////////////////////////////////////////
// CDC: text

inline BOOL CDC::TextOut(int x, int y, LPCTSTR lpszString, int nCount)
{
    ASSERT(m_hDC != nullptr);
    return ::TextOutW(m_hDC, x, y, lpszString, nCount);
}

inline BOOL CDC::TextOut(int x, int y, const CString& str)
{
    ASSERT(m_hDC != nullptr);
    return ::TextOutW(m_hDC, x, y, str, str.GetLength());
}

inline BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCTSTR lpszString, UINT nCount,
                            LPINT lpDxWidths)
{
    ASSERT(m_hDC != nullptr);
    return ::ExtTextOutW(m_hDC, x, y, nOptions, lpRect, lpszString, nCount, lpDxWidths);
}

inline BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, const CString& str, LPINT lpDxWidths)
{
    ASSERT(m_hDC != nullptr);
    return ::ExtTextOutW(m_hDC, x, y, nOptions, lpRect, str, static_cast<UINT>(str.GetLength()), lpDxWidths);
}

inline int CDC::DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat)
{
    ASSERT(m_hDC != nullptr);
    return ::DrawTextW(m_hDC, lpszString, nCount, lpRect, nFormat);
}

inline int CDC::DrawText(const CString& str, LPRECT lpRect, UINT nFormat)
{
    ASSERT(m_hDC != nullptr);
    return ::DrawTextW(m_hDC, str, str.GetLength(), lpRect, nFormat);
}

inline CSize CDC::GetTextExtent(const CString& str) const
{
    ASSERT(m_hAttribDC != nullptr);
    return GetTextExtent(str, str.GetLength());
}

inline BOOL CDC::GetTextMetrics(LPTEXTMETRIC lpMetrics) const
{
    ASSERT(m_hAttribDC != nullptr);
    return ::GetTextMetricsW(m_hAttribDC, lpMetrics);
}

/////////////////////////////////////////////////////////////////////////////
// CMenu

inline BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem)
{
    ASSERT(::IsMenu(m_hMenu));
    return ::AppendMenuW(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
}

inline BOOL CMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem)
{
    ASSERT(::IsMenu(m_hMenu));
    return ::InsertMenuW(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}

inline BOOL CMenu::ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem)
{
    ASSERT(::IsMenu(m_hMenu));
    return ::ModifyMenuW(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}

inline BOOL CMenu::InsertMenuItem(UINT uItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos)
{
    ASSERT(::IsMenu(m_hMenu));
    return ::InsertMenuItemW(m_hMenu, uItem, fByPos, lpMenuItemInfo);
}

inline BOOL CMenu::RemoveMenu(UINT nPosition, UINT nFlags)
{
    ASSERT(::IsMenu(m_hMenu));
    return ::RemoveMenu(m_hMenu, nPosition, nFlags);
}

inline BOOL CMenu::DeleteMenu(UINT nPosition, UINT nFlags)
{
    ASSERT(::IsMenu(m_hMenu));
    return ::DeleteMenu(m_hMenu, nPosition, nFlags);
}

inline UINT CMenu::CheckMenuItem(UINT nIDCheckItem, UINT nCheck)
{
    ASSERT(::IsMenu(m_hMenu));
    return static_cast<UINT>(::CheckMenuItem(m_hMenu, nIDCheckItem, nCheck));
}

inline UINT CMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable)
{
    ASSERT(::IsMenu(m_hMenu));
    return static_cast<UINT>(::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable));
}

inline BOOL CMenu::CheckMenuRadioItem(UINT nIDFirst, UINT nIDLast, UINT nIDItem, UINT nFlags)
{
    ASSERT(::IsMenu(m_hMenu));
    return ::CheckMenuRadioItem(m_hMenu, nIDFirst, nIDLast, nIDItem, nFlags);
}

inline BOOL CMenu::SetDefaultItem(UINT uItem, BOOL fByPos)
{
    ASSERT(::IsMenu(m_hMenu));
    return ::SetMenuDefaultItem(m_hMenu, uItem, fByPos);
}

inline UINT CMenu::GetDefaultItem(UINT gmdiFlags, BOOL fByPos)
{
    ASSERT(::IsMenu(m_hMenu));
    return ::GetMenuDefaultItem(m_hMenu, static_cast<UINT>(fByPos), gmdiFlags);
}

inline int CMenu::GetMenuItemCount() const
{
    ASSERT(::IsMenu(m_hMenu));
    return ::GetMenuItemCount(m_hMenu);
}

inline UINT CMenu::GetMenuItemID(int nPos) const
{
    ASSERT(::IsMenu(m_hMenu));
    return ::GetMenuItemID(m_hMenu, nPos);
}

inline UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const
{
    ASSERT(::IsMenu(m_hMenu));
    return ::GetMenuState(m_hMenu, nID, nFlags);
}

inline int CMenu::GetMenuString(UINT nIDItem, LPTSTR lpString, int nMaxCount, UINT nFlags) const
{
    ASSERT(::IsMenu(m_hMenu));
    return ::GetMenuStringW(m_hMenu, nIDItem, lpString, nMaxCount, nFlags);
}

inline BOOL CMenu::GetMenuItemInfo(UINT uItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos)
{
    ASSERT(::IsMenu(m_hMenu));
    return ::GetMenuItemInfoW(m_hMenu, uItem, fByPos, lpMenuItemInfo);
}

inline BOOL CMenu::SetMenuItemInfo(UINT uItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos)
{
    ASSERT(::IsMenu(m_hMenu));
    return ::SetMenuItemInfoW(m_hMenu, uItem, fByPos, lpMenuItemInfo);
}

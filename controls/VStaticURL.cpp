#include "controls/VStaticURL.h"

#include <afxole.h>
#include <shellapi.h>

#include <cstring>
#include <cwchar>
#include <new>

namespace
{
constexpr UINT kOpenCommand = 32800;
constexpr UINT kCopyCommand = 32801;
constexpr COLORREF kLinkColour = RGB(0, 0, 238);
} // namespace

BEGIN_MESSAGE_MAP(VStaticURL, CStatic)
ON_WM_CTLCOLOR_REFLECT()
ON_WM_SETCURSOR()
ON_CONTROL_REFLECT(STN_CLICKED, OnClicked)
ON_WM_CONTEXTMENU()
ON_COMMAND(kOpenCommand, OnClicked)
ON_COMMAND(kCopyCommand, OnURLContextCopy)
END_MESSAGE_MAP()

VStaticURL::VStaticURL(wchar_t const* url, int cursorID)
    : m_hCursor(nullptr), m_strURL(url), m_nCursorID(cursorID)
{
}

VStaticURL::VStaticURL(UINT urlStringID, int cursorID) : m_hCursor(nullptr), m_nCursorID(cursorID)
{
    m_strURL.LoadString(urlStringID);
}

VStaticURL::~VStaticURL() = default;

HBRUSH VStaticURL::CtlColor(CDC* pDC, UINT)
{
    pDC->SetTextColor(kLinkColour);
    pDC->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

void VStaticURL::PreSubclassWindow()
{
    ModifyStyle(0, SS_NOTIFY);
    if (!m_hCursor)
    {
        LPCTSTR lpszName = MAKEINTRESOURCE(m_nCursorID);
        m_hCursor = ::LoadCursorW(AfxFindResourceHandle(lpszName, RT_GROUP_CURSOR), lpszName);
    }
    CStatic::PreSubclassWindow();
}

BOOL VStaticURL::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_hCursor && nHitTest == HTCLIENT)
    {
        ::SetCursor(m_hCursor);
        return TRUE;
    }
    return CStatic::OnSetCursor(pWnd, nHitTest, message);
}

void VStaticURL::OnClicked()
{
    OpenURLWithoutConfig(m_strURL);
}

void VStaticURL::OnContextMenu(CWnd*, CPoint)
{
    POINT cursor;
    if (!::GetCursorPos(&cursor))
        return;
    CMenu menu;
    if (!menu.CreatePopupMenu())
        return;
    menu.AppendMenu(MF_STRING, kOpenCommand, L"&Open");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, kCopyCommand, L"Copy Shor&tcut");
    menu.SetDefaultItem(kOpenCommand);
    menu.TrackPopupMenu(TPM_RIGHTBUTTON, cursor.x, cursor.y, this);
    menu.DestroyMenu();
}

void VStaticURL::OnURLContextCopy()
{
    CopyTextToClipboard(m_strURL);
}

void OpenURLWithoutConfig(wchar_t const* url)
{
    HINSTANCE hResult = ::ShellExecuteW(nullptr, L"open", url, nullptr, nullptr, SW_SHOW);
    if (reinterpret_cast<INT_PTR>(hResult) <= 32)
        ::MessageBeep(MB_ICONEXCLAMATION);
}

bool CopyTextToClipboard(wchar_t const* text)
{
    if (!text)
        return false;
    const size_t bytes = (std::wcslen(text) + 1) * sizeof(wchar_t);
    HGLOBAL hText = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_SHARE, bytes);
    if (!hText)
    {
        TRACE(L"ERROR: GlobalAlloc() failed in ::CopyTextToClipboard().\n");
        return false;
    }
    void* pText = ::GlobalLock(hText);
    if (!pText)
    {
        TRACE(L"ERROR: GlobalLock() failed in ::CopyTextToClipboard().\n");
        ::GlobalFree(hText);
        return false;
    }
    std::memcpy(pText, text, bytes);
    ::GlobalUnlock(hText);

    COleDataSource* pSource = nullptr;
    try
    {
        pSource = new COleDataSource;
    }
    catch (CException* e)
    {
        e->Delete();
        ::GlobalFree(hText);
        return false;
    }
    catch (const std::bad_alloc&)
    {
        ::GlobalFree(hText);
        return false;
    }
    try
    {
        pSource->CacheGlobalData(CF_UNICODETEXT, hText); // the source owns the memory from here on
        pSource->SetClipboard();
    }
    catch (CException* e)
    {
        e->Delete();
        pSource->InternalRelease();
        return false;
    }
    return true;
}

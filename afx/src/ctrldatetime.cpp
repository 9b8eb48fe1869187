// CDateTimeCtrl and its data exchange.
#include "wndstate.h"

#include <afxcmn.h>

IMPLEMENT_DYNAMIC(CDateTimeCtrl, CWnd)

CDateTimeCtrl::CDateTimeCtrl() = default;

CDateTimeCtrl::~CDateTimeCtrl() = default;

BOOL CDateTimeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    afximpl::InitCommonControls(ICC_DATE_CLASSES);
    return CWnd::Create(DATETIMEPICK_CLASSW, nullptr, dwStyle, rect, pParentWnd, nID);
}

DWORD CDateTimeCtrl::GetTime(CTime& timeDest) const
{
    SYSTEMTIME st = {};
    DWORD dwResult = GetTime(&st);
    if (dwResult == GDT_VALID)
    {
        timeDest = CTime(st);
    }
    return dwResult;
}

BOOL CDateTimeCtrl::SetTime(const CTime* pTimeNew)
{
    if (pTimeNew == nullptr)
    {
        return SetTime(static_cast<LPSYSTEMTIME>(nullptr));
    }
    SYSTEMTIME st = {};
    if (!pTimeNew->GetAsSystemTime(st))
    {
        return FALSE;
    }
    return SetTime(&st);
}

BOOL CDateTimeCtrl::SetRange(const CTime* pMinRange, const CTime* pMaxRange)
{
    ASSERT(::IsWindow(m_hWnd));
    SYSTEMTIME range[2] = {};
    WPARAM flags = 0;
    if (pMinRange != nullptr && pMinRange->GetAsSystemTime(range[0]))
    {
        flags |= GDTR_MIN;
    }
    if (pMaxRange != nullptr && pMaxRange->GetAsSystemTime(range[1]))
    {
        flags |= GDTR_MAX;
    }
    return static_cast<BOOL>(::SendMessageW(m_hWnd, DTM_SETRANGE, flags, reinterpret_cast<LPARAM>(range)));
}

DWORD CDateTimeCtrl::GetRange(CTime* pMinRange, CTime* pMaxRange) const
{
    ASSERT(::IsWindow(m_hWnd));
    SYSTEMTIME range[2] = {};
    auto dwResult =
        static_cast<DWORD>(::SendMessageW(m_hWnd, DTM_GETRANGE, 0, reinterpret_cast<LPARAM>(range)));
    if (pMinRange != nullptr && (dwResult & GDTR_MIN) != 0)
    {
        *pMinRange = CTime(range[0]);
    }
    if (pMaxRange != nullptr && (dwResult & GDTR_MAX) != 0)
    {
        *pMaxRange = CTime(range[1]);
    }
    return dwResult;
}

void AFXAPI DDX_DateTimeCtrl(CDataExchange* pDX, int nIDC, CTime& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    SYSTEMTIME st = {};
    if (pDX->m_bSaveAndValidate)
    {
        if (::SendMessageW(hWndCtrl, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)) == GDT_VALID)
        {
            value = CTime(st);
        }
    }
    else if (value.GetAsSystemTime(st))
    {
        ::SendMessageW(hWndCtrl, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
    }
}

void AFXAPI DDX_DateTimeCtrl(CDataExchange* pDX, int nIDC, FILETIME& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    SYSTEMTIME local = {};
    SYSTEMTIME utc = {};
    if (pDX->m_bSaveAndValidate)
    {
        LRESULT result = ::SendMessageW(hWndCtrl, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&local));
        if (result == GDT_NONE)
        {
            value = FILETIME{};
        }
        else if (result == GDT_VALID && ::TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc))
        {
            ::SystemTimeToFileTime(&utc, &value);
        }
    }
    else if (::FileTimeToSystemTime(&value, &utc) && ::SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local))
    {
        ::SendMessageW(hWndCtrl, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&local));
    }
}

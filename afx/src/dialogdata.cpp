// Dialog data exchange and validation.
#include "wndstate.h"

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <climits>
#include <cwchar>
#include <cwctype>

namespace
{
const wchar_t kPromptInteger[] = L"Please enter an integer.";
const wchar_t kPromptPositiveInteger[] = L"Please enter a positive integer.";
const wchar_t kPromptIntegerRange[] = L"Please enter an integer between %s and %s.";
const wchar_t kPromptMaxChars[] = L"Please enter no more than %d characters.";
const wchar_t kPromptNumber[] = L"Please enter a number.";
const wchar_t kPromptNumberRange[] = L"Please enter a number between %s and %s.";

CString WindowText(HWND hWnd)
{
    CString text;
    int nLength = ::GetWindowTextLengthW(hWnd);
    int nCopied = ::GetWindowTextW(hWnd, text.GetBufferSetLength(nLength), nLength + 1);
    text.ReleaseBuffer(nCopied);
    return text;
}

// A whole decimal number, blanks around it allowed; false for anything else, and for a number outside
// the range.
bool ParseSigned(const CString& text, long long minValue, long long maxValue, long long& value)
{
    const wchar_t* p = text.GetString();
    while (iswspace(*p))
    {
        ++p;
    }
    if (*p == L'\0')
    {
        return false;
    }
    wchar_t* pEnd = nullptr;
    errno = 0;
    long long parsed = wcstoll(p, &pEnd, 10);
    if (pEnd == p || errno == ERANGE)
    {
        return false;
    }
    while (iswspace(*pEnd))
    {
        ++pEnd;
    }
    if (*pEnd != L'\0' || parsed < minValue || parsed > maxValue)
    {
        return false;
    }
    value = parsed;
    return true;
}

bool ParseUnsigned(const CString& text, unsigned long long maxValue, unsigned long long& value)
{
    const wchar_t* p = text.GetString();
    while (iswspace(*p))
    {
        ++p;
    }
    // wcstoull would take a minus sign and wrap round.
    if (*p == L'\0' || *p == L'-')
    {
        return false;
    }
    wchar_t* pEnd = nullptr;
    errno = 0;
    unsigned long long parsed = wcstoull(p, &pEnd, 10);
    if (pEnd == p || errno == ERANGE)
    {
        return false;
    }
    while (iswspace(*pEnd))
    {
        ++pEnd;
    }
    if (*pEnd != L'\0' || parsed > maxValue)
    {
        return false;
    }
    value = parsed;
    return true;
}

// A decimal number in the C library's form, blanks around it allowed; NaN and infinities are not numbers a
// user means to type.
bool ParseDouble(const CString& text, double& value)
{
    const wchar_t* p = text.GetString();
    wchar_t* pEnd = nullptr;
    errno = 0;
    const double parsed = wcstod(p, &pEnd);
    if (pEnd == p || errno == ERANGE || !std::isfinite(parsed))
    {
        return false;
    }
    while (iswspace(*pEnd))
    {
        ++pEnd;
    }
    if (*pEnd != L'\0')
    {
        return false;
    }
    value = parsed;
    return true;
}

// Enough digits that a value read back is the value written.
CString FormatDouble(double value)
{
    CString text;
    text.Format(L"%.*g", DBL_DIG, value);
    return text;
}

[[noreturn]] void FailWith(CDataExchange* pDX, LPCTSTR lpszPrompt)
{
    AfxMessageBox(lpszPrompt, MB_OK | MB_ICONEXCLAMATION);
    pDX->Fail();
}

template <class T>
void ExchangeSigned(CDataExchange* pDX, int nIDC, T& value, long long minValue, long long maxValue)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        long long parsed = 0;
        if (!ParseSigned(WindowText(hWndCtrl), minValue, maxValue, parsed))
        {
            FailWith(pDX, kPromptInteger);
        }
        value = static_cast<T>(parsed);
    }
    else
    {
        CString text;
        text.Format(L"%lld", static_cast<long long>(value));
        AfxSetWindowText(hWndCtrl, text);
    }
}

template <class T> void ExchangeUnsigned(CDataExchange* pDX, int nIDC, T& value, unsigned long long maxValue)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        unsigned long long parsed = 0;
        if (!ParseUnsigned(WindowText(hWndCtrl), maxValue, parsed))
        {
            FailWith(pDX, kPromptPositiveInteger);
        }
        value = static_cast<T>(parsed);
    }
    else
    {
        CString text;
        text.Format(L"%llu", static_cast<unsigned long long>(value));
        AfxSetWindowText(hWndCtrl, text);
    }
}

// Only when saving: a value loaded into the dialog out of range is the program's business, not the user's.
void FailOutOfRange(CDataExchange* pDX, const CString& minText, const CString& maxText)
{
    if (!pDX->m_bSaveAndValidate)
    {
        TRACE(L"Dialog data out of range (%s to %s) when loading; left as it is.\n", minText.GetString(),
              maxText.GetString());
        return;
    }
    CString prompt;
    prompt.Format(kPromptIntegerRange, minText.GetString(), maxText.GetString());
    FailWith(pDX, prompt);
}

template <class T> void ValidateSignedRange(CDataExchange* pDX, T value, T minVal, T maxVal)
{
    if (value < minVal || value > maxVal)
    {
        CString minText;
        CString maxText;
        minText.Format(L"%lld", static_cast<long long>(minVal));
        maxText.Format(L"%lld", static_cast<long long>(maxVal));
        FailOutOfRange(pDX, minText, maxText);
    }
}

template <class T> void ValidateUnsignedRange(CDataExchange* pDX, T value, T minVal, T maxVal)
{
    if (value < minVal || value > maxVal)
    {
        CString minText;
        CString maxText;
        minText.Format(L"%llu", static_cast<unsigned long long>(minVal));
        maxText.Format(L"%llu", static_cast<unsigned long long>(maxVal));
        FailOutOfRange(pDX, minText, maxText);
    }
}
} // namespace

/////////////////////////////////////////////////////////////////////////////
// CDataExchange

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd), m_hWndLastControl(nullptr),
      m_bEditLastControl(FALSE), m_idLastControl(0)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hWndCtrl = nullptr;
    if (nIDC != 0 && nIDC != -1)
    {
        m_pDlgWnd->GetDlgItem(nIDC, &hWndCtrl);
    }
    if (hWndCtrl == nullptr)
    {
        TRACE(L"Dialog data exchange: the dialog has no control with id %d.\n", nIDC);
        AfxThrowNotSupportedException();
    }
    m_hWndLastControl = hWndCtrl;
    m_idLastControl = static_cast<UINT>(nIDC);
    m_bEditLastControl = FALSE;
    return hWndCtrl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hWndCtrl = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWndCtrl;
}

void CDataExchange::Fail()
{
    if (!m_bSaveAndValidate)
    {
        TRACE(L"CDataExchange::Fail while loading the dialog.\n");
    }
    else if (m_hWndLastControl != nullptr)
    {
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl)
        {
            ::SendMessageW(m_hWndLastControl, EM_SETSEL, 0, -1);
        }
    }
    AfxThrowUserException();
}

void AFXAPI AfxSetWindowText(HWND hWndCtrl, LPCTSTR lpszNew)
{
    if (lpszNew == nullptr)
    {
        lpszNew = L"";
    }
    if (WindowText(hWndCtrl) != lpszNew)
    {
        ::SetWindowTextW(hWndCtrl, lpszNew);
    }
}

/////////////////////////////////////////////////////////////////////////////
// DDX_

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        value = WindowText(hWndCtrl);
    }
    else
    {
        AfxSetWindowText(hWndCtrl, value);
    }
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, LPTSTR value, int nMaxLen)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        ::GetWindowTextW(hWndCtrl, value, nMaxLen);
    }
    else
    {
        ::SendMessageW(hWndCtrl, EM_LIMITTEXT, static_cast<WPARAM>(nMaxLen - 1), 0);
        AfxSetWindowText(hWndCtrl, value);
    }
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    ExchangeSigned(pDX, nIDC, value, INT_MIN, INT_MAX);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    ExchangeUnsigned(pDX, nIDC, value, UINT_MAX);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, long& value)
{
    ExchangeSigned(pDX, nIDC, value, LONG_MIN, LONG_MAX);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value)
{
    ExchangeUnsigned(pDX, nIDC, value, ULONG_MAX);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, short& value)
{
    ExchangeSigned(pDX, nIDC, value, SHRT_MIN, SHRT_MAX);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, double& value)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        if (!ParseDouble(WindowText(hWndCtrl), value))
        {
            FailWith(pDX, kPromptNumber);
        }
    }
    else
    {
        AfxSetWindowText(hWndCtrl, FormatDouble(value));
    }
}

void AFXAPI DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal))
    {
        CString prompt;
        prompt.Format(kPromptNumberRange, FormatDouble(minVal).GetString(), FormatDouble(maxVal).GetString());
        FailWith(pDX, prompt);
    }
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value)
{
    ExchangeUnsigned(pDX, nIDC, value, UCHAR_MAX);
}

void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        value = static_cast<int>(::SendMessageW(hWndCtrl, BM_GETCHECK, 0, 0));
    }
    else
    {
        if (value < 0 || value > 2)
        {
            TRACE(L"DDX_Check: value %d for control %d is not a check state; shown unchecked.\n", value,
                  nIDC);
            value = 0;
        }
        ::SendMessageW(hWndCtrl, BM_SETCHECK, static_cast<WPARAM>(value), 0);
    }
}

void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        value = -1;
    }
    // The group runs from the first button to the next control with WS_GROUP.
    int nButton = 0;
    do
    {
        if ((::SendMessageW(hWndCtrl, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) != 0)
        {
            if (pDX->m_bSaveAndValidate)
            {
                if (value == -1 && ::SendMessageW(hWndCtrl, BM_GETCHECK, 0, 0) != BST_UNCHECKED)
                {
                    value = nButton;
                }
            }
            else
            {
                ::SendMessageW(hWndCtrl, BM_SETCHECK, nButton == value ? BST_CHECKED : BST_UNCHECKED, 0);
            }
            ++nButton;
        }
        hWndCtrl = ::GetWindow(hWndCtrl, GW_HWNDNEXT);
    } while (hWndCtrl != nullptr && (::GetWindowLongW(hWndCtrl, GWL_STYLE) & WS_GROUP) == 0);
}

void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd != nullptr)
    {
        return;
    }
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(hWndCtrl))
    {
        TRACE(L"DDX_Control: control %d cannot be subclassed (it may belong to another object).\n", nIDC);
        AfxThrowNotSupportedException();
    }
}

void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        index = static_cast<int>(::SendMessageW(hWndCtrl, CB_GETCURSEL, 0, 0));
    }
    else
    {
        ::SendMessageW(hWndCtrl, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
}

namespace
{
HWND PrepareComboText(CDataExchange* pDX, int nIDC)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    // A combo box with an edit part gets its text selected on failure, as an edit control does.
    if ((::GetWindowLongW(hWndCtrl, GWL_STYLE) & CBS_DROPDOWNLIST) != CBS_DROPDOWNLIST)
    {
        pDX->m_bEditLastControl = TRUE;
    }
    return hWndCtrl;
}

// The edit text, or for a drop list the selected item's text (which GetWindowTextLength may not know).
CString ComboText(HWND hWndCtrl)
{
    CString text = WindowText(hWndCtrl);
    if (text.IsEmpty())
    {
        auto nSel = static_cast<int>(::SendMessageW(hWndCtrl, CB_GETCURSEL, 0, 0));
        auto nLength =
            nSel != CB_ERR ? static_cast<int>(::SendMessageW(hWndCtrl, CB_GETLBTEXTLEN, nSel, 0)) : 0;
        if (nLength > 0)
        {
            auto nCopied = static_cast<int>(::SendMessageW(
                hWndCtrl, CB_GETLBTEXT, nSel, reinterpret_cast<LPARAM>(text.GetBufferSetLength(nLength))));
            text.ReleaseBuffer(nCopied > 0 ? nCopied : 0);
        }
    }
    return text;
}
} // namespace

void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = PrepareComboText(pDX, nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        value = ComboText(hWndCtrl);
    }
    else if (::SendMessageW(hWndCtrl, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                            reinterpret_cast<LPARAM>(value.GetString())) == CB_ERR)
    {
        // No item begins with the value: it goes into the edit part (a drop list ignores it).
        AfxSetWindowText(hWndCtrl, value);
    }
}

void AFXAPI DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = PrepareComboText(pDX, nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        value = ComboText(hWndCtrl);
        return;
    }
    LRESULT nIndex = ::SendMessageW(hWndCtrl, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                    reinterpret_cast<LPARAM>(value.GetString()));
    if (nIndex != CB_ERR)
    {
        ::SendMessageW(hWndCtrl, CB_SETCURSEL, static_cast<WPARAM>(nIndex), 0);
    }
    else
    {
        AfxSetWindowText(hWndCtrl, value);
    }
}

void AFXAPI DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        index = static_cast<int>(::SendMessageW(hWndCtrl, LB_GETCURSEL, 0, 0));
    }
    else
    {
        ::SendMessageW(hWndCtrl, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
}

void AFXAPI DDX_LBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        value.Empty();
        auto nSel = static_cast<int>(::SendMessageW(hWndCtrl, LB_GETCURSEL, 0, 0));
        auto nLength =
            nSel != LB_ERR ? static_cast<int>(::SendMessageW(hWndCtrl, LB_GETTEXTLEN, nSel, 0)) : 0;
        if (nLength > 0)
        {
            auto nCopied = static_cast<int>(::SendMessageW(
                hWndCtrl, LB_GETTEXT, nSel, reinterpret_cast<LPARAM>(value.GetBufferSetLength(nLength))));
            value.ReleaseBuffer(nCopied > 0 ? nCopied : 0);
        }
    }
    else if (::SendMessageW(hWndCtrl, LB_SELECTSTRING, static_cast<WPARAM>(-1),
                            reinterpret_cast<LPARAM>(value.GetString())) == LB_ERR)
    {
        ::SendMessageW(hWndCtrl, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    }
}

/////////////////////////////////////////////////////////////////////////////
// DDV_

void AFXAPI DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
{
    if (pDX->m_bSaveAndValidate)
    {
        if (value.GetLength() > nChars)
        {
            CString prompt;
            prompt.Format(kPromptMaxChars, nChars);
            FailWith(pDX, prompt);
        }
    }
    else if (pDX->m_hWndLastControl != nullptr && pDX->m_bEditLastControl)
    {
        // One of the two applies, the other is ignored by the control.
        ::SendMessageW(pDX->m_hWndLastControl, EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0);
        ::SendMessageW(pDX->m_hWndLastControl, CB_LIMITTEXT, static_cast<WPARAM>(nChars), 0);
    }
}

void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    ValidateSignedRange(pDX, value, minVal, maxVal);
}

void AFXAPI DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal)
{
    ValidateUnsignedRange(pDX, value, minVal, maxVal);
}

void AFXAPI DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal)
{
    ValidateSignedRange(pDX, value, minVal, maxVal);
}

void AFXAPI DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal)
{
    ValidateUnsignedRange(pDX, value, minVal, maxVal);
}

void AFXAPI DDV_MinMaxShort(CDataExchange* pDX, short value, short minVal, short maxVal)
{
    ValidateSignedRange(pDX, value, minVal, maxVal);
}

void AFXAPI DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal)
{
    ValidateUnsignedRange(pDX, value, minVal, maxVal);
}

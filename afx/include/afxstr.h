// CString: reference-counted, copy-on-write strings of wide (CStringW = CString) or narrow (CStringA)
// characters. Narrow text converts through the ANSI code page.
#pragma once

#ifndef AFX_UMBRELLA_AFX_H
#error This header is part of <afx.h>; include that instead.
#endif

#include "afxformatarg_.h"

#include <cstdarg>

template <typename BaseType> class CStringT
{
public:
    typedef BaseType XCHAR;
    typedef BaseType* PXSTR;
    typedef const BaseType* PCXSTR;
    // The other character width, converted through the ANSI code page.
    typedef std::conditional_t<std::is_same_v<BaseType, wchar_t>, char, wchar_t> YCHAR;
    typedef YCHAR* PYSTR;
    typedef const YCHAR* PCYSTR;

    // Construction. Null pointers give an empty string.
    CStringT() noexcept;
    CStringT(const CStringT& strSrc);
    CStringT(CStringT&& strSrc) noexcept;
    CStringT(const CStringT<YCHAR>& strSrc);
    CStringT(PCXSTR pszSrc);
    CStringT(PCXSTR pchSrc, int nLength);
    CStringT(PCYSTR pszSrc);
    CStringT(PCYSTR pchSrc, int nLength);
    CStringT(XCHAR ch, int nRepeat = 1);
    CStringT(YCHAR ch, int nRepeat = 1);
    ~CStringT();

    CStringT& operator=(const CStringT& strSrc);
    CStringT& operator=(CStringT&& strSrc) noexcept;
    CStringT& operator=(const CStringT<YCHAR>& strSrc);
    CStringT& operator=(PCXSTR pszSrc);
    CStringT& operator=(PCYSTR pszSrc);
    CStringT& operator=(XCHAR ch);
    CStringT& operator=(YCHAR ch);

    CStringT& operator+=(const CStringT& str);
    CStringT& operator+=(PCXSTR pszSrc);
    CStringT& operator+=(PCYSTR pszSrc);
    CStringT& operator+=(XCHAR ch);
    CStringT& operator+=(YCHAR ch);

    // Length and characters. Indexing the terminating zero is allowed for reading; any other index out of
    // range throws CInvalidArgException.
    int GetLength() const noexcept;
    BOOL IsEmpty() const noexcept;
    void Empty() noexcept;
    XCHAR GetAt(int iChar) const;
    void SetAt(int iChar, XCHAR ch);
    XCHAR operator[](int iChar) const { return GetAt(iChar); }
    PCXSTR GetString() const noexcept { return m_pszData; }
    operator PCXSTR() const noexcept { return m_pszData; }
    void SetString(PCXSTR pszSrc);
    void SetString(PCXSTR pchSrc, int nLength);
    void Append(PCXSTR pszSrc);
    void Append(PCXSTR pchSrc, int nLength);
    void Append(const CStringT& strSrc);
    void AppendChar(XCHAR ch);

    // Direct access to the buffer. GetBuffer gives this string its own copy first, so writing through the
    // pointer never changes another string that shared the text; ReleaseBuffer must follow before any other
    // member is used. A locked buffer (LockBuffer) is never shared: copies of it get their own text.
    PXSTR GetBuffer();
    PXSTR GetBuffer(int nMinBufferLength);
    PXSTR GetBufferSetLength(int nLength);
    void ReleaseBuffer(int nNewLength = -1);
    void ReleaseBufferSetLength(int nNewLength);
    PXSTR LockBuffer();
    void UnlockBuffer() noexcept;
    int GetAllocLength() const noexcept;
    void Preallocate(int nLength);
    void FreeExtra();
    void Truncate(int nNewLength);

    // Comparison: ordinal (Compare), case-insensitive (CompareNoCase), by the current locale (Collate*).
    int Compare(PCXSTR psz) const;
    int CompareNoCase(PCXSTR psz) const;
    int Collate(PCXSTR psz) const;
    int CollateNoCase(PCXSTR psz) const;

    // Searching: zero-based positions, -1 when not found or when iStart lies beyond the text.
    int Find(XCHAR ch, int iStart = 0) const noexcept;
    int Find(PCXSTR pszSub, int iStart = 0) const noexcept;
    int ReverseFind(XCHAR ch) const noexcept;
    int FindOneOf(PCXSTR pszCharSet) const noexcept;

    // Extraction: counts and positions are clamped to the text, never an error.
    CStringT Left(int nCount) const;
    CStringT Mid(int iFirst) const;
    CStringT Mid(int iFirst, int nCount) const;
    CStringT Right(int nCount) const;
    CStringT SpanIncluding(PCXSTR pszCharSet) const;
    CStringT SpanExcluding(PCXSTR pszCharSet) const;
    CStringT Tokenize(PCXSTR pszTokens, int& iStart) const;

    // Modification in place; each returns the string so calls can be chained.
    CStringT& MakeUpper();
    CStringT& MakeLower();
    CStringT& MakeReverse();
    CStringT& Trim();
    CStringT& Trim(XCHAR chTarget);
    CStringT& Trim(PCXSTR pszTargets);
    CStringT& TrimLeft();
    CStringT& TrimLeft(XCHAR chTarget);
    CStringT& TrimLeft(PCXSTR pszTargets);
    CStringT& TrimRight();
    CStringT& TrimRight(XCHAR chTarget);
    CStringT& TrimRight(PCXSTR pszTargets);

    // Return the number of replacements or removals, or the new length.
    int Replace(XCHAR chOld, XCHAR chNew);
    int Replace(PCXSTR pszOld, PCXSTR pszNew);
    int Remove(XCHAR chRemove);
    int Insert(int iIndex, XCHAR ch);
    int Insert(int iIndex, PCXSTR psz);
    int Delete(int iIndex, int nCount = 1);

    // printf-style formatting with the C runtime's Windows conventions: in a CStringW %s takes a wide
    // string and %S a narrow one, in a CStringA the other way round. CString arguments may be passed as
    // they are.
    template <typename... Args> void Format(PCXSTR pszFormat, const Args&... args)
    {
        FormatArgs(pszFormat, afxdetail::FormatArg(args)...);
    }
    template <typename... Args> void AppendFormat(PCXSTR pszFormat, const Args&... args)
    {
        AppendFormatArgs(pszFormat, afxdetail::FormatArg(args)...);
    }
    // FormatMessage-style inserts ("%1", "%2!d!"). Throws CMemoryException when the system call produces
    // no text, as MFC does.
    template <typename... Args> void FormatMessage(PCXSTR pszFormat, const Args&... args)
    {
        FormatMessageArgs(pszFormat, afxdetail::FormatArg(args)...);
    }
    void FormatV(PCXSTR pszFormat, va_list args);
    void AppendFormatV(PCXSTR pszFormat, va_list args);
    void FormatMessageV(PCXSTR pszFormat, va_list* pArgList);

    // String resources. LoadString(nID) takes the string from the first module of the resource chain
    // (AfxFindStringResourceHandle) that has it; both forms leave the string unchanged and return FALSE
    // when there is no such string. Constructing or assigning from MAKEINTRESOURCE(nID) loads string nID
    // the same way, giving an empty string when there is none.
    BOOL LoadString(UINT nID);
    BOOL LoadString(HINSTANCE hInstance, UINT nID);
    // Format and FormatMessage with the format text taken from string nFormatID; CInvalidArgException when
    // there is no such string.
    template <typename... Args> void Format(UINT nFormatID, const Args&... args)
    {
        CStringT strFormat;
        strFormat.LoadFormatString(nFormatID);
        FormatArgs(strFormat.GetString(), afxdetail::FormatArg(args)...);
    }
    template <typename... Args> void FormatMessage(UINT nFormatID, const Args&... args)
    {
        CStringT strFormat;
        strFormat.LoadFormatString(nFormatID);
        FormatMessageArgs(strFormat.GetString(), afxdetail::FormatArg(args)...);
    }

    friend CStringT operator+(const CStringT& str1, const CStringT& str2) { return Concat(str1, str2); }
    friend CStringT operator+(const CStringT& str1, PCXSTR psz2) { return Concat(str1, psz2); }
    friend CStringT operator+(PCXSTR psz1, const CStringT& str2) { return Concat(psz1, str2); }
    friend CStringT operator+(const CStringT& str1, XCHAR ch2) { return Concat(str1, CStringT(ch2)); }
    friend CStringT operator+(XCHAR ch1, const CStringT& str2) { return Concat(CStringT(ch1), str2); }

    friend bool operator==(const CStringT& str1, const CStringT& str2) { return str1.Compare(str2) == 0; }
    friend bool operator==(const CStringT& str1, PCXSTR psz2) { return str1.Compare(psz2) == 0; }
    friend bool operator==(PCXSTR psz1, const CStringT& str2) { return str2.Compare(psz1) == 0; }
    friend bool operator==(const CStringT& str1, PCYSTR psz2) { return str1.Compare(CStringT(psz2)) == 0; }
    friend bool operator==(PCYSTR psz1, const CStringT& str2) { return str2.Compare(CStringT(psz1)) == 0; }
    friend bool operator!=(const CStringT& str1, const CStringT& str2) { return !(str1 == str2); }
    friend bool operator!=(const CStringT& str1, PCXSTR psz2) { return !(str1 == psz2); }
    friend bool operator!=(PCXSTR psz1, const CStringT& str2) { return !(psz1 == str2); }
    friend bool operator!=(const CStringT& str1, PCYSTR psz2) { return !(str1 == psz2); }
    friend bool operator!=(PCYSTR psz1, const CStringT& str2) { return !(psz1 == str2); }
    friend bool operator<(const CStringT& str1, const CStringT& str2) { return str1.Compare(str2) < 0; }
    friend bool operator<(const CStringT& str1, PCXSTR psz2) { return str1.Compare(psz2) < 0; }
    friend bool operator<(PCXSTR psz1, const CStringT& str2) { return str2.Compare(psz1) > 0; }
    friend bool operator>(const CStringT& str1, const CStringT& str2) { return str1.Compare(str2) > 0; }
    friend bool operator>(const CStringT& str1, PCXSTR psz2) { return str1.Compare(psz2) > 0; }
    friend bool operator>(PCXSTR psz1, const CStringT& str2) { return str2.Compare(psz1) < 0; }
    friend bool operator<=(const CStringT& str1, const CStringT& str2) { return str1.Compare(str2) <= 0; }
    friend bool operator<=(const CStringT& str1, PCXSTR psz2) { return str1.Compare(psz2) <= 0; }
    friend bool operator<=(PCXSTR psz1, const CStringT& str2) { return str2.Compare(psz1) >= 0; }
    friend bool operator>=(const CStringT& str1, const CStringT& str2) { return str1.Compare(str2) >= 0; }
    friend bool operator>=(const CStringT& str1, PCXSTR psz2) { return str1.Compare(psz2) >= 0; }
    friend bool operator>=(PCXSTR psz1, const CStringT& str2) { return str2.Compare(psz1) <= 0; }

private:
    void LoadFormatString(UINT nFormatID);
    // Text given as MAKEINTRESOURCE(nID): the string loaded, or empty when there is none.
    void LoadResourceId(const void* pId);
    void AFX_CDECL FormatArgs(PCXSTR pszFormat, ...);
    void AFX_CDECL AppendFormatArgs(PCXSTR pszFormat, ...);
    void AFX_CDECL FormatMessageArgs(PCXSTR pszFormat, ...);
    static CStringT Concat(const CStringT& str1, const CStringT& str2);

    // Points at the text; the shared, reference-counted header sits just before it.
    PXSTR m_pszData;
};

typedef CStringT<wchar_t> CStringW;
typedef CStringT<char> CStringA;
typedef CStringW CString;

// Both widths are compiled once, in the stand-in DLL.
#ifdef AFX_BUILD
extern template class AFX_API CStringT<wchar_t>;
extern template class AFX_API CStringT<char>;
#endif

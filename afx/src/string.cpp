// CStringT for both character widths.
#include "afx.h"
#include "afximpl.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <cwctype>
#include <cctype>
#include <cstddef>
#include <string>

namespace
{
// Precedes the characters of every string. nRefs counts the strings sharing the text; -1 marks a locked
// buffer, which belongs to one string only.
struct CStringData
{
    volatile LONG nRefs;
    int nDataLength;  // characters, without the terminator
    int nAllocLength; // room for characters, without the terminator
};

// The empty string all empty CStrings share. It is never written, never counted and never freed; being
// constant-initialised it is there before any static constructor of any module runs.
template <typename XCHAR> struct NilString
{
    CStringData header;
    XCHAR terminator;
};
NilString<wchar_t> nilW = {{2, 0, 0}, 0};
NilString<char> nilA = {{2, 0, 0}, 0};
static_assert(offsetof(NilString<wchar_t>, terminator) == sizeof(CStringData),
              "nil text must follow its header");
static_assert(offsetof(NilString<char>, terminator) == sizeof(CStringData),
              "nil text must follow its header");

template <typename XCHAR> CStringData* Nil();
template <> CStringData* Nil<wchar_t>()
{
    return &nilW.header;
}
template <> CStringData* Nil<char>()
{
    return &nilA.header;
}

template <typename XCHAR> XCHAR* TextOf(CStringData* pData)
{
    return reinterpret_cast<XCHAR*>(pData + 1);
}

template <typename XCHAR> CStringData* DataOf(const XCHAR* psz)
{
    return reinterpret_cast<CStringData*>(const_cast<XCHAR*>(psz)) - 1;
}

template <typename XCHAR> CStringData* Allocate(int nAllocLength)
{
    if (nAllocLength < 0)
    {
        AfxThrowInvalidArgException();
    }
    size_t bytes = sizeof(CStringData) + (static_cast<size_t>(nAllocLength) + 1) * sizeof(XCHAR);
    auto* pData = static_cast<CStringData*>(std::malloc(bytes));
    if (pData == nullptr)
    {
        AfxThrowMemoryException();
    }
    pData->nRefs = 1;
    pData->nDataLength = 0;
    pData->nAllocLength = nAllocLength;
    TextOf<XCHAR>(pData)[0] = 0;
    return pData;
}

template <typename XCHAR> void AddRef(CStringData* pData)
{
    if (pData != Nil<XCHAR>())
    {
        InterlockedIncrement(&pData->nRefs);
    }
}

template <typename XCHAR> void Release(CStringData* pData)
{
    if (pData == Nil<XCHAR>())
    {
        return;
    }
    if (pData->nRefs < 0 || InterlockedDecrement(&pData->nRefs) == 0)
    {
        std::free(pData);
    }
}

// Room for a string that grows to nLength: half as much again, so appending one piece at a time stays
// linear.
int GrownLength(int nOldAlloc, int nLength)
{
    long long grown = static_cast<long long>(nOldAlloc) + nOldAlloc / 2;
    if (grown < nLength)
    {
        grown = nLength;
    }
    return static_cast<int>(std::min<long long>(grown, INT_MAX - 64));
}

template <typename XCHAR> int Length(const XCHAR* psz)
{
    if (psz == nullptr)
    {
        return 0;
    }
    size_t n = std::char_traits<XCHAR>::length(psz);
    if (n > static_cast<size_t>(INT_MAX - 64))
    {
        AfxThrowMemoryException();
    }
    return static_cast<int>(n);
}

// A pointer that is really a resource id (MAKEINTRESOURCE) rather than text.
bool IsResourceId(const void* p)
{
    return p != nullptr && IS_INTRESOURCE(p);
}

int CompareOrdinal(const wchar_t* a, const wchar_t* b)
{
    return std::wcscmp(a, b);
}
int CompareOrdinal(const char* a, const char* b)
{
    return std::strcmp(a, b);
}
int CompareIgnoreCase(const wchar_t* a, const wchar_t* b)
{
    return _wcsicmp(a, b);
}
int CompareIgnoreCase(const char* a, const char* b)
{
    return _stricmp(a, b);
}
int CompareLocale(const wchar_t* a, const wchar_t* b)
{
    return std::wcscoll(a, b);
}
int CompareLocale(const char* a, const char* b)
{
    return std::strcoll(a, b);
}
int CompareLocaleIgnoreCase(const wchar_t* a, const wchar_t* b)
{
    return _wcsicoll(a, b);
}
int CompareLocaleIgnoreCase(const char* a, const char* b)
{
    return _stricoll(a, b);
}

wchar_t ToUpper(wchar_t c)
{
    return static_cast<wchar_t>(std::towupper(c));
}
char ToUpper(char c)
{
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}
wchar_t ToLower(wchar_t c)
{
    return static_cast<wchar_t>(std::towlower(c));
}
char ToLower(char c)
{
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}
bool IsSpace(wchar_t c)
{
    return std::iswspace(c) != 0;
}
bool IsSpace(char c)
{
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

template <typename XCHAR> bool Contains(const XCHAR* pszSet, XCHAR ch)
{
    for (; *pszSet != 0; ++pszSet)
    {
        if (*pszSet == ch)
        {
            return true;
        }
    }
    return false;
}

// Formatting through the C runtime's own (Windows-convention) printf family.
int FormattedLength(const wchar_t* pszFormat, va_list args)
{
    return _vscwprintf(pszFormat, args);
}
int FormattedLength(const char* pszFormat, va_list args)
{
    return _vscprintf(pszFormat, args);
}
void FormatInto(wchar_t* pszBuffer, int nLength, const wchar_t* pszFormat, va_list args)
{
    _vsnwprintf(pszBuffer, static_cast<size_t>(nLength) + 1, pszFormat, args);
}
void FormatInto(char* pszBuffer, int nLength, const char* pszFormat, va_list args)
{
    _vsnprintf(pszBuffer, static_cast<size_t>(nLength) + 1, pszFormat, args);
}

DWORD FormatMessageText(const wchar_t* pszFormat, wchar_t** ppszResult, va_list* pArgList)
{
    return ::FormatMessageW(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ALLOCATE_BUFFER, pszFormat, 0, 0,
                            reinterpret_cast<LPWSTR>(ppszResult), 0, pArgList);
}
DWORD FormatMessageText(const char* pszFormat, char** ppszResult, va_list* pArgList)
{
    return ::FormatMessageA(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ALLOCATE_BUFFER, pszFormat, 0, 0,
                            reinterpret_cast<LPSTR>(ppszResult), 0, pArgList);
}

// Conversion between the widths through the ANSI code page; characters without a narrow form become the
// code page's default character.
int ConvertedLength(const char* pch, int nLength, wchar_t*)
{
    return nLength == 0 ? 0 : MultiByteToWideChar(CP_ACP, 0, pch, nLength, nullptr, 0);
}
int ConvertedLength(const wchar_t* pch, int nLength, char*)
{
    return nLength == 0 ? 0 : WideCharToMultiByte(CP_ACP, 0, pch, nLength, nullptr, 0, nullptr, nullptr);
}
void ConvertInto(const char* pch, int nLength, wchar_t* pszDest, int nDestLength)
{
    MultiByteToWideChar(CP_ACP, 0, pch, nLength, pszDest, nDestLength);
}
void ConvertInto(const wchar_t* pch, int nLength, char* pszDest, int nDestLength)
{
    WideCharToMultiByte(CP_ACP, 0, pch, nLength, pszDest, nDestLength, nullptr, nullptr);
}
} // namespace

/////////////////////////////////////////////////////////////////////////////
// Operations on a string's text pointer (CStringT's one data member), shared by the members below.

namespace
{
template <typename XCHAR> struct Buffer
{
    // Makes pszData writable for a text of nLength characters: unshared, with enough room, and keeping
    // the current text (up to nLength characters).
    static XCHAR* PrepareWrite(XCHAR*& pszData, int nLength)
    {
        if (nLength < 0)
        {
            AfxThrowInvalidArgException();
        }
        CStringData* pOld = DataOf(pszData);
        bool shared = pOld->nRefs > 1; // the nil string counts as shared
        if (!shared && pOld->nAllocLength >= nLength)
        {
            return pszData;
        }
        int nAlloc = shared ? std::max(nLength, pOld->nDataLength) : GrownLength(pOld->nAllocLength, nLength);
        CStringData* pNew = Allocate<XCHAR>(nAlloc);
        int nKeep = std::min(pOld->nDataLength, nAlloc);
        std::memcpy(TextOf<XCHAR>(pNew), pszData, static_cast<size_t>(nKeep) * sizeof(XCHAR));
        TextOf<XCHAR>(pNew)[nKeep] = 0;
        pNew->nDataLength = nKeep;
        if (pOld->nRefs < 0)
        {
            pNew->nRefs = -1; // a locked buffer stays locked when it moves
        }
        Release<XCHAR>(pOld);
        pszData = TextOf<XCHAR>(pNew);
        return pszData;
    }

    static void SetLength(XCHAR* pszData, int nLength)
    {
        CStringData* pData = DataOf(pszData);
        if (nLength < 0 || nLength > pData->nAllocLength)
        {
            AfxThrowInvalidArgException();
        }
        if (pData == Nil<XCHAR>())
        {
            return; // nLength is 0 here; the nil string already says so
        }
        pData->nDataLength = nLength;
        pszData[nLength] = 0;
    }

    // Replaces the text with a copy of nLength characters at pch (which may lie inside the text itself).
    static void Assign(XCHAR*& pszData, const XCHAR* pch, int nLength)
    {
        if (nLength == 0)
        {
            CStringData* pOld = DataOf(pszData);
            if (pOld->nRefs < 0)
            {
                SetLength(pszData, 0);
                return;
            }
            Release<XCHAR>(pOld);
            pszData = TextOf<XCHAR>(Nil<XCHAR>());
            return;
        }
        CStringData* pOld = DataOf(pszData);
        bool inside = pch >= pszData && pch <= pszData + pOld->nDataLength;
        if (inside || pOld->nRefs > 1 || pOld->nAllocLength < nLength)
        {
            CStringData* pNew = Allocate<XCHAR>(nLength);
            std::memcpy(TextOf<XCHAR>(pNew), pch, static_cast<size_t>(nLength) * sizeof(XCHAR));
            pNew->nDataLength = nLength;
            TextOf<XCHAR>(pNew)[nLength] = 0;
            if (pOld->nRefs < 0)
            {
                pNew->nRefs = -1;
            }
            Release<XCHAR>(pOld);
            pszData = TextOf<XCHAR>(pNew);
            return;
        }
        std::memcpy(pszData, pch, static_cast<size_t>(nLength) * sizeof(XCHAR));
        SetLength(pszData, nLength);
    }

    // Appends nLength characters at pch (which may lie inside the text itself).
    static void Append(XCHAR*& pszData, const XCHAR* pch, int nLength)
    {
        if (nLength == 0)
        {
            return;
        }
        int nOld = DataOf(pszData)->nDataLength;
        if (nLength > INT_MAX - 64 - nOld)
        {
            AfxThrowMemoryException();
        }
        ptrdiff_t offset = pch - pszData;
        bool inside = offset >= 0 && offset <= nOld;
        XCHAR* pszOld = pszData;
        PrepareWrite(pszData, nOld + nLength);
        const XCHAR* source = inside && pszData != pszOld ? pszData + offset : pch;
        std::memmove(pszData + nOld, source, static_cast<size_t>(nLength) * sizeof(XCHAR));
        SetLength(pszData, nOld + nLength);
    }

    template <typename YCHAR> static void AssignConverted(XCHAR*& pszData, const YCHAR* pch, int nLength)
    {
        int nConverted = ConvertedLength(pch, nLength, static_cast<XCHAR*>(nullptr));
        if (nConverted <= 0)
        {
            Assign(pszData, pszData, 0);
            return;
        }
        // A fresh buffer: the source is of the other width, so it cannot lie inside this text.
        CStringData* pNew = Allocate<XCHAR>(nConverted);
        ConvertInto(pch, nLength, TextOf<XCHAR>(pNew), nConverted);
        pNew->nDataLength = nConverted;
        TextOf<XCHAR>(pNew)[nConverted] = 0;
        Release<XCHAR>(DataOf(pszData));
        pszData = TextOf<XCHAR>(pNew);
    }
};
} // namespace

/////////////////////////////////////////////////////////////////////////////
// Construction and assignment

template <typename BaseType>
CStringT<BaseType>::CStringT() noexcept : m_pszData(TextOf<BaseType>(Nil<BaseType>()))
{
}

template <typename BaseType> CStringT<BaseType>::CStringT(const CStringT& strSrc) : CStringT()
{
    *this = strSrc;
}

template <typename BaseType>
CStringT<BaseType>::CStringT(CStringT&& strSrc) noexcept : m_pszData(strSrc.m_pszData)
{
    strSrc.m_pszData = TextOf<BaseType>(Nil<BaseType>());
}

template <typename BaseType> CStringT<BaseType>::CStringT(const CStringT<YCHAR>& strSrc) : CStringT()
{
    Buffer<BaseType>::AssignConverted(m_pszData, strSrc.GetString(), strSrc.GetLength());
}

template <typename BaseType> CStringT<BaseType>::CStringT(PCXSTR pszSrc) : CStringT()
{
    *this = pszSrc;
}

template <typename BaseType> CStringT<BaseType>::CStringT(PCXSTR pchSrc, int nLength) : CStringT()
{
    SetString(pchSrc, nLength);
}

template <typename BaseType> CStringT<BaseType>::CStringT(PCYSTR pszSrc) : CStringT()
{
    *this = pszSrc;
}

template <typename BaseType> CStringT<BaseType>::CStringT(PCYSTR pchSrc, int nLength) : CStringT()
{
    if (nLength < 0 || (pchSrc == nullptr && nLength != 0))
    {
        AfxThrowInvalidArgException();
    }
    Buffer<BaseType>::AssignConverted(m_pszData, pchSrc, nLength);
}

template <typename BaseType> CStringT<BaseType>::CStringT(XCHAR ch, int nRepeat) : CStringT()
{
    if (nRepeat > 0)
    {
        PXSTR psz = GetBuffer(nRepeat);
        std::fill(psz, psz + nRepeat, ch);
        ReleaseBufferSetLength(nRepeat);
    }
}

template <typename BaseType> CStringT<BaseType>::CStringT(YCHAR ch, int nRepeat) : CStringT()
{
    if (nRepeat > 0)
    {
        // One character of the other width may take several of this one (a double-byte character).
        CStringT one(&ch, 1);
        int nOne = one.GetLength();
        if (nOne == 0)
        {
            return;
        }
        if (nRepeat > (INT_MAX - 64) / nOne)
        {
            AfxThrowMemoryException();
        }
        PXSTR psz = GetBuffer(nOne * nRepeat);
        for (int i = 0; i < nRepeat; ++i)
        {
            std::memcpy(psz + i * nOne, one.GetString(), static_cast<size_t>(nOne) * sizeof(XCHAR));
        }
        ReleaseBufferSetLength(nOne * nRepeat);
    }
}

template <typename BaseType> CStringT<BaseType>::~CStringT()
{
    Release<BaseType>(DataOf(m_pszData));
}

template <typename BaseType> CStringT<BaseType>& CStringT<BaseType>::operator=(const CStringT& strSrc)
{
    CStringData* pSrc = DataOf(strSrc.m_pszData);
    CStringData* pOld = DataOf(m_pszData);
    if (pSrc == pOld)
    {
        return *this;
    }
    if (pSrc->nRefs < 0 || pOld->nRefs < 0)
    {
        // A locked buffer is never shared: the locked source is copied, a locked target is written over.
        Buffer<BaseType>::Assign(m_pszData, strSrc.m_pszData, pSrc->nDataLength);
        return *this;
    }
    AddRef<BaseType>(pSrc);
    Release<BaseType>(pOld);
    m_pszData = strSrc.m_pszData;
    return *this;
}

template <typename BaseType> CStringT<BaseType>& CStringT<BaseType>::operator=(CStringT&& strSrc) noexcept
{
    if (this != &strSrc)
    {
        Release<BaseType>(DataOf(m_pszData));
        m_pszData = strSrc.m_pszData;
        strSrc.m_pszData = TextOf<BaseType>(Nil<BaseType>());
    }
    return *this;
}

template <typename BaseType> CStringT<BaseType>& CStringT<BaseType>::operator=(const CStringT<YCHAR>& strSrc)
{
    Buffer<BaseType>::AssignConverted(m_pszData, strSrc.GetString(), strSrc.GetLength());
    return *this;
}

template <typename BaseType> CStringT<BaseType>& CStringT<BaseType>::operator=(PCXSTR pszSrc)
{
    if (IsResourceId(pszSrc))
    {
        LoadResourceId(pszSrc);
        return *this;
    }
    SetString(pszSrc);
    return *this;
}

template <typename BaseType> CStringT<BaseType>& CStringT<BaseType>::operator=(PCYSTR pszSrc)
{
    if (IsResourceId(pszSrc))
    {
        LoadResourceId(pszSrc);
        return *this;
    }
    Buffer<BaseType>::AssignConverted(m_pszData, pszSrc, Length(pszSrc));
    return *this;
}

template <typename BaseType> CStringT<BaseType>& CStringT<BaseType>::operator=(XCHAR ch)
{
    Buffer<BaseType>::Assign(m_pszData, &ch, 1);
    return *this;
}

template <typename BaseType> CStringT<BaseType>& CStringT<BaseType>::operator=(YCHAR ch)
{
    return *this = CStringT(ch);
}

template <typename BaseType> CStringT<BaseType>& CStringT<BaseType>::operator+=(const CStringT& str)
{
    Append(str);
    return *this;
}

template <typename BaseType> CStringT<BaseType>& CStringT<BaseType>::operator+=(PCXSTR pszSrc)
{
    Append(pszSrc);
    return *this;
}

template <typename BaseType> CStringT<BaseType>& CStringT<BaseType>::operator+=(PCYSTR pszSrc)
{
    Append(CStringT(pszSrc));
    return *this;
}

template <typename BaseType> CStringT<BaseType>& CStringT<BaseType>::operator+=(XCHAR ch)
{
    AppendChar(ch);
    return *this;
}

template <typename BaseType> CStringT<BaseType>& CStringT<BaseType>::operator+=(YCHAR ch)
{
    Append(CStringT(ch));
    return *this;
}

/////////////////////////////////////////////////////////////////////////////
// Length, characters, appending

template <typename BaseType> int CStringT<BaseType>::GetLength() const noexcept
{
    return DataOf(m_pszData)->nDataLength;
}

template <typename BaseType> BOOL CStringT<BaseType>::IsEmpty() const noexcept
{
    return GetLength() == 0;
}

template <typename BaseType> void CStringT<BaseType>::Empty() noexcept
{
    CStringData* pData = DataOf(m_pszData);
    if (pData->nRefs < 0)
    {
        pData->nDataLength = 0;
        m_pszData[0] = 0;
        return;
    }
    Release<BaseType>(pData);
    m_pszData = TextOf<BaseType>(Nil<BaseType>());
}

template <typename BaseType> BaseType CStringT<BaseType>::GetAt(int iChar) const
{
    if (iChar < 0 || iChar > GetLength())
    {
        AfxThrowInvalidArgException();
    }
    return m_pszData[iChar];
}

template <typename BaseType> void CStringT<BaseType>::SetAt(int iChar, XCHAR ch)
{
    int nLength = GetLength();
    if (iChar < 0 || iChar >= nLength)
    {
        AfxThrowInvalidArgException();
    }
    Buffer<BaseType>::PrepareWrite(m_pszData, nLength)[iChar] = ch;
}

template <typename BaseType> void CStringT<BaseType>::SetString(PCXSTR pszSrc)
{
    SetString(pszSrc, Length(pszSrc));
}

template <typename BaseType> void CStringT<BaseType>::SetString(PCXSTR pchSrc, int nLength)
{
    if (nLength < 0 || (pchSrc == nullptr && nLength != 0))
    {
        AfxThrowInvalidArgException();
    }
    Buffer<BaseType>::Assign(m_pszData, pchSrc, nLength);
}

template <typename BaseType> void CStringT<BaseType>::Append(PCXSTR pszSrc)
{
    Buffer<BaseType>::Append(m_pszData, pszSrc, Length(pszSrc));
}

template <typename BaseType> void CStringT<BaseType>::Append(PCXSTR pchSrc, int nLength)
{
    if (nLength < 0 || (pchSrc == nullptr && nLength != 0))
    {
        AfxThrowInvalidArgException();
    }
    Buffer<BaseType>::Append(m_pszData, pchSrc, nLength);
}

template <typename BaseType> void CStringT<BaseType>::Append(const CStringT& strSrc)
{
    if (IsEmpty() && DataOf(m_pszData)->nRefs >= 0)
    {
        *this = strSrc; // share rather than copy
        return;
    }
    Buffer<BaseType>::Append(m_pszData, strSrc.m_pszData, strSrc.GetLength());
}

template <typename BaseType> void CStringT<BaseType>::AppendChar(XCHAR ch)
{
    Buffer<BaseType>::Append(m_pszData, &ch, 1);
}

template <typename BaseType>
CStringT<BaseType> CStringT<BaseType>::Concat(const CStringT& str1, const CStringT& str2)
{
    int n1 = str1.GetLength();
    int n2 = str2.GetLength();
    if (n1 == 0 || n2 == 0)
    {
        return n1 == 0 ? str2 : str1; // shares the text of the non-empty side
    }
    CStringT result;
    if (n2 > INT_MAX - 64 - n1)
    {
        AfxThrowMemoryException();
    }
    PXSTR psz = result.GetBuffer(n1 + n2);
    std::memcpy(psz, str1.m_pszData, static_cast<size_t>(n1) * sizeof(XCHAR));
    std::memcpy(psz + n1, str2.m_pszData, static_cast<size_t>(n2) * sizeof(XCHAR));
    result.ReleaseBufferSetLength(n1 + n2);
    return result;
}

/////////////////////////////////////////////////////////////////////////////
// Buffer access

template <typename BaseType> BaseType* CStringT<BaseType>::GetBuffer()
{
    return Buffer<BaseType>::PrepareWrite(m_pszData, GetLength());
}

template <typename BaseType> BaseType* CStringT<BaseType>::GetBuffer(int nMinBufferLength)
{
    return Buffer<BaseType>::PrepareWrite(m_pszData, std::max(nMinBufferLength, GetLength()));
}

template <typename BaseType> BaseType* CStringT<BaseType>::GetBufferSetLength(int nLength)
{
    PXSTR psz = Buffer<BaseType>::PrepareWrite(m_pszData, nLength);
    Buffer<BaseType>::SetLength(psz, nLength);
    return psz;
}

template <typename BaseType> void CStringT<BaseType>::ReleaseBuffer(int nNewLength)
{
    CStringData* pData = DataOf(m_pszData);
    if (nNewLength == -1)
    {
        // The caller wrote a terminated string; never read past the room it had.
        const XCHAR* end = std::find(m_pszData, m_pszData + pData->nAllocLength, XCHAR(0));
        nNewLength = static_cast<int>(end - m_pszData);
    }
    // Releasing without having asked for the buffer must still not write into a shared text; the nil
    // string takes care of itself (it only accepts length 0).
    if (pData != Nil<BaseType>() && pData->nRefs > 1)
    {
        Buffer<BaseType>::PrepareWrite(m_pszData, pData->nDataLength);
    }
    Buffer<BaseType>::SetLength(m_pszData, nNewLength);
}

template <typename BaseType> void CStringT<BaseType>::ReleaseBufferSetLength(int nNewLength)
{
    if (nNewLength < 0)
    {
        AfxThrowInvalidArgException();
    }
    ReleaseBuffer(nNewLength);
}

template <typename BaseType> BaseType* CStringT<BaseType>::LockBuffer()
{
    PXSTR psz = GetBuffer();
    DataOf(psz)->nRefs = -1;
    return psz;
}

template <typename BaseType> void CStringT<BaseType>::UnlockBuffer() noexcept
{
    CStringData* pData = DataOf(m_pszData);
    if (pData->nRefs < 0)
    {
        pData->nRefs = 1;
    }
}

template <typename BaseType> int CStringT<BaseType>::GetAllocLength() const noexcept
{
    return DataOf(m_pszData)->nAllocLength;
}

template <typename BaseType> void CStringT<BaseType>::Preallocate(int nLength)
{
    Buffer<BaseType>::PrepareWrite(m_pszData, std::max(nLength, GetLength()));
}

template <typename BaseType> void CStringT<BaseType>::FreeExtra()
{
    CStringData* pData = DataOf(m_pszData);
    if (pData->nRefs != 1 || pData->nAllocLength == pData->nDataLength)
    {
        return; // a shared text is exact for someone; a locked one must not move
    }
    CStringT copy(m_pszData, pData->nDataLength);
    *this = std::move(copy);
}

template <typename BaseType> void CStringT<BaseType>::Truncate(int nNewLength)
{
    if (nNewLength < 0 || nNewLength > GetLength())
    {
        AfxThrowInvalidArgException();
    }
    PXSTR psz = Buffer<BaseType>::PrepareWrite(m_pszData, nNewLength);
    Buffer<BaseType>::SetLength(psz, nNewLength);
}

/////////////////////////////////////////////////////////////////////////////
// Comparison

template <typename BaseType> int CStringT<BaseType>::Compare(PCXSTR psz) const
{
    return CompareOrdinal(m_pszData, psz != nullptr ? psz : TextOf<BaseType>(Nil<BaseType>()));
}

template <typename BaseType> int CStringT<BaseType>::CompareNoCase(PCXSTR psz) const
{
    return CompareIgnoreCase(m_pszData, psz != nullptr ? psz : TextOf<BaseType>(Nil<BaseType>()));
}

template <typename BaseType> int CStringT<BaseType>::Collate(PCXSTR psz) const
{
    return CompareLocale(m_pszData, psz != nullptr ? psz : TextOf<BaseType>(Nil<BaseType>()));
}

template <typename BaseType> int CStringT<BaseType>::CollateNoCase(PCXSTR psz) const
{
    return CompareLocaleIgnoreCase(m_pszData, psz != nullptr ? psz : TextOf<BaseType>(Nil<BaseType>()));
}

/////////////////////////////////////////////////////////////////////////////
// Searching

template <typename BaseType> int CStringT<BaseType>::Find(XCHAR ch, int iStart) const noexcept
{
    int nLength = GetLength();
    if (iStart < 0 || iStart >= nLength)
    {
        return -1;
    }
    const XCHAR* found = std::find(m_pszData + iStart, m_pszData + nLength, ch);
    return found == m_pszData + nLength ? -1 : static_cast<int>(found - m_pszData);
}

template <typename BaseType> int CStringT<BaseType>::Find(PCXSTR pszSub, int iStart) const noexcept
{
    int nLength = GetLength();
    if (pszSub == nullptr || iStart < 0 || iStart > nLength)
    {
        return -1;
    }
    size_t nSub = std::char_traits<XCHAR>::length(pszSub);
    const XCHAR* end = m_pszData + nLength;
    const XCHAR* begin = m_pszData + iStart;
    const XCHAR* found = std::search(begin, end, pszSub, pszSub + nSub);
    if (found == end && nSub != 0)
    {
        return -1;
    }
    return static_cast<int>(found - m_pszData);
}

template <typename BaseType> int CStringT<BaseType>::ReverseFind(XCHAR ch) const noexcept
{
    for (int i = GetLength() - 1; i >= 0; --i)
    {
        if (m_pszData[i] == ch)
        {
            return i;
        }
    }
    return -1;
}

template <typename BaseType> int CStringT<BaseType>::FindOneOf(PCXSTR pszCharSet) const noexcept
{
    if (pszCharSet == nullptr)
    {
        return -1;
    }
    int nLength = GetLength();
    for (int i = 0; i < nLength; ++i)
    {
        if (Contains(pszCharSet, m_pszData[i]))
        {
            return i;
        }
    }
    return -1;
}

/////////////////////////////////////////////////////////////////////////////
// Extraction

template <typename BaseType> CStringT<BaseType> CStringT<BaseType>::Left(int nCount) const
{
    return Mid(0, nCount);
}

template <typename BaseType> CStringT<BaseType> CStringT<BaseType>::Mid(int iFirst) const
{
    return Mid(iFirst, GetLength());
}

template <typename BaseType> CStringT<BaseType> CStringT<BaseType>::Mid(int iFirst, int nCount) const
{
    int nLength = GetLength();
    iFirst = std::clamp(iFirst, 0, nLength);
    nCount = std::clamp(nCount, 0, nLength - iFirst);
    if (iFirst == 0 && nCount == nLength)
    {
        return *this;
    }
    return CStringT(m_pszData + iFirst, nCount);
}

template <typename BaseType> CStringT<BaseType> CStringT<BaseType>::Right(int nCount) const
{
    int nLength = GetLength();
    nCount = std::clamp(nCount, 0, nLength);
    return Mid(nLength - nCount, nCount);
}

template <typename BaseType> CStringT<BaseType> CStringT<BaseType>::SpanIncluding(PCXSTR pszCharSet) const
{
    int nLength = GetLength();
    int n = 0;
    if (pszCharSet != nullptr)
    {
        while (n < nLength && Contains(pszCharSet, m_pszData[n]))
        {
            ++n;
        }
    }
    return Left(n);
}

template <typename BaseType> CStringT<BaseType> CStringT<BaseType>::SpanExcluding(PCXSTR pszCharSet) const
{
    int nLength = GetLength();
    if (pszCharSet == nullptr)
    {
        return *this;
    }
    int n = 0;
    while (n < nLength && !Contains(pszCharSet, m_pszData[n]))
    {
        ++n;
    }
    return Left(n);
}

template <typename BaseType>
CStringT<BaseType> CStringT<BaseType>::Tokenize(PCXSTR pszTokens, int& iStart) const
{
    if (iStart < 0)
    {
        AfxThrowInvalidArgException();
    }
    int nLength = GetLength();
    if (iStart < nLength)
    {
        if (pszTokens == nullptr || *pszTokens == 0)
        {
            // No delimiters: the rest is one token, and the next call finds the end.
            CStringT token = Mid(iStart);
            iStart = nLength + 1;
            return token;
        }
        int iFrom = iStart;
        while (iFrom < nLength && Contains(pszTokens, m_pszData[iFrom]))
        {
            ++iFrom;
        }
        if (iFrom < nLength)
        {
            int iTo = iFrom;
            while (iTo < nLength && !Contains(pszTokens, m_pszData[iTo]))
            {
                ++iTo;
            }
            iStart = iTo + 1;
            return Mid(iFrom, iTo - iFrom);
        }
    }
    iStart = -1;
    return CStringT();
}

/////////////////////////////////////////////////////////////////////////////
// Modification

template <typename BaseType> CStringT<BaseType>& CStringT<BaseType>::MakeUpper()
{
    int nLength = GetLength();
    PXSTR psz = Buffer<BaseType>::PrepareWrite(m_pszData, nLength);
    std::transform(psz, psz + nLength, psz, [](XCHAR c) { return ToUpper(c); });
    return *this;
}

template <typename BaseType> CStringT<BaseType>& CStringT<BaseType>::MakeLower()
{
    int nLength = GetLength();
    PXSTR psz = Buffer<BaseType>::PrepareWrite(m_pszData, nLength);
    std::transform(psz, psz + nLength, psz, [](XCHAR c) { return ToLower(c); });
    return *this;
}

template <typename BaseType> CStringT<BaseType>& CStringT<BaseType>::MakeReverse()
{
    int nLength = GetLength();
    PXSTR psz = Buffer<BaseType>::PrepareWrite(m_pszData, nLength);
    std::reverse(psz, psz + nLength);
    return *this;
}

namespace
{
// Keeps the characters [iFirst, iFirst + nCount) of str.
template <typename BaseType> void KeepRange(CStringT<BaseType>& str, int iFirst, int nCount)
{
    if (iFirst == 0 && nCount == str.GetLength())
    {
        return;
    }
    str = str.Mid(iFirst, nCount);
}

template <typename BaseType, typename Pred>
void TrimEnds(CStringT<BaseType>& str, bool left, bool right, Pred trims)
{
    const BaseType* psz = str.GetString();
    int iFirst = 0;
    int iEnd = str.GetLength();
    while (left && iFirst < iEnd && trims(psz[iFirst]))
    {
        ++iFirst;
    }
    while (right && iEnd > iFirst && trims(psz[iEnd - 1]))
    {
        --iEnd;
    }
    KeepRange(str, iFirst, iEnd - iFirst);
}

template <typename BaseType> bool InSet(const BaseType* pszSet, BaseType ch)
{
    return pszSet != nullptr && Contains(pszSet, ch);
}
} // namespace

template <typename BaseType> CStringT<BaseType>& CStringT<BaseType>::Trim()
{
    TrimEnds(*this, true, true, [](XCHAR c) { return IsSpace(c); });
    return *this;
}

template <typename BaseType> CStringT<BaseType>& CStringT<BaseType>::Trim(XCHAR chTarget)
{
    TrimEnds(*this, true, true, [chTarget](XCHAR c) { return c == chTarget; });
    return *this;
}

template <typename BaseType> CStringT<BaseType>& CStringT<BaseType>::Trim(PCXSTR pszTargets)
{
    TrimEnds(*this, true, true, [pszTargets](XCHAR c) { return InSet(pszTargets, c); });
    return *this;
}

template <typename BaseType> CStringT<BaseType>& CStringT<BaseType>::TrimLeft()
{
    TrimEnds(*this, true, false, [](XCHAR c) { return IsSpace(c); });
    return *this;
}

template <typename BaseType> CStringT<BaseType>& CStringT<BaseType>::TrimLeft(XCHAR chTarget)
{
    TrimEnds(*this, true, false, [chTarget](XCHAR c) { return c == chTarget; });
    return *this;
}

template <typename BaseType> CStringT<BaseType>& CStringT<BaseType>::TrimLeft(PCXSTR pszTargets)
{
    TrimEnds(*this, true, false, [pszTargets](XCHAR c) { return InSet(pszTargets, c); });
    return *this;
}

template <typename BaseType> CStringT<BaseType>& CStringT<BaseType>::TrimRight()
{
    TrimEnds(*this, false, true, [](XCHAR c) { return IsSpace(c); });
    return *this;
}

template <typename BaseType> CStringT<BaseType>& CStringT<BaseType>::TrimRight(XCHAR chTarget)
{
    TrimEnds(*this, false, true, [chTarget](XCHAR c) { return c == chTarget; });
    return *this;
}

template <typename BaseType> CStringT<BaseType>& CStringT<BaseType>::TrimRight(PCXSTR pszTargets)
{
    TrimEnds(*this, false, true, [pszTargets](XCHAR c) { return InSet(pszTargets, c); });
    return *this;
}

template <typename BaseType> int CStringT<BaseType>::Replace(XCHAR chOld, XCHAR chNew)
{
    if (chOld == chNew)
    {
        return 0;
    }
    int nLength = GetLength();
    int nCount = static_cast<int>(std::count(m_pszData, m_pszData + nLength, chOld));
    if (nCount > 0)
    {
        PXSTR psz = Buffer<BaseType>::PrepareWrite(m_pszData, nLength);
        std::replace(psz, psz + nLength, chOld, chNew);
    }
    return nCount;
}

template <typename BaseType> int CStringT<BaseType>::Replace(PCXSTR pszOld, PCXSTR pszNew)
{
    int nOld = Length(pszOld);
    if (nOld == 0)
    {
        return 0;
    }
    // Copies first: either text may lie inside this string.
    CStringT oldText(pszOld, nOld);
    CStringT newText(pszNew);
    int nLength = GetLength();
    CStringT result;
    int nCount = 0;
    int iPos = 0;
    for (;;)
    {
        int iFound = Find(oldText, iPos);
        if (iFound < 0)
        {
            break;
        }
        result.Append(m_pszData + iPos, iFound - iPos);
        result.Append(newText);
        iPos = iFound + nOld;
        ++nCount;
    }
    if (nCount > 0)
    {
        result.Append(m_pszData + iPos, nLength - iPos);
        *this = std::move(result);
    }
    return nCount;
}

template <typename BaseType> int CStringT<BaseType>::Remove(XCHAR chRemove)
{
    int nLength = GetLength();
    int nCount = static_cast<int>(std::count(m_pszData, m_pszData + nLength, chRemove));
    if (nCount > 0)
    {
        PXSTR psz = Buffer<BaseType>::PrepareWrite(m_pszData, nLength);
        std::remove(psz, psz + nLength, chRemove);
        Buffer<BaseType>::SetLength(psz, nLength - nCount);
    }
    return nCount;
}

template <typename BaseType> int CStringT<BaseType>::Insert(int iIndex, XCHAR ch)
{
    return Insert(iIndex, CStringT(ch));
}

template <typename BaseType> int CStringT<BaseType>::Insert(int iIndex, PCXSTR psz)
{
    int nLength = GetLength();
    iIndex = std::clamp(iIndex, 0, nLength);
    int nInsert = Length(psz);
    if (nInsert > 0)
    {
        CStringT result(m_pszData, iIndex);
        result.Append(psz, nInsert);
        result.Append(m_pszData + iIndex, nLength - iIndex);
        *this = std::move(result);
    }
    return GetLength();
}

template <typename BaseType> int CStringT<BaseType>::Delete(int iIndex, int nCount)
{
    int nLength = GetLength();
    iIndex = std::max(iIndex, 0);
    nCount = std::max(nCount, 0);
    if (iIndex < nLength && nCount > 0)
    {
        nCount = std::min(nCount, nLength - iIndex);
        PXSTR psz = Buffer<BaseType>::PrepareWrite(m_pszData, nLength);
        std::memmove(psz + iIndex, psz + iIndex + nCount,
                     static_cast<size_t>(nLength - iIndex - nCount) * sizeof(XCHAR));
        Buffer<BaseType>::SetLength(psz, nLength - nCount);
    }
    return GetLength();
}

/////////////////////////////////////////////////////////////////////////////
// Formatting

template <typename BaseType> void CStringT<BaseType>::FormatV(PCXSTR pszFormat, va_list args)
{
    if (pszFormat == nullptr)
    {
        AfxThrowInvalidArgException();
    }
    va_list measure;
    va_copy(measure, args);
    int nLength = FormattedLength(pszFormat, measure);
    va_end(measure);
    if (nLength < 0)
    {
        AfxThrowInvalidArgException();
    }
    // Into a new string: an argument may be this string's own text.
    CStringT result;
    PXSTR psz = result.GetBuffer(nLength);
    FormatInto(psz, nLength, pszFormat, args);
    result.ReleaseBufferSetLength(nLength);
    *this = std::move(result);
}

template <typename BaseType> void CStringT<BaseType>::AppendFormatV(PCXSTR pszFormat, va_list args)
{
    CStringT piece;
    piece.FormatV(pszFormat, args);
    Append(piece);
}

template <typename BaseType> void CStringT<BaseType>::FormatMessageV(PCXSTR pszFormat, va_list* pArgList)
{
    if (pszFormat == nullptr)
    {
        AfxThrowInvalidArgException();
    }
    XCHAR* pszText = nullptr;
    DWORD nLength = FormatMessageText(pszFormat, &pszText, pArgList);
    if (nLength == 0 || pszText == nullptr)
    {
        AfxThrowMemoryException();
    }
    struct LocalText
    {
        XCHAR* p;
        ~LocalText() { LocalFree(p); }
    } owner{pszText};
    SetString(pszText, static_cast<int>(nLength));
}

template <typename BaseType> void AFX_CDECL CStringT<BaseType>::FormatArgs(PCXSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    struct End
    {
        va_list& a;
        ~End() { va_end(a); }
    } end{args};
    FormatV(pszFormat, args);
}

template <typename BaseType> void AFX_CDECL CStringT<BaseType>::AppendFormatArgs(PCXSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    struct End
    {
        va_list& a;
        ~End() { va_end(a); }
    } end{args};
    AppendFormatV(pszFormat, args);
}

template <typename BaseType> void AFX_CDECL CStringT<BaseType>::FormatMessageArgs(PCXSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    struct End
    {
        va_list& a;
        ~End() { va_end(a); }
    } end{args};
    FormatMessageV(pszFormat, &args);
}

/////////////////////////////////////////////////////////////////////////////
// String resources

template <typename BaseType> BOOL CStringT<BaseType>::LoadString(UINT nID)
{
    HINSTANCE hInstance = afximpl::FindStringResourceInstance(nID);
    return hInstance != nullptr && LoadString(hInstance, nID);
}

template <typename BaseType> BOOL CStringT<BaseType>::LoadString(HINSTANCE hInstance, UINT nID)
{
    int nLength = 0;
    const WCHAR* pText = afximpl::FindStringImage(hInstance, nID, &nLength);
    if (pText == nullptr)
    {
        return FALSE;
    }
    if constexpr (std::is_same_v<BaseType, wchar_t>)
    {
        SetString(pText, nLength);
    }
    else
    {
        Buffer<BaseType>::AssignConverted(m_pszData, pText, nLength);
    }
    return TRUE;
}

template <typename BaseType> void CStringT<BaseType>::LoadResourceId(const void* pId)
{
    if (!LoadString(LOWORD(reinterpret_cast<ULONG_PTR>(pId))))
    {
        Empty();
    }
}

template <typename BaseType> void CStringT<BaseType>::LoadFormatString(UINT nFormatID)
{
    if (!LoadString(nFormatID))
    {
        TRACE(L"CString: there is no format string %u.\n", nFormatID);
        AfxThrowInvalidArgException();
    }
}

template class CStringT<wchar_t>;
template class CStringT<char>;

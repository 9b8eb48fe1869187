// CArchive: buffering, values, strings, and the class and object tags of serialised object graphs.
#include "afx.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>
#include <unordered_map>
#include <vector>

namespace
{
// The object and class tags. A WORD tag is the null object (0), an object index (below 0x7FFF), a class
// index with the high bit set, or a new class (0xFFFF, followed by the class itself). Indexes that do not
// fit a WORD follow the big-object tag as a DWORD, with the high bit set for a class.
constexpr WORD wNullTag = 0;
constexpr WORD wNewClassTag = 0xFFFF;
constexpr WORD wClassTag = 0x8000;
constexpr DWORD dwBigClassTag = 0x80000000;
constexpr WORD wBigObjectTag = 0x7FFF;
constexpr DWORD nMaxMapCount = 0x3FFFFFFE;

constexpr UINT nBufSizeMin = 128;
// The longest class name an archive may carry.
constexpr WORD nMaxClassName = 64;
// Strings are read this many characters at a time, so a corrupt length fails at the end of the data
// instead of allocating what the length claims.
constexpr ULONGLONG nStringChunk = 16384;

// Lets the standard containers' allocation failures leave as the framework's exception.
template <typename F> auto CatchBadAlloc(F f)
{
    try
    {
        return f();
    }
    catch (const std::bad_alloc&)
    {
        AfxThrowMemoryException();
    }
}
} // namespace

namespace afximpl
{
struct ArchiveMaps
{
    struct Loaded
    {
        const void* p;
        bool bClass;
    };

    // Storing: the index each class and object was given (0 is the null object).
    std::unordered_map<const void*, DWORD> stored;
    DWORD nStoreCount = 1;
    // Loading: what each index stands for, and the schema read for versionable classes whose schema
    // differs from the program's.
    std::vector<Loaded> loaded{Loaded{nullptr, false}};
    std::unordered_map<const CRuntimeClass*, UINT> schemas;

    // Writes the back reference to a class or object stored earlier in the archive (a class carries the
    // class bit); false when it is new to the archive.
    bool WriteBackReference(CArchive& ar, const void* p, bool bClass) const;
};
} // namespace afximpl

/////////////////////////////////////////////////////////////////////////////
// Construction

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void* lpBuf)
    : m_nMode(nMode), m_bUserBuf(lpBuf != nullptr), m_nBufSize(0), m_pFile(pFile), m_lpBufStart(nullptr),
      m_lpBufCur(nullptr), m_lpBufMax(nullptr), m_nObjectSchema(static_cast<UINT>(-1)), m_pMaps(nullptr)
{
    if (pFile == nullptr || (lpBuf != nullptr && nBufSize < static_cast<int>(nBufSizeMin)))
    {
        AfxThrowInvalidArgException();
    }
    m_strFileName = pFile->GetFilePath();
    m_nBufSize = std::max(nBufSizeMin, static_cast<UINT>(std::max(nBufSize, 0)));
    if (lpBuf != nullptr)
    {
        m_lpBufStart = static_cast<BYTE*>(lpBuf);
    }
    else
    {
        m_lpBufStart = new (std::nothrow) BYTE[m_nBufSize];
        if (m_lpBufStart == nullptr)
        {
            AfxThrowMemoryException();
        }
    }
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = IsLoading() ? m_lpBufStart : m_lpBufStart + m_nBufSize;
}

CArchive::~CArchive()
{
    if (m_pFile != nullptr && (m_nMode & bNoFlushOnDelete) == 0)
    {
        try
        {
            Close();
        }
        catch (CException* e)
        {
            // A destructor cannot report the failure; a caller who needs to know closes explicitly.
            e->Delete();
        }
    }
    Abort();
    if (!m_bUserBuf)
    {
        delete[] m_lpBufStart;
    }
}

/////////////////////////////////////////////////////////////////////////////
// Attributes

UINT CArchive::GetObjectSchema()
{
    const UINT nSchema = m_nObjectSchema;
    m_nObjectSchema = static_cast<UINT>(-1);
    return nSchema;
}

/////////////////////////////////////////////////////////////////////////////
// Buffering

void CArchive::ThrowArchive(int cause) const
{
    AfxThrowArchiveException(cause, m_strFileName);
}

void CArchive::WriteBuffer()
{
    if (m_lpBufCur != m_lpBufStart)
    {
        m_pFile->Write(m_lpBufStart, static_cast<UINT>(m_lpBufCur - m_lpBufStart));
        m_lpBufCur = m_lpBufStart;
    }
}

bool CArchive::FillBuffer(UINT nBytesNeeded)
{
    const UINT nUnread = static_cast<UINT>(m_lpBufMax - m_lpBufCur);
    std::memmove(m_lpBufStart, m_lpBufCur, nUnread);
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = m_lpBufStart + nUnread;
    while (static_cast<UINT>(m_lpBufMax - m_lpBufStart) < nBytesNeeded)
    {
        const UINT nRead =
            m_pFile->Read(m_lpBufMax, m_nBufSize - static_cast<UINT>(m_lpBufMax - m_lpBufStart));
        if (nRead == 0)
        {
            return false;
        }
        m_lpBufMax += nRead;
    }
    return true;
}

CArchive& CArchive::StoreBytes(const void* p, UINT nBytes)
{
    if (!IsStoring())
    {
        ThrowArchive(CArchiveException::readOnly);
    }
    if (m_pFile == nullptr)
    {
        ThrowArchive(CArchiveException::genericException);
    }
    if (static_cast<UINT>(m_lpBufMax - m_lpBufCur) < nBytes)
    {
        WriteBuffer();
    }
    std::memcpy(m_lpBufCur, p, nBytes);
    m_lpBufCur += nBytes;
    return *this;
}

CArchive& CArchive::LoadBytes(void* p, UINT nBytes)
{
    if (!IsLoading())
    {
        ThrowArchive(CArchiveException::writeOnly);
    }
    if (m_pFile == nullptr)
    {
        ThrowArchive(CArchiveException::genericException);
    }
    if (static_cast<UINT>(m_lpBufMax - m_lpBufCur) < nBytes && !FillBuffer(nBytes))
    {
        ThrowArchive(CArchiveException::endOfFile);
    }
    std::memcpy(p, m_lpBufCur, nBytes);
    m_lpBufCur += nBytes;
    return *this;
}

CArchive& CArchive::operator>>(bool& b)
{
    BYTE by;
    LoadBytes(&by, sizeof by);
    b = by != 0;
    return *this;
}

/////////////////////////////////////////////////////////////////////////////
// Raw bytes

UINT CArchive::Read(void* lpBuf, UINT nMax)
{
    if (!IsLoading())
    {
        ThrowArchive(CArchiveException::writeOnly);
    }
    if (m_pFile == nullptr)
    {
        ThrowArchive(CArchiveException::genericException);
    }
    if (nMax == 0)
    {
        return 0;
    }
    if (lpBuf == nullptr)
    {
        AfxThrowInvalidArgException();
    }
    BYTE* lpDest = static_cast<BYTE*>(lpBuf);
    UINT nDone = std::min(nMax, static_cast<UINT>(m_lpBufMax - m_lpBufCur));
    std::memcpy(lpDest, m_lpBufCur, nDone);
    m_lpBufCur += nDone;
    if (nMax - nDone >= m_nBufSize)
    {
        // Large blocks go straight from the file to the caller.
        while (nDone < nMax)
        {
            const UINT nRead = m_pFile->Read(lpDest + nDone, nMax - nDone);
            if (nRead == 0)
            {
                break;
            }
            nDone += nRead;
        }
    }
    else if (nDone < nMax)
    {
        FillBuffer(nMax - nDone);
        const UINT nMore = std::min(nMax - nDone, static_cast<UINT>(m_lpBufMax - m_lpBufCur));
        std::memcpy(lpDest + nDone, m_lpBufCur, nMore);
        m_lpBufCur += nMore;
        nDone += nMore;
    }
    return nDone;
}

void CArchive::Write(const void* lpBuf, UINT nMax)
{
    if (!IsStoring())
    {
        ThrowArchive(CArchiveException::readOnly);
    }
    if (m_pFile == nullptr)
    {
        ThrowArchive(CArchiveException::genericException);
    }
    if (nMax == 0)
    {
        return;
    }
    if (lpBuf == nullptr)
    {
        AfxThrowInvalidArgException();
    }
    const BYTE* lpSource = static_cast<const BYTE*>(lpBuf);
    const UINT nFirst = std::min(nMax, static_cast<UINT>(m_lpBufMax - m_lpBufCur));
    std::memcpy(m_lpBufCur, lpSource, nFirst);
    m_lpBufCur += nFirst;
    const UINT nRest = nMax - nFirst;
    if (nRest == 0)
    {
        return;
    }
    WriteBuffer();
    if (nRest >= m_nBufSize)
    {
        m_pFile->Write(lpSource + nFirst, nRest);
    }
    else
    {
        std::memcpy(m_lpBufCur, lpSource + nFirst, nRest);
        m_lpBufCur += nRest;
    }
}

void CArchive::Flush()
{
    if (m_pFile == nullptr)
    {
        return;
    }
    if (IsLoading())
    {
        if (m_lpBufMax != m_lpBufCur)
        {
            m_pFile->Seek(-static_cast<LONGLONG>(m_lpBufMax - m_lpBufCur), CFile::current);
        }
        m_lpBufCur = m_lpBufMax = m_lpBufStart;
    }
    else
    {
        WriteBuffer();
        m_pFile->Flush();
    }
}

void CArchive::Close()
{
    Flush();
    m_pFile = nullptr;
}

void CArchive::Abort()
{
    m_pFile = nullptr;
    delete m_pMaps;
    m_pMaps = nullptr;
}

/////////////////////////////////////////////////////////////////////////////
// Text

void CArchive::WriteString(LPCTSTR lpsz)
{
    if (lpsz == nullptr)
    {
        AfxThrowInvalidArgException();
    }
    Write(lpsz, static_cast<UINT>(lstrlenW(lpsz)) * sizeof(TCHAR));
}

int CArchive::NextLineChar(TCHAR& ch)
{
    if (Read(&ch, sizeof ch) != sizeof ch)
    {
        return 0;
    }
    if (ch == L'\n')
    {
        return -1;
    }
    if (ch == L'\r')
    {
        TCHAR next;
        if ((static_cast<UINT>(m_lpBufMax - m_lpBufCur) >= sizeof next || FillBuffer(sizeof next)))
        {
            std::memcpy(&next, m_lpBufCur, sizeof next);
            if (next == L'\n')
            {
                m_lpBufCur += sizeof next;
            }
        }
        return -1;
    }
    return 1;
}

LPTSTR CArchive::ReadString(LPTSTR lpsz, UINT nMax)
{
    if (lpsz == nullptr || nMax == 0)
    {
        AfxThrowInvalidArgException();
    }
    UINT nRead = 0;
    bool bAny = false;
    TCHAR ch;
    int kind;
    while (nRead + 1 < nMax && (kind = NextLineChar(ch)) != 0)
    {
        bAny = true;
        if (kind < 0)
        {
            break;
        }
        lpsz[nRead++] = ch;
    }
    lpsz[nRead] = 0;
    return bAny ? lpsz : nullptr;
}

BOOL CArchive::ReadString(CString& rString)
{
    rString.Empty();
    bool bAny = false;
    TCHAR ch;
    int kind;
    while ((kind = NextLineChar(ch)) != 0)
    {
        bAny = true;
        if (kind < 0)
        {
            break;
        }
        rString.AppendChar(ch);
    }
    return bAny;
}

/////////////////////////////////////////////////////////////////////////////
// Counts

void CArchive::WriteCount(DWORD_PTR dwCount)
{
    if (dwCount < 0xFFFF)
    {
        *this << static_cast<WORD>(dwCount);
        return;
    }
    *this << static_cast<WORD>(0xFFFF);
    if (dwCount < 0xFFFFFFFF)
    {
        *this << static_cast<DWORD>(dwCount);
        return;
    }
    *this << static_cast<DWORD>(0xFFFFFFFF) << static_cast<ULONGLONG>(dwCount);
}

DWORD_PTR CArchive::ReadCount()
{
    WORD wCount;
    *this >> wCount;
    if (wCount != 0xFFFF)
    {
        return wCount;
    }
    DWORD dwCount;
    *this >> dwCount;
    if (dwCount != 0xFFFFFFFF)
    {
        return dwCount;
    }
    ULONGLONG qwCount;
    *this >> qwCount;
    return static_cast<DWORD_PTR>(qwCount);
}

/////////////////////////////////////////////////////////////////////////////
// Classes and objects

bool afximpl::ArchiveMaps::WriteBackReference(CArchive& ar, const void* p, bool bClass) const
{
    const auto found = stored.find(p);
    if (found == stored.end())
    {
        return false;
    }
    if (found->second < wBigObjectTag)
    {
        ar << static_cast<WORD>((bClass ? wClassTag : 0) | found->second);
    }
    else
    {
        ar << wBigObjectTag << static_cast<DWORD>((bClass ? dwBigClassTag : 0) | found->second);
    }
    return true;
}

afximpl::ArchiveMaps& CArchive::Maps()
{
    if (m_pMaps == nullptr)
    {
        m_pMaps = CatchBadAlloc([] { return new afximpl::ArchiveMaps; });
    }
    return *m_pMaps;
}

void CArchive::MapObject(const CObject* pOb)
{
    afximpl::ArchiveMaps& maps = Maps();
    if (IsStoring())
    {
        if (pOb != nullptr && maps.stored.count(pOb) == 0)
        {
            if (maps.nStoreCount >= nMaxMapCount)
            {
                ThrowArchive(CArchiveException::badIndex);
            }
            CatchBadAlloc([&] { return maps.stored.emplace(pOb, maps.nStoreCount++); });
        }
    }
    else
    {
        if (maps.loaded.size() >= nMaxMapCount)
        {
            ThrowArchive(CArchiveException::badIndex);
        }
        CatchBadAlloc([&] { return maps.loaded.push_back({pOb, false}), 0; });
    }
}

void CArchive::WriteClass(const CRuntimeClass* pClassRef)
{
    if (!IsStoring())
    {
        ThrowArchive(CArchiveException::readOnly);
    }
    if (pClassRef == nullptr)
    {
        AfxThrowInvalidArgException();
    }
    if (pClassRef->m_wSchema == 0xFFFF)
    {
        TRACE("Cannot store class %hs: it is not declared SERIAL.\n", pClassRef->m_lpszClassName);
        AfxThrowNotSupportedException();
    }
    afximpl::ArchiveMaps& maps = Maps();
    if (maps.WriteBackReference(*this, pClassRef, true))
    {
        return;
    }
    *this << wNewClassTag;
    pClassRef->Store(*this);
    if (maps.nStoreCount >= nMaxMapCount)
    {
        ThrowArchive(CArchiveException::badIndex);
    }
    CatchBadAlloc([&] { return maps.stored.emplace(pClassRef, maps.nStoreCount++); });
}

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* pClassRefRequested, UINT* pSchema, DWORD* pObTag)
{
    if (!IsLoading())
    {
        ThrowArchive(CArchiveException::writeOnly);
    }
    if (pClassRefRequested != nullptr && pClassRefRequested->m_wSchema == 0xFFFF)
    {
        TRACE("Cannot load class %hs: it is not declared SERIAL.\n", pClassRefRequested->m_lpszClassName);
        AfxThrowNotSupportedException();
    }
    afximpl::ArchiveMaps& maps = Maps();

    WORD wTag;
    *this >> wTag;
    DWORD obTag;
    if (wTag == wBigObjectTag)
    {
        *this >> obTag;
    }
    else
    {
        obTag = (static_cast<DWORD>(wTag & wClassTag) << 16) | (wTag & ~wClassTag);
    }
    if ((obTag & dwBigClassTag) == 0)
    {
        // An object reference, which only ReadObject can resolve.
        if (pObTag == nullptr)
        {
            ThrowArchive(CArchiveException::badIndex);
        }
        *pObTag = obTag;
        return nullptr;
    }

    CRuntimeClass* pClassRef;
    UINT nSchema;
    if (wTag == wNewClassTag)
    {
        pClassRef = CRuntimeClass::Load(*this, &nSchema);
        if (pClassRef == nullptr || pClassRef->m_wSchema == 0xFFFF)
        {
            ThrowArchive(CArchiveException::badClass);
        }
        if ((pClassRef->m_wSchema & ~VERSIONABLE_SCHEMA) != nSchema)
        {
            if ((pClassRef->m_wSchema & VERSIONABLE_SCHEMA) == 0)
            {
                ThrowArchive(CArchiveException::badSchema);
            }
            CatchBadAlloc([&] { return maps.schemas[pClassRef] = nSchema; });
        }
        if (maps.loaded.size() >= nMaxMapCount)
        {
            ThrowArchive(CArchiveException::badIndex);
        }
        CatchBadAlloc([&] { return maps.loaded.push_back({pClassRef, true}), 0; });
    }
    else
    {
        const DWORD nClassIndex = obTag & ~dwBigClassTag;
        if (nClassIndex == 0 || nClassIndex >= maps.loaded.size() || !maps.loaded[nClassIndex].bClass)
        {
            ThrowArchive(CArchiveException::badIndex);
        }
        pClassRef = static_cast<CRuntimeClass*>(const_cast<void*>(maps.loaded[nClassIndex].p));
        const auto schema = maps.schemas.find(pClassRef);
        nSchema = schema != maps.schemas.end() ? schema->second : pClassRef->m_wSchema & ~VERSIONABLE_SCHEMA;
    }

    if (pClassRefRequested != nullptr && !pClassRef->IsDerivedFrom(pClassRefRequested))
    {
        ThrowArchive(CArchiveException::badClass);
    }
    if (pSchema != nullptr)
    {
        *pSchema = nSchema;
    }
    else
    {
        m_nObjectSchema = nSchema;
    }
    if (pObTag != nullptr)
    {
        *pObTag = obTag;
    }
    return pClassRef;
}

void CArchive::SerializeClass(const CRuntimeClass* pClassRef)
{
    if (IsStoring())
    {
        WriteClass(pClassRef);
    }
    else
    {
        ReadClass(pClassRef);
    }
}

void CArchive::WriteObject(const CObject* pOb)
{
    if (!IsStoring())
    {
        ThrowArchive(CArchiveException::readOnly);
    }
    if (pOb == nullptr)
    {
        *this << wNullTag;
        return;
    }
    if (Maps().WriteBackReference(*this, pOb, false))
    {
        return;
    }
    WriteClass(pOb->GetRuntimeClass());
    // Entered before its contents, so references back to it from inside its own graph resolve.
    MapObject(pOb);
    const_cast<CObject*>(pOb)->Serialize(*this);
}

CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested)
{
    if (!IsLoading())
    {
        ThrowArchive(CArchiveException::writeOnly);
    }
    UINT nSchema = 0;
    DWORD obTag = 0;
    CRuntimeClass* pClassRef = ReadClass(pClassRefRequested, &nSchema, &obTag);
    afximpl::ArchiveMaps& maps = Maps();
    if (pClassRef == nullptr)
    {
        if (obTag >= maps.loaded.size() || maps.loaded[obTag].bClass)
        {
            ThrowArchive(CArchiveException::badIndex);
        }
        CObject* pOb = static_cast<CObject*>(const_cast<void*>(maps.loaded[obTag].p));
        if (pOb != nullptr && pClassRefRequested != nullptr && !pOb->IsKindOf(pClassRefRequested))
        {
            ThrowArchive(CArchiveException::badClass);
        }
        return pOb;
    }

    CObject* pOb = pClassRef->CreateObject();
    if (pOb == nullptr)
    {
        AfxThrowMemoryException();
    }
    const size_t nIndex = maps.loaded.size();
    const UINT nSchemaSaved = m_nObjectSchema;
    try
    {
        MapObject(pOb);
        m_nObjectSchema = nSchema;
        pOb->Serialize(*this);
    }
    catch (...)
    {
        // The load fails as a whole: the half-read object goes, and nothing may refer to it any more.
        if (m_pMaps != nullptr && nIndex < m_pMaps->loaded.size())
        {
            m_pMaps->loaded[nIndex].p = nullptr;
        }
        m_nObjectSchema = nSchemaSaved;
        delete pOb;
        throw;
    }
    m_nObjectSchema = nSchemaSaved;
    return pOb;
}

/////////////////////////////////////////////////////////////////////////////
// Run-time classes in archives

void CRuntimeClass::Store(CArchive& ar) const
{
    const WORD nLen = static_cast<WORD>(std::strlen(m_lpszClassName));
    ar << static_cast<WORD>(m_wSchema) << nLen;
    ar.Write(m_lpszClassName, nLen);
}

CRuntimeClass* PASCAL CRuntimeClass::Load(CArchive& ar, UINT* pwSchemaNum)
{
    if (pwSchemaNum == nullptr)
    {
        AfxThrowInvalidArgException();
    }
    WORD wSchema;
    WORD nLen;
    ar >> wSchema >> nLen;
    char szClassName[nMaxClassName + 1];
    if (nLen > nMaxClassName || ar.Read(szClassName, nLen) != nLen)
    {
        return nullptr;
    }
    szClassName[nLen] = 0;
    *pwSchemaNum = wSchema;
    CRuntimeClass* pClass = FromName(szClassName);
    if (pClass == nullptr)
    {
        TRACE("Cannot load class %hs: no class of that name is registered.\n", szClassName);
    }
    return pClass;
}

/////////////////////////////////////////////////////////////////////////////
// Strings

namespace
{
void WriteStringLength(CArchive& ar, ULONGLONG nLength, bool bWide)
{
    if (bWide)
    {
        ar << static_cast<BYTE>(0xFF) << static_cast<WORD>(0xFFFE);
    }
    if (nLength < 0xFF)
    {
        ar << static_cast<BYTE>(nLength);
        return;
    }
    ar << static_cast<BYTE>(0xFF);
    if (nLength < 0xFFFE)
    {
        ar << static_cast<WORD>(nLength);
        return;
    }
    ar << static_cast<WORD>(0xFFFF);
    if (nLength < 0xFFFFFFFF)
    {
        ar << static_cast<DWORD>(nLength);
        return;
    }
    ar << static_cast<DWORD>(0xFFFFFFFF) << nLength;
}

// The length of a stored string and whether its characters are wide.
ULONGLONG ReadStringLength(CArchive& ar, bool& bWide)
{
    bWide = false;
    BYTE bLength;
    ar >> bLength;
    if (bLength < 0xFF)
    {
        return bLength;
    }
    WORD wLength;
    ar >> wLength;
    if (wLength == 0xFFFE)
    {
        bWide = true;
        ar >> bLength;
        if (bLength < 0xFF)
        {
            return bLength;
        }
        ar >> wLength;
    }
    if (wLength < 0xFFFF)
    {
        return wLength;
    }
    DWORD dwLength;
    ar >> dwLength;
    if (dwLength < 0xFFFFFFFF)
    {
        return dwLength;
    }
    ULONGLONG qwLength;
    ar >> qwLength;
    return qwLength;
}

template <typename Char> CStringT<Char> ReadChars(CArchive& ar, ULONGLONG nLength)
{
    CStringT<Char> text;
    std::vector<Char> chunk;
    while (nLength > 0)
    {
        const int nCount = static_cast<int>(std::min(nLength, nStringChunk));
        if (text.GetLength() > INT_MAX - nCount)
        {
            AfxThrowMemoryException();
        }
        CatchBadAlloc([&] { return chunk.resize(static_cast<size_t>(nCount)), 0; });
        const UINT nBytes = static_cast<UINT>(nCount) * sizeof(Char);
        if (ar.Read(chunk.data(), nBytes) != nBytes)
        {
            AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
        }
        text.Append(chunk.data(), nCount);
        nLength -= static_cast<ULONGLONG>(nCount);
    }
    return text;
}

template <typename Char> void WriteText(CArchive& ar, const CStringT<Char>& str)
{
    WriteStringLength(ar, static_cast<ULONGLONG>(str.GetLength()), sizeof(Char) == sizeof(wchar_t));
    ar.Write(str.GetString(), static_cast<UINT>(str.GetLength()) * sizeof(Char));
}

// Either kind of stored string into either kind of CString, converting through the ANSI code page.
template <typename Char> void ReadText(CArchive& ar, CStringT<Char>& str)
{
    bool bWide;
    const ULONGLONG nLength = ReadStringLength(ar, bWide);
    if (bWide)
    {
        str = ReadChars<wchar_t>(ar, nLength);
    }
    else
    {
        str = ReadChars<char>(ar, nLength);
    }
}
} // namespace

CArchive& AFXAPI operator<<(CArchive& ar, const CStringW& str)
{
    WriteText(ar, str);
    return ar;
}

CArchive& AFXAPI operator<<(CArchive& ar, const CStringA& str)
{
    WriteText(ar, str);
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, CStringW& str)
{
    ReadText(ar, str);
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, CStringA& str)
{
    ReadText(ar, str);
    return ar;
}

/////////////////////////////////////////////////////////////////////////////
// Objects

CArchive& AFXAPI operator<<(CArchive& ar, const CObject* pOb)
{
    ar.WriteObject(pOb);
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, CObject*& pOb)
{
    pOb = ar.ReadObject(nullptr);
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, const CObject*& pOb)
{
    pOb = ar.ReadObject(nullptr);
    return ar;
}

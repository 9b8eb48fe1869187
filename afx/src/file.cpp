// CTime, CFile and CStdioFile.
#include "afx.h"

#include <io.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <vector>

namespace
{
// 100-nanosecond intervals between 1 January 1601 (file times) and 1 January 1970 (CTime).
constexpr ULONGLONG UnixEpochInFileTime = 116444736000000000ULL;
constexpr ULONGLONG FileTimeUnitsPerSecond = 10000000ULL;
// The last second the C runtime's 64-bit time functions accept: 31 December 3000, 23:59:59 UTC.
constexpr __time64_t LastValidTime = 32535215999LL;

constexpr UINT StdioBufferSize = 4096;

// Writes text to a C-runtime stream; false when the stream fails.
//
// The runtime encodes what it hands to the system in blocks of 512 UTF-16 units, and Wine's turns a
// surrogate pair split between two blocks of a UTF-8 stream into two replacement characters. Text with
// pairs therefore leaves the stream's buffer in pieces that fit one block even when text mode doubles every
// character (each "\n" becomes CR LF), each piece ending on a whole character.
bool WriteStreamText(FILE* pStream, LPCTSTR lpsz)
{
    const int nLength = lstrlenW(lpsz);
    if (std::none_of(lpsz, lpsz + nLength, [](wchar_t ch) { return IS_HIGH_SURROGATE(ch); }))
    {
        return fputws(lpsz, pStream) != WEOF;
    }
    if (fflush(pStream) != 0)
    {
        return false;
    }
    constexpr int nMaxPiece = 255;
    for (int nDone = 0; nDone < nLength;)
    {
        int nTake = std::min(nMaxPiece, nLength - nDone);
        if (nDone + nTake < nLength && IS_HIGH_SURROGATE(lpsz[nDone + nTake - 1]))
        {
            --nTake;
        }
        if (fputws(CString(lpsz + nDone, nTake), pStream) == WEOF || fflush(pStream) != 0)
        {
            return false;
        }
        nDone += nTake;
    }
    return true;
}

ULONGLONG FileTimeValue(const FILETIME& fileTime)
{
    return (static_cast<ULONGLONG>(fileTime.dwHighDateTime) << 32) | fileTime.dwLowDateTime;
}

// The full path of a name, of any length; empty (with the last error set) when there is none.
CString FullPathOf(LPCTSTR lpszFileName)
{
    const DWORD needed = ::GetFullPathNameW(lpszFileName, 0, nullptr, nullptr);
    if (needed == 0)
    {
        return CString();
    }
    CString full;
    const DWORD written =
        ::GetFullPathNameW(lpszFileName, needed, full.GetBuffer(static_cast<int>(needed)), nullptr);
    full.ReleaseBuffer(written < needed ? static_cast<int>(written) : 0);
    return full;
}

// A status time: a file time CTime cannot hold is left at zero, as MFC does.
CTime StatusTime(const FILETIME& fileTime)
{
    return CTime::IsValidFILETIME(fileTime) ? CTime(fileTime) : CTime();
}

void FillStatusTimes(CFileStatus& rStatus, const FILETIME& created, const FILETIME& accessed,
                     const FILETIME& written)
{
    rStatus.m_ctime = StatusTime(created);
    rStatus.m_atime = StatusTime(accessed);
    rStatus.m_mtime = StatusTime(written);
    // File systems that keep no creation or access time still get a plausible one.
    if (rStatus.m_ctime.GetTime() == 0)
    {
        rStatus.m_ctime = rStatus.m_mtime;
    }
    if (rStatus.m_atime.GetTime() == 0)
    {
        rStatus.m_atime = rStatus.m_mtime;
    }
}
} // namespace

/////////////////////////////////////////////////////////////////////////////
// CTime

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST)
{
    struct tm fields = {};
    fields.tm_year = nYear - 1900;
    fields.tm_mon = nMonth - 1;
    fields.tm_mday = nDay;
    fields.tm_hour = nHour;
    fields.tm_min = nMin;
    fields.tm_sec = nSec;
    fields.tm_isdst = nDST;
    m_time = _mktime64(&fields);
    if (nYear < 1900 || m_time == -1)
    {
        AfxThrowInvalidArgException();
    }
}

CTime::CTime(const FILETIME& fileTime, int /*nDST*/)
{
    // A file time is already absolute, so no local-time round trip is needed.
    if (!IsValidFILETIME(fileTime))
    {
        AfxThrowInvalidArgException();
    }
    m_time =
        static_cast<__time64_t>((FileTimeValue(fileTime) - UnixEpochInFileTime) / FileTimeUnitsPerSecond);
}

CTime::CTime(const SYSTEMTIME& sysTime, int nDST)
    : CTime(sysTime.wYear, sysTime.wMonth, sysTime.wDay, sysTime.wHour, sysTime.wMinute, sysTime.wSecond,
            nDST)
{
}

CTime WINAPI CTime::GetCurrentTime() noexcept
{
    return CTime(_time64(nullptr));
}

BOOL WINAPI CTime::IsValidFILETIME(const FILETIME& fileTime) noexcept
{
    const ULONGLONG value = FileTimeValue(fileTime);
    if (value < UnixEpochInFileTime)
    {
        return FALSE;
    }
    return (value - UnixEpochInFileTime) / FileTimeUnitsPerSecond <= static_cast<ULONGLONG>(LastValidTime);
}

bool CTime::LocalFields(struct tm& fields) const noexcept
{
    return m_time >= 0 && m_time <= LastValidTime && _localtime64_s(&fields, &m_time) == 0;
}

BOOL CTime::GetAsSystemTime(SYSTEMTIME& timeDest) const noexcept
{
    struct tm fields;
    if (!LocalFields(fields))
    {
        return FALSE;
    }
    timeDest.wYear = static_cast<WORD>(fields.tm_year + 1900);
    timeDest.wMonth = static_cast<WORD>(fields.tm_mon + 1);
    timeDest.wDayOfWeek = static_cast<WORD>(fields.tm_wday);
    timeDest.wDay = static_cast<WORD>(fields.tm_mday);
    timeDest.wHour = static_cast<WORD>(fields.tm_hour);
    timeDest.wMinute = static_cast<WORD>(fields.tm_min);
    timeDest.wSecond = static_cast<WORD>(fields.tm_sec);
    timeDest.wMilliseconds = 0;
    return TRUE;
}

int CTime::GetYear() const noexcept
{
    struct tm fields;
    return LocalFields(fields) ? fields.tm_year + 1900 : 0;
}

int CTime::GetMonth() const noexcept
{
    struct tm fields;
    return LocalFields(fields) ? fields.tm_mon + 1 : 0;
}

int CTime::GetDay() const noexcept
{
    struct tm fields;
    return LocalFields(fields) ? fields.tm_mday : 0;
}

int CTime::GetHour() const noexcept
{
    struct tm fields;
    return LocalFields(fields) ? fields.tm_hour : 0;
}

int CTime::GetMinute() const noexcept
{
    struct tm fields;
    return LocalFields(fields) ? fields.tm_min : 0;
}

int CTime::GetSecond() const noexcept
{
    struct tm fields;
    return LocalFields(fields) ? fields.tm_sec : 0;
}

int CTime::GetDayOfWeek() const noexcept
{
    struct tm fields;
    return LocalFields(fields) ? fields.tm_wday + 1 : 0;
}

/////////////////////////////////////////////////////////////////////////////
// CFile

IMPLEMENT_DYNAMIC(CFile, CObject)

const HANDLE CFile::hFileNull = INVALID_HANDLE_VALUE;

CFile::CFile() : m_hFile(hFileNull), m_bCloseOnDelete(FALSE) {}

CFile::CFile(HANDLE hFile) : m_hFile(hFile), m_bCloseOnDelete(FALSE) {}

CFile::CFile(LPCTSTR lpszFileName, UINT nOpenFlags) : m_hFile(hFileNull), m_bCloseOnDelete(FALSE)
{
    CFileException error;
    if (!CFile::Open(lpszFileName, nOpenFlags, &error))
    {
        AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
    }
}

CFile::~CFile()
{
    if (m_hFile != hFileNull && m_bCloseOnDelete)
    {
        // A destructor must not throw: a failing close is as final as a successful one.
        ::CloseHandle(m_hFile);
    }
}

BOOL CFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    if (m_hFile != hFileNull && m_bCloseOnDelete)
    {
        CFile::Abort();
    }
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();

    const auto fail = [&](DWORD osError)
    {
        if (pError != nullptr)
        {
            pError->m_lOsError = static_cast<LONG>(osError);
            pError->m_cause = CFileException::OsErrorToException(static_cast<LONG>(osError));
            pError->m_strFileName = lpszFileName;
        }
        ::SetLastError(osError);
        return FALSE;
    };

    if (lpszFileName == nullptr || *lpszFileName == 0)
    {
        return fail(ERROR_INVALID_NAME);
    }
    // Text and binary mode only mean something to CStdioFile.
    nOpenFlags &= ~static_cast<UINT>(typeText | typeBinary);

    DWORD access = 0;
    switch (nOpenFlags & 3)
    {
    case modeRead:
        access = GENERIC_READ;
        break;
    case modeWrite:
        access = GENERIC_WRITE;
        break;
    case modeReadWrite:
        access = GENERIC_READ | GENERIC_WRITE;
        break;
    default:
        return fail(ERROR_INVALID_PARAMETER);
    }

    DWORD share = 0;
    switch (nOpenFlags & 0x70)
    {
    case shareCompat:
    case shareExclusive:
        share = 0;
        break;
    case shareDenyWrite:
        share = FILE_SHARE_READ;
        break;
    case shareDenyRead:
        share = FILE_SHARE_WRITE;
        break;
    case shareDenyNone:
        share = FILE_SHARE_READ | FILE_SHARE_WRITE;
        break;
    default:
        return fail(ERROR_INVALID_PARAMETER);
    }

    const DWORD creation = (nOpenFlags & modeCreate) == 0       ? OPEN_EXISTING
                           : (nOpenFlags & modeNoTruncate) != 0 ? OPEN_ALWAYS
                                                                : CREATE_ALWAYS;
    DWORD attributes = FILE_ATTRIBUTE_NORMAL;
    if (nOpenFlags & osNoBuffer)
        attributes |= FILE_FLAG_NO_BUFFERING;
    if (nOpenFlags & osWriteThrough)
        attributes |= FILE_FLAG_WRITE_THROUGH;
    if (nOpenFlags & osRandomAccess)
        attributes |= FILE_FLAG_RANDOM_ACCESS;
    if (nOpenFlags & osSequentialScan)
        attributes |= FILE_FLAG_SEQUENTIAL_SCAN;

    const CString fullPath = FullPathOf(lpszFileName);
    if (fullPath.IsEmpty())
    {
        return fail(::GetLastError() != 0 ? ::GetLastError() : ERROR_INVALID_NAME);
    }

    SECURITY_ATTRIBUTES security = {sizeof(security), nullptr, (nOpenFlags & modeNoInherit) == 0};
    const HANDLE hFile = ::CreateFileW(lpszFileName, access, share, &security, creation, attributes, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
    {
        return fail(::GetLastError());
    }
    m_hFile = hFile;
    m_bCloseOnDelete = TRUE;
    m_strFileName = fullPath;
    return TRUE;
}

void CFile::ThrowLastError() const
{
    const DWORD error = ::GetLastError();
    // A failure without an error code still has to be reported as one.
    AfxThrowFileException(CFileException::OsErrorToException(static_cast<LONG>(error)),
                          error != 0 ? static_cast<LONG>(error) : -1, m_strFileName);
}

void CFile::Close()
{
    BOOL bError = FALSE;
    DWORD error = 0;
    if (m_hFile != hFileNull)
    {
        bError = !::CloseHandle(m_hFile);
        error = ::GetLastError();
    }
    const CString name = m_strFileName;
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
    if (bError)
    {
        CFileException::ThrowOsError(static_cast<LONG>(error), name);
    }
}

void CFile::Abort()
{
    if (m_hFile != hFileNull)
    {
        ::CloseHandle(m_hFile);
        m_hFile = hFileNull;
    }
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0)
    {
        return 0;
    }
    if (lpBuf == nullptr)
    {
        AfxThrowInvalidArgException();
    }
    DWORD read = 0;
    if (!::ReadFile(m_hFile, lpBuf, nCount, &read, nullptr))
    {
        ThrowLastError();
    }
    return read;
}

void CFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
    {
        return;
    }
    if (lpBuf == nullptr)
    {
        AfxThrowInvalidArgException();
    }
    DWORD written = 0;
    if (!::WriteFile(m_hFile, lpBuf, nCount, &written, nullptr))
    {
        ThrowLastError();
    }
    if (written != nCount)
    {
        AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
    }
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom)
{
    if (nFrom > end)
    {
        AfxThrowInvalidArgException();
    }
    LARGE_INTEGER distance;
    distance.QuadPart = lOff;
    LARGE_INTEGER position;
    if (!::SetFilePointerEx(m_hFile, distance, &position, nFrom))
    {
        ThrowLastError();
    }
    return static_cast<ULONGLONG>(position.QuadPart);
}

ULONGLONG CFile::GetPosition() const
{
    LARGE_INTEGER distance = {};
    LARGE_INTEGER position;
    if (!::SetFilePointerEx(m_hFile, distance, &position, FILE_CURRENT))
    {
        ThrowLastError();
    }
    return static_cast<ULONGLONG>(position.QuadPart);
}

ULONGLONG CFile::GetLength() const
{
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(m_hFile, &size))
    {
        ThrowLastError();
    }
    return static_cast<ULONGLONG>(size.QuadPart);
}

void CFile::SetLength(ULONGLONG dwNewLen)
{
    CFile::Seek(static_cast<LONGLONG>(dwNewLen), begin);
    if (!::SetEndOfFile(m_hFile))
    {
        ThrowLastError();
    }
}

void CFile::Flush()
{
    if (m_hFile == hFileNull)
    {
        return;
    }
    if (!::FlushFileBuffers(m_hFile))
    {
        ThrowLastError();
    }
}

void CFile::LockRange(ULONGLONG dwPos, ULONGLONG dwCount)
{
    if (!::LockFile(m_hFile, static_cast<DWORD>(dwPos), static_cast<DWORD>(dwPos >> 32),
                    static_cast<DWORD>(dwCount), static_cast<DWORD>(dwCount >> 32)))
    {
        ThrowLastError();
    }
}

void CFile::UnlockRange(ULONGLONG dwPos, ULONGLONG dwCount)
{
    if (!::UnlockFile(m_hFile, static_cast<DWORD>(dwPos), static_cast<DWORD>(dwPos >> 32),
                      static_cast<DWORD>(dwCount), static_cast<DWORD>(dwCount >> 32)))
    {
        ThrowLastError();
    }
}

CFile* CFile::Duplicate() const
{
    if (m_hFile == hFileNull)
    {
        return nullptr;
    }
    HANDLE duplicate = nullptr;
    if (!::DuplicateHandle(::GetCurrentProcess(), m_hFile, ::GetCurrentProcess(), &duplicate, 0, FALSE,
                           DUPLICATE_SAME_ACCESS))
    {
        ThrowLastError();
    }
    CFile* copy = new CFile(duplicate);
    copy->m_bCloseOnDelete = TRUE;
    copy->m_strFileName = m_strFileName;
    return copy;
}

CString CFile::GetFilePath() const
{
    return m_strFileName;
}

CString CFile::GetFileName() const
{
    const int separator = std::max(
        {m_strFileName.ReverseFind(L'\\'), m_strFileName.ReverseFind(L'/'), m_strFileName.ReverseFind(L':')});
    return m_strFileName.Mid(separator + 1);
}

CString CFile::GetFileTitle() const
{
    const CString name = GetFileName();
    const int dot = name.ReverseFind(L'.');
    return dot < 0 ? name : name.Left(dot);
}

void CFile::SetFilePath(LPCTSTR lpszNewName)
{
    m_strFileName = lpszNewName;
}

BOOL CFile::GetStatus(CFileStatus& rStatus) const
{
    rStatus = CFileStatus();
    lstrcpynW(rStatus.m_szFullName, m_strFileName, _MAX_PATH);
    if (m_hFile == hFileNull)
    {
        ::SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    BY_HANDLE_FILE_INFORMATION information;
    if (!::GetFileInformationByHandle(m_hFile, &information))
    {
        return FALSE;
    }
    rStatus.m_size = (static_cast<ULONGLONG>(information.nFileSizeHigh) << 32) | information.nFileSizeLow;
    rStatus.m_attribute = static_cast<BYTE>(information.dwFileAttributes & ~FILE_ATTRIBUTE_NORMAL);
    FillStatusTimes(rStatus, information.ftCreationTime, information.ftLastAccessTime,
                    information.ftLastWriteTime);
    return TRUE;
}

BOOL PASCAL CFile::GetStatus(LPCTSTR lpszFileName, CFileStatus& rStatus)
{
    rStatus.m_szFullName[0] = 0;
    if (lpszFileName == nullptr || *lpszFileName == 0)
    {
        ::SetLastError(ERROR_INVALID_NAME);
        return FALSE;
    }
    // The status carries the full name in a fixed array, so a longer name has no status.
    const CString fullPath = FullPathOf(lpszFileName);
    if (fullPath.IsEmpty() || fullPath.GetLength() >= _MAX_PATH)
    {
        ::SetLastError(fullPath.IsEmpty() ? ::GetLastError() : ERROR_FILENAME_EXCED_RANGE);
        return FALSE;
    }

    WIN32_FIND_DATAW found;
    const HANDLE hFind = ::FindFirstFileW(lpszFileName, &found);
    if (hFind == INVALID_HANDLE_VALUE)
    {
        return FALSE;
    }
    ::FindClose(hFind);

    lstrcpynW(rStatus.m_szFullName, fullPath, _MAX_PATH);
    rStatus.m_size = (static_cast<ULONGLONG>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
    // CFile's attributes have no "normal" bit: a plain file has none set.
    rStatus.m_attribute = static_cast<BYTE>(found.dwFileAttributes & ~FILE_ATTRIBUTE_NORMAL);
    rStatus._m_padding = 0;
    FillStatusTimes(rStatus, found.ftCreationTime, found.ftLastAccessTime, found.ftLastWriteTime);
    return TRUE;
}

void PASCAL CFile::Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName)
{
    if (!::MoveFileW(lpszOldName, lpszNewName))
    {
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), lpszOldName);
    }
}

void PASCAL CFile::Remove(LPCTSTR lpszFileName)
{
    if (!::DeleteFileW(lpszFileName))
    {
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), lpszFileName);
    }
}

/////////////////////////////////////////////////////////////////////////////
// CStdioFile

IMPLEMENT_DYNAMIC(CStdioFile, CFile)

CStdioFile::CStdioFile()
    : m_pStream(nullptr), m_bTextMode(TRUE), m_pReadBuffer(nullptr), m_nReadPos(0), m_nReadEnd(0)
{
}

CStdioFile::CStdioFile(FILE* pOpenStream)
    : m_pStream(pOpenStream), m_bTextMode(TRUE), m_pReadBuffer(nullptr), m_nReadPos(0), m_nReadEnd(0)
{
    if (pOpenStream == nullptr)
    {
        AfxThrowInvalidArgException();
    }
    // The handle serves what only the file system answers (status, locks); the caller keeps owning it.
    m_hFile = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(pOpenStream)));
}

CStdioFile::CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags)
    : m_pStream(nullptr), m_bTextMode(TRUE), m_pReadBuffer(nullptr), m_nReadPos(0), m_nReadEnd(0)
{
    CFileException error;
    if (!CStdioFile::Open(lpszFileName, nOpenFlags, &error))
    {
        AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
    }
}

CStdioFile::~CStdioFile()
{
    delete[] m_pReadBuffer;
}

void CStdioFile::ThrowStreamError(int nCause) const
{
    clearerr(m_pStream);
    AfxThrowFileException(nCause, static_cast<LONG>(_doserrno), m_strFileName);
}

BOOL CStdioFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    if (m_pStream != nullptr)
    {
        Abort();
    }
    m_nReadPos = m_nReadEnd = 0;
    m_strPending.Empty();
    if (!CFile::Open(lpszFileName, nOpenFlags, pError))
    {
        return FALSE;
    }
    m_bTextMode = (nOpenFlags & typeBinary) == 0;
    return TRUE;
}

void CStdioFile::Close()
{
    if (m_pStream != nullptr)
    {
        const bool bFailed = fclose(m_pStream) != 0;
        const auto lOsError = static_cast<LONG>(_doserrno);
        m_pStream = nullptr;
        m_hFile = hFileNull;
        if (bFailed)
        {
            AfxThrowFileException(CFileException::diskFull, lOsError, m_strFileName);
        }
        return;
    }
    m_nReadPos = m_nReadEnd = 0;
    m_strPending.Empty();
    CFile::Close();
}

void CStdioFile::Abort()
{
    if (m_pStream != nullptr)
    {
        fclose(m_pStream);
        m_pStream = nullptr;
        m_hFile = hFileNull;
        return;
    }
    m_nReadPos = m_nReadEnd = 0;
    m_strPending.Empty();
    CFile::Abort();
}

bool CStdioFile::FillBuffer()
{
    if (m_pReadBuffer == nullptr)
    {
        m_pReadBuffer = new char[StdioBufferSize];
    }
    // Unread bytes move to the front, so a CR at the end of the buffer can look at the byte after it.
    const UINT kept = m_nReadEnd - m_nReadPos;
    std::memmove(m_pReadBuffer, m_pReadBuffer + m_nReadPos, kept);
    m_nReadPos = 0;
    m_nReadEnd = kept;
    DWORD got = 0;
    if (!::ReadFile(m_hFile, m_pReadBuffer + kept, StdioBufferSize - kept, &got, nullptr))
    {
        ThrowLastError();
    }
    m_nReadEnd += got;
    return got > 0;
}

void CStdioFile::DropReadAhead()
{
    const UINT unread = m_nReadEnd - m_nReadPos;
    m_nReadPos = m_nReadEnd = 0;
    if (unread > 0)
    {
        CFile::Seek(-static_cast<LONGLONG>(unread), current);
    }
}

bool CStdioFile::ReadLineBytes(CStringA& bytes)
{
    for (;;)
    {
        if (m_nReadPos == m_nReadEnd && !FillBuffer())
        {
            return !bytes.IsEmpty();
        }
        const char* start = m_pReadBuffer + m_nReadPos;
        const UINT available = m_nReadEnd - m_nReadPos;
        const char* lf = static_cast<const char*>(std::memchr(start, '\n', available));
        const UINT take = lf != nullptr ? static_cast<UINT>(lf - start) + 1 : available;
        bytes.Append(start, static_cast<int>(take));
        m_nReadPos += take;
        if (lf != nullptr)
        {
            return true;
        }
    }
}

CString CStdioFile::Decode(const char* bytes, int count) const
{
    CString text;
    if (count <= 0)
    {
        return text;
    }
    const int chars = ::MultiByteToWideChar(CP_ACP, 0, bytes, count, nullptr, 0);
    if (chars <= 0)
    {
        ThrowLastError();
    }
    ::MultiByteToWideChar(CP_ACP, 0, bytes, count, text.GetBuffer(chars), chars);
    text.ReleaseBuffer(chars);
    return text;
}

void CStdioFile::WriteString(LPCTSTR lpsz)
{
    if (lpsz == nullptr)
    {
        AfxThrowInvalidArgException();
    }
    if (m_pStream != nullptr)
    {
        if (!WriteStreamText(m_pStream, lpsz))
        {
            ThrowStreamError(CFileException::diskFull);
        }
        return;
    }
    const int length = lstrlenW(lpsz);
    if (length == 0)
    {
        return;
    }
    const int bytes = ::WideCharToMultiByte(CP_ACP, 0, lpsz, length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
    {
        ThrowLastError();
    }
    std::vector<char> text(static_cast<size_t>(bytes));
    ::WideCharToMultiByte(CP_ACP, 0, lpsz, length, text.data(), bytes, nullptr, nullptr);
    Write(text.data(), static_cast<UINT>(bytes));
}

LPTSTR CStdioFile::ReadString(LPTSTR lpsz, UINT nMax)
{
    if (lpsz == nullptr || nMax == 0)
    {
        AfxThrowInvalidArgException();
    }
    if (m_pStream != nullptr)
    {
        LPTSTR lpszResult = fgetws(lpsz, static_cast<int>(std::min<UINT>(nMax, INT_MAX)), m_pStream);
        if (lpszResult == nullptr && ferror(m_pStream))
        {
            ThrowStreamError(CFileException::genericException);
        }
        return lpszResult;
    }
    if (m_strPending.IsEmpty())
    {
        CStringA bytes;
        if (!ReadLineBytes(bytes))
        {
            return nullptr;
        }
        int count = bytes.GetLength();
        if (m_bTextMode && count >= 2 && bytes[count - 2] == '\r' && bytes[count - 1] == '\n')
        {
            bytes.SetAt(count - 2, '\n');
            --count;
        }
        m_strPending = Decode(bytes, count);
    }
    const int take = std::min(m_strPending.GetLength(), static_cast<int>(std::min<UINT>(nMax - 1, INT_MAX)));
    std::memcpy(lpsz, m_strPending.GetString(), static_cast<size_t>(take) * sizeof(wchar_t));
    lpsz[take] = 0;
    m_strPending = m_strPending.Mid(take);
    return lpsz;
}

BOOL CStdioFile::ReadString(CString& rString)
{
    rString.Empty();
    if (m_pStream != nullptr)
    {
        // A line longer than the buffer comes in pieces; the last one ends in "\n" or at the end.
        wchar_t szPiece[256];
        bool bAny = false;
        while (fgetws(szPiece, 256, m_pStream) != nullptr)
        {
            bAny = true;
            rString += szPiece;
            const int nLength = rString.GetLength();
            if (nLength > 0 && rString[nLength - 1] == L'\n')
            {
                rString.Truncate(nLength - 1);
                return TRUE;
            }
        }
        if (ferror(m_pStream))
        {
            ThrowStreamError(CFileException::genericException);
        }
        return bAny;
    }
    if (!m_strPending.IsEmpty())
    {
        rString = m_strPending;
        m_strPending.Empty();
    }
    else
    {
        CStringA bytes;
        if (!ReadLineBytes(bytes))
        {
            return FALSE;
        }
        rString = Decode(bytes, bytes.GetLength());
    }
    const int length = rString.GetLength();
    if (length > 0 && rString[length - 1] == L'\n')
    {
        const bool crlf = m_bTextMode && length > 1 && rString[length - 2] == L'\r';
        rString.Truncate(length - (crlf ? 2 : 1));
    }
    return TRUE;
}

UINT CStdioFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0)
    {
        return 0;
    }
    if (lpBuf == nullptr)
    {
        AfxThrowInvalidArgException();
    }
    if (m_pStream != nullptr)
    {
        const size_t nRead = fread(lpBuf, 1, nCount, m_pStream);
        if (nRead < nCount && ferror(m_pStream))
        {
            ThrowStreamError(CFileException::genericException);
        }
        return static_cast<UINT>(nRead);
    }
    char* out = static_cast<char*>(lpBuf);
    UINT produced = 0;
    if (!m_bTextMode)
    {
        const UINT buffered = std::min(nCount, m_nReadEnd - m_nReadPos);
        if (buffered > 0)
        {
            std::memcpy(out, m_pReadBuffer + m_nReadPos, buffered);
            m_nReadPos += buffered;
        }
        produced = buffered;
        return produced + (produced < nCount ? CFile::Read(out + produced, nCount - produced) : 0);
    }
    while (produced < nCount)
    {
        if (m_nReadPos == m_nReadEnd && !FillBuffer())
        {
            break;
        }
        const char c = m_pReadBuffer[m_nReadPos];
        if (c == '\r' && m_nReadPos + 1 == m_nReadEnd)
        {
            // Whether this CR begins a CR LF depends on the next byte, which is not read yet.
            FillBuffer();
        }
        if (c == '\r' && m_nReadPos + 1 < m_nReadEnd && m_pReadBuffer[m_nReadPos + 1] == '\n')
        {
            ++m_nReadPos;
            continue;
        }
        out[produced++] = c;
        ++m_nReadPos;
    }
    return produced;
}

void CStdioFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
    {
        return;
    }
    if (lpBuf == nullptr)
    {
        AfxThrowInvalidArgException();
    }
    if (m_pStream != nullptr)
    {
        if (fwrite(lpBuf, 1, nCount, m_pStream) != nCount)
        {
            ThrowStreamError(CFileException::diskFull);
        }
        return;
    }
    DropReadAhead();
    m_strPending.Empty();
    if (!m_bTextMode)
    {
        CFile::Write(lpBuf, nCount);
        return;
    }
    const char* in = static_cast<const char*>(lpBuf);
    std::vector<char> text;
    text.reserve(nCount + nCount / 16 + 1);
    for (UINT i = 0; i < nCount; ++i)
    {
        if (in[i] == '\n')
        {
            text.push_back('\r');
        }
        text.push_back(in[i]);
    }
    if (text.size() > UINT_MAX)
    {
        AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
    }
    CFile::Write(text.data(), static_cast<UINT>(text.size()));
}

ULONGLONG CStdioFile::Seek(LONGLONG lOff, UINT nFrom)
{
    if (m_pStream != nullptr)
    {
        if (_fseeki64(m_pStream, lOff, static_cast<int>(nFrom)) != 0)
        {
            ThrowStreamError(CFileException::badSeek);
        }
        return GetPosition();
    }
    if (nFrom == current)
    {
        // The caller's position lies behind the read-ahead.
        lOff -= static_cast<LONGLONG>(m_nReadEnd - m_nReadPos);
    }
    m_nReadPos = m_nReadEnd = 0;
    m_strPending.Empty();
    return CFile::Seek(lOff, nFrom);
}

ULONGLONG CStdioFile::GetPosition() const
{
    if (m_pStream != nullptr)
    {
        const __int64 nPosition = _ftelli64(m_pStream);
        if (nPosition < 0)
        {
            ThrowStreamError(CFileException::genericException);
        }
        return static_cast<ULONGLONG>(nPosition);
    }
    return CFile::GetPosition() - (m_nReadEnd - m_nReadPos);
}

ULONGLONG CStdioFile::GetLength() const
{
    if (m_pStream == nullptr)
    {
        return CFile::GetLength();
    }
    // The stream's buffer may hold more than the file does yet.
    const __int64 nPosition = _ftelli64(m_pStream);
    if (nPosition < 0 || _fseeki64(m_pStream, 0, SEEK_END) != 0)
    {
        ThrowStreamError(CFileException::badSeek);
    }
    const __int64 nLength = _ftelli64(m_pStream);
    if (nLength < 0 || _fseeki64(m_pStream, nPosition, SEEK_SET) != 0)
    {
        ThrowStreamError(CFileException::badSeek);
    }
    return static_cast<ULONGLONG>(nLength);
}

void CStdioFile::Flush()
{
    if (m_pStream != nullptr)
    {
        if (fflush(m_pStream) != 0)
        {
            ThrowStreamError(CFileException::diskFull);
        }
        return;
    }
    DropReadAhead();
    CFile::Flush();
}

CFile* CStdioFile::Duplicate() const
{
    AfxThrowNotSupportedException();
}

// Files: CTime, CFileStatus, CFile (one Win32 file handle with exceptions on failure) and CStdioFile (lines
// of text, CR LF translated in text mode). Included at the end of afx.h.
#pragma once

#ifndef AFX_UMBRELLA_AFX_H
#error This header is part of <afx.h>; include that instead.
#endif

#include <cstdio>
#include <ctime>

class CFileException;

/////////////////////////////////////////////////////////////////////////////
// CTime: an absolute time in seconds since 1 January 1970 UTC, shown in local time.

class AFX_API CTime
{
public:
    CTime() noexcept : m_time(0) {}
    CTime(__time64_t time) noexcept : m_time(time) {}
    // Local calendar time; nDST < 0 lets the C runtime decide whether daylight saving applies.
    CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST = -1);
    // A UTC file time. Throws CInvalidArgException for a time outside the C runtime's range.
    CTime(const FILETIME& fileTime, int nDST = -1);
    // A local system time (as GetLocalTime gives).
    CTime(const SYSTEMTIME& sysTime, int nDST = -1);

    static CTime WINAPI GetCurrentTime() noexcept;
    // Whether a file time lies in the range CTime can hold.
    static BOOL WINAPI IsValidFILETIME(const FILETIME& fileTime) noexcept;

    __time64_t GetTime() const noexcept { return m_time; }
    // FALSE when the time cannot be shown as a calendar date.
    BOOL GetAsSystemTime(SYSTEMTIME& timeDest) const noexcept;

    // Local calendar fields; 0 when the time cannot be shown as a date.
    int GetYear() const noexcept;
    int GetMonth() const noexcept;
    int GetDay() const noexcept;
    int GetHour() const noexcept;
    int GetMinute() const noexcept;
    int GetSecond() const noexcept;
    int GetDayOfWeek() const noexcept; // 1 = Sunday

    bool operator==(CTime other) const noexcept { return m_time == other.m_time; }
    bool operator!=(CTime other) const noexcept { return m_time != other.m_time; }
    bool operator<(CTime other) const noexcept { return m_time < other.m_time; }
    bool operator>(CTime other) const noexcept { return m_time > other.m_time; }
    bool operator<=(CTime other) const noexcept { return m_time <= other.m_time; }
    bool operator>=(CTime other) const noexcept { return m_time >= other.m_time; }

private:
    bool LocalFields(struct tm& fields) const noexcept;

    __time64_t m_time;
};

/////////////////////////////////////////////////////////////////////////////
// CFileStatus

struct CFileStatus
{
    CTime m_ctime;    // creation
    CTime m_mtime;    // last write
    CTime m_atime;    // last access
    ULONGLONG m_size; // bytes
    BYTE m_attribute; // CFile::Attribute bits
    BYTE _m_padding;  // keeps MFC's layout
    TCHAR m_szFullName[_MAX_PATH];
};

/////////////////////////////////////////////////////////////////////////////
// CFile

class AFX_API CFile : public CObject
{
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags
    {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,   // CStdioFile only
        typeBinary = 0x8000, // CStdioFile only
        osNoBuffer = 0x10000,
        osWriteThrough = 0x20000,
        osRandomAccess = 0x40000,
        osSequentialScan = 0x80000,
    };

    enum Attribute
    {
        normal = 0x00,
        readOnly = 0x01,
        hidden = 0x02,
        system = 0x04,
        volume = 0x08,
        directory = 0x10,
        archive = 0x20,
    };

    enum SeekPosition
    {
        begin = 0x0,
        current = 0x1,
        end = 0x2,
    };

    // The handle of a CFile that has no open file.
    static const HANDLE hFileNull;

    CFile();
    // Wraps a handle the caller keeps owning: the CFile never closes it on destruction.
    explicit CFile(HANDLE hFile);
    // Opens at once and throws CFileException when that fails.
    CFile(LPCTSTR lpszFileName, UINT nOpenFlags);
    ~CFile() override;

    HANDLE m_hFile;
    operator HANDLE() const { return m_hFile; }

    // FALSE on failure, with the cause in *pError when it is given; never throws for an open that fails.
    virtual BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr);
    // Throws CFileException when the handle cannot be closed (the CFile is closed anyway).
    virtual void Close();
    // Closes without ever throwing.
    virtual void Abort();

    virtual UINT Read(void* lpBuf, UINT nCount);
    // Throws CFileException with diskFull when fewer bytes than asked could be written.
    virtual void Write(const void* lpBuf, UINT nCount);
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    virtual ULONGLONG GetPosition() const;
    virtual ULONGLONG GetLength() const;
    // Moves the end of the file; the position ends at the new length.
    virtual void SetLength(ULONGLONG dwNewLen);
    virtual void Flush();
    virtual void LockRange(ULONGLONG dwPos, ULONGLONG dwCount);
    virtual void UnlockRange(ULONGLONG dwPos, ULONGLONG dwCount);
    // A second CFile on the same file object (shared position), closed on destruction.
    virtual CFile* Duplicate() const;

    // The full path given to Open, its last component, and that component without its extension.
    virtual CString GetFilePath() const;
    virtual CString GetFileName() const;
    virtual CString GetFileTitle() const;
    virtual void SetFilePath(LPCTSTR lpszNewName);

    BOOL GetStatus(CFileStatus& rStatus) const;
    // FALSE when nothing exists at the path (or the path is too long to describe).
    static BOOL PASCAL GetStatus(LPCTSTR lpszFileName, CFileStatus& rStatus);
    static void PASCAL Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName);
    static void PASCAL Remove(LPCTSTR lpszFileName);

protected:
    // Throws the CFileException that describes the thread's last error.
    void ThrowLastError() const;

    BOOL m_bCloseOnDelete;
    CString m_strFileName;
};

/////////////////////////////////////////////////////////////////////////////
// CStdioFile: text lines over a CFile. Text is stored in the ANSI code page. In text mode (the default
// unless typeBinary is given) a "\n" is written as CR LF and a CR LF is read back as "\n"; in binary mode
// bytes pass unchanged and lines end at LF.
//
// Constructed on a C-runtime stream instead, every operation goes through the stream, so the runtime's
// modes apply, its encodings among them:
//
//     FILE* pStream = _wfopen(L"notes.txt", L"w, ccs=UTF-8");  // UTF-8 with a byte-order mark
//     CStdioFile file(pStream);
//     file.WriteString(L"every character survives\n");
//     file.Close();                                            // closes the stream

class AFX_API CStdioFile : public CFile
{
    DECLARE_DYNAMIC(CStdioFile)
public:
    CStdioFile();
    // Works on a stream the caller opened (fopen, _wfopen): reads, writes, seeks, Flush and Close go
    // through it. The stream stays open when the object is destroyed; Close (or Abort) closes it.
    explicit CStdioFile(FILE* pOpenStream);
    // Opens at once and throws CFileException when that fails.
    CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags);
    ~CStdioFile() override;

    // The stream the object was constructed on, until Close; null for a file opened by name.
    FILE* m_pStream;

    BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr) override;
    void Close() override;
    void Abort() override;

    // Every "\n" becomes CR LF in text mode. Throws CFileException on a write failure.
    virtual void WriteString(LPCTSTR lpsz);
    // Up to nMax - 1 characters, ending after the first "\n" (which is kept); null at the end of the file
    // with nothing read.
    virtual LPTSTR ReadString(LPTSTR lpsz, UINT nMax);
    // One whole line without its "\n"; FALSE at the end of the file with nothing read.
    virtual BOOL ReadString(CString& rString);

    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    ULONGLONG GetPosition() const override;
    ULONGLONG GetLength() const override;
    void Flush() override;
    CFile* Duplicate() const override;

private:
    // Throws the CFileException of a failed stream operation, with the C runtime's last OS error.
    AFX_NORETURN void ThrowStreamError(int nCause) const;

    // Fills the read-ahead buffer; FALSE at the end of the file.
    bool FillBuffer();
    // Gives the read-ahead back to the file, so the handle's position is the caller's position again.
    void DropReadAhead();
    // Reads the next line's bytes up to and including its LF (or to the end of the file); FALSE when
    // nothing was left.
    bool ReadLineBytes(CStringA& bytes);
    CString Decode(const char* bytes, int count) const;

    BOOL m_bTextMode;
    char* m_pReadBuffer;
    UINT m_nReadPos;
    UINT m_nReadEnd;
    // Characters of a line that ReadString(LPTSTR, UINT) could not hand out yet.
    CString m_strPending;
};

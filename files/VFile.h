// VFile: the owner of one Win32 file handle. It opens with a sharing mode, flags and an optional security
// descriptor chosen beforehand, reads at explicit offsets, writes at the file pointer, locks byte ranges,
// maps a whole file read-only and creates uniquely named temporary files.
//
// No operation reports errors itself: each returns whether it worked and leaves the Win32 error of the call
// that failed as the thread's last error.
#pragma once

#include "core/PardalinApi.h"
#include "core/VUnicodeString.h"

class VSecurityDescriptor;

class PARDALIN_API VFile
{
public:
    VFile();
    VFile(const VFile&) = delete;
    VFile& operator=(const VFile&) = delete;
    // Closes the file and deletes the security descriptor.
    virtual ~VFile();

    // Opens with CreateFileW; an open file is closed first. On success the path becomes the name.
    virtual bool Open(const wchar_t* path, DWORD desiredAccess, DWORD creationDisposition);
    // Empties the file; the file pointer stays where it was.
    virtual bool Truncate();
    // moveMethod is FILE_BEGIN, FILE_CURRENT or FILE_END.
    virtual bool Seek(__int64 offset, DWORD moveMethod);
    // On failure the last error is non-zero (it is cleared before the call).
    virtual unsigned __int64 GetPosition();

    // Sharing and flags apply to the next Open.
    void SetShareRead() { m_dwShareMode = FILE_SHARE_READ; }
    void SetShareMode(DWORD shareMode) { m_dwShareMode = shareMode; }
    // Replaces the flags and attributes, so the file is no longer marked normal.
    void SetDeleteOnClose() { m_dwFlagsAndAttributes = FILE_FLAG_DELETE_ON_CLOSE; }
    void SetFlagsAndAttributes(DWORD flagsAndAttributes) { m_dwFlagsAndAttributes = flagsAndAttributes; }
    // Takes ownership; the descriptor replaces (and deletes) any earlier one.
    void SetSecurityDescriptor(VSecurityDescriptor* descriptor);

    // Reads at an absolute offset without using the file pointer. Reading at or past the end succeeds with
    // nothing read.
    bool Read(void* buffer, DWORD count, unsigned __int64 offset, DWORD* bytesRead);
    bool Write(const void* buffer, DWORD count, DWORD* bytesWritten);
    // On failure the last error is non-zero (it is cleared before the call).
    unsigned __int64 GetSize();

    // Waits while another handle holds a conflicting lock on the range.
    bool Lock(unsigned __int64 offset, unsigned __int64 length, bool exclusive);
    bool Unlock(unsigned __int64 offset, unsigned __int64 length);

    // Closes the handle and removes the mapped view; safe to repeat. Keeps the name.
    void Close();

    // Maps the whole file read-only. An empty file opens without a view, so check GetMappedView for null.
    bool OpenMapped(const wchar_t* path);
    const void* GetMappedView() const { return m_pMappedView; }

    // Creates and opens (read and write) the first free name "<directory>\<prefix><n>.tmp", n counting up
    // in hexadecimal from 1; the system's temporary folder when directory is null. createdPath holds the
    // last name tried, also when this fails.
    bool CreateTempFile(const wchar_t* directory, const wchar_t* prefix, VUnicodeString& createdPath);

    bool IsOpen() const { return m_hFile != INVALID_HANDLE_VALUE; }
    HANDLE GetHandle() const { return m_hFile; }
    const VUnicodeString& GetName() const { return m_strName; }

private:
    HANDLE m_hFile;
    VUnicodeString m_strName;
    DWORD m_dwShareMode;
    DWORD m_dwFlagsAndAttributes;
    VSecurityDescriptor* m_pSecurityDescriptor;
    const void* m_pMappedView;
};

/// \class VFile
/// The owner of one Win32 file handle. It opens with a sharing mode, flags and an optional security
/// descriptor chosen beforehand, reads at explicit offsets, writes at the file pointer, locks byte ranges,
/// maps a whole file read-only and creates uniquely named temporary files.
///
/// No operation reports errors itself: each returns whether it worked and leaves the Win32 error of the call
/// that failed as the thread's last error.
///
/// \code{.cpp}
/// VFile file;
/// file.SetShareRead();
/// if (!file.Open(path, GENERIC_READ, OPEN_EXISTING))
///     return GetLastError();
/// BYTE header[16];
/// DWORD read = 0;
/// if (file.Read(header, sizeof(header), 0, &read) && read == sizeof(header))
///     ... use header ...
/// \endcode
#pragma once

#include "core/PardalinApi.h"
#include "core/VUnicodeString.h"

class VSecurityDescriptor;

class PARDALIN_API VFile
{
public:
    /// No file open; sharing none, flags FILE_ATTRIBUTE_NORMAL, no security descriptor.
    VFile();
    VFile(const VFile&) = delete;
    VFile& operator=(const VFile&) = delete;
    /// Closes the file and deletes the security descriptor.
    virtual ~VFile();

    /// Opens with CreateFileW, using the sharing mode, flags and security descriptor set beforehand; an open
    /// file is closed first. On success the path becomes the name. A null path fails with
    /// ERROR_INVALID_PARAMETER.
    virtual bool Open(const wchar_t* path, DWORD desiredAccess, DWORD creationDisposition);
    /// Empties the file; the file pointer stays where it was. On failure the last error is that of the
    /// first call that failed.
    virtual bool Truncate();
    /// Moves the file pointer by offset bytes; moveMethod is FILE_BEGIN, FILE_CURRENT or FILE_END.
    virtual bool Seek(__int64 offset, DWORD moveMethod);
    /// The file pointer's offset in bytes. On failure the last error is non-zero (it is cleared before the
    /// call).
    virtual unsigned __int64 GetPosition();

    /// Sharing (FILE_SHARE_READ only) for the next Open.
    void SetShareRead() { m_dwShareMode = FILE_SHARE_READ; }
    /// The FILE_SHARE_* bits for the next Open; 0 (the default) shares nothing.
    void SetShareMode(DWORD shareMode) { m_dwShareMode = shareMode; }
    /// Makes the next Open use FILE_FLAG_DELETE_ON_CLOSE. Replaces the flags and attributes, so the file is
    /// no longer marked normal.
    void SetDeleteOnClose() { m_dwFlagsAndAttributes = FILE_FLAG_DELETE_ON_CLOSE; }
    /// The flags and attributes CreateFileW gets on the next Open (FILE_ATTRIBUTE_NORMAL by default).
    void SetFlagsAndAttributes(DWORD flagsAndAttributes) { m_dwFlagsAndAttributes = flagsAndAttributes; }
    /// The descriptor the next Open gives the file it creates. Takes ownership; the descriptor replaces (and
    /// deletes) any earlier one. Null removes it.
    void SetSecurityDescriptor(VSecurityDescriptor* descriptor);

    /// Reads up to count bytes at an absolute offset, whatever the file pointer (which ends up after the
    /// bytes read). Reading at or past the end succeeds with nothing read. bytesRead may be null; it is 0
    /// after a failure. An offset beyond the signed 64-bit range fails with ERROR_INVALID_PARAMETER.
    bool Read(void* buffer, DWORD count, unsigned __int64 offset, DWORD* bytesRead);
    /// Writes count bytes at the file pointer. bytesWritten may be null.
    bool Write(const void* buffer, DWORD count, DWORD* bytesWritten);
    /// The file's size in bytes. On failure the last error is non-zero (it is cleared before the call).
    unsigned __int64 GetSize();

    /// Locks length bytes from offset, shared or exclusive. Waits while another handle holds a conflicting
    /// lock on the range.
    bool Lock(unsigned __int64 offset, unsigned __int64 length, bool exclusive);
    /// Releases a range locked with the same offset and length.
    bool Unlock(unsigned __int64 offset, unsigned __int64 length);

    /// Closes the handle and removes the mapped view; safe to repeat. Keeps the name.
    void Close();

    /// Opens an existing file for reading (as Open does) and maps the whole of it read-only. An empty file
    /// opens without a view, so check GetMappedView for null.
    bool OpenMapped(const wchar_t* path);
    /// The view made by OpenMapped, null without one; valid until Close.
    const void* GetMappedView() const { return m_pMappedView; }

    /// Creates and opens (read and write) the first free name `<directory>\<prefix><n>.tmp`, n counting up
    /// in hexadecimal from 1; the system's temporary folder when directory is null. createdPath holds the
    /// last name tried, also when this fails.
    bool CreateTempFile(const wchar_t* directory, const wchar_t* prefix, VUnicodeString& createdPath);

    /// Whether a handle is open.
    bool IsOpen() const { return m_hFile != INVALID_HANDLE_VALUE; }
    /// The handle, still owned by this object; INVALID_HANDLE_VALUE when closed.
    HANDLE GetHandle() const { return m_hFile; }
    /// The path of the last successful Open, kept after Close.
    const VUnicodeString& GetName() const { return m_strName; }

private:
    HANDLE m_hFile;
    VUnicodeString m_strName;
    DWORD m_dwShareMode;
    DWORD m_dwFlagsAndAttributes;
    VSecurityDescriptor* m_pSecurityDescriptor;
    const void* m_pMappedView;
};

#include "files/VFile.h"

#include "files/VSecurityDescriptor.h"
#include "files/detail/PathHelpers.h"
#include "core/detail/OwnedHandle.h"
#include "files/detail/CreateFileHook.h"

namespace
{
OVERLAPPED AtOffset(unsigned __int64 offset)
{
    OVERLAPPED overlapped = {};
    overlapped.Offset = static_cast<DWORD>(offset);
    overlapped.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return overlapped;
}
} // namespace

VFile::VFile()
    : m_hFile(INVALID_HANDLE_VALUE), m_dwShareMode(0), m_dwFlagsAndAttributes(FILE_ATTRIBUTE_NORMAL),
      m_pSecurityDescriptor(nullptr), m_pMappedView(nullptr)
{
}

VFile::~VFile()
{
    Close();
    delete m_pSecurityDescriptor;
}

void VFile::SetSecurityDescriptor(VSecurityDescriptor* descriptor)
{
    if (descriptor != m_pSecurityDescriptor)
    {
        delete m_pSecurityDescriptor;
        m_pSecurityDescriptor = descriptor;
    }
}

bool VFile::Open(const wchar_t* path, DWORD desiredAccess, DWORD creationDisposition)
{
    Close();
    if (path == nullptr)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    SECURITY_ATTRIBUTES security = {};
    security.nLength = sizeof(security);
    security.lpSecurityDescriptor =
        m_pSecurityDescriptor != nullptr ? m_pSecurityDescriptor->GetDescriptor() : nullptr;
    security.bInheritHandle = FALSE;
    const HANDLE handle = pardalin::detail::CreateFileThroughHook(
        path, desiredAccess, m_dwShareMode, &security, creationDisposition, m_dwFlagsAndAttributes, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
    {
        return false;
    }
    m_hFile = handle;
    m_strName = path;
    return true;
}

bool VFile::Read(void* buffer, DWORD count, unsigned __int64 offset, DWORD* bytesRead)
{
    // On a synchronous handle a read at an OVERLAPPED offset and a seek followed by a plain read end alike:
    // the bytes at the offset, the file pointer after them. The seek is used because Wine answers every
    // OVERLAPPED read with an extra server round trip (a completion record), which made block reads about
    // ten times slower than the reading itself.
    LARGE_INTEGER position;
    position.QuadPart = static_cast<LONGLONG>(offset);
    if (bytesRead != nullptr)
    {
        *bytesRead = 0;
    }
    if (static_cast<LONGLONG>(offset) < 0)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    if (!SetFilePointerEx(m_hFile, position, nullptr, FILE_BEGIN))
    {
        return false;
    }
    DWORD read = 0;
    const BOOL ok = ReadFile(m_hFile, buffer, count, &read, nullptr);
    if (bytesRead != nullptr)
    {
        *bytesRead = read;
    }
    if (ok)
    {
        return true;
    }
    if (GetLastError() == ERROR_HANDLE_EOF)
    {
        if (bytesRead != nullptr)
        {
            *bytesRead = 0;
        }
        return true;
    }
    return false;
}

bool VFile::Write(const void* buffer, DWORD count, DWORD* bytesWritten)
{
    DWORD written = 0;
    const BOOL ok = WriteFile(m_hFile, buffer, count, &written, nullptr);
    if (bytesWritten != nullptr)
    {
        *bytesWritten = written;
    }
    return ok != FALSE;
}

bool VFile::Truncate()
{
    const unsigned __int64 position = GetPosition();
    if (!Seek(0, FILE_BEGIN))
    {
        return false;
    }
    const bool truncated = SetEndOfFile(m_hFile) != FALSE;
    // The pointer goes back even when truncation failed, but the first error is the one to report.
    const DWORD error = GetLastError();
    const bool restored = Seek(static_cast<__int64>(position), FILE_BEGIN);
    if (!truncated)
    {
        SetLastError(error);
    }
    return truncated && restored;
}

bool VFile::Seek(__int64 offset, DWORD moveMethod)
{
    LONG high = static_cast<LONG>(offset >> 32);
    // A position whose low half is 0xFFFFFFFF looks like a failure; only the last error tells them apart.
    SetLastError(NO_ERROR);
    const DWORD low = SetFilePointer(m_hFile, static_cast<LONG>(offset), &high, moveMethod);
    return !(low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR);
}

unsigned __int64 VFile::GetPosition()
{
    LONG high = 0;
    SetLastError(NO_ERROR);
    const DWORD low = SetFilePointer(m_hFile, 0, &high, FILE_CURRENT);
    return (static_cast<unsigned __int64>(static_cast<DWORD>(high)) << 32) | low;
}

unsigned __int64 VFile::GetSize()
{
    DWORD high = 0;
    SetLastError(NO_ERROR);
    const DWORD low = GetFileSize(m_hFile, &high);
    return (static_cast<unsigned __int64>(high) << 32) | low;
}

bool VFile::Lock(unsigned __int64 offset, unsigned __int64 length, bool exclusive)
{
    OVERLAPPED overlapped = AtOffset(offset);
    return LockFileEx(m_hFile, exclusive ? LOCKFILE_EXCLUSIVE_LOCK : 0, 0, static_cast<DWORD>(length),
                      static_cast<DWORD>(length >> 32), &overlapped) != FALSE;
}

bool VFile::Unlock(unsigned __int64 offset, unsigned __int64 length)
{
    OVERLAPPED overlapped = AtOffset(offset);
    return UnlockFileEx(m_hFile, 0, static_cast<DWORD>(length), static_cast<DWORD>(length >> 32),
                        &overlapped) != FALSE;
}

void VFile::Close()
{
    if (m_hFile != INVALID_HANDLE_VALUE)
    {
        CloseHandle(m_hFile);
        m_hFile = INVALID_HANDLE_VALUE;
    }
    if (m_pMappedView != nullptr)
    {
        UnmapViewOfFile(m_pMappedView);
        m_pMappedView = nullptr;
    }
}

bool VFile::OpenMapped(const wchar_t* path)
{
    if (!Open(path, GENERIC_READ, OPEN_EXISTING))
    {
        return false;
    }
    const unsigned __int64 size = GetSize();
    if (size == 0 && GetLastError() == NO_ERROR)
    {
        return true;
    }
    // The view keeps the mapping object alive, so its handle can go at once; closing it must not hide why
    // the mapping failed.
    pardalin::detail::OwnedHandle mapping(CreateFileMappingW(m_hFile, nullptr, PAGE_READONLY, 0, 0, nullptr));
    if (mapping.Get() != nullptr)
    {
        m_pMappedView = MapViewOfFile(mapping.Get(), FILE_MAP_READ, 0, 0, 0);
    }
    return m_pMappedView != nullptr;
}

bool VFile::CreateTempFile(const wchar_t* directory, const wchar_t* prefix, VUnicodeString& createdPath)
{
    wchar_t temporaryFolder[MAX_PATH + 1];
    if (directory == nullptr)
    {
        const DWORD length = GetTempPathW(MAX_PATH, temporaryFolder);
        if (length == 0 || length >= MAX_PATH)
        {
            if (length >= MAX_PATH)
            {
                SetLastError(ERROR_BUFFER_OVERFLOW);
            }
            return false;
        }
        directory = temporaryFolder;
    }
    const VUnicodeString base = pardalin::detail::PathJoin(directory, prefix != nullptr ? prefix : L"");

    DWORD n = 1;
    for (;;)
    {
        createdPath.Format(L"%1%2!X!.tmp", base.GetString(), n);
        if (Open(createdPath, GENERIC_READ | GENERIC_WRITE, CREATE_NEW))
        {
            return true;
        }
        if (GetLastError() != ERROR_FILE_EXISTS || n == 0xFFFFFFFF)
        {
            return false;
        }
        ++n;
    }
}

#include "hostkit/detail/ProfileFile.h"

#include <algorithm>
#include <cstdint>

namespace pardalin::detail
{
namespace
{
std::wstring FullPath(const std::wstring& path)
{
    std::wstring full(MAX_PATH, L'\0');
    DWORD length = GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), &full[0], nullptr);
    if (length >= full.size())
    {
        full.resize(length);
        length = GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), &full[0], nullptr);
    }
    if (length == 0 || length >= full.size())
        return path;
    full.resize(length);
    return full;
}

// Creates the folder and the folders above it that are missing.
void CreateFolderOf(const std::wstring& path)
{
    const size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos || slash == 0)
        return;
    const std::wstring folder = path.substr(0, slash);
    if (GetFileAttributesW(folder.c_str()) != INVALID_FILE_ATTRIBUTES)
        return;
    CreateFolderOf(folder);
    CreateDirectoryW(folder.c_str(), nullptr);
}

bool WriteAll(HANDLE file, const std::string& bytes)
{
    const size_t chunk = 1u << 20;
    for (size_t done = 0; done < bytes.size();)
    {
        const DWORD part = static_cast<DWORD>(std::min(chunk, bytes.size() - done));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, part, &written, nullptr) || written != part)
            return false;
        done += part;
    }
    return true;
}
} // namespace

ProfileFileLock::ProfileFileLock(const std::wstring& path)
    : mutex(CreateMutexW(nullptr, FALSE, NameFor(path).c_str()))
{
    if (!mutex.IsValid())
        return;
    const DWORD waited = WaitForSingleObject(mutex.Get(), INFINITE);
    held = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    abandoned = waited == WAIT_ABANDONED;
}

ProfileFileLock::~ProfileFileLock()
{
    if (held)
        ReleaseMutex(mutex.Get());
}

std::wstring ProfileFileLock::NameFor(const std::wstring& path)
{
    std::wstring folded = FullPath(path);
    if (!folded.empty())
        CharUpperBuffW(&folded[0], static_cast<DWORD>(folded.size()));
    // Two independent 64-bit FNV-1a hashes: the path itself may be longer than a mutex name can be.
    std::uint64_t first = 0xcbf29ce484222325ull;
    std::uint64_t second = 0x84222325cbf29ce4ull;
    for (wchar_t unit : folded)
    {
        first = (first ^ static_cast<std::uint16_t>(unit)) * 0x100000001b3ull;
        second = (second ^ (static_cast<std::uint16_t>(unit) + 0x9e37u)) * 0x100000001b3ull;
    }
    wchar_t name[80];
    swprintf(name, 80, L"Local\\PardalinProfileFile-%016llx%016llx", static_cast<unsigned long long>(first),
             static_cast<unsigned long long>(second));
    return name;
}

bool ReadProfileFile(const std::wstring& path, std::string& bytes)
{
    bytes.clear();
    OwnedHandle file(CreateFileW(path.c_str(), GENERIC_READ,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid())
    {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    }
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart > 0x7FFFFFFF)
        return false;
    bytes.resize(static_cast<size_t>(size.QuadPart));
    size_t done = 0;
    while (done < bytes.size())
    {
        DWORD got = 0;
        if (!ReadFile(file.Get(), &bytes[done], static_cast<DWORD>(bytes.size() - done), &got, nullptr))
            return false;
        if (got == 0)
            break;
        done += got;
    }
    bytes.resize(done);
    return true;
}

bool ReplaceProfileFile(const std::wstring& path, const std::string& bytes)
{
    CreateFolderOf(path);
    const std::wstring temporary = TemporaryPathOf(path);
    OwnedHandle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid())
        return false;
    const bool written = WriteAll(file.Get(), bytes) && FlushFileBuffers(file.Get());
    file.Close();
    if (!written ||
        !MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    {
        const DWORD error = GetLastError();
        DeleteFileW(temporary.c_str());
        SetLastError(error);
        return false;
    }
    return true;
}

bool DeleteProfileFile(const std::wstring& path)
{
    DeleteFileW(TemporaryPathOf(path).c_str());
    return DeleteFileW(path.c_str()) != FALSE;
}

std::wstring TemporaryPathOf(const std::wstring& path)
{
    return path + L".tmp";
}
} // namespace pardalin::detail

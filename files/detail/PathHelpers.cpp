#include "files/detail/PathHelpers.h"

#include <cstdlib>
#include <cwchar>
#include <vector>

VUnicodeString PathJoin(const wchar_t* a, const wchar_t* b)
{
    VUnicodeString result(a);
    const wchar_t* tail = b != nullptr ? b : L"";
    const bool tailHasSeparator = tail[0] == L'\\';
    int length = result.GetLength();
    if (length > 0 && result[length - 1] == L'\\' && tailHasSeparator)
    {
        result = result.Left(length - 1);
        --length;
    }
    if (!(length > 0 && result[length - 1] == L'\\') && !tailHasSeparator)
    {
        result += L'\\';
    }
    result += tail;
    return result;
}

bool IsDriveRoot(const wchar_t* path, bool& driveExists)
{
    if (path == nullptr)
    {
        return false;
    }
    const DWORD needed = GetFullPathNameW(path, 0, nullptr, nullptr);
    if (needed == 0)
    {
        return false;
    }
    VUnicodeString full;
    const DWORD written = GetFullPathNameW(path, needed, full.GetBuffer(static_cast<int>(needed)), nullptr);
    full.ReleaseBuffer(written > 0 && written < needed ? static_cast<int>(written) : 0);
    if (full.IsEmpty())
    {
        return false;
    }

    const int length = full.GetLength();
    if (full.Find(L':') != 1 || full.Find(L':', 2) >= 0)
    {
        return false;
    }
    if (!(length == 2 || (length == 3 && full[2] == L'\\')))
    {
        return false;
    }
    VUnicodeString root;
    root.Format(L"%1!c!:\\", static_cast<int>(full[0]));
    driveExists = GetDriveTypeW(root) != DRIVE_NO_ROOT_DIR;
    return true;
}

bool IsUncShareRoot(const wchar_t* path, VUnicodeString& shareName)
{
    if (path == nullptr || path[0] != L'\\' || path[1] != L'\\' || path[2] == 0)
    {
        return false;
    }
    const wchar_t* server = path + 2;
    const wchar_t* separator = std::wcschr(server, L'\\');
    if (separator == nullptr || separator == server || separator[1] == 0)
    {
        return false;
    }
    const wchar_t* share = separator + 1;
    const wchar_t* inner = std::wcschr(share, L'\\');
    if (inner != nullptr && inner[1] != 0)
    {
        return false;
    }
    const int shareLength = static_cast<int>(inner != nullptr ? inner - share : std::wcslen(share));
    // "\\server\\" has a separator where the share should be, and no share.
    if (shareLength == 0)
    {
        return false;
    }
    shareName = VUnicodeString(share, shareLength);
    return true;
}

void SplitDirectoryAndName(const wchar_t* path, VUnicodeString& directory, VUnicodeString& name)
{
    directory.Empty();
    name.Empty();
    if (path == nullptr || *path == 0)
    {
        return;
    }
    // No part is longer than the whole path, so buffers of its length hold any path. The sized form is used
    // because the plain one gives empty parts for a path beyond MAX_PATH.
    const size_t size = std::wcslen(path) + 3;
    std::vector<wchar_t> drive(size), folder(size), base(size), extension(size);
    if (_wsplitpath_s(path, drive.data(), size, folder.data(), size, base.data(), size, extension.data(),
                      size) != 0)
    {
        return;
    }

    size_t folderLength = std::wcslen(folder.data());
    if (folderLength >= 2 && folder[folderLength - 1] == L'\\')
    {
        folder[--folderLength] = 0;
    }
    directory = drive.data();
    directory += folder.data();
    name = base.data();
    name += extension.data();
}

void TrimTrailingBackslashes(VUnicodeString& path)
{
    int length = path.GetLength();
    while (length > 0 && path[length - 1] == L'\\')
    {
        --length;
    }
    if (length < path.GetLength())
    {
        path = path.Left(length);
    }
}

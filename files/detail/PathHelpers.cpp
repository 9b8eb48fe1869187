#include "files/detail/PathHelpers.h"

#include <cwchar>

namespace pardalin::detail
{
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

void SplitPath(const wchar_t* path, VUnicodeString& parent, VUnicodeString& leaf, SplitForm form)
{
    parent.Empty();
    leaf.Empty();
    const int length = path != nullptr ? static_cast<int>(std::wcslen(path)) : 0;
    const int drive = length >= 2 && path[1] == L':' ? 2 : 0;
    const auto isSeparator = [](wchar_t ch) { return ch == L'\\' || ch == L'/'; };
    int end = length;
    while (form == SplitForm::Parent && end > drive && isSeparator(path[end - 1]))
    {
        --end;
    }
    int separator = end - 1;
    while (separator >= drive && !isSeparator(path[separator]))
    {
        --separator;
    }
    leaf = VUnicodeString(path + separator + 1, end - separator - 1);
    if (form == SplitForm::Parent && leaf.IsEmpty())
    {
        return;
    }
    int parentLength = separator < drive ? drive : separator;
    if (separator == drive && (form == SplitForm::Directory || drive == 0))
    {
        parentLength = separator + 1; // the root's own separator
    }
    parent = VUnicodeString(path, parentLength);
}

bool WalkUpToExisting(VUnicodeString& folder, VUnicodeString& missing, bool (*exists)(const wchar_t* path))
{
    missing.Empty();
    while (!folder.IsEmpty())
    {
        if (exists(folder))
        {
            return true;
        }
        VUnicodeString parent;
        VUnicodeString leaf;
        SplitPath(folder, parent, leaf, SplitForm::Directory);
        if (leaf.IsEmpty())
        {
            return false;
        }
        missing = PathJoin(leaf, missing);
        folder = parent;
    }
    return false;
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
} // namespace pardalin::detail

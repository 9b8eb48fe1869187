#include "files/PathStatus.h"

#include "files/detail/PathHelpers.h"
#include "core/detail/OwnedHandle.h"
#include "files/detail/CreateFileHook.h"

#include <cwchar>

using namespace pardalin::detail;

bool VPathStatus(const wchar_t* path, VFindData& data, bool directoryOnly)
{
    if (path == nullptr)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    const wchar_t* colon = std::wcschr(path, L':');
    if (colon != nullptr && colon - path != 1)
    {
        SetLastError(ERROR_INVALID_NAME);
        return false;
    }

    VFindData found;
    bool driveExists = false;
    if (IsDriveRoot(path, driveExists))
    {
        found.SetFilename(path);
        found.dwFileAttributes = FILE_ATTRIBUTE_DIRECTORY;
        data = found;
        return driveExists;
    }
    VUnicodeString shareName;
    if (IsUncShareRoot(path, shareName))
    {
        found.SetFilename(shareName);
        found.dwFileAttributes = FILE_ATTRIBUTE_DIRECTORY;
        data = found;
        return true;
    }

    // FindFirstFileW finds nothing for a folder named with a trailing backslash.
    VUnicodeString searched(path);
    const int length = searched.GetLength();
    if (length > 0 && searched[length - 1] == L'\\')
    {
        searched = searched.Left(length - 1);
    }
    const HANDLE search = FindFirstFileW(searched, &found);
    if (search == INVALID_HANDLE_VALUE)
    {
        return false;
    }
    FindClose(search);
    data = found;
    return directoryOnly ? data.IsDirectory() : true;
}

bool VSplitLocalExistingDirectory(const wchar_t* path, VUnicodeString& existing, VUnicodeString& missing)
{
    existing = path;
    TrimTrailingBackslashes(existing);
    return WalkUpToExisting(existing, missing,
                            [](const wchar_t* folder)
                            {
                                VFindData data;
                                return VPathStatus(folder, data, true);
                            });
}

bool VIsPathWritable(const wchar_t* path)
{
    VUnicodeString existing;
    VUnicodeString missing;
    if (!VSplitLocalExistingDirectory(path, existing, missing))
    {
        return false;
    }
    // Backup semantics is what lets CreateFileW open a folder.
    pardalin::detail::OwnedHandle folder(
        CreateFileThroughHook(existing, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return folder.IsValid();
}

bool VExtractLocalDirectory(const wchar_t* path, VUnicodeString& directory, VUnicodeString& fileName)
{
    if (path == nullptr || *path == 0)
    {
        SetLastError(ERROR_INVALID_NAME);
        return false;
    }

    bool driveExists = false;
    if (IsDriveRoot(path, driveExists))
    {
        directory = path;
        if (directory[directory.GetLength() - 1] != L'\\')
        {
            directory += L'\\';
        }
        fileName.Empty();
        return driveExists;
    }

    CFileStatus status;
    if (CFile::GetStatus(path, status))
    {
        if (status.m_attribute & CFile::directory)
        {
            directory = path;
            fileName.Empty();
        }
        else
        {
            SplitPath(path, directory, fileName, SplitForm::Directory);
        }
        return true;
    }

    SplitPath(path, directory, fileName, SplitForm::Directory);
    if (IsDriveRoot(directory, driveExists))
    {
        return driveExists;
    }
    return CFile::GetStatus(directory, status) && (status.m_attribute & CFile::directory) != 0;
}

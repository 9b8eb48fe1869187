#include "files/VFindData.h"

#include <cstring>

namespace
{
constexpr DWORD DirectoryBit = FILE_ATTRIBUTE_DIRECTORY; // 0x10
constexpr DWORD LinkBit = 0x40;
constexpr DWORD NormalBit = FILE_ATTRIBUTE_NORMAL; // 0x80
} // namespace

VFindData::VFindData()
{
    Clear();
}

VFindData::VFindData(DWORD attributes, const FILETIME& creation, const FILETIME& lastAccess,
                     const FILETIME& lastWrite, unsigned __int64 size, const wchar_t* name)
{
    Clear();
    dwFileAttributes = attributes;
    ftCreationTime = creation;
    ftLastAccessTime = lastAccess;
    ftLastWriteTime = lastWrite;
    nFileSizeHigh = static_cast<DWORD>(size >> 32);
    nFileSizeLow = static_cast<DWORD>(size);
    SetFilename(name);
}

bool VFindData::IsDirectory() const
{
    return (dwFileAttributes & DirectoryBit) != 0;
}

bool VFindData::IsLink() const
{
    return (dwFileAttributes & LinkBit) != 0;
}

bool VFindData::IsUnresolvedLink() const
{
    return IsLink() && (dwFileAttributes & (DirectoryBit | NormalBit)) == 0;
}

const FILETIME& VFindData::GetCreationTime() const
{
    return ftCreationTime;
}

const FILETIME& VFindData::GetLastAccessTime() const
{
    return ftLastAccessTime;
}

const FILETIME& VFindData::GetLastWriteTime() const
{
    return ftLastWriteTime;
}

unsigned __int64 VFindData::GetSize() const
{
    return (static_cast<unsigned __int64>(nFileSizeHigh) << 32) | nFileSizeLow;
}

VUnicodeString VFindData::GetFilename() const
{
    // The name is terminated by construction, but a host may have written the array itself.
    return VUnicodeString(cFileName, static_cast<int>(wcsnlen(cFileName, FileNameLength)));
}

void VFindData::Clear()
{
    std::memset(static_cast<WIN32_FIND_DATAW*>(this), 0, sizeof(WIN32_FIND_DATAW));
}

void VFindData::SetFilename(const wchar_t* name)
{
    std::memset(cFileName, 0, sizeof(cFileName));
    if (name != nullptr)
    {
        wcsncpy(cFileName, name, FileNameLength);
    }
    cFileName[FileNameLength - 1] = 0;
}

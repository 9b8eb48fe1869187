/// \struct VFindData
/// What a directory entry is: the layout of WIN32_FIND_DATAW with accessors. Entries of the local file system
/// are filled by VPathStatus; a host builds its own for entries that come from elsewhere (a remote listing),
/// which is why the link bits matter.
///
/// \code{.cpp}
/// VFindData local;
/// if (VPathStatus(L"C:\\data\\report.txt", local, false) && !local.IsDirectory())
///     total += local.GetSize();
/// VFindData remote(FILE_ATTRIBUTE_NORMAL, created, accessed, written, size, L"notes.txt");
/// \endcode
#pragma once

#include "core/PardalinApi.h"
#include "core/VUnicodeString.h"

struct PARDALIN_API VFindData : public WIN32_FIND_DATAW
{
    /// The size of the name field.
    enum : DWORD
    {
        /// The capacity of cFileName in characters, terminator included.
        FileNameLength = sizeof(WIN32_FIND_DATAW::cFileName) / sizeof(wchar_t),
    };

    /// All fields zero.
    VFindData();
    /// An entry with these attributes (FILE_ATTRIBUTE_* bits), times, size in bytes and name. `name` is cut
    /// to its first FileNameLength - 1 characters; a null name gives an empty one.
    VFindData(DWORD attributes, const FILETIME& creation, const FILETIME& lastAccess,
              const FILETIME& lastWrite, unsigned __int64 size, const wchar_t* name);

    /// Whether FILE_ATTRIBUTE_DIRECTORY is set (for a link: whether its target is a folder).
    bool IsDirectory() const;
    /// Whether the entry is a link: attribute bit 0x40, which an entry built by the host sets for one.
    bool IsLink() const;
    /// A link whose target is known to be neither a folder nor a file: neither FILE_ATTRIBUTE_DIRECTORY nor
    /// FILE_ATTRIBUTE_NORMAL is set beside the link bit.
    bool IsUnresolvedLink() const;

    /// ftCreationTime; UTC for entries of the local file system.
    const FILETIME& GetCreationTime() const;
    /// ftLastAccessTime; UTC for entries of the local file system.
    const FILETIME& GetLastAccessTime() const;
    /// ftLastWriteTime; UTC for entries of the local file system.
    const FILETIME& GetLastWriteTime() const;
    /// The size in bytes, from nFileSizeHigh and nFileSizeLow.
    unsigned __int64 GetSize() const;
    /// The name up to its terminator, or all FileNameLength characters of a name written without one.
    VUnicodeString GetFilename() const;

    /// Sets every field to zero.
    void Clear();
    /// Replaces the file name, cut to fit and always terminated.
    void SetFilename(const wchar_t* name);
};

static_assert(sizeof(VFindData) == sizeof(WIN32_FIND_DATAW),
              "VFindData keeps the layout of WIN32_FIND_DATAW");

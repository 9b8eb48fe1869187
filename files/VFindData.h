// What a directory entry is: the layout of WIN32_FIND_DATAW with accessors. Entries of the local file system
// are filled by VPathStatus; a host builds its own for entries that come from elsewhere (a remote listing),
// which is why the link bits matter.
#pragma once

#include "core/PardalinApi.h"
#include "core/VUnicodeString.h"

struct PARDALIN_API VFindData : public WIN32_FIND_DATAW
{
    enum : DWORD
    {
        FileNameLength = sizeof(WIN32_FIND_DATAW::cFileName) / sizeof(wchar_t),
    };

    // All fields zero.
    VFindData();
    // `name` is cut to its first FileNameLength - 1 characters; a null name gives an empty one.
    VFindData(DWORD attributes, const FILETIME& creation, const FILETIME& lastAccess,
              const FILETIME& lastWrite, unsigned __int64 size, const wchar_t* name);

    bool IsDirectory() const;
    bool IsLink() const;
    // A link whose target is known to be neither a folder nor a file.
    bool IsUnresolvedLink() const;

    const FILETIME& GetCreationTime() const;
    const FILETIME& GetLastAccessTime() const;
    const FILETIME& GetLastWriteTime() const;
    unsigned __int64 GetSize() const;
    VUnicodeString GetFilename() const;

    void Clear();
    // Replaces the file name, cut to fit and always terminated.
    void SetFilename(const wchar_t* name);
};

static_assert(sizeof(VFindData) == sizeof(WIN32_FIND_DATAW),
              "VFindData keeps the layout of WIN32_FIND_DATAW");

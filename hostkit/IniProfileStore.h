/// \class VIniProfileStoreFactory
/// A profile store kept in INI-style text files, for hosts that want their settings beside the program
/// rather than in the registry.
///
/// \code{.cpp}
/// VIniProfileStoreFactory stores(L"C:\\Data\\Profiles");
/// PardalinInit(&ResolverFactory, &StoreFactory); // StoreFactory returns &stores
/// \endcode
///
/// Layout: the key named K directly under the root is the file `<folder>\K.ini`, holding K and every key
/// below it; the root's own values are in `<folder>\(root).ini`. A name that a file name cannot hold is
/// escaped in the file name ("%" and four hex digits for one UTF-16 unit, see hostkit/detail/ProfileText.h),
/// so a plain name such as DemoMenuToolbarV2 is the file DemoMenuToolbarV2.ini. In the file, a line
/// `[K\S\T]` opens the key T below S below K, and each value line under it records its type:
///
/// \code{.unparsed}
/// [DemoMenuToolbarV2\Pane-1]
/// Buttons=binary:0a0b0c
/// MenuBar-Version=dword:00000003
/// Name=string:Standard%000Aor not
/// \endcode
///
/// Names and string data keep every UTF-16 unit (line breaks, "=", brackets, spaces at the ends, surrogates
/// without their pair, a backslash in a key's name) through the escapes. Names of keys and values compare
/// without regard to case, as registry names do, and keep the spelling they were first written with. Files
/// are UTF-8.
///
/// Safety: every read and write of a file holds a lock named after the file, shared by all processes, and a
/// write reads the file afresh under it, so two processes writing one store keep each other's values. A
/// write goes to a temporary file that is flushed and then renamed over the old file in one step, so a
/// failure or a kill mid-write leaves the previous file whole. A damaged file gives what is readable: a line
/// that does not read is absent, the rest stays, and the next write keeps what was readable.
///
/// Keys hold only their path: a key stays valid after its store and parent are deleted, and the folder is
/// created on the first write.
#pragma once

#include "frame/ProfileStore.h"

#include <string>

class VIniProfileStoreFactory : public VProfileStoreFactory
{
public:
    // Construction
    /// Stores in `folder` (trailing slashes dropped). Nothing is read or created until a store is used.
    explicit VIniProfileStoreFactory(const wchar_t* folder);

    // Attributes
    /// The folder the files are kept in, without a trailing slash.
    const std::wstring& Folder() const { return folder; }

    // Overridables
    /// A new store over the folder's files, owned by the caller, who deletes it.
    IProfileStoreBackend* CreateStore() override;

private:
    std::wstring folder;
};

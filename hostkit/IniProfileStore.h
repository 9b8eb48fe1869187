// A profile store kept in INI-style text files, for hosts that want their settings beside the program rather
// than in the registry.
//
// Layout: the key named K directly under the root is the file <folder>\K.ini. Its own values are in the
// section [K]; a sub-key S of K is the section [K\S], and so on down. Values directly under the root go to
// <folder>\(root).ini. Each value line records its type: name=dword:0000000a, name=string:text (with \\, \r,
// \n escaped), name=binary:0a0b0c. Files are UTF-8 and are replaced whole on every write, so a reader never
// sees a half-written file.
#pragma once

#include "frame/ProfileStore.h"

#include <string>

class VIniProfileStoreFactory : public VProfileStoreFactory
{
public:
    // The folder is created on the first write when it does not exist.
    explicit VIniProfileStoreFactory(const wchar_t* folder);
    IProfileStoreBackend* CreateStore() override;
    const std::wstring& Folder() const { return folder; }

private:
    std::wstring folder;
};

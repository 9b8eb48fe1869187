#include "files/detail/FolderBrowser.h"

#include <shlobj.h>

namespace pardalin::detail
{
namespace
{
// Opens the browser at the folder passed as its custom data, when there is one.
int CALLBACK OnBrowserEvent(HWND window, UINT message, LPARAM, LPARAM data)
{
    const auto* start = reinterpret_cast<const wchar_t*>(data);
    if (message == BFFM_INITIALIZED && start != nullptr && *start != L'\0')
        SendMessageW(window, BFFM_SETSELECTIONW, TRUE, data);
    return 0;
}

void FreeItemList(LPITEMIDLIST list)
{
    if (list == nullptr)
        return;
    IMalloc* allocator = nullptr;
    if (SUCCEEDED(SHGetMalloc(&allocator)))
    {
        allocator->Free(list);
        allocator->Release();
    }
}
} // namespace

bool BrowseForFolder(HWND owner, const wchar_t* title, VUnicodeString& folder)
{
    LPITEMIDLIST root = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &root)))
        root = nullptr;

    wchar_t displayName[MAX_PATH] = {};
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.pidlRoot = root;
    info.pszDisplayName = displayName;
    info.lpszTitle = title;
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = &OnBrowserEvent;
    info.lParam = reinterpret_cast<LPARAM>(folder.GetString());
    LPITEMIDLIST chosen = SHBrowseForFolderW(&info);

    if (chosen != nullptr)
    {
        wchar_t path[MAX_PATH] = {};
        if (SHGetPathFromIDListW(chosen, path))
        {
            folder = path;
        }
        else
        {
            MessageBoxW(owner, L"Failed to retrieve a valid path.", nullptr, MB_ICONEXCLAMATION);
            folder.Empty();
        }
    }
    FreeItemList(chosen);
    FreeItemList(root);
    return chosen != nullptr;
}
} // namespace pardalin::detail

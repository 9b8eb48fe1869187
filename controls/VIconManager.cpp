#include "controls/VIconManager.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <shellapi.h>

namespace
{
// The system images in the order they enter the lists; the host's own file type is not one of them.
constexpr int kSystemImageOrder[] = {0, 1, 2, 4, 3, 5, 6, 8, 7, 9, 11, 12, 13, 14};

// Bits per pixel of the current display mode, or 0 when it cannot be read.
DWORD DisplayBitsPerPixel()
{
    DEVMODEW mode = {};
    mode.dmSize = sizeof(mode);
    return EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &mode) ? mode.dmBitsPerPel : 0;
}

// Replaces each %NAME% by the environment variable NAME. An undefined variable stays as it is written, a
// value too long for a path buffer is dropped, and a "%" without a partner is kept with the text after it.
VUnicodeString ExpandReferences(const VUnicodeString& text)
{
    VUnicodeString result;
    const wchar_t* p = text.GetString();
    while (*p != L'\0')
    {
        const wchar_t* end = *p == L'%' ? std::wcschr(p + 1, L'%') : nullptr;
        if (end == nullptr)
        {
            result.Append(*p++);
            continue;
        }
        const VUnicodeString name(p + 1, static_cast<int>(end - p - 1));
        wchar_t value[MAX_PATH];
        SetLastError(ERROR_SUCCESS);
        const DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH);
        if (length == 0 && GetLastError() == ERROR_ENVVAR_NOT_FOUND)
            result.Append(p, static_cast<int>(end - p + 1));
        else if (length < MAX_PATH)
            result.Append(value, static_cast<int>(length));
        p = end + 1;
    }
    return result;
}

// Where the registry says the folder icon is. False when HKEY_CLASSES_ROOT has no "Directory" (or its
// DefaultIcon opens with a quote that never closes): the caller then takes Shell32's folder icons.
bool ReadFolderIconLocation(VUnicodeString& path, int& index)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, L"Directory", 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    path.Empty();
    index = 0;
    wchar_t value[512 + 1] = {};
    DWORD size = 1024;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, L"Directory\\DefaultIcon", 0, KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS)
        return true;
    const LONG rc = RegQueryValueExW(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS || size < 3)
        return true;
    if (value[0] == L'"')
    {
        const wchar_t* closing = std::wcschr(value + 1, L'"');
        if (closing == nullptr)
            return false;
        path = VUnicodeString(value + 1, static_cast<int>(closing - value - 1));
    }
    else
    {
        path = value;
    }
    if (path.IsEmpty())
        return true;
    const int comma = path.Find(L',');
    if (comma >= 0)
    {
        index = _wtoi(path.GetString() + comma + 1);
        path = path.Left(comma);
    }
    path = ExpandReferences(path);
    return true;
}

// The entry of an icon group that suits one size best: the highest bit count up to the colour depth.
struct BestImage
{
    WORD id = 0;
    int bits = -1;
    bool Found() const { return bits >= 0; }
};

// A size byte of an icon directory; 0 stands for 256.
int SizeOf(BYTE value)
{
    return value == 0 ? 256 : value;
}

// File-type icons are copies in the lists; the shared icon of the host's own type is never destroyed.
void ReleaseDefinitionIcons(bool bShared, HICON hLarge, HICON hSmall)
{
    if (bShared)
        return;
    if (hLarge != nullptr)
        DestroyIcon(hLarge);
    if (hSmall != nullptr && hSmall != hLarge)
        DestroyIcon(hSmall);
}
} // namespace

VIconManager::VIconManager(VFileTypeManager* pFileTypes, CImageList* pSmall, CImageList* pLarge)
    : m_pFileTypes(pFileTypes), m_pSmallImageList(pSmall), m_pLargeImageList(pLarge), m_nColorDepth(4)
{
    m_resourceNumbers.InsertAt(0, 0u, IMG_COUNT);
    if (UseAllPossibleColors() && DisplayBitsPerPixel() >= 16)
        m_nColorDepth = 16;
}

VIconManager::~VIconManager() = default;

int VIconManager::GetIconColorDepth() const
{
    return m_nColorDepth;
}

CImageList* VIconManager::GetSmallIconImageList() const
{
    return m_pSmallImageList;
}

CImageList* VIconManager::GetLargeIconImageList() const
{
    return m_pLargeImageList;
}

void VIconManager::SetResourceNumber(IMGINDX imgIndex, unsigned int resourceID)
{
    m_resourceNumbers[imgIndex] = resourceID;
}

bool VIconManager::PrepareImageLists()
{
    unsigned int flags = 0;
    m_nColorDepth = IconColorDepth(flags);
    const int initial = (m_pFileTypes != nullptr ? m_pFileTypes->GetDefinitionCount() : 0) + 14;
    if (!m_pLargeImageList->Create(32, 32, ILC_MASK | flags, initial, 1) ||
        !m_pSmallImageList->Create(16, 16, ILC_MASK | flags, initial, 1))
        return false;
    // Indexes of an earlier pair of lists mean nothing in the new ones.
    m_systemImages.RemoveAll();
    for (int imgIndex : kSystemImageOrder)
        AddSystemIcon(imgIndex);
    return true;
}

int VIconManager::ImageIndex(int imgIndex) const
{
    int image = -1;
    return m_systemImages.Lookup(imgIndex, image) ? image : -1;
}

int VIconManager::ImageIndex(wchar_t const* extension)
{
    VFileTypeDefinition* pDefinition = m_pFileTypes != nullptr && extension != nullptr
                                           ? m_pFileTypes->FindDefinitionForExtension(extension)
                                           : nullptr;
    if (pDefinition == nullptr)
        return ImageIndex(IMG_UNKNOWN_FILE);
    if (pDefinition->GetImageIndex() >= 0)
        return pDefinition->GetImageIndex();
    const int definitionIndex = m_pFileTypes->FindDefinitionIndex(pDefinition->GetTypeName());
    HICON hLarge = nullptr, hSmall = nullptr;
    if (definitionIndex < 0 || !GetIcons(definitionIndex, &hLarge, &hSmall, m_nColorDepth))
        return ImageIndex(IMG_UNKNOWN_FILE);
    const int image = AddLargeIcon(hLarge);
    AddSmallIcon(hSmall);
    ReleaseDefinitionIcons(m_pFileTypes->IsOwnTypeIndex(definitionIndex), hLarge, hSmall);
    m_pFileTypes->SetImageIndex(definitionIndex, image);
    return image;
}

int VIconManager::ImageIndexFromDefinitionIndex(int definitionIndex)
{
    VFileTypeDefinition* pDefinition =
        m_pFileTypes != nullptr ? m_pFileTypes->GetDefinition(definitionIndex) : nullptr;
    if (pDefinition == nullptr)
        return -1;
    if (pDefinition->GetImageIndex() >= 0)
        return pDefinition->GetImageIndex();
    HICON hLarge = nullptr, hSmall = nullptr;
    if (!GetIcons(definitionIndex, &hLarge, &hSmall, m_nColorDepth))
        return -1;
    const int image = AddLargeIcon(hLarge);
    AddSmallIcon(hSmall);
    ReleaseDefinitionIcons(m_pFileTypes->IsOwnTypeIndex(definitionIndex), hLarge, hSmall);
    m_pFileTypes->SetImageIndex(definitionIndex, image);
    return image;
}

int VIconManager::UpdateIcons(int definitionIndex)
{
    VFileTypeDefinition* pDefinition =
        m_pFileTypes != nullptr ? m_pFileTypes->GetDefinition(definitionIndex) : nullptr;
    if (pDefinition == nullptr)
        return -1;
    HICON hLarge = nullptr, hSmall = nullptr;
    if (!GetIcons(definitionIndex, &hLarge, &hSmall, m_nColorDepth))
    {
        m_pFileTypes->SetImageIndex(definitionIndex, -1);
        return -1;
    }
    int image = pDefinition->GetImageIndex();
    if (image >= 0)
    {
        image = ReplaceLargeIcon(image, hLarge);
        ReplaceSmallIcon(pDefinition->GetImageIndex(), hSmall);
    }
    else
    {
        image = AddLargeIcon(hLarge);
        AddSmallIcon(hSmall);
    }
    ReleaseDefinitionIcons(m_pFileTypes->IsOwnTypeIndex(definitionIndex), hLarge, hSmall);
    m_pFileTypes->SetImageIndex(definitionIndex, image);
    return image;
}

bool VIconManager::ReloadIcons()
{
    const bool largeDeleted = m_pLargeImageList->DeleteImageList() != FALSE;
    const bool smallDeleted = m_pSmallImageList->DeleteImageList() != FALSE;
    if (!largeDeleted || !smallDeleted || !PrepareImageLists())
        return false;
    LoadIcons();
    return true;
}

bool VIconManager::GetIcons(int definitionIndex, HICON* pLarge, HICON* pSmall, int colorDepth)
{
    if (m_pFileTypes == nullptr || definitionIndex < 0 ||
        definitionIndex >= m_pFileTypes->GetDefinitionCount())
        return false;
    if (m_pFileTypes->IsOwnTypeIndex(definitionIndex))
    {
        HICON hIcon =
            LoadIconW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(m_resourceNumbers[IMG_OWN_FILE_TYPE]));
        if (hIcon == nullptr)
            return false;
        if (pLarge != nullptr)
            *pLarge = hIcon;
        if (pSmall != nullptr)
            *pSmall = hIcon;
        return true;
    }
    const VFileTypeDefinition* pDefinition = m_pFileTypes->GetDefinition(definitionIndex);
    return pDefinition != nullptr &&
           ExtractDefaultIcon(pDefinition->GetDefaultIconPath(),
                              static_cast<unsigned int>(pDefinition->GetDefaultIconIndex()), pLarge, pSmall,
                              colorDepth);
}

bool VIconManager::ExtractDefaultIcon(wchar_t const* path, unsigned int index, HICON* pLarge, HICON* pSmall,
                                      int colorDepth)
{
    if (path == nullptr)
        return false;
    if (pLarge != nullptr)
        *pLarge = nullptr;
    if (pSmall != nullptr)
        *pSmall = nullptr;
    VUnicodeString file(path);
    // The index is the registry's signed form: a negative one names a group by its resource id.
    int position = static_cast<int>(index);
    if (file.IsEmpty() || file == L"%1")
    {
        file = GetShell32Path();
        position = 0;
    }
    if (colorDepth > 0 && ExtractSpecificIcon(file, position, pLarge, pSmall, colorDepth))
        return true;
    // A file that cannot be read gives 0 or UINT_MAX, and no icons.
    const UINT extracted = ExtractIconExW(file, position, pLarge, pSmall, 1);
    const bool bLoaded =
        (pLarge != nullptr && *pLarge != nullptr) || (pSmall != nullptr && *pSmall != nullptr);
    return extracted != 0 && extracted != UINT_MAX && bLoaded;
}

int VIconManager::FindIndexOfResourceID(wchar_t const* path, unsigned int id)
{
    HMODULE hModule = LoadLibraryExW(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (hModule == nullptr)
        return -1;
    int position = -1;
    CPtrArray ids;
    if (EnumerateIconResourceIDs(hModule, RT_GROUP_ICON, ids))
    {
        for (INT_PTR i = 0; i < ids.GetSize(); ++i)
        {
            if (IS_INTRESOURCE(ids[i]) && reinterpret_cast<ULONG_PTR>(ids[i]) == id)
            {
                position = static_cast<int>(i);
                break;
            }
        }
    }
    ReleaseResourceIDs(ids);
    FreeLibrary(hModule);
    return position;
}

BOOL CALLBACK VIconManager::EnumResNamesCallback(HINSTANCE, wchar_t const*, wchar_t* name, LONG_PTR param)
{
    CPtrArray& ids = *reinterpret_cast<CPtrArray*>(param);
    if (IS_INTRESOURCE(name))
    {
        ids.Add(name);
    }
    else
    {
        const std::size_t length = std::wcslen(name) + 1;
        wchar_t* copy = new wchar_t[length];
        std::wmemcpy(copy, name, length);
        ids.Add(copy);
    }
    return TRUE;
}

int VIconManager::AddSmallIcon(HICON hIcon)
{
    return ImageList_ReplaceIcon(m_pSmallImageList->GetSafeHandle(), -1, hIcon);
}

int VIconManager::AddLargeIcon(HICON hIcon)
{
    return ImageList_ReplaceIcon(m_pLargeImageList->GetSafeHandle(), -1, hIcon);
}

int VIconManager::ReplaceSmallIcon(int image, HICON hIcon)
{
    return ImageList_ReplaceIcon(m_pSmallImageList->GetSafeHandle(), image, hIcon);
}

int VIconManager::ReplaceLargeIcon(int image, HICON hIcon)
{
    return ImageList_ReplaceIcon(m_pLargeImageList->GetSafeHandle(), image, hIcon);
}

void VIconManager::LoadIcons()
{
    const int count = m_pFileTypes != nullptr ? m_pFileTypes->GetDefinitionCount() : 0;
    for (int i = 0; i < count; ++i)
    {
        HICON hLarge = nullptr, hSmall = nullptr;
        if (!GetIcons(i, &hLarge, &hSmall, m_nColorDepth))
        {
            m_pFileTypes->SetImageIndex(i, -1);
            continue;
        }
        const int image = AddLargeIcon(hLarge);
        AddSmallIcon(hSmall);
        ReleaseDefinitionIcons(m_pFileTypes->IsOwnTypeIndex(i), hLarge, hSmall);
        m_pFileTypes->SetImageIndex(i, image);
    }
}

bool VIconManager::LoadSystemIcon(IMGINDX imgIndex, HICON& hLarge, HICON& hSmall, int colorDepth)
{
    hLarge = nullptr;
    hSmall = nullptr;
    if (imgIndex < IMG_HOST0 || imgIndex >= IMG_NONE)
        return false;
    if (imgIndex == IMG_FOLDER || imgIndex == IMG_FOLDER_NEXT)
    {
        VUnicodeString path;
        int index = 0;
        if (ReadFolderIconLocation(path, index))
            index += imgIndex == IMG_FOLDER_NEXT ? 1 : 0;
        else
        {
            path = GetShell32Path();
            index = imgIndex == IMG_FOLDER ? 3 : 4;
        }
        if (ExtractDefaultIcon(path, static_cast<unsigned int>(index), &hLarge, &hSmall, colorDepth))
            return true;
    }
    const unsigned int resourceID = m_resourceNumbers[imgIndex];
    if (resourceID == 0)
        return false;
    const HINSTANCE hInstance = AfxGetInstanceHandle();
    hLarge = static_cast<HICON>(
        LoadImageW(hInstance, MAKEINTRESOURCEW(resourceID), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR));
    hSmall = static_cast<HICON>(
        LoadImageW(hInstance, MAKEINTRESOURCEW(resourceID), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
    if (hLarge != nullptr && hSmall != nullptr)
        return true;
    ReleaseDefinitionIcons(false, hLarge, hSmall);
    hLarge = hSmall = nullptr;
    return false;
}

int VIconManager::AddSystemIcon(int imgIndex)
{
    HICON hLarge = nullptr, hSmall = nullptr;
    if (!LoadSystemIcon(static_cast<IMGINDX>(imgIndex), hLarge, hSmall, m_nColorDepth))
        return -1;
    const int image = AddLargeIcon(hLarge);
    AddSmallIcon(hSmall);
    m_systemImages.Set(imgIndex, image);
    ReleaseDefinitionIcons(false, hLarge, hSmall);
    return image;
}

bool VIconManager::ExtractSpecificIcon(wchar_t const* path, int index, HICON* pLarge, HICON* pSmall,
                                       int colorDepth)
{
    HMODULE hModule = LoadLibraryExW(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (hModule == nullptr)
        return false;
    CPtrArray ids;
    // Resource ids are 16 bits: a larger one names no group (id 0 finds none).
    const wchar_t* group = MAKEINTRESOURCEW(index < 0 && index >= -0xFFFF ? -index : 0);
    if (index >= 0)
    {
        if (!EnumerateIconResourceIDs(hModule, RT_GROUP_ICON, ids) || index >= ids.GetSize())
        {
            ReleaseResourceIDs(ids);
            FreeLibrary(hModule);
            return false;
        }
        group = static_cast<const wchar_t*>(ids[index]);
    }
    const HRSRC hInfo = FindResourceW(hModule, group, RT_GROUP_ICON);
    ReleaseResourceIDs(ids);
    const HGLOBAL hData = hInfo != nullptr ? LoadResource(hModule, hInfo) : nullptr;
    const BYTE* directory = hData != nullptr ? static_cast<const BYTE*>(LockResource(hData)) : nullptr;
    const DWORD size = hInfo != nullptr ? SizeofResource(hModule, hInfo) : 0;
    auto word = [directory](DWORD offset)
    { return static_cast<WORD>(directory[offset] | directory[offset + 1] << 8); };
    if (directory == nullptr || size < 6 || word(2) != 1)
    {
        FreeLibrary(hModule);
        return false;
    }
    // A 6-byte header (reserved, type, count), then 14-byte entries: width, height, colour count, reserved,
    // planes, bit count, size and id.
    const DWORD count = std::min<DWORD>(word(4), (size - 6) / 14);
    BestImage best16, best32;
    for (DWORD i = 0; i < count; ++i)
    {
        const DWORD entry = 6 + 14 * i;
        const int width = SizeOf(directory[entry]);
        const int height = SizeOf(directory[entry + 1]);
        const int bits = word(entry + 6);
        BestImage* pBest = width == 16 && height >= 16   ? &best16
                           : width == 32 && height >= 32 ? &best32
                                                         : nullptr;
        if (pBest != nullptr && bits <= colorDepth && bits > pBest->bits)
        {
            pBest->bits = bits;
            pBest->id = word(entry + 12);
        }
    }
    if (!best16.Found() && !best32.Found())
    {
        FreeLibrary(hModule);
        return false;
    }
    if (pLarge != nullptr)
        *pLarge = CreateSpecificIcon(hModule, best32.Found() ? best32.id : best16.id, 32, 32);
    if (pSmall != nullptr)
        *pSmall = CreateSpecificIcon(hModule, best16.Found() ? best16.id : best32.id, 16, 16);
    FreeLibrary(hModule);
    return true;
}

HICON VIconManager::CreateSpecificIcon(HMODULE hModule, WORD id, int cx, int cy)
{
    const HRSRC hInfo = FindResourceW(hModule, MAKEINTRESOURCEW(id), RT_ICON);
    const HGLOBAL hData = hInfo != nullptr ? LoadResource(hModule, hInfo) : nullptr;
    BYTE* bits = hData != nullptr ? static_cast<BYTE*>(LockResource(hData)) : nullptr;
    if (bits == nullptr)
        return nullptr;
    return CreateIconFromResourceEx(bits, SizeofResource(hModule, hInfo), TRUE, 0x30000, cx, cy,
                                    LR_DEFAULTCOLOR);
}

bool VIconManager::UseAllPossibleColors()
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop\\WindowMetrics", 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return true;
    wchar_t value[128 + 1] = {};
    DWORD size = 256;
    const LONG rc =
        RegQueryValueExW(key, L"Shell Icon BPP", nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS || size < 3)
        return true;
    const std::size_t length = std::wcslen(value);
    if (length == 0)
        return true;
    for (std::size_t i = 0; i < length; ++i)
    {
        if (!std::iswdigit(value[i]))
            return true;
    }
    // Past the leading zeros, three digits or more are at least 16, and a long number must not overflow.
    const wchar_t* digits = value + std::wcsspn(value, L"0");
    return std::wcslen(digits) > 2 || _wtoi(digits) >= 16;
}

int VIconManager::IconColorDepth(unsigned int& ilcFlags)
{
    if (!UseAllPossibleColors())
    {
        ilcFlags = ILC_COLOR4;
        return 4;
    }
    const DWORD bits = DisplayBitsPerPixel();
    if (bits >= 16)
    {
        ilcFlags = ILC_COLOR16;
        return 16;
    }
    ilcFlags = bits >= 4 ? ILC_COLOR4 : ILC_COLOR;
    return 4;
}

VUnicodeString VIconManager::GetShell32Path()
{
    static const VUnicodeString path = []
    {
        wchar_t buffer[MAX_PATH + 1];
        const DWORD length = SearchPathW(nullptr, L"Shell32.dll", nullptr, MAX_PATH + 1, buffer, nullptr);
        return length == 0 || length > MAX_PATH + 1 ? VUnicodeString() : VUnicodeString(buffer);
    }();
    return path;
}

bool VIconManager::EnumerateIconResourceIDs(HINSTANCE hModule, wchar_t const* type, CPtrArray& ids)
{
    return EnumResourceNamesW(hModule, type, &EnumResNamesCallback, reinterpret_cast<LONG_PTR>(&ids)) !=
           FALSE;
}

void VIconManager::ReleaseResourceIDs(CPtrArray& ids)
{
    for (INT_PTR i = 0; i < ids.GetSize(); ++i)
    {
        if (!IS_INTRESOURCE(ids[i]))
        {
            delete[] static_cast<wchar_t*>(ids[i]);
            ids[i] = nullptr;
        }
    }
}

// VIconManager with real icon files: the groups of IconTestGroups.dll and the test program's own icons, each
// image painted in a colour that names it (controls_modules/IconGroups.h), so that each test reads from the
// icon's pixels which image was chosen. The tests set the registry values the manager reads ("Shell Icon
// BPP", the folder's DefaultIcon) and put them back; the suite ends in Registry, so its tests run one at a
// time.
#include "controls/VIconManager.h"
#include "hostkit/FileTypeTable.h"

#include "../controls_modules/IconGroups.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace
{
const wchar_t kMetricsKey[] = L"Control Panel\\Desktop\\WindowMetrics";
// Wine keeps HKEY_CLASSES_ROOT apart from the user's classes: the test writes it directly.
const wchar_t kFolderIconKey[] = L"Directory\\DefaultIcon";

// A registry value (null: absent) for the length of a test. Afterwards the old value comes back, or the key
// top goes when the test made it.
class ScopedRegistryValue
{
public:
    ScopedRegistryValue(HKEY hRoot, const wchar_t* top, const wchar_t* key, const wchar_t* name,
                        const wchar_t* value, DWORD type = REG_SZ)
        : m_hRoot(hRoot), m_top(top), m_key(key), m_name(name)
    {
        HKEY hKey = nullptr;
        m_bMadeTop = RegOpenKeyExW(hRoot, top, 0, KEY_READ, &hKey) != ERROR_SUCCESS;
        RegCloseKey(hKey);
        m_bHad = RegGetValueW(hRoot, key, name, RRF_RT_ANY | RRF_NOEXPAND, &m_type, m_old, &m_size) == 0;
        Set(value, type, value != nullptr ? static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)) : 0);
    }
    ~ScopedRegistryValue()
    {
        if (m_bMadeTop)
            RegDeleteTreeW(m_hRoot, m_top);
        else
            Set(m_bHad ? m_old : nullptr, m_type, m_size);
    }

private:
    void Set(const void* data, DWORD type, DWORD size)
    {
        if (data != nullptr)
            RegSetKeyValueW(m_hRoot, m_key, m_name, type, data, size);
        else if (!m_bMadeTop)
            RegDeleteKeyValueW(m_hRoot, m_key, m_name);
    }
    HKEY m_hRoot;
    const wchar_t *m_top, *m_key, *m_name;
    bool m_bMadeTop, m_bHad;
    DWORD m_type = 0, m_size = sizeof(m_old);
    BYTE m_old[1024];
};

// Beside the test program.
std::wstring GroupsDll()
{
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return std::wstring(path, wcsrchr(path, L'\\') + 1) + L"IconTestGroups.dll";
}

std::wstring Shell32()
{
    wchar_t path[MAX_PATH + 1] = {};
    SearchPathW(nullptr, L"Shell32.dll", nullptr, MAX_PATH + 1, path, nullptr);
    return path;
}

// An icon's colour pixels (top-down) and its width; the icon is destroyed.
struct IconPixels
{
    int width = 0;
    std::vector<DWORD> pixels;
    COLORREF Centre() const
    {
        const DWORD p = pixels.empty() ? 0 : pixels[(width / 2) * width + width / 2];
        return RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF); // the DIB's 0x00RRGGBB
    }
};

IconPixels ReadIcon(HICON hIcon)
{
    IconPixels result;
    ICONINFO info = {};
    if (hIcon == nullptr || !GetIconInfo(hIcon, &info))
        return result;
    BITMAP bm = {};
    GetObjectW(info.hbmColor, sizeof(bm), &bm);
    result.width = bm.bmWidth;
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), bm.bmWidth, -bm.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    result.pixels.resize(static_cast<std::size_t>(bm.bmWidth) * bm.bmHeight);
    HDC hdc = GetDC(nullptr);
    GetDIBits(hdc, info.hbmColor, 0, bm.bmHeight, result.pixels.data(), &bi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, hdc);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(hIcon);
    return result;
}

IconPixels ReadImage(const CImageList* pList, int image)
{
    return ReadIcon(ImageList_GetIcon(pList->GetSafeHandle(), image, ILD_NORMAL));
}

// An icon put through a list like pList, so that it compares with the list's images.
IconPixels ThroughList(const CImageList* pList, HICON hIcon)
{
    IMAGEINFO info = {};
    ImageList_GetImageInfo(pList->GetSafeHandle(), 0, &info);
    const int size = info.rcImage.right - info.rcImage.left;
    HIMAGELIST hList = ImageList_Create(size, size, ILC_MASK | ILC_COLOR16, 1, 1);
    ImageList_ReplaceIcon(hList, -1, hIcon);
    DestroyIcon(hIcon);
    IconPixels result = ReadIcon(ImageList_GetIcon(hList, 0, ILD_NORMAL));
    ImageList_Destroy(hList);
    return result;
}

COLORREF GroupColour(int group, int size, int bits)
{
    return RGB(size * 5, bits * 7, group * 30);
}

// An icon of width pixels made from the group's image of size and bits; size 0: any image of the group.
void ExpectImage(HICON hIcon, int width, int group, int size, int bits)
{
    const IconPixels icon = ReadIcon(hIcon);
    EXPECT_EQ(icon.width, width);
    EXPECT_EQ(size > 0 ? icon.Centre() : GetBValue(icon.Centre()),
              size > 0 ? GroupColour(group, size, bits) : group * 30);
}

COLORREF SystemColour(int n)
{
    return RGB(16 * n, 250 - 16 * n, 128);
}

// Colours within the error of a 16-bit image list.
::testing::AssertionResult Near(COLORREF actual, COLORREF expected)
{
    for (int shift : {0, 8, 16})
        if (std::abs(static_cast<int>(actual >> shift & 0xFF) - static_cast<int>(expected >> shift & 0xFF)) >
            8)
            return ::testing::AssertionFailure()
                   << std::hex << "colour 0x" << actual << " where 0x" << expected << " was painted";
    return ::testing::AssertionSuccess();
}

// A manager over types with lists made, every system image given the test program's icon for it (12 has
// none).
struct Icons
{
    VFileTypeTable types;
    CImageList smallList, largeList;
    VIconManager manager{&types, &smallList, &largeList};
    Icons()
    {
        for (int n = 0; n < VIconManager::IMG_COUNT; ++n)
            manager.SetResourceNumber(static_cast<VIconManager::IMGINDX>(n),
                                      n == 12 ? IDI_MISSING : IDI_SYSTEM_FIRST + n);
    }
};

} // namespace

// "Shell Icon BPP" below 16 (and all digits) limits icons to 4 bits; anything else gives 16 bits, so a 32-bit
// image is never taken from a group that also has an 8-bit one.
TEST(IconManagerRegistry, ColourDepthFollowsShellIconBpp)
{
    DEVMODEW mode = {};
    mode.dmSize = sizeof(mode);
    ASSERT_TRUE(EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &mode) && mode.dmBitsPerPel >= 16);
    struct Case
    {
        const wchar_t* value;
        int depth, bits;
    } cases[] = {{L"8", 4, 4},           {L"4", 4, 4},   {nullptr, 16, 8},
                 {L"16", 16, 8},         {L"32", 16, 8}, {L"16x", 16, 8},
                 {L"8 ", 16, 8},         {L"", 16, 8},   {L"0000000000000000008", 4, 4},
                 {L"99999999999", 16, 8}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.value != nullptr ? c.value : L"(no value)");
        ScopedRegistryValue bpp(HKEY_CURRENT_USER, kMetricsKey, kMetricsKey, L"Shell Icon BPP", c.value);
        Icons icons;
        EXPECT_EQ(icons.manager.GetIconColorDepth(), c.depth);
        ASSERT_TRUE(icons.manager.PrepareImageLists());
        EXPECT_EQ(icons.manager.GetIconColorDepth(), c.depth);
        IMAGEINFO info = {};
        ASSERT_TRUE(icons.largeList.GetImageInfo(0, &info));
        BITMAP bm = {};
        GetObjectW(info.hbmImage, sizeof(bm), &bm);
        EXPECT_EQ(bm.bmBitsPixel, c.depth);
        EXPECT_NE(info.hbmMask, nullptr);

        HICON hLarge = nullptr, hSmall = nullptr;
        ASSERT_TRUE(icons.manager.ExtractDefaultIcon(GroupsDll().c_str(), 1, &hLarge, &hSmall,
                                                     icons.manager.GetIconColorDepth()));
        ExpectImage(hLarge, 32, ICON_GROUP_FULL, 32, c.bits);
        ExpectImage(hSmall, 16, ICON_GROUP_FULL, 16, c.bits);
    }
}

// The best image of each size up to the colour depth; a size the group lacks is made from the other one.
// Index: the group's position (the named group first), or minus its id. Groups without either size, and
// depth 0, go to the shell's own extraction, which still gives that group's images.
TEST(IconManagerRegistry, ImagesChosenBySizeAndDepth)
{
    struct Case
    {
        int index, depth;
        bool bLoads;
        int group, largeSize, largeBits, smallSize,
            smallBits; // source of each icon; size 0 where the shell chose
    } cases[] = {
        {1, 16, true, ICON_GROUP_FULL, 32, 8, 16, 8},
        {1, 4, true, ICON_GROUP_FULL, 32, 4, 16, 4},
        {1, 32, true, ICON_GROUP_FULL, 32, 32, 16, 32},
        {1, 7, true, ICON_GROUP_FULL, 32, 4, 16, 4},
        {2, 16, true, ICON_GROUP_SMALL_ONLY, 16, 8, 16, 8},
        {3, 16, true, ICON_GROUP_LARGE_ONLY, 32, 8, 32, 8},
        {3, 4, true, ICON_GROUP_LARGE_ONLY, 32, 4, 32, 4},
        {0, 16, true, ICON_GROUP_NAMED_NUMBER, 32, 8, 16, 8},
        {-ICON_GROUP_FOLDER_NEXT, 16, true, ICON_GROUP_FOLDER_NEXT, 32, 8, 16, 8},
        {4, 16, true, ICON_GROUP_NO_WANTED_SIZE, 0, 0, 0, 0},
        {1, 0, true, ICON_GROUP_FULL, 0, 0, 0, 0},
        {7, 16, false, 0, 0, 0, 0, 0},
        {-99, 16, false, 0, 0, 0, 0, 0},
        {INT_MIN, 16, false, 0, 0, 0, 0, 0},
    };
    Icons icons;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "index " << c.index << ", depth " << c.depth);
        HICON hLarge = nullptr, hSmall = nullptr;
        ASSERT_EQ(icons.manager.ExtractDefaultIcon(GroupsDll().c_str(), static_cast<unsigned int>(c.index),
                                                   &hLarge, &hSmall, c.depth),
                  c.bLoads);
        if (!c.bLoads)
            continue;
        ExpectImage(hLarge, 32, c.group, c.largeSize, c.largeBits);
        ExpectImage(hSmall, 16, c.group, c.smallSize, c.smallBits);
    }
    HICON hLarge = nullptr;
    EXPECT_FALSE(icons.manager.ExtractDefaultIcon(L"C:\\no\\such\\file.dll", 0, &hLarge, nullptr, 16));
    EXPECT_FALSE(icons.manager.ExtractDefaultIcon(nullptr, 0, &hLarge, nullptr, 16));

    const std::pair<unsigned int, int> positions[] = {
        {ICON_GROUP_FULL, 1}, {ICON_GROUP_FOLDER_NEXT, 6}, {ICON_GROUP_NAMED_NUMBER, -1}, {99, -1}};
    for (const auto& p : positions)
        EXPECT_EQ(VIconManager::FindIndexOfResourceID(GroupsDll().c_str(), p.first), p.second) << p.first;
    EXPECT_EQ(VIconManager::FindIndexOfResourceID(L"C:\\no\\such\\file.dll", 1), -1);
}

// Folder images from HKEY_CLASSES_ROOT\Directory\DefaultIcon: a path with
// an environment reference and ",index" unquoted, the index ignored after a quoted path, "%1" and an empty
// value for Shell32's first icon, Shell32's folder icons without the key, and the host's icons when the
// registry's icon does not load.
TEST(IconManagerRegistry, FolderImagesFromTheRegistry)
{
    ScopedRegistryValue bpp(HKEY_CURRENT_USER, kMetricsKey, kMetricsKey, L"Shell Icon BPP", nullptr);
    const std::wstring folder = GroupsDll().substr(0, GroupsDll().rfind(L'\\'));
    SetEnvironmentVariableW(L"PARDALIN_ICON_DIR", folder.c_str());
    enum Source
    {
        Dll,
        Shell32Icon,
        Resource
    };
    struct Case
    {
        const wchar_t* value;
        DWORD type;
        Source source;
        int folder, next; // group positions in the DLL, Shell32's indexes
    } cases[] = {
        {nullptr, REG_SZ, Shell32Icon, 3, 4},
        {L"%PARDALIN_ICON_DIR%\\IconTestGroups.dll,5", REG_SZ, Dll, ICON_GROUP_FOLDER,
         ICON_GROUP_FOLDER_NEXT},
        {L"%PARDALIN_ICON_DIR%\\IconTestGroups.dll,5", REG_EXPAND_SZ, Dll, ICON_GROUP_FOLDER,
         ICON_GROUP_FOLDER_NEXT},
        {L"\"%PARDALIN_ICON_DIR%\\IconTestGroups.dll\",5", REG_SZ, Dll, ICON_GROUP_NAMED_NUMBER,
         ICON_GROUP_FULL},
        {L"%1", REG_SZ, Shell32Icon, 0, 0},
        {L"", REG_SZ, Shell32Icon, 0, 0},
        {L"\"C:\\nowhere\\unclosed.dll,2", REG_SZ, Shell32Icon, 3, 4},
        {L"C:\\nowhere\\missing.dll,1", REG_SZ, Resource, 0, 0},
        {L"%PARDALIN_NOT_DEFINED%\\IconTestGroups.dll,5", REG_SZ, Resource, 0, 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.value != nullptr ? c.value : L"(no key)");
        ScopedRegistryValue icon(HKEY_CLASSES_ROOT, L"Directory", kFolderIconKey, nullptr, c.value, c.type);
        Icons icons;
        ASSERT_TRUE(icons.manager.PrepareImageLists());
        for (int imgIndex : {VIconManager::IMG_FOLDER, VIconManager::IMG_FOLDER_NEXT})
        {
            const int image = icons.manager.ImageIndex(imgIndex);
            ASSERT_GE(image, 0);
            const int at = imgIndex == VIconManager::IMG_FOLDER ? c.folder : c.next;
            for (const CImageList* pList : {&icons.largeList, &icons.smallList})
            {
                const IconPixels actual = ReadImage(pList, image);
                const int size = actual.width;
                if (c.source == Dll)
                {
                    const int group = at == 0 ? ICON_GROUP_NAMED_NUMBER : at;
                    EXPECT_TRUE(Near(actual.Centre(), GroupColour(group, size, 8))) << size;
                    continue;
                }
                if (c.source == Resource)
                {
                    EXPECT_TRUE(Near(actual.Centre(), SystemColour(imgIndex))) << size;
                    continue;
                }
                HICON hExpected = nullptr;
                icons.manager.ExtractDefaultIcon(Shell32().c_str(), at, size == 32 ? &hExpected : nullptr,
                                                 size == 16 ? &hExpected : nullptr, 16);
                EXPECT_TRUE(actual.pixels == ThroughList(pList, hExpected).pixels) << size;
            }
        }
    }
    SetEnvironmentVariableW(L"PARDALIN_ICON_DIR", nullptr);
}

// System images enter both lists in their fixed order, skipping the one whose icon is missing and the host's
// own type; ReloadIcons gives them the same places and puts every file type after them. A file type's image
// is loaded once; an unknown extension and a type whose icon file is missing get the unknown-file image.
TEST(IconManagerRegistry, SystemImagesAndFileTypes)
{
    ScopedRegistryValue bpp(HKEY_CURRENT_USER, kMetricsKey, kMetricsKey, L"Shell Icon BPP", nullptr);
    ScopedRegistryValue folderIcon(HKEY_CLASSES_ROOT, L"Directory", kFolderIconKey, nullptr,
                                   L"C:\\nowhere\\missing.dll,1");
    Icons icons;
    const int full = icons.types.Add(L"Full", L".full;.Other", GroupsDll().c_str(), 1);
    const int gone = icons.types.Add(L"Gone", L".gone", L"C:\\nowhere\\missing.dll", 0);
    const int own = icons.types.Add(L"Own", L".own", L"", 0);
    const int shell = icons.types.Add(L"Program", L".prog", L"%1", 3);
    const int kImages[] = {13, -1, 14, 15}; // of each type, once loaded
    icons.types.SetOwnTypeIndex(own);
    EXPECT_THROW(icons.manager.SetResourceNumber(VIconManager::IMG_NONE, 1),
                 VArray<unsigned int>::OutOfRange);

    const int order[] = {0, 1, 2, 4, 3, 5, 6, 8, 7, 9, 11, 13, 14}; // 12 does not load, 10 is no system image
    for (int pass = 0; pass < 2; ++pass)
    {
        SCOPED_TRACE(pass == 0 ? "prepared" : "reloaded");
        ASSERT_TRUE(pass == 0 ? icons.manager.PrepareImageLists() : icons.manager.ReloadIcons());
        for (int i = 0; i < static_cast<int>(std::size(order)); ++i)
        {
            EXPECT_EQ(icons.manager.ImageIndex(order[i]), i) << order[i];
            EXPECT_TRUE(Near(ReadImage(&icons.smallList, i).Centre(), SystemColour(order[i]))) << order[i];
            EXPECT_TRUE(Near(ReadImage(&icons.largeList, i).Centre(), SystemColour(order[i]))) << order[i];
        }
        for (int imgIndex : {12, 10, 15, -1})
            EXPECT_EQ(icons.manager.ImageIndex(imgIndex), -1) << imgIndex;
        const int loaded = pass == 0 ? 0 : 3; // reloading loads every type that has an icon
        EXPECT_EQ(icons.largeList.GetImageCount(), 13 + loaded);
        EXPECT_EQ(icons.smallList.GetImageCount(), 13 + loaded);
        for (int type : {full, gone, own, shell})
            EXPECT_EQ(icons.types.GetDefinition(type)->GetImageIndex(), pass == 0 ? -1 : kImages[type]);
    }

    const int unknown = icons.manager.ImageIndex(VIconManager::IMG_UNKNOWN_FILE);
    const struct
    {
        const wchar_t* extension;
        int image;
    } lookups[] = {{L".full", 13},      {L".OTHER", 13},     {L".own", 14},     {L".prog", 15},
                   {L".gone", unknown}, {L".none", unknown}, {nullptr, unknown}};
    for (const auto& l : lookups)
        EXPECT_EQ(icons.manager.ImageIndex(l.extension), l.image) << (l.extension ? l.extension : L"(null)");
    EXPECT_EQ(icons.largeList.GetImageCount(), 16);
    EXPECT_TRUE(Near(ReadImage(&icons.largeList, 13).Centre(), GroupColour(ICON_GROUP_FULL, 32, 8)));
    EXPECT_TRUE(
        Near(ReadImage(&icons.smallList, 14).Centre(), SystemColour(VIconManager::IMG_OWN_FILE_TYPE)));

    // Updating replaces a type's images in place or adds them; a type that no longer loads loses its image.
    EXPECT_EQ(icons.manager.UpdateIcons(full), 13);
    EXPECT_EQ(icons.manager.UpdateIcons(gone), -1);
    EXPECT_EQ(icons.manager.UpdateIcons(99), -1);
    EXPECT_EQ(icons.largeList.GetImageCount(), 16);
    icons.types.GetDefinition(own)->SetImageIndex(-1);
    EXPECT_EQ(icons.manager.UpdateIcons(own), 16);
    EXPECT_EQ(icons.manager.ImageIndexFromDefinitionIndex(own), 16);
    EXPECT_EQ(icons.manager.ImageIndexFromDefinitionIndex(gone), -1);
    EXPECT_EQ(icons.manager.ImageIndexFromDefinitionIndex(-1), -1);
    EXPECT_EQ(icons.smallList.GetImageCount(), 17);
}

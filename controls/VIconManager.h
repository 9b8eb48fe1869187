/// \class VIconManager
/// Fills the pair of image lists (16 and 32 pixels) that a host's list and tree views share, first with the
/// host's "system" images (icons of the host's resources, folders from the registry), then, on demand, with
/// one image per file type of the host's VFileTypeManager. Out of a type's icon file it picks the images
/// whose size and colour depth suit the display, and it keeps each type's image index in the type's
/// definition, so that each type is loaded once. Both lists always hold the same images in the same order.
///
/// \code{.cpp}
/// CImageList smallImages, largeImages;
/// VIconManager icons(&fileTypes, &smallImages, &largeImages);
/// icons.SetResourceNumber(VIconManager::IMG_UNKNOWN_FILE, IDI_UNKNOWN_FILE);
/// icons.PrepareImageLists();
/// m_list.SetImageList(&smallImages, LVSIL_SMALL);
/// m_list.InsertItem(0, L"notes.txt", icons.ImageIndex(L".txt"));
/// ...
/// icons.ReloadIcons(); // after a change of display colours or icon settings
/// \endcode
#pragma once

#include "controls/VFileTypeManager.h"
#include "core/PardalinApi.h"
#include "core/VArray.h"
#include "core/VMap.h"

#include <afxcmn.h>
#include <afxcoll.h>

class PARDALIN_API VIconManager
{
public:
    /// The system images. The host decides what each one shows, except for the roles named here.
    enum IMGINDX
    {
        IMG_HOST0, ///< The host's icon resource set with SetResourceNumber.
        IMG_HOST1, ///< The host's icon resource set with SetResourceNumber.
        IMG_HOST2, ///< The host's icon resource set with SetResourceNumber.
        IMG_HOST3, ///< The host's icon resource set with SetResourceNumber.
        IMG_HOST4, ///< The host's icon resource set with SetResourceNumber.
        IMG_HOST5, ///< The host's icon resource set with SetResourceNumber.
        IMG_HOST6, ///< The host's icon resource set with SetResourceNumber.
        /// The registry's folder icon (`HKEY_CLASSES_ROOT\Directory\DefaultIcon`), else the host's resource.
        IMG_FOLDER,
        /// The icon after the folder icon in the same file, else the host's resource.
        IMG_FOLDER_NEXT,
        /// Files of an unknown type, or whose icon does not load.
        IMG_UNKNOWN_FILE,
        /// The host's own file type; never one of the system images, only its resource number is used.
        IMG_OWN_FILE_TYPE,
        IMG_HOST11, ///< The host's icon resource set with SetResourceNumber.
        IMG_HOST12, ///< The host's icon resource set with SetResourceNumber.
        IMG_HOST13, ///< The host's icon resource set with SetResourceNumber.
        IMG_HOST14, ///< The host's icon resource set with SetResourceNumber.
        /// No image: loading it always fails.
        IMG_NONE,
        /// The number of resource numbers, one for each value IMG_HOST0 ... IMG_HOST14; IMG_NONE has none.
        IMG_COUNT = IMG_NONE
    };

    // Construction
    /// Neither the file types nor the lists are owned; all must outlive the manager. Takes the colour depth
    /// from the registry and the display; the lists are created by PrepareImageLists.
    VIconManager(VFileTypeManager* pFileTypes, CImageList* pSmall, CImageList* pLarge);
    /// Leaves the lists and their images to their owner.
    virtual ~VIconManager();

    // Attributes
    /// Bits per pixel up to which icon images are chosen: 16 when all colours are used, else 4.
    int GetIconColorDepth() const;
    /// The list of 16-pixel images given to the constructor.
    CImageList* GetSmallIconImageList() const;
    /// The list of 32-pixel images given to the constructor.
    CImageList* GetLargeIconImageList() const;
    /// The host's icon resource for a system image, used from the next PrepareImageLists on. A value outside
    /// IMG_HOST0 ... IMG_HOST14 throws VArray<unsigned int>::OutOfRange.
    void SetResourceNumber(IMGINDX imgIndex, unsigned int resourceID);

    // Operations
    /// Creates both lists and adds the system images that load; false when a list cannot be created.
    bool PrepareImageLists();
    /// The image of a system image, or -1 when it is not in the lists.
    int ImageIndex(int imgIndex) const;
    /// The image of files with that extension: the type's own, loaded on first use, or the unknown-file
    /// image.
    int ImageIndex(wchar_t const* extension);
    /// The image of a definition, loaded on first use; -1 when there is no such definition or it does not
    /// load.
    int ImageIndexFromDefinitionIndex(int definitionIndex);
    /// Loads a definition's icons again, into its image when it has one; the image index, or -1 (which the
    /// definition then records).
    int UpdateIcons(int definitionIndex);
    /// Creates the lists anew with the system images, then loads every definition; false when a list cannot
    /// be deleted or created.
    bool ReloadIcons();
    /// The icons of a definition, which the caller destroys; for the host's own type both are the one icon
    /// of its resource (IMG_OWN_FILE_TYPE), shared and not to be destroyed. colorDepth as in
    /// ExtractDefaultIcon. False for an index outside the definitions or icons that do not load.
    bool GetIcons(int definitionIndex, HICON* pLarge, HICON* pSmall, int colorDepth);
    /// The icons of a DefaultIcon-style path and index (the position of an icon group in the file, or minus a
    /// group's resource id, cast to unsigned), which the caller destroys; either pointer may be null. An
    /// empty path or "%1" is Shell32's first icon. With a colorDepth above 0 the images are chosen by size
    /// and colour depth (the most bits per pixel up to colorDepth), else the system's extraction picks them.
    /// False for a null path or when no icon loads.
    bool ExtractDefaultIcon(wchar_t const* path, unsigned int index, HICON* pLarge, HICON* pSmall,
                            int colorDepth);

    /// The position of icon group id among the icon groups of the file path, in enumeration order, or -1.
    static int FindIndexOfResourceID(wchar_t const* path, unsigned int id);
    /// EnumResourceNames callback: adds each name to the CPtrArray param, an id as it is, a string name as a
    /// copy on the heap (the manager frees those it gathers). Always continues the enumeration.
    static BOOL CALLBACK EnumResNamesCallback(HINSTANCE hModule, wchar_t const* type, wchar_t* name,
                                              LONG_PTR param);

private:
    // All add with ImageList_ReplaceIcon and give the image's index, or -1.
    int AddSmallIcon(HICON hIcon);
    int AddLargeIcon(HICON hIcon);
    int ReplaceSmallIcon(int image, HICON hIcon);
    int ReplaceLargeIcon(int image, HICON hIcon);
    // Adds each definition's icons, recording the index (-1 for a definition that does not load).
    void LoadIcons();
    bool LoadSystemIcon(IMGINDX imgIndex, HICON& hLarge, HICON& hSmall, int colorDepth);
    int AddSystemIcon(int imgIndex);
    // The best images of an icon group for each size; false when the group has no image of either size.
    bool ExtractSpecificIcon(wchar_t const* path, int index, HICON* pLarge, HICON* pSmall, int colorDepth);
    static HICON CreateSpecificIcon(HMODULE hModule, WORD id, int cx, int cy);
    static bool UseAllPossibleColors();
    static int IconColorDepth(unsigned int& ilcFlags);
    static VUnicodeString GetShell32Path();
    static bool EnumerateIconResourceIDs(HINSTANCE hModule, wchar_t const* type, CPtrArray& ids);
    static void ReleaseResourceIDs(CPtrArray& ids);

    VFileTypeManager* m_pFileTypes;
    CImageList* m_pSmallImageList;
    CImageList* m_pLargeImageList;
    int m_nColorDepth;
    VMap<int, int> m_systemImages;
    VArray<unsigned int> m_resourceNumbers;
};

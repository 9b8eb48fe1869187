/// \class VFileTypeManager
/// The host's file types, as the icon manager sees them. The host implements the manager (the host kit's
/// VFileTypeTable is one implementation) and keeps a VFileTypeDefinition for each type it knows. The icon
/// manager reads the icons and records the image index of each type in its definition through the manager.
///
/// \code{.cpp}
/// class CHostFileTypes : public VFileTypeManager { ... };
/// CHostFileTypes types;
/// VIconManager icons(&types, &smallImages, &largeImages);
/// int image = icons.ImageIndex(L".txt");
/// \endcode

/// \class VFileTypeDefinition
/// One file type of the host: its name and its default icon in the form of the registry's DefaultIcon
/// values (a file and an icon index), with the image the icon manager gave it. The host owns the
/// definitions; a host may derive from it to keep more about a type.
///
/// \code{.cpp}
/// VFileTypeDefinition text(L"Text Document", L"C:\\Windows\\notepad.exe", 0);
/// int image = text.GetImageIndex(); // -1 until the icon manager loads it
/// \endcode
#pragma once

#include "core/VUnicodeString.h"

class VFileTypeDefinition
{
public:
    // Construction
    /// No name, no icon file, icon index 0, no image.
    VFileTypeDefinition() : m_nDefaultIconIndex(0), m_nImageIndex(-1) {}
    /// A type with no image yet. iconIndex as in a DefaultIcon value: the position of an icon group in
    /// iconPath, or minus its resource id.
    VFileTypeDefinition(wchar_t const* typeName, wchar_t const* iconPath, int iconIndex)
        : m_strTypeName(typeName), m_strDefaultIconPath(iconPath), m_nDefaultIconIndex(iconIndex),
          m_nImageIndex(-1)
    {
    }
    /// Definitions may be derived from and deleted through this class.
    virtual ~VFileTypeDefinition() = default;

    // Attributes
    /// The type's name, as FindDefinitionIndex compares it.
    const VUnicodeString& GetTypeName() const { return m_strTypeName; }
    /// The file that holds the type's icon; empty or "%1" stands for Shell32 (see
    /// VIconManager::ExtractDefaultIcon).
    const VUnicodeString& GetDefaultIconPath() const { return m_strDefaultIconPath; }
    /// The icon's position among the icon groups of the file, or minus its resource id.
    int GetDefaultIconIndex() const { return m_nDefaultIconIndex; }
    /// The type's image in the icon manager's lists, -1 while it has none.
    int GetImageIndex() const { return m_nImageIndex; }
    /// Records the type's image; -1 for none.
    void SetImageIndex(int imageIndex) { m_nImageIndex = imageIndex; }

protected:
    VUnicodeString m_strTypeName;        ///< See GetTypeName.
    VUnicodeString m_strDefaultIconPath; ///< See GetDefaultIconPath.
    int m_nDefaultIconIndex;             ///< See GetDefaultIconIndex.
    int m_nImageIndex;                   ///< See GetImageIndex.
};

class VFileTypeManager
{
public:
    // Construction
    /// Managers may be deleted through this class.
    virtual ~VFileTypeManager() = default;

    // Attributes
    /// The number of definitions; their indexes run from 0.
    virtual int GetDefinitionCount() const = 0;
    /// The definition at index, owned by the host. Null for an index outside 0 ... count - 1.
    virtual VFileTypeDefinition* GetDefinition(int index) const = 0;
    /// Whether index is the host's own file type, whose icon the host's resources give.
    virtual bool IsOwnTypeIndex(int index) const = 0;

    // Operations
    /// Records the image index of definition index; an index outside the definitions is ignored.
    virtual void SetImageIndex(int index, int imageIndex) = 0;
    /// The definition registered for extension (with its dot: ".txt"; either case), or null.
    virtual VFileTypeDefinition* FindDefinitionForExtension(wchar_t const* extension) const = 0;
    /// The index of the first definition, from the manager's starting index on, whose type name equals
    /// typeName without regard to case; -1 when there is none.
    virtual int FindDefinitionIndex(wchar_t const* typeName) const = 0;
};

// VFileTypeDefinition, VFileTypeManager: the host's file types, as the icon manager sees them. The host owns
// both: it implements the manager (the host kit's VFileTypeTable is one implementation) and keeps a
// definition for each type it knows, with the type's name and its default icon in the form of the registry's
// DefaultIcon values (a file and an icon index). The icon manager reads the icons and records the image index
// of each type in its definition through the manager.
//
//     class CHostFileTypes : public VFileTypeManager { ... };
//     CHostFileTypes types;
//     VIconManager icons(&types, &smallImages, &largeImages);
//     int image = icons.ImageIndex(L".txt");
#pragma once

#include "core/VUnicodeString.h"

class VFileTypeDefinition
{
public:
    // Construction
    VFileTypeDefinition() : m_nDefaultIconIndex(0), m_nImageIndex(-1) {}
    // iconIndex as in a DefaultIcon value: the position of an icon group in iconPath, or minus its resource
    // id.
    VFileTypeDefinition(wchar_t const* typeName, wchar_t const* iconPath, int iconIndex)
        : m_strTypeName(typeName), m_strDefaultIconPath(iconPath), m_nDefaultIconIndex(iconIndex),
          m_nImageIndex(-1)
    {
    }
    virtual ~VFileTypeDefinition() = default;

    // Attributes
    const VUnicodeString& GetTypeName() const { return m_strTypeName; }
    const VUnicodeString& GetDefaultIconPath() const { return m_strDefaultIconPath; }
    int GetDefaultIconIndex() const { return m_nDefaultIconIndex; }
    // The type's image in the icon manager's lists, -1 while it has none.
    int GetImageIndex() const { return m_nImageIndex; }
    void SetImageIndex(int imageIndex) { m_nImageIndex = imageIndex; }

protected:
    VUnicodeString m_strTypeName;
    VUnicodeString m_strDefaultIconPath;
    int m_nDefaultIconIndex;
    int m_nImageIndex;
};

class VFileTypeManager
{
public:
    // Construction
    virtual ~VFileTypeManager() = default;

    // Attributes
    virtual int GetDefinitionCount() const = 0;
    // Null for an index outside 0 ... count - 1.
    virtual VFileTypeDefinition* GetDefinition(int index) const = 0;
    // Whether index is the host's own file type, whose icon the host's resources give.
    virtual bool IsOwnTypeIndex(int index) const = 0;

    // Operations
    // Records the image index of definition index; an index outside the definitions is ignored.
    virtual void SetImageIndex(int index, int imageIndex) = 0;
    // The definition registered for extension (with its dot: ".txt"; either case), or null.
    virtual VFileTypeDefinition* FindDefinitionForExtension(wchar_t const* extension) const = 0;
    // The index of the first definition, from the manager's starting index on, whose type name equals
    // typeName without regard to case; -1 when there is none.
    virtual int FindDefinitionIndex(wchar_t const* typeName) const = 0;
};

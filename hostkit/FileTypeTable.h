/// \class VFileTypeTable
/// The host kit's file types for the icon manager. Each type has a name, the extensions it is registered for
/// and a default icon (a file and an icon index, as a DefaultIcon value gives them). The host adds types of
/// its own, takes others from the registry's classes, and names one as its own type, whose icon the icon
/// manager takes from the host's resources.
///
/// \code{.cpp}
/// VFileTypeTable types;
/// types.SetOwnTypeIndex(types.Add(L"Session", L".session", L"", 0));
/// types.Add(L"Text document", L".txt;.log", L"C:\\Windows\\notepad.exe", 0);
/// types.AddRegistered(L".chm");
/// VIconManager icons(&types, &smallImages, &largeImages);
/// \endcode
#pragma once

#include "controls/VFileTypeManager.h"
#include "core/VMap.h"

#include <memory>
#include <vector>

class VFileTypeTable : public VFileTypeManager
{
public:
    // Construction
    /// An empty table with no own type, searches starting at index 0.
    VFileTypeTable();
    /// Deletes the definitions the table made.
    ~VFileTypeTable() override;
    VFileTypeTable(const VFileTypeTable&) = delete;
    VFileTypeTable& operator=(const VFileTypeTable&) = delete;

    // Attributes
    /// The host's own type, -1 (the default) for none.
    void SetOwnTypeIndex(int index) { m_nOwnType = index; }
    /// Where FindDefinitionIndex starts; 0 by default.
    void SetStartIndex(int index) { m_nStart = index; }

    /// The number of types added.
    int GetDefinitionCount() const override;
    /// The type at `index`, owned by the table; null for an index outside 0 ... count - 1.
    VFileTypeDefinition* GetDefinition(int index) const override;
    /// Whether `index` is the one SetOwnTypeIndex named (never for a negative index).
    bool IsOwnTypeIndex(int index) const override;

    // Operations
    /// Adds a type for extensions (each with its dot, separated by ';') and returns its index. An extension
    /// that an earlier type has keeps that type.
    int Add(wchar_t const* typeName, wchar_t const* extensions, wchar_t const* iconPath, int iconIndex);
    /// Adds the type that HKEY_CLASSES_ROOT registers for `extension`: the class the extension's key names,
    /// with the class's DefaultIcon value ("file,index", the file maybe in quotes, environment references
    /// expanded). A class already in the table takes the extension instead. The type's index, or -1 when the
    /// extension has no class or the class no icon.
    int AddRegistered(wchar_t const* extension);

    /// Records the icon manager's image index for the type at `index`; an index outside the table is
    /// ignored.
    void SetImageIndex(int index, int imageIndex) override;
    /// The type registered for `extension` (with its dot: ".txt"; either case), or null.
    VFileTypeDefinition* FindDefinitionForExtension(wchar_t const* extension) const override;
    /// The index of the first type, from the start index on, whose name equals `typeName` without regard
    /// to case; -1 when there is none.
    int FindDefinitionIndex(wchar_t const* typeName) const override;

private:
    // Extensions are kept in upper case, so that their lookup ignores case.
    static VUnicodeString Key(wchar_t const* extension);

    std::vector<std::unique_ptr<VFileTypeDefinition>> m_definitions;
    VMap<VUnicodeString, VFileTypeDefinition*> m_byExtension;
    int m_nOwnType;
    int m_nStart;
};

#include "hostkit/FileTypeTable.h"

#include <algorithm>
#include <string>

namespace
{
// The default value of HKEY_CLASSES_ROOT\subKey, environment references expanded; empty when absent.
std::wstring ReadClassesValue(const std::wstring& subKey)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, subKey.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return std::wstring();
    DWORD type = 0, size = 0;
    std::wstring value;
    if (RegQueryValueExW(key, nullptr, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ) && size >= sizeof(wchar_t))
    {
        value.resize(size / sizeof(wchar_t));
        if (RegQueryValueExW(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(&value[0]), &size) !=
            ERROR_SUCCESS)
            value.clear();
        value.resize(wcsnlen(value.c_str(), value.size()));
    }
    RegCloseKey(key);
    if (type == REG_EXPAND_SZ && !value.empty())
    {
        std::wstring expanded(ExpandEnvironmentStringsW(value.c_str(), nullptr, 0), L'\0');
        ExpandEnvironmentStringsW(value.c_str(), &expanded[0], static_cast<DWORD>(expanded.size()));
        value.assign(expanded.c_str());
    }
    return value;
}
} // namespace

VFileTypeTable::VFileTypeTable() : m_nOwnType(-1), m_nStart(0) {}

VFileTypeTable::~VFileTypeTable() = default;

int VFileTypeTable::GetDefinitionCount() const
{
    return static_cast<int>(m_definitions.size());
}

VFileTypeDefinition* VFileTypeTable::GetDefinition(int index) const
{
    return index >= 0 && index < GetDefinitionCount() ? m_definitions[index].get() : nullptr;
}

bool VFileTypeTable::IsOwnTypeIndex(int index) const
{
    return index >= 0 && index == m_nOwnType;
}

int VFileTypeTable::Add(wchar_t const* typeName, wchar_t const* extensions, wchar_t const* iconPath,
                        int iconIndex)
{
    m_definitions.push_back(std::make_unique<VFileTypeDefinition>(typeName, iconPath, iconIndex));
    VFileTypeDefinition* pDefinition = m_definitions.back().get();
    const std::wstring list(extensions != nullptr ? extensions : L"");
    for (std::size_t start = 0; start <= list.size();)
    {
        std::size_t end = list.find(L';', start);
        if (end == std::wstring::npos)
            end = list.size();
        const VUnicodeString key = Key(list.substr(start, end - start).c_str());
        if (!key.IsEmpty() && !m_byExtension.IsPresent(key))
            m_byExtension.Set(key, pDefinition);
        start = end + 1;
    }
    return GetDefinitionCount() - 1;
}

int VFileTypeTable::AddRegistered(wchar_t const* extension)
{
    if (extension == nullptr || *extension == L'\0')
        return -1;
    const std::wstring className = ReadClassesValue(extension);
    if (className.empty())
        return -1;
    const int existing = FindDefinitionIndex(className.c_str());
    if (existing >= 0)
    {
        const VUnicodeString key = Key(extension);
        if (!m_byExtension.IsPresent(key))
            m_byExtension.Set(key, m_definitions[existing].get());
        return existing;
    }
    std::wstring icon = ReadClassesValue(className + L"\\DefaultIcon");
    if (icon.empty())
        return -1;
    int iconIndex = 0;
    std::wstring path;
    if (icon[0] == L'"')
    {
        const std::size_t closing = icon.find(L'"', 1);
        path = icon.substr(1, closing == std::wstring::npos ? std::wstring::npos : closing - 1);
        icon = closing == std::wstring::npos ? std::wstring() : icon.substr(closing + 1);
        const std::size_t comma = icon.find(L',');
        if (comma != std::wstring::npos)
            iconIndex = _wtoi(icon.c_str() + comma + 1);
    }
    else
    {
        const std::size_t comma = icon.rfind(L',');
        path = icon.substr(0, comma);
        if (comma != std::wstring::npos)
            iconIndex = _wtoi(icon.c_str() + comma + 1);
    }
    return Add(className.c_str(), extension, path.c_str(), iconIndex);
}

void VFileTypeTable::SetImageIndex(int index, int imageIndex)
{
    if (VFileTypeDefinition* pDefinition = GetDefinition(index))
        pDefinition->SetImageIndex(imageIndex);
}

VFileTypeDefinition* VFileTypeTable::FindDefinitionForExtension(wchar_t const* extension) const
{
    VFileTypeDefinition* pDefinition = nullptr;
    return extension != nullptr && m_byExtension.Lookup(Key(extension), pDefinition) ? pDefinition : nullptr;
}

int VFileTypeTable::FindDefinitionIndex(wchar_t const* typeName) const
{
    if (typeName == nullptr)
        return -1;
    for (int i = std::max(m_nStart, 0); i < GetDefinitionCount(); ++i)
    {
        if (m_definitions[i]->GetTypeName().CompareNoCase(typeName) == 0)
            return i;
    }
    return -1;
}

VUnicodeString VFileTypeTable::Key(wchar_t const* extension)
{
    VUnicodeString key(extension);
    key.MakeUpper();
    return key;
}

#include "settings/VRecentFileList.h"

#include "core/detail/GuardedFormat.h"
#include "frame/detail/SafeFormat.h"
#include "settings/VProfileStore.h"

namespace
{
// A negative size makes an empty list.
int Slots(int size)
{
    return size > 0 ? size : 0;
}
} // namespace

VRecentFileList::VRecentFileList(UINT nStart, const wchar_t* lpszSection, const wchar_t* lpszEntryFormat,
                                 int nSize, int nMaxDispLen)
    : CRecentFileList(nStart, lpszSection, lpszEntryFormat, Slots(nSize), nMaxDispLen)
{
}

VRecentFileList::VRecentFileList(const VRecentFileList& other) : CRecentFileList(other) {}

VRecentFileList& VRecentFileList::operator=(const VRecentFileList& other)
{
    CRecentFileList::operator=(other);
    return *this;
}

VRecentFileList::~VRecentFileList() = default;

VUnicodeString VRecentFileList::EntryName(int index) const
{
    const wchar_t* format = m_strEntryFormat;
    // A template that refers to an insert beyond the entry number cannot be formatted; its text is the name.
    if (pardalin::detail::HighestInsertReferenced(format) > 1)
        return VUnicodeString(format);
    DWORD_PTR arguments[1] = {static_cast<DWORD_PTR>(index) + 1};
    wchar_t* text = nullptr;
    const DWORD length =
        pardalin::detail::GuardedFormatMessage(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ARGUMENT_ARRAY,
                                               format, 0, &text, reinterpret_cast<va_list*>(arguments));
    VUnicodeString name =
        length > 0 ? VUnicodeString(text, static_cast<int>(length)) : VUnicodeString(format);
    if (text)
        LocalFree(text);
    return name;
}

void VRecentFileList::ReadList()
{
    VProfileStore store;
    VProfileKey key(*store.GetRootKey(), m_strSectionName);
    for (int i = 0; i < m_nSize; ++i)
    {
        VUnicodeString value;
        if (key.ReadString(EntryName(i), &value))
            m_arrNames[i] = value.GetString();
        else
            m_arrNames[i].Empty();
    }
}

void VRecentFileList::WriteList()
{
    VProfileStore store;
    VProfileKey key(*store.GetRootKey(), m_strSectionName);
    for (int i = 0; i < m_nSize; ++i)
    {
        const VUnicodeString name = EntryName(i);
        VUnicodeString stored;
        if (!key.ReadString(name, &stored) || stored.Compare(m_arrNames[i].GetString()) != 0)
            key.WriteString(name, m_arrNames[i]);
    }
}

void VRecentFileList::AddToMostRecent(const wchar_t* path)
{
    if (m_nSize <= 0)
        return;
    const CString entry(path ? path : L"");
    int found = 0;
    while (found < m_nSize - 1 && m_arrNames[found] != entry)
        ++found;
    for (int i = found; i > 0; --i)
        m_arrNames[i] = m_arrNames[i - 1];
    m_arrNames[0] = entry;
    WriteList();
}

void VRecentFileList::RemoveFromList(const wchar_t* path)
{
    const CString entry(path ? path : L"");
    for (int i = 0; i < m_nSize; ++i)
    {
        if (m_arrNames[i] == entry)
        {
            Remove(i);
            WriteList();
            return;
        }
    }
}

void VRecentFileList::UpdateMRUCount(const wchar_t* section, const wchar_t* entryFormat,
                                     CRecentFileList*& list, int count)
{
    if (list)
    {
        list->WriteList();
        delete list;
        list = nullptr;
    }
    if (count > 0)
    {
        VRecentFileList* fresh = new VRecentFileList(0, section, entryFormat, count, 30);
        fresh->ReadList();
        list = fresh;
        fresh->WriteList();
    }
}

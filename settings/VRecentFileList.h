/// \class VRecentFileList
/// The host's most-recently-used file list, with the framework's menu handling, kept in the host's profile
/// store: under the store's root, a key named after the list's section holds one string value per entry,
/// named by the entry format (a message template whose insert 1 is the entry's 1-based number; a format
/// that refers to a higher insert is used as the name unexpanded).
///
/// \code{.cpp}
/// CRecentFileList* list = nullptr;
/// VRecentFileList::UpdateMRUCount(L"Recent File List", L"File%1!d!", list, 4);
/// static_cast<VRecentFileList*>(list)->AddToMostRecent(L"C:\\Work\\site.cfg"); // stored at once
/// \endcode
///
/// Entries compare case-sensitively and are kept in the form the caller gives; an empty entry is a free slot.
/// Every read and write opens the profile store afresh through the factory registered with PardalinInit.
#pragma once

#include "core/PardalinApi.h"
#include "core/VUnicodeString.h"

#include <afxadv.h>

class VProfileKey;

class PARDALIN_API VRecentFileList : public CRecentFileList
{
public:
    // Construction

    /// A list of `nSize` empty entries (none for a negative size) whose menu items start at command id
    /// `nStart`, stored under the key `lpszSection` with value names from `lpszEntryFormat`; menu texts are
    /// abbreviated to `nMaxDispLen` characters. Nothing is read until ReadList.
    VRecentFileList(UINT nStart, const wchar_t* lpszSection, const wchar_t* lpszEntryFormat, int nSize,
                    int nMaxDispLen = AFX_ABBREV_FILENAME_LEN);
    /// Copies the entries and settings: the two lists do not share them.
    VRecentFileList(const VRecentFileList& other);
    /// Copies the entries and settings: the two lists do not share them.
    VRecentFileList& operator=(const VRecentFileList& other);
    ~VRecentFileList() override;

    // Operations

    /// Puts `path` first (moving it up when it is already in the list, otherwise pushing the last entry
    /// out) and stores the list. A null path counts as an empty entry; a list without entries does nothing.
    void AddToMostRecent(const wchar_t* path);
    /// Removes the first entry equal to `path` (the later ones move up) and stores the list; nothing happens
    /// when there is none.
    void RemoveFromList(const wchar_t* path);
    /// Stores `list` (when there is one, of any CRecentFileList class) and deletes it, then replaces it by a
    /// new VRecentFileList of `count` entries read back from the profile, starting at command id 0 with
    /// menu texts of up to 30 characters, and stores that. With count 0 or less the pointer is left null.
    static void UpdateMRUCount(const wchar_t* section, const wchar_t* entryFormat, CRecentFileList*& list,
                               int count);

    // Overridables

    /// Loads every entry from the profile; an absent value gives an empty entry.
    void ReadList() override;
    /// Stores the entries that differ from the profile or are absent from it (an empty entry included);
    /// equal ones are not written.
    void WriteList() override;

private:
    // The value name of the entry at index (0-based).
    VUnicodeString EntryName(int index) const;
};

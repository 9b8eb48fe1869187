// VRecentFileList: the host's most-recently-used file list, with the framework's menu handling, kept in the
// host's profile store: under the store's root, a key named after the list's section holds one string value
// per entry, named by the entry format (a message template whose insert 1 is the entry's 1-based number).
//
//     CRecentFileList* list = nullptr;
//     VRecentFileList::UpdateMRUCount(L"Recent File List", L"File%1!d!", list, 4);
//     static_cast<VRecentFileList*>(list)->AddToMostRecent(L"C:\\Work\\site.cfg"); // stored at once
//
// Entries compare case-sensitively and are kept in the form the caller gives; an empty entry is a free slot.
#pragma once

#include "core/PardalinApi.h"
#include "core/VUnicodeString.h"

#include <afxadv.h>

class VProfileKey;

class PARDALIN_API VRecentFileList : public CRecentFileList
{
public:
    // Construction
    VRecentFileList(UINT nStart, const wchar_t* lpszSection, const wchar_t* lpszEntryFormat, int nSize,
                    int nMaxDispLen = AFX_ABBREV_FILENAME_LEN);
    // Copies duplicate the entries: the two lists do not share them.
    VRecentFileList(const VRecentFileList& other);
    VRecentFileList& operator=(const VRecentFileList& other);
    ~VRecentFileList() override;

    // Operations
    // Puts path first (moving it up when it is already in the list) and stores the list.
    void AddToMostRecent(const wchar_t* path);
    // Removes the first entry equal to path and stores the list; nothing happens when there is none.
    void RemoveFromList(const wchar_t* path);
    // Stores `list` (when there is one) and replaces it by a list of `count` entries read back from the
    // profile; with count 0 or less the list is deleted and the pointer set to null.
    static void UpdateMRUCount(const wchar_t* section, const wchar_t* entryFormat, CRecentFileList*& list,
                               int count);

    // Overridables
    // Loads every entry from the profile; an absent value gives an empty entry.
    void ReadList() override;
    // Stores the entries that differ from the profile (an empty entry included); equal ones are not written.
    void WriteList() override;

private:
    // The value name of the entry at index (0-based).
    VUnicodeString EntryName(int index) const;
};

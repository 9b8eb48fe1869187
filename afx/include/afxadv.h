// CRecentFileList: the most-recently-used file list of the File menu, kept in the application profile.
//
// CWinApp::LoadStdProfileSettings makes the application's list (m_pRecentFileList); a host may also keep a
// list of its own, or derive one that stores its entries elsewhere by overriding ReadList and WriteList.
//
//     CRecentFileList list(0, L"Recent File List", L"File%d", 4);
//     list.ReadList();                    // File1 ... File4 of the profile section
//     list.Add(L"C:\\Data\\report.txt");  // now list[0]
//     list.WriteList();
#pragma once

#include "afxwin.h"

// The longest menu text of a recent file, in characters.
#define AFX_ABBREV_FILENAME_LEN 30

class AFX_API CRecentFileList
{
public:
    // Construction
    // nStart offsets the numbers the menu shows ("&1" for the first entry when 0); lpszSection and
    // lpszEntryFormat (printf style, "%d" taking the 1-based entry number) name the profile entries;
    // nSize is the number of entries (a negative one throws CInvalidArgException); nMaxDispLen is the
    // longest menu text, -1 for full paths.
    CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize,
                    int nMaxDispLen = AFX_ABBREV_FILENAME_LEN);
    // Copies have entries of their own.
    CRecentFileList(const CRecentFileList& other);
    CRecentFileList& operator=(const CRecentFileList& other);

    // Attributes
    int GetSize() const { return m_nSize; }
    // Entry nIndex (0 the most recent); an empty string is a free entry.
    CString& operator[](int nIndex);

    int m_nSize;
    CString* m_arrNames; // m_nSize entries
    CString m_strSectionName;
    CString m_strEntryFormat;
    UINT m_nStart;
    int m_nMaxDisplayLength;
    // The text of the menu item the list replaces, shown (disabled) while the list is empty; taken from
    // the menu the first time the list updates it.
    CString m_strOriginal;

    // Operations and overridables. They are declared in this order, the destructor last, because classes
    // derived in other modules depend on the order of the virtual table.

    // Empties entry nIndex, moving the later entries up.
    virtual void Remove(int nIndex);
    // Puts the full form of lpszPathName first. An entry naming the same file (compared as full paths,
    // without regard to case) moves up from where it was; otherwise the last entry drops off.
    virtual void Add(LPCTSTR lpszPathName);
    // The menu text of entry nIndex in strName: just the file's title when it lies in lpszCurDir (nCurDir
    // characters ending in a backslash), otherwise the path abbreviated to m_nMaxDisplayLength ("C:\dir\...
    // \sub\name", or the bare name when even that does not fit and bAtLeastName). FALSE for an empty entry
    // or a null lpszCurDir.
    virtual BOOL GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir,
                                BOOL bAtLeastName = TRUE) const;
    // Answers the update of pCmdUI's item (normally ID_FILE_MRU_FILE1): replaces the list's items, from the
    // item's position, by one item per entry ("&1 name", "&2 name", ..., commands pCmdUI->m_nID onwards,
    // with '&' in names doubled), or, when the list is empty, shows m_strOriginal disabled.
    virtual void UpdateMenu(CCmdUI* pCmdUI);
    // Read and write the entries through the application profile (AfxGetApp()->GetProfileString and
    // WriteProfileString), section m_strSectionName, entry names from m_strEntryFormat. WriteList replaces
    // the whole section, leaving out empty entries.
    virtual void ReadList();
    virtual void WriteList();

    virtual ~CRecentFileList();
};

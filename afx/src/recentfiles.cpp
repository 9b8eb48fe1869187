// CRecentFileList (the recent-file list, its menu and its profile entries) and CWinApp's list.
#include "afxadv.h"

#include <commdlg.h>

#include <algorithm>

namespace
{
bool IsSeparator(wchar_t ch)
{
    return ch == L'\\' || ch == L'/';
}

// Where the file name of a path begins: after its last separator or drive colon.
int FileNameStart(const CString& strPath)
{
    for (int i = strPath.GetLength(); i > 0; --i)
    {
        if (IsSeparator(strPath[i - 1]) || strPath[i - 1] == L':')
        {
            return i;
        }
    }
    return 0;
}

bool SamePath(LPCTSTR lpszA, int nA, LPCTSTR lpszB, int nB)
{
    return ::CompareStringOrdinal(lpszA, nA, lpszB, nB, TRUE) == CSTR_EQUAL;
}

// The absolute form of a path; the name of an existing file is spelt as the file system has it.
CString FullPath(LPCTSTR lpszPath)
{
    CString strFull;
    const DWORD nNeeded = ::GetFullPathNameW(lpszPath, 0, nullptr, nullptr);
    if (nNeeded == 0)
    {
        return lpszPath;
    }
    const DWORD nLength =
        ::GetFullPathNameW(lpszPath, nNeeded, strFull.GetBuffer(static_cast<int>(nNeeded)), nullptr);
    strFull.ReleaseBuffer(nLength < nNeeded ? static_cast<int>(nLength) : 0);
    if (strFull.IsEmpty())
    {
        return lpszPath;
    }
    if (strFull.FindOneOf(L"*?") < 0)
    {
        WIN32_FIND_DATAW data;
        HANDLE hFind = ::FindFirstFileW(strFull, &data);
        if (hFind != INVALID_HANDLE_VALUE)
        {
            ::FindClose(hFind);
            strFull = strFull.Left(FileNameStart(strFull)) + data.cFileName;
        }
    }
    return strFull;
}

// The name as the shell shows it (without the extension when the user hides extensions).
CString FileTitle(const CString& strPath)
{
    const CString strName = strPath.Mid(FileNameStart(strPath));
    wchar_t szTitle[MAX_PATH];
    if (strName.GetLength() < MAX_PATH && ::GetFileTitleW(strPath, szTitle, MAX_PATH) == 0)
    {
        return szTitle;
    }
    return strName;
}

// Shortens a path to cchMax characters by putting "\..." for directories after its volume (the drive and
// its first directory, or the server and share): "C:\Projects\...\src\main.cpp". When not even one
// directory fits the result is the file name, or nothing if that is too long too and !bAtLeastName.
CString AbbreviateName(const CString& strPath, int cchMax, BOOL bAtLeastName)
{
    const int cchFull = strPath.GetLength();
    if (cchMax >= cchFull)
    {
        return strPath;
    }
    const int nNameStart = FileNameStart(strPath);
    const CString strName = strPath.Mid(nNameStart);
    if (cchMax < strName.GetLength())
    {
        return bAtLeastName ? strName : CString();
    }

    // The volume ends at the separator after the share of a UNC path, or after the drive's first
    // directory; a file right in the root has the bare drive as its volume.
    int nVolume = 2;
    if (IsSeparator(strPath[0]) && cchFull > 1 && IsSeparator(strPath[1]))
    {
        while (nVolume < nNameStart && !IsSeparator(strPath[nVolume]))
        {
            ++nVolume;
        }
    }
    if (nNameStart > 3)
    {
        ++nVolume;
        while (nVolume < nNameStart && !IsSeparator(strPath[nVolume]))
        {
            ++nVolume;
        }
    }
    if (nVolume >= nNameStart || cchMax < nVolume + 5 + strName.GetLength())
    {
        return strName;
    }

    // Drop whole directories after the volume until "<volume>\...<rest>" fits.
    int nRest = nVolume;
    while (nVolume + 4 + (cchFull - nRest) > cchMax)
    {
        do
        {
            ++nRest;
        } while (nRest < nNameStart - 1 && !IsSeparator(strPath[nRest]));
    }
    return strPath.Left(nVolume) + L"\\..." + strPath.Mid(nRest);
}

// The menu text's number: "&1 " to "&9 ", "1&0 ", then plain numbers up to 16.
CString MenuNumber(int nItem)
{
    CString strNumber;
    if (nItem < 10)
    {
        strNumber.Format(L"&%d ", nItem);
    }
    else if (nItem == 10)
    {
        strNumber = L"1&0 ";
    }
    else
    {
        strNumber.Format(L"%d ", nItem);
    }
    return strNumber;
}

CString CurrentDirectoryWithSeparator()
{
    CString strDir;
    const DWORD nNeeded = ::GetCurrentDirectoryW(0, nullptr);
    if (nNeeded == 0)
    {
        return strDir;
    }
    const DWORD nLength = ::GetCurrentDirectoryW(nNeeded, strDir.GetBuffer(static_cast<int>(nNeeded)));
    strDir.ReleaseBuffer(nLength < nNeeded ? static_cast<int>(nLength) : 0);
    if (!strDir.IsEmpty() && !IsSeparator(strDir[strDir.GetLength() - 1]))
    {
        strDir += L'\\';
    }
    return strDir;
}
} // namespace

/////////////////////////////////////////////////////////////////////////////
// Construction

CRecentFileList::CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize,
                                 int nMaxDispLen)
    : m_nSize(0), m_arrNames(nullptr), m_strSectionName(lpszSection), m_strEntryFormat(lpszEntryFormat),
      m_nStart(nStart), m_nMaxDisplayLength(nMaxDispLen)
{
    if (nSize < 0)
    {
        AfxThrowInvalidArgException();
    }
    m_arrNames = new CString[static_cast<size_t>(nSize)];
    m_nSize = nSize;
}

CRecentFileList::CRecentFileList(const CRecentFileList& other)
    : m_nSize(0), m_arrNames(new CString[static_cast<size_t>(other.m_nSize)]),
      m_strSectionName(other.m_strSectionName), m_strEntryFormat(other.m_strEntryFormat),
      m_nStart(other.m_nStart), m_nMaxDisplayLength(other.m_nMaxDisplayLength),
      m_strOriginal(other.m_strOriginal)
{
    std::copy(other.m_arrNames, other.m_arrNames + other.m_nSize, m_arrNames);
    m_nSize = other.m_nSize;
}

CRecentFileList& CRecentFileList::operator=(const CRecentFileList& other)
{
    if (this != &other)
    {
        auto* arrNames = new CString[static_cast<size_t>(other.m_nSize)];
        std::copy(other.m_arrNames, other.m_arrNames + other.m_nSize, arrNames);
        delete[] m_arrNames;
        m_arrNames = arrNames;
        m_nSize = other.m_nSize;
        m_strSectionName = other.m_strSectionName;
        m_strEntryFormat = other.m_strEntryFormat;
        m_nStart = other.m_nStart;
        m_nMaxDisplayLength = other.m_nMaxDisplayLength;
        m_strOriginal = other.m_strOriginal;
    }
    return *this;
}

CRecentFileList::~CRecentFileList()
{
    delete[] m_arrNames;
}

/////////////////////////////////////////////////////////////////////////////
// Attributes

CString& CRecentFileList::operator[](int nIndex)
{
    if (nIndex < 0 || nIndex >= m_nSize)
    {
        AfxThrowInvalidArgException();
    }
    return m_arrNames[nIndex];
}

/////////////////////////////////////////////////////////////////////////////
// Operations

void CRecentFileList::Remove(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_nSize)
    {
        AfxThrowInvalidArgException();
    }
    std::move(m_arrNames + nIndex + 1, m_arrNames + m_nSize, m_arrNames + nIndex);
    m_arrNames[m_nSize - 1].Empty();
}

void CRecentFileList::Add(LPCTSTR lpszPathName)
{
    if (lpszPathName == nullptr)
    {
        AfxThrowInvalidArgException();
    }
    if (m_nSize == 0)
    {
        return;
    }
    const CString strFull = FullPath(lpszPathName);
    int nFound = 0;
    while (nFound < m_nSize - 1 &&
           !SamePath(m_arrNames[nFound], m_arrNames[nFound].GetLength(), strFull, strFull.GetLength()))
    {
        ++nFound;
    }
    std::move_backward(m_arrNames, m_arrNames + nFound, m_arrNames + nFound + 1);
    m_arrNames[0] = strFull;
}

BOOL CRecentFileList::GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir,
                                     BOOL bAtLeastName) const
{
    if (nIndex < 0 || nIndex >= m_nSize)
    {
        AfxThrowInvalidArgException();
    }
    const CString& strPath = m_arrNames[nIndex];
    if (lpszCurDir == nullptr || strPath.IsEmpty())
    {
        return FALSE;
    }
    const int nNameStart = FileNameStart(strPath);
    if (nNameStart == nCurDir && SamePath(strPath, nNameStart, lpszCurDir, nCurDir))
    {
        strName = FileTitle(strPath);
    }
    else if (m_nMaxDisplayLength != -1)
    {
        strName =
            AbbreviateName(strPath.Left(nNameStart) + FileTitle(strPath), m_nMaxDisplayLength, bAtLeastName);
    }
    else
    {
        strName = strPath;
    }
    return TRUE;
}

void CRecentFileList::UpdateMenu(CCmdUI* pCmdUI)
{
    if (pCmdUI == nullptr)
    {
        AfxThrowInvalidArgException();
    }
    CMenu* pMenu = pCmdUI->m_pMenu;
    if (m_strOriginal.IsEmpty() && pMenu != nullptr)
    {
        pMenu->GetMenuString(pCmdUI->m_nID, m_strOriginal, MF_BYCOMMAND);
    }

    if (m_nSize == 0 || m_arrNames[0].IsEmpty())
    {
        // The entries the list showed before it emptied go; the first item stands for the list.
        if (pMenu != nullptr)
        {
            for (int i = 1; i < m_nSize; ++i)
            {
                pMenu->DeleteMenu(pCmdUI->m_nID + static_cast<UINT>(i), MF_BYCOMMAND);
            }
            pCmdUI->m_nIndexMax = static_cast<UINT>(pMenu->GetMenuItemCount());
        }
        if (!m_strOriginal.IsEmpty())
        {
            pCmdUI->SetText(m_strOriginal);
        }
        pCmdUI->Enable(FALSE);
        return;
    }
    if (pMenu == nullptr)
    {
        return;
    }

    for (int i = 0; i < m_nSize; ++i)
    {
        pMenu->DeleteMenu(pCmdUI->m_nID + static_cast<UINT>(i), MF_BYCOMMAND);
    }
    const CString strCurDir = CurrentDirectoryWithSeparator();
    CString strName;
    for (int i = 0; i < m_nSize; ++i)
    {
        if (!GetDisplayName(strName, i, strCurDir, strCurDir.GetLength()))
        {
            break;
        }
        // A single '&' would underline the next letter instead of showing.
        strName.Replace(L"&", L"&&");
        const int nItem = static_cast<int>((static_cast<UINT>(i) + m_nStart) % _AFX_MRU_MAX_COUNT) + 1;
        pMenu->InsertMenu(pCmdUI->m_nIndex++, MF_STRING | MF_BYPOSITION, pCmdUI->m_nID++,
                          MenuNumber(nItem) + strName);
    }
    // The caller's walk through the menu goes on after the last item inserted.
    pCmdUI->m_nIndex--;
    pCmdUI->m_nIndexMax = static_cast<UINT>(pMenu->GetMenuItemCount());
    pCmdUI->m_bEnableChanged = TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// The profile

void CRecentFileList::ReadList()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
    {
        TRACE(L"CRecentFileList::ReadList: there is no application profile to read.\n");
        return;
    }
    CString strEntry;
    for (int i = 0; i < m_nSize; ++i)
    {
        strEntry.Format(m_strEntryFormat, i + 1);
        m_arrNames[i] = pApp->GetProfileString(m_strSectionName, strEntry, L"");
    }
}

void CRecentFileList::WriteList()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
    {
        TRACE(L"CRecentFileList::WriteList: there is no application profile to write.\n");
        return;
    }
    // Entries of a longer list written earlier must not come back.
    pApp->WriteProfileString(m_strSectionName, nullptr, nullptr);
    CString strEntry;
    for (int i = 0; i < m_nSize; ++i)
    {
        if (!m_arrNames[i].IsEmpty())
        {
            strEntry.Format(m_strEntryFormat, i + 1);
            pApp->WriteProfileString(m_strSectionName, strEntry, m_arrNames[i]);
        }
    }
}

/////////////////////////////////////////////////////////////////////////////
// CWinApp's list

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, &CWinApp::OnUpdateRecentFileMenu)
ON_COMMAND_EX_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE16, &CWinApp::OnOpenRecentFile)
END_MESSAGE_MAP()

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU)
{
    if (nMaxMRU == 0)
    {
        return;
    }
    delete m_pRecentFileList;
    m_pRecentFileList = nullptr;
    m_pRecentFileList = new CRecentFileList(0, L"Recent File List", L"File%d",
                                            static_cast<int>(std::min<UINT>(nMaxMRU, _AFX_MRU_MAX_COUNT)));
    m_pRecentFileList->ReadList();
}

void CWinApp::SaveStdProfileSettings()
{
    if (m_pRecentFileList != nullptr)
    {
        m_pRecentFileList->WriteList();
    }
}

void CWinApp::AddToRecentFileList(LPCTSTR lpszPathName)
{
    if (m_pRecentFileList != nullptr)
    {
        m_pRecentFileList->Add(lpszPathName);
    }
}

CDocument* CWinApp::OpenDocumentFile([[maybe_unused]] LPCTSTR lpszFileName)
{
    TRACE(L"CWinApp::OpenDocumentFile: the application opens no files; '%s' stays closed.\n", lpszFileName);
    return nullptr;
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI)
{
    if (m_pRecentFileList == nullptr)
    {
        pCmdUI->Enable(FALSE);
    }
    else
    {
        m_pRecentFileList->UpdateMenu(pCmdUI);
    }
}

BOOL CWinApp::OnOpenRecentFile(UINT nID)
{
    // Only the menu's own items reach here, so a command for an entry the list lacks is a stale one.
    const int nIndex = static_cast<int>(nID - ID_FILE_MRU_FILE1);
    if (m_pRecentFileList == nullptr || nIndex >= m_pRecentFileList->GetSize() ||
        (*m_pRecentFileList)[nIndex].IsEmpty())
    {
        TRACE(L"CWinApp::OnOpenRecentFile: the list has no entry %d.\n", nIndex + 1);
        return TRUE;
    }
    // A copy: opening the file may change the list.
    const CString strPath = (*m_pRecentFileList)[nIndex];
    if (OpenDocumentFile(strPath) == nullptr && m_pRecentFileList != nullptr &&
        nIndex < m_pRecentFileList->GetSize() && (*m_pRecentFileList)[nIndex] == strPath)
    {
        m_pRecentFileList->Remove(nIndex);
    }
    return TRUE;
}

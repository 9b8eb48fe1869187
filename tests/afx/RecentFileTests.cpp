// The recent-file list: its order, its menu texts, the File menu it keeps, its profile entries, and the
// application's commands for it.
#include "AfxTestSupport.h"
#include "harness/ScratchFolder.h"
#include "WndTestSupport.h"

#include <afxadv.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace
{
const UINT ID_TEST_OPEN = 100;
const UINT ID_TEST_EXIT = 101;

std::vector<CString> EntriesOf(CRecentFileList& list)
{
    std::vector<CString> entries;
    for (int i = 0; i < list.GetSize(); ++i)
        entries.push_back(list[i]);
    return entries;
}

// The items of a menu as "text|id", with "|G" when grayed, or "-" for a separator.
std::vector<CString> ItemsOf(CMenu& menu)
{
    std::vector<CString> items;
    for (int i = 0; i < menu.GetMenuItemCount(); ++i)
    {
        const UINT nState = menu.GetMenuState(static_cast<UINT>(i), MF_BYPOSITION);
        CString text, item;
        menu.GetMenuString(static_cast<UINT>(i), text, MF_BYPOSITION);
        item.Format(L"%s|%x%s", text.GetString(), menu.GetMenuItemID(i),
                    (nState & MF_GRAYED) != 0 ? L"|G" : L"");
        items.push_back((nState & MF_SEPARATOR) != 0 ? CString(L"-") : item);
    }
    return items;
}

// Each test has a scratch folder as the current directory, and the program's application keeps its profile
// in an INI file of the test's own and gets its own recent-file list back afterwards.
class AfxRecentFiles : public testing::Test
{
protected:
    void SetUp() override
    {
        m_lpszSavedProfile = AfxGetApp()->m_pszProfileName;
        m_pSavedList = AfxGetApp()->m_pRecentFileList;
        AfxGetApp()->m_pszProfileName = _wcsdup(Path(L"profile.ini"));
    }
    void TearDown() override
    {
        free(const_cast<LPTSTR>(AfxGetApp()->m_pszProfileName));
        AfxGetApp()->m_pszProfileName = m_lpszSavedProfile;
        AfxGetApp()->m_pRecentFileList = m_pSavedList;
    }

    CString Path(LPCTSTR lpszName) const { return CString(m_folder.Path(lpszName).c_str()); }
    CString RawProfileValue(LPCTSTR lpszEntry) const
    {
        wchar_t szValue[MAX_PATH] = {};
        GetPrivateProfileStringW(L"Recent File List", lpszEntry, L"(missing)", szValue, MAX_PATH,
                                 Path(L"profile.ini"));
        return szValue;
    }

    testkit::TempFolder m_folder;
    testkit::CurrentFolder m_current{m_folder.Get()};
    LPCTSTR m_lpszSavedProfile = nullptr;
    CRecentFileList* m_pSavedList = nullptr;
};
} // namespace

TEST_F(AfxRecentFiles, AddPutsTheFullPathFirstAndMovesAnEntryForTheSameFileUp)
{
    CloseHandle(CreateFileW(Path(L"Existing File.TXT"), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    CRecentFileList list(0, L"Recent", L"File%d", 4);
    list[0] = L"C:\\Data\\B.txt";
    list[1] = L"C:\\Data\\A.txt";
    const struct
    {
        LPCTSTR lpszAdded;
        std::vector<CString> expected;
    } steps[] = {
        // Relative to the current directory: the full path.
        {L"rel.txt", {Path(L"rel.txt"), L"C:\\Data\\B.txt", L"C:\\Data\\A.txt", L""}},
        // The same file in other letters moves up from the middle, spelt as now given.
        {L"c:\\DATA\\b.TXT", {L"c:\\DATA\\b.TXT", Path(L"rel.txt"), L"C:\\Data\\A.txt", L""}},
        {L"C:\\Data\\E.txt", {L"C:\\Data\\E.txt", L"c:\\DATA\\b.TXT", Path(L"rel.txt"), L"C:\\Data\\A.txt"}},
        // An existing file is spelt as the file system has it; at the limit the last entry drops off.
        {L"existing file.txt",
         {Path(L"Existing File.TXT"), L"C:\\Data\\E.txt", L"c:\\DATA\\b.TXT", Path(L"rel.txt")}},
    };
    for (const auto& step : steps)
    {
        SCOPED_TRACE(CStringA(step.lpszAdded).GetString());
        list.Add(step.lpszAdded);
        EXPECT_EQ(step.expected, EntriesOf(list));
    }
}

TEST_F(AfxRecentFiles, DisplayNamesAreRelativeToTheCurrentDirectoryOrAbbreviated)
{
    const LPCTSTR lpszCurDir = L"C:\\Work\\";
    const struct
    {
        LPCTSTR lpszPath;
        int nMaxDisplayLength;
        BOOL bAtLeastName;
        LPCTSTR lpszExpected;
    } cases[] = {
        {L"C:\\Work\\notes.txt", 30, TRUE, L"notes.txt"},
        {L"c:\\WORK\\notes.txt", 30, TRUE, L"notes.txt"},
        {L"C:\\Work\\Sub\\notes.txt", 30, TRUE, L"C:\\Work\\Sub\\notes.txt"},
        // Directories after the drive's first one give way to "\...", whole ones at a time.
        {L"C:\\Projects\\Alpha\\Beta\\Gamma\\report.txt", 30, TRUE, L"C:\\Projects\\...\\report.txt"},
        {L"C:\\Projects\\Alpha\\Beta\\Gamma\\report.txt", 33, TRUE, L"C:\\Projects\\...\\Gamma\\report.txt"},
        {L"\\\\server\\share\\folder\\deeper\\file.txt", 30, TRUE, L"\\\\server\\share\\...\\file.txt"},
        // Too short for the volume, "\..." and the name: the name alone, or nothing if even that is too long.
        {L"C:\\Projects\\x\\abcdefghijklmnopqrstu.txt", 30, TRUE, L"abcdefghijklmnopqrstu.txt"},
        {L"C:\\Data\\a-very-long-file-name-that-cannot-fit.txt", 30, FALSE, L""},
        {L"C:\\Projects\\Alpha\\Beta\\Gamma\\report.txt", -1, TRUE,
         L"C:\\Projects\\Alpha\\Beta\\Gamma\\report.txt"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << CStringA(c.lpszPath).GetString() << " in " << c.nMaxDisplayLength);
        CRecentFileList list(0, L"Recent", L"File%d", 2, c.nMaxDisplayLength);
        list[0] = c.lpszPath;
        CString strName = L"(untouched)";
        EXPECT_TRUE(list.GetDisplayName(strName, 0, lpszCurDir, lstrlenW(lpszCurDir), c.bAtLeastName));
        EXPECT_EQ(c.lpszExpected, strName);
        // An empty entry, or no directory to compare with, has no display name.
        EXPECT_FALSE(list.GetDisplayName(strName, 1, lpszCurDir, lstrlenW(lpszCurDir)));
        EXPECT_FALSE(list.GetDisplayName(strName, 0, nullptr, 0));
    }
}

namespace
{
// A frame whose File menu holds the list's place between two other commands: Open, which the frame
// handles, and Exit, which nothing handles.
class CRecentFileFrame : public CFrameWnd
{
public:
    CRecentFileFrame()
    {
        CMenu file;
        file.CreatePopupMenu();
        file.AppendMenu(MF_STRING, ID_TEST_OPEN, L"&Open");
        file.AppendMenu(MF_SEPARATOR);
        file.AppendMenu(MF_STRING | MF_GRAYED, ID_FILE_MRU_FILE1, L"Recent File");
        file.AppendMenu(MF_SEPARATOR);
        file.AppendMenu(MF_STRING, ID_TEST_EXIT, L"E&xit");
        CMenu bar;
        bar.CreateMenu();
        bar.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(file.Detach()), L"&File");
        Create(nullptr, L"Recent files");
        // The window owns the menu from here on.
        m_hMenuDefault = bar.Detach();
        ::SetMenu(m_hWnd, m_hMenuDefault);
        m_pFile = GetMenu()->GetSubMenu(0);
    }

    // The File menu as it is about to open.
    std::vector<CString> OpenFileMenu()
    {
        SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(m_pFile->m_hMenu), MAKELPARAM(0, FALSE));
        return ItemsOf(*m_pFile);
    }

    CMenu* m_pFile = nullptr;

protected:
    afx_msg void OnOpen() {}
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRecentFileFrame, CFrameWnd)
ON_COMMAND(ID_TEST_OPEN, &CRecentFileFrame::OnOpen)
END_MESSAGE_MAP()
} // namespace

TEST_F(AfxRecentFiles, TheFileMenuShowsTheNumberedEntriesOrTheOriginalItemDisabledAndItemsFollowTheirHandlers)
{
    CRecentFileList list(8, L"Recent", L"File%d", 4);
    AfxGetApp()->m_pRecentFileList = &list; // the program's application shows the test's list
    auto* pFrame = new CRecentFileFrame;
    ASSERT_NE(nullptr, pFrame->m_pFile);
    // Open has a handler; Exit has none and is disabled automatically.
    const std::vector<CString> empty = {L"&Open|64", L"-", L"Recent File|e110|G", L"-", L"E&xit|65|G"};
    EXPECT_EQ(empty, pFrame->OpenFileMenu());

    // Numbers start after the list's offset; only the numbers below ten get an access key.
    list[0] = Path(L"Salt & Pepper.txt");
    list[1] = L"C:\\Projects\\Alpha\\Beta\\Gamma\\report.txt";
    list[2] = L"C:\\c.txt";
    const std::vector<CString> three = {L"&Open|64",
                                        L"-",
                                        L"&9 Salt && Pepper.txt|e110",
                                        L"1&0 C:\\Projects\\...\\report.txt|e111",
                                        L"11 C:\\c.txt|e112",
                                        L"-",
                                        L"E&xit|65|G"};
    EXPECT_EQ(three, pFrame->OpenFileMenu());
    // Opening again replaces the items rather than adding more.
    EXPECT_EQ(three, pFrame->OpenFileMenu());

    // Emptied, the list gives its place back to the original item, disabled.
    for (int i = 0; i < 3; ++i)
        list.Remove(0);
    EXPECT_EQ(empty, pFrame->OpenFileMenu());
    pFrame->DestroyWindow();
}

namespace
{
// A host that opens files from the list: every request is recorded, and it succeeds while m_bOpens.
class CHostApp : public CWinApp
{
public:
    CHostApp() : CWinApp(L"Recent File Host") {}
    CDocument* OpenDocumentFile(LPCTSTR lpszFileName) override
    {
        m_opened.push_back(lpszFileName);
        // The framework only tells success from failure.
        return m_bOpens ? reinterpret_cast<CDocument*>(this) : nullptr;
    }
    std::vector<CString> m_opened;
    bool m_bOpens = true;
};
} // namespace

TEST_F(AfxRecentFiles, TheApplicationLoadsOpensFromAndSavesItsList)
{
    for (LPCTSTR lpszEntry : {L"File1", L"File2", L"File3"})
        AfxGetApp()->WriteProfileString(L"Recent File List", lpszEntry, CString(L"C:\\") + lpszEntry);
    CHostApp app;
    app.LoadStdProfileSettings(2);
    ASSERT_NE(nullptr, app.m_pRecentFileList);
    EXPECT_EQ((std::vector<CString>{L"C:\\File1", L"C:\\File2"}), EntriesOf(*app.m_pRecentFileList));
    // The menu's commands open the entry; one that fails to open leaves the list.
    EXPECT_TRUE(app.OnCmdMsg(ID_FILE_MRU_FILE2, CN_COMMAND, nullptr, nullptr));
    app.m_bOpens = false;
    EXPECT_TRUE(app.OnCmdMsg(ID_FILE_MRU_FILE1, CN_COMMAND, nullptr, nullptr));
    EXPECT_EQ((std::vector<CString>{L"C:\\File2", L"C:\\File1"}), app.m_opened);
    EXPECT_EQ((std::vector<CString>{L"C:\\File2", L""}), EntriesOf(*app.m_pRecentFileList));
    EXPECT_FALSE(app.OnCmdMsg(ID_FILE_MRU_FILE16 + 1, CN_COMMAND, nullptr, nullptr));

    // Saved on exit: empty entries and those beyond the list's size leave the profile.
    app.ExitInstance();
    EXPECT_EQ(nullptr, app.m_pRecentFileList);
    EXPECT_EQ(L"C:\\File2", RawProfileValue(L"File1"));
    EXPECT_EQ(L"(missing)", RawProfileValue(L"File2"));
    EXPECT_EQ(L"(missing)", RawProfileValue(L"File3"));
}

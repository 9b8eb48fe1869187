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
    {
        entries.push_back(list[i]);
    }
    return entries;
}

void Fill(CRecentFileList& list, const std::vector<CString>& entries)
{
    for (int i = 0; i < list.GetSize(); ++i)
    {
        list[i] = i < static_cast<int>(entries.size()) ? entries[static_cast<size_t>(i)] : CString();
    }
}

// The items of a menu as "text|id", with "|G" when grayed, or "-" for a separator.
std::vector<CString> ItemsOf(CMenu& menu)
{
    std::vector<CString> items;
    for (int i = 0; i < menu.GetMenuItemCount(); ++i)
    {
        const auto nPos = static_cast<UINT>(i);
        if ((menu.GetMenuState(nPos, MF_BYPOSITION) & MF_SEPARATOR) != 0)
        {
            items.push_back(L"-");
            continue;
        }
        CString text;
        menu.GetMenuString(nPos, text, MF_BYPOSITION);
        CString item;
        item.Format(L"%s|%x%s", text.GetString(), menu.GetMenuItemID(i),
                    (menu.GetMenuState(nPos, MF_BYPOSITION) & MF_GRAYED) != 0 ? L"|G" : L"");
        items.push_back(item);
    }
    return items;
}

// Each test has a scratch folder as the current directory, and the program's application keeps its profile
// in an INI file of the test's own.
class AfxRecentFiles : public testing::Test
{
protected:
    void SetUp() override
    {
        CWinApp* pApp = AfxGetApp();
        m_lpszSavedProfile = pApp->m_pszProfileName;
        pApp->m_pszProfileName = _wcsdup(Path(L"profile.ini"));
    }
    void TearDown() override
    {
        CWinApp* pApp = AfxGetApp();
        free(const_cast<LPTSTR>(pApp->m_pszProfileName));
        pApp->m_pszProfileName = m_lpszSavedProfile;
    }

    CString Path(LPCTSTR lpszName) const { return m_strFolder + L"\\" + lpszName; }
    CString RawProfileValue(LPCTSTR lpszSection, LPCTSTR lpszEntry) const
    {
        wchar_t szValue[MAX_PATH] = {};
        GetPrivateProfileStringW(lpszSection, lpszEntry, L"(missing)", szValue, MAX_PATH,
                                 Path(L"profile.ini"));
        return szValue;
    }

    testkit::TempFolder m_folder;
    testkit::CurrentFolder m_current{m_folder.Get()};
    CString m_strFolder = m_folder.Get().c_str();
    LPCTSTR m_lpszSavedProfile = nullptr;
};
} // namespace

TEST_F(AfxRecentFiles, AddPutsTheFullPathFirstAndMovesAnEntryForTheSameFileUp)
{
    CloseHandle(CreateFileW(Path(L"Existing File.TXT"), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    CRecentFileList list(0, L"Recent", L"File%d", 4);
    struct Step
    {
        LPCTSTR lpszAdded;
        std::vector<CString> expected;
    } steps[] = {
        {L"C:\\Data\\A.txt", {L"C:\\Data\\A.txt", L"", L"", L""}},
        {L"C:\\Data\\B.txt", {L"C:\\Data\\B.txt", L"C:\\Data\\A.txt", L"", L""}},
        // Relative to the current directory.
        {L"rel.txt", {Path(L"rel.txt"), L"C:\\Data\\B.txt", L"C:\\Data\\A.txt", L""}},
        {L"C:\\Data\\Sub\\..\\D.txt",
         {L"C:\\Data\\D.txt", Path(L"rel.txt"), L"C:\\Data\\B.txt", L"C:\\Data\\A.txt"}},
        // The same file in other letters moves up from the middle, spelt as now given.
        {L"c:\\DATA\\b.TXT", {L"c:\\DATA\\b.TXT", L"C:\\Data\\D.txt", Path(L"rel.txt"), L"C:\\Data\\A.txt"}},
        // A new file at the limit: the last entry drops off.
        {L"C:\\Data\\E.txt", {L"C:\\Data\\E.txt", L"c:\\DATA\\b.TXT", L"C:\\Data\\D.txt", Path(L"rel.txt")}},
        // The last entry itself moves up too.
        {L"REL.txt", {Path(L"REL.txt"), L"C:\\Data\\E.txt", L"c:\\DATA\\b.TXT", L"C:\\Data\\D.txt"}},
        // An existing file is spelt as the file system has it.
        {L"existing file.txt",
         {Path(L"Existing File.TXT"), Path(L"REL.txt"), L"C:\\Data\\E.txt", L"c:\\DATA\\b.TXT"}},
    };
    for (const Step& step : steps)
    {
        list.Add(step.lpszAdded);
        EXPECT_EQ(step.expected, EntriesOf(list)) << CStringA(step.lpszAdded).GetString();
    }
}

TEST_F(AfxRecentFiles, RemoveMovesTheLaterEntriesUpAndEmptiesTheLast)
{
    CRecentFileList list(0, L"Recent", L"File%d", 4);
    Fill(list, {L"C:\\A", L"C:\\B", L"C:\\C", L"C:\\D"});
    list.Remove(1);
    EXPECT_EQ((std::vector<CString>{L"C:\\A", L"C:\\C", L"C:\\D", L""}), EntriesOf(list));
    list.Remove(2);
    EXPECT_EQ((std::vector<CString>{L"C:\\A", L"C:\\C", L"", L""}), EntriesOf(list));
    EXPECT_TRUE(ThrowsAfx<CInvalidArgException>([&] { list.Remove(4); }));
    EXPECT_TRUE(ThrowsAfx<CInvalidArgException>([&] { list[-1]; }));

    // A copy has entries of its own.
    CRecentFileList copy(list);
    copy.Remove(0);
    EXPECT_EQ(L"C:\\A", list[0]);
    EXPECT_EQ(L"C:\\C", copy[0]);
}

TEST_F(AfxRecentFiles, DisplayNamesAreRelativeToTheCurrentDirectoryOrAbbreviated)
{
    const LPCTSTR lpszCurDir = L"C:\\Work\\";
    struct Case
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
        {L"C:\\Data\\a-very-long-file-name-that-cannot-fit.txt", 30, TRUE,
         L"a-very-long-file-name-that-cannot-fit.txt"},
        {L"C:\\Data\\a-very-long-file-name-that-cannot-fit.txt", 30, FALSE, L""},
        {L"C:\\Projects\\Alpha\\Beta\\Gamma\\report.txt", -1, TRUE,
         L"C:\\Projects\\Alpha\\Beta\\Gamma\\report.txt"},
    };
    for (const Case& c : cases)
    {
        CRecentFileList list(0, L"Recent", L"File%d", 2, c.nMaxDisplayLength);
        list[0] = c.lpszPath;
        CString strName = L"(untouched)";
        EXPECT_TRUE(list.GetDisplayName(strName, 0, lpszCurDir, lstrlenW(lpszCurDir), c.bAtLeastName));
        EXPECT_EQ(c.lpszExpected, strName)
            << CStringA(c.lpszPath).GetString() << " in " << c.nMaxDisplayLength;
        // An empty entry, or no directory to compare with, has no display name.
        EXPECT_FALSE(list.GetDisplayName(strName, 1, lpszCurDir, lstrlenW(lpszCurDir)));
        EXPECT_FALSE(list.GetDisplayName(strName, 0, nullptr, 0));
    }
}

namespace
{
// A frame whose File menu holds the list's place between two other commands.
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

    afx_msg void OnOpen() {}
    afx_msg void OnExit() {}

    CMenu* m_pFile = nullptr;

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRecentFileFrame, CFrameWnd)
ON_COMMAND(ID_TEST_OPEN, &CRecentFileFrame::OnOpen)
ON_COMMAND(ID_TEST_EXIT, &CRecentFileFrame::OnExit)
END_MESSAGE_MAP()

// The program's application shows a list of the test's while it lives.
class ApplicationList
{
public:
    explicit ApplicationList(CRecentFileList* pList) : m_pApp(AfxGetApp())
    {
        m_pSaved = m_pApp->m_pRecentFileList;
        m_pApp->m_pRecentFileList = pList;
    }
    ~ApplicationList() { m_pApp->m_pRecentFileList = m_pSaved; }
    ApplicationList(const ApplicationList&) = delete;
    ApplicationList& operator=(const ApplicationList&) = delete;

private:
    CWinApp* m_pApp;
    CRecentFileList* m_pSaved;
};
} // namespace

TEST_F(AfxRecentFiles, TheFileMenuShowsTheNumberedEntriesOrTheOriginalItemDisabled)
{
    CRecentFileList list(0, L"Recent", L"File%d", 4);
    ApplicationList shown(&list);
    auto* pFrame = new CRecentFileFrame;
    ASSERT_NE(nullptr, pFrame->m_pFile);

    const std::vector<CString> empty = {L"&Open|64", L"-", L"Recent File|e110|G", L"-", L"E&xit|65"};
    EXPECT_EQ(empty, pFrame->OpenFileMenu());

    Fill(list, {Path(L"Salt & Pepper.txt"), L"C:\\Projects\\Alpha\\Beta\\Gamma\\report.txt"});
    const std::vector<CString> two = {
        L"&Open|64", L"-",       L"&1 Salt && Pepper.txt|e110", L"&2 C:\\Projects\\...\\report.txt|e111",
        L"-",        L"E&xit|65"};
    EXPECT_EQ(two, pFrame->OpenFileMenu());
    // Opening again replaces the items rather than adding more.
    EXPECT_EQ(two, pFrame->OpenFileMenu());

    // Emptied, the list gives its place back to the original item, disabled.
    list.Remove(0);
    list.Remove(0);
    EXPECT_EQ(empty, pFrame->OpenFileMenu());

    pFrame->DestroyWindow();
}

TEST_F(AfxRecentFiles, MenuNumbersStartAtTheListsOffset)
{
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, ID_FILE_MRU_FILE1, L"Recent File");
    CRecentFileList list(8, L"Recent", L"File%d", 3);
    Fill(list, {L"C:\\a.txt", L"C:\\b.txt", L"C:\\c.txt"});

    CCmdUI state;
    state.m_pMenu = &menu;
    state.m_nID = ID_FILE_MRU_FILE1;
    state.m_nIndexMax = 1;
    list.UpdateMenu(&state);
    EXPECT_EQ((std::vector<CString>{L"&9 C:\\a.txt|e110", L"1&0 C:\\b.txt|e111", L"11 C:\\c.txt|e112"}),
              ItemsOf(menu));
    // The caller's walk goes on after the last item inserted.
    EXPECT_EQ(2u, state.m_nIndex);
    EXPECT_EQ(3u, state.m_nIndexMax);
    EXPECT_EQ(L"Recent File", list.m_strOriginal);
}

TEST_F(AfxRecentFiles, ListsRoundTripThroughTheApplicationProfile)
{
    CWinApp* pApp = AfxGetApp();
    pApp->WriteProfileString(L"Documents", L"Doc5", L"C:\\stale.txt");
    CRecentFileList list(0, L"Documents", L"Doc%d", 4);
    Fill(list, {L"C:\\one.txt", L"", L"C:\\three & more.txt"});
    list.WriteList();
    // Empty entries and those of a longer list written earlier are not in the profile.
    EXPECT_EQ(L"C:\\one.txt", RawProfileValue(L"Documents", L"Doc1"));
    EXPECT_EQ(L"(missing)", RawProfileValue(L"Documents", L"Doc2"));
    EXPECT_EQ(L"C:\\three & more.txt", RawProfileValue(L"Documents", L"Doc3"));
    EXPECT_EQ(L"(missing)", RawProfileValue(L"Documents", L"Doc5"));

    CRecentFileList read(0, L"Documents", L"Doc%d", 4);
    read[1] = L"C:\\overwritten.txt";
    read.ReadList();
    EXPECT_EQ(EntriesOf(list), EntriesOf(read));
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
    CWinApp* pProfile = AfxGetApp();
    pProfile->WriteProfileString(L"Recent File List", L"File1", L"C:\\first.txt");
    pProfile->WriteProfileString(L"Recent File List", L"File2", L"C:\\second.txt");
    pProfile->WriteProfileString(L"Recent File List", L"File3", L"C:\\third.txt");

    CHostApp app;
    app.LoadStdProfileSettings(0);
    EXPECT_EQ(nullptr, app.m_pRecentFileList);
    // Without a list the menu item is disabled.
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, ID_FILE_MRU_FILE1, L"Recent File");
    CCmdUI state;
    state.m_pMenu = &menu;
    state.m_nID = ID_FILE_MRU_FILE1;
    state.m_nIndexMax = 1;
    EXPECT_TRUE(app.OnCmdMsg(ID_FILE_MRU_FILE1, static_cast<int>(CN_UPDATE_COMMAND_UI), &state, nullptr));
    EXPECT_NE(0u, menu.GetMenuState(0, MF_BYPOSITION) & MF_GRAYED);

    app.LoadStdProfileSettings(2);
    ASSERT_NE(nullptr, app.m_pRecentFileList);
    EXPECT_EQ((std::vector<CString>{L"C:\\first.txt", L"C:\\second.txt"}), EntriesOf(*app.m_pRecentFileList));

    // The menu's commands open the entry; one that fails to open leaves the list.
    EXPECT_TRUE(app.OnCmdMsg(ID_FILE_MRU_FILE2, CN_COMMAND, nullptr, nullptr));
    app.m_bOpens = false;
    EXPECT_TRUE(app.OnCmdMsg(ID_FILE_MRU_FILE1, CN_COMMAND, nullptr, nullptr));
    EXPECT_EQ((std::vector<CString>{L"C:\\second.txt", L"C:\\first.txt"}), app.m_opened);
    EXPECT_EQ((std::vector<CString>{L"C:\\second.txt", L""}), EntriesOf(*app.m_pRecentFileList));
    EXPECT_FALSE(app.OnCmdMsg(ID_FILE_MRU_FILE16 + 1, CN_COMMAND, nullptr, nullptr));

    app.AddToRecentFileList(L"C:\\added.txt");
    app.ExitInstance();
    EXPECT_EQ(nullptr, app.m_pRecentFileList);
    EXPECT_EQ(L"C:\\added.txt", RawProfileValue(L"Recent File List", L"File1"));
    EXPECT_EQ(L"C:\\second.txt", RawProfileValue(L"Recent File List", L"File2"));
    EXPECT_EQ(L"(missing)", RawProfileValue(L"Recent File List", L"File3"));
}

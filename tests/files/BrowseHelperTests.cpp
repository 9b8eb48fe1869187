// The browse buttons' helpers with the system's real folder browser and file dialog, answered as a user
// would: the start folder or name the dialog shows, what the edit holds afterwards, and the focus.
#include "files/BrowseHelpers.h"

#include "harness/DialogAnswerer.h"
#include "harness/ScratchFolder.h"

#include <gtest/gtest.h>

#include <dlgs.h>
#include <shlobj.h>

#include <filesystem>
#include <functional>
#include <string>
#include <system_error>

#include "resources/HostMessageIds.h"

namespace
{
// A window with the path field and a second field that holds the focus before each browse.
struct BrowseHost
{
    BrowseHost()
    {
        host.CreateEx(0, AfxRegisterWndClass(0), L"Browse host", WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 0,
                      400, 200, nullptr, nullptr);
        edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(10, 10, 390, 30), &host, 100);
        other.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 40, 390, 60), &host, 101);
        host.SetForegroundWindow();
    }
    ~BrowseHost() { host.DestroyWindow(); }

    void Type(const std::wstring& text)
    {
        edit.SetWindowText(text.c_str());
        other.SetFocus();
    }
    std::wstring Text() const { return DialogAnswerer::TextOf(edit.m_hWnd); }

    CWnd host;
    CEdit edit;
    CEdit other;
};

const wchar_t kVariable[] = L"PARDALIN_BROWSE_TEST";

bool SamePath(const std::wstring& a, const std::wstring& b)
{
    return _wcsicmp(a.c_str(), b.c_str()) == 0;
}

// A scratch folder of the test's own at the drive root. The folder browser selects a path by comparing item
// ids, and a folder's item id carries its last-write time: under the temporary folder, which parallel tests
// keep writing into, an ancestor's time can change between parsing the path and walking the tree, no item
// matches and the selection stays at the Desktop. Nothing else writes into this folder while it lives.
class RootFolder
{
public:
    RootFolder() : m_path(L"C:\\pardalin-browse-" + std::to_wstring(GetCurrentProcessId()))
    {
        CreateDirectoryW(m_path.c_str(), nullptr);
    }
    ~RootFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    RootFolder(const RootFolder&) = delete;
    RootFolder& operator=(const RootFolder&) = delete;

    const std::wstring& Get() const { return m_path; }
    std::wstring Path(const std::wstring& name) const { return m_path + L"\\" + name; }

private:
    std::wstring m_path;
};

TEST(FilesBrowseFocus, FolderBrowserStartsAtTheNearestFolderAndWritesTheChoiceBack)
{
    RootFolder scratch;
    ASSERT_TRUE(testkit::Exists(scratch.Get()));
    const std::wstring sub = scratch.Path(L"sub");
    ASSERT_TRUE(CreateDirectoryW(sub.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(scratch.Path(L"fe80__1").c_str(), nullptr));
    SetEnvironmentVariableW(kVariable, scratch.Get().c_str());
    BrowseHost host;
    ASSERT_NE(nullptr, host.host.m_hWnd);

    const auto accept = [](HWND browser) { PostMessageW(browser, WM_COMMAND, IDOK, 0); };
    const auto choose = [&sub](HWND browser)
    {
        SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(sub.c_str()));
        PostMessageW(browser, WM_COMMAND, IDOK, 0);
    };
    const auto cancel = [](HWND browser) { PostMessageW(browser, WM_COMMAND, IDCANCEL, 0); };
    struct Row
    {
        const char* what;
        std::wstring typed;
        std::function<void(HWND)> answer;
        bool replaced;
        std::wstring after;
    } rows[] = {
        {"a missing folder opens at its nearest existing parent, which is taken", scratch.Path(L"no\\such"),
         accept, true, scratch.Get()},
        {"another folder chosen in the browser", scratch.Get(), choose, true, sub},
        {"a template that expands to the choice stays as typed", L"%PARDALIN_BROWSE_TEST%\\%H", accept, false,
         L"%PARDALIN_BROWSE_TEST%\\%H"},
        {"cancel keeps the text", scratch.Path(L"no\\such"), cancel, false, scratch.Path(L"no\\such")},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.what);
        host.Type(row.typed);
        VReportMessageParams params;
        DialogAnswerer answerer(row.answer);
        EXPECT_EQ(row.replaced, OnBrowseLocalFolderHelper(&host.host, &host.edit, L"Pick the data folder",
                                                          params, L"fe80::1", nullptr));
        EXPECT_EQ(1, answerer.Count());
        EXPECT_EQ(host.host.m_hWnd, answerer.Owner());
        EXPECT_TRUE(SamePath(row.after, host.Text())) << host.Text();
        EXPECT_EQ(0u, params.GetMessageId());
        EXPECT_EQ(host.edit.m_hWnd, ::GetFocus());
    }

    // A template that does not expand reports and shows nothing; the focus stays where it was.
    for (const wchar_t* bad : {L"C:\\%Q", L"%PARDALIN_BROWSE_TEST%\\%S"})
    {
        host.Type(bad);
        VReportMessageParams params;
        DialogAnswerer answerer(accept);
        EXPECT_FALSE(OnBrowseLocalFolderHelper(&host.host, &host.edit, L"t", params, nullptr, nullptr));
        EXPECT_EQ(0, answerer.Count()) << bad;
        EXPECT_EQ(DWORD(MSG_HOST_UNKNOWN_PLACEHOLDER), params.GetMessageId());
        EXPECT_EQ(bad, host.Text());
        EXPECT_EQ(host.other.m_hWnd, ::GetFocus());
    }
    SetEnvironmentVariableW(kVariable, nullptr);
}

TEST(FilesBrowse, FileDialogOpensAtTheExpandedNameAndWritesOnlyAChange)
{
    testkit::TempFolder scratch;
    for (const wchar_t* name : {L"a.txt", L"b.txt"})
        CloseHandle(
            CreateFileW(scratch.Path(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    SetEnvironmentVariableW(kVariable, scratch.Get().c_str());
    BrowseHost host;
    const std::wstring typed = L"%PARDALIN_BROWSE_TEST%\\a.txt";
    const std::wstring other = scratch.Path(L"b.txt");

    struct Row
    {
        const char* what;
        const wchar_t* name; // typed into the dialog's name field before OK; null: Cancel
        INT_PTR result;
        std::wstring after;
    } rows[] = {
        {"the expanded name accepted as shown", nullptr, IDOK, typed},
        {"another file chosen", other.c_str(), IDOK, other},
        {"cancel", nullptr, IDCANCEL, typed},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.what);
        host.Type(typed);
        std::wstring shownFolder, shownName, okText;
        DialogAnswerer answerer(
            [&](HWND dialog)
            {
                wchar_t text[MAX_PATH] = {};
                SendMessageW(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(text));
                shownFolder = text;
                SendMessageW(dialog, CDM_GETSPEC, MAX_PATH, reinterpret_cast<LPARAM>(text));
                shownName = text;
                okText = DialogAnswerer::TextOf(GetDlgItem(dialog, IDOK));
                // The name field is a combo box (cmb13) or, in older templates, an edit (edt1).
                for (const int field : {cmb13, edt1})
                    if (row.name != nullptr)
                        SendMessageW(dialog, CDM_SETCONTROLTEXT, field, reinterpret_cast<LPARAM>(row.name));
                PostMessageW(dialog, WM_COMMAND, row.result == IDOK ? IDOK : IDCANCEL, 0);
            });
        EXPECT_EQ(row.result,
                  OnBrowseHelper(&host.edit, TRUE, L"fallback.txt", L"Choose the Log", L"&Use", L"txt",
                                 OFN_FILEMUSTEXIST, L"Text (*.txt)|*.txt|All (*.*)|*.*||", &host.host));
        EXPECT_EQ(1, answerer.Count());
        EXPECT_EQ(L"Choose the Log", answerer.Caption());
        EXPECT_EQ(L"&Use", okText);
        EXPECT_TRUE(SamePath(scratch.Get(), shownFolder)) << shownFolder;
        EXPECT_EQ(L"a.txt", shownName);
        EXPECT_TRUE(SamePath(row.after, host.Text())) << host.Text();
    }
    SetEnvironmentVariableW(kVariable, nullptr);
}
} // namespace

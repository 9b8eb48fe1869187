// The application object: names and state, the profile (INI file and registry), message boxes (through
// DoMessageBox and real ones on the display) and the program entry.
#include "AfxTestSupport.h"
#include "../afx_modules/ModuleIds.h"
#include "WndTestSupport.h"
#include "harness/TestApp.h"

#include <afxwin.h>

#include "harness/DialogAnswerer.h"
#include "harness/ScratchFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <numeric>
#include <string>
#include <thread>
#include <vector>

namespace
{
/////////////////////////////////////////////////////////////////////////////
// Helpers

// Makes another application object the current one for a test (as if it were the program's), and puts
// everything back afterwards.
class CurrentApplication
{
public:
    explicit CurrentApplication(CWinApp* pApp)
        : m_pState(AfxGetModuleState()), m_pSavedApp(m_pState->m_pCurrentWinApp),
          m_pSavedThread(AfxGetModuleThreadState()->m_pCurrentWinThread),
          m_lpszSavedName(m_pState->m_lpszCurrentAppName),
          m_hSavedInstance(m_pState->m_hCurrentInstanceHandle),
          m_hSavedResource(m_pState->m_hCurrentResourceHandle)
    {
        m_pState->m_pCurrentWinApp = pApp;
        AfxGetModuleThreadState()->m_pCurrentWinThread = pApp;
        m_pState->m_lpszCurrentAppName = pApp != nullptr ? pApp->m_pszAppName : nullptr;
    }
    ~CurrentApplication()
    {
        m_pState->m_pCurrentWinApp = m_pSavedApp;
        AfxGetModuleThreadState()->m_pCurrentWinThread = m_pSavedThread;
        m_pState->m_lpszCurrentAppName = m_lpszSavedName;
        m_pState->m_hCurrentInstanceHandle = m_hSavedInstance;
        m_pState->m_hCurrentResourceHandle = m_hSavedResource;
    }
    CurrentApplication(const CurrentApplication&) = delete;
    CurrentApplication& operator=(const CurrentApplication&) = delete;

private:
    AFX_MODULE_STATE* m_pState;
    CWinApp* m_pSavedApp;
    CWinThread* m_pSavedThread;
    LPCTSTR m_lpszSavedName;
    HINSTANCE m_hSavedInstance;
    HINSTANCE m_hSavedResource;
};

// A visible top-level window of this thread, or a pop-up that pOwner owns.
BOOL MakeWindow(CWnd& wnd, LPCTSTR lpszTitle, CWnd* pOwner = nullptr)
{
    return wnd.CreateEx(0, AfxRegisterWndClass(0), lpszTitle,
                        (pOwner != nullptr ? WS_POPUP | WS_CAPTION : WS_OVERLAPPEDWINDOW) | WS_VISIBLE,
                        CRect(40, 40, 340, 240), pOwner, 0);
}

std::vector<BYTE> ReadBinary(CWinApp& app, LPCTSTR lpszSection, LPCTSTR lpszEntry, BOOL* pbResult)
{
    LPBYTE pData = reinterpret_cast<LPBYTE>(1);
    UINT nBytes = 12345;
    *pbResult = app.GetProfileBinary(lpszSection, lpszEntry, &pData, &nBytes);
    std::vector<BYTE> data(pData, pData + (pData != nullptr ? nBytes : 0));
    if (!*pbResult)
    {
        EXPECT_EQ(nullptr, pData);
        EXPECT_EQ(0u, nBytes);
    }
    delete[] pData;
    return data;
}

std::vector<BYTE> AllByteValues()
{
    std::vector<BYTE> data(256);
    std::iota(data.begin(), data.end(), BYTE{0});
    return data;
}
} // namespace

/////////////////////////////////////////////////////////////////////////////
// The application object

TEST(AfxApp, OneApplicationObjectNamedFromTheProgramAndNoneOnThreadsTheFrameworkDidNotStart)
{
    CWinApp* pApp = AfxGetApp();
    ASSERT_EQ(&CTestApp::Get(), pApp);
    EXPECT_EQ(pApp, AfxGetThread());
    EXPECT_STREQ(L"test_afx", pApp->m_pszExeName);
    // The application's name is the program's AFX_IDS_APP_TITLE string.
    EXPECT_STREQ(L"Stand-in Test Host", pApp->m_pszAppName);
    EXPECT_STREQ(L"test_afx.INI", pApp->m_pszProfileName);
    EXPECT_EQ(nullptr, wcsstr(pApp->m_lpCmdLine, L"test_afx.exe")); // the program's name is not an argument
    {
        CWinApp second(L"Second"); // stays unregistered
        EXPECT_EQ(pApp, AfxGetApp());
    }
    EXPECT_EQ(pApp, AfxGetApp());

    CWnd mainWnd;
    pApp->m_pMainWnd = &mainWnd;
    CWnd* pSeenByPlainThread = &mainWnd;
    CWinThread* pPlainThreadObject = pApp;
    std::thread plain(
        [&]
        {
            pSeenByPlainThread = AfxGetMainWnd();
            pPlainThreadObject = AfxGetThread();
        });
    plain.join();
    pApp->m_pMainWnd = nullptr;
    EXPECT_EQ(nullptr, pSeenByPlainThread);
    EXPECT_EQ(nullptr, pPlainThreadObject);
}

/////////////////////////////////////////////////////////////////////////////
// The profile

// The library reads and writes plain numbers and strings through its settings; the rest of the profile, in
// an INI file or in the registry, has one smoke test.
TEST(AfxApp, ProfileSmoke)
{
    testkit::TempFolder folder;
    const CString strPath = folder.Path(L"profile.ini").c_str();
    CWinApp app(L"Profile Test");
    free(const_cast<LPTSTR>(app.m_pszProfileName));
    app.m_pszProfileName = _wcsdup(strPath);
    // Longer than any first guess at a buffer, with the characters the file format treats specially.
    CString strLong = L"Main = window; [x]" + CString(L'x', 20000) + L"y";
    EXPECT_TRUE(app.WriteProfileString(L"Window", L"Title", strLong));
    EXPECT_EQ(strLong, app.GetProfileString(L"Window", L"Title"));
    BYTE pair[] = {0x1F, 0x20};
    app.WriteProfileBinary(L"Data", L"Pair", pair, 2);
    wchar_t szValue[16] = {};
    GetPrivateProfileStringW(L"Data", L"Pair", L"", szValue, 16, strPath);
    EXPECT_STREQ(L"PBAC", szValue); // low nibble first, each as 'A' plus its value
    BOOL bRead = FALSE;
    EXPECT_EQ(std::vector<BYTE>(pair, pair + 2), ReadBinary(app, L"Data", L"Pair", &bRead));
    app.WriteProfileString(L"Window", L"Odd", L"ABC"); // an odd number of letters is no binary data
    ReadBinary(app, L"Window", L"Odd", &bRead);
    EXPECT_FALSE(bRead);

    CWinApp keyed(L"Keyed");
    keyed.SetRegistryKey(static_cast<UINT>(IDS_REGISTRY_KEY)); // the key's name from a string resource
    EXPECT_STREQ(L"Stand-in Test Vendor", keyed.m_pszRegistryKey);
    EXPECT_STREQ(L"Keyed", keyed.m_pszProfileName);
    CString strKey;
    strKey.Format(L"Stand-in Test Vendor %lu", GetCurrentProcessId());
    keyed.SetRegistryKey(strKey);
    EXPECT_TRUE(keyed.WriteProfileInt(L"Window", L"Left", -20));
    std::vector<BYTE> data = AllByteValues();
    EXPECT_TRUE(keyed.WriteProfileBinary(L"Data", L"All", data.data(), static_cast<UINT>(data.size())));
    EXPECT_EQ(-20, static_cast<int>(keyed.GetProfileInt(L"Window", L"Left", 0)));
    EXPECT_EQ(L"none", keyed.GetProfileString(L"Window", L"Left", L"none")); // a number is no string
    EXPECT_EQ(data, ReadBinary(keyed, L"Data", L"All", &bRead));
    DWORD dwType = REG_NONE;
    RegGetValueW(HKEY_CURRENT_USER, L"Software\\" + strKey + L"\\Keyed\\Window", L"Left", RRF_RT_ANY, &dwType,
                 nullptr, nullptr);
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), dwType);
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\" + strKey);

    // Without a profile name nothing is read or written (WIN.INI least of all).
    CWinApp unnamed(L"Unnamed");
    ASSERT_EQ(nullptr, unnamed.m_pszProfileName);
    EXPECT_FALSE(unnamed.WriteProfileString(L"Section", L"Entry", L"value"));
    EXPECT_EQ(L"default", unnamed.GetProfileString(L"Section", L"Entry", L"default"));
    GetProfileStringW(L"Section", L"Entry", L"", szValue, 16);
    EXPECT_STREQ(L"", szValue);
}

/////////////////////////////////////////////////////////////////////////////
// Message boxes through DoMessageBox

TEST(AfxApp, MessageBoxesGoThroughTheApplication)
{
    MessageBoxRecorder recorder(IDNO);
    EXPECT_EQ(IDNO, AfxMessageBox(L"Overwrite the file?", MB_YESNO));
    EXPECT_EQ(IDNO, AfxMessageBox(IDS_ONLY_IN_PROGRAM, MB_OKCANCEL | MB_ICONSTOP));
    EXPECT_EQ(IDNO, AfxMessageBox(IDS_IN_NO_MODULE, MB_OK, 77));

    std::vector<InterceptedMessageBox> boxes = recorder.Boxes();
    ASSERT_EQ(3u, boxes.size());
    EXPECT_EQ(L"Overwrite the file?", boxes[0].strPrompt);
    EXPECT_EQ(static_cast<UINT>(MB_YESNO), boxes[0].nType); // the icon is added later, by the box itself
    EXPECT_EQ(0u, boxes[0].nIDPrompt);
    EXPECT_EQ(L"Only in the program", boxes[1].strPrompt);
    EXPECT_EQ(static_cast<UINT>(IDS_ONLY_IN_PROGRAM),
              boxes[1].nIDPrompt); // the help id defaults to the prompt's
    EXPECT_EQ(L"", boxes[2].strPrompt);
    EXPECT_EQ(77u, boxes[2].nIDPrompt);
}

/////////////////////////////////////////////////////////////////////////////
// Real message boxes on the display

TEST(AfxApp, ARealBoxShowsThePromptUnderTheApplicationsNameWithAnIconByItsButtons)
{
    const struct
    {
        UINT nType;
        int nButton;
        LPCWSTR pszIcon; // null: no icon
    } cases[] = {{MB_YESNO, IDNO, IDI_QUESTION},
                 {MB_OK, IDOK, IDI_EXCLAMATION},
                 {MB_OKCANCEL | MB_ICONSTOP, IDCANCEL, IDI_HAND},
                 {MB_RETRYCANCEL, IDRETRY, nullptr}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.nType);
        DialogAnswerer box(DialogAnswerer::Press(c.nButton));
        EXPECT_EQ(c.nButton, AfxMessageBox(L"Delete the selected files?", c.nType));
        ASSERT_EQ(1, box.Count());
        EXPECT_EQ(L"Stand-in Test Host", box.Caption());
        EXPECT_EQ(L"Delete the selected files?", box.Text());
        EXPECT_EQ(c.pszIcon != nullptr ? LoadIconW(nullptr, c.pszIcon) : nullptr, box.Icon());
    }

    // Without an application object the module's name is the caption.
    CurrentApplication none(nullptr);
    AfxGetModuleState()->m_lpszCurrentAppName = L"Named Host";
    DialogAnswerer box(DialogAnswerer::Press(IDCANCEL));
    EXPECT_EQ(IDCANCEL, AfxMessageBox(L"No application object", MB_OKCANCEL));
    EXPECT_EQ(L"Named Host", box.Caption());
}

namespace
{
// Presses OK on the box, noting whether each window in `watched` was enabled while it was up.
std::function<void(HWND)> PressOkNoting(std::vector<HWND> watched, std::vector<bool>& enabled)
{
    return [watched, &enabled](HWND box)
    {
        for (HWND hWnd : watched)
            enabled.push_back(IsWindowEnabled(hWnd) != FALSE);
        DialogAnswerer::Press(IDOK)(box);
    };
}
} // namespace

TEST(AfxAppFocus, ABoxIsModalToTheActiveWindowOrElseToTheMainWindow)
{
    CWnd frame;
    CWnd popup;
    CWnd other;
    ASSERT_TRUE(MakeWindow(frame, L"Frame"));
    ASSERT_TRUE(MakeWindow(popup, L"Popup", &frame));
    ASSERT_TRUE(MakeWindow(other, L"Main frame"));
    popup.SetActiveWindow();
    ASSERT_EQ(popup.m_hWnd, GetActiveWindow());
    {
        // The active window owns the box, and it and its top-level window are disabled meanwhile.
        std::vector<bool> enabled;
        DialogAnswerer box(PressOkNoting({frame.m_hWnd, popup.m_hWnd}, enabled));
        EXPECT_EQ(IDOK, AfxMessageBox(L"Modal", MB_OK));
        ASSERT_EQ(1, box.Count());
        EXPECT_EQ(popup.m_hWnd, box.Owner());
        EXPECT_EQ((std::vector<bool>{false, false}), enabled);
    }
    EXPECT_TRUE(frame.IsWindowEnabled());
    EXPECT_TRUE(popup.IsWindowEnabled());

    // The main window owns the box whatever is active.
    AfxGetApp()->m_pMainWnd = &other;
    frame.SetActiveWindow();
    std::vector<bool> enabled;
    DialogAnswerer box(PressOkNoting({other.m_hWnd, frame.m_hWnd}, enabled));
    EXPECT_EQ(IDOK, AfxMessageBox(L"Owned by the main window"));
    AfxGetApp()->m_pMainWnd = nullptr;
    ASSERT_EQ(1, box.Count());
    EXPECT_EQ(other.m_hWnd, box.Owner());
    EXPECT_EQ((std::vector<bool>{false, true}), enabled);
}

/////////////////////////////////////////////////////////////////////////////
// The program entry

namespace
{
const UINT WM_TEST_LOOP = WM_APP + 1;

// Records the framework's calls in order.
class CSequenceApp : public CWinApp
{
public:
    CSequenceApp() : CWinApp(L"Sequence") {}

    BOOL InitApplication() override
    {
        Record("InitApplication");
        return m_bInitApplication;
    }
    BOOL InitInstance() override
    {
        Record("InitInstance");
        m_strNameDuringInit = AfxGetAppName();
        if (m_bThrow)
        {
            AfxThrowFileException(CFileException::fileNotFound, ERROR_FILE_NOT_FOUND, L"settings.cfg");
        }
        m_pMainWnd = m_pWindowForLoop;
        return m_bInitInstance;
    }
    int Run() override
    {
        Record("Run");
        return CWinApp::Run();
    }
    BOOL OnIdle(LONG lCount) override
    {
        if (lCount == 1 && m_pWindowForLoop != nullptr && !m_bPosted)
        {
            // The second idle call of the first idle moment (the first asked for more): give the loop a
            // message for the window.
            Record("OnIdle");
            PostMessageW(m_pWindowForLoop->GetSafeHwnd(), WM_TEST_LOOP, 0, 0);
            m_bPosted = true;
        }
        return CWinApp::OnIdle(lCount);
    }
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_TEST_LOOP)
        {
            Record("PreTranslateMessage");
        }
        return CWinApp::PreTranslateMessage(pMsg);
    }
    int ExitInstance() override
    {
        Record("ExitInstance");
        int nCode = CWinApp::ExitInstance();
        return m_nExitCode >= 0 ? m_nExitCode : nCode;
    }
    int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT) override
    {
        Record("DoMessageBox");
        m_strBoxPrompt = lpszPrompt;
        m_nBoxType = nType;
        return IDOK;
    }

    void Record(const char* pszCall) { m_calls += m_calls.empty() ? pszCall : std::string(" ") + pszCall; }

    std::string m_calls;
    BOOL m_bInitApplication = TRUE;
    BOOL m_bInitInstance = TRUE;
    bool m_bThrow = false;
    int m_nExitCode = -1;
    CWnd* m_pWindowForLoop = nullptr;
    bool m_bPosted = false;
    CString m_strNameDuringInit;
    CString m_strBoxPrompt;
    UINT m_nBoxType = 0;
};

wchar_t g_szCommandLine[] = L"/open report.txt";

// The main window of the loop: it records what the loop dispatched to it and ends the loop with code 9.
class CQuittingWnd : public wndtest::CRecordingWnd
{
public:
    CSequenceApp* m_pApp = nullptr;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_TEST_LOOP)
        {
            return CRecordingWnd::WindowProc(message, wParam, lParam);
        }
        m_pApp->Record("WindowProc");
        PostQuitMessage(9);
        return 0;
    }
};
} // namespace

TEST(AfxApp, WinMainInitialisesTheApplicationAndRunsItsLoop)
{
    CSequenceApp app;
    CQuittingWnd mainWnd;
    mainWnd.m_pApp = &app;
    ASSERT_TRUE(mainWnd.CreateEx(0, AfxRegisterWndClass(0), L"Main", WS_OVERLAPPEDWINDOW,
                                 CRect(0, 0, 100, 100), nullptr, 0));
    app.m_pWindowForLoop = &mainWnd;
    int nResult = 0;
    {
        CurrentApplication current(&app);
        nResult = AfxWinMain(GetModuleHandleW(nullptr), nullptr, g_szCommandLine, SW_SHOWMINIMIZED);
    }
    mainWnd.DestroyWindow();

    EXPECT_EQ(9, nResult); // the code of the WM_QUIT that ended the loop
    EXPECT_EQ("InitApplication InitInstance Run OnIdle PreTranslateMessage WindowProc ExitInstance",
              app.m_calls);
    // The loop offered the message to the main window's pre-translation too.
    EXPECT_EQ(1, std::count(mainWnd.m_preTranslated.begin(), mainWnd.m_preTranslated.end(), WM_TEST_LOOP));
    EXPECT_EQ(GetModuleHandleW(nullptr), app.m_hInstance);
    EXPECT_EQ(g_szCommandLine, app.m_lpCmdLine);
    EXPECT_EQ(SW_SHOWMINIMIZED, app.m_nCmdShow);
    EXPECT_EQ(L"Sequence", app.m_strNameDuringInit);
}

TEST(AfxApp, WinMainFollowsTheOutcomeOfEachStartUpStep)
{
    const struct
    {
        const char* name;
        BOOL bInitApplication;
        BOOL bInitInstance;
        bool bThrow; // an exception that ends the start-up is reported in a box
        int nExitCode;
        int nResult;
        const char* calls;
    } cases[] = {
        {"no main window: the loop has nothing to run", TRUE, TRUE, false, -1, 0,
         "InitApplication InitInstance Run ExitInstance"},
        {"InitInstance fails", TRUE, FALSE, false, 3, 3, "InitApplication InitInstance ExitInstance"},
        {"InitApplication fails", FALSE, TRUE, false, -1, -1, "InitApplication"},
        {"InitInstance throws", TRUE, TRUE, true, -1, -1, "InitApplication InitInstance DoMessageBox"}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        CSequenceApp app;
        app.m_bInitApplication = c.bInitApplication;
        app.m_bInitInstance = c.bInitInstance;
        app.m_bThrow = c.bThrow;
        app.m_nExitCode = c.nExitCode;
        CurrentApplication current(&app);
        EXPECT_EQ(c.nResult, AfxWinMain(GetModuleHandleW(nullptr), nullptr, g_szCommandLine, SW_SHOW));
        EXPECT_EQ(c.calls, app.m_calls);
        EXPECT_EQ(c.bThrow, app.m_strBoxPrompt.Find(L"settings.cfg") != -1);
        EXPECT_EQ(c.bThrow ? static_cast<UINT>(MB_ICONSTOP) : 0u, app.m_nBoxType);
    }
    CurrentApplication none(nullptr);
    EXPECT_EQ(-1, AfxWinMain(GetModuleHandleW(nullptr), nullptr, g_szCommandLine, SW_SHOW));
}

TEST(AfxApp, AProgramWithTheFrameworksEntry)
{
    wchar_t szPath[MAX_PATH];
    GetModuleFileNameW(nullptr, szPath, MAX_PATH);
    CString strProgram(szPath);
    strProgram = strProgram.Left(strProgram.ReverseFind(L'\\') + 1) + L"AfxTestEntry.exe";

    auto exitCodeOf = [&](const wchar_t* pszArguments) -> DWORD
    {
        CString strCommandLine = L"\"" + strProgram + L"\" " + pszArguments;
        STARTUPINFOW si = {};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi = {};
        if (!CreateProcessW(strProgram, strCommandLine.GetBuffer(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &si, &pi))
        {
            return 0xFFFFFFFF;
        }
        WaitForSingleObject(pi.hProcess, 60000);
        DWORD dwExitCode = 0xFFFFFFFE;
        GetExitCodeProcess(pi.hProcess, &dwExitCode);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        return dwExitCode;
    };
    EXPECT_EQ(37u, exitCodeOf(L"fail 37"));
    EXPECT_EQ(100u, exitCodeOf(L"run"));
    EXPECT_EQ(99u, exitCodeOf(L"unknown"));
}

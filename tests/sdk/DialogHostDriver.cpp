// Drives examples/dialog-host's DialogHost.exe through its windows, as a user would with the mouse and the
// keyboard, and checks what the wizard-shaped application and the stand-in under it do: the icons, the About
// box from the system menu, the list filled from the exchanged values, the validation messages that keep the
// dialog open, the drag icon of the minimised dialog and the exit code after OK. Prints one line per check
// and ends with the number of failed checks (or 100 when a step could not be carried out). What only the
// application's own process can see (icon handles, the system menu) the probe in DialogHostProbe.dll, beside
// this program, checks from inside it.
//     DialogHostDriver.exe <path of DialogHost.exe>
#include <windows.h>

#include "DialogHostProbe.h"
#include "Resource.h"

#include <cstdio>
#include <string>
#include <vector>

namespace
{
// Long enough for a loaded machine; a window that has not appeared by then will not.
constexpr DWORD kWaitMs = 30000;

// A step that left the application in an unknown state: the run stops.
struct StepFailed
{
    std::string what;
};

int g_nFailures = 0;

bool Check(bool passed, const std::string& what)
{
    std::printf("%s %s\n", passed ? "ok  " : "FAIL", what.c_str());
    std::fflush(stdout);
    g_nFailures += passed ? 0 : 1;
    return passed;
}

std::string Narrow(const std::wstring& text)
{
    std::string out;
    for (wchar_t ch : text)
    {
        out += ch < 0x80 ? static_cast<char>(ch) : '?';
    }
    return out;
}

// The text of a window of the application: WM_GETTEXT, which asks the control itself (GetWindowText only
// knows the text a window of another process was created with).
std::wstring WindowText(HWND hWnd)
{
    wchar_t szText[256] = {};
    DWORD_PTR nResult = 0;
    SendMessageTimeoutW(hWnd, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(szText), SMTO_NORMAL, kWaitMs,
                        &nResult);
    return szText;
}

std::wstring ClassName(HWND hWnd)
{
    wchar_t buffer[64] = {};
    GetClassNameW(hWnd, buffer, 64);
    return buffer;
}

// Sends a message that the application answers at once; a handler that blocks (a modal loop where none
// belongs) is a failed step, not a hung test.
LRESULT Send(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(hWnd, message, wParam, lParam, SMTO_NORMAL, kWaitMs, &result) == 0)
    {
        char text[80];
        std::snprintf(text, sizeof(text), "message 0x%04X was not answered (error %lu)", message,
                      GetLastError());
        throw StepFailed{text};
    }
    return static_cast<LRESULT>(result);
}

class CApplication
{
public:
    explicit CApplication(const wchar_t* pszPath)
    {
        STARTUPINFOW si = {};
        si.cb = sizeof(si);
        std::wstring commandLine = L"\"" + std::wstring(pszPath) + L"\"";
        if (!CreateProcessW(pszPath, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                            &m_pi))
        {
            throw StepFailed{"DialogHost.exe could not be started (error " + std::to_string(GetLastError()) +
                             ")"};
        }
        CloseHandle(m_pi.hThread);
    }
    ~CApplication()
    {
        if (WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT)
        {
            TerminateProcess(m_pi.hProcess, 100);
            WaitForSingleObject(m_pi.hProcess, kWaitMs);
        }
        CloseHandle(m_pi.hProcess);
        if (m_hHook != nullptr)
        {
            UnhookWindowsHookEx(m_hHook);
        }
        if (m_hProbe != nullptr)
        {
            FreeLibrary(m_hProbe);
        }
    }
    CApplication(const CApplication&) = delete;
    CApplication& operator=(const CApplication&) = delete;

    // Polls until pred() gives a window, pausing on the process handle between tries, so that an
    // application that ends early fails the step at once.
    template <typename Pred> HWND WaitFor(const char* pszWhat, Pred pred) const
    {
        const DWORD dwStart = GetTickCount();
        for (;;)
        {
            if (HWND hWnd = pred())
            {
                return hWnd;
            }
            if (WaitForSingleObject(m_pi.hProcess, 10) == WAIT_OBJECT_0)
            {
                throw StepFailed{std::string("DialogHost ended while waiting for ") + pszWhat};
            }
            if (GetTickCount() - dwStart > kWaitMs)
            {
                throw StepFailed{std::string("timed out waiting for ") + pszWhat};
            }
        }
    }

    // The visible top-level dialog of the application that hWndOwner owns (null: that has no owner) and that
    // is not hWndExcept.
    HWND FindDialog(HWND hWndOwner, HWND hWndExcept = nullptr) const
    {
        struct Search
        {
            DWORD dwProcessId;
            HWND hWndOwner, hWndExcept, hWndFound;
        } search = {m_pi.dwProcessId, hWndOwner, hWndExcept, nullptr};
        EnumWindows(
            [](HWND hWnd, LPARAM lParam) -> BOOL
            {
                auto* s = reinterpret_cast<Search*>(lParam);
                DWORD dwProcessId = 0;
                GetWindowThreadProcessId(hWnd, &dwProcessId);
                if (dwProcessId == s->dwProcessId && hWnd != s->hWndExcept && IsWindowVisible(hWnd) &&
                    ClassName(hWnd) == L"#32770" && GetWindow(hWnd, GW_OWNER) == s->hWndOwner)
                {
                    s->hWndFound = hWnd;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.hWndFound;
    }

    void WaitGone(const char* pszWhat, HWND hWnd) const
    {
        WaitFor(pszWhat, [hWnd] { return IsWindow(hWnd) ? nullptr : GetDesktopWindow(); });
    }

    // The exit code, once the process has ended within the wait.
    bool WaitExit(DWORD& dwExitCode) const
    {
        return WaitForSingleObject(m_pi.hProcess, kWaitMs) == WAIT_OBJECT_0 &&
               GetExitCodeProcess(m_pi.hProcess, &dwExitCode);
    }

    bool IsRunning() const { return WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT; }

    // Hooks the thread of the application's dialogs with the probe, which loads it into the application.
    void InstallProbe(HWND hDlg)
    {
        wchar_t szPath[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, szPath, MAX_PATH);
        std::wstring path(szPath);
        path = path.substr(0, path.find_last_of(L"\\/") + 1) + L"DialogHostProbe.dll";
        m_hProbe = LoadLibraryW(path.c_str());
        auto* pfnHook =
            m_hProbe != nullptr
                ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(m_hProbe, "ProbeHook")))
                : nullptr;
        m_hHook = pfnHook != nullptr ? SetWindowsHookExW(WH_GETMESSAGE, pfnHook, m_hProbe,
                                                         GetWindowThreadProcessId(hDlg, nullptr))
                                     : nullptr;
        if (m_hHook == nullptr)
        {
            throw StepFailed{"the probe " + Narrow(path) + " could not be hooked in (error " +
                             std::to_string(GetLastError()) + ")"};
        }
    }

    // Runs a probe in the application on hWnd's thread and returns the bits of the checks that held.
    UINT_PTR Probe(HWND hWnd, WPARAM nProbe) const
    {
        static const UINT nProbeMessage = RegisterWindowMessageW(kProbeMessage);
        PostMessageW(hWnd, nProbeMessage, nProbe, 0);
        const std::wstring property = ProbeProperty(nProbe);
        WaitFor("the probe's answer",
                [&] { return GetPropW(hWnd, property.c_str()) != nullptr ? hWnd : nullptr; });
        return reinterpret_cast<UINT_PTR>(GetPropW(hWnd, property.c_str()));
    }

private:
    PROCESS_INFORMATION m_pi = {};
    HMODULE m_hProbe = nullptr;
    HHOOK m_hHook = nullptr;
};

std::vector<std::wstring> ListLines(HWND hList)
{
    std::vector<std::wstring> lines;
    const auto nCount = static_cast<int>(Send(hList, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < nCount; ++i)
    {
        std::wstring line(static_cast<size_t>(Send(hList, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0)), L'\0');
        Send(hList, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&line[0]));
        lines.push_back(line);
    }
    return lines;
}

// Types the values into the main dialog's fields.
void Enter(HWND hDlg, const wchar_t* pszName, const wchar_t* pszCount, bool bNumbered)
{
    Send(GetDlgItem(hDlg, IDC_NAME), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(pszName));
    Send(GetDlgItem(hDlg, IDC_COUNT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(pszCount));
    Send(GetDlgItem(hDlg, IDC_NUMBERED), BM_SETCHECK, bNumbered ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Click(HWND hDlg, int nID)
{
    PostMessageW(hDlg, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(hDlg, nID)));
}

// OK with a value that validation refuses: the stand-in's message box, owned by the dialog, with the
// expected text; once it is closed the dialog is still open with the offending field focused.
void ExpectRefused(const CApplication& app, HWND hDlg, const wchar_t* pszName, const wchar_t* pszCount,
                   const std::wstring& expected, int nIDField, const std::string& what)
{
    Enter(hDlg, pszName, pszCount, true);
    Click(hDlg, IDOK);
    HWND hBox = app.WaitFor("the validation message box", [&] { return app.FindDialog(hDlg); });
    // The message box shows its text in the static control 0xFFFF.
    std::wstring text = WindowText(GetDlgItem(hBox, 0xFFFF));
    Check(text == expected,
          what + ": the message box says \"" + Narrow(expected) + "\" (it says \"" + Narrow(text) + "\")");
    PostMessageW(hBox, WM_COMMAND, IDOK, 0);
    app.WaitGone("the message box to close", hBox);
    HWND hField = GetDlgItem(hDlg, nIDField);
    GUITHREADINFO gui = {};
    gui.cbSize = sizeof(gui);
    app.WaitFor("the focus on the refused field",
                [&]
                {
                    return GetGUIThreadInfo(GetWindowThreadProcessId(hDlg, nullptr), &gui) &&
                                   gui.hwndFocus == hField
                               ? hField
                               : nullptr;
                });
    Check(IsWindowVisible(hDlg) && app.IsRunning(),
          what + ": the dialog stays open, the field has the focus");
}

void Drive(const wchar_t* pszPath)
{
    CApplication app(pszPath);
    HWND hDlg = app.WaitFor("the main dialog", [&] { return app.FindDialog(nullptr); });
    Check(WindowText(hDlg) == L"DialogHost", "the main dialog is up, captioned DialogHost");

    // The icons and the system menu, seen from inside the application.
    app.InstallProbe(hDlg);
    const UINT_PTR nMain = app.Probe(hDlg, kProbeMainDialog);
    Check((nMain & kProbeBigIcon) != 0,
          "the big icon (WM_GETICON ICON_BIG) is the application's IDR_MAINFRAME");
    Check((nMain & kProbeSmallIcon) != 0,
          "the small icon (WM_GETICON ICON_SMALL) is the application's IDR_MAINFRAME");
    Check((nMain & kProbeAboutItem) != 0,
          "the system menu ends with a separator and \"&About DialogHost...\"");

    // The initial values reach the controls.
    Check(WindowText(GetDlgItem(hDlg, IDC_NAME)) == L"Line" &&
              WindowText(GetDlgItem(hDlg, IDC_COUNT)) == L"3" &&
              Send(GetDlgItem(hDlg, IDC_NUMBERED), BM_GETCHECK, 0, 0) == BST_CHECKED,
          "the fields show the dialog's initial values");

    // The About item of the system menu opens the About box.
    PostMessageW(hDlg, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    HWND hAbout = app.WaitFor("the About box", [&] { return app.FindDialog(hDlg); });
    std::wstring texts;
    for (HWND hChild = GetWindow(hAbout, GW_CHILD); hChild != nullptr;
         hChild = GetWindow(hChild, GW_HWNDNEXT))
    {
        texts += WindowText(hChild) + L"|";
    }
    Check(WindowText(hAbout) == L"About DialogHost" &&
              texts.find(L"|DialogHost, Version 1.0|") != std::wstring::npos,
          "the About box is captioned \"About DialogHost\" and names the version");
    Check((app.Probe(hAbout, kProbeAbout) & kProbeInformationIcon) != 0,
          "the About box shows the system's information icon (LoadStandardIcon)");
    Check(!IsWindowEnabled(hDlg), "the main dialog is disabled while the About box is up");
    PostMessageW(hAbout, WM_COMMAND, IDOK, 0);
    app.WaitGone("the About box to close", hAbout);
    Check(IsWindowEnabled(hDlg), "the main dialog is enabled again after the About box");

    // The list holds the lines the exchanged values describe, refilled on each click.
    HWND hList = GetDlgItem(hDlg, IDC_LINES);
    struct Fill
    {
        const wchar_t* pszName;
        const wchar_t* pszCount;
        bool bNumbered;
        std::vector<std::wstring> lines;
    };
    const Fill fills[] = {
        {L"Apple", L"4", true, {L"1. Apple", L"2. Apple", L"3. Apple", L"4. Apple"}},
        {L"Pear tree", L"2", false, {L"Pear tree", L"Pear tree"}},
        {L"Sixteen chars ok", L"1", true, {L"1. Sixteen chars ok"}},
    };
    for (const Fill& fill : fills)
    {
        Enter(hDlg, fill.pszName, fill.pszCount, fill.bNumbered);
        Send(hDlg, WM_COMMAND, MAKEWPARAM(IDC_FILL, BN_CLICKED),
             reinterpret_cast<LPARAM>(GetDlgItem(hDlg, IDC_FILL)));
        std::vector<std::wstring> lines = ListLines(hList);
        std::string shown;
        for (const std::wstring& line : lines)
        {
            shown += " \"" + Narrow(line) + "\"";
        }
        Check(lines == fill.lines, "\"" + Narrow(fill.pszName) + "\" x " + Narrow(fill.pszCount) +
                                       (fill.bNumbered ? " numbered" : "") + " fills the list with:" + shown);
    }

    // Values that validation refuses keep the dialog open.
    ExpectRefused(app, hDlg, L"Apple", L"12", L"Please enter an integer between 1 and 9.", IDC_COUNT,
                  "a count of 12");
    ExpectRefused(app, hDlg, L"Seventeen chars!!", L"4", L"Please enter no more than 16 characters.",
                  IDC_NAME, "a text of 17 characters");

    // Minimised through the system command (which the dialog passes on), it answers WM_QUERYDRAGICON with its
    // icon.
    PostMessageW(hDlg, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    app.WaitFor("the dialog to minimise", [&] { return IsIconic(hDlg) ? hDlg : nullptr; });
    Check((app.Probe(hDlg, kProbeMinimised) & kProbeDragIcon) != 0,
          "the minimised dialog gives the application's icon for WM_QUERYDRAGICON");
    PostMessageW(hDlg, WM_SYSCOMMAND, SC_RESTORE, 0);
    app.WaitFor("the dialog to be restored", [&] { return IsIconic(hDlg) ? nullptr : hDlg; });

    // OK with valid values ends the program with the confirmed count as its exit code.
    Enter(hDlg, L"Apple", L"7", false);
    Click(hDlg, IDOK);
    DWORD dwExitCode = 0;
    const bool bEnded = app.WaitExit(dwExitCode);
    Check(bEnded && dwExitCode == 7,
          "OK with a count of 7 ends the program with exit code 7 (" +
              (bEnded ? "it ended with " + std::to_string(dwExitCode) : "it runs on") + ")");
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::printf("usage: DialogHostDriver <path of DialogHost.exe>\n");
        return 100;
    }
    std::wstring path(argv[1], argv[1] + std::char_traits<char>::length(argv[1]));
    try
    {
        Drive(path.c_str());
    }
    catch (const StepFailed& failure)
    {
        std::printf("FAIL %s\n", failure.what.c_str());
        return 100;
    }
    std::printf("%d failed\n", g_nFailures);
    return g_nFailures;
}

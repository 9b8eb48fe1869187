#include "MainFrame.h"

#include "DemoApp.h"
#include "DemoChecks.h"
#include "frame/VMessageBox.h"
#include "frame/VReportMessageParams.h"

#include <thread>
#include "PardalinMessages.h"

namespace
{
constexpr UINT_PTR kScriptTimer = 1;
constexpr int kLogId = 1001;

// Waits for the library's message box, has it photographed, and answers Yes.
void AnswerMessageBox(const std::wstring& folder)
{
    HWND box = nullptr;
    for (int attempt = 0; attempt < 500 && !box; ++attempt)
    {
        box = FindWindowW(L"#32770", DemoApp().m_pszAppName);
        if (!box)
            Sleep(20);
    }
    if (!box)
        return;
    const std::wstring request = folder + L"\\message-box.request";
    const std::wstring picture = folder + L"\\message-box.png";
    DeleteFileW(picture.c_str());
    CloseHandle(CreateFileW(request.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    for (int attempt = 0; attempt < 500 && GetFileAttributesW(picture.c_str()) == INVALID_FILE_ATTRIBUTES;
         ++attempt)
        Sleep(20);
    SendMessageW(GetDlgItem(box, IDYES), BM_CLICK, 0, 0);
}
} // namespace

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_TIMER()
ON_COMMAND(ID_DEMO_RUN_CHECKS, &CMainFrame::OnRunChecks)
ON_COMMAND(ID_DEMO_SETTINGS, &CMainFrame::OnSettings)
ON_COMMAND(ID_DEMO_SHOW_MESSAGE, &CMainFrame::OnShowMessage)
ON_COMMAND(ID_APP_EXIT_DEMO, &CMainFrame::OnExitDemo)
END_MESSAGE_MAP()

CMainFrame::CMainFrame() : m_nStep(0), m_nWaitTicks(0) {}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_log.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
                      CRect(0, 0, 10, 10), this, kLogId))
        return -1;
    m_font.CreatePointFont(100, L"Courier New");
    m_log.SetFont(&m_font);
    return 0;
}

void CMainFrame::OnSize(UINT nType, int cx, int cy)
{
    CFrameWnd::OnSize(nType, cx, cy);
    if (m_log.GetSafeHwnd())
        m_log.MoveWindow(0, 0, cx, cy);
}

void CMainFrame::Log(const std::wstring& line)
{
    CString text;
    m_log.GetWindowText(text);
    text += line.c_str();
    text += L"\r\n";
    m_log.SetWindowText(text);
    m_log.SetSel(text.GetLength(), text.GetLength());

    const std::wstring logPath = DemoApp().m_strOutFolder + L"\\demo.log";
    HANDLE file =
        CreateFileW(logPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE)
    {
        const std::wstring withEnd = line + L"\n";
        char bytes[4096];
        const int length = WideCharToMultiByte(CP_UTF8, 0, withEnd.c_str(), static_cast<int>(withEnd.size()),
                                               bytes, sizeof(bytes), nullptr, nullptr);
        DWORD written = 0;
        WriteFile(file, bytes, static_cast<DWORD>(length), &written, nullptr);
        CloseHandle(file);
    }
}

void CMainFrame::Start()
{
    DeleteFileW((DemoApp().m_strOutFolder + L"\\demo.log").c_str());
    Log(L"Pardalin67U demo host");
    OnRunChecks();
    if (DemoApp().m_bScripted)
        SetTimer(kScriptTimer, 200, nullptr);
}

void CMainFrame::OnRunChecks()
{
    DemoApp().m_nFailures += RunCoreChecks([this](const std::wstring& line) { Log(line); });
}

void CMainFrame::OnSettings()
{
    DemoApp().m_nFailures +=
        RunSettingsChecks(DemoApp().m_strOutFolder, [this](const std::wstring& line) { Log(line); });
}

void CMainFrame::OnShowMessage()
{
    VReportMessageParams params(MSG_CERTIFICATE_FILE_EXISTS);
    std::thread answer;
    if (DemoApp().m_bScripted)
        answer = std::thread(&AnswerMessageBox, DemoApp().m_strOutFolder);
    const int button = VMessageBox(this, &params, MB_YESNO, nullptr);
    if (answer.joinable())
        answer.join();
    Log(L"Message box MSG_CERTIFICATE_FILE_EXISTS answered with button " + std::to_wstring(button));
}

void CMainFrame::OnExitDemo()
{
    DestroyWindow();
}

void CMainFrame::RequestScreenshot(const wchar_t* name)
{
    const std::wstring base = DemoApp().m_strOutFolder + L"\\" + name;
    DeleteFileW((base + L".png").c_str());
    CloseHandle(
        CreateFileW((base + L".request").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
}

bool CMainFrame::Captured(const wchar_t* name) const
{
    const std::wstring picture = DemoApp().m_strOutFolder + L"\\" + name + L".png";
    return GetFileAttributesW(picture.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The scripted walk: settings, a picture of the main window, the message box (pictured while it shows),
// then the end. Each step runs from the timer so the window paints in between.
void CMainFrame::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kScriptTimer)
        return;
    switch (m_nStep)
    {
    case 0:
        SendMessage(WM_COMMAND, ID_DEMO_SETTINGS);
        m_nStep = 1;
        break;
    case 1:
        RequestScreenshot(L"main-window");
        m_nWaitTicks = 0;
        m_nStep = 2;
        break;
    case 2:
        if (Captured(L"main-window") || ++m_nWaitTicks > 50)
            m_nStep = 3;
        break;
    case 3:
        KillTimer(kScriptTimer);
        SendMessage(WM_COMMAND, ID_DEMO_SHOW_MESSAGE);
        Log(DemoApp().m_nFailures ? L"Some checks failed." : L"All checks passed.");
        PostMessage(WM_COMMAND, ID_APP_EXIT_DEMO);
        break;
    }
}

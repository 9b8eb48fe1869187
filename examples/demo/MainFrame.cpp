#include "MainFrame.h"

#include "CertificateDialogWalk.h"
#include "ConnectionWindow.h"
#include "DemoApp.h"
#include "DemoChecks.h"
#include "files/VTextFile.h"
#include "frame/VMessageBox.h"
#include "frame/VReportMessageParams.h"
#include "dialogs/VPluginPage.h"
#include "settings/VRecentFileList.h"

#include <afxsettingsstore.h>
#include <commdlg.h>
#include <dlgs.h>

#include <algorithm>
#include <cwctype>

#include <memory>
#include <thread>
#include <vector>
#include "PardalinMessages.h"

namespace
{
constexpr UINT_PTR kScriptTimer = 1;
constexpr int kViewId = 1001;
// Posted when the find dialog has closed, so that it is deleted outside its own notification.
constexpr UINT kFindClosedMessage = WM_APP + 1;
const wchar_t* const kPlacementKey = L"Workspace\\MainFrame";
const wchar_t* const kPlacementValue = L"WindowRect";
// Where the first scripted run leaves the window; the second run must find it there.
const CRect kFirstRunRect(90, 60, 810, 540);

// The sample files the first scripted run opens, oldest first.
const wchar_t* const kSampleFiles[][2] = {
    {L"branch-office.cfg", L"[Connection]\nHost=branch.example.net\nPort=22\nUser=op\u00E9rateur\n"},
    {L"datacenter.cfg", L"[Connection]\nHost=dc1.example.net\nPort=2222\nKeepAlive=30\n"},
    {L"home-lab.cfg",
     L"[Connection]\nHost=192.168.10.5\nPort=22\nCompression=yes\nNote=B\u00FCro Z\u00FCrich, \u0394-Netz\n"},
};

std::wstring SamplePath(const wchar_t* name)
{
    return DemoApp().m_strOutFolder + L"\\files\\" + name;
}

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
    // The picture must show the box whole: have its thread paint it before asking for one.
    RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
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
ON_WM_CLOSE()
ON_WM_TIMER()
ON_COMMAND(ID_FILE_OPEN_DEMO, &CMainFrame::OnFileOpen)
ON_COMMAND(ID_DEMO_RUN_CHECKS, &CMainFrame::OnRunChecks)
ON_COMMAND(ID_DEMO_SETTINGS, &CMainFrame::OnSettings)
ON_COMMAND(ID_DEMO_SHOW_MESSAGE, &CMainFrame::OnShowMessage)
ON_COMMAND(ID_APP_EXIT_DEMO, &CMainFrame::OnExitDemo)
ON_COMMAND(ID_TOOLS_OPTIONS, &CMainFrame::OnToolsOptions)
ON_COMMAND(ID_TOOLS_CONNECTION, &CMainFrame::OnToolsConnection)
ON_COMMAND(ID_TOOLS_CREATE_CERTIFICATE, &CMainFrame::OnToolsCreateCertificate)
ON_COMMAND(ID_EDIT_FIND_DEMO, &CMainFrame::OnEditFind)
ON_MESSAGE(kFindClosedMessage, &CMainFrame::OnFindClosed)
END_MESSAGE_MAP()

CMainFrame::CMainFrame()
    : m_nStep(0), m_nWaitTicks(0), m_bInStep(false), m_nOptionsOpening(0), m_nConnectionStep(0),
      m_nFindStep(0), m_pFind(nullptr), m_dwFindFlags(FR_DOWN), m_findPosition(-1, -1)
{
}

CMainFrame::~CMainFrame()
{
    delete m_pFind;
}

CRect CMainFrame::SavedPlacement()
{
    CRect rect(40, 40, 900, 640);
    CSettingsStoreSP maker;
    CSettingsStore& store = maker.Create(FALSE, TRUE);
    CRect saved;
    // A rectangle that lies off every screen (a monitor since removed) is not used.
    if (store.Open(kPlacementKey) && store.Read(kPlacementValue, saved) && saved.Width() > 100 &&
        saved.Height() > 100 && MonitorFromRect(&saved, MONITOR_DEFAULTTONULL) != nullptr)
        rect = saved;
    return rect;
}

void CMainFrame::SavePlacement()
{
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    if (!::GetWindowPlacement(m_hWnd, &placement))
        return;
    CSettingsStoreSP maker;
    CSettingsStore& store = maker.Create(FALSE, FALSE);
    if (store.CreateKey(kPlacementKey))
        store.Write(kPlacementValue, CRect(placement.rcNormalPosition));
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_view.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY |
                           ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL,
                       CRect(0, 0, 10, 10), this, kViewId))
        return -1;
    m_font.CreatePointFont(100, L"Courier New");
    m_view.SetFont(&m_font);
    m_view.SetWindowText(L"Open a configuration file with File > Open, or pick one of the recent files.");
    LoadAccelTable(MAKEINTRESOURCEW(IDR_MAINFRAME));
    return 0;
}

void CMainFrame::OnSize(UINT nType, int cx, int cy)
{
    CFrameWnd::OnSize(nType, cx, cy);
    if (m_view.GetSafeHwnd())
        m_view.MoveWindow(0, 0, cx, cy);
}

void CMainFrame::OnClose()
{
    SavePlacement();
    CFrameWnd::OnClose();
}

bool CMainFrame::ShowFile(const wchar_t* path)
{
    VTextFile file;
    if (!file.Open(path, GENERIC_READ, OPEN_EXISTING))
        return false;
    CString text;
    VUnicodeString line;
    while (file.ReadLine(line))
    {
        text += line.GetString();
        text += L"\r\n";
    }
    m_view.SetWindowText(text);
    const wchar_t* name = wcsrchr(path, L'\\');
    SetWindowText(CString(name ? name + 1 : path) + L" - Pardalin67U Demo Host");
    Log(L"Opened " + std::wstring(path));
    return true;
}

void CMainFrame::Log(const std::wstring& line)
{
    const std::wstring logPath = DemoApp().m_strOutFolder + L"\\demo.log";
    HANDLE file =
        CreateFileW(logPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    const std::wstring withEnd = line + L"\n";
    const int length = WideCharToMultiByte(CP_UTF8, 0, withEnd.c_str(), static_cast<int>(withEnd.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::vector<char> bytes(static_cast<size_t>(length));
    WideCharToMultiByte(CP_UTF8, 0, withEnd.c_str(), static_cast<int>(withEnd.size()), bytes.data(), length,
                        nullptr, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(length), &written, nullptr);
    CloseHandle(file);
}

void CMainFrame::Check(bool bPassed, const wchar_t* what)
{
    Log(std::wstring(bPassed ? L"  [ ok ] " : L"  [FAIL] ") + what);
    DemoApp().m_nFailures += bPassed ? 0 : 1;
}

void CMainFrame::Start()
{
    Log(L"Pardalin67U demo host, run " + std::to_wstring(DemoApp().m_nRun));
    if (DemoApp().m_bScripted)
        SetTimer(kScriptTimer, 200, nullptr);
}

void CMainFrame::OnFileOpen()
{
    wchar_t path[MAX_PATH] = L"";
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = m_hWnd;
    dialog.lpstrFilter = L"Configuration files (*.cfg)\0*.cfg\0All files (*.*)\0*.*\0";
    dialog.lpstrFile = path;
    dialog.nMaxFile = MAX_PATH;
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (GetOpenFileNameW(&dialog))
        AfxGetApp()->OpenDocumentFile(path);
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

void CMainFrame::OnToolsOptions()
{
    DemoOptions options;
    options.Load(*AfxGetApp());
    std::unique_ptr<VPluginPage> pluginPage(DemoApp().MakePluginPage());
    COptionsDialog dialog(options, &DemoApp().m_optionStates, this, pluginPage.get());
    if (DemoApp().m_bScripted)
        dialog.SetScript([this](COptionsDialog& d, int nStep) { return OptionsStep(d, nStep); });
    const INT_PTR nResult = dialog.DoModal();
    Log(L"Options closed with " + std::wstring(nResult == IDOK ? L"OK" : L"Cancel"));
    if (nResult == IDOK)
    {
        options.Load(*AfxGetApp());
        m_font.DeleteObject();
        m_font.CreatePointFont(options.nFontSize * 10, L"Courier New");
        m_view.SetFont(&m_font);
    }
}

void CMainFrame::OnToolsConnection()
{
    if (CConnectionWindow::Show(this) == nullptr)
        Log(L"The Connection window could not be opened.");
}

void CMainFrame::OnToolsCreateCertificate()
{
    CertificateDialogWalk walk;
    walk.log = [this](const std::wstring& line) { Log(line); };
    if (DemoApp().m_bScripted)
    {
        walk.check = [this](bool bPassed, const wchar_t* what) { Check(bPassed, what); };
        walk.requestScreenshot = [this](const wchar_t* name) { RequestScreenshot(name); };
        walk.captured = [this](const wchar_t* name) { return Captured(name); };
    }
    RunCreateCertificate(this, DemoApp().m_strOutFolder, walk);
}

void CMainFrame::OnEditFind()
{
    if (m_pFind != nullptr)
    {
        m_pFind->BringToTop(VPoint(-1, -1), true);
        return;
    }
    m_pFind = new VFindDialog(m_strFindText, m_dwFindFlags, this, this);
    if (!m_pFind->Create(m_findPosition))
    {
        delete m_pFind;
        m_pFind = nullptr;
        Log(L"The find dialog could not be opened.");
    }
}

void CMainFrame::OnFindNext()
{
    const VUnicodeString what = m_pFind->GetString();
    if (!FindNext(what.GetString(), m_pFind->GetFlags()))
        MessageBeep(MB_ICONASTERISK);
}

void CMainFrame::OnFindDialogClosing()
{
    m_strFindText = m_pFind->GetString().GetString();
    m_dwFindFlags = m_pFind->GetFlags();
    m_findPosition = m_pFind->GetPosition();
    PostMessage(kFindClosedMessage);
}

LRESULT CMainFrame::OnFindClosed(WPARAM, LPARAM)
{
    delete m_pFind;
    m_pFind = nullptr;
    return 0;
}

bool CMainFrame::FindNext(const CString& what, DWORD flags)
{
    CString viewText;
    m_view.GetWindowText(viewText);
    std::wstring text = viewText.GetString();
    std::wstring needle = what.GetString();
    if (needle.empty() || needle.size() > text.size())
        return false;
    if (!(flags & FR_MATCHCASE))
    {
        const auto lower = [](std::wstring& s)
        { std::transform(s.begin(), s.end(), s.begin(), [](wchar_t c) { return towlower(c); }); };
        lower(text);
        lower(needle);
    }
    const auto isWordChar = [](wchar_t c) { return iswalnum(c) || c == L'_'; };
    const auto matchesAt = [&](size_t at)
    {
        if (text.compare(at, needle.size(), needle) != 0)
            return false;
        if (!(flags & FR_WHOLEWORD))
            return true;
        const size_t after = at + needle.size();
        return (at == 0 || !isWordChar(text[at - 1])) && (after == text.size() || !isWordChar(text[after]));
    };

    int selStart = 0;
    int selEnd = 0;
    m_view.GetSel(selStart, selEnd);
    // Every place is tried once, starting after the selection (before it, searching up) and wrapping.
    const size_t places = text.size() - needle.size() + 1;
    const bool down = (flags & FR_DOWN) != 0;
    for (size_t step = 0; step < places; ++step)
    {
        const size_t at = down ? (static_cast<size_t>(selStart) + (selEnd > selStart ? 1 : 0) + step) % places
                               : (static_cast<size_t>(selStart) + places * 2 - 1 - step) % places;
        if (matchesAt(at))
        {
            m_view.SetSel(static_cast<int>(at), static_cast<int>(at + needle.size()));
            return true;
        }
    }
    return false;
}

COptionsDialog::Step CMainFrame::OptionsStep(COptionsDialog& dialog, int nStep)
{
    typedef COptionsDialog::Step Step;
    CTreeCtrl& tree = dialog.GetTree();
    const auto item = [&dialog](COptionsDialog::Page page) { return dialog.GetPage(page)->GetTreeItem(); };
    if (m_nOptionsOpening == 1)
    {
        // The first opening: everything expanded, the first category selected. The user collapses
        // Connection, turns on the advanced settings (the Advanced page appears) and picks Appearance.
        switch (nStep)
        {
        case 0:
            Check(tree.GetSelectedItem() == item(COptionsDialog::General) &&
                      (tree.GetItemState(item(COptionsDialog::Connection), TVIS_EXPANDED) & TVIS_EXPANDED),
                  L"the first opening selects General with every branch expanded");
            RequestScreenshot(L"options-first");
            return Step::Next;
        case 1:
            return WaitForScreenshot(L"options-first") ? Step::Next : Step::Again;
        case 2:
        {
            // On the General page, which is showing.
            CWnd* pGeneral = dialog.GetPage(COptionsDialog::General);
            Check(dialog.GetPage(COptionsDialog::Advanced)->GetTreeItem() == nullptr,
                  L"the Advanced page is hidden while the advanced settings are off");
            pGeneral->GetDlgItem(IDC_SHOW_ADVANCED)->SendMessage(BM_CLICK);
            tree.SelectItem(item(COptionsDialog::Connection));
            // As the Left key collapses a branch for the user: the dialog hears of it.
            tree.SendMessage(WM_KEYDOWN, VK_LEFT, 0);
            tree.SelectItem(item(COptionsDialog::Appearance));
            return Step::Next;
        }
        case 3:
            RequestScreenshot(L"options-changed");
            return Step::Next;
        case 4:
            if (!WaitForScreenshot(L"options-changed"))
                return Step::Again;
            dialog.PostMessage(WM_COMMAND, IDOK);
            return Step::Done;
        }
        return Step::Done;
    }
    // The second opening looks as the first was left: Connection collapsed, Advanced shown, Appearance
    // selected.
    switch (nStep)
    {
    case 0:
        Check(tree.GetSelectedItem() == item(COptionsDialog::Appearance) &&
                  !(tree.GetItemState(item(COptionsDialog::Connection), TVIS_EXPANDED) & TVIS_EXPANDED) &&
                  item(COptionsDialog::Advanced) != nullptr,
              L"the second opening restores the selection, the collapsed branch and the Advanced page");
        RequestScreenshot(L"options-reopened");
        return Step::Next;
    case 1:
        if (!WaitForScreenshot(L"options-reopened"))
            return Step::Again;
        dialog.PostMessage(WM_COMMAND, IDCANCEL);
        return Step::Done;
    }
    return Step::Done;
}

void CMainFrame::OnExitDemo()
{
    SendMessage(WM_CLOSE);
}

void CMainFrame::RequestScreenshot(const wchar_t* name)
{
    const std::wstring base = DemoApp().m_strOutFolder + L"\\" + name;
    DeleteFileW((base + L".png").c_str());
    CloseHandle(
        CreateFileW((base + L".request").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    m_nWaitTicks = 0;
}

bool CMainFrame::Captured(const wchar_t* name) const
{
    const std::wstring picture = DemoApp().m_strOutFolder + L"\\" + name + L".png";
    return GetFileAttributesW(picture.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool CMainFrame::WaitForScreenshot(const wchar_t* name)
{
    return Captured(name) || ++m_nWaitTicks > 50;
}

void CMainFrame::DropDownFileMenu()
{
    // As Alt+F does; the menu's own loop keeps dispatching the script's timer.
    PostMessage(WM_SYSCOMMAND, SC_KEYMENU, L'f');
}

// The first run: the checks, three files opened one after the other, the window moved, the File menu with
// the recent files pictured, Tools > Options opened twice, the Connection window, Edit > Find, Tools > Create
// Certificate, the message box, and the end (which saves the window's place).
bool CMainFrame::FirstRunStep()
{
    switch (m_nStep)
    {
    case 0:
        OnRunChecks();
        OnSettings();
        CreateDirectoryW((DemoApp().m_strOutFolder + L"\\files").c_str(), nullptr);
        for (const auto& sample : kSampleFiles)
        {
            // Written as UTF-8 through the C runtime's encoding option, as a host writes its record files.
            FILE* stream = _wfopen(SamplePath(sample[0]).c_str(), L"w, ccs=UTF-8");
            if (stream == nullptr)
                continue;
            CStdioFile file(stream);
            file.WriteString(sample[1]);
            file.Close();
        }
        for (const auto& sample : kSampleFiles)
            AfxGetApp()->OpenDocumentFile(SamplePath(sample[0]).c_str());
        ShowWindow(SW_RESTORE);
        MoveWindow(kFirstRunRect);
        break;
    case 1:
        DropDownFileMenu();
        break;
    case 2:
        RequestScreenshot(L"run1-recent-files");
        break;
    case 3:
        if (!WaitForScreenshot(L"run1-recent-files"))
            return true;
        EndMenu();
        break;
    case 4:
    case 5:
        m_nOptionsOpening = m_nStep - 3;
        SendMessage(WM_COMMAND, ID_TOOLS_OPTIONS);
        break;
    case 6:
        SendMessage(WM_COMMAND, ID_TOOLS_CONNECTION);
        m_nWaitTicks = 0;
        break;
    case 7:
        return ConnectionStep();
    case 8:
        return FindStep();
    case 9:
        SendMessage(WM_COMMAND, ID_TOOLS_CREATE_CERTIFICATE);
        break;
    case 10:
        SendMessage(WM_COMMAND, ID_DEMO_SHOW_MESSAGE);
        return false;
    }
    ++m_nStep;
    return true;
}

// The Connection window at work: its client echoes through its server until a hundred round trips are done,
// is pictured, disconnected and pictured again, connected anew, and the window closed while it runs.
bool CMainFrame::ConnectionStep()
{
    CConnectionWindow* window = CConnectionWindow::GetOpen();
    typedef CConnectionWindow::ClientState State;
    switch (m_nConnectionStep)
    {
    case 0:
    {
        // The window's sockets do their work in this thread's message loop, between these ticks.
        const bool running = window && window->GetStatus().state != State::Failed;
        if (running && (window->GetLastRoundTrip().roundTrips < 100 || window->GetRoundTripRate() < 0) &&
            ++m_nWaitTicks < 150)
            return true;
        Check(window != nullptr, L"Tools > Connection opens the Connection window");
        if (window == nullptr)
            break;
        const CConnectionWindow::Status& last = window->GetLastRoundTrip();
        Check(last.roundTrips >= 100 && window->GetRoundTripRate() > 0,
              L"the client completed at least 100 round trips through the echo server, their rate measured");
        Check(last.bytesSent > 0 && last.bytesSent == last.bytesReceived,
              L"every byte the client sent came back, counted once");
        Check(window->GetStatus().resolvedByName && !window->GetResolvedAddress().IsEmpty(),
              L"the client connected to localhost through the host's resolver");
        RequestScreenshot(L"connection");
        ++m_nConnectionStep;
        return true;
    }
    case 1:
        if (!WaitForScreenshot(L"connection"))
            return true;
        window->Disconnect();
        Check(window->GetStatus().state == State::Closed &&
                  window->GetStatus().error == ERROR_OPERATION_ABORTED,
              L"Disconnect closes the client and its outstanding read ends with 995");
        RequestScreenshot(L"connection-closed");
        ++m_nConnectionStep;
        return true;
    case 2:
        if (!WaitForScreenshot(L"connection-closed"))
            return true;
        // Connect again, as the button does, and close the window while the client is busy.
        window->GetDlgItem(IDC_CONNECT)->SendMessage(BM_CLICK);
        m_nWaitTicks = 0;
        ++m_nConnectionStep;
        return true;
    case 3:
        if (window->GetStatus().state != State::Failed && window->GetLastRoundTrip().roundTrips < 10 &&
            ++m_nWaitTicks < 150)
            return true;
        Check(window->GetStatus().state == State::Connected && window->GetLastRoundTrip().roundTrips >= 10,
              L"Connect after Disconnect starts a new client that echoes again");
        // As the title bar's close button does; the dialog turns it into Cancel, which it posts.
        window->PostMessage(WM_CLOSE);
        ++m_nConnectionStep;
        return true;
    case 4:
        Check(window == nullptr && CConnectionWindow::LiveObjects() == 0,
              L"closing the Connection window releases every socket, buffer and sink it made");
        break;
    }
    ++m_nStep;
    return true;
}

// Edit > Find over the last sample file: "port" found as "Port" while case does not matter, found again
// by wrapping round, missed once case matters, pictured, and the dialog closed and deleted.
bool CMainFrame::FindStep()
{
    const auto selected = [this]
    {
        int start = 0;
        int end = 0;
        m_view.GetSel(start, end);
        CString text;
        m_view.GetWindowText(text);
        return std::make_pair(start, std::wstring(text.Mid(start, end - start).GetString()));
    };
    const auto findNext = [this](const wchar_t* what)
    {
        m_pFind->SetDlgItemText(edt1, what);
        m_pFind->GetDlgItem(IDOK)->SendMessage(BM_CLICK);
    };
    switch (m_nFindStep)
    {
    case 0:
    {
        ShowFile(SamplePath(kSampleFiles[2][0]).c_str());
        m_view.SetSel(0, 0);
        // Beside the text rather than over it, so that the picture shows the selection.
        CRect frame;
        GetWindowRect(&frame);
        m_findPosition = VPoint(frame.right - 380, frame.bottom - 200);
        SendMessage(WM_COMMAND, ID_EDIT_FIND_DEMO);
        Check(m_pFind != nullptr && m_pFind->IsWindowVisible(), L"Edit > Find opens the find dialog");
        if (m_pFind == nullptr)
            break;
        findNext(L"port");
        const auto first = selected();
        Check(first.second == L"Port", L"Find Next selects \"Port\" for \"port\" while case does not matter");
        const int end = m_view.GetWindowTextLength();
        m_view.SetSel(end, end);
        findNext(L"port");
        Check(selected() == first, L"Find Next at the end of the text wraps round to the first match");
        m_pFind->GetDlgItem(chx2)->SendMessage(BM_CLICK);
        m_view.SetSel(0, 0);
        findNext(L"port");
        Check(selected() == std::make_pair(0, std::wstring()) && (m_pFind->GetFlags() & FR_MATCHCASE),
              L"with Match case on, \"port\" is not found and the selection stays");
        findNext(L"Port");
        Check(selected() == first, L"with Match case on, \"Port\" is found");
        RequestScreenshot(L"find");
        ++m_nFindStep;
        return true;
    }
    case 1:
        if (!WaitForScreenshot(L"find"))
            return true;
        m_pFind->GetDlgItem(IDCANCEL)->SendMessage(BM_CLICK);
        ++m_nFindStep;
        return true;
    case 2:
        // The closed dialog was deleted from the posted message, which came before this tick.
        Check(m_pFind == nullptr && m_strFindText == L"Port" && (m_dwFindFlags & FR_MATCHCASE),
              L"closing the find dialog deletes it and keeps its text and flags for the next opening");
        break;
    }
    ++m_nStep;
    return true;
}

// The second run: the window where the first left it, the same recent files, and the first of them opened
// again from the menu.
bool CMainFrame::SecondRunStep()
{
    switch (m_nStep)
    {
    case 0:
    {
        CRect rect;
        GetWindowRect(&rect);
        const bool placed = rect == kFirstRunRect;
        Check(placed, L"the window is where the first run left it");
        const CRecentFileList& list = *DemoApp().RecentFiles();
        bool listed = list.m_nSize >= 3;
        for (int i = 0; listed && i < 3; ++i)
            listed = list.m_arrNames[i] == SamplePath(kSampleFiles[2 - i][0]).c_str();
        Check(listed, L"the recent files of the first run are listed");
        break;
    }
    case 1:
        DropDownFileMenu();
        break;
    case 2:
        RequestScreenshot(L"run2-restored");
        break;
    case 3:
        if (!WaitForScreenshot(L"run2-restored"))
            return true;
        EndMenu();
        break;
    case 4:
        // The second entry, as a user picks it from the menu.
        SendMessage(WM_COMMAND, ID_FILE_MRU_FILE2);
        break;
    case 5:
        RequestScreenshot(L"run2-reopened");
        break;
    case 6:
        if (!WaitForScreenshot(L"run2-reopened"))
            return true;
        return false;
    }
    ++m_nStep;
    return true;
}

void CMainFrame::OnTimer(UINT_PTR nIDEvent)
{
    // A step that runs a modal loop (the message box, the menu) lets the timer tick inside it; those ticks
    // wait for the step to end.
    if (nIDEvent != kScriptTimer || m_bInStep)
        return;
    m_bInStep = true;
    const bool goesOn = DemoApp().m_nRun == 1 ? FirstRunStep() : SecondRunStep();
    m_bInStep = false;
    if (!goesOn)
    {
        KillTimer(kScriptTimer);
        Log(DemoApp().m_nFailures ? L"Some checks failed." : L"All checks passed.");
        PostMessage(WM_COMMAND, ID_APP_EXIT_DEMO);
    }
}

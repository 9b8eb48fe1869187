#include "MainFrame.h"

#include "CertificateDialogWalk.h"
#include "ConnectionWindow.h"
#include "ControlsDialog.h"
#include "DemoApp.h"
#include "DemoChecks.h"
#include "MarginsDialog.h"
#include "files/VTextFile.h"
#include "frame/Monitors.h"
#include "hostkit/FilePrinter.h"
#include "frame/VMessageBox.h"
#include "frame/VReportMessageParams.h"
#include "dialogs/VPluginPage.h"
#include "settings/VRecentFileList.h"
#include "settings/VSettingsStore.h"
#include "settings/VXtXmlMigrator.h"

#include <afxsettingsstore.h>
#include <commdlg.h>
#include <dlgs.h>
#include <winspool.h>

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

} // namespace

CRect CenteredOnMonitorUnderCursor(const CSize& size)
{
    POINT cursor = {};
    ::GetCursorPos(&cursor);
    const RECT under = {cursor.x, cursor.y, cursor.x + 1, cursor.y + 1};
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    CRect work(0, 0, xGetSystemMetrics(SM_CXSCREEN), xGetSystemMetrics(SM_CYSCREEN));
    if (xGetMonitorInfo(xMonitorFromRect(&under, MONITOR_DEFAULTTONEAREST), &info))
        work = info.rcWork;
    const int cx = std::min<int>(size.cx, work.Width());
    const int cy = std::min<int>(size.cy, work.Height());
    const CPoint topLeft(work.left + (work.Width() - cx) / 2, work.top + (work.Height() - cy) / 2);
    return CRect(topLeft, CSize(cx, cy));
}

std::wstring AnswerMessageBox(const wchar_t* picture, int button)
{
    HWND box = nullptr;
    for (int attempt = 0; attempt < 500 && !box; ++attempt)
    {
        box = FindWindowW(L"#32770", DemoApp().m_pszAppName);
        if (!box)
            Sleep(20);
    }
    if (!box)
        return L"";
    wchar_t text[512] = {};
    // The message box's text is its static control 0xFFFF.
    GetDlgItemTextW(box, 0xFFFF, text, 512);
    // The picture must show the box whole: have its thread paint it before asking for one.
    RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    const std::wstring folder = DemoApp().m_strOutFolder;
    const std::wstring request = folder + L"\\" + picture + L".request";
    const std::wstring png = folder + L"\\" + picture + L".png";
    DeleteFileW(png.c_str());
    CloseHandle(CreateFileW(request.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    for (int attempt = 0; attempt < 500 && GetFileAttributesW(png.c_str()) == INVALID_FILE_ATTRIBUTES;
         ++attempt)
        Sleep(20);
    SendMessageW(GetDlgItem(box, button), BM_CLICK, 0, 0);
    return text;
}

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
ON_COMMAND(ID_TOOLS_CONTROLS, &CMainFrame::OnToolsControls)
ON_COMMAND(ID_TOOLS_CREATE_CERTIFICATE, &CMainFrame::OnToolsCreateCertificate)
ON_COMMAND(ID_EDIT_FIND_DEMO, &CMainFrame::OnEditFind)
ON_COMMAND(ID_FILE_PAGE_SETUP_DEMO, &CMainFrame::OnFilePageSetup)
ON_COMMAND(ID_THEME_COURIER, &CMainFrame::OnThemeCourier)
ON_COMMAND(ID_THEME_LUCIDA, &CMainFrame::OnThemeLucida)
ON_MESSAGE(kFindClosedMessage, &CMainFrame::OnFindClosed)
END_MESSAGE_MAP()

CMainFrame::CMainFrame()
    : m_nStep(0), m_nWaitTicks(0), m_bInStep(false), m_nOptionsOpening(0), m_nConnectionStep(0),
      m_nFindStep(0), m_pFind(nullptr), m_dwFindFlags(FR_DOWN),
      m_findPosition(-1, -1), m_margins{0.75, 0.75, 1, 1}, m_strFontFace(L"Courier New"), m_nFontSize(10),
      m_bMigrated(false), m_nMigrationStep(0)
{
}

CMainFrame::~CMainFrame()
{
    delete m_pFind;
}

CRect CMainFrame::SavedPlacement()
{
    CRect rect = CenteredOnMonitorUnderCursor(CSize(860, 600));
    CSettingsStoreSP maker;
    CSettingsStore& store = maker.Create(FALSE, TRUE);
    CRect saved;
    // A rectangle that lies off every screen (a monitor since removed) is not used.
    if (store.Open(kPlacementKey) && store.Read(kPlacementValue, saved) && saved.Width() > 100 &&
        saved.Height() > 100 && xMonitorFromRect(&saved, MONITOR_DEFAULTTONULL) != nullptr)
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
    SetViewFont(m_strFontFace, m_nFontSize);
    m_view.SetWindowText(L"Open a configuration file with File > Open, or pick one of the recent files.");
    LoadAccelTable(MAKEINTRESOURCEW(IDR_MAINFRAME));
    CreateBars();
    return 0;
}

void CMainFrame::CreateBars()
{
    // The host's own menus, which the customisation attaches where it has Themes and Window.
    m_themesMenu.CreatePopupMenu();
    m_themesMenu.AppendMenu(MF_STRING, ID_THEME_COURIER, L"&Courier New");
    m_themesMenu.AppendMenu(MF_STRING, ID_THEME_LUCIDA, L"&Lucida Console");
    m_windowMenu.CreatePopupMenu();
    m_windowMenu.AppendMenu(MF_STRING, ID_EDIT_FIND_DEMO, L"&Find Window");
    m_windowMenu.AppendMenu(MF_STRING, ID_TOOLS_CONNECTION, L"&Connection Window");

    m_toolImages.SetImageSize(CSize(16, 16));
    m_toolImages.SetTransparentColor(RGB(255, 0, 255));
    m_toolImages.Load(IDB_TOOLBAR);
    CMFCToolBar::SetUserImages(&m_toolImages);
    m_menuBar.Create(this);
    m_toolBar.Create(this);

    // The file an earlier release left in the configuration folder; the demo brings its sample there first.
    const VUnicodeString xmlPath = VSettingsStore::GetXmlFilePath();
    if (!VSettingsStore::HasXmlCustomizeConfig())
    {
        wchar_t program[MAX_PATH] = L"";
        GetModuleFileNameW(nullptr, program, MAX_PATH);
        std::wstring sample = program;
        sample = sample.substr(0, sample.rfind(L'\\') + 1) + L"PardalinDemoMenuToolbar.xml";
        CopyFileW(sample.c_str(), xmlPath.GetString(), TRUE);
    }
    VMap<unsigned int, int> images;
    images[ID_FILE_OPEN_DEMO] = 0;
    images[ID_EDIT_FIND_DEMO] = 1;
    images[ID_TOOLS_OPTIONS] = 2;
    images[ID_TOOLS_CONNECTION] = 3;
    m_menu.CreateMenu();
    // The platform's XML parser is a COM object, needed only while the file is read.
    const bool bCom = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    {
        const VXtXmlMigrator migrator(xmlPath, &m_menu, &m_toolBar, &m_themesMenu, &m_windowMenu, images);
        m_bMigrated = migrator.Loaded() && m_menu.GetMenuItemCount() > 0;
    }
    if (bCom)
        CoUninitialize();

    if (m_bMigrated)
    {
        // The main menu holds the host's menus now, and destroys them with itself.
        for (CMenu* attached : {&m_themesMenu, &m_windowMenu})
            for (int i = 0; i < m_menu.GetMenuItemCount(); ++i)
                if (::GetSubMenu(m_menu, i) == attached->GetSafeHmenu())
                    attached->Detach();
        m_menuBar.CreateFromMenu(m_menu.GetSafeHmenu());
        Log(L"The menu and toolbar customisation migrated from " + std::wstring(xmlPath.GetString()));
    }
    else
    {
        // Without the file: the frame's own menu, and the toolbar the demo ships with.
        m_menuBar.CreateFromMenu(m_hMenuDefault);
        const UINT commands[] = {ID_FILE_OPEN_DEMO, ID_EDIT_FIND_DEMO, ID_TOOLS_OPTIONS, ID_TOOLS_CONNECTION};
        for (int i = 0; i < 4; ++i)
            m_toolBar.InsertButton(CMFCToolBarButton(commands[i], i, nullptr, TRUE));
    }
    // The menu bar takes the window menu's place.
    SetMenu(nullptr);
}

void CMainFrame::SetViewFont(const wchar_t* face, int nPointSize)
{
    m_strFontFace = face;
    m_nFontSize = nPointSize;
    m_font.DeleteObject();
    m_font.CreatePointFont(nPointSize * 10, face);
    m_view.SetFont(&m_font);
}

void CMainFrame::OnThemeCourier()
{
    SetViewFont(L"Courier New", m_nFontSize);
}

void CMainFrame::OnThemeLucida()
{
    SetViewFont(L"Lucida Console", m_nFontSize);
}

void CMainFrame::OnSize(UINT nType, int cx, int cy)
{
    CFrameWnd::OnSize(nType, cx, cy);
    int y = 0;
    for (CMFCToolBar* bar : {static_cast<CMFCToolBar*>(&m_menuBar), &m_toolBar})
    {
        if (!bar->GetSafeHwnd())
            continue;
        const int height = bar->CalcFixedLayout(TRUE, TRUE).cy;
        bar->MoveWindow(0, y, cx, height);
        y += height;
    }
    if (m_view.GetSafeHwnd())
        m_view.MoveWindow(0, y, cx, std::max(cy - y, 0));
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
        answer = std::thread(&AnswerMessageBox, L"message-box", IDYES);
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
        SetViewFont(m_strFontFace, options.nFontSize);
    }
}

void CMainFrame::OnToolsConnection()
{
    if (CConnectionWindow::Show(this) == nullptr)
        Log(L"The Connection window could not be opened.");
}

void CMainFrame::OnFilePageSetup()
{
    VMarginData margins = m_margins;
    CMarginsDialog dialog(margins, this);
    if (DemoApp().m_bScripted)
        dialog.SetScript([this](CMarginsDialog& d, int nStep) { return PageSetupStep(d, nStep); });
    if (dialog.DoModal() != IDOK)
        return;
    m_margins = margins;
    wchar_t line[160];
    swprintf_s(line, L"Page margins: left %.3f, right %.3f, top %.3f, bottom %.3f inches", m_margins.left,
               m_margins.right, m_margins.top, m_margins.bottom);
    Log(line);
    // The scripted walk's printer goes once the margins are taken, giving the default back.
    m_pPrinter.reset();
}

// Page Setup against the default printer: on a machine without one the check names that; the walk then adds
// the host kit's file printer (0.25 inch unprintable at every edge), has a left margin of 0.1 inch refused,
// and takes 0.5 inch.
bool CMainFrame::PageSetupStep(CMarginsDialog& dialog, int nStep)
{
    switch (nStep)
    {
    case 0:
    {
        wchar_t name[MAX_PATH] = {};
        DWORD length = MAX_PATH;
        if (!::GetDefaultPrinterW(name, &length))
        {
            std::thread answer([] { AnswerMessageBox(L"page-setup-no-printer", IDOK); });
            dialog.SendMessage(WM_COMMAND, IDOK);
            answer.join();
            Check(dialog.IsWindowVisible() != FALSE,
                  L"without a default printer Page Setup says so in the host's words and stays open");
        }
        m_pPrinter = std::make_unique<VFilePrinter>(L"Pardalin Demo File Printer");
        Check(m_pPrinter->Install(true), L"the host kit's file printer is added as the default printer");
        dialog.SetDlgItemText(IDC_PRINTER_NAME, m_pPrinter->GetName());
        return true;
    }
    case 1:
    {
        dialog.TypeMargin(0, L"0.1");
        std::wstring text;
        std::thread answer([&text] { text = AnswerMessageBox(L"page-setup-refused", IDOK); });
        dialog.SendMessage(WM_COMMAND, IDOK);
        answer.join();
        Log(L"Page Setup refused a left margin of 0.1 inch: " + text);
        Check(text.rfind(L"The minimum left margin is 0.250", 0) == 0,
              L"a left margin of 0.1 inch is refused with the printer's minimum, 0.250 inch");
        Check(::GetFocus() == dialog.GetDlgItem(IDC_MARGIN_LEFT)->m_hWnd && dialog.IsWindowVisible(),
              L"the refused margin has the focus and the dialog stays open");
        return true;
    }
    case 2:
        dialog.TypeMargin(0, L"0.5");
        dialog.SendMessage(WM_COMMAND, IDOK);
        return false;
    }
    return false;
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
    DropDownMenu(0);
}

void CMainFrame::DropDownMenu(int iButton)
{
    // As a click does; the popup's own loop keeps dispatching the script's timer.
    CRect rect;
    m_menuBar.GetItemRect(iButton, &rect);
    m_menuBar.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rect.CenterPoint().x, rect.CenterPoint().y));
}

bool CMainFrame::MigrationStep()
{
    switch (m_nMigrationStep)
    {
    case 0:
    {
        Check(m_bMigrated, L"the old menu and toolbar customisation was migrated at start-up");
        std::wstring buttons;
        for (int i = 0; i < m_menuBar.GetCount(); ++i)
            buttons += std::wstring(i ? L" " : L"") + m_menuBar.GetButton(i)->m_strText.GetString();
        Check(buttons == L"&File &Edit &Tools &Checks T&hemes &Window",
              L"the menu bar shows the migrated menus, Demo renamed Checks by the user");
        const auto ids = [](HMENU menu)
        {
            std::vector<UINT> result;
            for (int i = 0; i < ::GetMenuItemCount(menu); ++i)
                result.push_back(::GetMenuItemID(menu, i));
            return result;
        };
        Check(ids(::GetSubMenu(m_menu, 2)) == std::vector<UINT>{ID_TOOLS_CONNECTION, ID_TOOLS_CONTROLS,
                                                                ID_TOOLS_CREATE_CERTIFICATE, 0,
                                                                ID_TOOLS_OPTIONS},
              L"the migrated Tools menu holds Connection, Controls, Create Certificate, a separator and "
              L"Options");
        Check(ids(::GetSubMenu(m_menu, 4)) == std::vector<UINT>{ID_THEME_COURIER, ID_THEME_LUCIDA} &&
                  ids(::GetSubMenu(m_menu, 5)) == std::vector<UINT>{ID_EDIT_FIND_DEMO, ID_TOOLS_CONNECTION},
              L"Themes and Window are the demo's own menus");
        std::wstring tools;
        for (int i = 0; i < m_toolBar.GetCount(); ++i)
        {
            const CMFCToolBarButton* button = m_toolBar.GetButton(i);
            tools += std::wstring(i ? L" " : L"") + (button->IsSeparator() ? L"-"
                                                     : button->m_bText
                                                         ? std::wstring(button->m_strText.GetString())
                                                         : std::to_wstring(button->GetImage()));
        }
        Check(tools == L"0 - 1 - 3 2 - Run Checks",
              L"the toolbar has the migrated buttons: images where the demo has one, Run Checks as text, "
              L"Show Message left off");
        // The mouse over Find shows it in full colour, the other images faded.
        CRect find;
        m_toolBar.GetItemRect(m_toolBar.CommandToIndex(ID_EDIT_FIND_DEMO), &find);
        m_toolBar.ClientToScreen(&find);
        SetCursorPos(find.CenterPoint().x, find.CenterPoint().y);
        ++m_nMigrationStep;
        return true;
    }
    case 1:
        // The Window menu, the demo's own, opens clear of the toolbar.
        DropDownMenu(5);
        ++m_nMigrationStep;
        return true;
    case 2:
        RequestScreenshot(L"migrated-toolbar");
        ++m_nMigrationStep;
        return true;
    case 3:
        if (!WaitForScreenshot(L"migrated-toolbar"))
            return true;
        EndMenu();
        break;
    }
    ++m_nStep;
    return true;
}

// The first run: the checks, three files opened one after the other, the window moved, the File menu with
// the recent files pictured, Tools > Options opened twice, the Connection window, Edit > Find, the migrated
// menu bar and toolbar, the Controls dialog, File > Page Setup, Tools > Create Certificate, the message box,
// and the end (which saves the window's place).
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
        return MigrationStep();
    case 10:
        SendMessage(WM_COMMAND, ID_TOOLS_CONTROLS);
        break;
    case 11:
        SendMessage(WM_COMMAND, ID_FILE_PAGE_SETUP_DEMO);
        Check(m_margins.left == 0.5 && m_margins.right == 0.75,
              L"File > Page Setup took the margins the printer can print within");
        break;
    case 12:
        SendMessage(WM_COMMAND, ID_TOOLS_CREATE_CERTIFICATE);
        break;
    case 13:
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

void CMainFrame::OnToolsControls()
{
    CControlsDialog dialog(this);
    if (DemoApp().m_bScripted)
        dialog.SetScript([this](CControlsDialog& d, int nStep) { return ControlsStep(d, nStep); });
    dialog.DoModal();
}

// Tools > Controls: every file shows the image its type calls for, and the dialog is pictured.
bool CMainFrame::ControlsStep(CControlsDialog& dialog, int nStep)
{
    if (nStep > 0)
        return !WaitForScreenshot(L"controls");
    VIconManager& icons = dialog.GetIcons();
    const int unknown = icons.ImageIndex(VIconManager::IMG_UNKNOWN_FILE);
    int count = 0;
    const CControlsDialog::File* files = CControlsDialog::Files(count);
    std::vector<int> ownImages;
    bool bShown = unknown >= 0 && dialog.GetFileList().GetItemCount() == count;
    for (int i = 0; bShown && i < count; ++i)
    {
        LVITEM item = {};
        item.mask = LVIF_IMAGE;
        item.iItem = i;
        dialog.GetFileList().GetItem(&item);
        if (files[i].bKnownType)
        {
            bShown = item.iImage >= 0 && item.iImage != unknown &&
                     std::find(ownImages.begin(), ownImages.end(), item.iImage) == ownImages.end();
            ownImages.push_back(item.iImage);
        }
        else
        {
            bShown = item.iImage == unknown;
        }
    }
    Check(bShown, L"Tools > Controls: each file type shows an image of its own, from its icon file or the "
                  L"registry; a missing icon file and an unknown type show the unknown-file image");
    RequestScreenshot(L"controls");
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

#include "DemoApp.h"

#include "CertificateCommand.h"
#include "MainFrame.h"
#include "SamplePlugin.h"
#include "frame/Pardalin.h"
#include "hostkit/HostnameResolver.h"
#include "hostkit/IniProfileStore.h"
#include "settings/VRecentFileList.h"
#include "settings/VSettingsStore.h"

#include <afxsock.h>
#include <shellapi.h>

namespace
{
CDemoApp theApp;
VIniProfileStoreFactory* g_profileStores = nullptr;

constexpr int kRecentFiles = 6;
constexpr DWORD kToolBarVersion = 1;
constexpr DWORD kMenuBarVersion = 1;

VProfileStoreFactory* ProfileStores()
{
    return g_profileStores;
}
} // namespace

CDemoApp& DemoApp()
{
    return theApp;
}

BEGIN_MESSAGE_MAP(CDemoApp, CWinApp)
ON_COMMAND(ID_HELP, &CDemoApp::OnHelp)
END_MESSAGE_MAP()

CDemoApp::CDemoApp()
    : CWinApp(L"Pardalin Demo"), m_bScripted(false), m_nRun(1), m_nFailures(0), m_nCommandResult(-1),
      m_hPlugin(nullptr)
{
}

VPluginPage* CDemoApp::MakePluginPage()
{
    auto make = m_hPlugin ? reinterpret_cast<SamplePluginMakeFunction>(
                                reinterpret_cast<void*>(GetProcAddress(m_hPlugin, "SamplePluginMake")))
                          : nullptr;
    VPluginPage* pPage = nullptr;
    if (make != nullptr)
        make(&pPage, nullptr, nullptr);
    return pPage;
}

void CDemoApp::OnHelp()
{
    AfxMessageBox(L"The demo keeps its options in demo-profile.ini, in its output folder. Pick a category "
                  L"on the left; Apply saves the changes at once.",
                  MB_ICONINFORMATION);
}

VRecentFileList* CDemoApp::RecentFiles() const
{
    return static_cast<VRecentFileList*>(m_pRecentFileList);
}

CDocument* CDemoApp::OpenDocumentFile(LPCTSTR lpszFileName)
{
    auto* frame = static_cast<CMainFrame*>(m_pMainWnd);
    if (frame == nullptr || !frame->ShowFile(lpszFileName))
        return nullptr;
    RecentFiles()->AddToMostRecent(lpszFileName);
    // The demo has no documents; any non-null pointer tells the framework that the file opened.
    return reinterpret_cast<CDocument*>(frame);
}

BOOL CDemoApp::InitInstance()
{
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    // The command-line mode runs without a window, a profile or an output folder.
    if (arguments && IsCertificateCommand(count, arguments))
    {
        m_nCommandResult = RunCertificateCommand(count, arguments);
        LocalFree(arguments);
        return FALSE;
    }
    for (int i = 1; arguments && i < count; ++i)
    {
        if (wcscmp(arguments[i], L"--scripted") == 0)
            m_bScripted = true;
        else if (wcscmp(arguments[i], L"--out") == 0 && i + 1 < count)
            m_strOutFolder = arguments[++i];
        else if (wcscmp(arguments[i], L"--run") == 0 && i + 1 < count)
            m_nRun = _wtoi(arguments[++i]);
    }
    LocalFree(arguments);
    if (m_strOutFolder.empty())
    {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        m_strOutFolder = std::wstring(temp) + L"PardalinDemo";
    }
    CreateDirectoryW(m_strOutFolder.c_str(), nullptr);

    // The application profile is an INI file in the output folder, so runs never touch the registry.
    free(const_cast<wchar_t*>(m_pszProfileName));
    m_pszProfileName = _wcsdup((m_strOutFolder + L"\\demo-profile.ini").c_str());

    // The host's services: names looked up by the hostkit's resolver, and profiles kept as INI files beside
    // the demo's other output. The settings store writes its key there too, and the framework makes it
    // whenever it saves or loads state.
    const std::wstring profiles = m_strOutFolder + L"\\profiles";
    g_profileStores = new VIniProfileStoreFactory(profiles.c_str());
    PardalinInit(&VHostnameResolverInstance, &ProfileStores);
    VSettingsStore::SetAppName(L"PardalinDemo");
    VSettingsStore::SetAppConfigPath(profiles.c_str());
    VSettingsStore::SetToolBarVersion(kToolBarVersion);
    VSettingsStore::SetMenuBarVersion(kMenuBarVersion);
    CSettingsStoreSP::SetRuntimeClass(RUNTIME_CLASS(VSettingsStore));

    VRecentFileList::UpdateMRUCount(L"Recent File List", L"File%1!d!", m_pRecentFileList, kRecentFiles);
    m_pRecentFileList->m_nStart = ID_FILE_MRU_FILE1;

    // Sockets for the Connection window, the framework's socket support started as a host starts it.
    if (!AfxSocketInit())
        return FALSE;

    // The sample plug-in sits beside the program; without it the options dialog has no Transfers page.
    m_hPlugin = LoadLibraryW(L"SamplePlugin.dll");

    auto* frame = new CMainFrame;
    if (!frame->Create(nullptr, L"Pardalin67U Demo Host", WS_OVERLAPPEDWINDOW, CMainFrame::SavedPlacement(),
                       nullptr, MAKEINTRESOURCEW(IDR_MAINFRAME)))
        return FALSE;
    m_pMainWnd = frame;
    frame->ShowWindow(SW_SHOW);
    frame->UpdateWindow();
    frame->Start();
    return TRUE;
}

int CDemoApp::ExitInstance()
{
    if (m_nCommandResult >= 0)
    {
        CWinApp::ExitInstance();
        return m_nCommandResult;
    }
    // The list is written as it changes; what is left is to let it go before the store does.
    VRecentFileList::UpdateMRUCount(L"Recent File List", L"File%1!d!", m_pRecentFileList, 0);
    VSettingsStore::CleanUp();
    CWinApp::ExitInstance();
    delete g_profileStores;
    g_profileStores = nullptr;
    if (m_hPlugin != nullptr)
        FreeLibrary(m_hPlugin);
    return m_nFailures ? 1 : 0;
}

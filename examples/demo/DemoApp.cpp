#include "DemoApp.h"

#include "MainFrame.h"
#include "frame/Pardalin.h"
#include "hostkit/IniProfileStore.h"

#include <shellapi.h>

namespace
{
CDemoApp theApp;
VIniProfileStoreFactory* g_profileStores = nullptr;

IHostnameResolver* NoResolver()
{
    return nullptr;
}

VProfileStoreFactory* ProfileStores()
{
    return g_profileStores;
}
} // namespace

CDemoApp& DemoApp()
{
    return theApp;
}

CDemoApp::CDemoApp() : CWinApp(L"Pardalin Demo"), m_bScripted(false), m_nFailures(0) {}

BOOL CDemoApp::InitInstance()
{
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 1; arguments && i < count; ++i)
    {
        if (wcscmp(arguments[i], L"--scripted") == 0)
            m_bScripted = true;
        else if (wcscmp(arguments[i], L"--out") == 0 && i + 1 < count)
            m_strOutFolder = arguments[++i];
    }
    LocalFree(arguments);
    if (m_strOutFolder.empty())
    {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        m_strOutFolder = std::wstring(temp) + L"PardalinDemo";
    }
    CreateDirectoryW(m_strOutFolder.c_str(), nullptr);

    // The host's services: profiles kept as INI files beside the demo's other output.
    g_profileStores = new VIniProfileStoreFactory((m_strOutFolder + L"\\profiles").c_str());
    PardalinInit(&NoResolver, &ProfileStores);

    // The application profile is an INI file in the output folder, so runs never touch the registry.
    free(const_cast<wchar_t*>(m_pszProfileName));
    m_pszProfileName = _wcsdup((m_strOutFolder + L"\\demo-profile.ini").c_str());

    auto* frame = new CMainFrame;
    if (!frame->Create(nullptr, L"Pardalin67U Demo Host", WS_OVERLAPPEDWINDOW, CRect(40, 40, 900, 640), nullptr,
                       MAKEINTRESOURCEW(IDR_MAINFRAME)))
        return FALSE;
    m_pMainWnd = frame;
    frame->ShowWindow(SW_SHOW);
    frame->UpdateWindow();
    frame->Start();
    return TRUE;
}

int CDemoApp::ExitInstance()
{
    delete g_profileStores;
    g_profileStores = nullptr;
    CWinApp::ExitInstance();
    return m_nFailures ? 1 : 0;
}

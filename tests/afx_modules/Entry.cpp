// A program whose entry is the framework's (afxmain): the tests start it and read its exit code.
//
// Command line: "fail <code>" makes InitInstance fail and ExitInstance return <code>; "run" starts the
// message loop without a main window, which ends it at once. Any other command line, or a start-up that
// did not name the program, exits with 99.
#include <afxwin.h>

#include <cwchar>

namespace
{
class CEntryApp : public CWinApp
{
public:
    BOOL InitInstance() override
    {
        m_bRan = FALSE;
        if (AfxGetApp() != this || m_pszExeName == nullptr || wcscmp(m_pszExeName, L"AfxTestEntry") != 0 ||
            AfxGetInstanceHandle() != m_hInstance)
        {
            m_nExitCode = 99;
            return FALSE;
        }
        if (wcsncmp(m_lpCmdLine, L"fail ", 5) == 0)
        {
            m_nExitCode = _wtoi(m_lpCmdLine + 5);
            return FALSE;
        }
        if (wcscmp(m_lpCmdLine, L"run") == 0)
        {
            m_bRan = TRUE;
            return TRUE;
        }
        m_nExitCode = 99;
        return FALSE;
    }

    int ExitInstance() override
    {
        // After the loop the code is the loop's (0 from the quit without a main window), marked as such.
        return m_bRan ? 100 + CWinApp::ExitInstance() : m_nExitCode;
    }

private:
    BOOL m_bRan = FALSE;
    int m_nExitCode = 99;
};

CEntryApp theApp;
} // namespace

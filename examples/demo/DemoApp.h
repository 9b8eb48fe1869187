// The demo host's application object: a small viewer of configuration files that keeps its recent files and
// its window's place through the library's settings store and recent file list.
#pragma once

#include "dialogs/VPropertyPageStateMap.h"

#include <afxwin.h>

#include <string>

class VPluginPage;
class VRecentFileList;

class CDemoApp : public CWinApp
{
public:
    CDemoApp();

    // The application's recent file list (made in InitInstance).
    VRecentFileList* RecentFiles() const;

    // Shows the file in the main window and puts it first in the recent files; null when it cannot be read
    // (the framework then drops it from the list).
    CDocument* OpenDocumentFile(LPCTSTR lpszFileName) override;

    // The sample plug-in's page for the options dialog, or null when the plug-in is not there. The caller
    // deletes it.
    VPluginPage* MakePluginPage();

    BOOL InitInstance() override;
    int ExitInstance() override;

    // --make-certificate: make a certificate without any window (see CertificateCommand.h).
    // --scripted: walk through the demo by itself and close; --out <folder>: where logs, files and
    // screenshots go; --run <n>: which run of the scripted walk (the second one finds what the first saved).
    bool m_bScripted;
    int m_nRun;
    std::wstring m_strOutFolder;
    int m_nFailures;
    // The exit code of the command-line mode (--make-certificate), -1 when the demo runs its window.
    int m_nCommandResult;
    // How the options dialog's tree was left, kept for the next opening while the demo runs.
    VPropertyPageStateMap m_optionStates;

protected:
    // The Help buttons of the demo's dialogs: their commands come through the dialog's routing to here.
    afx_msg void OnHelp();
    DECLARE_MESSAGE_MAP()

private:
    HMODULE m_hPlugin;
};

CDemoApp& DemoApp();

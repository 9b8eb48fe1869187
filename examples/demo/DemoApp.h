// The demo host's application object.
#pragma once

#include <afxwin.h>

#include <string>

class CDemoApp : public CWinApp
{
public:
    CDemoApp();
    BOOL InitInstance() override;
    int ExitInstance() override;

    // --scripted: walk through the demo by itself and close; --out <folder>: where logs, files and
    // screenshots go.
    bool m_bScripted;
    std::wstring m_strOutFolder;
    int m_nFailures;
};

CDemoApp& DemoApp();

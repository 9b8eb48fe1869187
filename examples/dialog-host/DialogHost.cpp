// DialogHost.cpp : Defines the class behaviors for the application.
//

#include "pch.h"
#include "framework.h"
#include "DialogHost.h"
#include "DialogHostDlg.h"

#ifdef _DEBUG
#define new DEBUG_NEW
#endif

// CDialogHostApp

BEGIN_MESSAGE_MAP(CDialogHostApp, CWinApp)
END_MESSAGE_MAP()

// CDialogHostApp construction

CDialogHostApp::CDialogHostApp() : m_nExitCode(0)
{
    // TODO: add construction code here,
    // Place all significant initialization in InitInstance
}

// The one and only CDialogHostApp object

CDialogHostApp theApp;

// CDialogHostApp initialization

BOOL CDialogHostApp::InitInstance()
{
    // InitCommonControlsEx() is required on Windows XP if an application manifest specifies use of
    // ComCtl32.dll version 6 or later to enable visual styles. Otherwise, any window creation will fail.
    INITCOMMONCONTROLSEX InitCtrls;
    InitCtrls.dwSize = sizeof(InitCtrls);
    // Set this to include all the common control classes you want to use in your application.
    InitCtrls.dwICC = ICC_WIN95_CLASSES;
    InitCommonControlsEx(&InitCtrls);

    CWinApp::InitInstance();

    // Standard initialization
    // If you are not using these features and wish to reduce the size of your final executable, you
    // should remove from the following the specific initialization routines you do not need
    // Change the registry key under which our settings are stored
    SetRegistryKey(_T("Pardalin67U Examples"));

    CDialogHostDlg dlg;
    m_pMainWnd = &dlg;
    INT_PTR nResponse = dlg.DoModal();
    if (nResponse == IDOK)
    {
        // The dialog was dismissed with OK: its data has been exchanged and validated.
        m_nExitCode = dlg.m_nCount;
    }
    else if (nResponse == IDCANCEL)
    {
        // The dialog was dismissed with Cancel.
        m_nExitCode = 0;
    }
    else if (nResponse == -1)
    {
        TRACE(traceAppMsg, 0,
              "Warning: dialog creation failed, so application is terminating unexpectedly.\n");
        m_nExitCode = -1;
    }

    // Since the dialog has been closed, return FALSE so that we exit the
    //  application, rather than start the application's message pump.
    return FALSE;
}

int CDialogHostApp::ExitInstance()
{
    CWinApp::ExitInstance();
    return m_nExitCode;
}

// DialogHost.h : main header file for the DialogHost application: CDialogHostApp and theApp, the one
// application object, whose InitInstance runs the main dialog
//

#pragma once

#ifndef __AFXWIN_H__
#error "include 'pch.h' before including this file for PCH"
#endif

#include "Resource.h" // main symbols

// CDialogHostApp:
// See DialogHost.cpp for the implementation of this class
//

class CDialogHostApp : public CWinApp
{
public:
    CDialogHostApp();

    // Overrides
public:
    virtual BOOL InitInstance();
    virtual int ExitInstance();

    // Implementation
protected:
    int m_nExitCode; // the count confirmed with OK; 0 after Cancel, -1 when the dialog could not be made

    DECLARE_MESSAGE_MAP()
};

extern CDialogHostApp theApp;

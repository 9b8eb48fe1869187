// The demo's main window: a log of what the demo did, and the commands that do it.
#pragma once

#include "resource.h"

#include <afxwin.h>

#include <string>

class CMainFrame : public CFrameWnd
{
public:
    CMainFrame();
    // Runs the first checks and, in scripted mode, starts walking through the rest.
    void Start();
    void Log(const std::wstring& line);

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    void OnTimer(UINT_PTR nIDEvent);
    void OnRunChecks();
    void OnSettings();
    void OnShowMessage();
    void OnExitDemo();
    DECLARE_MESSAGE_MAP()

private:
    // Asks the runner for a picture of the screen; Captured tells when it is there.
    void RequestScreenshot(const wchar_t* name);
    bool Captured(const wchar_t* name) const;

    CEdit m_log;
    CFont m_font;
    int m_nStep;
    int m_nWaitTicks;
};

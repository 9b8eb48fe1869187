// The demo's main window: a viewer of one configuration file at a time, with the File menu's recent files,
// and the demo's own commands. Its place on the screen is saved through the framework's settings store when
// it closes and restored at the next start.
#pragma once

#include "OptionsDialog.h"
#include "controls/VFindDialog.h"
#include "resource.h"

#include <afxwin.h>

#include <string>

class CMainFrame : public CFrameWnd, private IFindDialogSink
{
public:
    CMainFrame();
    ~CMainFrame() override;

    // The window rectangle saved by the last run, or a default one.
    static CRect SavedPlacement();

    // Shows the file's text; false when it cannot be read.
    bool ShowFile(const wchar_t* path);
    // Runs the first checks and, in scripted mode, starts walking through the rest.
    void Start();
    // A line of the demo's log file (demo.log in the output folder).
    void Log(const std::wstring& line);
    // Logs a check of the scripted walk; a failed one makes the demo end with a failure.
    void Check(bool bPassed, const wchar_t* what);

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    void OnClose();
    void OnTimer(UINT_PTR nIDEvent);
    void OnFileOpen();
    void OnRunChecks();
    void OnSettings();
    void OnShowMessage();
    void OnExitDemo();
    void OnToolsOptions();
    void OnToolsConnection();
    void OnToolsCreateCertificate();
    void OnEditFind();
    LRESULT OnFindClosed(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    // The find dialog's events.
    void OnFindNext() override;
    void OnFindDialogClosing() override;
    void OnFindDialogActivate() override {}
    // Selects the next match of the dialog's text in the view, wrapping; false when there is none.
    bool FindNext(const CString& what, DWORD flags);
    // The scripted walk through Edit > Find.
    bool FindStep();

    void SavePlacement();
    // Asks the runner for a picture of the screen; Captured tells when it is there.
    void RequestScreenshot(const wchar_t* name);
    bool Captured(const wchar_t* name) const;
    // One step of the scripted walk of each run; false once the walk is over.
    bool FirstRunStep();
    bool SecondRunStep();
    // Opens the File menu as a user would, so a screenshot shows the recent files.
    void DropDownFileMenu();
    bool WaitForScreenshot(const wchar_t* name);
    // The scripted walk through Tools > Options at its first and second opening.
    COptionsDialog::Step OptionsStep(COptionsDialog& dialog, int nStep);
    // The scripted walk through Tools > Connection.
    bool ConnectionStep();

    CEdit m_view;
    CFont m_font;
    int m_nStep;
    int m_nWaitTicks;
    bool m_bInStep;
    int m_nOptionsOpening;
    int m_nConnectionStep;
    int m_nFindStep;
    // The open find dialog, and what the next one starts with.
    VFindDialog* m_pFind;
    CString m_strFindText;
    DWORD m_dwFindFlags;
    VPoint m_findPosition;
};

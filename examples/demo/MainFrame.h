// The demo's main window: a viewer of one configuration file at a time, with the File menu's recent files,
// and the demo's own commands, on a menu bar and a toolbar whose layout is migrated at start-up from the
// customisation file an earlier release saved. Its place on the screen is saved through the framework's
// settings store when it closes and restored at the next start.
#pragma once

#include "OptionsDialog.h"
#include "controls/VFindDialog.h"
#include "printing/VValidateMarginsBase.h"
#include "controls/VMFCMenuBar.h"
#include "controls/VToolBarImages.h"
#include "resource.h"

#include <afxtoolbar.h>
#include <afxwin.h>

#include <memory>
#include <string>

class CControlsDialog;
class CMarginsDialog;
class VFilePrinter;

// A rectangle of the given size centred in the work area of the monitor under the mouse pointer, so that a
// window opens where the user is looking.
CRect CenteredOnMonitorUnderCursor(const CSize& size);

// In the scripted walk: waits on another thread for the message box that the calling thread is about to
// show, has it photographed as `picture`.png, presses `button` and returns the box's text.
std::wstring AnswerMessageBox(const wchar_t* picture, int button);

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
    void OnToolsControls();
    void OnToolsCreateCertificate();
    void OnEditFind();
    void OnFilePageSetup();
    void OnThemeCourier();
    void OnThemeLucida();
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

    // Builds the menu bar and the toolbar from the old customisation file (copied into the configuration
    // folder from beside the program when it is not there yet), or from the frame's own menu when the file
    // does not load.
    void CreateBars();
    void SetViewFont(const wchar_t* face, int nPointSize);
    void SavePlacement();
    // Asks the runner for a picture of the screen; Captured tells when it is there.
    void RequestScreenshot(const wchar_t* name);
    bool Captured(const wchar_t* name) const;
    // One step of the scripted walk of each run; false once the walk is over.
    bool FirstRunStep();
    bool SecondRunStep();
    // Opens the File menu as a user would, so a screenshot shows the recent files.
    void DropDownFileMenu();
    // Opens the menu bar's popup at iButton as a click does.
    void DropDownMenu(int iButton);
    // The scripted check of the migrated menu bar and toolbar, pictured with the Tools menu open.
    bool MigrationStep();
    bool WaitForScreenshot(const wchar_t* name);
    // The scripted walk through Tools > Options at its first and second opening.
    COptionsDialog::Step OptionsStep(COptionsDialog& dialog, int nStep);
    // The scripted walk through Tools > Connection.
    bool ConnectionStep();
    // The scripted walk through File > Page Setup: no printer, a refused margin, accepted margins.
    bool PageSetupStep(CMarginsDialog& dialog, int nStep);
    // The scripted walk through Tools > Controls.
    bool ControlsStep(CControlsDialog& dialog, int nStep);

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
    // The page margins File > Page Setup took last, and the file printer the scripted walk adds.
    VMarginData m_margins;
    std::unique_ptr<VFilePrinter> m_pPrinter;
    CString m_strFontFace;
    int m_nFontSize;
    VMFCMenuBar m_menuBar;
    CMFCToolBar m_toolBar;
    VToolBarImages m_toolImages;
    // The migrated main menu, which the menu bar shows, and the host's menus it attaches.
    CMenu m_menu;
    CMenu m_themesMenu;
    CMenu m_windowMenu;
    bool m_bMigrated;
    int m_nMigrationStep;
};

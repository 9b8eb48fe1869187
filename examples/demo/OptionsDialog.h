// The demo's Tools > Options: a property tree dialog over the demo's settings, with pages and sub-pages, an
// Advanced page that the General page shows and hides, and the sample plug-in's page when the plug-in is
// there. The settings live in the application profile; the tree's state lives in the application for as long
// as it runs, so each opening looks like the last one left it.
//
//     DemoOptions options;
//     options.Load(*AfxGetApp());
//     COptionsDialog dialog(options, &theApp.m_optionStates, pMainWnd, pPluginPage);
//     if (dialog.DoModal() == IDOK) ... // options holds the accepted values, already saved
#pragma once

#include "dialogs/VPropertyTreeDialog.h"

#include <afxwin.h>

#include <functional>
#include <memory>
#include <vector>

class VPluginPage;

struct DemoOptions
{
    BOOL bReopenLast = FALSE;
    int nRecentFiles = 6;
    BOOL bShowAdvanced = FALSE;
    CString strHost = L"branch.example.net";
    int nPort = 22;
    int nProxyType = 0; // none, HTTP CONNECT, SOCKS 5
    CString strProxyHost;
    int nProxyPort = 1080;
    int nKeepAlive = 30;
    int nFontSize = 10;
    int nLogLevel = 1;

    // The "Options" section of the application profile; missing values keep their defaults.
    void Load(CWinApp& app);
    void Save(CWinApp& app) const;
};

class COptionsDialog : public VPropertyTreeDialog
{
public:
    enum Page
    {
        General,
        Connection,
        Proxy,
        KeepAlive,
        Appearance,
        Advanced,
        PageCount
    };
    // What a step of a scripted walk asks for next.
    enum class Step
    {
        Next,  // the next step at the next tick
        Again, // this step again at the next tick (waiting for something)
        Done,  // the walk is over
    };
    // One step of a scripted walk through the dialog, run by a timer while the dialog is up.
    typedef std::function<Step(COptionsDialog& dialog, int nStep)> Script;

    // options is edited in place and saved on OK and Apply. pPluginPage (may be null) joins as the last
    // top-level page.
    COptionsDialog(DemoOptions& options, VPropertyPageStateMap* pStates, CWnd* pParent,
                   VPluginPage* pPluginPage);
    ~COptionsDialog() override;

    VPropertyTreePage* GetPage(Page page) const;
    CTreeCtrl& GetTree() { return m_tree; }
    void SetScript(Script script) { m_script = std::move(script); }

    // The General page's "Show advanced settings".
    void ShowAdvanced(bool bShow);

    // Apply is enabled while there are changes not yet saved.
    void SetModified(bool bModified) override;
    void OnApply() override;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()

private:
    // Takes the current page's values and saves them all; false when the current page does not validate.
    bool Save();

    DemoOptions& m_options;
    std::vector<std::unique_ptr<VPropertyTreePage>> m_pages;
    Script m_script;
    int m_nStep;
    bool m_bInStep;
};

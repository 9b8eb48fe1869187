// File > Page Setup: the page margins in inches, taken only when the default printer can print within them
// (the library's margin check, against the printer's page and printable area).
#pragma once

#include "printing/VValidateMarginsBase.h"

#include <afxwin.h>

#include <functional>

class CMarginsDialog : public CDialog
{
public:
    // One step of a scripted walk per timer tick; the step number counts from 0. False ends the walk.
    using Script = std::function<bool(CMarginsDialog&, int nStep)>;

    // The dialog edits `margins`, which it changes only when closed with OK.
    CMarginsDialog(VMarginData& margins, CWnd* pParent);

    void SetScript(Script script) { m_script = std::move(script); }
    // Types a margin into its edit as a user would (0 left, 1 right, 2 top, 3 bottom).
    void TypeMargin(int which, const wchar_t* text);
    // The control of a margin.
    static int MarginControl(int which);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    // Checks the margins against the printer; a refused margin is named and gets the focus.
    void OnOK() override;
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()

private:
    VMarginData& m_margins;
    VMarginData m_edited;
    Script m_script;
    int m_nStep;
    bool m_bInStep;
};

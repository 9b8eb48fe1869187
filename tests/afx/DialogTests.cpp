// Dialogs and data exchange: nothing in the library uses them, so one smoke test runs a modal dialog from a
// resource template through data exchange in both directions.
#include "WndTestResources.h"
#include "WndTestSupport.h"

#include <gtest/gtest.h>

#include <functional>

using wndtest::TestRect;
using wndtest::TextOf;

namespace
{
const UINT WM_APP_SCRIPT = WM_APP + 50;

// Runs a script once the dialog is up (the message is posted from OnInitDialog, so it runs inside the
// modal loop), then whatever the script decides.
class CScriptedDialog : public CDialog
{
public:
    using CDialog::CDialog;
    std::function<void(CScriptedDialog&)> m_script;

    HWND Item(int nID) const { return ::GetDlgItem(m_hWnd, nID); }
    void SetText(int nID, LPCWSTR lpszText) const { ::SetWindowTextW(Item(nID), lpszText); }
    CString Text(int nID) const { return TextOf(Item(nID)); }
    void Click(int nID) const { ::SendMessageW(Item(nID), BM_CLICK, 0, 0); }

    BOOL OnInitDialog() override
    {
        BOOL bFocus = CDialog::OnInitDialog();
        PostMessage(WM_APP_SCRIPT);
        return bFocus;
    }

protected:
    afx_msg LRESULT OnScript(WPARAM, LPARAM)
    {
        if (m_script)
        {
            m_script(*this);
        }
        return 0;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CScriptedDialog, CDialog)
ON_MESSAGE(WM_APP_SCRIPT, &CScriptedDialog::OnScript)
END_MESSAGE_MAP()

class CDataDialog : public CScriptedDialog
{
public:
    explicit CDataDialog(CWnd* pParent = nullptr) : CScriptedDialog(IDD_WND_DATA, pParent) {}

    int m_nNumber = 42;
    CString m_strName = L"alpha";
    int m_nRadio = 2;
    int m_nCombo = 1;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        CScriptedDialog::DoDataExchange(pDX);
        DDX_Text(pDX, IDC_WND_NUMBER, m_nNumber);
        DDV_MinMaxInt(pDX, m_nNumber, -1000, 1000);
        DDX_Text(pDX, IDC_WND_NAME, m_strName);
        DDV_MaxChars(pDX, m_strName, 8);
        DDX_Radio(pDX, IDC_WND_RADIO1, m_nRadio);
        DDX_CBIndex(pDX, IDC_WND_COMBO, m_nCombo);
    }
};

// A top-level owner for the modal dialogs.
class COwner : public CWnd
{
public:
    BOOL Make()
    {
        return CreateEx(0, AfxRegisterWndClass(0), L"Owner", WS_POPUP | WS_VISIBLE,
                        TestRect(200, 150, 500, 400), nullptr, 0);
    }
};

} // namespace

TEST(AfxDialog, ModalDataExchangeSmoke)
{
    COwner owner;
    ASSERT_TRUE(owner.Make());
    CDataDialog dlg(&owner);
    struct Seen
    {
        CString number, name;
        LRESULT radio3 = -1, combo = -1;
        BOOL ownerEnabled = TRUE;
    } seen;
    dlg.m_script = [&](CScriptedDialog& d)
    {
        seen.number = d.Text(IDC_WND_NUMBER);
        seen.name = d.Text(IDC_WND_NAME);
        seen.radio3 = ::SendMessageW(d.Item(IDC_WND_RADIO3), BM_GETCHECK, 0, 0);
        seen.combo = ::SendMessageW(d.Item(IDC_WND_COMBO), CB_GETCURSEL, 0, 0);
        seen.ownerEnabled = owner.IsWindowEnabled();

        d.SetText(IDC_WND_NUMBER, L" -17 ");
        d.SetText(IDC_WND_NAME, L"beta");
        d.Click(IDC_WND_RADIO1);
        ::SendMessageW(d.Item(IDC_WND_COMBO), CB_SETCURSEL, 2, 0);
        d.Click(IDOK);
    };
    EXPECT_EQ(IDOK, dlg.DoModal());

    EXPECT_EQ(CString(L"42"), seen.number);
    EXPECT_EQ(CString(L"alpha"), seen.name);
    EXPECT_EQ(BST_CHECKED, seen.radio3);
    EXPECT_EQ(1, seen.combo); // the template's initialisation data filled the combo box
    EXPECT_FALSE(seen.ownerEnabled);

    EXPECT_EQ(-17, dlg.m_nNumber);
    EXPECT_EQ(CString(L"beta"), dlg.m_strName);
    EXPECT_EQ(0, dlg.m_nRadio);
    EXPECT_EQ(2, dlg.m_nCombo);
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_EQ(nullptr, dlg.m_hWnd);
}

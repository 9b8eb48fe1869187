// Dialogs: modal ones from resource and in-memory templates driven by posted messages, data exchange in
// both directions and its failures, modeless ones with keyboard navigation.
#include "WndTestResources.h"
#include "WndTestSupport.h"

#include "harness/TestApp.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

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
    UINT m_nCount = 7;
    int m_nCheck = 1;
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
        DDX_Text(pDX, IDC_WND_COUNT, m_nCount);
        DDX_Check(pDX, IDC_WND_CHECK, m_nCheck);
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

LRESULT ComboSelection(const CScriptedDialog& dlg)
{
    return ::SendMessageW(dlg.Item(IDC_WND_COMBO), CB_GETCURSEL, 0, 0);
}

CString ComboItem(const CScriptedDialog& dlg, int nIndex)
{
    wchar_t text[64] = {};
    ::SendMessageW(dlg.Item(IDC_WND_COMBO), CB_GETLBTEXT, static_cast<WPARAM>(nIndex),
                   reinterpret_cast<LPARAM>(text));
    return text;
}
} // namespace

/////////////////////////////////////////////////////////////////////////////
// Modal

TEST(AfxDialogModal, OkMovesTheValuesInAndOut)
{
    COwner owner;
    ASSERT_TRUE(owner.Make());
    CDataDialog dlg(&owner);

    struct Seen
    {
        CString number, name, count, comboItem;
        LRESULT check = -1, radio3 = -1, combo = -1;
        BOOL ownerEnabled = TRUE;
        CRect dialog, owner;
    } seen;
    dlg.m_script = [&](CScriptedDialog& d)
    {
        seen.number = d.Text(IDC_WND_NUMBER);
        seen.name = d.Text(IDC_WND_NAME);
        seen.count = d.Text(IDC_WND_COUNT);
        seen.check = ::SendMessageW(d.Item(IDC_WND_CHECK), BM_GETCHECK, 0, 0);
        seen.radio3 = ::SendMessageW(d.Item(IDC_WND_RADIO3), BM_GETCHECK, 0, 0);
        seen.combo = ComboSelection(d);
        seen.comboItem = ComboItem(d, 1);
        seen.ownerEnabled = owner.IsWindowEnabled();
        d.GetWindowRect(&seen.dialog);
        owner.GetWindowRect(&seen.owner);

        d.SetText(IDC_WND_NUMBER, L" -17 ");
        d.SetText(IDC_WND_NAME, L"beta");
        d.SetText(IDC_WND_COUNT, L"4000000000");
        ::SendMessageW(d.Item(IDC_WND_CHECK), BM_SETCHECK, BST_UNCHECKED, 0);
        d.Click(IDC_WND_RADIO1);
        ::SendMessageW(d.Item(IDC_WND_COMBO), CB_SETCURSEL, 2, 0);
        d.Click(IDOK);
    };

    EXPECT_EQ(IDOK, dlg.DoModal());

    // In: the members, and the combo box items from the template's initialisation data.
    EXPECT_EQ(CString(L"42"), seen.number);
    EXPECT_EQ(CString(L"alpha"), seen.name);
    EXPECT_EQ(CString(L"7"), seen.count);
    EXPECT_EQ(BST_CHECKED, seen.check);
    EXPECT_EQ(BST_CHECKED, seen.radio3);
    EXPECT_EQ(1, seen.combo);
    EXPECT_EQ(CString(L"Green"), seen.comboItem);
    // While it ran, the owner was disabled and the dialog centred over it.
    EXPECT_FALSE(seen.ownerEnabled);
    EXPECT_LE(std::abs(seen.dialog.CenterPoint().x - seen.owner.CenterPoint().x), 1);
    EXPECT_LE(std::abs(seen.dialog.CenterPoint().y - seen.owner.CenterPoint().y), 1);

    // Out.
    EXPECT_EQ(-17, dlg.m_nNumber);
    EXPECT_EQ(CString(L"beta"), dlg.m_strName);
    EXPECT_EQ(4000000000u, dlg.m_nCount);
    EXPECT_EQ(0, dlg.m_nCheck);
    EXPECT_EQ(0, dlg.m_nRadio);
    EXPECT_EQ(2, dlg.m_nCombo);

    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_EQ(nullptr, dlg.m_hWnd);
}

TEST(AfxDialogModal, CancelLeavesTheMembersAlone)
{
    CDataDialog dlg;
    dlg.m_script = [](CScriptedDialog& d)
    {
        d.SetText(IDC_WND_NUMBER, L"99");
        d.SetText(IDC_WND_NAME, L"changed");
        d.Click(IDCANCEL);
    };
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(42, dlg.m_nNumber);
    EXPECT_EQ(CString(L"alpha"), dlg.m_strName);

    // Closing the window is cancelling.
    dlg.m_script = [](CScriptedDialog& d) { d.SendMessage(WM_CLOSE); };
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
}

TEST(AfxDialogModal, NonNumberKeepsTheDialogOpenWithTheFieldSelected)
{
    CDataDialog dlg;
    MessageBoxRecorder recorder;
    struct Seen
    {
        bool stillThere = false;
        HWND focus = nullptr;
        HWND field = nullptr;
        DWORD selection = 0;
        BOOL directUpdate = TRUE;
    } seen;
    dlg.m_script = [&](CScriptedDialog& d)
    {
        d.SetText(IDC_WND_NUMBER, L"12abc");
        d.Click(IDOK);
        seen.stillThere = ::IsWindow(d.m_hWnd) && d.ContinueModal();
        seen.focus = ::GetFocus();
        seen.field = d.Item(IDC_WND_NUMBER);
        seen.selection = static_cast<DWORD>(::SendMessageW(d.Item(IDC_WND_NUMBER), EM_GETSEL, 0, 0));
        seen.directUpdate = d.UpdateData(TRUE);

        d.SetText(IDC_WND_NUMBER, L"12");
        d.Click(IDOK);
    };
    EXPECT_EQ(IDOK, dlg.DoModal());

    EXPECT_TRUE(seen.stillThere);
    EXPECT_EQ(seen.field, seen.focus);
    EXPECT_EQ(MAKELONG(0, 5), static_cast<LONG>(seen.selection));
    EXPECT_FALSE(seen.directUpdate);
    ASSERT_EQ(2u, recorder.Boxes().size());
    EXPECT_EQ(CString(L"Please enter an integer."), recorder.Boxes()[0].strPrompt);
    EXPECT_EQ(12, dlg.m_nNumber);
}

TEST(AfxDialogModal, EachValidationTellsTheUserAndKeepsTheDialog)
{
    struct Case
    {
        int nID;
        LPCWSTR lpszText;
        LPCWSTR lpszMessage;
    };
    const Case cases[] = {
        {IDC_WND_NUMBER, L"5000", L"Please enter an integer between -1000 and 1000."},
        {IDC_WND_NUMBER, L"99999999999", L"Please enter an integer."},
        {IDC_WND_NAME, L"123456789", L"Please enter no more than 8 characters."},
        {IDC_WND_COUNT, L"-3", L"Please enter a positive integer."},
        {IDC_WND_COUNT, L"", L"Please enter a positive integer."},
    };
    for (const Case& c : cases)
    {
        CDataDialog dlg;
        MessageBoxRecorder recorder;
        HWND hFocus = nullptr;
        HWND hField = nullptr;
        dlg.m_script = [&](CScriptedDialog& d)
        {
            d.SetText(IDC_WND_COUNT, L"123");
            d.SetText(c.nID, c.lpszText);
            d.Click(IDOK);
            hFocus = ::GetFocus();
            hField = d.Item(c.nID);
            d.Click(IDCANCEL);
        };
        EXPECT_EQ(IDCANCEL, dlg.DoModal()) << c.lpszText;
        ASSERT_EQ(1u, recorder.Boxes().size()) << c.lpszText;
        EXPECT_EQ(CString(c.lpszMessage), recorder.Boxes()[0].strPrompt);
        EXPECT_EQ(hField, hFocus) << c.lpszText;
        // The exchange stopped at the failure: the count, exchanged after the failing field (or failing
        // itself), was not stored.
        EXPECT_EQ(7u, dlg.m_nCount) << c.lpszText;
    }
}

TEST(AfxDialogModal, NameLimitIsGivenToTheEditWhenLoading)
{
    CDataDialog dlg;
    LRESULT nLimit = 0;
    dlg.m_script = [&](CScriptedDialog& d)
    {
        nLimit = ::SendMessageW(d.Item(IDC_WND_NAME), EM_GETLIMITTEXT, 0, 0);
        d.Click(IDCANCEL);
    };
    dlg.DoModal();
    EXPECT_EQ(8, nLimit);
}

namespace
{
class CEndingDialog : public CDialog
{
public:
    CEndingDialog() : CDialog(IDD_WND_DATA) {}
    int m_nInits = 0;
    BOOL OnInitDialog() override
    {
        ++m_nInits;
        EndDialog(IDRETRY);
        return TRUE;
    }
};
} // namespace

TEST(AfxDialogModal, EndDialogDuringInitialisationEndsItAtOnce)
{
    CEndingDialog dlg;
    EXPECT_EQ(IDRETRY, dlg.DoModal());
    EXPECT_EQ(1, dlg.m_nInits);
    EXPECT_EQ(nullptr, dlg.m_hWnd);
}

TEST(AfxDialogModal, MissingTemplateIsReportedAsMinusOne)
{
    CDialog dlg(IDD_WND_MISSING);
    EXPECT_EQ(-1, dlg.DoModal());
    EXPECT_EQ(static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND), ::GetLastError());
}

TEST(AfxDialogModal, QuitMessageEndsTheLoopAndIsPassedOn)
{
    CDataDialog dlg;
    dlg.m_script = [](CScriptedDialog&) { ::PostQuitMessage(3); };
    EXPECT_EQ(-1, dlg.DoModal());
    EXPECT_EQ(nullptr, dlg.m_hWnd);
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(3u, msg.wParam);
}

TEST(AfxDialogModal, TemplateThatPlacesItselfIsNotCentred)
{
    CScriptedDialog dlg(IDD_WND_PLACED);
    CRect rect;
    dlg.m_script = [&](CScriptedDialog& d)
    {
        d.GetWindowRect(&rect);
        d.Click(IDOK);
    };
    EXPECT_EQ(IDOK, dlg.DoModal());
    // 20, 30 dialog units from the screen's corner: a few pixels, nowhere near the middle of the screen.
    EXPECT_LT(rect.left, 100);
    EXPECT_LT(rect.top, 100);
}

namespace
{
// An in-memory template: a caption, one edit (id 300) and an OK button.
class MemoryTemplate
{
public:
    MemoryTemplate()
    {
        DLGTEMPLATE dlg = {};
        dlg.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
        dlg.cdit = 2;
        dlg.cx = 150;
        dlg.cy = 60;
        Add(&dlg, sizeof dlg);
        Word(0);              // no menu
        Word(0);              // the standard class
        Text(L"From memory"); // caption
        Item(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 10, 10, 100, 14, 300, 0x0081,
             L"");
        Item(WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 10, 35, 50, 14, IDOK, 0x0080, L"OK");
    }
    LPCDLGTEMPLATE Get() const { return reinterpret_cast<LPCDLGTEMPLATE>(m_words.data()); }

private:
    void Add(const void* p, size_t n)
    {
        const auto* pWords = static_cast<const WORD*>(p);
        m_words.insert(m_words.end(), pWords, pWords + n / sizeof(WORD));
    }
    void Word(WORD w) { m_words.push_back(w); }
    void Text(LPCWSTR lpsz)
    {
        do
        {
            m_words.push_back(static_cast<WORD>(*lpsz));
        } while (*lpsz++ != L'\0');
    }
    void Item(DWORD dwStyle, short x, short y, short cx, short cy, WORD nID, WORD nClassAtom,
              LPCWSTR lpszText)
    {
        if (m_words.size() % 2 != 0)
        {
            Word(0); // items start on a DWORD boundary
        }
        DLGITEMTEMPLATE item = {dwStyle, 0, x, y, cx, cy, nID};
        Add(&item, sizeof item);
        Word(0xFFFF);
        Word(nClassAtom);
        Text(lpszText);
        Word(0); // no creation data
    }

    std::vector<WORD> m_words;
};

class CMemoryDialog : public CScriptedDialog
{
public:
    CString m_strText = L"from member";

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, 300, m_strText); }
};
} // namespace

TEST(AfxDialogModal, InMemoryTemplateRunsLikeAResourceOne)
{
    MemoryTemplate memory;
    CMemoryDialog dlg;
    ASSERT_TRUE(dlg.InitModalIndirect(memory.Get()));
    CString seen;
    dlg.m_script = [&](CScriptedDialog& d)
    {
        seen = d.Text(300);
        d.SetText(300, L"from user");
        d.Click(IDOK);
    };
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(CString(L"from member"), seen);
    EXPECT_EQ(CString(L"from user"), dlg.m_strText);
}

/////////////////////////////////////////////////////////////////////////////
// Modeless

namespace
{
class CTabsDialog : public CDialog
{
public:
    explicit CTabsDialog(bool* pDeleted = nullptr) : m_pDeleted(pDeleted) {}
    ~CTabsDialog() override
    {
        if (m_pDeleted != nullptr)
        {
            *m_pDeleted = true;
        }
    }
    CEdit m_edit2;

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_WND_EDIT2, m_edit2); }
    void PostNcDestroy() override
    {
        if (m_pDeleted != nullptr)
        {
            delete this;
        }
    }

private:
    bool* m_pDeleted;
};
} // namespace

TEST(AfxDialogModeless, TabMovesTheFocusThroughPreTranslation)
{
    COwner owner;
    ASSERT_TRUE(owner.Make());
    CTabsDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_WND_TABS, &owner));
    dlg.ShowWindow(SW_SHOW);
    HWND hEdit1 = ::GetDlgItem(dlg.m_hWnd, IDC_WND_EDIT1);
    HWND hEdit2 = ::GetDlgItem(dlg.m_hWnd, IDC_WND_EDIT2);
    HWND hEdit3 = ::GetDlgItem(dlg.m_hWnd, IDC_WND_EDIT3);

    // DDX_Control bound the member to its control.
    EXPECT_EQ(hEdit2, dlg.m_edit2.m_hWnd);
    EXPECT_EQ(&dlg.m_edit2, CWnd::FromHandlePermanent(hEdit2));

    dlg.GotoDlgCtrl(CWnd::FromHandle(hEdit1));
    ASSERT_EQ(hEdit1, ::GetFocus());
    // Dispatched without the framework, an edit ignores Tab.
    ::SendMessageW(hEdit1, WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(hEdit1, ::GetFocus());

    // Through the pre-translation a message loop does, the dialog manager moves on. (Checked without
    // pumping in between: another test's window may take the activation away while messages are read.)
    MSG msg = {hEdit1, WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
    EXPECT_TRUE(CWnd::WalkPreTranslateTree(nullptr, &msg));
    EXPECT_EQ(hEdit2, ::GetFocus());
    // Messages that are not input are not the dialog's business.
    msg = {hEdit2, WM_NULL, 0, 0, 0, {0, 0}};
    EXPECT_FALSE(CWnd::WalkPreTranslateTree(nullptr, &msg));

    dlg.NextDlgCtrl();
    EXPECT_EQ(hEdit3, ::GetFocus());
    dlg.PrevDlgCtrl();
    EXPECT_EQ(hEdit2, ::GetFocus());

    dlg.DestroyWindow();
    EXPECT_EQ(nullptr, dlg.m_edit2.m_hWnd);
}

TEST(AfxDialogModeless, DialogThatOwnsItselfIsDeletedWithItsWindow)
{
    bool bDeleted = false;
    auto* pDialog = new CTabsDialog(&bDeleted);
    ASSERT_TRUE(pDialog->Create(IDD_WND_TABS));
    EXPECT_NE(nullptr, pDialog->m_edit2.m_hWnd);
    pDialog->SendMessage(WM_COMMAND, IDCANCEL);
    // A modeless dialog is hidden by EndDialog, not destroyed: it lives until DestroyWindow.
    EXPECT_FALSE(bDeleted);
    pDialog->DestroyWindow();
    EXPECT_TRUE(bDeleted);

    // A missing template is a failed creation: the object is gone as well.
    bDeleted = false;
    pDialog = new CTabsDialog(&bDeleted);
    EXPECT_FALSE(pDialog->Create(IDD_WND_MISSING));
    EXPECT_TRUE(bDeleted);
}

TEST(AfxDialogModeless, CreateIndirectAndTheDefaultButton)
{
    MemoryTemplate memory;
    CMemoryDialog dlg;
    ASSERT_TRUE(dlg.CreateIndirect(memory.Get()));
    EXPECT_EQ(CString(L"from member"), TextOf(::GetDlgItem(dlg.m_hWnd, 300)));

    EXPECT_EQ(static_cast<DWORD>(MAKELONG(IDOK, DC_HASDEFID)), dlg.GetDefID());
    dlg.SetDefID(300);
    EXPECT_EQ(static_cast<DWORD>(MAKELONG(300, DC_HASDEFID)), dlg.GetDefID());

    // Data exchange works on a modeless dialog as on a modal one.
    ::SetWindowTextW(::GetDlgItem(dlg.m_hWnd, 300), L"typed");
    EXPECT_TRUE(dlg.UpdateData());
    EXPECT_EQ(CString(L"typed"), dlg.m_strText);
    dlg.DestroyWindow();
}

namespace
{
class CBrokenDialog : public CDialog
{
public:
    CBrokenDialog() : CDialog(IDD_WND_DATA) {}
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        AfxThrowResourceException();
    }
};
} // namespace

TEST(AfxDialogModal, FailureWhileStartingIsReportedAndEndsTheDialog)
{
    MessageBoxRecorder recorder;
    CBrokenDialog dlg;
    EXPECT_EQ(-1, dlg.DoModal());
    ASSERT_EQ(1u, recorder.Boxes().size());
    EXPECT_EQ(CString(L"A required resource was unavailable."), recorder.Boxes()[0].strPrompt);
    EXPECT_EQ(nullptr, dlg.m_hWnd);
}

// VDialog and VParentable with real windows: templates from a named module, modal and modeless runs,
// cancelled modes, fitted text, parent windows.
#include "dialogs/VDialog.h"
#include "dialogs/VParentable.h"
#include "frame/Pardalin.h"

#include "DialogTestResources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <thread>
#include <vector>

namespace
{
const UINT WM_APP_SCRIPT = WM_APP + 60;
int g_nSequence = 0; // numbers the events the tests put in order

const HINSTANCE g_hTestModule = ::GetModuleHandleW(nullptr);

CRect ChildRect(CWnd& dialog, int nID)
{
    CRect rc;
    dialog.GetDlgItem(nID)->GetWindowRect(&rc);
    dialog.ScreenToClient(&rc);
    return rc;
}

// Notes what the template gave, then runs the script inside the modal loop; a modal run without a script
// ends with IDCANCEL.
class CScriptedDialog : public VDialog
{
public:
    using VDialog::VDialog;
    std::function<void(CScriptedDialog&)> m_script;
    int m_nInitSequence = 0;
    CString m_strCaption;
    int m_nComboItems = -1;

    void SetHelpId(UINT nID) { m_nIDHelp = nID; }

    BOOL OnInitDialog() override
    {
        BOOL bFocus = VDialog::OnInitDialog();
        m_nInitSequence = ++g_nSequence;
        GetWindowText(m_strCaption);
        m_nComboItems = static_cast<int>(SendDlgItemMessage(IDC_DLG_COMBO, CB_GETCOUNT));
        PostMessage(WM_APP_SCRIPT);
        return bFocus;
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_APP_SCRIPT)
            return VDialog::WindowProc(message, wParam, lParam);
        m_script ? m_script(*this) : EndDialog(IDCANCEL);
        return 0;
    }
};

class CCancelModeWnd : public CWnd
{
public:
    std::vector<int> m_cancelModes; // sequence numbers of the WM_CANCELMODE received

    BOOL Make(CWnd* pParent = nullptr, DWORD dwStyle = WS_POPUP)
    {
        return CreateEx(0, AfxRegisterWndClass(0), L"", pParent != nullptr ? WS_CHILD : dwStyle, 0, 0, 200,
                        150, pParent != nullptr ? pParent->m_hWnd : nullptr, nullptr);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_CANCELMODE)
            m_cancelModes.push_back(++g_nSequence);
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// With the library as the current resource module the test program's templates are out of the resource
// chain's reach: only a dialog that names the program's module finds them.
class DialogTemplate : public testing::Test
{
protected:
    VModuleResourceHandle m_library{GetPardalinDll()};
};

// A missing template or no module at all fails the run, and the resource module is put back either way.
TEST_F(DialogTemplate, ModalRunFromTheNamedModule)
{
    EXPECT_EQ(CDialog(IDD_DLG_COLOURS).DoModal(), -1); // unreachable without naming the module
    struct Case
    {
        UINT nID;
        HINSTANCE hModule;
        int nEndCode;
        const wchar_t* lpszCaption;
        int nComboItems; // filled from the RT_DLGINIT data
    } const cases[] = {{IDD_DLG_COLOURS, g_hTestModule, 4242, L"Colours", 2},
                       {IDD_DLG_PLAIN, g_hTestModule, IDOK, L"Plain", 0},
                       {IDD_DLG_MISSING, g_hTestModule, -1, L"", -1},
                       {IDD_DLG_COLOURS, nullptr, -1, L"", -1}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.lpszCaption);
        CScriptedDialog dialog(c.nID, c.hModule, nullptr);
        dialog.m_script = [&c](CScriptedDialog& d) { d.EndDialog(c.nEndCode); };
        EXPECT_EQ(dialog.DoModal(), c.nEndCode);
        EXPECT_EQ(AfxGetResourceHandle(), GetPardalinDll());
        EXPECT_EQ(dialog.m_strCaption, c.lpszCaption);
        EXPECT_EQ(dialog.m_nComboItems, c.nComboItems);
    }
}

TEST_F(DialogTemplate, ModelessCreateInBothForms)
{
    CCancelModeWnd owner;
    ASSERT_TRUE(owner.Make());
    // nHelpId 0: Create(IDD_DLG_COLOURS, &owner), else Create().
    struct
    {
        bool bNoLoad;
        UINT nHelpId;
        HINSTANCE hModule;
        BOOL bCreated;
        HWND hOwner;
    } const cases[] = {
        {true, 0, g_hTestModule, TRUE, owner.m_hWnd},
        {false, IDD_DLG_COLOURS, g_hTestModule, TRUE, owner.m_hWnd},
        {true, IDD_DLG_COLOURS, g_hTestModule, TRUE, nullptr}, // no parent stored without loading
        {false, IDD_DLG_MISSING, g_hTestModule, FALSE, nullptr},
        {true, 0, nullptr, FALSE, nullptr}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.nHelpId);
        CScriptedDialog dialog(IDD_DLG_COLOURS, c.hModule, c.bNoLoad, &owner);
        dialog.SetHelpId(c.nHelpId);
        EXPECT_EQ(c.nHelpId == 0 ? dialog.Create(IDD_DLG_COLOURS, &owner) : dialog.Create(), c.bCreated);
        EXPECT_EQ(AfxGetResourceHandle(), GetPardalinDll());
        EXPECT_EQ(::GetWindow(dialog.GetSafeHwnd(), GW_OWNER), c.hOwner);
        EXPECT_EQ(dialog.m_nComboItems, c.bCreated ? 2 : -1);
        dialog.DestroyWindow();
    }
}

TEST(DialogModal, CancelsTheModesOfParentDescendantsAndCaptureFirst)
{
    for (bool bWithParent : {true, false})
    {
        CCancelModeWnd parent, child, grandchild, capture;
        ASSERT_TRUE(parent.Make() && child.Make(&parent) && grandchild.Make(&child) && capture.Make());
        ::SetCapture(capture.m_hWnd);
        ASSERT_EQ(::GetCapture(), capture.m_hWnd);
        CScriptedDialog dialog(IDD_DLG_PLAIN, g_hTestModule, bWithParent ? &parent : nullptr);
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
        ASSERT_EQ(capture.m_cancelModes.size(), 1u);
        EXPECT_LT(capture.m_cancelModes[0], dialog.m_nInitSequence);
        EXPECT_EQ(::GetCapture(), nullptr);
        for (CCancelModeWnd* pWnd : {&parent, &child, &grandchild})
        {
            // Disabling the owner for the run cancels its mode once more, later.
            ASSERT_EQ(pWnd->m_cancelModes.empty(), !bWithParent);
            EXPECT_TRUE(!bWithParent || pWnd->m_cancelModes[0] < capture.m_cancelModes[0]);
        }
        capture.DestroyWindow();
        parent.DestroyWindow();
    }
}

TEST(DialogResize, FitsTheControlAndMovesTheListedOnes)
{
    VUnicodeString longText;
    for (int i = 0; i < 12; ++i)
        longText += L"Words that wrap in a narrow static control. ";
    struct
    {
        VUnicodeString text;
        std::vector<int> below;
        bool bGrows;
    } const cases[] = {{longText, {IDC_DLG_BELOW1, IDC_DLG_BELOW2}, true},
                       {VUnicodeString(L"Hi"), {IDC_DLG_BELOW2, 9999}, false}}; // 9999 names no control
    const int ids[] = {IDC_DLG_TEXT, IDC_DLG_BELOW1, IDC_DLG_BELOW2, IDC_DLG_SIDE};
    for (const auto& c : cases)
    {
        CScriptedDialog dialog(IDD_DLG_RESIZE, g_hTestModule, true, nullptr);
        ASSERT_TRUE(dialog.Create(IDD_DLG_RESIZE, nullptr));
        std::vector<CRect> before;
        for (int nID : ids)
            before.push_back(ChildRect(dialog, nID));
        CRect rcDialog, rcDialogAfter;
        dialog.GetWindowRect(&rcDialog);
        VArray<int> below;
        std::for_each(c.below.begin(), c.below.end(), [&below](int nID) { below.Add(nID); });

        dialog.ResizeElements(IDC_DLG_TEXT, below, c.text);
        const CRect rcText = ChildRect(dialog, IDC_DLG_TEXT);
        const int delta = rcText.Height() - before[0].Height();
        EXPECT_TRUE(rcText.Height() > 0 && delta != 0 && (delta > 0) == c.bGrows) << delta;
        EXPECT_EQ(rcText, CRect(before[0].TopLeft(), CSize(before[0].Width(), rcText.Height())));
        for (int i = 1; i < 4; ++i)
        {
            const bool bListed = std::find(c.below.begin(), c.below.end(), ids[i]) != c.below.end();
            EXPECT_EQ(ChildRect(dialog, ids[i]) - CPoint(0, bListed ? delta : 0), before[i]) << ids[i];
        }
        dialog.GetWindowRect(&rcDialogAfter);
        rcDialog.bottom += delta;
        EXPECT_EQ(rcDialogAfter, rcDialog);
        dialog.DestroyWindow();
    }
}

struct CParentable : VParentable
{
    CParentable() = default;
    CParentable(CParentable const& other) : VParentable(other) {}
};

TEST(Parentable, MainWindowOfAnMfcThreadThenWhatIsSet)
{
    CCancelModeWnd main, other;
    ASSERT_TRUE(main.Make() && other.Make());
    AfxGetApp()->m_pMainWnd = &main;
    CParentable onMfcThread;
    bool bNullElsewhere = false;
    std::thread([&bNullElsewhere] { bNullElsewhere = CParentable().GetParentWindow() == nullptr; }).join();
    AfxGetApp()->m_pMainWnd = nullptr;
    EXPECT_EQ(onMfcThread.GetParentWindow(), &main);
    EXPECT_TRUE(bNullElsewhere);

    onMfcThread.SetParentWindow(&other);
    CParentable copy(onMfcThread);
    EXPECT_EQ(copy.GetParentWindow(), &other);
    other.DestroyWindow();
    EXPECT_EQ(onMfcThread.GetParentWindow(), nullptr);
    main.DestroyWindow();
}

// The pop-up becomes its owner's last active one only by being activated.
TEST(ParentableFocus, GivesTheLastActivePopupOfTheParent)
{
    CCancelModeWnd owner, popup;
    ASSERT_TRUE(owner.Make(nullptr, WS_POPUP | WS_VISIBLE));
    CParentable parentable;
    parentable.SetParentWindow(&owner);
    EXPECT_EQ(parentable.GetParentWindow(), &owner);
    ASSERT_TRUE(
        popup.CreateEx(0, AfxRegisterWndClass(0), L"", WS_POPUP, 20, 20, 100, 80, owner.m_hWnd, nullptr));
    EXPECT_EQ(parentable.GetParentWindow(), &owner); // never active yet
    ::SetActiveWindow(popup.m_hWnd);
    EXPECT_EQ(parentable.GetParentWindow(), &popup);
    popup.DestroyWindow();
    owner.DestroyWindow();
}
} // namespace

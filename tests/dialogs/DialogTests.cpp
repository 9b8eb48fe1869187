// VDialog: templates from a named module, modal and modeless runs, cancelling modes, fitting a text.
#include "DialogTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>

using namespace dialogtest;

namespace
{
// With the library as the current resource module the test program's templates are out of the resource
// chain's reach: only a dialog that names the program's module finds them.
class DialogTemplate : public testing::Test
{
protected:
    HINSTANCE m_hBefore = nullptr;
    std::unique_ptr<VModuleResourceHandle> m_library;

    void SetUp() override
    {
        ASSERT_NE(GetPardalinDll(), nullptr);
        m_library = std::make_unique<VModuleResourceHandle>(GetPardalinDll());
        m_hBefore = AfxGetResourceHandle();
        ASSERT_EQ(m_hBefore, GetPardalinDll());
    }
    void TearDown() override { m_library.reset(); }
};

TEST_F(DialogTemplate, PlainDialogCannotReachTheTemplates)
{
    CDialog plain(IDD_DLG_COLOURS);
    EXPECT_EQ(plain.DoModal(), -1);
}

TEST_F(DialogTemplate, ModalRunLoadsFromTheNamedModule)
{
    struct Case
    {
        UINT nID;
        int nEndCode;
        const wchar_t* lpszCaption;
        std::vector<CString> comboItems;
    };
    const Case cases[] = {
        {IDD_DLG_COLOURS, 4242, L"Colours", {L"Teal", L"Ochre"}},
        {IDD_DLG_PLAIN, IDOK, L"Plain", {}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.lpszCaption);
        CScriptedDialog dialog(c.nID, TestModule(), nullptr);
        EXPECT_NE(dialog.TemplateResource(), nullptr);
        EXPECT_EQ(dialog.InitResource() != nullptr, !c.comboItems.empty());
        EXPECT_EQ(AfxGetResourceHandle(), m_hBefore);
        int nEndCode = c.nEndCode;
        dialog.m_script = [nEndCode](CScriptedDialog& d) { d.EndDialog(nEndCode); };

        EXPECT_EQ(dialog.DoModal(), c.nEndCode);
        EXPECT_EQ(dialog.m_strCaption, c.lpszCaption);
        EXPECT_EQ(dialog.m_comboItems, c.comboItems);
        EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
        EXPECT_EQ(AfxGetResourceHandle(), m_hBefore);
    }
}

TEST_F(DialogTemplate, MissingTemplateOrModuleFailsAndRestoresTheResourceModule)
{
    struct Case
    {
        const char* name;
        UINT nID;
        HINSTANCE hModule;
    };
    const Case cases[] = {
        {"template missing from the module", IDD_DLG_MISSING, TestModule()},
        {"no module", IDD_DLG_COLOURS, nullptr},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        CScriptedDialog modal(c.nID, c.hModule, nullptr);
        EXPECT_EQ(modal.TemplateResource(), nullptr);
        EXPECT_EQ(modal.InitResource(), nullptr);
        EXPECT_EQ(AfxGetResourceHandle(), m_hBefore);
        EXPECT_EQ(modal.DoModal(), -1);
        EXPECT_EQ(modal.m_nInitSequence, 0);

        CScriptedDialog modeless(c.nID, c.hModule, true, nullptr);
        EXPECT_FALSE(modeless.Create(c.nID, nullptr));
        EXPECT_EQ(modeless.GetSafeHwnd(), nullptr);
        EXPECT_EQ(AfxGetResourceHandle(), m_hBefore);
    }
}

TEST_F(DialogTemplate, NoLoadKeepsNothingUntilCreate)
{
    CScriptedDialog dialog(IDD_DLG_COLOURS, TestModule(), true, nullptr);
    EXPECT_EQ(dialog.TemplateResource(), nullptr);
    EXPECT_EQ(dialog.InitResource(), nullptr);
    EXPECT_EQ(dialog.ParentMember(), nullptr);
    EXPECT_EQ(dialog.DoModal(), -1);

    ASSERT_TRUE(dialog.Create(IDD_DLG_COLOURS, nullptr));
    EXPECT_EQ(dialog.m_strCaption, L"Colours");
    EXPECT_EQ(dialog.m_hResourceAtInit, TestModule());
    EXPECT_EQ(dialog.m_comboItems, (std::vector<CString>{L"Teal", L"Ochre"}));
    EXPECT_EQ(dialog.TemplateResource(), nullptr);
    EXPECT_EQ(AfxGetResourceHandle(), m_hBefore);
    dialog.DestroyWindow();
}

TEST_F(DialogTemplate, ModelessCreateInBothForms)
{
    CCancelModeWnd owner;
    ASSERT_TRUE(owner.CreatePopup(L"Owner"));
    struct Case
    {
        const char* name;
        bool bNoLoad;
        CWnd* pConstructionParent;
        UINT nHelpId;
        bool bExplicit; // Create(id, parent) rather than Create()
        UINT nCreateId;
        BOOL bCreated;
        HWND hOwner;
    };
    const Case cases[] = {
        {"explicit id and parent", true, nullptr, 0, true, IDD_DLG_COLOURS, TRUE, owner.m_hWnd},
        {"help id and loaded parent", false, &owner, IDD_DLG_COLOURS, false, 0, TRUE, owner.m_hWnd},
        {"help id, nothing loaded", true, &owner, IDD_DLG_COLOURS, false, 0, TRUE, nullptr},
        {"help id of a missing template", false, &owner, IDD_DLG_MISSING, false, 0, FALSE, nullptr},
        {"explicit missing id", true, nullptr, 0, true, IDD_DLG_MISSING, FALSE, nullptr},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        CScriptedDialog dialog(IDD_DLG_COLOURS, TestModule(), c.bNoLoad, c.pConstructionParent);
        dialog.SetHelpId(c.nHelpId);
        BOOL bCreated = c.bExplicit ? dialog.Create(c.nCreateId, &owner) : dialog.Create();
        EXPECT_EQ(AfxGetResourceHandle(), m_hBefore);
        ASSERT_EQ(bCreated, c.bCreated);
        if (!bCreated)
        {
            EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
            continue;
        }
        EXPECT_TRUE(::IsWindow(dialog.m_hWnd));
        EXPECT_EQ(::GetWindow(dialog.m_hWnd, GW_OWNER), c.hOwner);
        EXPECT_EQ(dialog.m_strCaption, L"Colours");
        EXPECT_EQ(dialog.m_comboItems.size(), 2u);
        dialog.DestroyWindow();
    }
    owner.DestroyWindow();
}

// A window class without a framework object, whose windows count WM_CANCELMODE.
int g_nRawCancelModes = 0;
LRESULT CALLBACK RawProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CANCELMODE)
    {
        ++g_nRawCancelModes;
    }
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

HWND CreateRawChild(HWND hWndParent)
{
    static ATOM atom = []
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = RawProc;
        wc.hInstance = TestModule();
        wc.lpszClassName = L"DialogTestRaw";
        return ::RegisterClassW(&wc);
    }();
    return ::CreateWindowExW(0, MAKEINTATOM(atom), L"", WS_CHILD, 0, 0, 10, 10, hWndParent, nullptr,
                             TestModule(), nullptr);
}

TEST(DialogModal, CancelsTheModesOfParentDescendantsAndCaptureFirst)
{
    for (bool bWithParent : {true, false})
    {
        SCOPED_TRACE(bWithParent ? "with parent" : "without parent");
        CCancelModeWnd parent;
        CCancelModeWnd child;
        CCancelModeWnd grandchild;
        CCancelModeWnd capture;
        ASSERT_TRUE(parent.CreatePopup(L"Parent"));
        ASSERT_TRUE(child.CreateChild(&parent, 1));
        ASSERT_TRUE(grandchild.CreateChild(&child, 2));
        HWND hRaw = CreateRawChild(parent.m_hWnd);
        ASSERT_NE(hRaw, nullptr);
        ASSERT_TRUE(capture.CreatePopup(L"Capture"));
        ::SetCapture(capture.m_hWnd);
        ASSERT_EQ(::GetCapture(), capture.m_hWnd);
        g_nRawCancelModes = 0;

        CScriptedDialog dialog(IDD_DLG_PLAIN, TestModule(), bWithParent ? &parent : nullptr);
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);

        ASSERT_EQ(capture.m_cancelModes.size(), 1u);
        EXPECT_LT(capture.m_cancelModes[0], dialog.m_nInitSequence);
        EXPECT_NE(::GetCapture(), capture.m_hWnd);
        EXPECT_EQ(g_nRawCancelModes, 0);
        for (CCancelModeWnd* pWnd : {&parent, &child, &grandchild})
        {
            if (!bWithParent)
            {
                EXPECT_TRUE(pWnd->m_cancelModes.empty());
                continue;
            }
            // Disabling the owner for the modal run cancels its mode once more, later.
            ASSERT_FALSE(pWnd->m_cancelModes.empty());
            EXPECT_LT(pWnd->m_cancelModes[0], capture.m_cancelModes[0]);
        }
        capture.DestroyWindow();
        parent.DestroyWindow();
    }
}

TEST(DialogResize, FitsTheControlAndMovesTheListedOnes)
{
    const VUnicodeString longText(
        L"This sentence is long enough to wrap over many lines of a narrow static control, and then some "
        L"more words follow so that it needs more lines than the control has room for: one, two, three, "
        L"four, five, six, seven, eight, nine, ten, eleven, twelve, thirteen, fourteen, fifteen, sixteen.");
    const VUnicodeString shortText(L"Hi");
    struct Case
    {
        const char* name;
        const VUnicodeString& text;
        std::vector<int> below;
        int nGrowth; // sign of the change
    };
    const Case cases[] = {
        {"long text, two below", longText, {IDC_DLG_BELOW1, IDC_DLG_BELOW2}, 1},
        {"short text, two below", shortText, {IDC_DLG_BELOW2, IDC_DLG_BELOW1}, -1},
        {"long text, none below", longText, {}, 1},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        CScriptedDialog dialog(IDD_DLG_RESIZE, TestModule(), true, nullptr);
        ASSERT_TRUE(dialog.Create(IDD_DLG_RESIZE, nullptr));
        const int ids[] = {IDC_DLG_TEXT, IDC_DLG_BELOW1, IDC_DLG_BELOW2, IDC_DLG_SIDE};
        std::map<int, CRect> before;
        for (int nID : ids)
        {
            before[nID] = ChildRect(::GetDlgItem(dialog.m_hWnd, nID));
        }
        CRect rcDialogBefore;
        dialog.GetWindowRect(&rcDialogBefore);

        VArray<int> below;
        for (int nID : c.below)
        {
            below.Add(nID);
        }
        dialog.ResizeElements(IDC_DLG_TEXT, below, c.text);

        CRect rcText = ChildRect(::GetDlgItem(dialog.m_hWnd, IDC_DLG_TEXT));
        const CRect& rcOld = before[IDC_DLG_TEXT];
        int delta = rcText.Height() - rcOld.Height();
        EXPECT_EQ(delta > 0 ? 1 : delta < 0 ? -1 : 0, c.nGrowth);
        EXPECT_GT(rcText.Height(), 0);
        EXPECT_EQ(rcText.TopLeft(), rcOld.TopLeft());
        EXPECT_EQ(rcText.Width(), rcOld.Width());
        EXPECT_EQ(TextOf(::GetDlgItem(dialog.m_hWnd, IDC_DLG_TEXT)), L"");
        for (int nID : {IDC_DLG_BELOW1, IDC_DLG_BELOW2, IDC_DLG_SIDE})
        {
            bool bListed = std::find(c.below.begin(), c.below.end(), nID) != c.below.end();
            CRect rcExpected = before[nID];
            rcExpected.OffsetRect(0, bListed ? delta : 0);
            EXPECT_EQ(ChildRect(::GetDlgItem(dialog.m_hWnd, nID)), rcExpected) << "control " << nID;
        }
        CRect rcDialog;
        dialog.GetWindowRect(&rcDialog);
        EXPECT_EQ(rcDialog.TopLeft(), rcDialogBefore.TopLeft());
        EXPECT_EQ(rcDialog.Width(), rcDialogBefore.Width());
        EXPECT_EQ(rcDialog.Height(), rcDialogBefore.Height() + delta);
        dialog.DestroyWindow();
    }
}

TEST(DialogResize, UnknownControlChangesNothing)
{
    CScriptedDialog dialog(IDD_DLG_RESIZE, TestModule(), true, nullptr);
    ASSERT_TRUE(dialog.Create(IDD_DLG_RESIZE, nullptr));
    VArray<int> below;
    below.Add(IDC_DLG_BELOW1);
    CRect rcBefore = ChildRect(::GetDlgItem(dialog.m_hWnd, IDC_DLG_BELOW1));
    // A control the dialog does not have changes nothing.
    dialog.ResizeElements(IDD_DLG_MISSING, below, VUnicodeString(L"text"));
    EXPECT_EQ(ChildRect(::GetDlgItem(dialog.m_hWnd, IDC_DLG_BELOW1)), rcBefore);
    dialog.DestroyWindow();
}
} // namespace

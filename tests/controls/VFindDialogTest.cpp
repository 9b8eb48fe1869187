// VFindDialog with the system's real find dialog: placement, the flags it keeps, events reaching the sink,
// showing and hiding, closing and deleting.
#include "controls/VFindDialog.h"

#include <gtest/gtest.h>

#include <dlgs.h>

#include <string>

namespace
{
struct RecordingSink : IFindDialogSink
{
    VFindDialog* pDialog = nullptr;
    int nNext = 0, nClosing = 0, nActivate = 0;
    std::wstring strFound;
    DWORD dwFlagsFound = 0;

    void OnFindNext() override
    {
        ++nNext;
        strFound = pDialog->GetString().GetString();
        dwFlagsFound = pDialog->GetFlags();
    }
    void OnFindDialogClosing() override { ++nClosing; }
    void OnFindDialogActivate() override { ++nActivate; }
};

class ControlsFindDialogFocus : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.CreateEx(0, AfxRegisterWndClass(0), L"Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                                    0, 400, 300, nullptr, nullptr));
    }
    void TearDown() override { m_host.DestroyWindow(); }

    CWnd m_host;
    RecordingSink m_sink;
};

TEST_F(ControlsFindDialogFocus, EventsReachTheSinkWithTheTextAndFlags)
{
    HWND hHelper = nullptr;
    {
        // Bits beyond direction, whole word and match case are dropped; the dialog shows the three.
        VFindDialog dialog(L"needle", 0xFFFFFFFF, &m_sink, &m_host);
        m_sink.pDialog = &dialog;
        ASSERT_TRUE(dialog.Create(VPoint(120, 90)));
        EXPECT_EQ(VPoint(120, 90), dialog.GetPosition());
        EXPECT_EQ(BST_CHECKED, dialog.IsDlgButtonChecked(chx1));
        EXPECT_EQ(BST_CHECKED, dialog.IsDlgButtonChecked(chx2));
        EXPECT_EQ(BST_CHECKED, dialog.IsDlgButtonChecked(rad2));

        // The helper: an invisible, empty child of the host that owns the dialog.
        hHelper = ::FindWindowExW(m_host.m_hWnd, nullptr, nullptr, L"VFindDialog Sink");
        ASSERT_NE(nullptr, hHelper);
        CRect rcHelper;
        ::GetWindowRect(hHelper, &rcHelper);
        EXPECT_TRUE(rcHelper.IsRectEmpty());
        EXPECT_FALSE(::IsWindowVisible(hHelper));
        EXPECT_EQ(::GetAncestor(hHelper, GA_ROOT), ::GetWindow(dialog.m_hWnd, GW_OWNER));

        dialog.SetDlgItemText(edt1, L"needle two");
        dialog.CheckDlgButton(chx2, BST_UNCHECKED);
        dialog.SendMessage(WM_COMMAND, IDOK);
        EXPECT_EQ(1, m_sink.nNext);
        EXPECT_EQ(L"needle two", m_sink.strFound);
        EXPECT_EQ(DWORD(FR_FINDNEXT | FR_DOWN | FR_WHOLEWORD), m_sink.dwFlagsFound & ~DWORD(FR_ENABLEHOOK));

        // Hidden, then shown again without activation and without moving; then moved and activated.
        dialog.Hide();
        EXPECT_FALSE(dialog.IsWindowVisible());
        const int nActivated = m_sink.nActivate;
        dialog.BringToTop(VPoint(-1, -1), false);
        EXPECT_TRUE(dialog.IsWindowVisible());
        EXPECT_NE(dialog.m_hWnd, ::GetActiveWindow());
        EXPECT_EQ(VPoint(120, 90), dialog.GetPosition());
        dialog.Hide();
        dialog.BringToTop(VPoint(200, 150), true);
        EXPECT_EQ(VPoint(200, 150), dialog.GetPosition());
        EXPECT_EQ(dialog.m_hWnd, ::GetActiveWindow());
        EXPECT_GT(m_sink.nActivate, nActivated);

        // The user closes it: the sink hears it, the window goes, the text stays readable.
        dialog.SendMessage(WM_COMMAND, IDCANCEL);
        EXPECT_EQ(1, m_sink.nClosing);
        EXPECT_EQ(nullptr, dialog.m_hWnd);
        EXPECT_EQ(VPoint(-1, -1), dialog.GetPosition());
        EXPECT_EQ(L"needle two", std::wstring(dialog.GetString().GetString()));
        EXPECT_TRUE(::IsWindow(hHelper));
    }
    EXPECT_FALSE(::IsWindow(hHelper)) << "deleting the dialog destroys its helper";
    EXPECT_EQ(1, m_sink.nNext);
}

TEST_F(ControlsFindDialogFocus, PlacementParentsAndLongTexts)
{
    VFindDialog orphan(L"x", 0, &m_sink, nullptr);
    EXPECT_FALSE(orphan.Create(VPoint(10, 10))) << "no parent window for the helper";
    EXPECT_EQ(nullptr, orphan.m_hWnd);

    HWND hDialog = nullptr;
    {
        // The system's placement, and a text cut to the buffer; deleted while open, without a closing call.
        VFindDialog dialog(std::wstring(10000, L'\x3a9').c_str(), FR_DOWN, &m_sink, &m_host);
        m_sink.pDialog = &dialog;
        ASSERT_TRUE(dialog.Create(VPoint(-1, -1)));
        hDialog = dialog.m_hWnd;
        EXPECT_NE(VPoint(-1, -1), dialog.GetPosition());
        EXPECT_EQ(1023, dialog.GetString().GetLength());
        EXPECT_EQ(1023, dialog.GetDlgItem(edt1)->GetWindowTextLength());
    }
    EXPECT_FALSE(::IsWindow(hDialog));
    EXPECT_EQ(0, m_sink.nClosing);
}
} // namespace

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

TEST(ControlsFindDialogFocus, EventsReachTheSinkAndTheDialogGoesWhereItIsTold)
{
    RecordingSink sink;
    VFindDialog orphan(L"x", 0, &sink, nullptr);
    EXPECT_FALSE(orphan.Create(VPoint(10, 10))) << "no parent window for the helper";
    EXPECT_EQ(nullptr, orphan.m_hWnd);

    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), L"Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400,
                              300, nullptr, nullptr));
    HWND hHelper = nullptr;
    {
        // Bits beyond direction, whole word and match case are dropped; the dialog shows the three.
        VFindDialog dialog(L"needle", 0xFFFFFFFF, &sink, &host);
        sink.pDialog = &dialog;
        ASSERT_TRUE(dialog.Create(VPoint(120, 90)));
        EXPECT_EQ(VPoint(120, 90), dialog.GetPosition());
        for (int nID : {chx1, chx2, rad2})
            EXPECT_EQ(BST_CHECKED, dialog.IsDlgButtonChecked(nID)) << nID;

        // The helper: an invisible, empty child of the host, owner of the dialog.
        hHelper = ::FindWindowExW(host.m_hWnd, nullptr, nullptr, L"VFindDialog Sink");
        ASSERT_NE(nullptr, hHelper);
        CRect rcHelper;
        ::GetWindowRect(hHelper, &rcHelper);
        EXPECT_TRUE(rcHelper.IsRectEmpty() && !::IsWindowVisible(hHelper));

        dialog.SetDlgItemText(edt1, L"needle two");
        dialog.CheckDlgButton(chx2, BST_UNCHECKED);
        dialog.SendMessage(WM_COMMAND, IDOK);
        EXPECT_EQ(1, sink.nNext);
        EXPECT_EQ(L"needle two", sink.strFound);
        EXPECT_EQ(DWORD(FR_FINDNEXT | FR_DOWN | FR_WHOLEWORD), sink.dwFlagsFound & ~DWORD(FR_ENABLEHOOK));

        // Hidden, then shown again without activation and without moving; then moved and activated.
        dialog.Hide();
        EXPECT_FALSE(dialog.IsWindowVisible());
        const int nActivated = sink.nActivate;
        dialog.BringToTop(VPoint(-1, -1), false);
        EXPECT_TRUE(dialog.IsWindowVisible());
        EXPECT_NE(dialog.m_hWnd, ::GetActiveWindow());
        EXPECT_EQ(VPoint(120, 90), dialog.GetPosition());
        dialog.Hide();
        dialog.BringToTop(VPoint(200, 150), true);
        EXPECT_EQ(VPoint(200, 150), dialog.GetPosition());
        EXPECT_EQ(dialog.m_hWnd, ::GetActiveWindow());
        EXPECT_GT(sink.nActivate, nActivated);

        // The user closes it: the sink hears it, the window goes, the text stays readable.
        dialog.SendMessage(WM_COMMAND, IDCANCEL);
        EXPECT_EQ(1, sink.nClosing);
        EXPECT_EQ(nullptr, dialog.m_hWnd);
        EXPECT_EQ(L"needle two", std::wstring(dialog.GetString().GetString()));
    }
    EXPECT_FALSE(::IsWindow(hHelper)) << "deleting the dialog destroys its helper";

    HWND hDialog = nullptr;
    {
        // The system's placement, a text cut to the buffer; deleted while open, without a closing call.
        VFindDialog dialog(std::wstring(10000, L'\x3a9').c_str(), FR_DOWN, &sink, &host);
        ASSERT_TRUE(dialog.Create(VPoint(-1, -1)));
        hDialog = dialog.m_hWnd;
        EXPECT_NE(VPoint(-1, -1), dialog.GetPosition());
        EXPECT_EQ(1023, dialog.GetString().GetLength());
        EXPECT_EQ(1023, dialog.GetDlgItem(edt1)->GetWindowTextLength());
    }
    EXPECT_FALSE(::IsWindow(hDialog));
    EXPECT_EQ(1, sink.nClosing);
    host.DestroyWindow();
}
} // namespace

// Message boxes with an owner are real windows: a watcher thread finds the box, reads what it shows and
// presses a button, as a user would.
#include "frame/Pardalin.h"
#include "frame/VMessageBox.h"
#include "frame/VReportMessageParams.h"
#include "harness/MessageBoxWatcher.h"
#include "harness/TestApp.h"

#include <afxwin.h>

#include <gtest/gtest.h>

#include <string>
#include "PardalinMessages.h"

namespace
{
class FrameMessageBox : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), L"Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                   CRect(10, 10, 300, 200), nullptr, 0));
    }
    void TearDown() override { owner.DestroyWindow(); }

    int Show(SeenBox& seen, int button, const wchar_t* text, UINT type, const wchar_t* caption)
    {
        BoxWatcher watcher(button);
        const int result = VMessageBox(&owner, text, type, caption);
        seen = watcher.Seen();
        return result;
    }

    CWnd owner;
};
} // namespace

TEST_F(FrameMessageBox, YesNoAsksWithTheApplicationNameAsCaption)
{
    SeenBox seen;
    EXPECT_EQ(IDNO, Show(seen, IDNO, L"Overwrite the file?", MB_YESNO, nullptr));
    ASSERT_TRUE(seen.bFound);
    EXPECT_EQ(std::wstring(VGetAppName()), seen.strCaption);
    EXPECT_EQ(L"Overwrite the file?", seen.strText);
    EXPECT_EQ(LoadIconW(nullptr, IDI_QUESTION), seen.hIcon);
}

TEST_F(FrameMessageBox, OkWarnsAndRetryCancelStaysPlain)
{
    SeenBox warning;
    EXPECT_EQ(IDOK, Show(warning, IDOK, L"Careful", MB_OK, L"Own caption"));
    ASSERT_TRUE(warning.bFound);
    EXPECT_EQ(L"Own caption", warning.strCaption);
    EXPECT_EQ(LoadIconW(nullptr, IDI_EXCLAMATION), warning.hIcon);

    SeenBox plain;
    EXPECT_EQ(IDRETRY, Show(plain, IDRETRY, L"Try again?", MB_RETRYCANCEL, nullptr));
    ASSERT_TRUE(plain.bFound);
    EXPECT_EQ(nullptr, plain.hIcon) << "retry/cancel gets no icon";
}

TEST_F(FrameMessageBox, AnIconGivenIsKept)
{
    SeenBox seen;
    EXPECT_EQ(IDOK, Show(seen, IDOK, L"Stopped", MB_OK | MB_ICONSTOP, nullptr));
    ASSERT_TRUE(seen.bFound);
    EXPECT_EQ(LoadIconW(nullptr, IDI_HAND), seen.hIcon);
}

TEST_F(FrameMessageBox, ParametersShowTheirText)
{
    VReportMessageParams params(MSG_FOLDER_NOT_VALID);
    params.AddInsert(L"C:\\x");
    BoxWatcher watcher(IDOK);
    EXPECT_EQ(IDOK, VMessageBox(&owner, &params, MB_OK, nullptr));
    const SeenBox& seen = watcher.Seen();
    ASSERT_TRUE(seen.bFound);
    EXPECT_NE(std::wstring::npos, seen.strText.find(L"The folder is not valid:"))
        << std::string(seen.strText.begin(), seen.strText.end());
    EXPECT_NE(std::wstring::npos, seen.strText.find(L"'C:\\x'"));
}

TEST(FrameMessageBoxWithoutOwner, GoesThroughTheApplication)
{
    MessageBoxRecorder recorder(IDCANCEL);
    EXPECT_EQ(IDCANCEL, VMessageBox(nullptr, L"First", MB_OKCANCEL, L"ignored caption"));
    EXPECT_EQ(IDCANCEL, VMessageBox(L"Second", MB_YESNO, nullptr));
    VReportMessageParams params(0x6133000A);
    EXPECT_EQ(IDCANCEL, VMessageBox(&params, MB_YESNO | MB_ICONWARNING, nullptr));

    const auto boxes = recorder.Boxes();
    ASSERT_EQ(3u, boxes.size());
    EXPECT_STREQ(L"First", boxes[0].strPrompt);
    EXPECT_EQ(static_cast<UINT>(MB_OKCANCEL), boxes[0].nType) << "no icon is added without an owner";
    EXPECT_EQ(static_cast<UINT>(MB_YESNO), boxes[1].nType);
    EXPECT_STREQ(L"The certificate file already exists.  Do you want to overwrite it?\r\n",
                 boxes[2].strPrompt);
    EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONWARNING), boxes[2].nType);
}

// Message boxes with an owner are real windows: the test reads what the box shows and presses a button, as a
// user would.
#include "frame/Pardalin.h"
#include "frame/VMessageBox.h"
#include "frame/VReportMessageParams.h"
#include "harness/DialogAnswerer.h"
#include "harness/TestApp.h"

#include <afxwin.h>

#include <gtest/gtest.h>

#include <string>
#include "PardalinMessages.h"

TEST(FrameMessageBox, TheIconFollowsTheButtonsAndTheCaptionDefaultsToTheApplicationsName)
{
    CWnd owner; // destroys its window when it goes
    ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), L"Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                               CRect(10, 10, 300, 200), nullptr, 0));
    const struct
    {
        UINT type;
        int button;
        const wchar_t* caption;
        const wchar_t* icon; // null: no icon
    } cases[] = {{MB_YESNO, IDNO, nullptr, IDI_QUESTION},
                 {MB_OK, IDOK, L"Own caption", IDI_EXCLAMATION},
                 {MB_RETRYCANCEL, IDRETRY, nullptr, nullptr},
                 {MB_OK | MB_ICONSTOP, IDOK, nullptr, IDI_HAND}}; // an icon given is kept
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.type);
        DialogAnswerer box(DialogAnswerer::Press(c.button));
        EXPECT_EQ(c.button, VMessageBox(&owner, L"Overwrite the file?", c.type, c.caption));
        ASSERT_EQ(1, box.Count());
        EXPECT_EQ(std::wstring(c.caption ? c.caption : VGetAppName()), box.Caption());
        EXPECT_EQ(L"Overwrite the file?", box.Text());
        EXPECT_EQ(c.icon ? LoadIconW(nullptr, c.icon) : nullptr, box.Icon());
    }
}

TEST(FrameMessageBoxWithoutOwner, GoesThroughTheApplication)
{
    MessageBoxRecorder recorder(IDCANCEL);
    EXPECT_EQ(IDCANCEL, VMessageBox(nullptr, L"First", MB_OKCANCEL, L"ignored caption"));
    EXPECT_EQ(IDCANCEL, VMessageBox(L"Second", MB_YESNO, nullptr));
    VReportMessageParams params(MSG_CERTIFICATE_FILE_EXISTS);
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

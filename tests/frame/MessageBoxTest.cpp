// Message boxes with an owner are real windows: a watcher thread finds the box, reads what it shows and
// presses a button, as a user would.
#include "frame/Pardalin.h"
#include "frame/VMessageBox.h"
#include "frame/VReportMessageParams.h"
#include "harness/TestApp.h"

#include <afxwin.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace
{
struct SeenBox
{
    bool found = false;
    std::wstring caption;
    std::wstring text;
    HICON icon = nullptr;
    bool hasIconControl = false;
};

struct FindContext
{
    DWORD processId;
    HWND box;
};

BOOL CALLBACK FindBox(HWND window, LPARAM param)
{
    auto* context = reinterpret_cast<FindContext*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t className[32] = {};
    GetClassNameW(window, className, 32);
    if (process == context->processId && wcscmp(className, L"#32770") == 0 && IsWindowVisible(window))
    {
        context->box = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindIcon(HWND child, LPARAM param)
{
    auto* seen = reinterpret_cast<SeenBox*>(param);
    wchar_t className[32] = {};
    GetClassNameW(child, className, 32);
    if (_wcsicmp(className, L"Static") == 0 && (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
    {
        seen->hasIconControl = true;
        seen->icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
    }
    return TRUE;
}

// Waits for this process's message box, records it and presses the button with the given id.
std::thread Answer(SeenBox& seen, int button)
{
    return std::thread(
        [&seen, button]
        {
            FindContext context{GetCurrentProcessId(), nullptr};
            for (int attempt = 0; attempt < 500 && !context.box; ++attempt)
            {
                EnumWindows(&FindBox, reinterpret_cast<LPARAM>(&context));
                if (!context.box)
                    Sleep(20);
            }
            if (!context.box)
                return;
            seen.found = true;
            wchar_t text[1024] = {};
            GetWindowTextW(context.box, text, 1024);
            seen.caption = text;
            GetDlgItemTextW(context.box, 0xFFFF, text, 1024);
            seen.text = text;
            EnumChildWindows(context.box, &FindIcon, reinterpret_cast<LPARAM>(&seen));
            SendMessageW(GetDlgItem(context.box, button), BM_CLICK, 0, 0);
        });
}

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
        std::thread watcher = Answer(seen, button);
        const int result = VMessageBox(&owner, text, type, caption);
        watcher.join();
        return result;
    }

    CWnd owner;
};
} // namespace

TEST_F(FrameMessageBox, YesNoAsksWithTheApplicationNameAsCaption)
{
    SeenBox seen;
    EXPECT_EQ(IDNO, Show(seen, IDNO, L"Overwrite the file?", MB_YESNO, nullptr));
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(std::wstring(VGetAppName()), seen.caption);
    EXPECT_EQ(L"Overwrite the file?", seen.text);
    EXPECT_EQ(LoadIconW(nullptr, IDI_QUESTION), seen.icon);
}

TEST_F(FrameMessageBox, OkWarnsAndRetryCancelStaysPlain)
{
    SeenBox warning;
    EXPECT_EQ(IDOK, Show(warning, IDOK, L"Careful", MB_OK, L"Own caption"));
    ASSERT_TRUE(warning.found);
    EXPECT_EQ(L"Own caption", warning.caption);
    EXPECT_EQ(LoadIconW(nullptr, IDI_EXCLAMATION), warning.icon);

    SeenBox plain;
    EXPECT_EQ(IDRETRY, Show(plain, IDRETRY, L"Try again?", MB_RETRYCANCEL, nullptr));
    ASSERT_TRUE(plain.found);
    EXPECT_FALSE(plain.hasIconControl && plain.icon) << "retry/cancel gets no icon";
}

TEST_F(FrameMessageBox, AnIconGivenIsKept)
{
    SeenBox seen;
    EXPECT_EQ(IDOK, Show(seen, IDOK, L"Stopped", MB_OK | MB_ICONSTOP, nullptr));
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(LoadIconW(nullptr, IDI_HAND), seen.icon);
}

TEST_F(FrameMessageBox, ParametersShowTheirText)
{
    VReportMessageParams params(0xE133000C);
    params.AddInsert(L"C:\\x");
    SeenBox seen;
    EXPECT_EQ(IDOK,
              [&]
              {
                  std::thread watcher = Answer(seen, IDOK);
                  const int result = VMessageBox(&owner, &params, MB_OK, nullptr);
                  watcher.join();
                  return result;
              }());
    ASSERT_TRUE(seen.found);
    EXPECT_NE(std::wstring::npos, seen.text.find(L"The folder is not valid:"))
        << std::string(seen.text.begin(), seen.text.end());
    EXPECT_NE(std::wstring::npos, seen.text.find(L"'C:\\x'"));
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

// The entry of every test program: a host's start-up (the application object, AfxWinInit), then the tests.
#include "harness/TestApp.h"

#include <gtest/gtest.h>

namespace
{
CTestApp theApp;

// A message-box hook belongs to the test that installed it.
class MessageBoxHookReset : public testing::EmptyTestEventListener
{
    void OnTestEnd(const testing::TestInfo&) override { CTestApp::Get().ClearMessageBoxHook(); }
};

// The command line after the program's name, as WinMain would have received it.
LPTSTR ArgumentsOf(LPTSTR lpszCommandLine)
{
    bool quoted = false;
    while (*lpszCommandLine != 0 && (quoted || (*lpszCommandLine != L' ' && *lpszCommandLine != L'\t')))
    {
        quoted = *lpszCommandLine == L'"' ? !quoted : quoted;
        ++lpszCommandLine;
    }
    while (*lpszCommandLine == L' ' || *lpszCommandLine == L'\t')
    {
        ++lpszCommandLine;
    }
    return lpszCommandLine;
}
} // namespace

int main(int argc, char** argv)
{
    if (!AfxWinInit(GetModuleHandleW(nullptr), nullptr, ArgumentsOf(GetCommandLineW()), SW_SHOWNORMAL))
    {
        return 2;
    }
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new MessageBoxHookReset);
    int nResult = RUN_ALL_TESTS();
    AfxWinTerm();
    return nResult;
}

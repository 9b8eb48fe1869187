// Refusals that the platform does not give a test running with every permission, reached through the
// files code's create hook.
#include "PardalinMessages.h"
#include "files/ConfigFolder.h"
#include "files/PathStatus.h"
#include "files/VFile.h"
#include "files/detail/CreateFileHook.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
DWORD g_refusal = 0;
int g_calls = 0;

HANDLE Refuse(const wchar_t*, DWORD, DWORD, SECURITY_ATTRIBUTES*, DWORD, DWORD, HANDLE)
{
    ++g_calls;
    SetLastError(g_refusal);
    return INVALID_HANDLE_VALUE;
}

class InternalRefusal : public testing::TestWithParam<DWORD>
{
protected:
    void SetUp() override
    {
        g_refusal = GetParam();
        g_calls = 0;
        previous = pardalin::detail::SetCreateFileHook(&Refuse);
        wchar_t temp[MAX_PATH];
        const DWORD length = GetTempPathW(MAX_PATH, temp);
        folder = std::wstring(temp, length - 1); // an existing folder, without its trailing backslash
    }
    void TearDown() override { pardalin::detail::SetCreateFileHook(previous); }

    pardalin::detail::CreateFileHook previous = nullptr;
    std::wstring folder;
};
} // namespace

TEST_P(InternalRefusal, ConfigFolderTemporaryFileAndWritabilityKeepTheReason)
{
    VUnicodeString path(folder.c_str());
    VReportMessageParams params;
    EXPECT_FALSE(IsValidConfigFolder(path, params));
    EXPECT_EQ(GetParam() == ERROR_ACCESS_DENIED ? MSG_FOLDER_ACCESS_DENIED : MSG_FOLDER_NOT_VALID,
              params.GetMessageId());
    ASSERT_EQ(1, params.GetInsertCount());
    EXPECT_STREQ(folder.c_str(), params.GetInserts()[0]);

    g_calls = 0;
    VFile file;
    VUnicodeString created;
    EXPECT_FALSE(file.CreateTempFile(folder.c_str(), L"TEST", created));
    EXPECT_EQ(GetParam(), GetLastError());
    EXPECT_EQ(1, g_calls) << "only a name that exists already is worth another try";
    EXPECT_EQ(folder + L"\\TEST1.tmp", std::wstring(created.GetString()));

    EXPECT_FALSE(VIsPathWritable((folder + L"\\new\\file.txt").c_str()));
    EXPECT_EQ(GetParam(), GetLastError());
}

INSTANTIATE_TEST_SUITE_P(Reasons, InternalRefusal,
                         testing::Values(static_cast<DWORD>(ERROR_ACCESS_DENIED),
                                         static_cast<DWORD>(ERROR_WRITE_PROTECT)));

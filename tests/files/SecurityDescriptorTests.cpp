#include "files/VSecurityDescriptor.h"

#include <gtest/gtest.h>

#include <sddl.h>

namespace
{
GENERIC_MAPPING mapping = {FILE_GENERIC_READ, FILE_GENERIC_WRITE, FILE_GENERIC_EXECUTE, FILE_ALL_ACCESS};

// A descriptor from its text form, owned by `descriptor`.
void AssignText(VSecurityDescriptor& descriptor, const wchar_t* text)
{
    PSECURITY_DESCRIPTOR source = nullptr;
    ASSERT_TRUE(
        ConvertStringSecurityDescriptorToSecurityDescriptorW(text, SDDL_REVISION_1, &source, nullptr));
    const bool assigned = descriptor.Assign(source);
    LocalFree(source);
    ASSERT_TRUE(assigned) << descriptor.GetError().GetMessageId();
}

HANDLE ProcessToken()
{
    HANDLE token = nullptr;
    OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY | TOKEN_DUPLICATE | TOKEN_IMPERSONATE, &token);
    return token;
}

bool ThreadIsImpersonating()
{
    HANDLE token = nullptr;
    if (OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, TRUE, &token))
    {
        CloseHandle(token);
        return true;
    }
    return false;
}
} // namespace

TEST(FilesSecurityDescriptor, TheCheckAnswersForATokenOrTheProcessAndPutsTheThreadsIdentityBack)
{
    const HANDLE token = ProcessToken();
    ASSERT_NE(nullptr, token);
    ASSERT_FALSE(ThreadIsImpersonating());

    VSecurityDescriptor allowing;
    AssignText(allowing, L"O:BAG:BAD:(A;;FA;;;WD)");
    EXPECT_TRUE(allowing.AccessCheck(token, FILE_GENERIC_READ | FILE_GENERIC_WRITE, mapping));
    EXPECT_EQ(0u, allowing.GetError().GetMessageId());
    EXPECT_FALSE(ThreadIsImpersonating()) << "the process identity comes back";
    EXPECT_TRUE(allowing.AccessCheck(nullptr, FILE_GENERIC_READ, mapping, true)) << "as the process itself";

    // The check itself is the system's: a refusal is an answer, not a failed check.
    VSecurityDescriptor denying;
    AssignText(denying, L"O:BAG:BAD:(D;;FA;;;WD)(A;;FA;;;WD)");
    EXPECT_FALSE(denying.AccessCheck(token, FILE_GENERIC_READ, mapping));
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), GetLastError());
    EXPECT_EQ(0u, denying.GetError().GetMessageId());

    // An identity the thread had before the check is put back as well.
    ASSERT_TRUE(ImpersonateSelf(SecurityImpersonation));
    EXPECT_TRUE(allowing.AccessCheck(token, FILE_READ_DATA, mapping));
    EXPECT_TRUE(ThreadIsImpersonating());
    RevertToSelf();
    CloseHandle(token);
}

TEST(FilesSecurityDescriptor, FailuresLandInTheErrorRecord)
{
    VSecurityDescriptor descriptor;
    AssignText(descriptor, L"O:BAG:BAD:(A;;FA;;;WD)");

    // Impersonating no token at all fails before any check.
    EXPECT_FALSE(descriptor.AccessCheck(nullptr, FILE_READ_DATA, mapping));
    EXPECT_NE(0u, descriptor.GetError().GetMessageId());
    EXPECT_EQ(descriptor.GetError().GetMessageId(), GetLastError());
    EXPECT_FALSE(ThreadIsImpersonating());

    // The raw check needs the thread to impersonate.
    EXPECT_FALSE(descriptor.AccessCheckImpersonated(FILE_READ_DATA, mapping));
    EXPECT_EQ(static_cast<DWORD>(ERROR_NO_TOKEN), descriptor.GetError().GetMessageId());

    // Generic rights cannot be asked for without mapping them first.
    const HANDLE token = ProcessToken();
    EXPECT_FALSE(descriptor.AccessCheck(token, GENERIC_READ) || descriptor.GetError().GetMessageId() == 0);
    CloseHandle(token);

    // A successful check clears what an earlier failure left.
    EXPECT_TRUE(descriptor.AccessCheck(nullptr, FILE_READ_DATA, mapping, true));
    EXPECT_EQ(0u, descriptor.GetError().GetMessageId());
}

TEST(FilesSecurityDescriptor, AssignTakesEitherFormAndRefusesGarbage)
{
    VSecurityDescriptor first;
    AssignText(first, L"O:BAG:BAD:(A;;FR;;;WD)");
    // The first descriptor is in absolute form now; a copy of it goes through the self-relative form.
    VSecurityDescriptor second;
    ASSERT_TRUE(second.Assign(first.GetDescriptor()));
    LPWSTR text = nullptr;
    ASSERT_TRUE(ConvertSecurityDescriptorToStringSecurityDescriptorW(
        second.GetDescriptor(), SDDL_REVISION_1, DACL_SECURITY_INFORMATION, &text, nullptr));
    EXPECT_NE(nullptr, wcsstr(text, L"WD")) << text;
    LocalFree(text);

    BYTE garbage[64] = {0xFF, 0xFF};
    EXPECT_FALSE(second.Assign(garbage) || second.Assign(nullptr));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_SECURITY_DESCR), second.GetError().GetMessageId());
    EXPECT_TRUE(IsValidSecurityDescriptor(second.GetDescriptor())) << "the descriptor held before was lost";

    EXPECT_FALSE(second.AssignFromFile(L"C:\\pardalin-no-such-file"));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), second.GetError().GetMessageId());
}

#include "files/detail/Clock.h"
#include "files/detail/PathExpansion.h"
#include "frame/VReportMessageParams.h"

#include <gtest/gtest.h>

#include <string>
#include "resources/HostMessageIds.h"

using namespace pardalin::detail;

namespace
{
SYSTEMTIME g_fixed;

void FixedClock(SYSTEMTIME* now)
{
    *now = g_fixed;
}

class InternalPathTemplate : public testing::Test
{
protected:
    void SetUp() override
    {
        g_fixed = SYSTEMTIME{2024, 3, 0, 5, 7, 8, 9, 10}; // 2024-03-05 07:08:09.010
        previous = pardalin::detail::SetUtcClock(&FixedClock);
    }
    void TearDown() override { pardalin::detail::SetUtcClock(previous); }

    std::wstring Expand(const wchar_t* text, const wchar_t* valueH = nullptr, const wchar_t* valueS = nullptr)
    {
        params.Reset(0);
        return ExpandPathTemplate(VUnicodeString(text), params, valueH, valueS).GetString();
    }

    VReportMessageParams params;
    pardalin::detail::UtcClock previous = nullptr;
};
} // namespace

TEST_F(InternalPathTemplate, DateTimeAndNamePlaceholders)
{
    const struct
    {
        const wchar_t* text;
        const wchar_t* valueH;
        const wchar_t* valueS;
        const wchar_t* expected;
    } cases[] = {{L"C:\\Logs\\%Y-%M-%D.log", nullptr, nullptr, L"C:\\Logs\\2024-03-05.log"},
                 {L"%h%m%s%t", nullptr, nullptr, L"070809010"},
                 {L"%H", L"fe80::1", nullptr, L"fe80__1"},
                 {L"session-%S", nullptr, L"a:b", L"session-a:b"}, // S is taken as it is
                 {L"100%%", nullptr, nullptr, L"100%"}};
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.expected, Expand(c.text, c.valueH, c.valueS));
        EXPECT_EQ(0u, params.GetMessageId()) << c.text;
    }
    g_fixed.wYear = 987;
    g_fixed.wMilliseconds = 999;
    EXPECT_EQ(L"0987-999", Expand(L"%Y-%t")) << "minimum widths pad with zeros";
    EXPECT_TRUE(ExpandsTo(L"C:\\Logs\\%Y", L"c:\\logs\\0987", nullptr, nullptr)) << "case is ignored";
    EXPECT_FALSE(ExpandsTo(L"C:\\Logs\\%Y", L"C:\\Logs\\2024", nullptr, nullptr));
    EXPECT_FALSE(ExpandsTo(L"C:\\Logs\\%Q", L"C:\\Logs\\%Q", nullptr, nullptr))
        << "a failed expansion is empty and matches no path";
}

TEST_F(InternalPathTemplate, UnknownPlaceholdersAndLonePercentFail)
{
    EXPECT_EQ(L"", Expand(L"log-%H.txt"));
    EXPECT_EQ(MSG_HOST_UNKNOWN_PLACEHOLDER, params.GetMessageId());
    ASSERT_EQ(1, params.GetInsertCount());
    EXPECT_STREQ(L"%H", params.GetInserts()[0]) << "no further %: the one character";

    EXPECT_EQ(L"", Expand(L"abc%Xdef%ghi"));
    EXPECT_EQ(MSG_HOST_UNKNOWN_PLACEHOLDER, params.GetMessageId());
    EXPECT_STREQ(L"%Xdef%", params.GetInserts()[0]) << "up to and including the next %";

    EXPECT_EQ(L"", Expand(L"100%"));
    EXPECT_EQ(MSG_HOST_LONE_PERCENT, params.GetMessageId());
    EXPECT_EQ(0, params.GetInsertCount());

    EXPECT_EQ(L"", Expand(L"%S", L"host", nullptr)) << "S without a value is unknown";
    EXPECT_STREQ(L"%S", params.GetInserts()[0]);
}

TEST_F(InternalPathTemplate, EnvironmentComesFirst)
{
    SetEnvironmentVariableW(L"PARDALIN_TEST_ROOT", L"D:\\Data%Y");
    // The variable's value is itself scanned for placeholders; an undefined variable is read letter by
    // letter.
    EXPECT_EQ(L"D:\\Data2024\\x", Expand(L"%PARDALIN_TEST_ROOT%\\x"));
    SetEnvironmentVariableW(L"PARDALIN_TEST_ROOT", nullptr);
    EXPECT_EQ(L"", Expand(L"%PARDALIN_TEST_ROOT%\\x"));
    EXPECT_STREQ(L"%PARDALIN_TEST_ROOT%", params.GetInserts()[0]);

    // A long expansion is not cut at any fixed buffer size.
    const std::wstring longValue(1500, L'v');
    SetEnvironmentVariableW(L"PARDALIN_TEST_LONG", longValue.c_str());
    EXPECT_EQ(longValue + L"\\end", Expand(L"%PARDALIN_TEST_LONG%\\end"));
    SetEnvironmentVariableW(L"PARDALIN_TEST_LONG", nullptr);
}

TEST(InternalPathPortable, VariablesAndTheAnswerKeptForTheProcess)
{
    // The platform answer is kept from the first call, whichever test made it: only its staying put is
    // checked here, and the replacement itself, which does not depend on it.
    const bool first = IsPortableDevicePlatform();
    SetEnvironmentVariableW(L"U3_APP_DATA_PATH", first ? nullptr : L"D:\\App");
    EXPECT_EQ(first, IsPortableDevicePlatform());

    SetEnvironmentVariableW(L"U3_APP_DATA_PATH", L"D:\\App");
    SetEnvironmentVariableW(L"U3_DEVICE_DOCUMENT_PATH", nullptr);
    EXPECT_STREQ(L"D:\\App\\cfg%u3doc%%U3DATA%",
                 ExpandPortableDeviceVariables(VUnicodeString(L"%u3data%\\cfg%u3doc%%U3DATA%")).GetString())
        << "an unset variable leaves its placeholder and the match is case-sensitive";
    SetEnvironmentVariableW(L"U3_APP_DATA_PATH", nullptr);
}

TEST(InternalPathHelpers, ReservedDeviceNames)
{
    for (const wchar_t* name : {L"lpt1", L"CON", L"Nul", L"clock$", L"com9"})
        EXPECT_TRUE(IsReservedDeviceName(name)) << name;
    for (const wchar_t* name : {L"lpt10", L"con.txt", L"COM", L"", L"clock", L"CON "})
        EXPECT_FALSE(IsReservedDeviceName(name)) << name;
    EXPECT_FALSE(IsReservedDeviceName(nullptr));
}

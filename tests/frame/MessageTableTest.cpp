// The library's message table as the DLL carries it: every id the generated header names has a text, with
// the line end the message compiler keeps. The texts themselves are checked where they are reported.
#include "PardalinMessages.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace
{
std::wstring RawText(DWORD id)
{
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS,
        GetModuleHandleW(L"Pardalin67U.dll"), id, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring result(text ? text : L"", length);
    LocalFree(text);
    return result;
}
} // namespace

TEST(FrameMessageTable, EveryGeneratedIdHasAText)
{
    ASSERT_NE(nullptr, GetModuleHandleW(L"Pardalin67U.dll"));
    // Help texts of the certificate fields, page and toolbar messages, and the questions and errors of boxes.
    const DWORD help[] = {MSG_HELP_COMMON_NAME, MSG_HELP_ORGANIZATION, MSG_HELP_ORGANIZATIONAL_UNIT,
                          MSG_HELP_COUNTRY,     MSG_HELP_STATE,        MSG_HELP_LOCALITY,
                          MSG_HELP_EMAIL,       MSG_HELP_PATH,         MSG_HELP_EXPIRATION,
                          MSG_HELP_KEY_SIZE};
    const DWORD page[] = {MSG_MIN_LEFT_MARGIN,   MSG_MIN_RIGHT_MARGIN,       MSG_MIN_TOP_MARGIN,
                          MSG_MIN_BOTTOM_MARGIN, MSG_MARGINS_OFF_PAGE,       MSG_MARGINS_TOO_SMALL,
                          MSG_TOOLBAR_CHANGED,   MSG_TOOLBAR_UPDATE_QUESTION};
    const DWORD errors[] = {MSG_CERTIFICATE_FILE_EXISTS, MSG_UNEXPECTED_SOCKET_ERROR,
                            MSG_FOLDER_ACCESS_DENIED,    MSG_FOLDER_NOT_VALID,
                            MSG_ENTER_INTEGER_BETWEEN,   MSG_ENTER_POSITIVE_INTEGER};
    std::vector<DWORD> ids(std::begin(help), std::end(help));
    ids.insert(ids.end(), std::begin(page), std::end(page));
    ids.insert(ids.end(), std::begin(errors), std::end(errors));
    for (const DWORD id : ids)
    {
        const std::wstring text = RawText(id);
        EXPECT_GT(text.size(), 2u) << std::hex << id;
        EXPECT_EQ(L"\r\n", text.substr(text.size() < 2 ? 0 : text.size() - 2)) << std::hex << id;
    }
}

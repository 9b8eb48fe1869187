#include "files/ConfigFolder.h"

#include <gtest/gtest.h>

#include <string>
#include "PardalinMessages.h"

namespace
{
std::wstring TempFolder()
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    return temp;
}

int CountProbeFiles(const std::wstring& folder)
{
    int count = 0;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\TEST*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    do
        ++count;
    while (FindNextFileW(search, &found));
    FindClose(search);
    return count;
}
} // namespace

TEST(FilesConfigFolder, CreatesNestedFoldersLeavesNoProbeAndGivesTheFullPath)
{
    const std::wstring base = TempFolder() + L"pardalin-config-" + std::to_wstring(GetCurrentProcessId());
    // A relative path comes back as a full one.
    wchar_t current[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, current);
    SetCurrentDirectoryW(TempFolder().c_str());
    VUnicodeString folder(
        (L"pardalin-config-" + std::to_wstring(GetCurrentProcessId()) + L"\\x\\y\\z").c_str());
    VReportMessageParams params;
    const bool valid = IsValidConfigFolder(folder, params);
    SetCurrentDirectoryW(current);

    ASSERT_TRUE(valid);
    EXPECT_EQ(0u, params.GetMessageId());
    const std::wstring deep = base + L"\\x\\y\\z";
    EXPECT_EQ(0, folder.CompareNoCase(deep.c_str())) << folder.GetString();
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(deep.c_str()));
    EXPECT_EQ(0, CountProbeFiles(deep)) << "the probe file is deleted on close";

    RemoveDirectoryW(deep.c_str());
    RemoveDirectoryW((base + L"\\x\\y").c_str());
    RemoveDirectoryW((base + L"\\x").c_str());
    RemoveDirectoryW(base.c_str());
}

TEST(FilesConfigFolder, InvalidFoldersAreReportedWithTheFolderAsInsert)
{
    // A file standing where a folder is asked for.
    const std::wstring file =
        TempFolder() + L"pardalin-config-file-" + std::to_wstring(GetCurrentProcessId());
    CloseHandle(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    VUnicodeString folder(file.c_str());
    VReportMessageParams params;
    EXPECT_FALSE(IsValidConfigFolder(folder, params));
    EXPECT_EQ(MSG_FOLDER_NOT_VALID, params.GetMessageId());
    ASSERT_EQ(1, params.GetInsertCount());
    EXPECT_STREQ(file.c_str(), params.GetInserts()[0]);
    EXPECT_STREQ(file.c_str(), folder.GetString()) << "a failed folder is left as given";
    DeleteFileW(file.c_str());

    VUnicodeString empty;
    VReportMessageParams emptyParams;
    SetLastError(0);
    EXPECT_FALSE(IsValidConfigFolder(empty, emptyParams)) << "an empty folder is never valid";
    EXPECT_EQ(MSG_FOLDER_NOT_VALID, emptyParams.GetMessageId());
}

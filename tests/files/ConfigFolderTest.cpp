#include "files/ConfigFolder.h"
#include "files/FileTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include "PardalinMessages.h"

using namespace filetest;

TEST(FilesConfigFolder, CreatesNestedFoldersLeavesNoProbeAndReportsAnInvalidOneWithTheFolderAsInsert)
{
    TempFolder base;
    // A relative path comes back as a full one.
    VUnicodeString folder(L"x\\y\\z");
    VReportMessageParams params;
    {
        CurrentFolder here(base.Get());
        ASSERT_TRUE(IsValidConfigFolder(folder, params));
    }
    EXPECT_EQ(0u, params.GetMessageId());
    const std::wstring deep = base.Path(L"x\\y\\z");
    EXPECT_EQ(0, folder.CompareNoCase(deep.c_str())) << folder.GetString();
    EXPECT_TRUE(Exists(deep));
    WIN32_FIND_DATAW found;
    EXPECT_EQ(INVALID_HANDLE_VALUE, FindFirstFileW((deep + L"\\TEST*.tmp").c_str(), &found))
        << "the probe file is deleted on close";

    // A file standing where a folder is asked for.
    const std::wstring file = base.Path(L"config-file");
    ASSERT_TRUE(WriteBytes(file, ""));
    folder = file.c_str();
    EXPECT_FALSE(IsValidConfigFolder(folder, params));
    EXPECT_EQ(MSG_FOLDER_NOT_VALID, params.GetMessageId());
    ASSERT_EQ(1, params.GetInsertCount());
    EXPECT_STREQ(file.c_str(), params.GetInserts()[0]);
    EXPECT_STREQ(file.c_str(), folder.GetString()) << "a failed folder is left as given";

    VUnicodeString empty;
    params.Reset(0);
    EXPECT_FALSE(IsValidConfigFolder(empty, params)) << "an empty folder is never valid";
    EXPECT_EQ(MSG_FOLDER_NOT_VALID, params.GetMessageId());
}

#include "files/FileTestSupport.h"
#include "files/VFile.h"
#include "files/VSecurityDescriptor.h"

#include <gtest/gtest.h>

#include <sddl.h>

#include <cstring>

using namespace filetest;

namespace
{
class FilesFile : public ::testing::Test
{
protected:
    std::wstring MakeFile(const std::wstring& name, const std::string& bytes)
    {
        const std::wstring path = folder.Path(name);
        EXPECT_TRUE(WriteBytes(path, bytes));
        return path;
    }

    TempFolder folder;
};

const DWORD ReadWrite = GENERIC_READ | GENERIC_WRITE;
} // namespace

TEST_F(FilesFile, OpenReadsAtAbsoluteOffsetsAndKeepsTheNameAfterClose)
{
    VFile file;
    EXPECT_FALSE(file.Open(folder.Path(L"missing.bin").c_str(), GENERIC_READ, OPEN_EXISTING));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
    EXPECT_FALSE(file.IsOpen() || !file.GetName().IsEmpty());

    const std::wstring path = MakeFile(L"digits.bin", "0123456789");
    ASSERT_TRUE(file.Open(path.c_str(), GENERIC_READ, OPEN_EXISTING));
    VFile second;
    EXPECT_FALSE(second.Open(path.c_str(), GENERIC_READ, OPEN_EXISTING)) << "no sharing unless asked";
    EXPECT_EQ(static_cast<DWORD>(ERROR_SHARING_VIOLATION), GetLastError());
    // Reads go to their offset whatever the pointer says; across the end they return what is there, at or
    // past it nothing, without an error.
    ASSERT_TRUE(file.Seek(2, FILE_BEGIN));
    char buffer[8] = {};
    DWORD read = 0;
    ASSERT_TRUE(file.Read(buffer, 4, 6, &read));
    EXPECT_TRUE(read == 4 && std::memcmp(buffer, "6789", 4) == 0);
    EXPECT_TRUE(file.Read(buffer, 8, 7, &read) && read == 3);
    for (unsigned __int64 offset : {10ull, 1ull << 40})
        EXPECT_TRUE(file.Read(buffer, 4, offset, &read) && read == 0) << offset;
    file.Close();
    file.Close();
    EXPECT_TRUE(!file.IsOpen() && path == ToStd(file.GetName())) << "Close keeps the name";
}

TEST_F(FilesFile, WritesAtThePointerSeeksEveryWayAndTruncatesAtIt)
{
    VFile file;
    const std::wstring path = folder.Path(L"written.bin");
    ASSERT_TRUE(file.Open(path.c_str(), ReadWrite, CREATE_ALWAYS));
    DWORD written = 0;
    ASSERT_TRUE(file.Write("abcdef", 6, &written));
    EXPECT_TRUE(written == 6 && file.GetPosition() == 6 && file.GetSize() == 6);
    ASSERT_TRUE(file.Seek(-4, FILE_CURRENT) && file.Write("XY", 2, &written));
    ASSERT_TRUE(file.Seek(-1, FILE_END) && file.Write("Z", 1, nullptr));
    // A low half of 0xFFFFFFFF is also what SetFilePointer returns on failure.
    ASSERT_TRUE(file.Seek(0x1FFFFFFFFll, FILE_BEGIN));
    EXPECT_EQ(0x1FFFFFFFFull, file.GetPosition());
    EXPECT_EQ(static_cast<DWORD>(NO_ERROR), GetLastError());
    EXPECT_FALSE(file.Seek(-1, FILE_BEGIN));
    EXPECT_EQ(static_cast<DWORD>(ERROR_NEGATIVE_SEEK), GetLastError());
    EXPECT_EQ(0x1FFFFFFFFull, file.GetPosition()) << "a failed seek does not move";
    file.Close();
    EXPECT_EQ("abXYeZ", ReadBytes(path));

    // Truncate empties the file and keeps the pointer; without write access (Windows says access denied,
    // Wine invalid parameter) the pointer comes back.
    ASSERT_TRUE(file.Open(path.c_str(), ReadWrite, OPEN_EXISTING) && file.Seek(4, FILE_BEGIN));
    ASSERT_TRUE(file.Truncate());
    EXPECT_TRUE(file.GetSize() == 0 && file.GetPosition() == 4);
    file.Close();
    ASSERT_TRUE(WriteBytes(path, std::string(10, 'r')));
    ASSERT_TRUE(file.Open(path.c_str(), GENERIC_READ, OPEN_EXISTING) && file.Seek(3, FILE_BEGIN));
    EXPECT_FALSE(file.Truncate() || GetLastError() == 0);
    EXPECT_TRUE(file.GetPosition() == 3 && file.GetSize() == 10);
    VFile closed;
    EXPECT_FALSE(closed.Truncate());
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_HANDLE), GetLastError());
}

TEST_F(FilesFile, MapsWholeFilesReadOnly)
{
    const std::string content = "mapped content\r\n";
    VFile file;
    ASSERT_TRUE(file.OpenMapped(MakeFile(L"mapped.bin", content).c_str()));
    ASSERT_NE(nullptr, file.GetMappedView());
    EXPECT_EQ(0, std::memcmp(file.GetMappedView(), content.data(), content.size()));
    file.Close();
    EXPECT_EQ(nullptr, file.GetMappedView());
    EXPECT_TRUE(file.OpenMapped(MakeFile(L"empty.bin", "").c_str()) && file.IsOpen());
    EXPECT_EQ(nullptr, file.GetMappedView()) << "an empty file has no view";
    EXPECT_FALSE(file.OpenMapped(folder.Path(L"absent.bin").c_str()));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
}

TEST_F(FilesFile, TemporaryNamesCountUpInHexadecimalInFoldersOfAnyLength)
{
    VUnicodeString created;
    const auto create = [&](const std::wstring& directory, const wchar_t* prefix)
    {
        VFile file;
        EXPECT_TRUE(file.CreateTempFile(directory.c_str(), prefix, created));
        EXPECT_EQ(ToStd(created), ToStd(file.GetName()));
        char back[2];
        DWORD done = 0;
        EXPECT_TRUE(file.Write("rw", 2, &done) && file.Read(back, 2, 0, &done)) << "open to read and write";
        return ToStd(created);
    };
    EXPECT_EQ(folder.Path(L"TEST1.tmp"), create(folder.Get(), L"TEST"));
    for (int n = 2; n <= 9; ++n)
        ASSERT_TRUE(WriteBytes(folder.Path(L"TEST" + std::to_wstring(n) + L".tmp"), ""));
    // One backslash between folder and prefix, whichever side brings it.
    EXPECT_EQ(folder.Path(L"TESTA.tmp"), create(folder.Get() + L"\\", L"\\TEST"));
    EXPECT_EQ(folder.Path(L"TESTB.tmp"), create(folder.Get(), L"TEST"));

    // Wine has no MAX_PATH limit for CreateFileW, so a folder far beyond it works as a short one would; no
    // fixed buffer may overflow on the way, and a name that cannot be opened fails with its error.
    const std::wstring deep = MakeDeepFolder(folder.Get());
    ASSERT_FALSE(deep.empty()) << GetLastError();
    EXPECT_EQ(deep + L"\\TEST1.tmp", create(deep, L"TEST"));
    const std::wstring absent = deep + L"\\" + std::wstring(200, L'x') + L"\\y";
    VFile file;
    EXPECT_FALSE(file.CreateTempFile(absent.c_str(), L"TEST", created) || GetLastError() == 0);
    EXPECT_FALSE(file.OpenMapped(absent.c_str()) || GetLastError() == 0);

    // No folder means the system's temporary one; a delete-on-close file goes with its handle.
    VFile probe;
    probe.SetDeleteOnClose();
    ASSERT_TRUE(probe.CreateTempFile(nullptr, L"pardalin-probe-", created));
    wchar_t temporary[MAX_PATH + 1];
    EXPECT_EQ(0, ToStd(created).compare(0, GetTempPathW(MAX_PATH, temporary), temporary));
    EXPECT_TRUE(Exists(ToStd(created)));
    probe.Close();
    EXPECT_FALSE(Exists(ToStd(created)));
}

TEST_F(FilesFile, LocksTakeTheirModeAndRangesBeyond4GiBUseBothHalves)
{
    const std::wstring path = MakeFile(L"locks.bin", std::string(64, 'l'));
    VFile a, b;
    for (VFile* file : {&a, &b})
    {
        file->SetShareMode(FILE_SHARE_READ | FILE_SHARE_WRITE);
        ASSERT_TRUE(file->Open(path.c_str(), ReadWrite, OPEN_EXISTING));
    }
    // Asks b for a shared lock of one byte without waiting, and gives it back at once.
    const auto free = [&](unsigned __int64 offset)
    {
        OVERLAPPED at = {};
        at.Offset = static_cast<DWORD>(offset);
        at.OffsetHigh = static_cast<DWORD>(offset >> 32);
        return LockFileEx(b.GetHandle(), LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at) &&
               UnlockFileEx(b.GetHandle(), 0, 1, 0, &at);
    };
    const unsigned __int64 beyond4G = 0x100000000ull;
    ASSERT_TRUE(a.Lock(beyond4G, beyond4G + 8, true));
    EXPECT_FALSE(free(beyond4G + 0x80000000ull));
    EXPECT_TRUE(free(beyond4G - 1));
    EXPECT_TRUE(a.Unlock(beyond4G, beyond4G + 8) && !a.Unlock(beyond4G, beyond4G + 8));
    EXPECT_TRUE(free(beyond4G));
    ASSERT_TRUE(a.Lock(0, 16, false));
    EXPECT_TRUE(free(8)) << "a shared lock keeps out no shared one";
}

TEST_F(FilesFile, SecurityDescriptorIsPassedToCreateFile)
{
    // Only reading is granted, to everyone. Wine keeps a file's access list in its permission bits, so a file
    // created under this descriptor comes out read-only.
    PSECURITY_DESCRIPTOR source = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(A;;FR;;;WD)", SDDL_REVISION_1,
                                                                     &source, nullptr));
    auto* descriptor = new VSecurityDescriptor;
    ASSERT_TRUE(descriptor->Assign(source));
    LocalFree(source);
    const std::wstring secured = folder.Path(L"secured.bin");
    const std::wstring plain = folder.Path(L"plain.bin");
    {
        VFile file;
        file.SetSecurityDescriptor(descriptor);
        file.SetSecurityDescriptor(descriptor); // the same one again is not deleted
        ASSERT_TRUE(file.Open(secured.c_str(), GENERIC_WRITE, CREATE_ALWAYS)) << GetLastError();
        VFile other;
        ASSERT_TRUE(other.Open(plain.c_str(), GENERIC_WRITE, CREATE_ALWAYS)) << GetLastError();
    }
    EXPECT_NE(0u, GetFileAttributesW(secured.c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(0u, GetFileAttributesW(plain.c_str()) & FILE_ATTRIBUTE_READONLY);
}

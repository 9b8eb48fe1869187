#include "AfxTestSupport.h"

#include <afx.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

namespace
{
// A scratch folder of its own for each test, removed with its files afterwards.
class AfxFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        wchar_t temporary[MAX_PATH + 1];
        GetTempPathW(MAX_PATH, temporary);
        static int counter = 0;
        m_folder.Format(L"%safx-file-%lu-%d", temporary, GetCurrentProcessId(), ++counter);
        ASSERT_TRUE(CreateDirectoryW(m_folder, nullptr));
    }

    void TearDown() override
    {
        WIN32_FIND_DATAW found;
        const HANDLE search = FindFirstFileW(m_folder + L"\\*", &found);
        for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &found))
        {
            SetFileAttributesW(m_folder + L"\\" + found.cFileName, FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(m_folder + L"\\" + found.cFileName);
        }
        if (search != INVALID_HANDLE_VALUE)
            FindClose(search);
        RemoveDirectoryW(m_folder);
    }

    CString Path(LPCTSTR name) const { return m_folder + L"\\" + name; }

    std::string Contents(LPCTSTR name) const
    {
        CFileStatus status;
        if (!CFile::GetStatus(Path(name), status))
            return "<missing>";
        std::string bytes(static_cast<size_t>(status.m_size), '\0');
        CFile file(Path(name), CFile::modeRead | CFile::shareDenyNone);
        bytes.resize(file.Read(&bytes[0], static_cast<UINT>(bytes.size())));
        return bytes;
    }

    void Put(LPCTSTR name, const std::string& bytes) const
    {
        CFile file(Path(name), CFile::modeCreate | CFile::modeWrite);
        file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    }

    CString m_folder;
};

// The cause of the CFileException that `f` throws, -1 when it throws none.
int CauseOf(const std::function<void()>& f, CString* fileName = nullptr)
{
    try
    {
        f();
    }
    catch (CFileException* e)
    {
        const int cause = e->m_cause;
        if (fileName != nullptr)
            *fileName = e->m_strFileName;
        e->Delete();
        return cause;
    }
    return -1;
}
} // namespace

TEST_F(AfxFile, OpenReportsFailureWithoutThrowingAndTheConstructorThrows)
{
    CFile file;
    CFileException error;
    EXPECT_FALSE(file.Open(Path(L"absent.bin"), CFile::modeRead, &error));
    EXPECT_EQ(CFileException::fileNotFound, error.m_cause);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, error.m_lOsError);
    EXPECT_EQ(Path(L"absent.bin"), error.m_strFileName);
    EXPECT_EQ(CFile::hFileNull, file.m_hFile);
    EXPECT_FALSE(file.Open(Path(L"absent.bin"), CFile::modeRead)) << "the error object is optional";
    EXPECT_EQ(CFileException::fileNotFound,
              CauseOf([&] { CFile thrown(Path(L"absent.bin"), CFile::modeRead); }));
    EXPECT_EQ(
        CFileException::badPath,
        CauseOf([&] { CFile thrown(Path(L"missing\\deeper.bin"), CFile::modeCreate | CFile::modeWrite); }));

    // A reader that denies writing keeps writers out, not readers.
    CFile reader(Path(L"shared.bin"), CFile::modeCreate | CFile::modeReadWrite | CFile::shareDenyWrite);
    EXPECT_FALSE(file.Open(Path(L"shared.bin"), CFile::modeWrite | CFile::shareDenyNone, &error));
    EXPECT_EQ(CFileException::sharingViolation, error.m_cause);
    EXPECT_TRUE(file.Open(Path(L"shared.bin"), CFile::modeRead | CFile::shareDenyNone));
    file.Close();
    // modeNoTruncate keeps what is there.
    reader.Write("0123", 4);
    reader.Close();
    CFile kept(Path(L"shared.bin"), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite);
    EXPECT_EQ(4u, kept.GetLength());
}

TEST_F(AfxFile, CreateWriteReadSeekAndLength)
{
    CFile file(Path(L"data.bin"), CFile::modeCreate | CFile::modeReadWrite);
    EXPECT_EQ(file.m_hFile, static_cast<HANDLE>(file));
    EXPECT_EQ(Path(L"data.bin"), file.GetFilePath());
    EXPECT_EQ(CString(L"data.bin"), file.GetFileName());
    EXPECT_EQ(CString(L"data"), file.GetFileTitle());
    file.Write("hello world", 11);
    EXPECT_EQ(11u, file.GetLength());
    EXPECT_EQ(11u, file.GetPosition());

    file.SeekToBegin();
    char buffer[16] = {};
    EXPECT_EQ(5u, file.Read(buffer, 5));
    EXPECT_EQ(8u, file.Seek(3, CFile::current));
    EXPECT_EQ(3u, file.Read(buffer, 16)) << "a short read at the end";
    EXPECT_EQ(std::string("rld"), std::string(buffer, 3));
    EXPECT_EQ(0u, file.Read(buffer, 16));
    EXPECT_EQ(11u, file.SeekToEnd());
    EXPECT_EQ(1u, file.Seek(-10, CFile::end));

    file.SetLength(4);
    EXPECT_EQ(4u, file.GetLength());
    EXPECT_EQ(4u, file.GetPosition()) << "the position ends at the new length";
    file.Flush();
    EXPECT_EQ(CFileException::badSeek, CauseOf([&] { file.Seek(-100, CFile::begin); }));
    file.Close();
    EXPECT_EQ(CFile::hFileNull, file.m_hFile);
    EXPECT_TRUE(file.GetFilePath().IsEmpty());
    EXPECT_EQ("hell", Contents(L"data.bin"));
}

TEST_F(AfxFile, FailedCallsThrowWithTheirCause)
{
    Put(L"ro.bin", "read only");
    CFile reader(Path(L"ro.bin"), CFile::modeRead);
    CString name;
    EXPECT_EQ(CFileException::accessDenied, CauseOf([&] { reader.Write("x", 1); }, &name));
    EXPECT_EQ(reader.GetFilePath(), name);

    CFile closed;
    char byte;
    EXPECT_NE(-1, CauseOf([&] { closed.Read(&byte, 1); }));
    EXPECT_NE(-1, CauseOf([&] { closed.GetLength(); }));
    EXPECT_EQ(0u, closed.Read(&byte, 0)) << "an empty read asks the system nothing";
    closed.Flush();
    closed.Close();
    closed.Abort();

    reader.Close();
    CFile::Rename(Path(L"ro.bin"), Path(L"new.bin"));
    EXPECT_EQ("<missing>", Contents(L"ro.bin"));
    CFile::Remove(Path(L"new.bin"));
    EXPECT_EQ("<missing>", Contents(L"new.bin"));
    EXPECT_EQ(CFileException::fileNotFound, CauseOf([&] { CFile::Remove(Path(L"new.bin")); }, &name));
    EXPECT_EQ(Path(L"new.bin"), name);
    EXPECT_EQ(CFileException::fileNotFound, CauseOf([&] { CFile::Rename(Path(L"none"), Path(L"x")); }));
}

TEST_F(AfxFile, StatusOfFilesFoldersAndNothing)
{
    Put(L"status.bin", std::string(1234, 's'));
    CFileStatus status;
    ASSERT_TRUE(CFile::GetStatus(Path(L"status.bin"), status));
    EXPECT_EQ(1234u, status.m_size);
    EXPECT_EQ(0, status.m_attribute & CFile::directory);
    EXPECT_STREQ(Path(L"status.bin"), status.m_szFullName);
    EXPECT_LE(std::llabs(status.m_mtime.GetTime() - CTime::GetCurrentTime().GetTime()), 3600);
    EXPECT_NE(0, status.m_ctime.GetTime());
    EXPECT_NE(0, status.m_atime.GetTime());
    ASSERT_TRUE(CFile::GetStatus(m_folder, status));
    EXPECT_NE(0, status.m_attribute & CFile::directory);

    EXPECT_FALSE(CFile::GetStatus(Path(L"nothing.bin"), status));
    EXPECT_FALSE(CFile::GetStatus(L"", status));
    EXPECT_FALSE(CFile::GetStatus(m_folder + L"\\" + CString(L'x', 300), status)) << "beyond MAX_PATH";
    EXPECT_EQ(ERROR_FILENAME_EXCED_RANGE, static_cast<LONG>(GetLastError()));
    {
        CFile open(Path(L"status.bin"), CFile::modeRead | CFile::shareDenyNone);
        ASSERT_TRUE(open.GetStatus(status));
        EXPECT_EQ(1234u, status.m_size);
        EXPECT_STREQ(Path(L"status.bin"), status.m_szFullName);
    }
    CFile closed;
    EXPECT_FALSE(closed.GetStatus(status));
    SetFileAttributesW(Path(L"status.bin"), FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(CFile::GetStatus(Path(L"status.bin"), status));
    EXPECT_EQ(CFile::readOnly, status.m_attribute & CFile::readOnly);
}

TEST_F(AfxFile, StdioTextModeTranslatesLineEnds)
{
    {
        CStdioFile file(Path(L"text.txt"), CFile::modeCreate | CFile::modeWrite | CFile::typeText);
        file.WriteString(L"first\nsecond\n");
        file.WriteString(L"caf\u00E9 \u20AC\n");
        file.WriteString(L"no end");
    }
    char ansi[16] = {};
    const int ansiBytes = WideCharToMultiByte(CP_ACP, 0, L"caf\u00E9 \u20AC", -1, ansi, 16, nullptr, nullptr);
    EXPECT_EQ("first\r\nsecond\r\n" + std::string(ansi, static_cast<size_t>(ansiBytes - 1)) + "\r\nno end",
              Contents(L"text.txt"))
        << "wide text is stored in the ANSI code page";

    CStdioFile file(Path(L"text.txt"), CFile::modeRead);
    wchar_t back[16] = {};
    MultiByteToWideChar(CP_ACP, 0, ansi, -1, back, 16);
    CString line;
    for (const CString& expected : {CString(L"first"), CString(L"second"), CString(back), CString(L"no end")})
    {
        ASSERT_TRUE(file.ReadString(line));
        EXPECT_EQ(expected, line);
    }
    EXPECT_FALSE(file.ReadString(line));
    EXPECT_TRUE(line.IsEmpty());

    // Binary mode: bytes pass unchanged and only LF ends a line.
    {
        CStdioFile binary(Path(L"binary.txt"), CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
        binary.WriteString(L"one\ntwo\r\n");
    }
    EXPECT_EQ("one\ntwo\r\n", Contents(L"binary.txt"));
    CStdioFile binary(Path(L"binary.txt"), CFile::modeRead | CFile::typeBinary);
    ASSERT_TRUE(binary.ReadString(line));
    ASSERT_TRUE(binary.ReadString(line));
    EXPECT_EQ(CString(L"two\r"), line);
}

TEST_F(AfxFile, StdioBufferFormKeepsTheNewlineAndSplitsLongLines)
{
    Put(L"buffer.txt", "abcdefgh\r\nxy\rz\n");
    CStdioFile file(Path(L"buffer.txt"), CFile::modeRead);
    wchar_t buffer[5];
    for (const wchar_t* expected : {L"abcd", L"efgh", L"\n"})
    {
        ASSERT_EQ(buffer, file.ReadString(buffer, 5)) << "nMax - 1 characters at most";
        EXPECT_STREQ(expected, buffer);
    }
    wchar_t wide[32];
    ASSERT_EQ(wide, file.ReadString(wide, 32));
    EXPECT_STREQ(L"xy\rz\n", wide) << "a lone CR is text";
    EXPECT_EQ(nullptr, file.ReadString(wide, 32));
}

TEST_F(AfxFile, StdioRawReadsSeeksAndWritesFollowTheLines)
{
    std::string content;
    std::string translated;
    for (int i = 0; i < 1000; ++i)
    {
        content += "line " + std::to_string(i) + "\r\n";
        translated += "line " + std::to_string(i) + "\n";
    }
    Put(L"many.txt", content);
    CStdioFile file(Path(L"many.txt"), CFile::modeReadWrite);
    CString line;
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(CString(L"line 0"), line);
    EXPECT_EQ(8u, file.GetPosition()) << "the read-ahead is not counted";

    // Text-mode reads drop the CR of every CR LF, also of one split across the read-ahead buffer.
    file.SeekToBegin();
    std::string all(content.size(), '\0');
    all.resize(file.Read(&all[0], static_cast<UINT>(all.size())));
    EXPECT_EQ(translated, all);
    file.Seek(-10, CFile::end);
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(CString(L"line 999"), line);
    EXPECT_FALSE(file.ReadString(line));

    // A write after a read lands where the reading stopped.
    file.SeekToBegin();
    ASSERT_TRUE(file.ReadString(line));
    file.WriteString(L"LINE 1\n");
    file.Close();
    EXPECT_EQ("line 0\r\nLINE 1\r\nline 2\r\n", Contents(L"many.txt").substr(0, 24));
    EXPECT_TRUE(ThrowsAfx<CNotSupportedException>([&] { file.Duplicate(); }));
}

#include "AfxTestSupport.h"
#include "harness/ScratchFolder.h"

#include <afx.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace
{
// A scratch folder of its own for each test, removed with its files afterwards.
class AfxFile : public ::testing::Test
{
protected:
    CString Path(LPCTSTR name) const { return m_folder.Path(name).c_str(); }

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

    testkit::TempFolder m_folder;
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

// The library's tests reach the status and writing through CStdioFile; the rest of CFile has one smoke test
// of what it adds to the system's calls: names, exceptions with their causes, positions and the status.
TEST_F(AfxFile, FileSmoke)
{
    CFile file;
    CFileException error;
    EXPECT_FALSE(file.Open(Path(L"absent.bin"), CFile::modeRead, &error)) << "Open does not throw";
    EXPECT_EQ(CFileException::fileNotFound, error.m_cause);
    EXPECT_EQ(Path(L"absent.bin"), error.m_strFileName);
    EXPECT_EQ(
        CFileException::badPath,
        CauseOf([&] { CFile thrown(Path(L"missing\\deeper.bin"), CFile::modeCreate | CFile::modeWrite); }));

    ASSERT_TRUE(
        file.Open(Path(L"data.bin"), CFile::modeCreate | CFile::modeReadWrite | CFile::shareDenyWrite));
    EXPECT_EQ(CString(L"data"), file.GetFileTitle());
    EXPECT_EQ(CFileException::sharingViolation,
              CauseOf([&] { CFile writer(Path(L"data.bin"), CFile::modeWrite); }));
    file.Write("hello world", 11);
    EXPECT_EQ(8u, file.Seek(-3, CFile::end));
    char buffer[16] = {};
    EXPECT_EQ(3u, file.Read(buffer, 16)) << "a short read at the end";
    file.SetLength(4);
    EXPECT_EQ(4u, file.GetPosition()) << "the position ends at the new length";
    EXPECT_EQ(CFileException::badSeek, CauseOf([&] { file.Seek(-100, CFile::begin); }));
    file.Close();
    EXPECT_EQ("hell", Contents(L"data.bin"));

    CFile reader(Path(L"data.bin"), CFile::modeRead);
    CString name;
    EXPECT_EQ(CFileException::accessDenied, CauseOf([&] { reader.Write("x", 1); }, &name));
    EXPECT_EQ(reader.GetFilePath(), name);
    reader.Close();
    CFileStatus status;
    ASSERT_TRUE(CFile::GetStatus(Path(L"data.bin"), status));
    EXPECT_EQ(4u, status.m_size);
    EXPECT_STREQ(Path(L"data.bin"), status.m_szFullName);
    EXPECT_FALSE(CFile::GetStatus(Path(CString(L'x', 300)), status)) << "beyond MAX_PATH";
    CFile::Remove(Path(L"data.bin"));
    EXPECT_FALSE(CFile::GetStatus(Path(L"data.bin"), status));
    EXPECT_EQ(CFileException::fileNotFound, CauseOf([&] { CFile::Remove(Path(L"data.bin")); }, &name));
    EXPECT_EQ(Path(L"data.bin"), name);
}

TEST_F(AfxFile, StdioTextModeTranslatesLineEndsBothWays)
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
    {
        CStdioFile file(Path(L"text.txt"), CFile::modeRead);
        wchar_t back[16] = {};
        MultiByteToWideChar(CP_ACP, 0, ansi, -1, back, 16);
        CString line;
        for (const CString& expected :
             {CString(L"first"), CString(L"second"), CString(back), CString(L"no end")})
        {
            ASSERT_TRUE(file.ReadString(line));
            EXPECT_EQ(expected, line);
        }
        EXPECT_FALSE(file.ReadString(line));
    }

    // Reads drop the CR of every CR LF, also of one split across the read-ahead buffer, which the
    // position does not count.
    std::string content, translated;
    for (int i = 0; i < 1000; ++i)
    {
        content += "line " + std::to_string(i) + "\r\n";
        translated += "line " + std::to_string(i) + "\n";
    }
    Put(L"many.txt", content);
    CStdioFile file(Path(L"many.txt"), CFile::modeReadWrite);
    CString line;
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(8u, file.GetPosition());
    file.SeekToBegin();
    std::string all(content.size(), '\0');
    all.resize(file.Read(&all[0], static_cast<UINT>(all.size())));
    EXPECT_EQ(translated, all);
    // The buffer form keeps the newline; a write after a read lands where the reading stopped.
    file.SeekToBegin();
    wchar_t buffer[5];
    ASSERT_EQ(buffer, file.ReadString(buffer, 5));
    EXPECT_STREQ(L"line", buffer);
    ASSERT_TRUE(file.ReadString(line));
    file.WriteString(L"LINE 1\n");
    file.Close();
    EXPECT_EQ("line 0\r\nLINE 1\r\n", Contents(L"many.txt").substr(0, 16));
}

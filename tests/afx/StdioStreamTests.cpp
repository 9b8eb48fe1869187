// CStdioFile on a C-runtime stream: text in the runtime's encodings keeps every character, and reads,
// writes and seeks go through the stream.
#include "AfxTestSupport.h"
#include "harness/ScratchFolder.h"

#include <afx.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace
{
class AfxStdioStream : public testing::Test
{
protected:
    std::string FileBytes() const
    {
        std::string bytes;
        if (FILE* pStream = _wfopen(m_strPath, L"rb"))
        {
            for (int ch; (ch = fgetc(pStream)) != EOF;)
                bytes += static_cast<char>(ch);
            fclose(pStream);
        }
        return bytes;
    }

    testkit::TempFolder m_folder;
    CString m_strPath = m_folder.Path(L"stream.txt").c_str();
};
} // namespace

TEST_F(AfxStdioStream, LinesInTheRuntimesEncodingsKeepEveryCharacter)
{
    // Euro sign and omega lie outside Latin-1, the face and the clef outside the Basic Multilingual Plane.
    const CString strLine = L"\u20AC\u03A9\U0001F600x";
    // A line longer than any one read: a piece boundary falls inside a surrogate pair.
    CString strLong;
    for (int i = 0; i < 300; ++i)
        strLong += L"\U0001D11E";
    const struct
    {
        LPCTSTR lpszMode;  // for writing; reading uses the same encoding
        std::string first; // the mark and the first line
        std::string clef, end;
    } cases[] = {
        {L"w, ccs=UTF-8", "\xEF\xBB\xBF\xE2\x82\xAC\xCE\xA9\xF0\x9F\x98\x80x\r\n", "\xF0\x9D\x84\x9E",
         "\r\n"},
        {L"w, ccs=UTF-16LE", std::string("\xFF\xFE\xAC\x20\xA9\x03\x3D\xD8\x00\xDEx\0\r\0\n\0", 16),
         "\x34\xD8\x1E\xDD", std::string("\r\0\n\0", 4)},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(CStringA(c.lpszMode).GetString());
        FILE* pOut = _wfopen(m_strPath, c.lpszMode);
        ASSERT_NE(nullptr, pOut);
        CStdioFile out(pOut);
        out.WriteString(strLine + L"\n");
        out.WriteString(strLong + L"\n");
        out.Close();
        EXPECT_EQ(nullptr, out.m_pStream);
        std::string expected = c.first;
        for (int i = 0; i < 300; ++i)
            expected += c.clef;
        EXPECT_EQ(expected + c.end, FileBytes());

        CString strReadMode(c.lpszMode);
        strReadMode.SetAt(0, L'r');
        FILE* pIn = _wfopen(m_strPath, strReadMode);
        ASSERT_NE(nullptr, pIn);
        CStdioFile in(pIn);
        CString strRead;
        EXPECT_TRUE(in.ReadString(strRead));
        EXPECT_EQ(strLine, strRead);
        EXPECT_TRUE(in.ReadString(strRead));
        EXPECT_EQ(strLong, strRead);
        EXPECT_FALSE(in.ReadString(strRead));
        EXPECT_EQ(L"", strRead);
        wchar_t szBuffer[8] = L"unread";
        EXPECT_EQ(nullptr, in.ReadString(szBuffer, 8));
        in.Close();
    }
}

TEST_F(AfxStdioStream, PositionsAreTheStreamsAndAWriteItRefusesThrows)
{
    FILE* pStream = _wfopen(m_strPath, L"w+b");
    ASSERT_NE(nullptr, pStream);
    CStdioFile file(pStream);
    file.Write("abc\ndef", 7);
    EXPECT_EQ(7u, file.GetLength()); // still in the stream's buffer
    EXPECT_EQ(2u, file.Seek(2, CFile::begin));
    char szRead[8] = {};
    EXPECT_EQ(5u, file.Read(szRead, 8));
    EXPECT_STREQ("c\ndef", szRead);
    file.Close();

    FILE* pReadOnly = _wfopen(m_strPath, L"r");
    ASSERT_NE(nullptr, pReadOnly);
    CStdioFile readOnly(pReadOnly);
    EXPECT_TRUE(ThrowsAfx<CFileException>([&] { readOnly.WriteString(L"no"); }));
}

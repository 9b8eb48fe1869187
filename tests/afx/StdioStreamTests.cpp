// CStdioFile on a C-runtime stream: text in the runtime's encodings keeps every character, and reads,
// writes and seeks go through the stream.
#include "AfxTestSupport.h"
#include "harness/ScratchFolder.h"

#include <afx.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace
{
typedef std::vector<unsigned char> Bytes;

Bytes Repeat(const Bytes& bytes, int nTimes)
{
    Bytes result;
    for (int i = 0; i < nTimes; ++i)
    {
        result.insert(result.end(), bytes.begin(), bytes.end());
    }
    return result;
}

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes result;
    for (const Bytes& part : parts)
    {
        result.insert(result.end(), part.begin(), part.end());
    }
    return result;
}

class AfxStdioStream : public testing::Test
{
protected:
    Bytes FileBytes() const
    {
        Bytes bytes;
        FILE* pStream = _wfopen(m_strPath, L"rb");
        if (pStream != nullptr)
        {
            for (int ch; (ch = fgetc(pStream)) != EOF;)
            {
                bytes.push_back(static_cast<unsigned char>(ch));
            }
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
    {
        strLong += L"\U0001D11E";
    }
    struct Case
    {
        LPCTSTR lpszWriteMode;
        LPCTSTR lpszReadMode;
        Bytes expected;
    } cases[] = {
        {L"w, ccs=UTF-8", L"r, ccs=UTF-8",
         Concat({{0xEF, 0xBB, 0xBF},
                 {0xE2, 0x82, 0xAC, 0xCE, 0xA9, 0xF0, 0x9F, 0x98, 0x80, 0x78, 0x0D, 0x0A},
                 Repeat({0xF0, 0x9D, 0x84, 0x9E}, 300),
                 {0x0D, 0x0A}})},
        {L"w, ccs=UTF-16LE", L"r, ccs=UTF-16LE",
         Concat({{0xFF, 0xFE},
                 {0xAC, 0x20, 0xA9, 0x03, 0x3D, 0xD8, 0x00, 0xDE, 0x78, 0x00, 0x0D, 0x00, 0x0A, 0x00},
                 Repeat({0x34, 0xD8, 0x1E, 0xDD}, 300),
                 {0x0D, 0x00, 0x0A, 0x00}})},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(CStringA(c.lpszWriteMode).GetString());
        FILE* pOut = _wfopen(m_strPath, c.lpszWriteMode);
        ASSERT_NE(nullptr, pOut);
        CStdioFile out(pOut);
        EXPECT_EQ(pOut, out.m_pStream);
        out.WriteString(strLine + L"\n");
        out.WriteString(strLong + L"\n");
        out.Close();
        EXPECT_EQ(nullptr, out.m_pStream);
        EXPECT_EQ(c.expected, FileBytes());

        FILE* pIn = _wfopen(m_strPath, c.lpszReadMode);
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

TEST_F(AfxStdioStream, BytesAndPositionsGoThroughTheStream)
{
    FILE* pStream = _wfopen(m_strPath, L"w+b");
    ASSERT_NE(nullptr, pStream);
    CStdioFile file(pStream);
    file.Write("abc\ndef", 7);
    // Still in the stream's buffer: the length is the stream's view.
    EXPECT_EQ(7u, file.GetLength());
    EXPECT_EQ(7u, file.GetPosition());
    EXPECT_EQ(2u, file.Seek(2, CFile::begin));
    char szRead[8] = {};
    EXPECT_EQ(5u, file.Read(szRead, 8));
    EXPECT_STREQ("c\ndef", szRead);
    EXPECT_EQ(4u, file.Seek(-3, CFile::end));
    file.Flush();
    EXPECT_EQ((Bytes{'a', 'b', 'c', '\n', 'd', 'e', 'f'}), FileBytes());
    file.Close();

    // A stream opened for reading refuses the write, and the refusal is an exception.
    FILE* pReadOnly = _wfopen(m_strPath, L"r");
    ASSERT_NE(nullptr, pReadOnly);
    CStdioFile readOnly(pReadOnly);
    EXPECT_TRUE(ThrowsAfx<CFileException>([&] { readOnly.WriteString(L"no"); }));
    wchar_t szLine[8] = {};
    EXPECT_STREQ(L"abc\n", readOnly.ReadString(szLine, 8));
    readOnly.Close();
}

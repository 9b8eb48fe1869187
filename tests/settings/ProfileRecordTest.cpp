#include "files/VTextFile.h"
#include "settings/ProfileRecord.h"
#include "settings/ProfileValues.h"

#include <afxwin.h>

#include <gtest/gtest.h>

#include <string>

namespace
{
class SettingsRecordFile : public testing::Test
{
protected:
    void SetUp() override
    {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        path = std::wstring(temp) + L"pardalin-record-" + std::to_wstring(GetCurrentProcessId()) + L".txt";
    }
    void TearDown() override { DeleteFileW(path.c_str()); }

    void WriteBytes(const std::string& bytes)
    {
        HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(handle);
    }

    std::string ReadBytes()
    {
        HANDLE handle =
            CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        std::string bytes(1 << 16, '\0');
        DWORD got = 0;
        ReadFile(handle, &bytes[0], static_cast<DWORD>(bytes.size()), &got, nullptr);
        CloseHandle(handle);
        bytes.resize(got);
        return bytes;
    }

    bool Open(VTextFile& file) { return file.Open(path.c_str(), GENERIC_READ, OPEN_EXISTING); }

    // Runs save(CStdioFile&) of a holder into the file and returns what landed on disk.
    template <class Holder> std::string Saved(Holder& holder)
    {
        {
            CStdioFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeText);
            holder.save(file);
        }
        return ReadBytes();
    }

    std::wstring path;
};
} // namespace

TEST_F(SettingsRecordFile, RecordsAreReadOneAtATime)
{
    WriteBytes("[Main]\r\nCount=0000000a\r\nName=x=y\r\n\r\n[Other] trailing]\nA=1\n");
    VTextFile file;
    ASSERT_TRUE(Open(file));
    ProfileRecord record;
    EXPECT_STREQ(L"Main", record.load(file).GetString());
    const ProfileRecord& view = record;
    EXPECT_STREQ(L"0000000a", view[VUnicodeString(L"Count")].GetString());
    EXPECT_STREQ(L"x=y", view[VUnicodeString(L"Name")].GetString()) << "split at the first =";

    EXPECT_STREQ(L"Other] trailing", record.load(file).GetString()) << "the name runs to the last ]";
    EXPECT_STREQ(L"1", view[VUnicodeString(L"A")].GetString());
    EXPECT_STREQ(L"", view[VUnicodeString(L"Count")].GetString()) << "a new record clears the old entries";
    EXPECT_STREQ(L"", record.load(file).GetString()) << "the end of the file";
    EXPECT_STREQ(L"1", view[VUnicodeString(L"A")].GetString()) << "a failed load leaves the map";
}

TEST_F(SettingsRecordFile, ALineThatIsNoHeaderIsConsumedAndLeavesTheMap)
{
    WriteBytes("[First]\nKeep=1\n\nCount=1\n[Second]\nB=2\n[Third]\nC=3\n\n[Fourth]\n");
    VTextFile file;
    ASSERT_TRUE(Open(file));
    ProfileRecord record;
    EXPECT_STREQ(L"First", record.load(file).GetString());
    EXPECT_STREQ(L"", record.load(file).GetString()) << "Count=1 is no header";
    EXPECT_STREQ(L"1", record[VUnicodeString(L"Keep")].GetString());
    EXPECT_STREQ(L"Second", record.load(file).GetString());
    // Without an empty line in between, [Third] ended [Second] and was consumed with it.
    EXPECT_STREQ(L"", record.load(file).GetString()) << "C=3 is no header";
    EXPECT_STREQ(L"", record.load(file).GetString()) << "nor is the empty line after it";
    EXPECT_STREQ(L"Fourth", record.load(file).GetString());
}

TEST_F(SettingsRecordFile, RepeatedKeysKeepTheLastAndLookupsAreExact)
{
    WriteBytes("[R]\nKey=1\nKey=2\n key=3\n");
    VTextFile file;
    ASSERT_TRUE(Open(file));
    ProfileRecord record;
    ASSERT_STREQ(L"R", record.load(file).GetString());
    const ProfileRecord& view = record;
    EXPECT_STREQ(L"2", view[VUnicodeString(L"Key")].GetString());
    EXPECT_STREQ(L"3", view[VUnicodeString(L" key")].GetString()) << "nothing is trimmed";
    EXPECT_STREQ(L"", view[VUnicodeString(L"KEY")].GetString()) << "keys match case-sensitively";

    // The const lookup adds nothing; the other one adds an empty value, which copies carry.
    ProfileRecord copy = record;
    EXPECT_STREQ(L"", copy[VUnicodeString(L"Added")].GetString());
    ProfileRecord second;
    second = copy;
    ProfileInt added;
    added.init(second, L"Added", 9);
    EXPECT_EQ(9, static_cast<int>(added)) << "an empty value is the same as an absent one";
}

TEST_F(SettingsRecordFile, IntegersAreEightHexDigits)
{
    WriteBytes("[N]\nCount=0000000a\nMinus=ffffffff\nEmpty=\nJunk=zz9\nPadded=  0x1F\n");
    VTextFile file;
    ASSERT_TRUE(Open(file));
    ProfileRecord record;
    record.load(file);

    ProfileInt value;
    value.init(record, L"Count", 5);
    EXPECT_EQ(10, static_cast<int>(value));
    value.init(record, L"Absent", 5);
    EXPECT_EQ(5, static_cast<int>(value));
    value.init(record, L"Empty", 5);
    EXPECT_EQ(5, static_cast<int>(value));
    value.init(record, L"Minus", 5);
    EXPECT_EQ(-1, static_cast<int>(value));
    value.init(record, L"Junk", 5);
    EXPECT_EQ(0, static_cast<int>(value)) << "no hex digit reads as 0";
    value.init(record, L"Padded", 5);
    EXPECT_EQ(31, static_cast<int>(value)) << "blanks and 0x are accepted";
    file.Close();

    ProfileInt count;
    count.init(record, L"Count", 10);
    EXPECT_EQ("", Saved(count)) << "nothing is written at the default";
    count = -2;
    EXPECT_EQ("Count=fffffffe\r\n", Saved(count));
}

TEST_F(SettingsRecordFile, DoublesAreWholeThousandths)
{
    ProfileDouble scale;
    ProfileRecord empty;
    scale.init(empty, L"Scale", 1.0);
    EXPECT_EQ("Scale=000003e8\r\n", Saved(scale)) << "a double is written even at its default";
    scale = 1.2345;
    EXPECT_EQ("Scale=000004d3\r\n", Saved(scale));
    scale = 2.5;
    EXPECT_EQ("Scale=000009c4\r\n", Saved(scale));

    WriteBytes("[D]\nScale=000004d3\nNegative=fffffb2e\n");
    VTextFile file;
    ASSERT_TRUE(Open(file));
    ProfileRecord record;
    record.load(file);
    ProfileDouble read;
    read.init(record, L"Scale", 0.0);
    EXPECT_DOUBLE_EQ(1.235, static_cast<double>(read));
    read.init(record, L"Negative", 0.0);
    EXPECT_DOUBLE_EQ(-1.234, static_cast<double>(read)) << "negative thousandths read back";
}

TEST_F(SettingsRecordFile, StringsCompareWithTheirDefault)
{
    ProfileString name;
    name.init(L"Name", L"abc");
    EXPECT_EQ("", Saved(name));
    name = L"";
    EXPECT_EQ("Name=\r\n", Saved(name)) << "an empty value differs from the default";

    WriteBytes("[S]\nName=\n");
    VTextFile file;
    ASSERT_TRUE(Open(file));
    ProfileRecord record;
    record.load(file);
    ProfileString read;
    read.init(record, L"Name", L"abc");
    EXPECT_STREQ(L"abc", read.m_value) << "reading it back gives the default";
    file.Close();

    ProfileString longText;
    longText.init(L"Long", L"");
    longText = CString(L'q', 9000);
    const std::string saved = Saved(longText);
    EXPECT_EQ(std::string("Long=") + std::string(8000, 'q') + "\r\n", saved);
}

TEST_F(SettingsRecordFile, FontTextRoundTripAndItsLimits)
{
    ProfileLogfont font;
    ProfileRecord none;
    font.init(none, L"Font", L"Courier New", 16);
    EXPECT_EQ(-16, font.m_logfont.lfHeight);
    EXPECT_EQ(120, font.m_pointSize);
    EXPECT_EQ(400, font.m_logfont.lfWeight);
    EXPECT_EQ(1, font.m_logfont.lfCharSet);
    EXPECT_EQ(1, font.m_logfont.lfPitchAndFamily);
    EXPECT_STREQ(L"Courier New", font.m_logfont.lfFaceName);
    EXPECT_TRUE(font.m_string.m_value.IsEmpty()) << "the default font leaves the text empty";

    font.m_logfont.lfItalic = 255;
    font.m_logfont.lfEscapement = -900;
    EXPECT_EQ("Font=120,-16,0,-900,0,400,255,0,0,1,0,0,0,1,Courier New\r\n", Saved(font));

    ProfileLogfont back;
    back = L"120,-16,0,-900,0,400,255,0,0,1,0,0,0,1,Courier New";
    EXPECT_FALSE(back != font.m_logfont);
    EXPECT_EQ(120, back.m_pointSize);

    // The face name stops at the first character outside space .. z; byte fields keep their low eight bits.
    back = L"90,-12,0,0,0,700,257,0,0,0,0,0,0,0,Caf\u00e9 Sans";
    EXPECT_STREQ(L"Caf", back.m_logfont.lfFaceName);
    EXPECT_EQ(1, back.m_logfont.lfItalic);
    back = L"90,-12,0,0,0,700,0,0,0,0,0,0,0,0,Name{braces}";
    EXPECT_STREQ(L"Name", back.m_logfont.lfFaceName);

    // A face name longer than the field is cut, never written past it.
    back = (L"80,-11,0,0,0,400,0,0,0,0,0,0,0,0," + std::wstring(200, L'F')).c_str();
    EXPECT_EQ(std::wstring(LF_FACESIZE - 1, L'F'), back.m_logfont.lfFaceName);

    // Scanning stops at the first field that does not match.
    ProfileLogfont partial(back);
    partial = L"100,-13,x,5";
    EXPECT_EQ(100, partial.m_pointSize);
    EXPECT_EQ(-13, partial.m_logfont.lfHeight);
    EXPECT_EQ(back.m_logfont.lfWeight, partial.m_logfont.lfWeight);
    EXPECT_EQ(std::wstring(LF_FACESIZE - 1, L'F'), partial.m_logfont.lfFaceName);
}

TEST(SettingsHostProfile, HoldersRoundTripThroughTheApplicationProfile)
{
    ASSERT_NE(nullptr, AfxGetApp()) << "the test program runs with an application object";
    const std::wstring section = L"Holders" + std::to_wstring(GetCurrentProcessId());

    ProfileInt count;
    count.init(section.c_str(), L"Count", 3);
    EXPECT_EQ(3, static_cast<int>(count)) << "absent: the default";
    count = -7;
    count.save(section.c_str());
    ProfileInt readCount;
    readCount.init(section.c_str(), L"Count", 3);
    EXPECT_EQ(-7, static_cast<int>(readCount));

    ProfileDouble scale;
    scale.init(section.c_str(), L"Scale", 0.5);
    EXPECT_DOUBLE_EQ(0.5, static_cast<double>(scale));
    scale = -2.25;
    scale.save(section.c_str());
    ProfileDouble readScale;
    readScale.init(section.c_str(), L"Scale", 0.5);
    // -2250 + 0.5 truncated toward zero is stored: the thousandths rule rounds negative values up.
    EXPECT_DOUBLE_EQ(-2.249, static_cast<double>(readScale));

    ProfileString name;
    name.init(section.c_str(), L"Name", L"default");
    EXPECT_STREQ(L"default", name.m_value);
    name = L"chosen";
    name.save(section.c_str());
    ProfileLogfont font;
    font.init(section.c_str(), L"Font", L"90,-12,0,0,0,700,0,0,0,0,0,0,0,0,Arial");
    font.m_logfont.lfWeight = 400;
    font.save(section.c_str());

    ProfileString readName;
    readName.init(section.c_str(), L"Name", L"default");
    EXPECT_STREQ(L"chosen", readName.m_value);
    ProfileLogfont readFont;
    readFont.init(section.c_str(), L"Font", L"");
    EXPECT_FALSE(readFont != font.m_logfont);
    EXPECT_EQ(400, readFont.m_logfont.lfWeight);

    AfxGetApp()->WriteProfileString(section.c_str(), nullptr, nullptr);
}

#include "files/FileTestSupport.h"
#include "settings/ProfileRecord.h"
#include "settings/ProfileValues.h"

#include <afxwin.h>

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <memory>
#include <tuple>

namespace
{
// A section of the application profile that belongs to this process alone; emptied when the test ends.
class ProfileSection
{
public:
    ProfileSection() : name(L"Holders" + std::to_wstring(GetCurrentProcessId())) {}
    ~ProfileSection() { AfxGetApp()->WriteProfileString(name.c_str(), nullptr, nullptr); }

    const std::wstring name;
};

class SettingsRecordFile : public testing::Test
{
protected:
    // Writes the bytes to the file and opens it for reading, as a new reader.
    void Open(const std::string& bytes)
    {
        file.reset();
        ASSERT_TRUE(filetest::WriteBytes(path, bytes));
        file = std::make_unique<VTextFile>();
        ASSERT_TRUE(file->Open(path.c_str(), GENERIC_READ, OPEN_EXISTING));
    }
    std::wstring Load() { return record.load(*file).GetString(); }

    // Runs save(CStdioFile&) of a holder into the file and returns what landed on disk.
    template <class Holder> std::string Saved(Holder& holder)
    {
        file.reset();
        {
            CStdioFile out(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeText);
            holder.save(out);
        }
        return filetest::ReadBytes(path);
    }

    testkit::TempFolder folder;
    const std::wstring path = folder.Path(L"record.txt");
    std::unique_ptr<VTextFile> file;
    ProfileRecord record;
    const ProfileRecord& view = record;
};

std::wstring Value(const ProfileRecord& record, const wchar_t* key)
{
    return record[VUnicodeString(key)].GetString();
}
} // namespace

TEST_F(SettingsRecordFile, RecordsAreReadOneAtATime)
{
    Open("[Main]\r\nCount=1\r\nCount=0000000a\r\n key=3\r\nName=x=y\r\n\r\n[Other] trailing]\nA=1\n");
    EXPECT_EQ(L"Main", Load());
    EXPECT_EQ(L"0000000a", Value(view, L"Count")) << "a repeated key keeps its last value";
    EXPECT_EQ(L"x=y", Value(view, L"Name")) << "split at the first =";
    EXPECT_EQ(L"3", Value(view, L" key")) << "nothing is trimmed";
    EXPECT_EQ(L"", Value(view, L"COUNT")) << "keys match case-sensitively";

    EXPECT_EQ(L"Other] trailing", Load()) << "the name runs to the last ]";
    EXPECT_EQ(L"1", Value(view, L"A"));
    EXPECT_EQ(L"", Value(view, L"Count")) << "a new record clears the old entries";
    EXPECT_EQ(L"", Load()) << "the end of the file";
    EXPECT_EQ(L"1", Value(view, L"A")) << "a failed load leaves the map";

    // A line that is no header is consumed; without an empty line, [Third] ends [Second] and goes with it.
    Open("[First]\nKeep=1\n\nCount=1\n[Second]\nB=2\n[Third]\nC=3\n\n[Fourth]\n");
    for (const wchar_t* name : {L"First", L"", L"Second", L"", L"", L"Fourth", L""})
        EXPECT_EQ(name, Load());
    EXPECT_EQ(L"", Value(view, L"Keep")) << "Fourth has no entries";
}

TEST_F(SettingsRecordFile, IntegersAreEightHexDigits)
{
    const struct
    {
        const wchar_t* key;
        int expected;
    } cases[] = {{L"Count", 10}, {L"Absent", 5}, {L"Empty", 5},
                 {L"Minus", -1}, {L"Junk", 0},   {L"Padded", 31}};
    Open("[N]\nCount=0000000a\nMinus=ffffffff\nEmpty=\nJunk=zz9\nPadded=  0x1F\n");
    Load();
    for (const auto& c : cases)
    {
        ProfileInt value;
        value.init(view, c.key, 5);
        EXPECT_EQ(c.expected, static_cast<int>(value)) << c.key;
    }

    ProfileInt count;
    count.init(view, L"Count", 10);
    EXPECT_EQ("", Saved(count)) << "nothing is written at the default";
    count = -2;
    EXPECT_EQ("Count=fffffffe\r\n", Saved(count));
}

// A double is stored as whole thousandths in 32 bits (the application profile takes the same number, below).
TEST_F(SettingsRecordFile, DoublesAreStoredAsThousandthsWithinThe32BitRange)
{
    const double infinity = std::numeric_limits<double>::infinity();
    const struct
    {
        double value;
        int stored;
    } cases[] = {
        {1.0, 1000},     {1.2345, 1235},      {2.5, 2500},      {-2.25, -2249},       {2147483.647, INT_MAX},
        {1e12, INT_MAX}, {infinity, INT_MAX}, {-1e12, INT_MIN}, {-infinity, INT_MIN}, {std::nan(""), 0}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.value);
        ProfileDouble scale;
        scale.init(ProfileRecord(), L"Scale", c.value);
        wchar_t line[32];
        swprintf(line, 32, L"Scale=%08x\r\n", static_cast<unsigned int>(c.stored));
        const std::string saved = Saved(scale);
        EXPECT_EQ(std::string(CStringA(line)), saved) << "written even at the default";
        Open("[D]\n" + saved);
        Load();
        ProfileDouble read;
        read.init(view, L"Scale", 0.0);
        EXPECT_DOUBLE_EQ(c.stored / 1000.0, static_cast<double>(read));
    }
}

TEST_F(SettingsRecordFile, StringsCompareWithTheirDefault)
{
    ProfileString name;
    name.init(L"Name", L"abc");
    EXPECT_EQ("", Saved(name));
    name = L"";
    EXPECT_EQ("Name=\r\n", Saved(name)) << "an empty value differs from the default";

    Open("[S]\nName=\n");
    Load();
    ProfileString read;
    read.init(view, L"Name", L"abc");
    EXPECT_STREQ(L"abc", read.m_value) << "reading it back gives the default";

    name = CString(L'q', 9000);
    EXPECT_EQ("Name=" + std::string(8000, 'q') + "\r\n", Saved(name));
}

TEST_F(SettingsRecordFile, FontTextRoundTripAndItsLimits)
{
    ProfileLogfont font;
    font.init(view, L"Font", L"Courier New", 16);
    const LOGFONTW courier = {-16, 0, 0, 0, 400, 0, 0, 0, 1, 0, 0, 0, 1, L"Courier New"};
    EXPECT_TRUE(!(font != courier) && font.m_pointSize == 120);
    EXPECT_TRUE(font.m_string.m_value.IsEmpty()) << "the default font leaves the text empty";

    font.m_logfont.lfItalic = 255;
    font.m_logfont.lfEscapement = -900;
    EXPECT_EQ("Font=120,-16,0,-900,0,400,255,0,0,1,0,0,0,1,Courier New\r\n", Saved(font));
    ProfileLogfont back;
    back = L"120,-16,0,-900,0,400,255,0,0,1,0,0,0,1,Courier New";
    EXPECT_TRUE(!(back != font.m_logfont) && back.m_pointSize == 120);

    // The face name stops at the first character outside space .. z and never runs past the field; byte
    // fields keep their low eight bits.
    const std::pair<std::wstring, std::wstring> faces[] = {
        {L"Caf\u00e9 Sans", L"Caf"},
        {L"Name{braces}", L"Name"},
        {L"Tilde~", L"Tilde"},
        {std::wstring(200, L'F'), std::wstring(LF_FACESIZE - 1, L'F')}};
    for (const auto& face : faces)
    {
        back = (L"90,-12,0,0,0,700,257,0,0,0,0,0,0,0," + face.first).c_str();
        EXPECT_EQ(face.second, back.m_logfont.lfFaceName);
        EXPECT_EQ(1, back.m_logfont.lfItalic);
    }

    // Scanning stops at the first field that does not match.
    ProfileLogfont partial(back);
    partial = L"100,-13,x,5";
    EXPECT_TRUE(partial.m_pointSize == 100 && partial.m_logfont.lfHeight == -13 &&
                partial.m_logfont.lfWeight == 700 &&
                std::wstring(LF_FACESIZE - 1, L'F') == partial.m_logfont.lfFaceName);
}

namespace
{
// What the profile kept of the holders' changed values, saved and read back: count, scale, name and weight.
std::tuple<int, double, std::wstring, LONG> SaveAndReadBack(const wchar_t* section)
{
    ProfileInt count;
    ProfileDouble scale;
    ProfileString name;
    ProfileLogfont font;
    const auto load = [&]
    {
        count.init(section, L"Count", 3);
        scale.init(section, L"Scale", 1.2345);
        name.init(section, L"Name", L"default");
        font.init(section, L"Font", L"90,-12,0,0,0,700,0,0,0,0,0,0,0,0,Arial");
    };
    load();
    EXPECT_EQ(3, static_cast<int>(count)) << "an absent entry gives the default";
    count = -7;
    scale = -2.25;
    name = L"chosen";
    font.m_logfont.lfWeight = 400;
    count.save(section);
    scale.save(section);
    name.save(section);
    font.save(section);
    load();
    return {count, scale, name.m_value.GetString(), font.m_logfont.lfWeight};
}
} // namespace

TEST(SettingsHostProfile, HoldersUseTheApplicationProfileAndWithoutOneKeepTheirDefaults)
{
    const ProfileSection section;
    const wchar_t* const name = section.name.c_str();
    CWinApp* const app = afxCurrentWinApp;
    afxCurrentWinApp = nullptr; // as in a host without an application object
    const auto defaults = SaveAndReadBack(name);
    afxCurrentWinApp = app;
    // The double's default comes back as the profile would have stored it.
    EXPECT_EQ(std::make_tuple(3, 1.235, std::wstring(L"default"), 700L), defaults);
    for (const wchar_t* key : {L"Count", L"Scale", L"Name", L"Font"})
        EXPECT_STREQ(L"absent", AfxGetApp()->GetProfileString(name, key, L"absent")) << key;
    // -2250 + 0.5 truncated toward zero is stored: the thousandths rule rounds negative values up.
    EXPECT_EQ(std::make_tuple(-7, -2.249, std::wstring(L"chosen"), 400L), SaveAndReadBack(name));
}

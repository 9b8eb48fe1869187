// Mutation fuzzing of the record reader and of path templates. Inputs come from a fixed seed, so a failure
// reproduces; PARDALIN_FUZZ_ROUNDS sets how many.
#include "files/FileTestSupport.h"
#include "files/VTextFile.h"
#include "files/detail/PathExpansion.h"
#include "frame/VReportMessageParams.h"
#include "fuzz/FuzzSupport.h"
#include "settings/ProfileRecord.h"
#include "settings/ProfileValues.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>
#include "resources/HostMessageIds.h"

namespace
{
using Generator = fuzz::Random;

// A record file as the host writes it, with some lines the reader must take in its stride.
std::wstring RecordText(Generator& random)
{
    static const wchar_t keyChars[] = L"abcXYZ09 _-.[]\t\u00e9\u4e2d";
    static const wchar_t valueChars[] = L"abc09=[] \t%\u00e9\u4e2d\U0001F600";
    static const wchar_t* const lineEnds[] = {L"\r\n", L"\n", L"\r"};
    std::wstring text;
    const int lines = static_cast<int>(random.Below(40));
    for (int i = 0; i < lines; ++i)
    {
        switch (random.Below(6))
        {
        case 0:
            text += L"[Record" + std::to_wstring(random.Below(100)) + L"]";
            break;
        case 1:
            text += L"[";
            break;
        case 2:
            break; // an empty line ends a record
        default:
            for (int n = static_cast<int>(random.Below(12)); n > 0; --n)
                text += random.Pick(keyChars);
            text += L'=';
            for (int n = static_cast<int>(random.Below(30)); n > 0; --n)
                text += random.Pick(valueChars);
        }
        text += lineEnds[random.Below(3)];
    }
    return text;
}

} // namespace

TEST(FuzzSettings, RecordReaderTakesAnyFile)
{
    const testkit::TempFolder folder;
    const std::wstring path = folder.Path(L"record.txt");
    static const char interesting[] = {'\r', '\n', '[', ']', '=', '\0', '\xC3', '\xFF'};
    fuzz::ForEachRound(0x5eed0001, 300,
                       [&](Generator& random)
                       {
                           std::string bytes = filetest::EncodeFile(RecordText(random),
                                                                    filetest::AllEncodings[random.Below(4)]);
                           if (random.Below(2))
                               bytes = fuzz::Mutate(random, bytes, interesting, 3, 3);
                           ASSERT_TRUE(filetest::WriteBytes(path, bytes));
                           VTextFile file;
                           ASSERT_TRUE(file.Open(path.c_str(), GENERIC_READ, OPEN_EXISTING));
                           ProfileRecord record;
                           // Every load consumes at least one line, so the loop ends within the file's line
                           // count.
                           for (int loads = 0;; ++loads)
                           {
                               ASSERT_LT(loads, static_cast<int>(bytes.size()) + 2);
                               const VUnicodeString name = record.load(file);
                               ASSERT_TRUE(name.Find(L'\r') < 0 && name.Find(L'\n') < 0);
                               VUnicodeString rest;
                               if (name.IsEmpty() && !file.ReadLine(rest))
                                   break;
                               ProfileInt number;
                               number.init(record, L"abc", 1);
                               ProfileLogfont font;
                               font.init(record, L"abc", L"", 12);
                               ASSERT_EQ(L'\0', font.m_logfont.lfFaceName[LF_FACESIZE - 1]);
                           }
                       });
}

TEST(FuzzSettings, PathTemplatesFailOnlyWithTheirTwoMessages)
{
    static const wchar_t alphabet[] = L"%%%YMDhmstSHX:\\ab.\u00e9";
    fuzz::ForEachRound(0x5eed0002, 2000,
                       [](Generator& random)
                       {
                           std::wstring text;
                           for (int n = static_cast<int>(random.Below(24)); n > 0; --n)
                               text += random.Pick(alphabet);
                           const wchar_t* valueH = random.Below(2) ? L"fe80::1" : nullptr;
                           const wchar_t* valueS = random.Below(2) ? L"session" : nullptr;
                           VReportMessageParams params;
                           const VUnicodeString result = pardalin::detail::ExpandPathTemplate(
                               VUnicodeString(text.c_str()), params, valueH, valueS);
                           const DWORD id = params.GetMessageId();
                           if (id == 0)
                           {
                               ASSERT_TRUE(text.find(L':') != std::wstring::npos || result.Find(L':') < 0)
                                   << "%H brings no colon";
                               return;
                           }
                           ASSERT_TRUE(result.IsEmpty());
                           if (id == MSG_HOST_LONE_PERCENT)
                           {
                               ASSERT_TRUE(params.GetInsertCount() == 0 && text.back() == L'%');
                               return;
                           }
                           ASSERT_EQ(MSG_HOST_UNKNOWN_PLACEHOLDER, id);
                           ASSERT_EQ(1, params.GetInsertCount());
                           const std::wstring insert = params.GetInserts()[0];
                           ASSERT_TRUE(insert.size() >= 2 && insert.front() == L'%' &&
                                       text.find(insert) != std::wstring::npos)
                               << insert;
                       });
}

// Mutation fuzzing of VTextFile against a small reference model. Every input, valid or not, has exactly one
// right answer: the model decodes the whole file at once (the byte-order mark picks the encoding, UTF-8 stops
// at the first invalid sequence and drops an incomplete one at the end, UTF-16 drops an odd last byte) and
// splits the text at CR LF, CR and LF. The reader, which works in 4096-byte blocks, must give the same lines.
#include "files/FileTestSupport.h"
#include "files/VTextFile.h"
#include "fuzz/FuzzSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

using namespace filetest;

namespace
{
using fuzz::Random;

// The model's UTF-8 decoder, written for clarity: the whole file in one go.
std::wstring ModelUtf8(const std::string& bytes)
{
    std::wstring text;
    for (size_t i = 0; i < bytes.size();)
    {
        const unsigned char lead = static_cast<unsigned char>(bytes[i]);
        const size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        if (bytes.size() - i < length)
            break;
        std::uint32_t value = length == 1 ? lead : lead & (0x7F >> length);
        bool valid = !(length == 4 && lead >= 0xF8);
        for (size_t k = 1; k < length; ++k)
        {
            const unsigned char next = static_cast<unsigned char>(bytes[i + k]);
            valid = valid && (next & 0xC0) == 0x80;
            value = (value << 6) | (next & 0x3F);
        }
        if (!valid || value >= 0x110000)
            break;
        text += Utf16Of(value);
        i += length;
    }
    return text;
}

// The text the model reads from a whole file.
std::wstring ModelText(const std::string& file)
{
    if (file.compare(0, 3, "\xEF\xBB\xBF") == 0)
        return ModelUtf8(file.substr(3));
    if (file.compare(0, 2, "\xFF\xFE") == 0 || file.compare(0, 2, "\xFE\xFF") == 0)
    {
        const bool little = file[0] == '\xFF';
        std::wstring text;
        for (size_t i = 2; i + 1 < file.size(); i += 2)
        {
            const unsigned first = static_cast<unsigned char>(file[i]);
            const unsigned second = static_cast<unsigned char>(file[i + 1]);
            text += static_cast<wchar_t>(little ? first | (second << 8) : (first << 8) | second);
        }
        return text;
    }
    // A single-byte ANSI code page converts each byte on its own, so the whole file converts as its blocks
    // do.
    std::wstring text(file.size(), L'\0');
    if (!file.empty())
        text.resize(static_cast<size_t>(MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, file.data(),
                                                            static_cast<int>(file.size()), &text[0],
                                                            static_cast<int>(text.size()))));
    return text;
}

// Valid text in an encoding: words, characters beyond ASCII and mixed line ends, often sized so that the
// text reaches just past a block boundary. Now and then the mark is left out, which makes it ANSI.
std::string ValidFile(Random& random, Encoding encoding)
{
    const size_t target = random.Chance(50)
                              ? (1 + random.Below(3)) * VTextFile::BufferSize - 8 + random.Below(16)
                              : random.Below(9000);
    const std::string mark = random.Chance(90) ? MarkOf(encoding) : std::string();
    const Encoding effective = mark.empty() ? VTextFile::Ansi : encoding;
    std::string body;
    while (mark.size() + body.size() < target)
    {
        const std::uint32_t pick = random.Below(10);
        std::wstring piece = pick == 0 ? L"\r\n" : pick == 1 ? L"\r" : pick == 2 ? L"\n" : L"";
        if (pick == 3)
        {
            // Anything beyond ASCII in the Unicode encodings (no surrogate code points), Latin-1 in ANSI.
            std::uint32_t codePoint =
                effective == VTextFile::Ansi ? 0xA0 + random.Below(0x60) : 0x80 + random.Below(0x10FF80);
            piece = Utf16Of(codePoint >= 0xD800 && codePoint < 0xE000 ? codePoint + 0x800 : codePoint);
        }
        for (std::uint32_t i = pick > 3 ? 1 + random.Below(12) : 0; i > 0; --i)
            piece += static_cast<wchar_t>(L' ' + random.Below(95));
        body += Encode(piece, effective);
    }
    return mark + body;
}

// Changes a few bytes: flips, insertions, removals, and bytes that matter to the reader.
std::string Mutate(Random& random, const std::string& bytes)
{
    static const char interesting[] = {'\r',   '\n',   '\0',   '\x80', '\xBF', '\xC3',
                                       '\xE2', '\xF0', '\xF8', '\xFF', '\xFE'};
    return fuzz::Mutate(random, bytes, interesting, 6, 1);
}

} // namespace

TEST(FuzzTextFile, ReaderAgreesWithTheModel)
{
    CPINFO codePage;
    ASSERT_TRUE(GetCPInfo(CP_ACP, &codePage) && codePage.MaxCharSize == 1)
        << "the model converts ANSI text as a single-byte code page";
    TempFolder folder;
    const std::wstring path = folder.Path(L"fuzz.txt");
    // One writer for every round: creating the file anew each time would cost more than reading it.
    const HANDLE writer = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, writer);
    const auto rewrite = [writer](const std::string& bytes)
    {
        DWORD written = 0;
        return SetFilePointer(writer, 0, nullptr, FILE_BEGIN) == 0 &&
               WriteFile(writer, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
               written == bytes.size() && SetEndOfFile(writer);
    };

    static const char marks[][4] = {"", "\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"};
    static const char lineEnds[] = {'\r', '\n'};
    fuzz::ForEachRound(
        0x5EED5EED12345ull, 400,
        [&](Random& random)
        {
            // Valid text, mutated text, or text-like random bytes behind any mark.
            const std::uint32_t kind = random.Below(3);
            const std::string bytes =
                kind == 2 ? marks[random.Below(4)] +
                                fuzz::WeightedBytes(random, 3 * VTextFile::BufferSize, lineEnds, 20, 20)
                : kind == 1 ? Mutate(random, ValidFile(random, AllEncodings[random.Below(4)]))
                            : ValidFile(random, AllEncodings[random.Below(4)]);
            ASSERT_TRUE(rewrite(bytes));
            const std::vector<std::wstring> expected = ReferenceLines(ModelText(bytes));

            VTextFile file;
            file.SetShareMode(FILE_SHARE_READ | FILE_SHARE_WRITE);
            file.SetLockWhileReading(random.Chance(20));
            ASSERT_TRUE(file.Open(path.c_str(), GENERIC_READ, OPEN_EXISTING));
            std::vector<std::wstring> lines;
            // Copies of some lines, which reading the next line into the same string must leave alone.
            std::vector<std::pair<VUnicodeString, std::wstring>> kept;
            VUnicodeString line;
            // Every line costs at least one byte, so a reader that goes on beyond that would never end.
            while (lines.size() <= bytes.size() + 2 && file.ReadLine(line))
            {
                lines.push_back(ToStd(line));
                ASSERT_EQ(std::wstring::npos, lines.back().find_first_of(L"\r\n"));
                if (random.Chance(10))
                    kept.emplace_back(line, lines.back());
            }
            ASSERT_EQ(expected, lines) << bytes.size() << " bytes";
            const DWORD error = GetLastError();
            ASSERT_TRUE(error == ERROR_HANDLE_EOF || error == ERROR_NO_UNICODE_TRANSLATION) << error;
            ASSERT_FALSE(file.ReadLine(line)) << "the end did not stay the end";
            for (const auto& copy : kept)
                ASSERT_EQ(copy.second, ToStd(copy.first));
        });
    CloseHandle(writer);
}

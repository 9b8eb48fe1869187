// Fuzzing of the INI profile store's file reader. Files written from random contents must read back as
// exactly those contents; random and mutated files must read without crashing, and what was read, written
// back, must read back the same. Inputs come from a fixed seed, so a failure reproduces from its round.
#include "hostkit/detail/ProfileFile.h"
#include "hostkit/detail/ProfileText.h"
#include "fuzz/FuzzSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

using namespace pardalin::detail;

namespace
{
using fuzz::Random;
using fuzz::Rounds;

// Units that the file form has to escape or take care over, among ordinary ones; the surrogates come
// alone, in pairs and reversed.
std::wstring RandomText(Random& random, std::uint32_t longest)
{
    static const wchar_t units[] =
        L"aZ09 \t\r\n=[]\\%;#.:\"*?/\x7f\x01\x00e9\x4e2d\xFEFF\xD800\xDC00\xD83D\xDE00";
    std::wstring text;
    for (std::uint32_t length = random.Below(longest + 1); length > 0; --length)
        text += random.Chance(60) ? static_cast<wchar_t>(L'a' + random.Below(26)) : random.Pick(units);
    return text;
}

ProfileFileModel RandomModel(Random& random)
{
    ProfileFileModel model;
    for (std::uint32_t keys = random.Below(6); keys > 0; --keys)
    {
        std::vector<std::wstring> path;
        for (std::uint32_t depth = random.Below(4); depth > 0; --depth)
        {
            std::wstring component = RandomText(random, 8);
            path.push_back(component.empty() ? L"k" : component);
        }
        StoredKey& key = model.Key(path);
        for (std::uint32_t values = random.Below(8); values > 0; --values)
        {
            const std::wstring name = RandomText(random, 10);
            switch (random.Below(3))
            {
            case 0:
                key.Set(StoredValue::Dword(name, random.Next()));
                break;
            case 1:
                key.Set(StoredValue::String(name, RandomText(random, 40)));
                break;
            default:
            {
                std::vector<BYTE> bytes(random.Chance(5) ? 5000 + random.Below(5000) : random.Below(40));
                for (BYTE& byte : bytes)
                    byte = static_cast<BYTE>(random.Next());
                key.Set(StoredValue::Binary(name, std::move(bytes)));
            }
            }
        }
    }
    return model;
}

// Changes a few bytes: flips, insertions, removals, and bytes that matter to the reader.
std::string Mutate(Random& random, const std::string& bytes)
{
    static const char interesting[] = {'\r', '\n',   '[',    ']',    '=',    '%',    '\\',
                                       ':',  ' ',    ';',    '#',    '0',    'f',    'g',
                                       '\0', '\x80', '\xC3', '\xED', '\xEF', '\xF4', '\xFF'};
    return fuzz::Mutate(random, bytes, interesting, 8, 4);
}

std::string RandomBytes(Random& random)
{
    std::string bytes;
    for (std::uint32_t length = random.Below(3000); length > 0; --length)
    {
        const std::uint32_t pick = random.Below(100);
        bytes += pick < 8    ? '\n'
                 : pick < 12 ? '['
                 : pick < 16 ? ']'
                 : pick < 22 ? '='
                 : pick < 50 ? static_cast<char>(random.Below(256))
                             : static_cast<char>('a' + random.Below(26));
    }
    return bytes;
}

// Flips the case of ASCII letters, which the store must not notice.
std::wstring OtherCase(std::wstring name)
{
    for (wchar_t& unit : name)
        if ((unit >= L'a' && unit <= L'z') || (unit >= L'A' && unit <= L'Z'))
            unit ^= 0x20;
    return name;
}
} // namespace

TEST(FuzzProfileFile, WrittenFilesReadBackExactly)
{
    Random random(0x1A1F11E5ull);
    const unsigned long rounds = Rounds(300);
    for (unsigned long round = 0; round < rounds; ++round)
    {
        const ProfileFileModel model = RandomModel(random);
        const std::string bytes = FormatProfileText(model);
        const ProfileFileModel read = ParseProfileText(bytes);
        ASSERT_TRUE(read == model) << "round " << round;
        for (const StoredKey& key : model.Keys())
        {
            const StoredKey* found = read.Find(key.Path());
            ASSERT_NE(nullptr, found) << "round " << round;
            for (const StoredValue& value : key.Values())
            {
                const StoredValue* same = found->Find(OtherCase(value.name));
                ASSERT_TRUE(same && *same == value) << "round " << round;
            }
        }
    }
}

TEST(FuzzProfileFile, AnyFileReadsAndWritesBackTheSame)
{
    Random random(0xBADF11E5ull);
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring path =
        std::wstring(temp) + L"pardalin-fuzz-" + std::to_wstring(GetCurrentProcessId()) + L".ini";
    const unsigned long rounds = Rounds(400);
    for (unsigned long round = 0; round < rounds; ++round)
    {
        const std::uint32_t kind = random.Below(3);
        const std::string bytes =
            kind == 0   ? RandomBytes(random)
            : kind == 1 ? Mutate(random, FormatProfileText(RandomModel(random)))
                        : Mutate(random, Mutate(random, FormatProfileText(RandomModel(random))));
        const ProfileFileModel read = ParseProfileText(bytes);
        const std::string written = FormatProfileText(read);
        ASSERT_TRUE(ParseProfileText(written) == read) << "round " << round;
        ASSERT_EQ(written, FormatProfileText(ParseProfileText(written))) << "round " << round;

        // Now and then the whole way through the disk, as the store goes.
        if (random.Chance(10))
        {
            ASSERT_TRUE(ReplaceProfileFile(path, bytes)) << "round " << round;
            std::string fromDisk;
            {
                ProfileFileLock lock(path);
                ASSERT_TRUE(lock.Held());
                ASSERT_TRUE(ReadProfileFile(path, fromDisk)) << "round " << round;
            }
            ASSERT_EQ(bytes, fromDisk) << "round " << round;
            ASSERT_TRUE(ParseProfileText(fromDisk) == read) << "round " << round;
        }
    }
    DeleteProfileFile(path);
}

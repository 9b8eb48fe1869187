// Fuzzing of the INI profile store's file reader. Files written from random contents must read back as
// exactly those contents; random and mutated files must read without crashing, and what was read, written
// back, must read back the same. Inputs come from a fixed seed, so a failure reproduces from its round.
#include "hostkit/detail/ProfileFile.h"
#include "hostkit/detail/ProfileText.h"
#include "fuzz/FuzzSupport.h"
#include "harness/ScratchFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

using namespace pardalin::detail;

namespace
{
using fuzz::Random;

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
    fuzz::ForEachRound(0x1A1F11E5ull, 300,
                       [](Random& random)
                       {
                           const ProfileFileModel model = RandomModel(random);
                           const ProfileFileModel read = ParseProfileText(FormatProfileText(model));
                           ASSERT_TRUE(read == model);
                           for (const StoredKey& key : model.Keys())
                           {
                               const StoredKey* found = read.Find(key.Path());
                               ASSERT_NE(nullptr, found);
                               for (const StoredValue& value : key.Values())
                               {
                                   const StoredValue* same = found->Find(OtherCase(value.name));
                                   ASSERT_TRUE(same && *same == value);
                               }
                           }
                       });
}

TEST(FuzzProfileFile, AnyFileReadsAndWritesBackTheSame)
{
    const testkit::TempFolder folder;
    const std::wstring path = folder.Path(L"fuzz.ini");
    static const char structure[] = {'\n', '[', ']', '='};
    fuzz::ForEachRound(0xBADF11E5ull, 400,
                       [&](Random& random)
                       {
                           const std::uint32_t kind = random.Below(3);
                           const std::string bytes =
                               kind == 0 ? fuzz::WeightedBytes(random, 3000, structure, 22, 28)
                               : kind == 1
                                   ? Mutate(random, FormatProfileText(RandomModel(random)))
                                   : Mutate(random, Mutate(random, FormatProfileText(RandomModel(random))));
                           const ProfileFileModel read = ParseProfileText(bytes);
                           const std::string written = FormatProfileText(read);
                           ASSERT_TRUE(ParseProfileText(written) == read);
                           ASSERT_EQ(written, FormatProfileText(ParseProfileText(written)));

                           // Now and then the whole way through the disk, as the store goes.
                           if (!random.Chance(10))
                               return;
                           ASSERT_TRUE(ReplaceProfileFile(path, bytes));
                           std::string fromDisk;
                           {
                               ProfileFileLock lock(path);
                               ASSERT_TRUE(lock.Held());
                               ASSERT_TRUE(ReadProfileFile(path, fromDisk));
                           }
                           ASSERT_EQ(bytes, fromDisk);
                           ASSERT_TRUE(ParseProfileText(fromDisk) == read);
                       });
}

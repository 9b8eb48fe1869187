// VTextFile's deterministic cases; random and mutated files go through the fuzz harness's reference model.
#include "files/FileTestSupport.h"
#include "files/VTextFile.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace filetest;

namespace
{
using Lines = std::vector<std::wstring>;

class FilesTextFile : public ::testing::Test
{
protected:
    struct ReadResult
    {
        Lines lines;
        Encoding encoding = VTextFile::Undetected;
        DWORD lastError = 0; // after the ReadLine that returned false
    };

    // Writes the bytes to a fresh file and reads every line back.
    ReadResult Read(const std::string& bytes)
    {
        const std::wstring path = folder.Path(L"text" + std::to_wstring(++files) + L".txt");
        EXPECT_TRUE(WriteBytes(path, bytes));
        VTextFile file;
        EXPECT_TRUE(file.Open(path.c_str(), GENERIC_READ, OPEN_EXISTING));
        ReadResult result;
        VUnicodeString line(L"left over");
        while (file.ReadLine(line))
            result.lines.push_back(ToStd(line));
        result.lastError = GetLastError();
        EXPECT_TRUE(line.IsEmpty()) << "the end left a stale line";
        EXPECT_FALSE(file.ReadLine(line)) << "the end did not stay the end";
        result.encoding = file.GetEncoding();
        return result;
    }

    TempFolder folder;
    int files = 0;
};

// Text without line ends, one byte a character in the single-byte encodings.
std::wstring Filler(size_t units)
{
    std::wstring text;
    for (size_t i = 0; i < units; ++i)
        text += static_cast<wchar_t>(L'a' + i % 26);
    return text;
}
} // namespace

TEST_F(FilesTextFile, MarksShortFilesAndTheErrorThatEndsTheText)
{
    const std::string u8 = "\xEF\xBB\xBF";
    const struct
    {
        std::string bytes;
        Lines lines;
        Encoding encoding;
        DWORD error;
    } cases[] = {
        {"", {}, VTextFile::Ansi, ERROR_HANDLE_EOF},
        {"a=1", {L"a=1"}, VTextFile::Ansi, ERROR_HANDLE_EOF},
        // A mark counts only whole and at the very start.
        {"\xEF\xBB", {L"\u00EF\u00BB"}, VTextFile::Ansi, ERROR_HANDLE_EOF},
        {u8, {}, VTextFile::Utf8, ERROR_HANDLE_EOF},
        {"\xFF\xFE", {}, VTextFile::Utf16LE, ERROR_HANDLE_EOF},
        // Fewer than four bytes after the mark still make a line.
        {std::string("\xFE\xFF\0z", 4), {L"z"}, VTextFile::Utf16BE, ERROR_HANDLE_EOF},
        {std::string("\xFF\xFE\n\0", 4), {L""}, VTextFile::Utf16LE, ERROR_HANDLE_EOF},
        // C3 28 is a lead byte followed by a byte that cannot continue it: the text before it is the last
        // line.
        {u8 + "first\nsecond \xC3\x28 more\nthird\n",
         {L"first", L"second "},
         VTextFile::Utf8,
         ERROR_NO_UNICODE_TRANSLATION},
        // A sequence cut short by the end of the file is dropped without an error.
        {u8 + "line\nabc\xF0\x9F\x98", {L"line", L"abc"}, VTextFile::Utf8, ERROR_HANDLE_EOF},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.bytes);
        const ReadResult result = Read(c.bytes);
        // ANSI text is the code page's: of the partial mark only the count of lines is certain.
        EXPECT_TRUE(c.lines == result.lines || c.bytes == "\xEF\xBB");
        EXPECT_EQ(c.lines.size(), result.lines.size());
        EXPECT_EQ(c.encoding, result.encoding);
        EXPECT_EQ(c.error, result.lastError);
    }
    VTextFile closed;
    VUnicodeString line;
    EXPECT_FALSE(closed.ReadLine(line)) << "nothing is open";
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_HANDLE), GetLastError());
}

TEST_F(FilesTextFile, LineEndsCharactersAndLongLinesAcrossTheBlockBoundary)
{
    // CR LF, CR CR, LF CR and two-, three- and four-byte characters (the last a surrogate pair) at every
    // placement around the end of the first 4096-byte block, after the mark of each Unicode encoding and in
    // ANSI text, which has none and holds only the line ends; then lines longer than a block.
    const std::wstring longLine = Filler(3 * VTextFile::BufferSize + 7);
    const std::wstring longLines =
        longLine + L"\r\n" + Filler(VTextFile::BufferSize * 5 / 2) + L"\r\nshort\r\n\r" + longLine;
    for (Encoding encoding : AllEncodings)
    {
        const size_t unit = encoding == VTextFile::Utf16LE || encoding == VTextFile::Utf16BE ? 2 : 1;
        for (const wchar_t* piece : {L"\r\n", L"\r\r", L"\n\r", L"\u00E9", L"\u20AC", L"\U0001F600"})
        {
            if (encoding == VTextFile::Ansi && piece[0] > 0x7F)
                continue;
            for (int shift = -3; shift <= 3; ++shift)
            {
                const size_t fillerUnits =
                    (VTextFile::BufferSize - MarkOf(encoding).size()) / unit - 1 + shift;
                const std::wstring text = Filler(fillerUnits) + piece + L"tail\r\nend";
                SCOPED_TRACE(testing::Message() << "encoding " << encoding << ", piece "
                                                << static_cast<int>(piece[0]) << ", shift " << shift);
                EXPECT_EQ(ReferenceLines(text), Read(EncodeFile(text, encoding)).lines);
            }
        }
        EXPECT_EQ(ReferenceLines(longLines), Read(EncodeFile(longLines, encoding)).lines) << encoding;
    }
}

TEST_F(FilesTextFile, LockWhileReadingWaitsForAWriter)
{
    const std::wstring path = folder.Path(L"locked.txt");
    ASSERT_TRUE(WriteBytes(path, "first\nsecond\n"));
    VFile writer;
    VTextFile reader;
    for (VFile* file : {&writer, static_cast<VFile*>(&reader)})
        file->SetShareMode(FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_TRUE(writer.Open(path.c_str(), GENERIC_READ | GENERIC_WRITE, OPEN_EXISTING));
    ASSERT_TRUE(writer.Lock(0, 100, true));
    reader.SetLockWhileReading(true);
    ASSERT_TRUE(reader.Open(path.c_str(), GENERIC_READ, OPEN_EXISTING));

    std::atomic<bool> unlocked{false};
    bool unlockedWhenRead = false, read = false;
    VUnicodeString line;
    const HANDLE readDone = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread thread(
        [&]
        {
            read = reader.ReadLine(line);
            unlockedWhenRead = unlocked.load();
            SetEvent(readDone);
        });
    // A reader that waits for the lock has not read when the wait below times out; one that did not wait has
    // read by then and fails the test here.
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(readDone, 200))
        << "the read went ahead under the writer's exclusive lock";
    unlocked = true;
    ASSERT_TRUE(writer.Unlock(0, 100));
    thread.join();
    CloseHandle(readDone);
    EXPECT_TRUE(unlockedWhenRead) << "the read went ahead under the writer's exclusive lock";
    EXPECT_TRUE(read && line == L"first");

    // The reader's own lock went with its block: the writer can lock the range again at once.
    OVERLAPPED at = {};
    EXPECT_TRUE(
        LockFileEx(writer.GetHandle(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 8192, 0, &at))
        << GetLastError();
}

TEST_F(FilesTextFile, OpeningASecondFileStartsReadingAfresh)
{
    // The first file ends in CR and leaves UTF-16LE, its offsets and a pending CR behind.
    const std::wstring first = folder.Path(L"first.txt");
    const std::wstring second = folder.Path(L"second.txt");
    ASSERT_TRUE(WriteBytes(first, std::string("\xFF\xFE\x41\0\r\0", 6)));
    ASSERT_TRUE(WriteBytes(second, "\xEF\xBB\xBF\nB\r\nC"));
    VTextFile file;
    VUnicodeString line;
    ASSERT_TRUE(file.Open(first.c_str(), GENERIC_READ, OPEN_EXISTING));
    ASSERT_TRUE(file.ReadLine(line) && line == L"A");
    EXPECT_FALSE(file.ReadLine(line));

    ASSERT_TRUE(file.Open(second.c_str(), GENERIC_READ, OPEN_EXISTING));
    EXPECT_EQ(VTextFile::Undetected, file.GetEncoding());
    Lines lines;
    while (file.ReadLine(line))
        lines.emplace_back(line.GetString());
    EXPECT_EQ((Lines{L"", L"B", L"C"}), lines) << "the mark is not text and the first LF ends an empty line";
    EXPECT_EQ(VTextFile::Utf8, file.GetEncoding());
}

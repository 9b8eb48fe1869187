// VTextFile::ReadLine over 64 MiB of ~80-character lines in each encoding, against
//  - the limit: a raw ReadFile loop over the same file in the reader's 4096-byte blocks that only counts line
//    ends (ratio = limit time / ReadLine time), and
//  - the C runtime's fgetws on a stream opened for the same encoding (ratio = fgetws time / ReadLine time).
// The C runtime has no big-endian UTF-16 stream, so UTF-16BE is compared with fgetws reading the same text
// as UTF-16LE: the runtime's own cost for UTF-16 text, without the byte swap the reader does on top.
// The input files are made once in the working folder and reused.
#include "core/VUnicodeString.h"
#include "files/VTextFile.h"
#include "BenchClock.h"

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace
{
using bench::Now;

constexpr unsigned long long FileBytes = 64ull << 20;
constexpr int Repetitions = 5;

enum class Encoding
{
    Ansi,
    Utf8,
    Utf16LE,
    Utf16BE,
};

struct Case
{
    Encoding encoding;
    const char* name;
    const wchar_t* file;
    // The stream mode and file fgetws reads for comparison.
    const wchar_t* streamMode;
    const wchar_t* streamFile;
};

const Case Cases[] = {
    {Encoding::Ansi, "ansi", L"textfile-ansi.txt", L"rt", L"textfile-ansi.txt"},
    {Encoding::Utf8, "utf8", L"textfile-utf8.txt", L"rt, ccs=UTF-8", L"textfile-utf8.txt"},
    {Encoding::Utf16LE, "utf16le", L"textfile-utf16le.txt", L"rt, ccs=UNICODE", L"textfile-utf16le.txt"},
    {Encoding::Utf16BE, "utf16be", L"textfile-utf16be.txt", L"rt, ccs=UNICODE", L"textfile-utf16le.txt"},
};

// About 80 characters per line: words of letters with now and then a character beyond ASCII (Latin-1 for
// ANSI, anything for the Unicode encodings).
std::wstring SampleText(Encoding encoding)
{
    std::wstring text;
    unsigned state = 12345;
    const auto next = [&state]
    {
        state = state * 1103515245u + 12345u;
        return (state >> 16) & 0x7FFF;
    };
    for (int line = 0; line < 2000; ++line)
    {
        const unsigned length = 70 + next() % 21;
        for (unsigned i = 0; i < length; ++i)
        {
            const unsigned pick = next() % 100;
            if (pick < 15)
            {
                text += L' ';
            }
            else if (pick < 17)
            {
                text += encoding == Encoding::Ansi ? static_cast<wchar_t>(0xE0 + next() % 16)
                                                   : static_cast<wchar_t>(pick == 15 ? 0xE9 : 0x20AC);
            }
            else
            {
                text += static_cast<wchar_t>(L'a' + next() % 26);
            }
        }
        text += L"\r\n";
    }
    return text;
}

std::string Encode(const std::wstring& text, Encoding encoding)
{
    std::string bytes;
    if (encoding == Encoding::Ansi || encoding == Encoding::Utf8)
    {
        const UINT codePage = encoding == Encoding::Ansi ? CP_ACP : CP_UTF8;
        const int size = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                             0, nullptr, nullptr);
        bytes.resize(static_cast<size_t>(size));
        WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), &bytes[0], size, nullptr,
                            nullptr);
        return bytes;
    }
    for (wchar_t unit : text)
    {
        const char low = static_cast<char>(unit & 0xFF);
        const char high = static_cast<char>(unit >> 8);
        bytes += encoding == Encoding::Utf16LE ? low : high;
        bytes += encoding == Encoding::Utf16LE ? high : low;
    }
    return bytes;
}

std::string MarkOf(Encoding encoding)
{
    switch (encoding)
    {
    case Encoding::Utf8:
        return "\xEF\xBB\xBF";
    case Encoding::Utf16LE:
        return "\xFF\xFE";
    case Encoding::Utf16BE:
        return "\xFE\xFF";
    default:
        return std::string();
    }
}

unsigned long long SizeOf(const wchar_t* path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path, GetFileExInfoStandard, &data))
    {
        return 0;
    }
    return (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool MakeInput(const Case& c)
{
    if (SizeOf(c.file) >= FileBytes)
    {
        return true;
    }
    const std::string block = Encode(SampleText(c.encoding), c.encoding);
    const HANDLE file =
        CreateFileW(c.file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
    {
        return false;
    }
    const std::string mark = MarkOf(c.encoding);
    DWORD written = 0;
    bool ok = WriteFile(file, mark.data(), static_cast<DWORD>(mark.size()), &written, nullptr) != FALSE;
    unsigned long long total = mark.size();
    while (ok && total < FileBytes)
    {
        ok = WriteFile(file, block.data(), static_cast<DWORD>(block.size()), &written, nullptr) != FALSE;
        total += written;
    }
    CloseHandle(file);
    return ok;
}

struct Count
{
    unsigned long long lines = 0;
    unsigned long long units = 0;
};

// The limit: the reader's block reads with nothing done but finding the line ends.
Count ScanLineEnds(const Case& c)
{
    Count count;
    const HANDLE file = CreateFileW(c.file, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
    {
        return count;
    }
    alignas(16) unsigned char buffer[VTextFile::BufferSize];
    DWORD got = 0;
    const bool wide = c.encoding == Encoding::Utf16LE || c.encoding == Encoding::Utf16BE;
    while (ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0)
    {
        if (wide)
        {
            const wchar_t cr = c.encoding == Encoding::Utf16LE ? 0x000D : 0x0D00;
            const wchar_t lf = c.encoding == Encoding::Utf16LE ? 0x000A : 0x0A00;
            const wchar_t* units = reinterpret_cast<const wchar_t*>(buffer);
            for (DWORD i = 0; i < got / 2; ++i)
            {
                count.lines += (units[i] == lf) + (units[i] == cr);
            }
        }
        else
        {
            for (DWORD i = 0; i < got; ++i)
            {
                count.lines += (buffer[i] == '\n') + (buffer[i] == '\r');
            }
        }
        count.units += got;
    }
    CloseHandle(file);
    return count;
}

Count ReadLines(const Case& c)
{
    Count count;
    VTextFile file;
    file.SetShareRead();
    if (!file.Open(c.file, GENERIC_READ, OPEN_EXISTING))
    {
        return count;
    }
    VUnicodeString line;
    while (file.ReadLine(line))
    {
        ++count.lines;
        count.units += static_cast<unsigned long long>(line.GetLength());
    }
    return count;
}

Count ReadStream(const Case& c)
{
    Count count;
    FILE* stream = _wfopen(c.streamFile, c.streamMode);
    if (stream == nullptr)
    {
        return count;
    }
    static wchar_t buffer[VTextFile::BufferSize];
    while (fgetws(buffer, VTextFile::BufferSize, stream) != nullptr)
    {
        size_t length = wcslen(buffer);
        if (length > 0 && buffer[length - 1] == L'\n')
        {
            ++count.lines;
            --length;
        }
        count.units += length;
    }
    fclose(stream);
    return count;
}

double Time(Count (*work)(const Case&), const Case& c, Count& result)
{
    const double start = Now();
    result = work(c);
    return Now() - start;
}
} // namespace

int main()
{
    for (const Case& c : Cases)
    {
        if (!MakeInput(c))
        {
            std::fprintf(stderr, "textfile: cannot write the input files in the working folder\n");
            return 1;
        }
    }
    int status = 0;
    for (const Case& c : Cases)
    {
        Count limitCount;
        Count readCount;
        Count streamCount;
        // The sides take turns, so a busy moment of the machine does not fall on one side only; the best of
        // each side counts.
        double limit = 1e30;
        double reader = 1e30;
        double stream = 1e30;
        for (int i = 0; i < Repetitions; ++i)
        {
            limit = std::min(limit, Time(ScanLineEnds, c, limitCount));
            reader = std::min(reader, Time(ReadLines, c, readCount));
            stream = std::min(stream, Time(ReadStream, c, streamCount));
        }

        // Every line of the sample ends in CR LF, so the scan sees two line-end units per line.
        if (readCount.lines == 0 || readCount.lines * 2 != limitCount.lines ||
            streamCount.lines != readCount.lines)
        {
            std::fprintf(stderr,
                         "textfile %s: line counts disagree (reader %llu, scan %llu/2, stream %llu)\n",
                         c.name, readCount.lines, limitCount.lines, streamCount.lines);
            status = 1;
        }
        std::fprintf(stderr, "textfile %s: limit %.3f s, ReadLine %.3f s, fgetws %.3f s, %llu lines\n",
                     c.name, limit, reader, stream, readCount.lines);
        std::printf("BENCH name=textfile_%s_vs_limit ratio=%.3f target=0.5\n", c.name, limit / reader);
        std::printf("BENCH name=textfile_%s_vs_fgetws ratio=%.3f target=2\n", c.name, stream / reader);
        std::fflush(stdout);
    }
    return status;
}

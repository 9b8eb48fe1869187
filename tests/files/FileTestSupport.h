// Helpers shared by the file tests and the text-file fuzz harness: raw file contents and the encodings the
// text reader understands (scratch folders come from the harness).
#pragma once

#include "core/VUnicodeString.h"
#include "files/VTextFile.h"
#include "harness/ScratchFolder.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace filetest
{

using Encoding = VTextFile::TextEncoding;
const Encoding AllEncodings[] = {VTextFile::Ansi, VTextFile::Utf8, VTextFile::Utf16LE, VTextFile::Utf16BE};

inline std::wstring ToStd(const VUnicodeString& text)
{
    return std::wstring(text.GetString(), static_cast<size_t>(text.GetLength()));
}

// One code point as UTF-16, the slow and obviously right way.
inline std::wstring Utf16Of(unsigned long codePoint)
{
    if (codePoint < 0x10000)
        return std::wstring(1, static_cast<wchar_t>(codePoint));
    return {static_cast<wchar_t>(0xD800 + ((codePoint - 0x10000) >> 10)),
            static_cast<wchar_t>(0xDC00 + ((codePoint - 0x10000) & 0x3FF))};
}

using testkit::CurrentFolder;
using testkit::Exists;
using testkit::TempFolder;

// Three nested folders of 120 letters each under base, made for the test: a path far beyond MAX_PATH. Empty
// when a folder cannot be made.
inline std::wstring MakeDeepFolder(const std::wstring& base)
{
    std::wstring deep = base;
    for (wchar_t letter : {L'p', L'q', L'r'})
    {
        deep += L"\\" + std::wstring(120, letter);
        if (!CreateDirectoryW(deep.c_str(), nullptr))
            return std::wstring();
    }
    return deep;
}

// Writes the bytes as the whole file; false when the file cannot be written.
inline bool WriteBytes(const std::wstring& path, const std::string& bytes)
{
    std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}

inline std::string ReadBytes(const std::wstring& path)
{
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The byte-order mark of an encoding (none for ANSI).
inline std::string MarkOf(Encoding encoding)
{
    static const char* const marks[] = {"", "", "\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"};
    return marks[encoding];
}

// Text in an encoding without a mark. ANSI goes through the ANSI code page.
inline std::string Encode(const std::wstring& text, Encoding encoding)
{
    std::string bytes;
    if (encoding == VTextFile::Ansi || encoding == VTextFile::Utf8)
    {
        const UINT codePage = encoding == VTextFile::Ansi ? CP_ACP : CP_UTF8;
        const int length = static_cast<int>(text.size());
        bytes.resize(static_cast<size_t>(
            WideCharToMultiByte(codePage, 0, text.data(), length, nullptr, 0, nullptr, nullptr)));
        WideCharToMultiByte(codePage, 0, text.data(), length, &bytes[0], static_cast<int>(bytes.size()),
                            nullptr, nullptr);
        return bytes;
    }
    const bool little = encoding == VTextFile::Utf16LE;
    for (wchar_t unit : text)
    {
        bytes += static_cast<char>(little ? unit & 0xFF : unit >> 8);
        bytes += static_cast<char>(little ? unit >> 8 : unit & 0xFF);
    }
    return bytes;
}

// The text with its mark in front (the way the reader recognises everything but ANSI).
inline std::string EncodeFile(const std::wstring& text, Encoding encoding)
{
    return MarkOf(encoding) + Encode(text, encoding);
}

// The lines a correct reader gives for text: split at CR LF, CR and LF; a last line without a line end
// counts only when it is not empty.
inline std::vector<std::wstring> ReferenceLines(const std::wstring& text)
{
    std::vector<std::wstring> lines;
    std::wstring current;
    for (size_t i = 0; i < text.size(); ++i)
    {
        if (text[i] != L'\r' && text[i] != L'\n')
        {
            current += text[i];
            continue;
        }
        lines.push_back(current);
        current.clear();
        if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n')
            ++i;
    }
    if (!current.empty())
        lines.push_back(current);
    return lines;
}

} // namespace filetest

// Helpers shared by the file tests and the text-file fuzz harness: scratch folders, raw file contents and
// the encodings the text reader understands.
#pragma once

#include "core/VUnicodeString.h"
#include "files/VTextFile.h"

#include <algorithm>
#include <atomic>
#include <string>
#include <vector>

namespace filetest
{

using Encoding = VTextFile::TextEncoding;
const Encoding AllEncodings[] = {VTextFile::Ansi, VTextFile::Utf8, VTextFile::Utf16LE, VTextFile::Utf16BE};

inline const char* EncodingName(Encoding encoding)
{
    static const char* const names[] = {"Undetected", "Ansi", "Utf8", "Utf16LE", "Utf16BE"};
    return names[encoding];
}

inline std::wstring ToStd(const VUnicodeString& text)
{
    return std::wstring(text.GetString(), static_cast<size_t>(text.GetLength()));
}

inline void RemoveTree(const std::wstring& path)
{
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &found))
    {
        const std::wstring name = found.cFileName;
        const std::wstring child = path + L"\\" + name;
        if (name == L"." || name == L"..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            RemoveTree(child);
        SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(child.c_str());
    }
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
    RemoveDirectoryW(path.c_str());
}

// A fresh folder under the system's temporary folder, removed with everything in it when the object goes.
class TempFolder
{
public:
    TempFolder()
    {
        static std::atomic<int> counter{0};
        wchar_t temporary[MAX_PATH + 1];
        GetTempPathW(MAX_PATH, temporary);
        do
        {
            m_path = std::wstring(temporary) + L"pardalin-files-" + std::to_wstring(GetCurrentProcessId()) +
                     L"-" + std::to_wstring(++counter);
        } while (!CreateDirectoryW(m_path.c_str(), nullptr) && GetLastError() == ERROR_ALREADY_EXISTS);
    }
    ~TempFolder() { RemoveTree(m_path); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::wstring& Get() const { return m_path; }
    std::wstring Path(const std::wstring& name) const { return m_path + L"\\" + name; }

private:
    std::wstring m_path;
};

// Runs with the current folder set to `path`, and puts the old one back.
class CurrentFolder
{
public:
    explicit CurrentFolder(const std::wstring& path)
    {
        GetCurrentDirectoryW(MAX_PATH, m_previous);
        SetCurrentDirectoryW(path.c_str());
    }
    ~CurrentFolder() { SetCurrentDirectoryW(m_previous); }

private:
    wchar_t m_previous[MAX_PATH + 1];
};

inline bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Writes the bytes as the whole file; false when the file cannot be written.
inline bool WriteBytes(const std::wstring& path, const std::string& bytes)
{
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    bool ok = file != INVALID_HANDLE_VALUE;
    for (size_t done = 0; ok && done < bytes.size();)
    {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 24));
        DWORD written = 0;
        ok = WriteFile(file, bytes.data() + done, chunk, &written, nullptr) && written == chunk;
        done += written;
    }
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    return ok;
}

inline std::string ReadBytes(const std::wstring& path)
{
    std::string bytes;
    const HANDLE file =
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    char chunk[65536];
    DWORD read = 0;
    while (file != INVALID_HANDLE_VALUE && ReadFile(file, chunk, sizeof(chunk), &read, nullptr) && read > 0)
        bytes.append(chunk, read);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    return bytes;
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

struct ReadResult
{
    std::vector<std::wstring> lines;
    Encoding encoding = VTextFile::Undetected;
    DWORD lastError = 0; // after the ReadLine that returned false
};

// Every line of a file, read through VTextFile.
inline ReadResult ReadAllLines(const std::wstring& path)
{
    ReadResult result;
    VTextFile file;
    file.SetShareRead();
    if (!file.Open(path.c_str(), GENERIC_READ, OPEN_EXISTING))
    {
        result.lastError = GetLastError();
        return result;
    }
    VUnicodeString line;
    while (file.ReadLine(line))
        result.lines.push_back(ToStd(line));
    result.lastError = GetLastError();
    result.encoding = file.GetEncoding();
    return result;
}

} // namespace filetest

#include "hostkit/IniProfileStore.h"

#include "core/VUnicodeString.h"

#include <map>
#include <mutex>
#include <vector>

namespace
{
// Every read and write of any file goes through one lock: keys of one file may live on several threads.
std::mutex g_filesLock;

struct Section
{
    std::wstring name;
    std::vector<std::pair<std::wstring, std::wstring>> entries; // in file order
};

using IniFile = std::vector<Section>;

std::wstring Utf8ToWide(const std::string& text)
{
    if (text.empty())
        return {};
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
    return wide;
}

std::string WideToUtf8(const std::wstring& text)
{
    if (text.empty())
        return {};
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string narrow(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &narrow[0], length, nullptr,
                        nullptr);
    return narrow;
}

IniFile Load(const std::wstring& path)
{
    IniFile file;
    HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return file;
    std::string bytes;
    char chunk[16384];
    DWORD got = 0;
    while (ReadFile(handle, chunk, sizeof(chunk), &got, nullptr) && got > 0)
        bytes.append(chunk, got);
    CloseHandle(handle);

    const std::wstring text = Utf8ToWide(bytes);
    size_t start = 0;
    while (start < text.size())
    {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos)
            end = text.size();
        std::wstring line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == L'\r')
            line.pop_back();
        if (line.size() >= 2 && line.front() == L'[' && line.back() == L']')
            file.push_back({line.substr(1, line.size() - 2), {}});
        else if (!file.empty() && line.find(L'=') != std::wstring::npos)
        {
            const size_t equals = line.find(L'=');
            file.back().entries.emplace_back(line.substr(0, equals), line.substr(equals + 1));
        }
    }
    return file;
}

bool Save(const std::wstring& path, const IniFile& file)
{
    std::wstring text;
    for (const Section& section : file)
    {
        text += L"[" + section.name + L"]\r\n";
        for (const auto& entry : section.entries)
            text += entry.first + L"=" + entry.second + L"\r\n";
        text += L"\r\n";
    }
    const std::string bytes = WideToUtf8(text);

    const size_t slash = path.find_last_of(L'\\');
    if (slash != std::wstring::npos)
        CreateDirectoryW(path.substr(0, slash).c_str(), nullptr);
    const std::wstring temporary = path + L".new";
    HANDLE handle = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool wrote = WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                       written == bytes.size();
    CloseHandle(handle);
    if (!wrote || !MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING))
    {
        DeleteFileW(temporary.c_str());
        return false;
    }
    return true;
}

std::wstring Escape(const wchar_t* value)
{
    std::wstring escaped;
    for (const wchar_t* p = value; p && *p; ++p)
    {
        switch (*p)
        {
        case L'\\':
            escaped += L"\\\\";
            break;
        case L'\r':
            escaped += L"\\r";
            break;
        case L'\n':
            escaped += L"\\n";
            break;
        default:
            escaped += *p;
        }
    }
    return escaped;
}

std::wstring Unescape(const std::wstring& text)
{
    std::wstring value;
    for (size_t i = 0; i < text.size(); ++i)
    {
        if (text[i] != L'\\' || i + 1 == text.size())
        {
            value += text[i];
            continue;
        }
        const wchar_t next = text[++i];
        value += next == L'r' ? L'\r' : next == L'n' ? L'\n' : next;
    }
    return value;
}

int HexDigit(wchar_t ch)
{
    if (ch >= L'0' && ch <= L'9')
        return ch - L'0';
    if (ch >= L'a' && ch <= L'f')
        return ch - L'a' + 10;
    if (ch >= L'A' && ch <= L'F')
        return ch - L'A' + 10;
    return -1;
}

class IniKey : public IProfileKeyBackend
{
public:
    // An empty section names the root, whose values live in a file of their own.
    IniKey(std::wstring folderPath, std::wstring sectionPath)
        : folder(std::move(folderPath)), section(std::move(sectionPath))
    {
    }

    bool ReadBinary(const wchar_t* name, BYTE* data, DWORD* size) override
    {
        std::wstring hex;
        if (!size || !Read(name, L"binary:", hex) || hex.size() % 2)
            return false;
        const DWORD needed = static_cast<DWORD>(hex.size() / 2);
        if (!data)
        {
            *size = needed;
            return true;
        }
        if (*size < needed)
        {
            *size = needed;
            SetLastError(ERROR_MORE_DATA);
            return false;
        }
        for (DWORD i = 0; i < needed; ++i)
        {
            const int high = HexDigit(hex[2 * i]);
            const int low = HexDigit(hex[2 * i + 1]);
            if (high < 0 || low < 0)
                return false;
            data[i] = static_cast<BYTE>(high << 4 | low);
        }
        *size = needed;
        return true;
    }

    bool ReadString(const wchar_t* name, VUnicodeString* value) override
    {
        std::wstring text;
        if (!value || !Read(name, L"string:", text))
            return false;
        *value = Unescape(text).c_str();
        return true;
    }

    bool ReadDword(const wchar_t* name, DWORD* value) override
    {
        std::wstring text;
        if (!value || !Read(name, L"dword:", text) || text.empty())
            return false;
        wchar_t* end = nullptr;
        const unsigned long number = wcstoul(text.c_str(), &end, 16);
        if (*end)
            return false;
        *value = static_cast<DWORD>(number);
        return true;
    }

    void WriteBinary(const wchar_t* name, const BYTE* data, DWORD size) override
    {
        static const wchar_t digits[] = L"0123456789abcdef";
        std::wstring hex;
        hex.reserve(size * 2);
        for (DWORD i = 0; i < size; ++i)
        {
            hex += digits[data[i] >> 4];
            hex += digits[data[i] & 15];
        }
        Write(name, L"binary:" + hex);
    }

    void WriteString(const wchar_t* name, const wchar_t* value) override
    {
        Write(name, L"string:" + Escape(value));
    }

    void WriteDword(const wchar_t* name, DWORD value) override
    {
        wchar_t text[16];
        swprintf(text, 16, L"%08lx", static_cast<unsigned long>(value));
        Write(name, std::wstring(L"dword:") + text);
    }

    IProfileKeyBackend* OpenSubKey(const wchar_t* name, DWORD) override
    {
        if (!name || !*name)
            return new IniKey(folder, section);
        return new IniKey(folder, section.empty() ? std::wstring(name) : section + L"\\" + name);
    }

    bool DeleteValue(const wchar_t* name) override
    {
        std::lock_guard<std::mutex> hold(g_filesLock);
        IniFile file = Load(FilePath());
        Section* own = Find(file, SectionName());
        if (!own)
            return false;
        for (auto entry = own->entries.begin(); entry != own->entries.end(); ++entry)
            if (entry->first == name)
            {
                own->entries.erase(entry);
                return Save(FilePath(), file);
            }
        return false;
    }

    bool DeleteSubKey(const wchar_t* name) override
    {
        std::lock_guard<std::mutex> hold(g_filesLock);
        if (section.empty())
            return DeleteFileW((folder + L"\\" + name + L".ini").c_str()) != FALSE;
        IniFile file = Load(FilePath());
        const std::wstring doomed = section + L"\\" + name;
        const size_t before = file.size();
        IniFile kept;
        for (Section& candidate : file)
            if (candidate.name != doomed && candidate.name.compare(0, doomed.size() + 1, doomed + L"\\") != 0)
                kept.push_back(std::move(candidate));
        return kept.size() != before && Save(FilePath(), kept);
    }

private:
    std::wstring FilePath() const
    {
        const size_t slash = section.find(L'\\');
        const std::wstring top = section.empty() ? L"(root)" : section.substr(0, slash);
        return folder + L"\\" + top + L".ini";
    }

    std::wstring SectionName() const { return section.empty() ? L"(root)" : section; }

    static Section* Find(IniFile& file, const std::wstring& name)
    {
        for (Section& candidate : file)
            if (candidate.name == name)
                return &candidate;
        return nullptr;
    }

    bool Read(const wchar_t* name, const wchar_t* type, std::wstring& value)
    {
        if (!name)
            return false;
        std::lock_guard<std::mutex> hold(g_filesLock);
        IniFile file = Load(FilePath());
        const Section* own = Find(file, SectionName());
        if (!own)
            return false;
        const std::wstring prefix(type);
        for (const auto& entry : own->entries)
            if (entry.first == name)
            {
                if (entry.second.compare(0, prefix.size(), prefix) != 0)
                    return false;
                value = entry.second.substr(prefix.size());
                return true;
            }
        return false;
    }

    void Write(const wchar_t* name, const std::wstring& typedValue)
    {
        if (!name)
            return;
        std::lock_guard<std::mutex> hold(g_filesLock);
        IniFile file = Load(FilePath());
        Section* own = Find(file, SectionName());
        if (!own)
        {
            file.push_back({SectionName(), {}});
            own = &file.back();
        }
        for (auto& entry : own->entries)
            if (entry.first == name)
            {
                entry.second = typedValue;
                Save(FilePath(), file);
                return;
            }
        own->entries.emplace_back(name, typedValue);
        Save(FilePath(), file);
    }

    std::wstring folder;
    std::wstring section;
};

class IniStore : public IProfileStoreBackend
{
public:
    explicit IniStore(std::wstring folderPath) : folder(std::move(folderPath)) {}
    IProfileKeyBackend* OpenRootKey(bool) override { return new IniKey(folder, L""); }

private:
    std::wstring folder;
};
} // namespace

VIniProfileStoreFactory::VIniProfileStoreFactory(const wchar_t* folderPath)
    : folder(folderPath ? folderPath : L"")
{
    while (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/'))
        folder.pop_back();
}

IProfileStoreBackend* VIniProfileStoreFactory::CreateStore()
{
    return new IniStore(folder);
}

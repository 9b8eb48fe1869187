#include "files/detail/PathExpansion.h"

#include "files/VSecurityDescriptor.h"
#include "files/detail/Clock.h"
#include "files/detail/PathHelpers.h"
#include "frame/VReportMessageParams.h"

#include <cwctype>
#include <vector>
#include "resources/HostMessageIds.h"

namespace pardalin::detail
{
namespace
{
const wchar_t kReservedDeviceNames[] = L"CON,PRN,AUX,NUL,COM1,COM2,COM3,COM4,COM5,COM6,COM7,COM8,COM9,LPT1,"
                                       L"LPT2,LPT3,LPT4,LPT5,LPT6,LPT7,LPT8,LPT9,"
                                       L"CLOCK$";

VUnicodeString ReplaceAll(const VUnicodeString& text, const wchar_t* what, const wchar_t* with)
{
    const int whatLength = static_cast<int>(wcslen(what));
    VUnicodeString result;
    int from = 0;
    for (int found = text.Find(what, 0); found >= 0; found = text.Find(what, from))
    {
        result.Append(text.GetString() + from, found - from);
        result.Append(with);
        from = found + whatLength;
    }
    result.Append(text.GetString() + from, text.GetLength() - from);
    return result;
}

void AppendNumber(VUnicodeString& out, const wchar_t* format, int value)
{
    wchar_t digits[16];
    swprintf(digits, 16, format, value);
    out.Append(digits);
}

bool Exists(const wchar_t* path)
{
    // Opened for attribute query only, so folders and files without read access count as there.
    HANDLE handle = CreateFileW(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(handle);
    return true;
}
} // namespace

VUnicodeString ExpandEnvironment(const wchar_t* text)
{
    // Sized by a first call, so expansions of any length come back whole.
    std::vector<wchar_t> buffer(512);
    DWORD needed = ExpandEnvironmentStringsW(text, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (needed > buffer.size())
    {
        buffer.resize(needed);
        needed = ExpandEnvironmentStringsW(text, buffer.data(), static_cast<DWORD>(buffer.size()));
    }
    if (needed == 0 || needed > buffer.size())
        return VUnicodeString(text);
    return VUnicodeString(buffer.data());
}

bool IsPortableDevicePlatform()
{
    static const bool portable = GetEnvironmentVariableW(L"U3_APP_DATA_PATH", nullptr, 0) > 0;
    return portable;
}

VUnicodeString ExpandPortableDeviceVariables(VUnicodeString text)
{
    const struct
    {
        const wchar_t* placeholder;
        const wchar_t* variable;
    } variables[] = {{L"%u3data%", L"U3_APP_DATA_PATH"}, {L"%u3doc%", L"U3_DEVICE_DOCUMENT_PATH"}};
    for (const auto& entry : variables)
    {
        const DWORD length = GetEnvironmentVariableW(entry.variable, nullptr, 0);
        if (length == 0)
            continue;
        std::vector<wchar_t> value(length);
        GetEnvironmentVariableW(entry.variable, value.data(), length);
        text = ReplaceAll(text, entry.placeholder, value.data());
    }
    return text;
}

VUnicodeString ExpandPathTemplate(const VUnicodeString& text, IReportMessageParams& params,
                                  const wchar_t* valueH, const wchar_t* valueS)
{
    SYSTEMTIME now;
    GetUtcTime(&now);

    VUnicodeString source = ExpandEnvironment(text.GetString());
    if (IsPortableDevicePlatform())
        source = ExpandPortableDeviceVariables(source);

    VUnicodeString result;
    const wchar_t* p = source.GetString();
    const wchar_t* run = p;
    for (; *p; ++p)
    {
        if (*p != L'%')
            continue;
        result.Append(run, static_cast<int>(p - run));
        const wchar_t code = p[1];
        switch (code)
        {
        case L'\0':
            params.SetMessageId(MSG_HOST_LONE_PERCENT);
            return VUnicodeString();
        case L'Y':
            AppendNumber(result, L"%04d", now.wYear);
            break;
        case L'M':
            AppendNumber(result, L"%02d", now.wMonth);
            break;
        case L'D':
            AppendNumber(result, L"%02d", now.wDay);
            break;
        case L'h':
            AppendNumber(result, L"%02d", now.wHour);
            break;
        case L'm':
            AppendNumber(result, L"%02d", now.wMinute);
            break;
        case L's':
            AppendNumber(result, L"%02d", now.wSecond);
            break;
        case L't':
            AppendNumber(result, L"%03d", now.wMilliseconds);
            break;
        case L'%':
            result.Append(L'%');
            break;
        case L'S':
            if (valueS)
            {
                result.Append(valueS);
                break;
            }
            [[fallthrough]];
        case L'H':
            if (code == L'H' && valueH)
            {
                result.Append(ReplaceAll(VUnicodeString(valueH), L":", L"_"));
                break;
            }
            [[fallthrough]];
        default:
        {
            // The offending placeholder runs to the next "%" when there is one, else it is the one character.
            const wchar_t* closing = wcschr(p + 1, L'%');
            VUnicodeString placeholder(p, closing ? static_cast<int>(closing - p) + 1 : 2);
            params.SetMessageId(MSG_HOST_UNKNOWN_PLACEHOLDER);
            params.AddInsert(placeholder.GetString());
            return VUnicodeString();
        }
        }
        ++p; // past the placeholder's character
        run = p + 1;
    }
    result.Append(run, static_cast<int>(p - run));
    return result;
}

VUnicodeString ExpandPathTemplate(const VUnicodeString& text, const wchar_t* valueH, const wchar_t* valueS)
{
    VReportMessageParams ignored;
    return ExpandPathTemplate(text, ignored, valueH, valueS);
}

bool ExpandsTo(const wchar_t* text, const wchar_t* path, const wchar_t* valueH, const wchar_t* valueS)
{
    return ExpandPathTemplate(VUnicodeString(text), valueH, valueS).CompareNoCase(path ? path : L"") == 0;
}

bool CreateFolder(const wchar_t* path, VSecurityDescriptor* descriptor)
{
    SECURITY_ATTRIBUTES attributes{};
    attributes.nLength = sizeof(attributes);
    attributes.lpSecurityDescriptor = descriptor ? descriptor->GetDescriptor() : nullptr;
    if (CreateDirectoryW(path, descriptor ? &attributes : nullptr))
        return true;
    if (GetLastError() == ERROR_ACCESS_DENIED)
    {
        bool driveExists = false;
        const bool root = IsDriveRoot(path, driveExists);
        SetLastError(root && driveExists ? ERROR_ALREADY_EXISTS : ERROR_ACCESS_DENIED);
    }
    return false;
}

bool EnsureDirectory(const wchar_t* path, VSecurityDescriptor* descriptor)
{
    if (!path || !*path)
        return false;
    if (CreateFolder(path, descriptor))
        return true;
    const DWORD error = GetLastError();
    if (error == ERROR_ALREADY_EXISTS)
        return true;
    if (error != ERROR_PATH_NOT_FOUND)
        return false;
    VUnicodeString parent;
    VUnicodeString leaf;
    SplitPath(path, parent, leaf, SplitForm::Parent);
    if (!EnsureDirectory(parent.GetString(), descriptor))
        return false;
    return CreateFolder(path, descriptor) || GetLastError() == ERROR_ALREADY_EXISTS;
}

VUnicodeString NearestExistingFolder(const wchar_t* path)
{
    VUnicodeString folder(path);
    VUnicodeString missing;
    if (!WalkUpToExisting(folder, missing, &Exists))
        return VUnicodeString();
    // "C:" is the current folder of drive C; the drive's root is what exists for certain.
    if (folder[folder.GetLength() - 1] == L':')
        folder.Append(L'\\');
    return folder;
}

bool IsReservedDeviceName(const wchar_t* name)
{
    if (!name)
        return false;
    VUnicodeString upper(name);
    upper.MakeUpper();
    const wchar_t* entry = kReservedDeviceNames;
    while (*entry)
    {
        const wchar_t* comma = wcschr(entry, L',');
        const int entryLength = comma ? static_cast<int>(comma - entry) : static_cast<int>(wcslen(entry));
        if (entryLength == upper.GetLength() && wcsncmp(entry, upper.GetString(), entryLength) == 0)
            return true;
        entry += entryLength + (comma ? 1 : 0);
    }
    return false;
}
} // namespace pardalin::detail

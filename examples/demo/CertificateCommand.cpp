#include "CertificateCommand.h"

#include "certificates/VCapiCertificateName.h"
#include "certificates/VCertificate.h"

#include <cwchar>
#include <utility>

namespace
{
constexpr wchar_t kCommand[] = L"--make-certificate";
constexpr DWORD kMaxDays = 36500;
constexpr ULONGLONG kTicksPerDay = 24ull * 60 * 60 * 10000000;

constexpr wchar_t kUsage[] =
    L"usage: demo --make-certificate FILE.pfx --cn NAME [options]\n"
    L"\n"
    L"Makes a self-signed certificate with its private key in FILE.pfx (no password) and, with --request,\n"
    L"a certification request beside it (FILE.csr). Values may follow their option or be joined to it with\n"
    L"'=' (--days=30). A subject value holding ';' must quote that part in double quotes.\n"
    L"\n"
    L"subject:\n"
    L"  --cn NAME          common name (required)\n"
    L"  --org NAME         organization\n"
    L"  --unit NAME        organizational unit\n"
    L"  --locality NAME    locality or city\n"
    L"  --state NAME       state or province\n"
    L"  --country CODE     two-letter country code\n"
    L"  --email ADDRESS    e-mail address\n"
    L"certificate:\n"
    L"  --days N           valid for N days from now, 1 to 36500 (default 365)\n"
    L"  --key-bits N       RSA key size: 1024 or 2048 (default 2048)\n"
    L"  --client           client authentication (default: server authentication)\n"
    L"  --request          also write the certification request\n"
    L"  --help             show this text\n";

// The subject options, each with the field index it sets.
struct SubjectOption
{
    const wchar_t* name;
    int field;
    const wchar_t* label;
};
constexpr SubjectOption kSubjectOptions[] = {
    {L"--cn", VCapiCertificateName::CommonName, L"common name"},
    {L"--org", VCapiCertificateName::Organization, L"organization"},
    {L"--unit", VCapiCertificateName::OrganizationalUnit, L"organizational unit"},
    {L"--locality", VCapiCertificateName::Locality, L"locality"},
    {L"--state", VCapiCertificateName::StateOrProvince, L"state or province"},
    {L"--country", VCapiCertificateName::Country, L"country"},
    {L"--email", VCapiCertificateName::Email, L"e-mail address"},
};

// A decimal number within [low, high], nothing else.
bool ReadNumber(const std::wstring& text, DWORD low, DWORD high, DWORD& value)
{
    if (text.empty() || text.size() > 9)
        return false;
    DWORD number = 0;
    for (wchar_t c : text)
    {
        if (c < L'0' || c > L'9')
            return false;
        number = number * 10 + static_cast<DWORD>(c - L'0');
    }
    if (number < low || number > high)
        return false;
    value = number;
    return true;
}

// The standard output or error; a program without one (a windowed program started from a console) writes
// to its parent's console.
class Output
{
public:
    explicit Output(DWORD which) : m_handle(GetStdHandle(which))
    {
        if (m_handle == nullptr || m_handle == INVALID_HANDLE_VALUE)
        {
            if (AttachConsole(ATTACH_PARENT_PROCESS) || GetLastError() == ERROR_ACCESS_DENIED)
                m_handle = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE, nullptr,
                                       OPEN_EXISTING, 0, nullptr);
            m_owned = m_handle != INVALID_HANDLE_VALUE;
        }
    }
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;
    ~Output()
    {
        if (m_owned)
            CloseHandle(m_handle);
    }

    // A console gets the text as it is; a file or pipe gets UTF-8.
    void Write(const std::wstring& text) const
    {
        if (m_handle == nullptr || m_handle == INVALID_HANDLE_VALUE || text.empty())
            return;
        DWORD done = 0;
        DWORD mode = 0;
        if (GetConsoleMode(m_handle, &mode))
        {
            WriteConsoleW(m_handle, text.data(), static_cast<DWORD>(text.size()), &done, nullptr);
            return;
        }
        const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                             0, nullptr, nullptr);
        std::string bytes(static_cast<size_t>(size), '\0');
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                            nullptr, nullptr);
        WriteFile(m_handle, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
    }

private:
    HANDLE m_handle;
    bool m_owned = false;
};

std::wstring FullPath(const std::wstring& path)
{
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0)
        return path;
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    full.resize(length < size ? length : 0);
    return full.empty() ? path : full;
}

// The request's name as the certificate's Save forms it.
std::wstring RequestPath(const std::wstring& pfxPath)
{
    std::wstring path = pfxPath;
    if (path.size() >= 4)
    {
        const std::wstring extension = path.substr(path.size() - 4);
        if (_wcsicmp(extension.c_str(), L".pfx") == 0 || _wcsicmp(extension.c_str(), L".p12") == 0)
            path.resize(path.size() - 4);
    }
    return path + L".csr";
}

std::wstring Hex(DWORD value)
{
    wchar_t text[16];
    swprintf(text, 16, L"0x%08lX", value);
    return text;
}

std::wstring Reason(const VReportMessageParams& err)
{
    const wchar_t* text = err.GetSingleLineText();
    return (text && *text ? std::wstring(text) + L" " : std::wstring()) + L"(" + Hex(err.GetMessageId()) +
           L")";
}
} // namespace

bool IsCertificateCommand(int count, const wchar_t* const* arguments)
{
    for (int i = 1; i < count; ++i)
    {
        const std::wstring argument = arguments[i];
        if (argument == kCommand || argument.rfind(std::wstring(kCommand) + L"=", 0) == 0)
            return true;
    }
    return false;
}

bool ParseCertificateArguments(int count, const wchar_t* const* arguments, CertificateArguments& parsed,
                               std::wstring& problem)
{
    parsed = CertificateArguments();
    bool seen[7] = {};
    bool seenPath = false, seenDays = false, seenBits = false, seenClient = false, seenRequest = false;
    for (int i = 1; i < count; ++i)
    {
        std::wstring name = arguments[i];
        std::wstring value;
        bool joined = false;
        const size_t equals = name.find(L'=');
        if (name.rfind(L"--", 0) == 0 && equals != std::wstring::npos)
        {
            value = name.substr(equals + 1);
            name.resize(equals);
            joined = true;
        }
        // The value of an option that takes one: joined, or the next argument.
        const auto takeValue = [&]
        {
            if (joined)
                return true;
            if (i + 1 >= count)
            {
                problem = name + L" needs a value";
                return false;
            }
            value = arguments[++i];
            return true;
        };
        const auto once = [&](bool& flag)
        {
            if (flag)
                problem = name + L" is given twice";
            return !std::exchange(flag, true);
        };
        const auto noValue = [&]
        {
            if (joined)
                problem = name + L" takes no value";
            return !joined;
        };

        const SubjectOption* subject = nullptr;
        for (const SubjectOption& option : kSubjectOptions)
            if (name == option.name)
                subject = &option;
        if (subject)
        {
            if (!once(seen[subject->field]) || !takeValue())
                return false;
            if (value.empty())
            {
                problem = name + L": the " + subject->label + L" is empty";
                return false;
            }
            parsed.fields[subject->field] = value;
        }
        else if (name == kCommand)
        {
            if (!once(seenPath) || !takeValue())
                return false;
            if (value.empty())
            {
                problem = name + L" needs a file name";
                return false;
            }
            parsed.pfxPath = value;
        }
        else if (name == L"--days")
        {
            if (!once(seenDays) || !takeValue())
                return false;
            if (!ReadNumber(value, 1, kMaxDays, parsed.days))
            {
                problem = L"--days: '" + value + L"' is not a number of days from 1 to 36500";
                return false;
            }
        }
        else if (name == L"--key-bits")
        {
            if (!once(seenBits) || !takeValue())
                return false;
            if (value != L"1024" && value != L"2048")
            {
                problem = L"--key-bits: '" + value + L"' is not 1024 or 2048";
                return false;
            }
            parsed.keyBits = value == L"1024" ? 1024 : 2048;
        }
        else if (name == L"--client")
        {
            if (!once(seenClient) || !noValue())
                return false;
            parsed.flags |= VCertificate::ClientCertificate;
        }
        else if (name == L"--request")
        {
            if (!once(seenRequest) || !noValue())
                return false;
            parsed.flags |= VCertificate::MakeRequest;
        }
        else if (name == L"--help")
        {
            parsed.help = true;
            return true;
        }
        else
        {
            problem = L"unknown argument '" + std::wstring(arguments[i]) + L"'";
            return false;
        }
    }
    if (!seenPath)
        problem = std::wstring(kCommand) + L" needs a file name";
    else if (!seen[VCapiCertificateName::CommonName])
        problem = L"--cn is required";
    else
        return true;
    return false;
}

int RunCertificateCommand(int count, const wchar_t* const* arguments)
{
    const Output out(STD_OUTPUT_HANDLE);
    const Output errors(STD_ERROR_HANDLE);
    CertificateArguments parsed;
    std::wstring problem;
    if (!ParseCertificateArguments(count, arguments, parsed, problem))
    {
        errors.Write(L"demo: " + problem + L"\n\n" + kUsage);
        return 2;
    }
    if (parsed.help)
    {
        out.Write(kUsage);
        return 0;
    }

    VCapiCertificateName name;
    for (int field = 0; field < 7; ++field)
        name.SetField(field, parsed.fields[field].c_str());
    const CERT_NAME_BLOB* encoded = name.Encode();
    if (!encoded)
    {
        std::wstring which = L"the subject";
        for (const SubjectOption& option : kSubjectOptions)
            if (option.field == name.GetFailedField())
                which = std::wstring(option.name) + L" (the " + option.label + L")";
        // The system has no text for the name's own error: say what it means.
        const DWORD error = name.GetStatus().GetMessageId();
        errors.Write(
            L"demo: " + which + L" is not a valid name" +
            (error == static_cast<DWORD>(CRYPT_E_INVALID_X500_STRING)
                 ? L": a ';' outside double quotes, or quotes or characters that a name cannot hold (" +
                       Hex(error) + L")"
                 : L": " + Reason(name.GetStatus())) +
            L"\n");
        return 1;
    }

    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER end{{now.dwLowDateTime, now.dwHighDateTime}};
    end.QuadPart += parsed.days * kTicksPerDay;
    const FILETIME notAfter{end.LowPart, end.HighPart};

    VReportMessageParams err;
    VCertificate* certificate = VCertificate::Create(encoded, &notAfter, parsed.flags, parsed.keyBits, err);
    if (!certificate)
    {
        errors.Write(L"demo: the certificate was not made: " + Reason(err) + L"\n");
        return 1;
    }
    const bool saved = certificate->Save(parsed.pfxPath.c_str(), err);
    // Releasing deletes the temporary key container; the key lives on in the PFX file.
    certificate->Release();
    if (!saved)
    {
        errors.Write(L"demo: " + parsed.pfxPath + L" was not written: " + Reason(err) + L"\n");
        return 1;
    }
    out.Write(L"certificate and key: " + FullPath(parsed.pfxPath) + L"\n");
    if (parsed.flags & VCertificate::MakeRequest)
        out.Write(L"request: " + FullPath(RequestPath(parsed.pfxPath)) + L"\n");
    return 0;
}

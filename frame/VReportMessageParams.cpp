#include "frame/VReportMessageParams.h"

#include "core/VUnicodeString.h"
#include "frame/Pardalin.h"
#include "frame/detail/Modules.h"
#include "core/detail/GuardedFormat.h"
#include "frame/detail/SafeFormat.h"

#include <cwchar>

namespace
{
constexpr DWORD kCustomerBit = 0x20000000;
constexpr DWORD kSingleLine = FORMAT_MESSAGE_MAX_WIDTH_MASK;

wchar_t* CopyOf(const wchar_t* text)
{
    const size_t length = text ? wcslen(text) : 0;
    auto* copy = new wchar_t[length + 1];
    if (length)
        wmemcpy(copy, text, length);
    copy[length] = L'\0';
    return copy;
}
} // namespace

VReportMessageParams::VReportMessageParams() : VReportMessageParams(0) {}

VReportMessageParams::VReportMessageParams(DWORD messageId)
    : m_nTag(-1), m_dwMessageId(messageId), m_hMessageModule(GetPardalinDll()), m_pszText(nullptr),
      m_dwTextLength(0), m_nRefCount(1), m_nContext(0)
{
}

VReportMessageParams::VReportMessageParams(const VReportMessageParams& other)
    : IReportMessageParams(), m_nTag(-1), m_dwMessageId(other.m_dwMessageId),
      m_hMessageModule(other.m_hMessageModule), m_pszText(nullptr), m_dwTextLength(0), m_nRefCount(1),
      m_nContext(other.m_nContext)
{
    for (int i = 0; i < other.m_inserts.GetCount(); ++i)
        AddInsert(other.m_inserts[i]);
}

VReportMessageParams& VReportMessageParams::operator=(const VReportMessageParams& other)
{
    if (this == &other)
        return *this;
    m_nContext = other.m_nContext;
    m_dwMessageId = other.m_dwMessageId;
    m_hMessageModule = other.m_hMessageModule;
    DropText();
    DropInserts();
    for (int i = 0; i < other.m_inserts.GetCount(); ++i)
        AddInsert(other.m_inserts[i]);
    return *this;
}

VReportMessageParams::~VReportMessageParams()
{
    DropInserts();
    DropText();
}

unsigned long VReportMessageParams::AddRef()
{
    return static_cast<unsigned long>(InterlockedIncrement(&m_nRefCount));
}

unsigned long VReportMessageParams::Release()
{
    const LONG remaining = InterlockedDecrement(&m_nRefCount);
    if (remaining > 0)
        return static_cast<unsigned long>(remaining);
    delete this;
    return 0;
}

void VReportMessageParams::Reset(DWORD messageId)
{
    m_dwMessageId = messageId;
    m_hMessageModule = GetPardalinDll();
    m_nContext = 0;
    DropInserts();
    DropText();
}

IReportMessageParams* VReportMessageParams::Assign(const IReportMessageParams* other)
{
    const auto* same = dynamic_cast<const VReportMessageParams*>(other);
    if (!same)
        return nullptr;
    *this = *same;
    return this;
}

DWORD VReportMessageParams::GetMessageId() const
{
    return m_dwMessageId;
}

void VReportMessageParams::SetMessageId(DWORD messageId)
{
    m_dwMessageId = messageId;
}

int VReportMessageParams::GetTag() const
{
    return m_nTag;
}

void VReportMessageParams::SetTag(int tag)
{
    m_nTag = tag;
}

unsigned __int64 VReportMessageParams::GetContext() const
{
    return m_nContext;
}

void VReportMessageParams::SetContext(unsigned __int64 context)
{
    m_nContext = context;
}

void VReportMessageParams::AddInsert(const wchar_t* insert)
{
    wchar_t* copy = CopyOf(insert);
    try
    {
        m_inserts.Add(copy);
    }
    catch (...)
    {
        delete[] copy;
        throw;
    }
}

void VReportMessageParams::AddInsert(const char* insert)
{
    if (!insert)
    {
        AddInsert(static_cast<const wchar_t*>(nullptr));
        return;
    }
    // The whole string with its NUL, so the result is terminated whatever the conversion makes of it.
    const int needed = MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, insert, -1, nullptr, 0);
    auto* converted = new wchar_t[needed > 0 ? needed : 1];
    if (needed <= 0 || MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, insert, -1, converted, needed) <= 0)
        converted[0] = L'\0';
    try
    {
        m_inserts.Add(converted);
    }
    catch (...)
    {
        delete[] converted;
        throw;
    }
}

void VReportMessageParams::AddFormattedInsert(const wchar_t* format, DWORD value)
{
    VUnicodeString formatted;
    formatted.Format(format, value);
    AddInsert(formatted.GetString());
}

HMODULE VReportMessageParams::GetMessageModule() const
{
    return m_hMessageModule;
}

const wchar_t* VReportMessageParams::GetText() const
{
    return FormatText(0);
}

const wchar_t* VReportMessageParams::GetSingleLineText() const
{
    return FormatText(kSingleLine);
}

DWORD VReportMessageParams::GetTextLength() const
{
    return m_dwTextLength;
}

const wchar_t* const* VReportMessageParams::GetInserts() const
{
    return m_inserts.GetData();
}

const wchar_t* const* VReportMessageParams::GetArguments() const
{
    return m_inserts.GetData();
}

int VReportMessageParams::GetInsertCount() const
{
    return m_inserts.GetCount();
}

bool VReportMessageParams::Attempt(DWORD widthFlags, DWORD sourceFlag, HMODULE source) const
{
    m_dwTextLength =
        pardalin::detail::FormatWithInserts(widthFlags | sourceFlag, source, m_dwMessageId,
                                            m_inserts.GetData(), m_inserts.GetCount(), &m_pszText);
    return m_dwTextLength > 0;
}

const wchar_t* VReportMessageParams::FormatText(DWORD widthFlags) const
{
    if (m_pszText)
        return m_pszText;

    if (!(m_dwMessageId & kCustomerBit))
    {
        if (Attempt(widthFlags, FORMAT_MESSAGE_FROM_SYSTEM, nullptr))
            return m_pszText;
        const HMODULE ntdll = pardalin::detail::NtdllModule();
        if (ntdll && Attempt(widthFlags, FORMAT_MESSAGE_FROM_HMODULE, ntdll))
            return m_pszText;
    }
    if (Attempt(widthFlags, FORMAT_MESSAGE_FROM_HMODULE, m_hMessageModule))
        return m_pszText;
    const DWORD firstStatus = GetLastError();
    if (Attempt(widthFlags, FORMAT_MESSAGE_FROM_HMODULE, pardalin::detail::HostExecutableModule()))
        return m_pszText;
    const DWORD secondStatus = GetLastError();

    wchar_t moduleName[MAX_PATH];
    const wchar_t* moduleText = moduleName;
    const DWORD nameLength = GetModuleFileNameW(m_hMessageModule, moduleName, MAX_PATH);
    if (nameLength == 0 || nameLength >= MAX_PATH)
        moduleText = L"<Unknown Module>";
    const DWORD_PTR arguments[] = {m_dwMessageId, reinterpret_cast<DWORD_PTR>(moduleText), firstStatus,
                                   secondStatus};
    m_dwTextLength = pardalin::detail::GuardedFormatMessage(
        FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ARGUMENT_ARRAY | widthFlags,
        L"Could not retrieve the error text for error code 0x%1!08x!.\r\nStatus codes from FormatMessage "
        L"were "
        L"%2:%3!d! and %4!d!.",
        0, &m_pszText, reinterpret_cast<va_list*>(const_cast<DWORD_PTR*>(arguments)));
    return m_pszText;
}

void VReportMessageParams::DropText() const
{
    if (m_pszText)
        LocalFree(m_pszText);
    m_pszText = nullptr;
    m_dwTextLength = 0;
}

void VReportMessageParams::DropInserts()
{
    for (int i = 0; i < m_inserts.GetCount(); ++i)
        delete[] m_inserts[i];
    m_inserts.RemoveAll();
}

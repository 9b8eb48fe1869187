#include "core/VUnicodeString.h"

#include "core/VString.h"
#include "core/detail/StringCore.h"

#include <cstring>
#include <cwchar>
#include <utility>

using Core = pardalin::detail::StringCore<wchar_t>;

namespace
{

// Converts straight into the string's own buffer, so that a sensitive text never passes through a temporary.
void InitFromNarrow(wchar_t*& p, const char* text, int length, UINT codePage, Str::SensitiveState sensitivity)
{
    const int sourceLength = !text ? 0 : length < 0 ? static_cast<int>(std::strlen(text)) : length;
    if (sourceLength == 0)
    {
        p = Core::SharedEmpty(sensitivity);
        return;
    }
    // Some code pages (UTF-8 among them) refuse MB_PRECOMPOSED; they convert without it.
    DWORD flags = MB_PRECOMPOSED;
    int chars = MultiByteToWideChar(codePage, flags, text, sourceLength, nullptr, 0);
    if (chars == 0 && GetLastError() == ERROR_INVALID_FLAGS)
    {
        flags = 0;
        chars = MultiByteToWideChar(codePage, flags, text, sourceLength, nullptr, 0);
    }
    if (chars <= 0)
    {
        p = Core::SharedEmpty(sensitivity);
        return;
    }
    p = Core::Allocate(static_cast<std::size_t>(chars), sensitivity);
    chars = MultiByteToWideChar(codePage, flags, text, sourceLength, p, chars);
    Core::SetLength(p, static_cast<std::size_t>(chars > 0 ? chars : 0));
}

} // namespace

VUnicodeString::VUnicodeString() : m_pszData(Core::SharedEmpty(Str::NotSensitive)) {}

VUnicodeString::VUnicodeString(Str::SensitiveState sensitivity) : m_pszData(Core::SharedEmpty(sensitivity)) {}

VUnicodeString::VUnicodeString(const wchar_t* text, int length, Str::SensitiveState sensitivity)
{
    Core::Init(m_pszData, text, length, sensitivity);
}

VUnicodeString::VUnicodeString(const wchar_t* text, Str::SensitiveState sensitivity)
{
    Core::Init(m_pszData, text, -1, sensitivity);
}

VUnicodeString::VUnicodeString(const char* text, UINT codePage, int length, Str::SensitiveState sensitivity)
{
    InitFromNarrow(m_pszData, text, length, codePage, sensitivity);
}

VUnicodeString::VUnicodeString(const VString& text, UINT codePage)
{
    InitFromNarrow(m_pszData, text.GetString(), text.GetLength(), codePage, text.GetSensitivity());
}

VUnicodeString::VUnicodeString(const CString& text, Str::SensitiveState sensitivity)
{
    Core::Init(m_pszData, text.GetString(), text.GetLength(), sensitivity);
}

VUnicodeString::VUnicodeString(const VUnicodeString& other) : m_pszData(other.m_pszData)
{
    Core::AddRef(m_pszData);
}

VUnicodeString::VUnicodeString(VUnicodeString&& other) noexcept : m_pszData(other.m_pszData)
{
    // The moved-from string keeps its sensitivity, so that whatever it is given later stays protected.
    other.m_pszData = Core::SharedEmpty(Core::Sensitivity(m_pszData));
}

VUnicodeString::~VUnicodeString()
{
    Core::Release(m_pszData);
}

VUnicodeString& VUnicodeString::operator=(const VUnicodeString& other)
{
    Core::AssignShared(m_pszData, other.m_pszData);
    return *this;
}

VUnicodeString& VUnicodeString::operator=(VUnicodeString&& other) noexcept
{
    if (this == &other)
        return *this;
    if (IsSensitive() && !other.IsSensitive())
    {
        Core::AssignShared(m_pszData, other.m_pszData);
        return *this;
    }
    wchar_t* old = m_pszData;
    m_pszData = other.m_pszData;
    other.m_pszData = Core::SharedEmpty(Core::Sensitivity(m_pszData));
    Core::Release(old);
    return *this;
}

VUnicodeString& VUnicodeString::operator=(const wchar_t* text)
{
    Core::AssignText(m_pszData, text);
    return *this;
}

VUnicodeString& VUnicodeString::operator=(const CString& text)
{
    Core::Assign(m_pszData, text.GetString(), static_cast<std::size_t>(text.GetLength()));
    return *this;
}

int VUnicodeString::GetLength() const
{
    return Core::Length(m_pszData);
}

bool VUnicodeString::IsEmpty() const
{
    return GetLength() == 0;
}

void VUnicodeString::Empty()
{
    Core::Empty(m_pszData);
}

bool VUnicodeString::IsSensitive() const
{
    return Core::IsSensitive(m_pszData);
}

Str::SensitiveState VUnicodeString::GetSensitivity() const
{
    return Core::Sensitivity(m_pszData);
}

void VUnicodeString::MakeSensitive()
{
    Core::MakeSensitive(m_pszData);
}

wchar_t VUnicodeString::GetAt(int index) const
{
    return Core::CharAt(m_pszData, index);
}

const wchar_t& VUnicodeString::operator[](int index) const
{
    return *Core::AddressAt(m_pszData, index);
}

void VUnicodeString::SetAt(int index, wchar_t ch)
{
    Core::SetAt(m_pszData, index, ch);
}

wchar_t* VUnicodeString::GetBuffer(int minLength)
{
    return Core::GetBuffer(m_pszData, minLength);
}

void VUnicodeString::ReleaseBuffer(int newLength)
{
    Core::ReleaseBuffer(m_pszData, newLength);
}

VUnicodeString& VUnicodeString::Append(const VUnicodeString& text)
{
    Core::AppendString(m_pszData, text.m_pszData);
    return *this;
}

VUnicodeString& VUnicodeString::Append(const wchar_t* text, int length)
{
    Core::AppendText(m_pszData, text, length);
    return *this;
}

VUnicodeString& VUnicodeString::Append(wchar_t ch)
{
    Core::Append(m_pszData, &ch, 1);
    return *this;
}

void VUnicodeString::Delete(int index)
{
    Core::Delete(m_pszData, index);
}

void VUnicodeString::MakeUpper()
{
    Core::MakeUpper(m_pszData);
}

int VUnicodeString::Find(const wchar_t* text, int start) const
{
    return Core::Find(m_pszData, text, start);
}

int VUnicodeString::Find(wchar_t ch, int start) const
{
    return Core::FindChar(m_pszData, ch, start);
}

int VUnicodeString::ReverseFind(wchar_t ch) const
{
    return Core::ReverseFind(m_pszData, ch);
}

VUnicodeString VUnicodeString::Left(int count) const
{
    return Mid(0, count < 0 ? 0 : count);
}

VUnicodeString VUnicodeString::Right(int count) const
{
    const int length = GetLength();
    count = count < 0 ? 0 : count > length ? length : count;
    return Mid(length - count, count);
}

VUnicodeString VUnicodeString::Mid(int first, int count) const
{
    VUnicodeString result;
    wchar_t* part = Core::Substring(m_pszData, first, count);
    std::swap(result.m_pszData, part);
    Core::Release(part);
    return result;
}

int VUnicodeString::Compare(const VUnicodeString& other) const
{
    return Core::Compare(m_pszData, other.m_pszData, static_cast<std::size_t>(other.GetLength()));
}

int VUnicodeString::Compare(const wchar_t* text) const
{
    return Core::Compare(m_pszData, text ? text : L"", Core::TextLength(text));
}

int VUnicodeString::CompareNoCase(const VUnicodeString& other) const
{
    return Core::CompareNoCase(m_pszData, other.m_pszData, static_cast<std::size_t>(other.GetLength()));
}

int VUnicodeString::CompareNoCase(const wchar_t* text) const
{
    return Core::CompareNoCase(m_pszData, text ? text : L"", Core::TextLength(text));
}

int VUnicodeString::Format(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    const int result = FormatV(format, args);
    va_end(args);
    return result;
}

int VUnicodeString::FormatV(const wchar_t* format, va_list args)
{
    return Core::Format(m_pszData, format, args);
}

bool VUnicodeString::ToInt(int& value) const
{
    return Str::ToInt(m_pszData, value);
}

bool VUnicodeString::ToIntStrict(int& value) const
{
    return Str::ToIntStrict(m_pszData, value);
}

bool VUnicodeString::ToUInt(unsigned int& value) const
{
    return Str::ToUInt(m_pszData, value);
}

bool VUnicodeString::ToUIntStrict(unsigned int& value) const
{
    return Str::ToUIntStrict(m_pszData, value);
}

bool operator==(const VUnicodeString& a, const CString& b)
{
    const int length = a.GetLength();
    return length == b.GetLength() && std::wcsncmp(a.GetString(), b.GetString(), length) == 0;
}

bool operator==(const CString& a, const VUnicodeString& b)
{
    return b == a;
}

bool operator!=(const VUnicodeString& a, const CString& b)
{
    return !(a == b);
}

bool operator!=(const CString& a, const VUnicodeString& b)
{
    return !(b == a);
}

VUnicodeString operator+(const VUnicodeString& left, const VUnicodeString& right)
{
    VUnicodeString result(left);
    result.Append(right);
    return result;
}

VUnicodeString operator+(const VUnicodeString& left, const wchar_t* right)
{
    VUnicodeString result(left);
    result.Append(right);
    return result;
}

VUnicodeString operator+(const wchar_t* left, const VUnicodeString& right)
{
    VUnicodeString result(left);
    result.Append(right);
    return result;
}

VUnicodeString operator+(const VUnicodeString& left, wchar_t right)
{
    VUnicodeString result(left);
    result.Append(right);
    return result;
}

namespace Str
{

bool ToInt(const wchar_t* text, int& value)
{
    return Core::ToInt(text, value, false);
}

bool ToIntStrict(const wchar_t* text, int& value)
{
    return Core::ToInt(text, value, true);
}

bool ToUInt(const wchar_t* text, unsigned int& value)
{
    return Core::ToUInt(text, value, false);
}

bool ToUIntStrict(const wchar_t* text, unsigned int& value)
{
    return Core::ToUInt(text, value, true);
}

} // namespace Str

#include "core/VString.h"

#include "core/VUnicodeString.h"
#include "core/detail/StringCore.h"

#include <cstring>
#include <cwchar>
#include <utility>

using Core = pardalin::detail::StringCore<char>;

namespace
{

// Converts straight into the string's own buffer, so that a sensitive text never passes through a temporary.
void InitFromWide(char*& p, const wchar_t* text, int length, UINT codePage, Str::SensitiveState sensitivity)
{
    const int sourceLength = !text ? 0 : length < 0 ? static_cast<int>(std::wcslen(text)) : length;
    if (sourceLength == 0)
    {
        p = Core::SharedEmpty(sensitivity);
        return;
    }
    int bytes = WideCharToMultiByte(codePage, 0, text, sourceLength, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
    {
        p = Core::SharedEmpty(sensitivity);
        return;
    }
    p = Core::Allocate(static_cast<std::size_t>(bytes), sensitivity);
    bytes = WideCharToMultiByte(codePage, 0, text, sourceLength, p, bytes, nullptr, nullptr);
    Core::SetLength(p, static_cast<std::size_t>(bytes > 0 ? bytes : 0));
}

} // namespace

VString::VString() : m_pszData(Core::SharedEmpty(Str::NotSensitive)) {}

VString::VString(Str::SensitiveState sensitivity) : m_pszData(Core::SharedEmpty(sensitivity)) {}

VString::VString(const char* text, int length, Str::SensitiveState sensitivity)
{
    Core::Init(m_pszData, text, length, sensitivity);
}

VString::VString(const char* text, Str::SensitiveState sensitivity)
{
    Core::Init(m_pszData, text, -1, sensitivity);
}

VString::VString(const wchar_t* text, UINT codePage, int length, Str::SensitiveState sensitivity)
{
    InitFromWide(m_pszData, text, length, codePage, sensitivity);
}

VString::VString(const VUnicodeString& text, UINT codePage)
{
    InitFromWide(m_pszData, text.GetString(), text.GetLength(), codePage, text.GetSensitivity());
}

VString::VString(const CString& text, Str::SensitiveState sensitivity)
{
    InitFromWide(m_pszData, text.GetString(), text.GetLength(), CP_ACP, sensitivity);
}

VString::VString(const VString& other) : m_pszData(other.m_pszData)
{
    Core::AddRef(m_pszData);
}

VString::VString(VString&& other) noexcept : m_pszData(other.m_pszData)
{
    // The moved-from string keeps its sensitivity, so that whatever it is given later stays protected.
    other.m_pszData = Core::SharedEmpty(Core::Sensitivity(m_pszData));
}

VString::~VString()
{
    Core::Release(m_pszData);
}

VString& VString::operator=(const VString& other)
{
    Core::AssignShared(m_pszData, other.m_pszData);
    return *this;
}

VString& VString::operator=(VString&& other) noexcept
{
    if (this == &other)
        return *this;
    if (IsSensitive() && !other.IsSensitive())
    {
        Core::AssignShared(m_pszData, other.m_pszData);
        return *this;
    }
    char* old = m_pszData;
    m_pszData = other.m_pszData;
    other.m_pszData = Core::SharedEmpty(Core::Sensitivity(m_pszData));
    Core::Release(old);
    return *this;
}

VString& VString::operator=(const char* text)
{
    Core::AssignText(m_pszData, text);
    return *this;
}

VString& VString::operator=(const CString& text)
{
    // Converted with this string's sensitivity, so that the assignment below shares the converted buffer.
    const VString converted(text, GetSensitivity());
    Core::AssignShared(m_pszData, converted.m_pszData);
    return *this;
}

int VString::GetLength() const
{
    return Core::Length(m_pszData);
}

bool VString::IsEmpty() const
{
    return GetLength() == 0;
}

void VString::Empty()
{
    Core::Empty(m_pszData);
}

bool VString::IsSensitive() const
{
    return Core::IsSensitive(m_pszData);
}

Str::SensitiveState VString::GetSensitivity() const
{
    return Core::Sensitivity(m_pszData);
}

void VString::MakeSensitive()
{
    Core::MakeSensitive(m_pszData);
}

char VString::GetAt(int index) const
{
    return Core::CharAt(m_pszData, index);
}

const char& VString::operator[](int index) const
{
    return *Core::AddressAt(m_pszData, index);
}

void VString::SetAt(int index, char ch)
{
    Core::SetAt(m_pszData, index, ch);
}

char* VString::GetBuffer(int minLength)
{
    return Core::GetBuffer(m_pszData, minLength);
}

void VString::ReleaseBuffer(int newLength)
{
    Core::ReleaseBuffer(m_pszData, newLength);
}

VString& VString::Append(const VString& text)
{
    Core::AppendString(m_pszData, text.m_pszData);
    return *this;
}

VString& VString::Append(const char* text, int length)
{
    Core::AppendText(m_pszData, text, length);
    return *this;
}

VString& VString::Append(char ch)
{
    Core::Append(m_pszData, &ch, 1);
    return *this;
}

void VString::Delete(int index)
{
    Core::Delete(m_pszData, index);
}

void VString::MakeUpper()
{
    Core::MakeUpper(m_pszData);
}

int VString::Find(const char* text, int start) const
{
    return Core::Find(m_pszData, text, start);
}

int VString::Find(char ch, int start) const
{
    return Core::FindChar(m_pszData, ch, start);
}

int VString::ReverseFind(char ch) const
{
    return Core::ReverseFind(m_pszData, ch);
}

VString VString::Left(int count) const
{
    return Mid(0, count < 0 ? 0 : count);
}

VString VString::Right(int count) const
{
    const int length = GetLength();
    count = count < 0 ? 0 : count > length ? length : count;
    return Mid(length - count, count);
}

VString VString::Mid(int first, int count) const
{
    VString result;
    char* part = Core::Substring(m_pszData, first, count);
    std::swap(result.m_pszData, part);
    Core::Release(part);
    return result;
}

int VString::Compare(const VString& other) const
{
    return Core::Compare(m_pszData, other.m_pszData, static_cast<std::size_t>(other.GetLength()));
}

int VString::Compare(const char* text) const
{
    return Core::Compare(m_pszData, text ? text : "", Core::TextLength(text));
}

int VString::CompareNoCase(const VString& other) const
{
    return Core::CompareNoCase(m_pszData, other.m_pszData, static_cast<std::size_t>(other.GetLength()));
}

int VString::CompareNoCase(const char* text) const
{
    return Core::CompareNoCase(m_pszData, text ? text : "", Core::TextLength(text));
}

int VString::Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    const int result = FormatV(format, args);
    va_end(args);
    return result;
}

int VString::FormatV(const char* format, va_list args)
{
    return Core::Format(m_pszData, format, args);
}

bool VString::ToInt(int& value) const
{
    return Str::ToInt(m_pszData, value);
}

bool VString::ToIntStrict(int& value) const
{
    return Str::ToIntStrict(m_pszData, value);
}

bool VString::ToUInt(unsigned int& value) const
{
    return Str::ToUInt(m_pszData, value);
}

bool VString::ToUIntStrict(unsigned int& value) const
{
    return Str::ToUIntStrict(m_pszData, value);
}

bool operator==(const VString& a, const CString& b)
{
    // The converted copy carries the secret as much as `a` does, so it is wiped alike.
    const VString narrow(b, a.GetSensitivity());
    const int length = a.GetLength();
    return length == narrow.GetLength() && std::strncmp(a.GetString(), narrow.GetString(), length) == 0;
}

bool operator==(const CString& a, const VString& b)
{
    return b == a;
}

bool operator!=(const VString& a, const CString& b)
{
    return !(a == b);
}

bool operator!=(const CString& a, const VString& b)
{
    return !(b == a);
}

VString operator+(const VString& left, const VString& right)
{
    VString result(left);
    result.Append(right);
    return result;
}

VString operator+(const VString& left, const char* right)
{
    VString result(left);
    result.Append(right);
    return result;
}

VString operator+(const char* left, const VString& right)
{
    VString result(left);
    result.Append(right);
    return result;
}

VString operator+(const VString& left, char right)
{
    VString result(left);
    result.Append(right);
    return result;
}

namespace Str
{

bool ToInt(const char* text, int& value)
{
    return Core::ToInt(text, value, false);
}

bool ToIntStrict(const char* text, int& value)
{
    return Core::ToInt(text, value, true);
}

bool ToUInt(const char* text, unsigned int& value)
{
    return Core::ToUInt(text, value, false);
}

bool ToUIntStrict(const char* text, unsigned int& value)
{
    return Core::ToUInt(text, value, true);
}

} // namespace Str

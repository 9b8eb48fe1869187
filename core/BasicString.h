// BasicString<C>: the one implementation of the library's two string classes, VUnicodeString (C = wchar_t)
// and VString (C = char), which derive from it and add nothing. StringHeader is the buffer's header.
//
//     VUnicodeString name(L"report");
//     name += L".txt";                    // the text lives in a shared, reference-counted buffer
//     VUnicodeString copy(name);          // shares the buffer
//     copy.SetAt(0, L'R');                // takes a private copy first; `name` is unchanged
//
// The object is one pointer to the first character of its buffer; the header sits right in front of the
// characters. Copies share the buffer and a string takes a private copy before it writes. When memory runs
// out an operation throws std::bad_alloc and the string keeps its text.
//
// Both instantiations are exported whole. Every member is defined out of line in BasicString.cpp, because
// the compiler exports no inline member of an exported class template; the inline comparisons are friends
// that call exported members only.
#pragma once

#include <afx.h>

#include <cstdarg>
#include <cstddef>
#include <cstdint>

#include "core/PardalinApi.h"
#include "core/Str.h"

class VString;
class VUnicodeString;

namespace pardalin
{
namespace detail
{

struct StringHeader
{
    std::uint32_t capacity; // bytes for characters, including the terminating NUL
    std::uint32_t length;   // bytes in use, without the NUL
    void* data;             // the first character, right behind this header
    std::int32_t sensitivity;
    volatile LONG references;
};
static_assert(sizeof(StringHeader) == 24, "the buffer header is part of the strings' binary layout");

template <class C> StringHeader* HeaderOf(const C* chars)
{
    return reinterpret_cast<StringHeader*>(reinterpret_cast<std::uintptr_t>(chars) - sizeof(StringHeader));
}

// Called with the address and size of a sensitive buffer's block right after the block was zeroed and
// before it is freed. Lets white-box tests watch the wipe; null (the default) means nobody watches.
using WipeObserver = void (*)(const void* block, std::size_t size);
WipeObserver SetWipeObserver(WipeObserver observer);

// The string class of each character type and its twin of the other type.
template <class C> struct StringTypes;
template <> struct StringTypes<wchar_t>
{
    using String = VUnicodeString;
    using Twin = VString;
    using TwinChar = char;
};
template <> struct StringTypes<char>
{
    using String = VString;
    using Twin = VUnicodeString;
    using TwinChar = wchar_t;
};

template <class C> class BasicString
{
public:
    using String = typename StringTypes<C>::String;
    using Twin = typename StringTypes<C>::Twin;
    using TwinChar = typename StringTypes<C>::TwinChar;

    // Construction.
    BasicString();
    explicit BasicString(Str::SensitiveState sensitivity);
    // `length` in characters; -1 takes the text up to its NUL. A null text gives an empty string.
    BasicString(const C* text, int length = -1, Str::SensitiveState sensitivity = Str::NotSensitive);
    BasicString(const C* text, Str::SensitiveState sensitivity);
    // Converts from the twin's character type (MultiByteToWideChar or WideCharToMultiByte) with the code
    // page, ANSI unless named. The code page comes before the length, as in the conversion functions.
    explicit BasicString(const TwinChar* text, UINT codePage = CP_ACP, int length = -1,
                         Str::SensitiveState sensitivity = Str::NotSensitive);
    // Keeps the twin's sensitivity.
    explicit BasicString(const Twin& text, UINT codePage = CP_ACP);
    // From the host's MFC string (wide; a narrow string converts it through the ANSI code page).
    BasicString(const CString& text, Str::SensitiveState sensitivity = Str::NotSensitive);
    BasicString(const BasicString& other);
    BasicString(BasicString&& other) noexcept;
    ~BasicString();

    // Assigning to a sensitive string keeps it sensitive; assigning a sensitive string makes this one so.
    BasicString& operator=(const BasicString& other);
    BasicString& operator=(BasicString&& other) noexcept;
    String& operator=(const C* text);
    String& operator=(const CString& text);

    // Attributes.
    int GetLength() const;
    bool IsEmpty() const;
    bool IsSensitive() const;
    Str::SensitiveState GetSensitivity() const;
    const C* GetString() const;
    operator const C*() const;

    // Index 0 to GetLength(); the position GetLength() is the terminating NUL. Beyond that raises
    // Str::IndexException and, if execution continues, yields the NUL.
    C GetAt(int index) const;
    const C& operator[](int index) const;

    // Operations.
    void Empty();
    // From now on the buffer is zeroed when it goes; there is no way back to an ordinary string.
    void MakeSensitive();
    // Index 0 to GetLength() - 1, else Str::IndexException and no change.
    void SetAt(int index, C ch);

    // A private buffer of at least `minLength` characters (and never fewer than the current length), to be
    // followed by ReleaseBuffer with the new length (-1: up to the first NUL).
    C* GetBuffer(int minLength);
    void ReleaseBuffer(int newLength = -1);

    String& Append(const String& text);
    String& Append(const C* text, int length = -1);
    String& Append(C ch);
    String& operator+=(const String& text);
    String& operator+=(const C* text);
    String& operator+=(C ch);

    // Removes the character at `index` (0 to GetLength() - 1, else Str::IndexException and no change).
    void Delete(int index);
    void MakeUpper();

    // Searches from `start` (0 to GetLength(), else Str::IndexException); -1 when absent.
    int Find(const C* text, int start = 0) const;
    int Find(C ch, int start = 0) const;
    int ReverseFind(C ch) const;

    // Substrings are clipped to the string and keep its sensitivity. A negative count takes the rest.
    String Left(int count) const;
    String Right(int count) const;
    String Mid(int first, int count = -1) const;

    // Negative, zero or positive. Case-sensitive; a proper prefix sorts first.
    int Compare(const String& other) const;
    int Compare(const C* text) const;
    int CompareNoCase(const String& other) const;
    int CompareNoCase(const C* text) const;

    // FormatMessage-style formatting ("%1", "%2!d!", ...). Returns the new length, or -1 with the string
    // unchanged. When the inserts cannot be expanded the string becomes the format text unexpanded.
    int Format(const C* format, ...);
    int FormatV(const C* format, va_list args);

    // Base-10 conversions of the whole text; see Str::ToInt.
    bool ToInt(int& value) const;
    bool ToIntStrict(int& value) const;
    bool ToUInt(unsigned int& value) const;
    bool ToUIntStrict(unsigned int& value) const;

    // Comparisons among strings and with C strings; those with a CString and the concatenations are the
    // exported functions after the class.
    friend bool operator==(const String& a, const String& b) { return a.Compare(b) == 0; }
    friend bool operator==(const String& a, const C* b) { return a.Compare(b) == 0; }
    friend bool operator==(const C* a, const String& b) { return b.Compare(a) == 0; }
    friend bool operator!=(const String& a, const String& b) { return a.Compare(b) != 0; }
    friend bool operator!=(const String& a, const C* b) { return a.Compare(b) != 0; }
    friend bool operator!=(const C* a, const String& b) { return b.Compare(a) != 0; }
    friend bool operator<(const String& a, const String& b) { return a.Compare(b) < 0; }
    friend bool operator>(const String& a, const String& b) { return a.Compare(b) > 0; }
    friend bool operator<=(const String& a, const String& b) { return a.Compare(b) <= 0; }
    friend bool operator>=(const String& a, const String& b) { return a.Compare(b) >= 0; }

private:
    String& Self();
    void Assign(const C* text, std::size_t chars);
    void AppendChars(const C* text, std::size_t chars);

    C* m_pszData;
};

} // namespace detail
} // namespace pardalin

extern template class PARDALIN_API pardalin::detail::BasicString<wchar_t>;
extern template class PARDALIN_API pardalin::detail::BasicString<char>;

// Equal when the lengths and the characters are equal; case-sensitive. A narrow string compares with the
// CString's text in the ANSI code page. Each pair declares the wide string's function, then the narrow one's.
PARDALIN_API bool operator==(const VUnicodeString& a, const CString& b);
PARDALIN_API bool operator==(const VString& a, const CString& b);
PARDALIN_API bool operator==(const CString& a, const VUnicodeString& b);
PARDALIN_API bool operator==(const CString& a, const VString& b);
PARDALIN_API bool operator!=(const VUnicodeString& a, const CString& b);
PARDALIN_API bool operator!=(const VString& a, const CString& b);
PARDALIN_API bool operator!=(const CString& a, const VUnicodeString& b);
PARDALIN_API bool operator!=(const CString& a, const VString& b);

// The result is sensitive when either part is.
PARDALIN_API VUnicodeString operator+(const VUnicodeString& left, const VUnicodeString& right);
PARDALIN_API VString operator+(const VString& left, const VString& right);
PARDALIN_API VUnicodeString operator+(const VUnicodeString& left, const wchar_t* right);
PARDALIN_API VString operator+(const VString& left, const char* right);
PARDALIN_API VUnicodeString operator+(const wchar_t* left, const VUnicodeString& right);
PARDALIN_API VString operator+(const char* left, const VString& right);
PARDALIN_API VUnicodeString operator+(const VUnicodeString& left, wchar_t right);
PARDALIN_API VString operator+(const VString& left, char right);

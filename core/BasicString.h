/// \file
/// BasicString, the implementation the library's two string classes share, and the free comparisons with
/// CString and concatenations of those classes.

/// \class pardalin::detail::BasicString
/// The one implementation of the library's two string classes, VUnicodeString (C = wchar_t) and VString
/// (C = char), which derive from it and add nothing. Every member documented here is a member of both.
///
/// \code{.cpp}
/// VUnicodeString name(L"report");
/// name += L".txt";                    // the text lives in a shared, reference-counted buffer
/// VUnicodeString copy(name);          // shares the buffer
/// copy.SetAt(0, L'R');                // takes a private copy first; `name` is unchanged
/// \endcode
///
/// The object is one pointer to the first character of its buffer; a header with the capacity, the length,
/// the sensitivity and the reference count sits right in front of the characters. Copies share the buffer
/// and a string takes a private copy before it writes. One string object needs a lock to be used by two
/// threads at once; strings that merely share a buffer may be used on different threads, because the count
/// is kept with interlocked operations. When memory runs out an operation throws std::bad_alloc and the
/// string keeps its text.
///
/// A sensitive string (Str::Sensitive) zeroes its buffer when the last string holding it goes.
///
/// Both instantiations are exported whole. Every member is defined out of line in BasicString.cpp, because
/// the compiler exports no inline member of an exported class template; the inline comparisons are friends
/// that call exported members only.
///
/// \tparam C The character type: wchar_t for VUnicodeString, char for VString.
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

/// \cond INTERNAL
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
/// \endcond

template <class C> class BasicString
{
public:
    /// The derived class of this character type: VUnicodeString or VString.
    using String = typename StringTypes<C>::String;
    /// The string class of the other character type, which this one converts from.
    using Twin = typename StringTypes<C>::Twin;
    /// The character type of Twin.
    using TwinChar = typename StringTypes<C>::TwinChar;

    // Construction

    /// An empty, ordinary string. It shares the process-wide empty buffer and allocates nothing.
    BasicString();
    /// An empty string of the given sensitivity; a sensitive one keeps whatever it is given later secret.
    explicit BasicString(Str::SensitiveState sensitivity);
    /// The first `length` characters of `text`; -1 takes the text up to its NUL. A null text gives an empty
    /// string. The text is copied; it may contain NULs when a length is given.
    BasicString(const C* text, int length = -1, Str::SensitiveState sensitivity = Str::NotSensitive);
    /// The text up to its NUL, with the given sensitivity; a null text gives an empty string.
    BasicString(const C* text, Str::SensitiveState sensitivity);
    /// Converts from the twin's character type (MultiByteToWideChar or WideCharToMultiByte) with the code
    /// page, ANSI unless named. The code page comes before the length, as in the conversion functions;
    /// `length` counts the twin's characters, -1 up to the NUL. A text the code page cannot convert gives
    /// an empty string. The result goes straight into the new buffer, never through a temporary copy.
    explicit BasicString(const TwinChar* text, UINT codePage = CP_ACP, int length = -1,
                         Str::SensitiveState sensitivity = Str::NotSensitive);
    /// Converts the twin's whole text with the code page, as the constructor above; keeps the twin's
    /// sensitivity.
    explicit BasicString(const Twin& text, UINT codePage = CP_ACP);
    /// From the host's MFC string (wide; a narrow string converts it through the ANSI code page).
    BasicString(const CString& text, Str::SensitiveState sensitivity = Str::NotSensitive);
    /// Shares the other string's buffer (and so its sensitivity); nothing is copied.
    BasicString(const BasicString& other);
    /// Takes the other string's buffer. The moved-from string is left empty with its sensitivity, so that
    /// whatever it is given later stays protected.
    BasicString(BasicString&& other) noexcept;
    /// Lets go of the buffer; the last holder of a sensitive buffer zeroes it before it is freed.
    ~BasicString();

    // Assigning to a sensitive string keeps it sensitive; assigning a sensitive string makes this one so.

    /// Shares the other string's buffer (and so becomes sensitive when it is), unless this string is
    /// sensitive and the other is not: then the text is copied into a buffer of this string's own.
    BasicString& operator=(const BasicString& other);
    /// Takes the other string's buffer, unless this string is sensitive and the other is not (it copies
    /// then); the other string is left empty with its sensitivity.
    BasicString& operator=(BasicString&& other) noexcept;
    /// Copies the text up to its NUL; a null text empties the string. The text may point into this
    /// string's own buffer.
    String& operator=(const C* text);
    /// Copies (a narrow string converts through the ANSI code page) the host's MFC string, keeping this
    /// string's sensitivity.
    String& operator=(const CString& text);

    // Attributes

    /// The number of characters, the terminating NUL excluded.
    int GetLength() const;
    /// Whether the string has no characters.
    bool IsEmpty() const;
    /// Whether the buffer is zeroed when it goes; see MakeSensitive.
    bool IsSensitive() const;
    /// Str::Sensitive or Str::NotSensitive, as IsSensitive tells.
    Str::SensitiveState GetSensitivity() const;
    /// The characters, NUL-terminated; never null. Valid until the string is next changed or destroyed.
    const C* GetString() const;
    /// The same pointer as GetString, so that a string passes where a C string is wanted.
    operator const C*() const;

    /// The character at `index`, 0 to GetLength(); the position GetLength() is the terminating NUL. Beyond
    /// that (or a negative index) raises the continuable structured exception Str::IndexException and, if
    /// execution continues, yields the NUL.
    C GetAt(int index) const;
    /// The character at `index` by reference, with GetAt's range and its Str::IndexException.
    const C& operator[](int index) const;

    // Operations

    /// Makes the string empty; it keeps its sensitivity.
    void Empty();
    /// From now on the buffer is zeroed when it goes; there is no way back to an ordinary string. A buffer
    /// shared with other strings is copied first, so they stay as they were.
    void MakeSensitive();
    /// Replaces the character at `index`, 0 to GetLength() - 1; otherwise raises Str::IndexException and
    /// changes nothing. A shared buffer is copied first.
    void SetAt(int index, C ch);

    /// A private buffer of at least `minLength` characters (and never fewer than the current length), to be
    /// written by the caller and followed by ReleaseBuffer with the new length. The current text stays in
    /// it. A negative `minLength` raises Str::IndexException and counts as 0.
    C* GetBuffer(int minLength);
    /// Ends a GetBuffer: the string is `newLength` characters long (-1: up to the first NUL, at most the
    /// capacity). A length beyond the capacity, or below -1, raises Str::IndexException and counts as -1.
    void ReleaseBuffer(int newLength = -1);

    /// Appends another string; a sensitive one makes this string sensitive too.
    String& Append(const String& text);
    /// Appends the first `length` characters of `text` (-1: up to its NUL); a null text appends nothing.
    /// The text may point into this string's own buffer.
    String& Append(const C* text, int length = -1);
    /// Appends one character (a NUL too, which then counts in the length).
    String& Append(C ch);
    /// Appends another string, as Append; a sensitive one makes this string sensitive too.
    String& operator+=(const String& text);
    /// Appends the text up to its NUL, as Append; a null text appends nothing.
    String& operator+=(const C* text);
    /// Appends one character, as Append.
    String& operator+=(C ch);

    /// Removes the character at `index` (0 to GetLength() - 1, else Str::IndexException and no change).
    void Delete(int index);
    /// Upper-cases every character with the C library's rules for the current locale (towupper, toupper).
    void MakeUpper();

    /// The index of the first occurrence of `text` at or after `start`, or -1 when absent or `text` is null.
    /// `start` runs from 0 to GetLength(); outside that raises Str::IndexException and returns -1. An empty
    /// `text` is found at `start`.
    int Find(const C* text, int start = 0) const;
    /// The index of the first `ch` at or after `start`, as Find above; a NUL is never found.
    int Find(C ch, int start = 0) const;
    /// The index of the last `ch`, or -1 when absent.
    int ReverseFind(C ch) const;

    /// The first `count` characters, clipped to the string; a negative count gives an empty string. The
    /// result keeps this string's sensitivity.
    String Left(int count) const;
    /// The last `count` characters, clipped to the string; a negative count gives an empty string. The
    /// result keeps this string's sensitivity.
    String Right(int count) const;
    /// `count` characters from index `first`, both clipped to the string; a negative count takes the rest.
    /// The result keeps this string's sensitivity and shares the buffer when it is the whole string.
    String Mid(int first, int count = -1) const;

    /// -1, 0 or 1 as this string sorts before, equal to or after the other. Case-sensitive, by character
    /// value; a proper prefix sorts first.
    int Compare(const String& other) const;
    /// Compares with a C string up to its NUL, as above; a null text counts as empty.
    int Compare(const C* text) const;
    /// Compare without regard to case (_wcsnicmp, _strnicmp).
    int CompareNoCase(const String& other) const;
    /// Compares with a C string without regard to case; a null text counts as empty.
    int CompareNoCase(const C* text) const;

    /// FormatMessage-style formatting ("%1", "%2!d!", ...) of the arguments into this string. Returns the
    /// new length, or -1 with the string unchanged and the error in GetLastError (a null format:
    /// ERROR_INVALID_PARAMETER). When the inserts cannot be expanded the string becomes the format text
    /// unexpanded; an empty format gives an empty string. The formatter's own copy of the text is zeroed
    /// before it is freed.
    int Format(const C* format, ...);
    /// Format with the arguments as a va_list, which is left for the caller to end.
    int FormatV(const C* format, va_list args);

    /// Base-10 conversion of the text's leading number, by the rules of Str::ToInt.
    bool ToInt(int& value) const;
    /// Base-10 conversion of the whole text (white space may follow the number), by the rules of
    /// Str::ToIntStrict.
    bool ToIntStrict(int& value) const;
    /// Unsigned base-10 conversion of the text's leading number, by the rules of Str::ToUInt.
    bool ToUInt(unsigned int& value) const;
    /// Unsigned base-10 conversion of the whole text, by the rules of Str::ToUIntStrict.
    bool ToUIntStrict(unsigned int& value) const;

    /// Comparisons among strings and with C strings, by Compare (case-sensitive). Those with a CString and
    /// the concatenations are the exported functions after the class.
    ///@{
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
    ///@}

private:
    String& Self();
    void Assign(const C* text, std::size_t chars);
    void AppendChars(const C* text, std::size_t chars);

    C* m_pszData;
};

} // namespace detail
} // namespace pardalin

/// \cond INTERNAL
extern template class PARDALIN_API pardalin::detail::BasicString<wchar_t>;
extern template class PARDALIN_API pardalin::detail::BasicString<char>;
/// \endcond

/// Equal when the lengths and the characters are equal; case-sensitive. A narrow string compares with the
/// CString's text converted through the ANSI code page (a sensitive string's converted copy is wiped as
/// the string would be). Each pair declares the wide string's function, then the narrow one's.
///@{
PARDALIN_API bool operator==(const VUnicodeString& a, const CString& b);
PARDALIN_API bool operator==(const VString& a, const CString& b);
PARDALIN_API bool operator==(const CString& a, const VUnicodeString& b);
PARDALIN_API bool operator==(const CString& a, const VString& b);
PARDALIN_API bool operator!=(const VUnicodeString& a, const CString& b);
PARDALIN_API bool operator!=(const VString& a, const CString& b);
PARDALIN_API bool operator!=(const CString& a, const VUnicodeString& b);
PARDALIN_API bool operator!=(const CString& a, const VString& b);
///@}

/// The concatenation of the two parts, in a new string; the result is sensitive when either part is.
///@{
PARDALIN_API VUnicodeString operator+(const VUnicodeString& left, const VUnicodeString& right);
PARDALIN_API VString operator+(const VString& left, const VString& right);
PARDALIN_API VUnicodeString operator+(const VUnicodeString& left, const wchar_t* right);
PARDALIN_API VString operator+(const VString& left, const char* right);
PARDALIN_API VUnicodeString operator+(const wchar_t* left, const VUnicodeString& right);
PARDALIN_API VString operator+(const char* left, const VString& right);
PARDALIN_API VUnicodeString operator+(const VUnicodeString& left, wchar_t right);
PARDALIN_API VString operator+(const VString& left, char right);
///@}

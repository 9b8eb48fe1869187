// VUnicodeString: the library's wide (UTF-16) string. The object is one pointer into a shared,
// reference-counted buffer; copies share the buffer and a string takes a private copy before it writes.
// When memory runs out an operation throws std::bad_alloc and the string keeps its text.
#pragma once

#include <afx.h>

#include <cstdarg>

#include "core/PardalinApi.h"
#include "core/Str.h"

class VString;

class PARDALIN_API VUnicodeString
{
public:
    VUnicodeString();
    explicit VUnicodeString(Str::SensitiveState sensitivity);
    // `length` in characters; -1 takes the text up to its NUL. A null text gives an empty string.
    VUnicodeString(const wchar_t* text, int length = -1, Str::SensitiveState sensitivity = Str::NotSensitive);
    VUnicodeString(const wchar_t* text, Str::SensitiveState sensitivity);
    // Converts with MultiByteToWideChar from the code page (ANSI unless named). The code page comes before
    // the length, as in the conversion functions.
    explicit VUnicodeString(const char* text, UINT codePage = CP_ACP, int length = -1,
                            Str::SensitiveState sensitivity = Str::NotSensitive);
    // Keeps the narrow string's sensitivity.
    explicit VUnicodeString(const VString& text, UINT codePage = CP_ACP);
    // From the host's MFC string.
    VUnicodeString(const CString& text, Str::SensitiveState sensitivity = Str::NotSensitive);
    VUnicodeString(const VUnicodeString& other);
    VUnicodeString(VUnicodeString&& other) noexcept;
    ~VUnicodeString();

    // Assigning to a sensitive string keeps it sensitive; assigning a sensitive string makes this one so.
    VUnicodeString& operator=(const VUnicodeString& other);
    VUnicodeString& operator=(VUnicodeString&& other) noexcept;
    VUnicodeString& operator=(const wchar_t* text);
    VUnicodeString& operator=(const CString& text);

    int GetLength() const;
    bool IsEmpty() const;
    void Empty();

    bool IsSensitive() const;
    Str::SensitiveState GetSensitivity() const;
    // From now on the buffer is zeroed when it goes; there is no way back to an ordinary string.
    void MakeSensitive();

    const wchar_t* GetString() const { return m_pszData; }
    operator const wchar_t*() const { return m_pszData; }

    // Index 0 to GetLength(); the position GetLength() is the terminating NUL. Beyond that raises
    // Str::IndexException and, if execution continues, yields the NUL.
    wchar_t GetAt(int index) const;
    const wchar_t& operator[](int index) const;
    // Index 0 to GetLength() - 1, else Str::IndexException and no change.
    void SetAt(int index, wchar_t ch);

    // A private buffer of at least `minLength` characters (and never fewer than the current length), to be
    // followed by ReleaseBuffer with the new length (-1: up to the first NUL).
    wchar_t* GetBuffer(int minLength);
    void ReleaseBuffer(int newLength = -1);

    VUnicodeString& Append(const VUnicodeString& text);
    VUnicodeString& Append(const wchar_t* text, int length = -1);
    VUnicodeString& Append(wchar_t ch);
    VUnicodeString& operator+=(const VUnicodeString& text) { return Append(text); }
    VUnicodeString& operator+=(const wchar_t* text) { return Append(text); }
    VUnicodeString& operator+=(wchar_t ch) { return Append(ch); }

    // Removes the character at `index` (0 to GetLength() - 1, else Str::IndexException and no change).
    void Delete(int index);
    void MakeUpper();

    // Searches from `start` (0 to GetLength(), else Str::IndexException); -1 when absent.
    int Find(const wchar_t* text, int start = 0) const;
    int Find(wchar_t ch, int start = 0) const;
    int ReverseFind(wchar_t ch) const;

    // Substrings are clipped to the string and keep its sensitivity. A negative count takes the rest.
    VUnicodeString Left(int count) const;
    VUnicodeString Right(int count) const;
    VUnicodeString Mid(int first, int count = -1) const;

    // Negative, zero or positive. Case-sensitive; a proper prefix sorts first.
    int Compare(const VUnicodeString& other) const;
    int Compare(const wchar_t* text) const;
    int CompareNoCase(const VUnicodeString& other) const;
    int CompareNoCase(const wchar_t* text) const;

    // FormatMessage-style formatting ("%1", "%2!d!", ...). Returns the new length, or -1 with the string
    // unchanged. When the inserts cannot be expanded the string becomes the format text unexpanded.
    int Format(const wchar_t* format, ...);
    int FormatV(const wchar_t* format, va_list args);

    // Base-10 conversions of the whole text; see Str::ToInt.
    bool ToInt(int& value) const;
    bool ToIntStrict(int& value) const;
    bool ToUInt(unsigned int& value) const;
    bool ToUIntStrict(unsigned int& value) const;

private:
    wchar_t* m_pszData;
};

PARDALIN_API VUnicodeString operator+(const VUnicodeString& left, const VUnicodeString& right);
PARDALIN_API VUnicodeString operator+(const VUnicodeString& left, const wchar_t* right);
PARDALIN_API VUnicodeString operator+(const wchar_t* left, const VUnicodeString& right);
PARDALIN_API VUnicodeString operator+(const VUnicodeString& left, wchar_t right);

// Equal when the lengths and the characters are equal; case-sensitive.
PARDALIN_API bool operator==(const VUnicodeString& a, const CString& b);
PARDALIN_API bool operator==(const CString& a, const VUnicodeString& b);
PARDALIN_API bool operator!=(const VUnicodeString& a, const CString& b);
PARDALIN_API bool operator!=(const CString& a, const VUnicodeString& b);

inline bool operator==(const VUnicodeString& a, const VUnicodeString& b)
{
    return a.Compare(b) == 0;
}
inline bool operator==(const VUnicodeString& a, const wchar_t* b)
{
    return a.Compare(b) == 0;
}
inline bool operator==(const wchar_t* a, const VUnicodeString& b)
{
    return b.Compare(a) == 0;
}
inline bool operator!=(const VUnicodeString& a, const VUnicodeString& b)
{
    return !(a == b);
}
inline bool operator!=(const VUnicodeString& a, const wchar_t* b)
{
    return !(a == b);
}
inline bool operator!=(const wchar_t* a, const VUnicodeString& b)
{
    return !(a == b);
}
inline bool operator<(const VUnicodeString& a, const VUnicodeString& b)
{
    return a.Compare(b) < 0;
}
inline bool operator>(const VUnicodeString& a, const VUnicodeString& b)
{
    return a.Compare(b) > 0;
}
inline bool operator<=(const VUnicodeString& a, const VUnicodeString& b)
{
    return a.Compare(b) <= 0;
}
inline bool operator>=(const VUnicodeString& a, const VUnicodeString& b)
{
    return a.Compare(b) >= 0;
}

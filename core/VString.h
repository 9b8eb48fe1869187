// VString: the narrow (char) twin of VUnicodeString, with the same buffer and rules; lengths count bytes.
// When memory runs out an operation throws std::bad_alloc and the string keeps its text.
#pragma once

#include <afx.h>

#include <cstdarg>

#include "core/PardalinApi.h"
#include "core/Str.h"

class VUnicodeString;

class PARDALIN_API VString
{
public:
    VString();
    explicit VString(Str::SensitiveState sensitivity);
    // `length` in bytes; -1 takes the text up to its NUL. A null text gives an empty string.
    VString(const char* text, int length = -1, Str::SensitiveState sensitivity = Str::NotSensitive);
    VString(const char* text, Str::SensitiveState sensitivity);
    // Converts with WideCharToMultiByte into the code page (ANSI unless named). The code page comes before
    // the length, as in the conversion functions.
    explicit VString(const wchar_t* text, UINT codePage = CP_ACP, int length = -1,
                     Str::SensitiveState sensitivity = Str::NotSensitive);
    // Keeps the wide string's sensitivity.
    explicit VString(const VUnicodeString& text, UINT codePage = CP_ACP);
    // From the host's MFC string (wide; a narrow string converts it through the ANSI code page).
    VString(const CString& text, Str::SensitiveState sensitivity = Str::NotSensitive);
    VString(const VString& other);
    VString(VString&& other) noexcept;
    ~VString();

    // Assigning to a sensitive string keeps it sensitive; assigning a sensitive string makes this one so.
    VString& operator=(const VString& other);
    VString& operator=(VString&& other) noexcept;
    VString& operator=(const char* text);
    VString& operator=(const CString& text);

    int GetLength() const;
    bool IsEmpty() const;
    void Empty();

    bool IsSensitive() const;
    Str::SensitiveState GetSensitivity() const;
    // From now on the buffer is zeroed when it goes; there is no way back to an ordinary string.
    void MakeSensitive();

    const char* GetString() const { return m_pszData; }
    operator const char*() const { return m_pszData; }

    // Index 0 to GetLength(); the position GetLength() is the terminating NUL. Beyond that raises
    // Str::IndexException and, if execution continues, yields the NUL.
    char GetAt(int index) const;
    const char& operator[](int index) const;
    // Index 0 to GetLength() - 1, else Str::IndexException and no change.
    void SetAt(int index, char ch);

    // A private buffer of at least `minLength` characters (and never fewer than the current length), to be
    // followed by ReleaseBuffer with the new length (-1: up to the first NUL).
    char* GetBuffer(int minLength);
    void ReleaseBuffer(int newLength = -1);

    VString& Append(const VString& text);
    VString& Append(const char* text, int length = -1);
    VString& Append(char ch);
    VString& operator+=(const VString& text) { return Append(text); }
    VString& operator+=(const char* text) { return Append(text); }
    VString& operator+=(char ch) { return Append(ch); }

    // Removes the character at `index` (0 to GetLength() - 1, else Str::IndexException and no change).
    void Delete(int index);
    void MakeUpper();

    // Searches from `start` (0 to GetLength(), else Str::IndexException); -1 when absent.
    int Find(const char* text, int start = 0) const;
    int Find(char ch, int start = 0) const;
    int ReverseFind(char ch) const;

    // Substrings are clipped to the string and keep its sensitivity. A negative count takes the rest.
    VString Left(int count) const;
    VString Right(int count) const;
    VString Mid(int first, int count = -1) const;

    // Negative, zero or positive. Case-sensitive; a proper prefix sorts first.
    int Compare(const VString& other) const;
    int Compare(const char* text) const;
    int CompareNoCase(const VString& other) const;
    int CompareNoCase(const char* text) const;

    // FormatMessage-style formatting ("%1", "%2!d!", ...). Returns the new length, or -1 with the string
    // unchanged. When the inserts cannot be expanded the string becomes the format text unexpanded.
    int Format(const char* format, ...);
    int FormatV(const char* format, va_list args);

    // Base-10 conversions of the whole text; see Str::ToInt.
    bool ToInt(int& value) const;
    bool ToIntStrict(int& value) const;
    bool ToUInt(unsigned int& value) const;
    bool ToUIntStrict(unsigned int& value) const;

private:
    char* m_pszData;
};

PARDALIN_API VString operator+(const VString& left, const VString& right);
PARDALIN_API VString operator+(const VString& left, const char* right);
PARDALIN_API VString operator+(const char* left, const VString& right);
PARDALIN_API VString operator+(const VString& left, char right);

// Equal when the lengths and the characters are equal; case-sensitive.
PARDALIN_API bool operator==(const VString& a, const CString& b);
PARDALIN_API bool operator==(const CString& a, const VString& b);
PARDALIN_API bool operator!=(const VString& a, const CString& b);
PARDALIN_API bool operator!=(const CString& a, const VString& b);

inline bool operator==(const VString& a, const VString& b)
{
    return a.Compare(b) == 0;
}
inline bool operator==(const VString& a, const char* b)
{
    return a.Compare(b) == 0;
}
inline bool operator==(const char* a, const VString& b)
{
    return b.Compare(a) == 0;
}
inline bool operator!=(const VString& a, const VString& b)
{
    return !(a == b);
}
inline bool operator!=(const VString& a, const char* b)
{
    return !(a == b);
}
inline bool operator!=(const char* a, const VString& b)
{
    return !(a == b);
}
inline bool operator<(const VString& a, const VString& b)
{
    return a.Compare(b) < 0;
}
inline bool operator>(const VString& a, const VString& b)
{
    return a.Compare(b) > 0;
}
inline bool operator<=(const VString& a, const VString& b)
{
    return a.Compare(b) <= 0;
}
inline bool operator>=(const VString& a, const VString& b)
{
    return a.Compare(b) >= 0;
}

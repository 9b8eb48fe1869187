#include "core/BasicString.h"

#include "core/VString.h"
#include "core/VUnicodeString.h"
#include "core/detail/GuardedFormat.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <cwctype>
#include <new>
#include <utility>

namespace pardalin
{
namespace detail
{

namespace
{

std::atomic<WipeObserver> g_wipeObserver{nullptr};

// What differs between the character types: the C library's functions and the conversion from the twin's
// character type.
template <class C> struct Chars;

template <> struct Chars<wchar_t>
{
    static std::size_t Length(const wchar_t* s) { return std::wcslen(s); }
    static std::size_t BoundedLength(const wchar_t* s, std::size_t max) { return wcsnlen(s, max); }
    static int Compare(const wchar_t* a, const wchar_t* b, std::size_t n) { return std::wcsncmp(a, b, n); }
    static int CompareNoCase(const wchar_t* a, const wchar_t* b, std::size_t n) { return _wcsnicmp(a, b, n); }
    static wchar_t Upper(wchar_t c) { return static_cast<wchar_t>(std::towupper(c)); }
    static long ToLong(const wchar_t* s, wchar_t** end) { return std::wcstol(s, end, 10); }
    static unsigned long ToULong(const wchar_t* s, wchar_t** end) { return std::wcstoul(s, end, 10); }
    static bool IsSpace(wchar_t c) { return std::iswspace(c) != 0; }
    // Some code pages (UTF-8 among them) refuse MB_PRECOMPOSED; they convert without it.
    static int FromTwin(UINT codePage, const char* text, int length, wchar_t* out, int capacity)
    {
        const int chars = MultiByteToWideChar(codePage, MB_PRECOMPOSED, text, length, out, capacity);
        if (chars == 0 && GetLastError() == ERROR_INVALID_FLAGS)
            return MultiByteToWideChar(codePage, 0, text, length, out, capacity);
        return chars;
    }
};

template <> struct Chars<char>
{
    static std::size_t Length(const char* s) { return std::strlen(s); }
    static std::size_t BoundedLength(const char* s, std::size_t max) { return strnlen(s, max); }
    static int Compare(const char* a, const char* b, std::size_t n) { return std::strncmp(a, b, n); }
    static int CompareNoCase(const char* a, const char* b, std::size_t n) { return _strnicmp(a, b, n); }
    static char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }
    static long ToLong(const char* s, char** end) { return std::strtol(s, end, 10); }
    static unsigned long ToULong(const char* s, char** end) { return std::strtoul(s, end, 10); }
    static bool IsSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }
    static int FromTwin(UINT codePage, const wchar_t* text, int length, char* out, int capacity)
    {
        return WideCharToMultiByte(codePage, 0, text, length, out, capacity, nullptr, nullptr);
    }
};

// Keeps byte counts within the 32-bit header fields and character counts within int.
template <class C> constexpr std::size_t MaxChars = 0x7FFFFFFF / sizeof(C) - 1;

// Raises Str::IndexException. The exception is continuable: callers leave their object intact and return
// a harmless value when a handler resumes execution.
void RaiseIndexError()
{
    RaiseException(Str::IndexException, 0, 0, nullptr);
}

template <class C> std::size_t TextLength(const C* text)
{
    return text ? Chars<C>::Length(text) : 0;
}

// The life of one buffer, addressed by the pointer to its first character.
template <class C> struct Buffer
{
    // The two process-wide empty buffers: [0] ordinary, [1] sensitive. They hold a reference of their own,
    // so their count never drops below 1 and nobody writes into them.
    static inline std::atomic<C*> s_empty[2];

    static int Length(const C* p) { return static_cast<int>(HeaderOf(p)->length / sizeof(C)); }
    static std::size_t CapacityChars(const C* p) { return HeaderOf(p)->capacity / sizeof(C) - 1; }
    static bool IsSensitive(const C* p) { return HeaderOf(p)->sensitivity == Str::Sensitive; }
    static Str::SensitiveState Sensitivity(const C* p)
    {
        return IsSensitive(p) ? Str::Sensitive : Str::NotSensitive;
    }

    static C* Allocate(std::size_t chars, Str::SensitiveState sensitivity)
    {
        if (chars > MaxChars<C>)
            throw std::bad_alloc();
        const std::size_t capacity = (chars + 1) * sizeof(C);
        void* block = HeapAlloc(GetProcessHeap(), 0, sizeof(StringHeader) + capacity);
        if (!block)
            throw std::bad_alloc();
        auto* header = static_cast<StringHeader*>(block);
        C* p = reinterpret_cast<C*>(header + 1);
        header->capacity = static_cast<std::uint32_t>(capacity);
        header->length = 0;
        header->data = p;
        header->sensitivity = sensitivity == Str::Sensitive ? Str::Sensitive : Str::NotSensitive;
        header->references = 1;
        p[0] = 0;
        return p;
    }

    // Adds a reference to the empty buffer of the sensitivity.
    static C* SharedEmpty(Str::SensitiveState sensitivity)
    {
        std::atomic<C*>& slot = s_empty[sensitivity == Str::Sensitive ? 1 : 0];
        C* p = slot.load(std::memory_order_acquire);
        if (!p)
        {
            // Two threads may race to make the buffer; the loser frees its own and takes the winner's.
            C* made = Allocate(0, sensitivity);
            C* expected = nullptr;
            if (slot.compare_exchange_strong(expected, made, std::memory_order_acq_rel))
                p = made;
            else
            {
                Release(made);
                p = expected;
            }
        }
        AddRef(p);
        return p;
    }

    // A new buffer holding `chars` characters of `text`.
    static C* Copy(const C* text, std::size_t chars, Str::SensitiveState sensitivity)
    {
        if (chars == 0)
            return SharedEmpty(sensitivity);
        C* p = Allocate(chars, sensitivity);
        std::memcpy(p, text, chars * sizeof(C));
        SetLength(p, chars);
        return p;
    }

    static void AddRef(C* p) { InterlockedIncrement(&HeaderOf(p)->references); }

    static void Release(C* p)
    {
        StringHeader* header = HeaderOf(p);
        if (InterlockedDecrement(&header->references) != 0)
            return;
        if (header->sensitivity == Str::Sensitive)
        {
            const std::size_t size = sizeof(StringHeader) + header->capacity;
            SecureZeroMemory(header, size);
            if (WipeObserver observer = g_wipeObserver.load())
                observer(header, size);
        }
        HeapFree(GetProcessHeap(), 0, header);
    }

    // Makes `p` private with room for `chars` characters, keeping as many old characters as fit. Returns the
    // replaced buffer, still referenced, so that a caller may copy from it before it goes; null when `p`
    // was written in place.
    static C* Reserve(C*& p, std::size_t chars)
    {
        // A count below 2 means this string is the only holder, so no other thread can change it meanwhile.
        if (HeaderOf(p)->references < 2 && CapacityChars(p) >= chars)
            return nullptr;
        C* fresh = Allocate(chars, Sensitivity(p));
        const std::size_t keep = std::min<std::size_t>(Length(p), chars);
        std::memcpy(fresh, p, keep * sizeof(C));
        SetLength(fresh, keep);
        return std::exchange(p, fresh);
    }

    // Reserve, for a caller that needs nothing from the old buffer.
    static void MakePrivate(C*& p, std::size_t chars)
    {
        if (C* old = Reserve(p, chars))
            Release(old);
    }

    static void SetLength(C* p, std::size_t chars)
    {
        HeaderOf(p)->length = static_cast<std::uint32_t>(chars * sizeof(C));
        p[chars] = 0;
    }

    // Converts straight into a new buffer, so that a sensitive text never passes through a temporary.
    template <class T>
    static C* Convert(const T* text, int length, UINT codePage, Str::SensitiveState sensitivity)
    {
        const int sourceLength = !text ? 0 : length < 0 ? static_cast<int>(Chars<T>::Length(text)) : length;
        const int chars =
            sourceLength == 0 ? 0 : Chars<C>::FromTwin(codePage, text, sourceLength, nullptr, 0);
        if (chars <= 0)
            return SharedEmpty(sensitivity);
        C* p = Allocate(static_cast<std::size_t>(chars), sensitivity);
        const int written = Chars<C>::FromTwin(codePage, text, sourceLength, p, chars);
        SetLength(p, static_cast<std::size_t>(written > 0 ? written : 0));
        return p;
    }
};

template <class C> struct FormatCall
{
    DWORD flags;
    const C* format;
    va_list* args;
    C* out;
    DWORD length;
    DWORD error;
};

// One formatter call; a structured exception while it reads the inserts counts as ERROR_INVALID_PARAMETER.
template <class C> FormatCall<C> FormatGuarded(DWORD flags, const C* format, va_list* args)
{
    FormatCall<C> call{flags, format, args, nullptr, 0, 0};
    call.length = GuardedFormatMessage(flags, format, 0, &call.out, args);
    call.error = GetLastError();
    return call;
}

// Owns text the formatter allocated; the text may carry a secret, so it is zeroed before it goes back.
template <class C> class FormatterText
{
public:
    FormatterText(C* text, std::size_t chars) : m_text(text), m_chars(chars) {}
    FormatterText(const FormatterText&) = delete;
    FormatterText& operator=(const FormatterText&) = delete;
    ~FormatterText()
    {
        if (m_text)
        {
            SecureZeroMemory(m_text, m_chars * sizeof(C));
            LocalFree(m_text);
        }
    }

private:
    C* m_text;
    std::size_t m_chars;
};

template <class C> int CompareChars(const C* p, const C* text, std::size_t chars, bool noCase)
{
    const std::size_t length = static_cast<std::size_t>(Buffer<C>::Length(p));
    const std::size_t common = std::min(length, chars);
    const int result = noCase ? Chars<C>::CompareNoCase(p, text, common) : Chars<C>::Compare(p, text, common);
    if (result != 0)
        return result < 0 ? -1 : 1;
    return length < chars ? -1 : length > chars ? 1 : 0;
}

// Base-10 conversion of `text` with the C library's converter `read`; `isExtreme` tells the values that,
// with ERANGE, report an overflow.
template <class C, class T, class Read, class Extreme>
bool ToNumber(const C* text, T& value, bool strict, Read read, Extreme isExtreme, bool rejectMinus)
{
    if (!text)
        return false;
    C* end = nullptr;
    errno = 0;
    const auto number = read(text, &end);
    const bool overflow = errno == ERANGE && isExtreme(number);
    value = static_cast<T>(number);
    if (end == text || overflow)
        return false;
    const C* rest = end;
    // The unsigned converter accepts a sign and negates in unsigned arithmetic; a negative text is no
    // unsigned value.
    if (rejectMinus && std::find(static_cast<const C*>(text), rest, C('-')) != rest)
        return false;
    return !strict || std::all_of(rest, rest + Chars<C>::Length(rest), &Chars<C>::IsSpace);
}

template <class C> bool ToSigned(const C* text, int& value, bool strict)
{
    return ToNumber(
        text, value, strict, &Chars<C>::ToLong, [](long n) { return n == LONG_MAX || n == LONG_MIN; }, false);
}

template <class C> bool ToUnsigned(const C* text, unsigned int& value, bool strict)
{
    return ToNumber(
        text, value, strict, &Chars<C>::ToULong, [](unsigned long n) { return n == ULONG_MAX; }, true);
}

bool EqualsText(const VUnicodeString& a, const CString& b)
{
    return CompareChars(a.GetString(), b.GetString(), static_cast<std::size_t>(b.GetLength()), false) == 0;
}

bool EqualsText(const VString& a, const CString& b)
{
    // The converted copy carries the secret as much as `a` does, so it is wiped alike.
    return a == VString(b, a.GetSensitivity());
}

template <class String, class Left, class Right> String Concatenate(const Left& left, const Right& right)
{
    String result(left);
    result.Append(right);
    return result;
}

} // namespace

WipeObserver SetWipeObserver(WipeObserver observer)
{
    return g_wipeObserver.exchange(observer);
}

template <class C> BasicString<C>::BasicString() : m_pszData(Buffer<C>::SharedEmpty(Str::NotSensitive)) {}

template <class C>
BasicString<C>::BasicString(Str::SensitiveState sensitivity) : m_pszData(Buffer<C>::SharedEmpty(sensitivity))
{
}

template <class C>
BasicString<C>::BasicString(const C* text, int length, Str::SensitiveState sensitivity)
    : m_pszData(Buffer<C>::Copy(text,
                                length < 0 ? TextLength(text)
                                : text     ? static_cast<std::size_t>(length)
                                           : 0,
                                sensitivity))
{
}

template <class C>
BasicString<C>::BasicString(const C* text, Str::SensitiveState sensitivity)
    : BasicString(text, -1, sensitivity)
{
}

template <class C>
BasicString<C>::BasicString(const TwinChar* text, UINT codePage, int length, Str::SensitiveState sensitivity)
    : m_pszData(Buffer<C>::Convert(text, length, codePage, sensitivity))
{
}

template <class C>
BasicString<C>::BasicString(const Twin& text, UINT codePage)
    : m_pszData(Buffer<C>::Convert(text.GetString(), text.GetLength(), codePage, text.GetSensitivity()))
{
}

template <class C> BasicString<C>::BasicString(const CString& text, Str::SensitiveState sensitivity)
{
    if constexpr (std::is_same_v<C, wchar_t>)
        m_pszData =
            Buffer<C>::Copy(text.GetString(), static_cast<std::size_t>(text.GetLength()), sensitivity);
    else
        m_pszData = Buffer<C>::Convert(text.GetString(), text.GetLength(), CP_ACP, sensitivity);
}

template <class C> BasicString<C>::BasicString(const BasicString& other) : m_pszData(other.m_pszData)
{
    Buffer<C>::AddRef(m_pszData);
}

template <class C> BasicString<C>::BasicString(BasicString&& other) noexcept : m_pszData(other.m_pszData)
{
    // The moved-from string keeps its sensitivity, so that whatever it is given later stays protected.
    other.m_pszData = Buffer<C>::SharedEmpty(Buffer<C>::Sensitivity(m_pszData));
}

template <class C> BasicString<C>::~BasicString()
{
    Buffer<C>::Release(m_pszData);
}

template <class C> BasicString<C>& BasicString<C>::operator=(const BasicString& other)
{
    if (m_pszData == other.m_pszData)
        return *this;
    // A sensitive string stays sensitive: it copies an ordinary text into a buffer of its own.
    if (IsSensitive() && !other.IsSensitive())
    {
        Assign(other.m_pszData, static_cast<std::size_t>(other.GetLength()));
        return *this;
    }
    Buffer<C>::AddRef(other.m_pszData);
    Buffer<C>::Release(std::exchange(m_pszData, other.m_pszData));
    return *this;
}

template <class C> BasicString<C>& BasicString<C>::operator=(BasicString&& other) noexcept
{
    if (this == &other)
        return *this;
    if (IsSensitive() && !other.IsSensitive())
        return *this = other;
    C* old = std::exchange(m_pszData, other.m_pszData);
    other.m_pszData = Buffer<C>::SharedEmpty(GetSensitivity());
    Buffer<C>::Release(old);
    return *this;
}

template <class C> typename BasicString<C>::String& BasicString<C>::operator=(const C* text)
{
    Assign(text, TextLength(text));
    return Self();
}

template <class C> typename BasicString<C>::String& BasicString<C>::operator=(const CString& text)
{
    // Converted with this string's sensitivity, so that the assignment shares the converted buffer.
    *this = BasicString(text, GetSensitivity());
    return Self();
}

template <class C> int BasicString<C>::GetLength() const
{
    return Buffer<C>::Length(m_pszData);
}

template <class C> bool BasicString<C>::IsEmpty() const
{
    return GetLength() == 0;
}

template <class C> bool BasicString<C>::IsSensitive() const
{
    return Buffer<C>::IsSensitive(m_pszData);
}

template <class C> Str::SensitiveState BasicString<C>::GetSensitivity() const
{
    return Buffer<C>::Sensitivity(m_pszData);
}

template <class C> const C* BasicString<C>::GetString() const
{
    return m_pszData;
}

template <class C> BasicString<C>::operator const C*() const
{
    return m_pszData;
}

template <class C> C BasicString<C>::GetAt(int index) const
{
    return (*this)[index];
}

template <class C> const C& BasicString<C>::operator[](int index) const
{
    const int length = GetLength();
    if (index < 0 || index > length)
    {
        RaiseIndexError();
        return m_pszData[length];
    }
    return m_pszData[index];
}

template <class C> void BasicString<C>::Empty()
{
    Buffer<C>::Release(std::exchange(m_pszData, Buffer<C>::SharedEmpty(GetSensitivity())));
}

template <class C> void BasicString<C>::MakeSensitive()
{
    if (IsSensitive())
        return;
    if (HeaderOf(m_pszData)->references < 2 && !IsEmpty())
    {
        HeaderOf(m_pszData)->sensitivity = Str::Sensitive;
        return;
    }
    C* fresh = Buffer<C>::Copy(m_pszData, static_cast<std::size_t>(GetLength()), Str::Sensitive);
    Buffer<C>::Release(std::exchange(m_pszData, fresh));
}

template <class C> void BasicString<C>::SetAt(int index, C ch)
{
    const int length = GetLength();
    if (index < 0 || index >= length)
    {
        RaiseIndexError();
        return;
    }
    Buffer<C>::MakePrivate(m_pszData, static_cast<std::size_t>(length));
    m_pszData[index] = ch;
}

template <class C> C* BasicString<C>::GetBuffer(int minLength)
{
    if (minLength < 0)
    {
        RaiseIndexError();
        minLength = 0;
    }
    Buffer<C>::MakePrivate(m_pszData, static_cast<std::size_t>(std::max(minLength, GetLength())));
    return m_pszData;
}

template <class C> void BasicString<C>::ReleaseBuffer(int newLength)
{
    // Without a GetBuffer first the buffer may still be shared; it must not change under the other holders.
    Buffer<C>::MakePrivate(m_pszData, static_cast<std::size_t>(GetLength()));
    const std::size_t capacity = Buffer<C>::CapacityChars(m_pszData);
    if (newLength < -1 || (newLength >= 0 && static_cast<std::size_t>(newLength) > capacity))
    {
        RaiseIndexError();
        newLength = -1;
    }
    // The capacity's last character is always the NUL, so the length found never runs past it.
    const std::size_t chars =
        newLength < 0 ? Chars<C>::BoundedLength(m_pszData, capacity) : static_cast<std::size_t>(newLength);
    Buffer<C>::SetLength(m_pszData, chars);
}

template <class C> typename BasicString<C>::String& BasicString<C>::Append(const String& text)
{
    if (text.IsSensitive())
        MakeSensitive();
    AppendChars(text.m_pszData, static_cast<std::size_t>(text.GetLength()));
    return Self();
}

template <class C> typename BasicString<C>::String& BasicString<C>::Append(const C* text, int length)
{
    if (text)
        AppendChars(text, length < 0 ? Chars<C>::Length(text) : static_cast<std::size_t>(length));
    return Self();
}

template <class C> typename BasicString<C>::String& BasicString<C>::Append(C ch)
{
    AppendChars(&ch, 1);
    return Self();
}

template <class C> typename BasicString<C>::String& BasicString<C>::operator+=(const String& text)
{
    return Append(text);
}

template <class C> typename BasicString<C>::String& BasicString<C>::operator+=(const C* text)
{
    return Append(text);
}

template <class C> typename BasicString<C>::String& BasicString<C>::operator+=(C ch)
{
    return Append(ch);
}

template <class C> void BasicString<C>::Delete(int index)
{
    const int length = GetLength();
    if (index < 0 || index >= length)
    {
        RaiseIndexError();
        return;
    }
    Buffer<C>::MakePrivate(m_pszData, static_cast<std::size_t>(length));
    std::memmove(m_pszData + index, m_pszData + index + 1,
                 static_cast<std::size_t>(length - index - 1) * sizeof(C));
    Buffer<C>::SetLength(m_pszData, static_cast<std::size_t>(length - 1));
}

template <class C> void BasicString<C>::MakeUpper()
{
    const int length = GetLength();
    if (length == 0)
        return;
    Buffer<C>::MakePrivate(m_pszData, static_cast<std::size_t>(length));
    std::transform(m_pszData, m_pszData + length, m_pszData, &Chars<C>::Upper);
}

template <class C> int BasicString<C>::Find(const C* text, int start) const
{
    const int length = GetLength();
    if (start < 0 || start > length)
    {
        RaiseIndexError();
        return -1;
    }
    if (!text)
        return -1;
    const C* begin = m_pszData;
    const C* end = begin + length;
    const C* found = std::search(begin + start, end, text, text + Chars<C>::Length(text));
    if (found == end && *text)
        return -1;
    return static_cast<int>(found - begin);
}

template <class C> int BasicString<C>::Find(C ch, int start) const
{
    const C text[] = {ch, 0};
    const int found = Find(text, start);
    // The terminating NUL is no character of the text.
    return ch ? found : -1;
}

template <class C> int BasicString<C>::ReverseFind(C ch) const
{
    for (int i = GetLength() - 1; i >= 0; --i)
    {
        if (m_pszData[i] == ch)
            return i;
    }
    return -1;
}

template <class C> typename BasicString<C>::String BasicString<C>::Left(int count) const
{
    return Mid(0, count < 0 ? 0 : count);
}

template <class C> typename BasicString<C>::String BasicString<C>::Right(int count) const
{
    const int length = GetLength();
    count = std::clamp(count, 0, length);
    return Mid(length - count, count);
}

template <class C> typename BasicString<C>::String BasicString<C>::Mid(int first, int count) const
{
    const int length = GetLength();
    first = std::clamp(first, 0, length);
    count = count < 0 ? length - first : std::min(count, length - first);
    if (count == length)
        return static_cast<const String&>(*this);
    String result;
    C* part = Buffer<C>::Copy(m_pszData + first, static_cast<std::size_t>(count), GetSensitivity());
    Buffer<C>::Release(std::exchange(result.m_pszData, part));
    return result;
}

template <class C> int BasicString<C>::Compare(const String& other) const
{
    return CompareChars(m_pszData, other.m_pszData, static_cast<std::size_t>(other.GetLength()), false);
}

template <class C> int BasicString<C>::Compare(const C* text) const
{
    return CompareChars(m_pszData, text ? text : m_pszData + GetLength(), TextLength(text), false);
}

template <class C> int BasicString<C>::CompareNoCase(const String& other) const
{
    return CompareChars(m_pszData, other.m_pszData, static_cast<std::size_t>(other.GetLength()), true);
}

template <class C> int BasicString<C>::CompareNoCase(const C* text) const
{
    return CompareChars(m_pszData, text ? text : m_pszData + GetLength(), TextLength(text), true);
}

template <class C> int BasicString<C>::Format(const C* format, ...)
{
    va_list args;
    va_start(args, format);
    const int result = FormatV(format, args);
    va_end(args);
    return result;
}

template <class C> int BasicString<C>::FormatV(const C* format, va_list args)
{
    if (!format)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    if (!*format)
    {
        // The formatter reports an empty result as a failure; an empty format simply gives an empty text.
        Empty();
        return 0;
    }
    va_list copy;
    va_copy(copy, args);
    FormatCall<C> call =
        FormatGuarded<C>(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ALLOCATE_BUFFER, format, &copy);
    va_end(copy);
    if (call.length == 0)
    {
        if (call.error != ERROR_BUFFER_OVERFLOW && call.error != ERROR_INVALID_PARAMETER)
        {
            SetLastError(call.error);
            return -1;
        }
        // The inserts could not be expanded: the text is the format itself with its placeholders.
        call = FormatGuarded<C>(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ALLOCATE_BUFFER |
                                    FORMAT_MESSAGE_IGNORE_INSERTS,
                                format, nullptr);
        if (call.length == 0)
        {
            SetLastError(call.error);
            return -1;
        }
    }
    FormatterText<C> owned(call.out, call.length);
    Assign(call.out, call.length);
    return static_cast<int>(call.length);
}

template <class C> bool BasicString<C>::ToInt(int& value) const
{
    return ToSigned(m_pszData, value, false);
}

template <class C> bool BasicString<C>::ToIntStrict(int& value) const
{
    return ToSigned(m_pszData, value, true);
}

template <class C> bool BasicString<C>::ToUInt(unsigned int& value) const
{
    return ToUnsigned(m_pszData, value, false);
}

template <class C> bool BasicString<C>::ToUIntStrict(unsigned int& value) const
{
    return ToUnsigned(m_pszData, value, true);
}

template <class C> typename BasicString<C>::String& BasicString<C>::Self()
{
    return static_cast<String&>(*this);
}

template <class C> void BasicString<C>::Assign(const C* text, std::size_t chars)
{
    if (chars == 0)
    {
        Empty();
        return;
    }
    // The text may lie inside the current buffer: the old buffer goes only after the copy.
    C* old = Buffer<C>::Reserve(m_pszData, chars);
    std::memmove(m_pszData, text, chars * sizeof(C));
    Buffer<C>::SetLength(m_pszData, chars);
    if (old)
        Buffer<C>::Release(old);
}

template <class C> void BasicString<C>::AppendChars(const C* text, std::size_t chars)
{
    if (chars == 0)
        return;
    const std::size_t length = static_cast<std::size_t>(GetLength());
    if (chars > MaxChars<C> - length)
        throw std::bad_alloc();
    // The text may lie inside the current buffer: the old buffer goes only after the copy.
    C* old = Buffer<C>::Reserve(m_pszData, length + chars);
    std::memmove(m_pszData + length, text, chars * sizeof(C));
    Buffer<C>::SetLength(m_pszData, length + chars);
    if (old)
        Buffer<C>::Release(old);
}

} // namespace detail
} // namespace pardalin

template class pardalin::detail::BasicString<wchar_t>;
template class pardalin::detail::BasicString<char>;

using pardalin::detail::Concatenate;
using pardalin::detail::EqualsText;

bool operator==(const VUnicodeString& a, const CString& b)
{
    return EqualsText(a, b);
}

bool operator==(const VString& a, const CString& b)
{
    return EqualsText(a, b);
}

bool operator==(const CString& a, const VUnicodeString& b)
{
    return EqualsText(b, a);
}

bool operator==(const CString& a, const VString& b)
{
    return EqualsText(b, a);
}

bool operator!=(const VUnicodeString& a, const CString& b)
{
    return !EqualsText(a, b);
}

bool operator!=(const VString& a, const CString& b)
{
    return !EqualsText(a, b);
}

bool operator!=(const CString& a, const VUnicodeString& b)
{
    return !EqualsText(b, a);
}

bool operator!=(const CString& a, const VString& b)
{
    return !EqualsText(b, a);
}

VUnicodeString operator+(const VUnicodeString& left, const VUnicodeString& right)
{
    return Concatenate<VUnicodeString>(left, right);
}

VString operator+(const VString& left, const VString& right)
{
    return Concatenate<VString>(left, right);
}

VUnicodeString operator+(const VUnicodeString& left, const wchar_t* right)
{
    return Concatenate<VUnicodeString>(left, right);
}

VString operator+(const VString& left, const char* right)
{
    return Concatenate<VString>(left, right);
}

VUnicodeString operator+(const wchar_t* left, const VUnicodeString& right)
{
    return Concatenate<VUnicodeString>(left, right);
}

VString operator+(const char* left, const VString& right)
{
    return Concatenate<VString>(left, right);
}

VUnicodeString operator+(const VUnicodeString& left, wchar_t right)
{
    return Concatenate<VUnicodeString>(left, right);
}

VString operator+(const VString& left, char right)
{
    return Concatenate<VString>(left, right);
}

namespace Str
{

using pardalin::detail::ToSigned;
using pardalin::detail::ToUnsigned;

bool ToInt(const wchar_t* text, int& value)
{
    return ToSigned(text, value, false);
}

bool ToInt(const char* text, int& value)
{
    return ToSigned(text, value, false);
}

bool ToIntStrict(const wchar_t* text, int& value)
{
    return ToSigned(text, value, true);
}

bool ToIntStrict(const char* text, int& value)
{
    return ToSigned(text, value, true);
}

bool ToUInt(const wchar_t* text, unsigned int& value)
{
    return ToUnsigned(text, value, false);
}

bool ToUInt(const char* text, unsigned int& value)
{
    return ToUnsigned(text, value, false);
}

bool ToUIntStrict(const wchar_t* text, unsigned int& value)
{
    return ToUnsigned(text, value, true);
}

bool ToUIntStrict(const char* text, unsigned int& value)
{
    return ToUnsigned(text, value, true);
}

} // namespace Str

#include "core/detail/StringCore.h"

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

namespace pardalin
{
namespace detail
{

namespace
{

std::atomic<WipeObserver> g_wipeObserver{nullptr};

// The two process-wide empty buffers of each character type: [0] ordinary, [1] sensitive. They hold a
// reference of their own, so their count never drops below 1 and nobody writes into them.
template <class C> std::atomic<C*> g_emptyBuffers[2];

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
};

// Keeps byte counts within the 32-bit header fields and character counts within int.
template <class C> constexpr std::size_t MaxChars = 0x7FFFFFFF / sizeof(C) - 1;

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

} // namespace

WipeObserver SetWipeObserver(WipeObserver observer)
{
    return g_wipeObserver.exchange(observer);
}

void RaiseIndexError()
{
    RaiseException(Str::IndexException, 0, 0, nullptr);
}

template <class C> C* StringCore<C>::Allocate(std::size_t chars, Str::SensitiveState sensitivity)
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

template <class C> C* StringCore<C>::SharedEmpty(Str::SensitiveState sensitivity)
{
    std::atomic<C*>& slot = g_emptyBuffers<C>[sensitivity == Str::Sensitive ? 1 : 0];
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

template <class C> void StringCore<C>::AddRef(C* p)
{
    InterlockedIncrement(&HeaderOf(p)->references);
}

template <class C> void StringCore<C>::Release(C* p)
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

template <class C> C* StringCore<C>::Reserve(C*& p, std::size_t chars)
{
    // A count below 2 means this string is the only holder, so no other thread can change it meanwhile.
    if (HeaderOf(p)->references < 2 && CapacityChars(p) >= chars)
        return nullptr;
    C* fresh = Allocate(chars, Sensitivity(p));
    const std::size_t keep = std::min<std::size_t>(Length(p), chars);
    std::memcpy(fresh, p, keep * sizeof(C));
    SetLength(fresh, keep);
    C* old = p;
    p = fresh;
    return old;
}

template <class C> void StringCore<C>::SetLength(C* p, std::size_t chars)
{
    HeaderOf(p)->length = static_cast<std::uint32_t>(chars * sizeof(C));
    p[chars] = 0;
}

template <class C> void StringCore<C>::Init(C*& p, const C* text, int length, Str::SensitiveState sensitivity)
{
    const std::size_t chars = !text        ? 0
                              : length < 0 ? Chars<C>::Length(text)
                                           : static_cast<std::size_t>(length);
    if (chars == 0)
    {
        p = SharedEmpty(sensitivity);
        return;
    }
    p = Allocate(chars, sensitivity);
    std::memcpy(p, text, chars * sizeof(C));
    SetLength(p, chars);
}

template <class C> void StringCore<C>::AssignShared(C*& p, C* other)
{
    if (p == other)
        return;
    // A sensitive string stays sensitive: it copies an ordinary text into a buffer of its own.
    if (IsSensitive(p) && !IsSensitive(other))
    {
        Assign(p, other, Length(other));
        return;
    }
    AddRef(other);
    C* old = p;
    p = other;
    Release(old);
}

template <class C> void StringCore<C>::Assign(C*& p, const C* text, std::size_t chars)
{
    if (chars == 0)
    {
        Empty(p);
        return;
    }
    // The text may lie inside the current buffer: the old buffer goes only after the copy.
    C* old = Reserve(p, chars);
    std::memmove(p, text, chars * sizeof(C));
    SetLength(p, chars);
    if (old)
        Release(old);
}

template <class C> void StringCore<C>::AssignText(C*& p, const C* text)
{
    Assign(p, text, TextLength(text));
}

template <class C> void StringCore<C>::Append(C*& p, const C* text, std::size_t chars)
{
    if (chars == 0)
        return;
    const std::size_t length = Length(p);
    if (chars > MaxChars<C> - length)
        throw std::bad_alloc();
    C* old = Reserve(p, length + chars);
    std::memmove(p + length, text, chars * sizeof(C));
    SetLength(p, length + chars);
    if (old)
        Release(old);
}

template <class C> void StringCore<C>::AppendText(C*& p, const C* text, int length)
{
    if (!text)
        return;
    Append(p, text, length < 0 ? Chars<C>::Length(text) : static_cast<std::size_t>(length));
}

template <class C> void StringCore<C>::AppendString(C*& p, const C* other)
{
    if (IsSensitive(other))
        MakeSensitive(p);
    Append(p, other, Length(other));
}

template <class C> void StringCore<C>::Empty(C*& p)
{
    C* old = p;
    p = SharedEmpty(Sensitivity(old));
    Release(old);
}

template <class C> void StringCore<C>::MakeSensitive(C*& p)
{
    if (IsSensitive(p))
        return;
    C* old = p;
    const std::size_t length = Length(old);
    if (length == 0)
        p = SharedEmpty(Str::Sensitive);
    else if (HeaderOf(old)->references < 2)
    {
        HeaderOf(old)->sensitivity = Str::Sensitive;
        return;
    }
    else
    {
        C* fresh = Allocate(length, Str::Sensitive);
        std::memcpy(fresh, old, length * sizeof(C));
        SetLength(fresh, length);
        p = fresh;
    }
    Release(old);
}

template <class C> C* StringCore<C>::Substring(const C* p, int first, int count)
{
    const int length = Length(p);
    first = std::clamp(first, 0, length);
    count = count < 0 ? length - first : std::min(count, length - first);
    if (count == length)
    {
        C* same = const_cast<C*>(p);
        AddRef(same);
        return same;
    }
    if (count == 0)
        return SharedEmpty(Sensitivity(p));
    C* result = Allocate(static_cast<std::size_t>(count), Sensitivity(p));
    std::memcpy(result, p + first, static_cast<std::size_t>(count) * sizeof(C));
    SetLength(result, static_cast<std::size_t>(count));
    return result;
}

template <class C> const C* StringCore<C>::AddressAt(const C* p, int index)
{
    const int length = Length(p);
    if (index < 0 || index > length)
    {
        RaiseIndexError();
        return p + length;
    }
    return p + index;
}

template <class C> C StringCore<C>::CharAt(const C* p, int index)
{
    return *AddressAt(p, index);
}

template <class C> void StringCore<C>::SetAt(C*& p, int index, C ch)
{
    const int length = Length(p);
    if (index < 0 || index >= length)
    {
        RaiseIndexError();
        return;
    }
    C* old = Reserve(p, static_cast<std::size_t>(length));
    p[index] = ch;
    if (old)
        Release(old);
}

template <class C> void StringCore<C>::Delete(C*& p, int index)
{
    const int length = Length(p);
    if (index < 0 || index >= length)
    {
        RaiseIndexError();
        return;
    }
    C* old = Reserve(p, static_cast<std::size_t>(length));
    std::memmove(p + index, p + index + 1, static_cast<std::size_t>(length - index - 1) * sizeof(C));
    SetLength(p, static_cast<std::size_t>(length - 1));
    if (old)
        Release(old);
}

template <class C> void StringCore<C>::MakeUpper(C*& p)
{
    const int length = Length(p);
    if (length == 0)
        return;
    C* old = Reserve(p, static_cast<std::size_t>(length));
    std::transform(p, p + length, p, &Chars<C>::Upper);
    if (old)
        Release(old);
}

template <class C> int StringCore<C>::Find(const C* p, const C* sub, int start)
{
    const int length = Length(p);
    if (start < 0 || start > length)
    {
        RaiseIndexError();
        return -1;
    }
    if (!sub)
        return -1;
    const C* end = p + length;
    const C* found = std::search(p + start, end, sub, sub + Chars<C>::Length(sub));
    if (found == end && *sub)
        return -1;
    return static_cast<int>(found - p);
}

template <class C> int StringCore<C>::FindChar(const C* p, C ch, int start)
{
    const int length = Length(p);
    if (start < 0 || start > length)
    {
        RaiseIndexError();
        return -1;
    }
    const C* end = p + length;
    const C* found = std::find(p + start, end, ch);
    return found == end ? -1 : static_cast<int>(found - p);
}

template <class C> int StringCore<C>::ReverseFind(const C* p, C ch)
{
    for (int i = Length(p) - 1; i >= 0; --i)
    {
        if (p[i] == ch)
            return i;
    }
    return -1;
}

template <class C> C* StringCore<C>::GetBuffer(C*& p, int minChars)
{
    if (minChars < 0)
    {
        RaiseIndexError();
        minChars = 0;
    }
    C* old = Reserve(p, std::max(static_cast<std::size_t>(minChars), static_cast<std::size_t>(Length(p))));
    if (old)
        Release(old);
    return p;
}

template <class C> void StringCore<C>::ReleaseBuffer(C*& p, int newLength)
{
    // Without a GetBuffer first the buffer may still be shared; it must not change under the other holders.
    if (C* old = Reserve(p, static_cast<std::size_t>(Length(p))))
        Release(old);
    const std::size_t capacity = CapacityChars(p);
    if (newLength < -1 || (newLength >= 0 && static_cast<std::size_t>(newLength) > capacity))
    {
        RaiseIndexError();
        newLength = -1;
    }
    // The capacity's last character is always the NUL, so the length found never runs past it.
    const std::size_t chars =
        newLength < 0 ? Chars<C>::BoundedLength(p, capacity) : static_cast<std::size_t>(newLength);
    SetLength(p, chars);
}

template <class C> int StringCore<C>::Compare(const C* p, const C* text, std::size_t chars)
{
    const std::size_t length = static_cast<std::size_t>(Length(p));
    const int common = Chars<C>::Compare(p, text, std::min(length, chars));
    if (common != 0)
        return common < 0 ? -1 : 1;
    return length < chars ? -1 : length > chars ? 1 : 0;
}

template <class C> int StringCore<C>::CompareNoCase(const C* p, const C* text, std::size_t chars)
{
    const std::size_t length = static_cast<std::size_t>(Length(p));
    const int common = Chars<C>::CompareNoCase(p, text, std::min(length, chars));
    if (common != 0)
        return common < 0 ? -1 : 1;
    return length < chars ? -1 : length > chars ? 1 : 0;
}

template <class C> int StringCore<C>::Format(C*& p, const C* format, va_list args)
{
    if (!format)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    if (!*format)
    {
        // The formatter reports an empty result as a failure; an empty format simply gives an empty text.
        Empty(p);
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
    Assign(p, call.out, call.length);
    return static_cast<int>(call.length);
}

template <class C> bool StringCore<C>::ToInt(const C* text, int& value, bool strict)
{
    if (!text)
        return false;
    C* end = nullptr;
    errno = 0;
    const long read = Chars<C>::ToLong(text, &end);
    const bool overflow = errno == ERANGE && (read == LONG_MAX || read == LONG_MIN);
    value = static_cast<int>(read);
    if (end == text || overflow)
        return false;
    if (strict)
    {
        for (; *end; ++end)
        {
            if (!Chars<C>::IsSpace(*end))
                return false;
        }
    }
    return true;
}

template <class C> bool StringCore<C>::ToUInt(const C* text, unsigned int& value, bool strict)
{
    if (!text)
        return false;
    C* end = nullptr;
    errno = 0;
    const unsigned long read = Chars<C>::ToULong(text, &end);
    const bool overflow = errno == ERANGE && read == ULONG_MAX;
    value = static_cast<unsigned int>(read);
    if (end == text || overflow)
        return false;
    // The converter accepts a sign and negates in unsigned arithmetic; a negative text is no unsigned value.
    if (std::find(static_cast<const C*>(text), static_cast<const C*>(end), C('-')) != end)
        return false;
    if (strict)
    {
        for (; *end; ++end)
        {
            if (!Chars<C>::IsSpace(*end))
                return false;
        }
    }
    return true;
}

template <class C> std::size_t StringCore<C>::TextLength(const C* text)
{
    return text ? Chars<C>::Length(text) : 0;
}

template class StringCore<wchar_t>;
template class StringCore<char>;

} // namespace detail
} // namespace pardalin

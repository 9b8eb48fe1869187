// The shared, reference-counted, copy-on-write buffer behind VUnicodeString and VString, written once over
// the character type. A string object holds nothing but a pointer to the first character of its buffer;
// the header sits right in front of the characters.
#pragma once

#include "core/Str.h"

#include <cstdarg>
#include <cstddef>
#include <cstdint>

#include <windows.h>

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

// Called with the address and size of a sensitive buffer's block right after the block was zeroed and
// before it is freed. Lets white-box tests watch the wipe; null (the default) means nobody watches.
using WipeObserver = void (*)(const void* block, std::size_t size);
WipeObserver SetWipeObserver(WipeObserver observer);

// Raises Str::IndexException. The exception is continuable: callers must leave their object intact and
// return a harmless value when a handler resumes execution.
void RaiseIndexError();

template <class C> class StringCore
{
public:
    static StringHeader* HeaderOf(const C* p)
    {
        return reinterpret_cast<StringHeader*>(reinterpret_cast<std::uintptr_t>(p) - sizeof(StringHeader));
    }
    static int Length(const C* p) { return static_cast<int>(HeaderOf(p)->length / sizeof(C)); }
    static std::size_t CapacityChars(const C* p) { return HeaderOf(p)->capacity / sizeof(C) - 1; }
    static bool IsSensitive(const C* p) { return HeaderOf(p)->sensitivity == Str::Sensitive; }
    static Str::SensitiveState Sensitivity(const C* p)
    {
        return IsSensitive(p) ? Str::Sensitive : Str::NotSensitive;
    }

    // Buffer life.
    static C* Allocate(std::size_t chars, Str::SensitiveState sensitivity);
    static C* SharedEmpty(Str::SensitiveState sensitivity); // adds a reference
    static void AddRef(C* p);
    static void Release(C* p);

    // Makes `p` private with room for `chars` characters, keeping as many old characters as fit. Returns the
    // replaced buffer, still referenced, so that a caller may copy from it before it goes; null when `p`
    // was written in place.
    static C* Reserve(C*& p, std::size_t chars);
    static void SetLength(C* p, std::size_t chars);

    // String operations on the pointer a string object holds.
    static void Init(C*& p, const C* text, int length, Str::SensitiveState sensitivity);
    static void AssignShared(C*& p, C* other);
    static void Assign(C*& p, const C* text, std::size_t chars);
    static void AssignText(C*& p, const C* text); // null assigns the empty text
    static void Append(C*& p, const C* text, std::size_t chars);
    static void AppendText(C*& p, const C* text, int length);
    static void AppendString(C*& p, const C* other);
    static void Empty(C*& p);
    static void MakeSensitive(C*& p);
    static C* Substring(const C* p, int first, int count); // a new buffer reference
    static const C* AddressAt(const C* p, int index);
    static C CharAt(const C* p, int index);
    static void SetAt(C*& p, int index, C ch);
    static void Delete(C*& p, int index);
    static void MakeUpper(C*& p);
    static int Find(const C* p, const C* sub, int start);
    static int FindChar(const C* p, C ch, int start);
    static int ReverseFind(const C* p, C ch);
    static C* GetBuffer(C*& p, int minChars);
    static void ReleaseBuffer(C*& p, int newLength);
    static int Compare(const C* p, const C* text, std::size_t chars);
    static int CompareNoCase(const C* p, const C* text, std::size_t chars);
    static int Format(C*& p, const C* format, va_list args);

    static bool ToInt(const C* text, int& value, bool strict);
    static bool ToUInt(const C* text, unsigned int& value, bool strict);
    static std::size_t TextLength(const C* text);
};

extern template class StringCore<wchar_t>;
extern template class StringCore<char>;

} // namespace detail
} // namespace pardalin

#include "frame/detail/SafeFormat.h"

#include "core/detail/SehGuard.h"

#include <cwctype>

namespace
{
constexpr DWORD kAllocating = FORMAT_MESSAGE_ALLOCATE_BUFFER;

DWORD FormatUnexpanded(DWORD flags, const void* source, DWORD messageId, wchar_t** text)
{
    return FormatMessageW(flags | kAllocating | FORMAT_MESSAGE_IGNORE_INSERTS, source, messageId, 0,
                          reinterpret_cast<wchar_t*>(text), 0, nullptr);
}

struct ExpandingCall
{
    DWORD flags;
    const void* source;
    DWORD messageId;
    const wchar_t* const* inserts;
    wchar_t** text;
    DWORD length;
    DWORD error;
};

void RunExpanding(void* context)
{
    auto* call = static_cast<ExpandingCall*>(context);
    call->length = FormatMessageW(call->flags | kAllocating | FORMAT_MESSAGE_ARGUMENT_ARRAY, call->source,
                                  call->messageId, 0, reinterpret_cast<wchar_t*>(call->text), 0,
                                  reinterpret_cast<va_list*>(const_cast<wchar_t**>(call->inserts)));
    call->error = GetLastError();
}
} // namespace

int pardalin::detail::HighestInsertReferenced(const wchar_t* text)
{
    int highest = 0;
    for (const wchar_t* p = text; p && *p; ++p)
    {
        if (*p != L'%' || !p[1])
            continue;
        ++p;
        if (*p >= L'1' && *p <= L'9')
        {
            int number = *p - L'0';
            if (p[1] >= L'0' && p[1] <= L'9')
                number = number * 10 + (*++p - L'0');
            if (number > highest)
                highest = number;
        }
    }
    return highest;
}

DWORD pardalin::detail::FormatWithInserts(DWORD flags, const void* source, DWORD messageId,
                                          const wchar_t* const* inserts, int insertCount, wchar_t** text)
{
    *text = nullptr;
    // The unexpanded text tells which inserts the message wants. Handing the formatter fewer than it reads
    // would let it read past the array, so such a message is given back unexpanded straight away.
    wchar_t* unexpanded = nullptr;
    const DWORD unexpandedLength = FormatUnexpanded(flags, source, messageId, &unexpanded);
    if (unexpandedLength == 0)
        return 0;
    if (HighestInsertReferenced(unexpanded) <= insertCount)
    {
        ExpandingCall call{flags, source, messageId, inserts, text, 0, 0};
        const unsigned long fault = pardalin::detail::CallWithSehGuard(&RunExpanding, &call);
        if (fault == 0 && call.length > 0)
        {
            LocalFree(unexpanded);
            return call.length;
        }
        if (*text)
            LocalFree(*text);
        *text = nullptr;
        // A fault while expanding counts as an invalid parameter; only that and an overflowing insert fall
        // back to the unexpanded text.
        if (fault == 0 && call.error != ERROR_INVALID_PARAMETER && call.error != ERROR_BUFFER_OVERFLOW)
        {
            LocalFree(unexpanded);
            SetLastError(call.error);
            return 0;
        }
    }
    *text = unexpanded;
    return unexpandedLength;
}

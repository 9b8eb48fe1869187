#include "frame/detail/SafeFormat.h"

#include "core/detail/GuardedFormat.h"

namespace pardalin::detail
{
int HighestInsertReferenced(const wchar_t* text)
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

DWORD FormatWithInserts(DWORD flags, const void* source, DWORD messageId, const wchar_t* const* inserts,
                        int insertCount, wchar_t** text)
{
    *text = nullptr;
    // The unexpanded text tells which inserts the message wants. Handing the formatter fewer than it reads
    // would let it read past the array, so such a message is given back unexpanded straight away.
    wchar_t* unexpanded = nullptr;
    const DWORD unexpandedLength =
        GuardedFormatMessage(flags | FORMAT_MESSAGE_IGNORE_INSERTS, source, messageId, &unexpanded, nullptr);
    if (unexpandedLength == 0)
        return 0;
    if (HighestInsertReferenced(unexpanded) <= insertCount)
    {
        const DWORD length =
            GuardedFormatMessage(flags | FORMAT_MESSAGE_ARGUMENT_ARRAY, source, messageId, text,
                                 reinterpret_cast<va_list*>(const_cast<wchar_t**>(inserts)));
        if (length > 0)
        {
            LocalFree(unexpanded);
            return length;
        }
        // Only an insert the formatter could not expand (a fault counts as an invalid parameter) or one that
        // overflowed falls back to the unexpanded text.
        const DWORD error = GetLastError();
        if (error != ERROR_INVALID_PARAMETER && error != ERROR_BUFFER_OVERFLOW)
        {
            LocalFree(unexpanded);
            SetLastError(error);
            return 0;
        }
    }
    *text = unexpanded;
    return unexpandedLength;
}
} // namespace pardalin::detail

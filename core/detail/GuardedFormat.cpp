#include "core/detail/GuardedFormat.h"

#include "core/detail/SehGuard.h"

namespace pardalin::detail
{
namespace
{
DWORD FormatText(DWORD flags, const void* source, DWORD messageId, wchar_t** text, va_list* arguments)
{
    return FormatMessageW(flags, source, messageId, 0, reinterpret_cast<wchar_t*>(text), 0, arguments);
}

DWORD FormatText(DWORD flags, const void* source, DWORD messageId, char** text, va_list* arguments)
{
    return FormatMessageA(flags, source, messageId, 0, reinterpret_cast<char*>(text), 0, arguments);
}

template <class C> struct FormatCall
{
    DWORD flags;
    const void* source;
    DWORD messageId;
    C** text;
    va_list* arguments;
    DWORD length;
    DWORD error;
};

template <class C> void RunFormat(void* context)
{
    auto* call = static_cast<FormatCall<C>*>(context);
    call->length = FormatText(call->flags, call->source, call->messageId, call->text, call->arguments);
    call->error = GetLastError();
}

template <class C>
DWORD Format(DWORD flags, const void* source, DWORD messageId, C** text, va_list* arguments)
{
    *text = nullptr;
    FormatCall<C> call{flags | FORMAT_MESSAGE_ALLOCATE_BUFFER, source, messageId, text, arguments, 0, 0};
    if (CallWithSehGuard(&RunFormat<C>, &call) != 0)
    {
        call.length = 0;
        call.error = ERROR_INVALID_PARAMETER;
    }
    if (call.length == 0 && *text)
    {
        LocalFree(*text);
        *text = nullptr;
    }
    SetLastError(call.error);
    return call.length;
}
} // namespace

DWORD GuardedFormatMessage(DWORD flags, const void* source, DWORD messageId, wchar_t** text,
                           va_list* arguments)
{
    return Format(flags, source, messageId, text, arguments);
}

DWORD GuardedFormatMessage(DWORD flags, const void* source, DWORD messageId, char** text, va_list* arguments)
{
    return Format(flags, source, messageId, text, arguments);
}
} // namespace pardalin::detail

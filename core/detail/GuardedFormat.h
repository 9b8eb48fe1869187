// GuardedFormatMessage: the library's one call of the platform's message formatter. The formatter reports
// inserts it cannot read only by faulting, so the call runs under the structured exception guard.
//
//     wchar_t* text = nullptr;
//     const DWORD length = pardalin::detail::GuardedFormatMessage(FORMAT_MESSAGE_FROM_STRING, L"%1!d!", 0,
//                                                                 &text, &arguments);
//     ...
//     LocalFree(text);
#pragma once

#include "core/PardalinApi.h"

#include <cstdarg>

namespace pardalin::detail
{
// One call with FORMAT_MESSAGE_ALLOCATE_BUFFER added to `flags`. `*text` receives a LocalAlloc'ed text, or
// null. Returns its length; 0 leaves the reason as the last error, ERROR_INVALID_PARAMETER when the
// formatter faulted.
DWORD GuardedFormatMessage(DWORD flags, const void* source, DWORD messageId, wchar_t** text,
                           va_list* arguments);
DWORD GuardedFormatMessage(DWORD flags, const void* source, DWORD messageId, char** text, va_list* arguments);
} // namespace pardalin::detail

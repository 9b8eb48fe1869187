// RunGuarded: runs a thread procedure in a frame whose exception handler turns an escaping language exception
// into the host's structured exception MSG_HOST_ESCAPED_LANGUAGE_EXCEPTION, carrying the original exception
// and context records, so that crash reports show where the procedure let it escape.
//
//     return pardalin::detail::RunGuarded(procedure, argument); // the thread's exit code
#pragma once

#include "core/PardalinApi.h"

namespace pardalin::detail
{
// Returns procedure(argument).
unsigned int RunGuarded(unsigned int (*procedure)(void*), void* argument);

// Flags handed to RaiseException for the escaped exception; its low bit makes it non-continuable.
constexpr DWORD kEscapedLanguageExceptionFlags = 0xC0000025;
} // namespace pardalin::detail

// Runs a thread procedure inside a frame whose exception handler turns an escaping language exception into
// the library's own structured exception 0xE104003B, carrying the original exception and context records.
#pragma once

#include "core/PardalinApi.h"

extern "C" unsigned int PardalinRunGuarded(unsigned int (*procedure)(void*), void* argument);

namespace pardalin::detail
{
constexpr DWORD kEscapedLanguageException = 0xE104003B;
// Flags handed to RaiseException for the escaped exception; its low bit makes it non-continuable.
constexpr DWORD kEscapedLanguageExceptionFlags = 0xC0000025;
constexpr DWORD kMsvcLanguageException = 0xE06D7363;
constexpr DWORD kGccLanguageException = 0x20474343;
} // namespace pardalin::detail

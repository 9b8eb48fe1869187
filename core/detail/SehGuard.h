// CallInSehFrame: the library's one frame with a structured exception handler, and CallWithSehGuard, the
// __try/__except of GCC-built code on top of it. GCC has no __try, and some platform calls (the message
// formatter reading its inserts, for one) report bad input only by faulting.
//
//     const unsigned long fault = pardalin::detail::CallWithSehGuard(&RunFormatter, &call);
//     if (fault != 0)
//         ... // the formatter faulted; the stack is back in this function
#pragma once

#include "core/PardalinApi.h"

#include <cstdint>

namespace pardalin::detail
{
// Sees every exception that the search phase carries to the frame, and each unwind through it, with the
// arguments of a language-specific handler. It may unwind to SehFrameLanding(), whose return value becomes
// the frame's result.
using SehFrameHandler = EXCEPTION_DISPOSITION (*)(EXCEPTION_RECORD* record, void* establisherFrame,
                                                  CONTEXT* context, DISPATCHER_CONTEXT* dispatch);

// Returns call(context) from a frame whose exception handler is `handler`.
std::uintptr_t CallInSehFrame(std::uintptr_t (*call)(void* context), void* context, SehFrameHandler handler);

// The address in the frame where a handler's unwind resumes (the target of RtlUnwindEx).
void* SehFrameLanding();

// Calls call(context). Returns 0 when the call returned, or the code of the structured exception that
// ended it; the stack is unwound back to this function first. Language exceptions are left to pass through.
unsigned long CallWithSehGuard(void (*call)(void* context), void* context);

// Codes of language exceptions thrown by GCC-built and by MSVC-built code: these belong to their own
// handlers.
constexpr DWORD kGccLanguageException = 0x20474343;
constexpr DWORD kMsvcLanguageException = 0xE06D7363;
} // namespace pardalin::detail

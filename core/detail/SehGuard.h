// Runs a call under a structured exception handler. GCC has no __try, and some platform calls (the
// message formatter reading its inserts, for one) report bad input only by faulting.
#pragma once

namespace pardalin
{
namespace detail
{

// Calls call(context). Returns 0 when the call returned, or the code of the structured exception that
// ended it; the stack is unwound back to this function first. C++ exceptions are left to pass through.
unsigned long CallWithSehGuard(void (*call)(void* context), void* context);

} // namespace detail
} // namespace pardalin

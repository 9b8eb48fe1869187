// The clock behind date and time placeholders. White-box tests put a fixed time in; the library reads the
// system's UTC time otherwise.
#pragma once

#include "core/PardalinApi.h"

namespace pardalin::detail
{
using UtcClock = void (*)(SYSTEMTIME* now);
// Returns the clock it replaces; null restores the system clock.
UtcClock SetUtcClock(UtcClock clock);
void GetUtcTime(SYSTEMTIME* now);
} // namespace pardalin::detail

#include "files/detail/Clock.h"

namespace
{
pardalin::detail::UtcClock g_clock = nullptr;
} // namespace

pardalin::detail::UtcClock pardalin::detail::SetUtcClock(UtcClock clock)
{
    const UtcClock previous = g_clock;
    g_clock = clock;
    return previous;
}

void pardalin::detail::GetUtcTime(SYSTEMTIME* now)
{
    if (g_clock)
        g_clock(now);
    else
        GetSystemTime(now);
}

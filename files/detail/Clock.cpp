#include "files/detail/Clock.h"

namespace pardalin::detail
{
namespace
{
UtcClock g_clock = nullptr;
} // namespace

UtcClock SetUtcClock(UtcClock clock)
{
    const UtcClock previous = g_clock;
    g_clock = clock;
    return previous;
}

void GetUtcTime(SYSTEMTIME* now)
{
    if (g_clock)
        g_clock(now);
    else
        GetSystemTime(now);
}
} // namespace pardalin::detail

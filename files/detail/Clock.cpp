#include "files/detail/Clock.h"

#include <utility>

namespace pardalin::detail
{
namespace
{
UtcClock g_clock = nullptr;
} // namespace

UtcClock SetUtcClock(UtcClock clock)
{
    return std::exchange(g_clock, clock);
}

void GetUtcTime(SYSTEMTIME* now)
{
    if (g_clock)
        g_clock(now);
    else
        GetSystemTime(now);
}
} // namespace pardalin::detail

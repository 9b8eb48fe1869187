// The monitor functions on the system's calls and on their fallbacks (the looked-up calls emptied, as on a
// system without them).
#include "frame/Monitors.h"
#include "frame/detail/MonitorFunctions.h"

#include <gtest/gtest.h>

#include <cstdlib>

using pardalin::detail::LoadedMonitorFunctions;
using pardalin::detail::MonitorFunctions;
using pardalin::detail::PrimaryMonitorFallback;

namespace
{
class MonitorFunctionsTest : public ::testing::Test
{
protected:
    // Each test starts from a table that is looked up afresh, and leaves it that way.
    void SetUp() override { LoadedMonitorFunctions() = MonitorFunctions{}; }
    void TearDown() override { LoadedMonitorFunctions() = MonitorFunctions{}; }

    static void UseFallbacks()
    {
        LoadedMonitorFunctions() = MonitorFunctions{};
        LoadedMonitorFunctions().initialized = true;
    }

    // A top-level window at a position of the test's choosing; destroyed with the test.
    HWND Window(int x, int y)
    {
        window = ::CreateWindowExW(0, L"STATIC", L"monitor", WS_OVERLAPPEDWINDOW, x, y, 200, 100, nullptr,
                                   nullptr, nullptr, nullptr);
        return window;
    }
    ~MonitorFunctionsTest() override
    {
        if (window)
            ::DestroyWindow(window);
    }

    HWND window = nullptr;
};
} // namespace

TEST_F(MonitorFunctionsTest, SystemCallsAreTakenAndMaximisedWindowsAreOnTheMonitorOfTheirRestoredRectangle)
{
    const RECT onScreen = {10, 10, 20, 20};
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    const HMONITOR monitor = xMonitorFromRect(&onScreen, MONITOR_DEFAULTTONULL);
    EXPECT_NE(PrimaryMonitorFallback(), monitor) << "the system's call was not taken";
    ASSERT_TRUE(xGetMonitorInfo(monitor, &info));
    ASSERT_NE(nullptr, Window(30, 40));
    ::ShowWindow(window, SW_SHOWMAXIMIZED);
    CRect rect;
    GetMonitorRect(window, rect);
    EXPECT_EQ(CRect(info.rcMonitor), rect) << "the whole monitor counts";
    // One Xvfb screen: nothing lies left of or above it.
    EXPECT_FALSE(NegativeCoordinatesAreValid());
}

TEST_F(MonitorFunctionsTest, FallbacksDescribeOnePrimaryMonitor)
{
    UseFallbacks();
    const int width = ::GetSystemMetrics(SM_CXSCREEN);
    const int height = ::GetSystemMetrics(SM_CYSCREEN);
    const struct
    {
        int index;
        int expected;
    } metrics[] = {{SM_XVIRTUALSCREEN, 0},      {SM_YVIRTUALSCREEN, 0},
                   {SM_CXVIRTUALSCREEN, width}, {SM_CYVIRTUALSCREEN, height},
                   {SM_CMONITORS, 1},           {SM_SAMEDISPLAYFORMAT, 1},
                   {SM_CXSCREEN, width},        {SM_CYCAPTION, ::GetSystemMetrics(SM_CYCAPTION)}};
    for (const auto& metric : metrics)
        EXPECT_EQ(metric.expected, xGetSystemMetrics(metric.index)) << "metric " << metric.index;
    EXPECT_TRUE(LoadedMonitorFunctions().initialized) << "the fallbacks looked the calls up again";

    const RECT left = {-300, 10, -100, 50};
    const RECT overlapping = {-100, -100, 1, 1};
    const RECT below = {0, height, 10, height + 10};
    EXPECT_EQ(nullptr, xMonitorFromRect(&left, MONITOR_DEFAULTTONULL));
    EXPECT_EQ(PrimaryMonitorFallback(), xMonitorFromRect(&left, MONITOR_DEFAULTTONEAREST));
    EXPECT_EQ(PrimaryMonitorFallback(), xMonitorFromRect(&left, MONITOR_DEFAULTTOPRIMARY));
    EXPECT_EQ(PrimaryMonitorFallback(), xMonitorFromRect(&overlapping, MONITOR_DEFAULTTONULL));
    EXPECT_EQ(nullptr, xMonitorFromRect(&below, MONITOR_DEFAULTTONULL));

    RECT workArea;
    ASSERT_TRUE(::SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0));
    MONITORINFOEXW info = {};
    info.cbSize = sizeof(MONITORINFO) - 1;
    EXPECT_FALSE(xGetMonitorInfo(PrimaryMonitorFallback(), &info));
    EXPECT_FALSE(xGetMonitorInfo(PrimaryMonitorFallback(), nullptr));
    info.cbSize = sizeof(MONITORINFO);
    EXPECT_FALSE(xGetMonitorInfo(reinterpret_cast<HMONITOR>(1), &info));
    ASSERT_TRUE(xGetMonitorInfo(PrimaryMonitorFallback(), &info));
    EXPECT_EQ(CRect(0, 0, width, height), CRect(info.rcMonitor));
    EXPECT_EQ(CRect(workArea), CRect(info.rcWork));
    EXPECT_EQ(static_cast<DWORD>(MONITORINFOF_PRIMARY), info.dwFlags);
    EXPECT_STREQ(L"", info.szDevice) << "a MONITORINFO got a device name";
    info.cbSize = sizeof(MONITORINFOEXW);
    ASSERT_TRUE(xGetMonitorInfo(PrimaryMonitorFallback(), &info));
    EXPECT_STREQ(L"DISPLAY", info.szDevice);

    ASSERT_NE(nullptr, Window(-500, -500));
    CRect rect;
    GetMonitorRect(window, rect);
    EXPECT_EQ(CRect(0, 0, width, height), rect);
}

// Run by run-on-two-monitors.sh on a display of two screens; elsewhere there is only one monitor to see.
TEST(TwoMonitors, SystemCallsSeeBothAndTheFallbacksOne)
{
    if (!std::getenv("PARDALIN_TWO_MONITORS"))
        GTEST_SKIP() << "needs the two-screen display of run-on-two-monitors.sh";
    LoadedMonitorFunctions() = MonitorFunctions{};
    EXPECT_EQ(2, xGetSystemMetrics(SM_CMONITORS));
    int monitors = 0;
    ASSERT_TRUE(::EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR monitor, HDC, LPRECT, LPARAM count) -> BOOL
        {
            MONITORINFO info = {};
            info.cbSize = sizeof(info);
            EXPECT_TRUE(xGetMonitorInfo(monitor, &info));
            ++*reinterpret_cast<int*>(count);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&monitors)));
    EXPECT_EQ(2, monitors);
    EXPECT_FALSE(NegativeCoordinatesAreValid());

    LoadedMonitorFunctions() = MonitorFunctions{};
    LoadedMonitorFunctions().initialized = true;
    EXPECT_EQ(1, xGetSystemMetrics(SM_CMONITORS));
    LoadedMonitorFunctions() = MonitorFunctions{};
}

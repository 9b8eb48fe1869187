// CDateTimeCtrl and its data exchange: a UTC file time shown as local time and read back whole, an empty
// picker, and the range.
#include <afxcmn.h>

#include <gtest/gtest.h>

TEST(AfxDateTime, FileTimesGoThroughThePickerAndBack)
{
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), L"", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr));
    CDateTimeCtrl picker;
    ASSERT_TRUE(
        picker.Create(WS_CHILD | DTS_SHORTDATEFORMAT | DTS_SHOWNONE, CRect(0, 0, 150, 20), &host, 3001));
    const SYSTEMTIME utc = {2031, 3, 2, 4, 12, 30, 15, 0};
    FILETIME original = {};
    ASSERT_TRUE(SystemTimeToFileTime(&utc, &original));
    FILETIME value = original;
    CDataExchange load(&host, FALSE), save(&host, TRUE);
    DDX_DateTimeCtrl(&load, 3001, value);
    SYSTEMTIME shown = {}, local = {};
    ASSERT_EQ(DWORD(GDT_VALID), picker.GetTime(&shown));
    SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local);
    EXPECT_EQ(local.wDay, shown.wDay);
    EXPECT_EQ(local.wHour, shown.wHour);
    value = FILETIME{};
    DDX_DateTimeCtrl(&save, 3001, value);
    EXPECT_EQ(0, CompareFileTime(&original, &value));

    picker.SetTime(static_cast<LPSYSTEMTIME>(nullptr));
    DDX_DateTimeCtrl(&save, 3001, value);
    EXPECT_EQ(0u, value.dwLowDateTime | value.dwHighDateTime) << "no date saves zero";

    const CTime earliest(2030, 1, 2, 3, 4, 5);
    ASSERT_TRUE(picker.SetRange(&earliest, nullptr));
    CTime low, high;
    EXPECT_EQ(DWORD(GDTR_MIN), picker.GetRange(&low, &high));
    EXPECT_EQ(earliest.GetTime(), low.GetTime());
    host.DestroyWindow();
}

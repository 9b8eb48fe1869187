// The margin rules on a printer whose measurements the test supplies: an 8.5 by 11 inch page whose printable
// area starts 0.25 inch from the left and 0.2 inch from the top and ends 0.25 inch from the right and bottom.
#include "hostkit/FilePrinter.h"
#include "printing/VValidateMargins.h"

#include <gtest/gtest.h>
#include <winspool.h>

#include <cmath>
#include <string>

namespace
{
class CMeasuredPrinter final : public VValidateMarginsBase
{
public:
    bool opens = true;

private:
    bool Initialize(VMarginData&, const LOGFONTW*) override
    {
        if (!opens)
            errorMessage = L"No printer.";
        return opens;
    }
    void calcMargins() override
    {
        pageWidth = 8.5;
        pageHeight = 11;
        minLeft = 0.25;
        minTop = 0.2;
        printableRight = 8.25;
        printableBottom = 10.75;
    }
};

std::wstring Text(VValidateMarginsBase& check)
{
    return check.GetErrorMessage().GetString();
}
} // namespace

TEST(PrintingMargins, EachMarginAgainstWhatThePrinterReaches)
{
    const double nan = std::nan("");
    const struct
    {
        const char* name;
        VMarginData margins;
        int which;
        bool passes;
        double minimum;
        const wchar_t* text;
    } cases[] = {
        {"left below the offset", {0.2, 1, 1, 1}, 0, false, 0.25, L"The minimum left margin is 0.250\r\n"},
        {"left at the offset", {0.25, 1, 1, 1}, 0, true, -1, L""},
        {"negative left", {-3, 1, 1, 1}, 0, false, 0.25, L"The minimum left margin is 0.250\r\n"},
        {"right below the unprintable strip",
         {1, 0.1, 1, 1},
         1,
         false,
         0.25,
         L"The minimum right margin is 0.250\r\n"},
        {"right at the strip", {1, 0.25, 1, 1}, 1, true, -1, L""},
        {"top below the offset", {1, 1, 0.1, 1}, 2, false, 0.2, L"The minimum top margin is 0.200\r\n"},
        {"top at the offset", {1, 1, 0.2, 1}, 2, true, -1, L""},
        {"bottom below the strip", {1, 1, 1, 0}, 3, false, 0.25, L"The minimum bottom margin is 0.250\r\n"},
        {"bottom at the strip", {1, 1, 1, 0.25}, 3, true, -1, L""},
        {"no such margin", {-9, -9, -9, -9}, 4, true, -1, L""},
        {"not a number passes this check", {nan, 1, 1, 1}, 0, true, -1, L""},
    };
    for (const auto& c : cases)
    {
        CMeasuredPrinter check;
        VMarginData margins = c.margins;
        ASSERT_TRUE(check.Create(margins, nullptr)) << c.name;
        double minimum = -1;
        EXPECT_EQ(c.passes, check.ValidateMargin(c.which, minimum)) << c.name;
        EXPECT_DOUBLE_EQ(c.minimum, minimum) << c.name;
        EXPECT_EQ(c.text, Text(check)) << c.name;
    }
}

TEST(PrintingMargins, MarginsTogetherStayOnThePageWithoutCrossing)
{
    const double nan = std::nan("");
    const struct
    {
        const char* name;
        VMarginData margins;
        bool sound;
    } cases[] = {
        {"the printer's minimums", {0.25, 0.25, 0.2, 0.25}, true},
        {"left and right cross", {5, 4, 1, 1}, false},
        {"left and right meet", {4.25, 4.25, 1, 1}, true},
        {"top and bottom cross", {1, 1, 6, 6}, false},
        {"left beyond the page", {9, -1, 1, 1}, false},
        {"right beyond the page", {1, -1, 1, 1}, false},
        {"bottom beyond the page", {1, 1, 1, -0.5}, false},
        {"not a number", {nan, 1, 1, 1}, false},
        {"infinite", {1, 1, 1, HUGE_VAL}, false},
    };
    for (const auto& c : cases)
    {
        CMeasuredPrinter check;
        VMarginData margins = c.margins;
        ASSERT_TRUE(check.Create(margins, nullptr)) << c.name;
        EXPECT_EQ(c.sound ? 1 : 0, check.validMarginsFinal()) << c.name;
        EXPECT_EQ(c.sound ? L"" : L"Margins are either off the page or overlap\r\n", Text(check)) << c.name;
    }
}

TEST(PrintingMargins, FailuresKeepTheirTextUntilTheNextCheck)
{
    CMeasuredPrinter check;
    VMarginData margins = {0.1, 0.25, 0.2, 0.25};
    check.opens = false;
    EXPECT_FALSE(check.Create(margins, nullptr));
    EXPECT_EQ(L"No printer.", Text(check));
    check.opens = true;
    ASSERT_TRUE(check.Create(margins, nullptr));
    double minimum = 0;
    EXPECT_FALSE(check.ValidateMargin(0, minimum));
    EXPECT_FALSE(check.GetErrorMessage().IsEmpty());
    // A passing check clears the text of the one before.
    EXPECT_TRUE(check.ValidateMargin(1, minimum));
    EXPECT_TRUE(check.GetErrorMessage().IsEmpty());
    // A second Create places the new margins.
    margins.left = 0.3;
    ASSERT_TRUE(check.Create(margins, nullptr));
    EXPECT_TRUE(check.ValidateMargin(0, minimum));
}

// The test machine has no printer: Create fails with the host's text (the test program carries a host message
// table), before measuring anything.
TEST(PrintingMargins, NoDefaultPrinterFailsWithTheHostsText)
{
    VValidateMargins check;
    VMarginData margins = {1, 1, 1, 1};
    PRINTDLGW probe = {};
    probe.lStructSize = sizeof(probe);
    probe.Flags = PD_RETURNDEFAULT;
    if (::PrintDlgW(&probe))
        GTEST_SKIP() << "this machine has a default printer";
    EXPECT_FALSE(check.Create(margins, nullptr));
    EXPECT_EQ(L"There is no default printer.\r\n", Text(check));
    // The wait cursor is gone again.
    EXPECT_NE(::LoadCursorW(nullptr, IDC_WAIT), ::GetCursor());
}

// A real printer: the host kit's file printer on Wine's PostScript driver, measured through its device
// context (a US Letter page at 600 dots per inch, printable 0.25 inch inside every edge), with a font scaled
// to it.
TEST(PrintingMargins, MeasuresTheDefaultPrinter)
{
    VFilePrinter printer(L"Pardalin Margins Test Printer");
    ASSERT_TRUE(printer.Install(true)) << ::GetLastError();
    LOGFONTW font = {};
    font.lfHeight = -12;
    wcscpy_s(font.lfFaceName, L"Arial");
    const double strip = VFilePrinter::Offset;
    for (const double margin : {0.2, strip})
    {
        VValidateMargins check;
        VMarginData margins = {margin, margin, margin, margin};
        ASSERT_TRUE(check.Create(margins, &font)) << Text(check);
        for (int which = 0; which < 4; ++which)
        {
            double minimum = -1;
            EXPECT_EQ(margin >= strip, check.ValidateMargin(which, minimum)) << margin << " " << which;
            EXPECT_DOUBLE_EQ(margin >= strip ? -1 : strip, minimum) << margin << " " << which;
        }
        EXPECT_EQ(1, check.validMarginsFinal());
    }
    // Margins that meet in the middle of the page pass; one beyond it fails.
    for (const double left : {VFilePrinter::PageWidth / 2, VFilePrinter::PageWidth / 2 + 0.001})
    {
        VValidateMargins check;
        VMarginData margins = {left, VFilePrinter::PageWidth / 2, 1, 1};
        ASSERT_TRUE(check.Create(margins, nullptr));
        EXPECT_EQ(left <= VFilePrinter::PageWidth / 2 ? 1 : 0, check.validMarginsFinal()) << left;
    }
    printer.Remove();
    wchar_t name[MAX_PATH] = {};
    DWORD length = MAX_PATH;
    if (::GetDefaultPrinterW(name, &length))
    {
        EXPECT_STRNE(printer.GetName(), name) << "the removed printer stays the default";
    }
    HANDLE handle = nullptr;
    EXPECT_FALSE(::OpenPrinterW(const_cast<wchar_t*>(printer.GetName()), &handle, nullptr));
}

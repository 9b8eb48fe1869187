// Page margins judged against a printer's page and printable area. VValidateMarginsBase holds the
// measurements (in inches) and the rules; a derived class opens the printer and measures it
// (VValidateMargins does so for the application's default printer).
//
//     VMarginData margins = {0.2, 0.5, 0.5, 0.5}; // left, right, top, bottom
//     VValidateMargins check;
//     double minimum = 0;
//     if (!check.Create(margins, nullptr))
//         AfxMessageBox(check.GetErrorMessage());  // no default printer, or no device context for it
//     else if (!check.ValidateMargin(0, minimum))  // the left margin is below the printer's reach
//         AfxMessageBox(check.GetErrorMessage());  // "The minimum left margin is 0.250"
//     else if (!check.validMarginsFinal())
//         AfxMessageBox(check.GetErrorMessage());  // the margins cross or leave the page
//
// Every check judges the margins given to the last Create and keeps the text of its failure, one line
// ending in a line break, for GetErrorMessage; a passing check leaves the text empty.
#pragma once

#include "core/PardalinApi.h"
#include "core/VUnicodeString.h"

// The margins in inches, as the host keeps them.
struct VMarginData
{
    double left;
    double right;
    double top;
    double bottom;
};

class PARDALIN_API VValidateMarginsBase
{
public:
    // Construction
    // Every measurement 0; no printer.
    VValidateMarginsBase();
    virtual ~VValidateMarginsBase();

    // Operations
    // Opens and measures the printer, then places the margin lines relative to the printable area's top-left
    // corner. False, with the reason kept, when the printer cannot be opened.
    bool Create(VMarginData& margins, const LOGFONTW* font);
    // One margin (0 left, 1 right, 2 top, 3 bottom): false when it is below what the printer reaches, with
    // that least margin in `minimum`. Any other `which` passes.
    bool ValidateMargin(int which, double& minimum);
    // 1 when the margins together stay on the page and do not cross, else 0.
    int validMarginsFinal();
    // The text of the last failure; empty when the last check passed.
    VUnicodeString GetErrorMessage();

protected:
    VUnicodeString errorMessage;
    // The physical page.
    double pageHeight;
    double pageWidth;
    // The printable area: its left and top edges (the printer's physical offsets), and its right and bottom
    // edges measured from the page's left and top.
    double minLeft;
    double printableRight;
    double minTop;
    double printableBottom;
    // The margin lines, measured from the printable area's top-left corner.
    double leftPos;
    double rightPos;
    double topPos;
    double bottomPos;

private:
    // Overridables: open the printer (setting errorMessage on failure), then measure it into the fields.
    virtual bool Initialize(VMarginData& margins, const LOGFONTW* font) = 0;
    virtual void calcMargins() = 0;
};

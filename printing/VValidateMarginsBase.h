/// \class VValidateMarginsBase
/// Page margins judged against a printer's page and printable area. VValidateMarginsBase holds the
/// measurements (in inches) and the rules; a derived class opens the printer and measures it
/// (VValidateMargins does so for the application's default printer).
///
/// \code{.cpp}
/// VMarginData margins = {0.2, 0.5, 0.5, 0.5}; // left, right, top, bottom
/// VValidateMargins check;
/// double minimum = 0;
/// if (!check.Create(margins, nullptr))
///     AfxMessageBox(check.GetErrorMessage());  // no default printer, or no device context for it
/// else if (!check.ValidateMargin(0, minimum))  // the left margin is below the printer's reach
///     AfxMessageBox(check.GetErrorMessage());  // "The minimum left margin is 0.250"
/// else if (!check.validMarginsFinal())
///     AfxMessageBox(check.GetErrorMessage());  // the margins cross or leave the page
/// \endcode
///
/// Every check judges the margins given to the last Create and keeps the text of its failure, one line
/// ending in a line break, for GetErrorMessage; a passing check leaves the text empty.
///
/// A derived class implements two private overridables, which Create calls in turn: Initialize opens the
/// printer (setting errorMessage and returning false when it cannot), then calcMargins measures it into the
/// protected fields.

/// \struct VMarginData
/// The margins in inches, as the host keeps them, each measured from its own edge of the page.
///
/// \code{.cpp}
/// VMarginData margins = {0.2, 0.5, 0.5, 0.5}; // left, right, top, bottom
/// check.Create(margins, nullptr);
/// \endcode
#pragma once

#include "core/PardalinApi.h"
#include "core/VUnicodeString.h"

struct VMarginData
{
    double left;   ///< From the page's left edge, in inches.
    double right;  ///< From the page's right edge, in inches.
    double top;    ///< From the page's top edge, in inches.
    double bottom; ///< From the page's bottom edge, in inches.
};

class PARDALIN_API VValidateMarginsBase
{
public:
    // Construction
    /// Every measurement 0; no printer.
    VValidateMarginsBase();
    /// Nothing of its own to release; a derived class releases its printer.
    virtual ~VValidateMarginsBase();

    // Operations
    /// Opens and measures the printer, then places the margin lines relative to the printable area's top-left
    /// corner. False, with the reason kept for GetErrorMessage, when the printer cannot be opened. `font`
    /// (may be null) is the host's screen font, for a derived class that selects it into the printer.
    bool Create(VMarginData& margins, const LOGFONTW* font);
    /// One margin (0 left, 1 right, 2 top, 3 bottom): false when it is below what the printer reaches, with
    /// that least margin, in inches, in `minimum` (left untouched when the margin passes). Any other `which`
    /// passes.
    bool ValidateMargin(int which, double& minimum);
    /// 1 when the margins together stay on the page and do not cross, else 0.
    int validMarginsFinal();
    /// The text of the last failure; empty when the last check passed.
    VUnicodeString GetErrorMessage();

protected:
    /// The text GetErrorMessage gives: the last failure, one line ending in a line break.
    VUnicodeString errorMessage;
    // The physical page.
    double pageHeight; ///< The physical page's height, in inches.
    double pageWidth;  ///< The physical page's width, in inches.
    // The printable area: its left and top edges (the printer's physical offsets), and its right and bottom
    // edges measured from the page's left and top.
    double minLeft;         ///< The printable area's left edge: the printer's horizontal physical offset.
    double printableRight;  ///< The printable area's right edge, from the page's left edge.
    double minTop;          ///< The printable area's top edge: the printer's vertical physical offset.
    double printableBottom; ///< The printable area's bottom edge, from the page's top edge.
    // The margin lines, measured from the printable area's top-left corner.
    double leftPos;   ///< The left margin line, from the printable area's left edge.
    double rightPos;  ///< The right margin line, from the printable area's left edge.
    double topPos;    ///< The top margin line, from the printable area's top edge.
    double bottomPos; ///< The bottom margin line, from the printable area's top edge.

private:
    // Overridables: open the printer (setting errorMessage on failure), then measure it into the fields.
    virtual bool Initialize(VMarginData& margins, const LOGFONTW* font) = 0;
    virtual void calcMargins() = 0;
};

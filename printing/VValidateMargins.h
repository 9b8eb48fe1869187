/// \class VValidateMargins
/// The margin rules of VValidateMarginsBase against the application's default printer (the one
/// CWinApp::GetPrinterDeviceDefaults gives). Create opens a device context for it, with the host's font
/// scaled to the printer when one is given, and measures the page and the printable area from it.
///
/// \code{.cpp}
/// VValidateMargins check;
/// if (!check.Create(margins, &logfont))
///     AfxMessageBox(check.GetErrorMessage()); // the host's text for "no default printer"
/// \endcode
///
/// The device context and the font live until the object is destroyed or Create runs again.
#pragma once

#include "printing/VValidateMarginsBase.h"

#include <afxwin.h>

class PARDALIN_API VValidateMargins : public VValidateMarginsBase
{
public:
    // Construction
    /// No printer opened yet; every measurement 0.
    VValidateMargins();
    VValidateMargins(const VValidateMargins&) = delete;
    VValidateMargins& operator=(const VValidateMargins&) = delete;
    /// Puts the printer's own font back, then deletes the font and the device context.
    ~VValidateMargins() override;

private:
    bool Initialize(VMarginData& margins, const LOGFONTW* font) override;
    void calcMargins() override;
    void ReleasePrinter();

    CDC printerDC;
    CFont printerFont;
    CFont* previousFont;
};

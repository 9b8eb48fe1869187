#include "printing/VValidateMargins.h"

#include "frame/VReportMessageParams.h"
#include "resources/HostMessageIds.h"

#include <afxdlgs.h>

#include <cmath>

namespace
{
// Inches rounded to thousandths.
double Round(double inches)
{
    return std::floor(inches * 1000 + 0.5) / 1000;
}

VUnicodeString MessageText(DWORD messageId)
{
    VReportMessageParams message(messageId);
    return VUnicodeString(message.GetText());
}
} // namespace

VValidateMargins::VValidateMargins() : previousFont(nullptr) {}

VValidateMargins::~VValidateMargins()
{
    ReleasePrinter();
}

void VValidateMargins::ReleasePrinter()
{
    if (previousFont && printerDC.GetSafeHdc())
        printerDC.SelectObject(previousFont);
    previousFont = nullptr;
    printerFont.DeleteObject();
    printerDC.DeleteDC();
}

bool VValidateMargins::Initialize(VMarginData&, const LOGFONTW* font)
{
    CWaitCursor wait;
    ReleasePrinter();
    CPrintDialog dialog(FALSE, PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIES | PD_HIDEPRINTTOFILE);
    CWinApp* const app = AfxGetApp();
    if (!app || !app->GetPrinterDeviceDefaults(&dialog.m_pd))
    {
        errorMessage = MessageText(MSG_HOST_NO_DEFAULT_PRINTER);
        return false;
    }
    wait.Restore();
    const HDC printer = dialog.CreatePrinterDC();
    if (!printer)
    {
        errorMessage = MessageText(MSG_HOST_PRINTER_DC_FAILED);
        return false;
    }
    printerDC.Attach(printer);
    printerDC.SetBkMode(TRANSPARENT);
    if (font)
    {
        LOGFONTW scaled = *font;
        const HDC screen = ::GetDC(nullptr);
        scaled.lfHeight = ::MulDiv(scaled.lfHeight, printerDC.GetDeviceCaps(LOGPIXELSY),
                                   ::GetDeviceCaps(screen, LOGPIXELSY));
        scaled.lfWidth = ::MulDiv(scaled.lfWidth, printerDC.GetDeviceCaps(LOGPIXELSX),
                                  ::GetDeviceCaps(screen, LOGPIXELSX));
        ::ReleaseDC(nullptr, screen);
        if (printerFont.CreateFontIndirect(&scaled))
            previousFont = printerDC.SelectObject(&printerFont);
    }
    return true;
}

void VValidateMargins::calcMargins()
{
    const double x = printerDC.GetDeviceCaps(LOGPIXELSX);
    const double y = printerDC.GetDeviceCaps(LOGPIXELSY);
    if (x <= 0 || y <= 0)
        return;
    minTop = Round(printerDC.GetDeviceCaps(PHYSICALOFFSETY) / y);
    minLeft = Round(printerDC.GetDeviceCaps(PHYSICALOFFSETX) / x);
    pageWidth = Round(printerDC.GetDeviceCaps(PHYSICALWIDTH) / x);
    pageHeight = Round(printerDC.GetDeviceCaps(PHYSICALHEIGHT) / y);
    printableBottom = Round(printerDC.GetDeviceCaps(VERTRES) / y + minTop);
    printableRight = Round(printerDC.GetDeviceCaps(HORZRES) / x + minLeft);
}

#include "hostkit/FilePrinter.h"

#include <winspool.h>

#include <fstream>

namespace
{
const wchar_t DriverName[] = L"Pardalin File Printer Driver";
const wchar_t DescriptionFile[] = L"pardalin-file-printer.ppd";

// The page description the PostScript driver reads: US Letter (612 by 792 points) with an imageable area
// 18 points (0.25 inch) inside every edge, at 600 dots per inch.
const char Description[] = R"ppd(*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "PARDFILE.PPD"
*Manufacturer: "Pardalin"
*Product: "(File Printer)"
*ModelName: "Pardalin File Printer"
*ShortNickName: "Pardalin File Printer"
*NickName: "Pardalin File Printer"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: True
*DefaultColorSpace: RGB
*FileSystem: False
*TTRasterizer: Type42
*DefaultResolution: 600dpi
*OpenUI *PageSize/Page Size: PickOne
*OrderDependency: 10 AnySetup *PageSize
*DefaultPageSize: Letter
*PageSize Letter/US Letter: "<</PageSize[612 792]/ImagingBBox null>>setpagedevice"
*CloseUI: *PageSize
*OpenUI *PageRegion: PickOne
*OrderDependency: 10 AnySetup *PageRegion
*DefaultPageRegion: Letter
*PageRegion Letter/US Letter: "<</PageSize[612 792]/ImagingBBox null>>setpagedevice"
*CloseUI: *PageRegion
*DefaultImageableArea: Letter
*ImageableArea Letter/US Letter: "18 18 594 774"
*DefaultPaperDimension: Letter
*PaperDimension Letter/US Letter: "612 792"
)ppd";

// Driver files given by bare name live in the version-3 folder under the driver directory.
bool WriteDescription()
{
    wchar_t folder[MAX_PATH] = {};
    DWORD needed = 0;
    if (!::GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(folder), sizeof(folder),
                                      &needed))
        return false;
    std::wstring path = std::wstring(folder) + L"\\3";
    ::CreateDirectoryW(path.c_str(), nullptr);
    path += L"\\";
    path += DescriptionFile;
    std::ofstream file(path.c_str(), std::ios::binary | std::ios::trunc);
    file << Description;
    file.close();
    if (!file)
    {
        ::SetLastError(ERROR_WRITE_FAULT);
        return false;
    }
    return true;
}

std::wstring CurrentDefaultPrinter()
{
    wchar_t name[MAX_PATH] = {};
    DWORD length = MAX_PATH;
    return ::GetDefaultPrinterW(name, &length) ? name : L"";
}
} // namespace

VFilePrinter::VFilePrinter(const wchar_t* name) : m_name(name) {}

VFilePrinter::~VFilePrinter()
{
    Remove();
}

bool VFilePrinter::Install(bool makeDefault)
{
    Remove();
    DeletePrinterNamed(m_name.c_str());
    if (!WriteDescription())
        return false;

    DRIVER_INFO_3W driver = {};
    driver.cVersion = 3;
    driver.pName = const_cast<wchar_t*>(DriverName);
    driver.pDriverPath = const_cast<wchar_t*>(L"wineps.drv");
    driver.pConfigFile = const_cast<wchar_t*>(L"wineps.drv");
    driver.pDataFile = const_cast<wchar_t*>(DescriptionFile);
    if (!::AddPrinterDriverExW(nullptr, 3, reinterpret_cast<BYTE*>(&driver), APD_COPY_NEW_FILES))
        return false;

    PRINTER_INFO_2W printer = {};
    printer.pPrinterName = m_name.data();
    printer.pPortName = const_cast<wchar_t*>(L"FILE:");
    printer.pDriverName = const_cast<wchar_t*>(DriverName);
    printer.pPrintProcessor = const_cast<wchar_t*>(L"WinPrint");
    printer.pDatatype = const_cast<wchar_t*>(L"RAW");
    const HANDLE added = ::AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&printer));
    if (added == nullptr)
        return false;
    ::ClosePrinter(added);
    m_installed = true;

    if (makeDefault)
    {
        m_previousDefault = CurrentDefaultPrinter();
        if (!::SetDefaultPrinterW(m_name.c_str()))
        {
            const DWORD error = ::GetLastError();
            Remove();
            ::SetLastError(error);
            return false;
        }
        m_madeDefault = true;
    }
    return true;
}

void VFilePrinter::Remove()
{
    if (!m_installed)
        return;
    DeletePrinterNamed(m_name.c_str());
    if (m_madeDefault && !m_previousDefault.empty())
        ::SetDefaultPrinterW(m_previousDefault.c_str());
    m_installed = false;
    m_madeDefault = false;
    m_previousDefault.clear();
}

bool VFilePrinter::DeletePrinterNamed(const wchar_t* name)
{
    PRINTER_DEFAULTSW access = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE printer = nullptr;
    if (!::OpenPrinterW(const_cast<wchar_t*>(name), &printer, &access))
        return false;
    const BOOL deleted = ::DeletePrinter(printer);
    ::ClosePrinter(printer);
    return deleted != FALSE;
}

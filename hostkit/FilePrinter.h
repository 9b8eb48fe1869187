// VFilePrinter: a printer that prints PostScript to a file, for hosts and tests on machines without a printer
// (a fresh Wine prefix has none). It describes a US Letter page at 600 dots per inch whose printable area
// lies 0.25 inch inside every edge, and it runs on the PostScript driver that Wine provides ("wineps.drv").
//
//     VFilePrinter printer(L"Demo File Printer");
//     if (printer.Install(true))            // added and made the default printer
//         PrintSomething();                 // CreateDC / PrintDlg(PD_RETURNDEFAULT) now find it
//     // the destructor removes it and gives the default back to the printer that had it
//
// Install first removes a printer of the same name left behind by a process that ended early. Where the
// PostScript driver does not exist (Windows itself), Install fails and changes nothing.
#pragma once

#include <afx.h>

#include <string>

class VFilePrinter
{
public:
    // Construction
    explicit VFilePrinter(const wchar_t* name);
    VFilePrinter(const VFilePrinter&) = delete;
    VFilePrinter& operator=(const VFilePrinter&) = delete;
    ~VFilePrinter();

    // Attributes
    bool IsInstalled() const { return m_installed; }
    const wchar_t* GetName() const { return m_name.c_str(); }

    // Operations
    // Adds the printer (and its driver entry) and, when asked, makes it the default; false with the system's
    // error in GetLastError when any step fails, in which case nothing is left behind.
    bool Install(bool makeDefault);
    // Removes the printer and, when Install made it the default, restores the default it replaced.
    void Remove();

    // The printer's page and printable area, in inches.
    static constexpr double PageWidth = 8.5;
    static constexpr double PageHeight = 11;
    static constexpr double Offset = 0.25;

private:
    static bool DeletePrinterNamed(const wchar_t* name);

    std::wstring m_name;
    std::wstring m_previousDefault;
    bool m_installed = false;
    bool m_madeDefault = false;
};

/// \class VFilePrinter
/// A printer that prints PostScript to a file, for hosts and tests on machines without a printer (a fresh
/// Wine prefix has none). It describes a US Letter page at 600 dots per inch whose printable area lies
/// 0.25 inch inside every edge, and it runs on the PostScript driver that Wine provides ("wineps.drv").
///
/// \code{.cpp}
/// VFilePrinter printer(L"Demo File Printer");
/// if (printer.Install(true))            // added and made the default printer
///     PrintSomething();                 // CreateDC / PrintDlg(PD_RETURNDEFAULT) now find it
/// // the destructor removes it and gives the default back to the printer that had it
/// \endcode
///
/// Install first removes a printer of the same name left behind by a process that ended early. Where the
/// PostScript driver does not exist (Windows itself), Install fails and no printer is added.
#pragma once

#include <afx.h>

#include <string>

class VFilePrinter
{
public:
    // Construction
    /// A printer to be installed under `name`; nothing is installed yet.
    explicit VFilePrinter(const wchar_t* name);
    VFilePrinter(const VFilePrinter&) = delete;
    VFilePrinter& operator=(const VFilePrinter&) = delete;
    /// Removes the printer when it is installed, as Remove does.
    ~VFilePrinter();

    // Attributes
    /// Whether Install succeeded and Remove has not run since.
    bool IsInstalled() const { return m_installed; }
    /// The printer's name, as given to the constructor.
    const wchar_t* GetName() const { return m_name.c_str(); }

    // Operations
    /// Adds the printer (and its driver entry) and, when asked, makes it the default; false with the system's
    /// error in GetLastError when any step fails, in which case the printer is not left installed. A printer
    /// this object installed before is removed first.
    bool Install(bool makeDefault);
    /// Removes the printer and, when Install made it the default, restores the default it replaced. Nothing
    /// happens when it is not installed.
    void Remove();

    // The printer's page and printable area, in inches.
    static constexpr double PageWidth = 8.5; ///< The page's width in inches (US Letter).
    static constexpr double PageHeight = 11; ///< The page's height in inches (US Letter).
    static constexpr double Offset = 0.25;   ///< The printable area's inset from every edge, in inches.

private:
    static bool DeletePrinterNamed(const wchar_t* name);

    std::wstring m_name;
    std::wstring m_previousDefault;
    bool m_installed = false;
    bool m_madeDefault = false;
};

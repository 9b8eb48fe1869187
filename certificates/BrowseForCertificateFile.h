/// \file
/// BrowseForCertificateFile: lets the user pick an existing PFX (or PKCS #12) file for the host's own
/// dialogs.
///
/// \code{.cpp}
/// VUnicodeString path;
/// if (BrowseForCertificateFile(current, this, path) == 1)
///     SetDlgItemText(IDC_CERTIFICATE, path);
/// \endcode
#pragma once

#include "core/PardalinApi.h"
#include "core/VUnicodeString.h"

#include <afxwin.h>

/// Opens the chooser at initialPath (tidied as VFileDialog does); only an existing file can be chosen.
/// Returns 1 and sets path when the user chose a file; otherwise the chooser's result, with path unchanged.
PARDALIN_API INT_PTR BrowseForCertificateFile(const wchar_t* initialPath, CWnd* parent, VUnicodeString& path);

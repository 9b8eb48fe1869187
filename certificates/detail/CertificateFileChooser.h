// The file chooser for certificate files, shared by the exported helper and the certificate dialog.
#pragma once

#include <afxwin.h>

namespace pardalin::detail
{
// Runs the chooser (open dialog, PFX filter, classic style) with initialName and flags; on IDOK chosen
// holds the chosen path. Returns the dialog's result.
INT_PTR ChooseCertificateFile(const wchar_t* initialName, DWORD flags, CWnd* parent, CString& chosen);
} // namespace pardalin::detail

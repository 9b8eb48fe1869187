/// \file
/// Dialog data exchange and validation for the library's value types and the checks its hosts share. They
/// run inside UpdateData like the framework's own; a failed validation tells the user, prepares the control
/// and fails the exchange (CDataExchange::Fail), so the dialog stays open with the control selected.
///
/// \code{.cpp}
/// void CConnectionPage::DoDataExchange(CDataExchange* pDX)
/// {
///     DDX_Text(pDX, IDC_HOST, m_host);            // a VUnicodeString
///     VDDV_ValidateHostName(pDX, IDC_HOST, m_host);
///     DDX_Port(pDX, IDC_PORT, m_port);            // 1 to 65535
///     DDX_Check(pDX, IDC_SECURE, m_bSecure);      // a bool
/// }
/// \endcode
#pragma once

#include "core/PardalinApi.h"
#include "core/VString.h"
#include "core/VTriState.h"
#include "core/VUnicodeString.h"

#include <afxwin.h>

// Exchange
/// Loading sets the edit control's text; saving reads all of it (the VString form through the ANSI
/// window-text functions).
///@{
PARDALIN_API void DDX_Text(CDataExchange* pDX, int id, VUnicodeString& value);
PARDALIN_API void DDX_Text(CDataExchange* pDX, int id, VString& value);
///@}
/// The check state 0, 1 or 2; the variable changes only when saving.
PARDALIN_API void DDX_Check(CDataExchange* pDX, int id, VTriState& value);
/// Loading checks the box for true; saving takes checked and indeterminate as true.
PARDALIN_API void DDX_Check(CDataExchange* pDX, int id, bool& value);
/// A port number: the framework's number exchange, then the range 1 to 65535. The variable changes only
/// when saving.
PARDALIN_API void DDX_Port(CDataExchange* pDX, int id, unsigned short& value);
/// The framework's unsigned number exchange, except that a disabled control is read without validation:
/// the number its text begins with, 0 when none.
///@{
PARDALIN_API void VDDX_EnabledText(CDataExchange* pDX, int id, unsigned int& value);
PARDALIN_API void VDDX_EnabledText(CDataExchange* pDX, int id, unsigned long& value);
///@}

// Validation
/// The framework's length check (DDV_MaxChars) on the value.
///@{
PARDALIN_API void DDV_MaxChars(CDataExchange* pDX, VUnicodeString& value, int max);
PARDALIN_API void DDV_MaxChars(CDataExchange* pDX, VString& value, int max);
///@}
/// Saving: refuses the reserved device names of Windows (con, com9, clock$, ...; "con1" and "COM10"
/// pass), compared without regard to case.
PARDALIN_API void VDDV_ValidateHostName(CDataExchange* pDX, unsigned int id, const wchar_t* name);
/// Saving: a path that is given must name an existing file or folder; null or empty passes.
PARDALIN_API void VDDV_ValidatePath(CDataExchange* pDX, unsigned int id, const wchar_t* path);
/// Both directions: blank passes; a path must exist (when saving) and must load as a certificate, a
/// `capi::store::name` path (any letter case) from the system store. A certificate that does not load is
/// reported with the one-line text of the failure.
PARDALIN_API void VDDV_ValidateCertificatePath(CDataExchange* pDX, unsigned int id, const wchar_t* path);
/// Saving: the folder must be usable as a configuration folder (it is created if need be); otherwise the
/// reason is shown with an exclamation icon. folder itself is not changed.
PARDALIN_API void VDDV_ValidateConfigFolder(CDataExchange* pDX, CString& folder, unsigned int id);

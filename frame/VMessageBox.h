/// \file
/// Message boxes for texts and for message parameters. Without an owner the box goes through the
/// framework's AfxMessageBox (and so through the application's DoMessageBox); with one, the caption
/// defaults to the application name and a box without an icon gets the one its buttons suggest.
///
/// \code{.cpp}
/// VReportMessageParams err;
/// if (!IsValidConfigFolder(folder, err))
///     VMessageBox(this, &err);                              // exclamation icon, the application's name
/// if (VMessageBox(this, L"Discard the changes?", MB_YESNO) == IDYES) // a question icon
///     ...
/// \endcode
#pragma once

#include "core/PardalinApi.h"

class CWnd;
class IReportMessageParams;

/// Shows text and returns the button chosen (IDOK, IDYES, ...). With an owner the box is the owner's,
/// with caption or else the application's name; a type without an icon gets MB_ICONEXCLAMATION for MB_OK
/// and MB_OKCANCEL, MB_ICONQUESTION for MB_YESNO and MB_YESNOCANCEL, and none for the other button sets.
/// Without an owner, AfxMessageBox(text, type) as it is, and caption is not used.
PARDALIN_API int VMessageBox(CWnd* owner, const wchar_t* text, UINT type = MB_OK,
                             const wchar_t* caption = nullptr);
/// AfxMessageBox(text, type); caption is not used.
PARDALIN_API int VMessageBox(const wchar_t* text, UINT type = MB_OK, const wchar_t* caption = nullptr);
/// Shows the full text of params (IReportMessageParams::GetText) as VMessageBox does a text, with or
/// without an owner; null params, or a text that cannot be made, shows an empty box.
///@{
PARDALIN_API int VMessageBox(CWnd* owner, const IReportMessageParams* params, UINT type = MB_OK,
                             const wchar_t* caption = nullptr);
PARDALIN_API int VMessageBox(const IReportMessageParams* params, UINT type = MB_OK,
                             const wchar_t* caption = nullptr);
///@}

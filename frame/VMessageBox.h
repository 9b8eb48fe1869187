// Message boxes for texts and for message parameters. Without an owner the box goes through the framework's
// AfxMessageBox (and so through the application's DoMessageBox); with one, the caption defaults to the
// application name and a box without an icon gets the one its buttons suggest.
#pragma once

#include "core/PardalinApi.h"

class CWnd;
class IReportMessageParams;

PARDALIN_API int VMessageBox(CWnd* owner, const wchar_t* text, UINT type = MB_OK,
                             const wchar_t* caption = nullptr);
PARDALIN_API int VMessageBox(const wchar_t* text, UINT type = MB_OK, const wchar_t* caption = nullptr);
PARDALIN_API int VMessageBox(CWnd* owner, const IReportMessageParams* params, UINT type = MB_OK,
                             const wchar_t* caption = nullptr);
PARDALIN_API int VMessageBox(const IReportMessageParams* params, UINT type = MB_OK,
                             const wchar_t* caption = nullptr);

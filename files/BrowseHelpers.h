/// \file
/// OnBrowseHelper, OnBrowseLocalFolderHelper: what the "browse" button beside a path field does. Each reads
/// the field (a path template, expanded before use), lets the user choose, and writes the choice back.
///
/// A path template is a path with environment variables (`%%NAME%`) and placeholders: `%%Y`, `%%M`, `%%D`,
/// `%%h`, `%%m`, `%%s` and `%%t` for the current UTC date and time, `%%H` and `%%S` for the values the caller
/// gives, and `%%` for a percent sign.
///
/// \code{.cpp}
/// void CPathsPage::OnBrowseLog()
/// {
///     OnBrowseHelper(GetDlgItem(IDC_LOG_FILE), FALSE, L"session.log", L"Log File", L"&Use", L"log",
///                    OFN_OVERWRITEPROMPT, L"Log Files (*.log)|*.log||", this);
/// }
/// void CPathsPage::OnBrowseData()
/// {
///     VReportMessageParams params;
///     if (!OnBrowseLocalFolderHelper(this, GetDlgItem(IDC_DATA_FOLDER), L"Data folder", params, host,
///                                    session) &&
///         params.GetMessageId() != 0)
///         VMessageBox(this, &params, MB_OK, nullptr);
/// }
/// \endcode
#pragma once

#include "core/PardalinApi.h"
#include "frame/VReportMessageParams.h"

#include <afxwin.h>

/// Runs a file dialog (see VFileDialog) on the quiet expansion of the edit's text: a template that does not
/// expand, as any with `%%H` or `%%S` here, gives an empty initial name and so the fallback name. The other
/// arguments are VFileDialog's. On IDOK a path other than that expansion replaces the edit's text. Returns
/// the dialog's result.
PARDALIN_API INT_PTR OnBrowseHelper(CWnd* edit, int bOpenFileDialog, const wchar_t* fallbackName,
                                    const wchar_t* title, const wchar_t* okText, const wchar_t* lpszDefExt,
                                    DWORD dwFlags, const wchar_t* lpszFilter, CWnd* pParentWnd);

/// Runs the folder browser over dialog, opened at the nearest existing folder of the edit's expanded text;
/// valueH and valueS are what `%%H` and `%%S` stand for (colons in valueH become underscores; a null value
/// makes its placeholder an error). True when the edit's text was replaced by the chosen folder; a text that
/// already expands to it (without regard to case) is kept. A template that does not expand leaves its error
/// in params and shows nothing (focus unchanged); otherwise the edit gets the focus.
PARDALIN_API bool OnBrowseLocalFolderHelper(CWnd* dialog, CWnd* edit, const wchar_t* title,
                                            VReportMessageParams& params, const wchar_t* valueH,
                                            const wchar_t* valueS);

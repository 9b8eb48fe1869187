/// \class VFileDialog
/// The framework's file dialog (old style, resizable) that tidies its initial file name, can rename its OK
/// button and does not give up when the system refuses the initial name.
///
/// Tidying the initial name: forward slashes become backslashes; a name that ends in a backslash (a folder)
/// gets the fallback name appended, one that ends in a colon (a drive) is replaced by it, and without a
/// fallback name the trailing backslashes and colons are dropped.
///
/// \code{.cpp}
/// VFileDialog dialog(TRUE, L"settings.ini", L"Select Settings File", L"&Use", L"ini", initialPath,
///                    OFN_HIDEREADONLY, L"Settings (*.ini)|*.ini||", this);
/// dialog.SetInitialDirectory(folder); // kept by the caller until DoModal returns
/// if (dialog.DoModal() == IDOK)
///     Use(dialog.GetPathName());
/// \endcode
#pragma once

#include "core/PardalinApi.h"
#include "core/VUnicodeString.h"

#include <afxdlgs.h>

class PARDALIN_API VFileDialog : public CFileDialog
{
public:
    // Construction
    /// The framework's dialog with these arguments and OFN_ENABLESIZING added; the initial name is tidied.
    VFileDialog(BOOL bOpenFileDialog, wchar_t const* lpszDefExt, wchar_t const* lpszFileName, DWORD dwFlags,
                wchar_t const* lpszFilter, CWnd* pParentWnd);
    /// The same, with a name to fall back on when the initial one is empty, names a folder or a drive, or is
    /// refused; a title; and a text for the OK button. Each may be null.
    VFileDialog(BOOL bOpenFileDialog, wchar_t const* fallbackName, wchar_t const* title,
                wchar_t const* okText, wchar_t const* lpszDefExt, wchar_t const* lpszFileName, DWORD dwFlags,
                wchar_t const* lpszFilter, CWnd* pParentWnd);

    // Operations
    /// The folder the dialog opens in; the string must stay valid until DoModal returns.
    void SetInitialDirectory(wchar_t const* folder);
    /// Runs the dialog. When the system refuses the file name, runs again with the fallback name and then
    /// with none. IDOK or IDCANCEL as the framework's dialog returns them.
    INT_PTR DoModal() override;

    // Overridables
    /// Puts the OK button's text in place when one was given.
    BOOL OnInitDialog() override;

private:
    void ValidateAndResetFilename();

    CString m_strTitle;
    VUnicodeString m_okText;
    CString m_strFallbackName;
};

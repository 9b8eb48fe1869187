#include "files/BrowseHelpers.h"

#include "controls/VFileDialog.h"
#include "files/detail/FolderBrowser.h"
#include "files/detail/PathExpansion.h"

namespace
{
VUnicodeString TextOf(CWnd* edit)
{
    CString text;
    edit->GetWindowText(text);
    return VUnicodeString(text);
}
} // namespace

INT_PTR OnBrowseHelper(CWnd* edit, int bOpenFileDialog, const wchar_t* fallbackName, const wchar_t* title,
                       const wchar_t* okText, const wchar_t* lpszDefExt, DWORD dwFlags,
                       const wchar_t* lpszFilter, CWnd* pParentWnd)
{
    const VUnicodeString expanded = pardalin::detail::ExpandPathTemplate(TextOf(edit), nullptr, nullptr);
    VFileDialog dialog(bOpenFileDialog, fallbackName, title, okText, lpszDefExt, expanded.GetString(),
                       dwFlags, lpszFilter, pParentWnd);
    const INT_PTR result = dialog.DoModal();
    if (result == IDOK)
    {
        const CString chosen = dialog.GetPathName();
        if (expanded.Compare(chosen.GetString()) != 0)
            edit->SetWindowText(chosen);
    }
    return result;
}

bool OnBrowseLocalFolderHelper(CWnd* dialog, CWnd* edit, const wchar_t* title, VReportMessageParams& params,
                               const wchar_t* valueH, const wchar_t* valueS)
{
    const VUnicodeString typed = TextOf(edit);
    const VUnicodeString expanded = pardalin::detail::ExpandPathTemplate(typed, params, valueH, valueS);
    VUnicodeString folder = pardalin::detail::NearestExistingFolder(expanded.GetString());
    // The caller shows the template's error; the browser would only hide it.
    if (params.GetMessageId() != 0)
        return false;

    bool replaced = false;
    if (pardalin::detail::BrowseForFolder(dialog->GetSafeHwnd(), title, folder) &&
        !pardalin::detail::ExpandsTo(typed.GetString(), folder.GetString(), valueH, valueS))
    {
        edit->SetWindowText(folder.GetString());
        replaced = true;
    }
    edit->SetFocus();
    return replaced;
}

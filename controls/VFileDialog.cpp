#include "controls/VFileDialog.h"

#include <cderr.h>

#include <algorithm>

namespace
{
// Writes text into the dialog's file-name buffer, cut to its size.
void SetFileName(OPENFILENAME& ofn, const CString& text)
{
    if (ofn.lpstrFile == nullptr || ofn.nMaxFile == 0)
    {
        return;
    }
    const auto length = std::min(static_cast<DWORD>(text.GetLength()), ofn.nMaxFile - 1);
    std::copy_n(text.GetString(), length, ofn.lpstrFile);
    ofn.lpstrFile[length] = L'\0';
}
} // namespace

VFileDialog::VFileDialog(BOOL bOpenFileDialog, wchar_t const* lpszDefExt, wchar_t const* lpszFileName,
                         DWORD dwFlags, wchar_t const* lpszFilter, CWnd* pParentWnd)
    : CFileDialog(bOpenFileDialog, lpszDefExt, lpszFileName, dwFlags, lpszFilter, pParentWnd, 0, FALSE)
{
    m_ofn.Flags |= OFN_ENABLESIZING;
    ValidateAndResetFilename();
}

VFileDialog::VFileDialog(BOOL bOpenFileDialog, wchar_t const* fallbackName, wchar_t const* title,
                         wchar_t const* okText, wchar_t const* lpszDefExt, wchar_t const* lpszFileName,
                         DWORD dwFlags, wchar_t const* lpszFilter, CWnd* pParentWnd)
    : CFileDialog(bOpenFileDialog, lpszDefExt, lpszFileName, dwFlags, lpszFilter, pParentWnd, 0, FALSE)
{
    m_ofn.Flags |= OFN_ENABLESIZING;
    if (fallbackName != nullptr)
    {
        m_strFallbackName = fallbackName;
    }
    if (title != nullptr)
    {
        m_strTitle = title;
        m_ofn.lpstrTitle = m_strTitle.GetString();
    }
    if (okText != nullptr)
    {
        m_okText = okText;
    }
    ValidateAndResetFilename();
}

void VFileDialog::SetInitialDirectory(wchar_t const* folder)
{
    m_ofn.lpstrInitialDir = folder;
}

INT_PTR VFileDialog::DoModal()
{
    INT_PTR result = CFileDialog::DoModal();
    if (result != IDCANCEL)
    {
        return result;
    }
    // A name the system refuses would close the dialog before the user saw it.
    DWORD error = ::CommDlgExtendedError();
    if (error == FNERR_INVALIDFILENAME && !m_strFallbackName.IsEmpty())
    {
        SetFileName(m_ofn, m_strFallbackName);
        result = CFileDialog::DoModal();
        if (result != IDCANCEL)
        {
            return result;
        }
        error = ::CommDlgExtendedError();
    }
    if (error == FNERR_INVALIDFILENAME)
    {
        std::fill_n(m_ofn.lpstrFile, m_ofn.nMaxFile, L'\0');
        return CFileDialog::DoModal();
    }
    return result;
}

BOOL VFileDialog::OnInitDialog()
{
    CFileDialog::OnInitDialog();
    if (!m_okText.IsEmpty())
    {
        SetControlText(IDOK, m_okText.GetString());
    }
    return TRUE;
}

void VFileDialog::ValidateAndResetFilename()
{
    CString name(m_ofn.lpstrFile);
    if (name.IsEmpty())
    {
        if (!m_strFallbackName.IsEmpty())
        {
            SetFileName(m_ofn, m_strFallbackName);
        }
        return;
    }
    if (name.Replace(L'/', L'\\') > 0)
    {
        SetFileName(m_ofn, name);
    }
    const wchar_t last = name[name.GetLength() - 1];
    if (last != L'\\' && last != L':')
    {
        return;
    }
    // A folder or a drive names no file: the fallback goes into the folder or takes the drive's place.
    if (!m_strFallbackName.IsEmpty())
    {
        SetFileName(m_ofn, last == L'\\' ? name + m_strFallbackName : m_strFallbackName);
        return;
    }
    name.TrimRight(L"\\:");
    SetFileName(m_ofn, name);
}

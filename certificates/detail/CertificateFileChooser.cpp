#include "certificates/detail/CertificateFileChooser.h"

#include "controls/VFileDialog.h"

namespace pardalin::detail
{
INT_PTR ChooseCertificateFile(const wchar_t* initialName, DWORD flags, CWnd* parent, CString& chosen)
{
    VFileDialog dialog(TRUE, nullptr, L"Select Certificate File", nullptr, L"*.pfx; *.p12", initialName,
                       flags, L"PFX Files (*.pfx;*.p12)|*.pfx;*.p12|All Files (*.*)|*.*||", parent);
    const INT_PTR result = dialog.DoModal();
    if (result == IDOK)
        chosen = dialog.GetPathName();
    return result;
}
} // namespace pardalin::detail

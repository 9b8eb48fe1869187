#include "certificates/BrowseForCertificateFile.h"

#include "certificates/detail/CertificateFileChooser.h"

INT_PTR BrowseForCertificateFile(const wchar_t* initialPath, CWnd* parent, VUnicodeString& path)
{
    CString chosen;
    const INT_PTR result = pardalin::detail::ChooseCertificateFile(
        initialPath, OFN_FILEMUSTEXIST | OFN_SHOWHELP, parent, chosen);
    if (result != IDOK)
        return result;
    path = chosen;
    return 1;
}

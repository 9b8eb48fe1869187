#include "frame/ddx/DataExchange.h"

#include "certificates/VCertificate.h"
#include "certificates/VFileInformation.h"
#include "files/ConfigFolder.h"
#include "files/detail/PathExpansion.h"
#include "frame/VReportMessageParams.h"

#include <cwchar>
#include <cwctype>
#include <vector>

namespace
{
// A failed validation: the user is told first, then the prepared control takes the focus.
[[noreturn]] void FailWith(CDataExchange* pDX, const wchar_t* text, UINT type)
{
    AfxMessageBox(text, type);
    pDX->Fail();
}

template <class Number> void ExchangeEnabledText(CDataExchange* pDX, int id, Number& value)
{
    if (pDX->m_bSaveAndValidate)
    {
        HWND hWndCtrl = pDX->PrepareEditCtrl(id);
        if (!::IsWindowEnabled(hWndCtrl))
        {
            // A disabled field holds no input of the user's: whatever number it shows is taken as it is.
            std::vector<wchar_t> text(static_cast<size_t>(::GetWindowTextLengthW(hWndCtrl)) + 1);
            ::GetWindowTextW(hWndCtrl, text.data(), static_cast<int>(text.size()));
            value = static_cast<Number>(wcstoul(text.data(), nullptr, 10));
            return;
        }
    }
    DDX_Text(pDX, id, value);
}
} // namespace

void DDX_Text(CDataExchange* pDX, int id, VUnicodeString& value)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(id);
    if (!pDX->m_bSaveAndValidate)
    {
        ::SetWindowTextW(hWndCtrl, value.GetString());
        return;
    }
    const int size = ::GetWindowTextLengthW(hWndCtrl) + 1;
    std::vector<wchar_t> text(static_cast<size_t>(size));
    const int length = ::GetWindowTextW(hWndCtrl, text.data(), size);
    value = VUnicodeString(text.data(), length);
}

void DDX_Text(CDataExchange* pDX, int id, VString& value)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(id);
    if (!pDX->m_bSaveAndValidate)
    {
        ::SetWindowTextA(hWndCtrl, value.GetString());
        return;
    }
    const int size = ::GetWindowTextLengthA(hWndCtrl) + 1;
    std::vector<char> text(static_cast<size_t>(size));
    const int length = ::GetWindowTextA(hWndCtrl, text.data(), size);
    value = VString(text.data(), length);
}

void DDX_Check(CDataExchange* pDX, int id, VTriState& value)
{
    int state = value;
    DDX_Check(pDX, id, state);
    if (pDX->m_bSaveAndValidate)
    {
        value = static_cast<VTriState>(state);
    }
}

void DDX_Check(CDataExchange* pDX, int id, bool& value)
{
    int state = value ? BST_CHECKED : BST_UNCHECKED;
    DDX_Check(pDX, id, state);
    if (pDX->m_bSaveAndValidate)
    {
        value = state != BST_UNCHECKED;
    }
}

void DDX_Port(CDataExchange* pDX, int id, unsigned short& value)
{
    UINT port = value;
    DDX_Text(pDX, id, port);
    DDV_MinMaxUInt(pDX, port, 1, 65535);
    if (pDX->m_bSaveAndValidate)
    {
        value = static_cast<unsigned short>(port);
    }
}

void VDDX_EnabledText(CDataExchange* pDX, int id, unsigned int& value)
{
    ExchangeEnabledText(pDX, id, value);
}

void VDDX_EnabledText(CDataExchange* pDX, int id, unsigned long& value)
{
    ExchangeEnabledText(pDX, id, value);
}

void DDV_MaxChars(CDataExchange* pDX, VUnicodeString& value, int max)
{
    DDV_MaxChars(pDX, CString(value.GetString(), value.GetLength()), max);
}

void DDV_MaxChars(CDataExchange* pDX, VString& value, int max)
{
    DDV_MaxChars(pDX, CString(value.GetString(), value.GetLength()), max);
}

void VDDV_ValidateHostName(CDataExchange* pDX, unsigned int id, const wchar_t* name)
{
    if (!pDX->m_bSaveAndValidate || name == nullptr || !pardalin::detail::IsReservedDeviceName(name))
    {
        return;
    }
    pDX->PrepareEditCtrl(static_cast<int>(id));
    CString text(name);
    text += L" is a reserved device name on Windows and cannot be used as a hostname.";
    FailWith(pDX, text, MB_OK);
}

void VDDV_ValidatePath(CDataExchange* pDX, unsigned int id, const wchar_t* path)
{
    if (!pDX->m_bSaveAndValidate || path == nullptr || *path == L'\0')
    {
        return;
    }
    pDX->PrepareEditCtrl(static_cast<int>(id));
    if (!VFileInformation(path).Exists())
    {
        CString text(L"The file '");
        text += path;
        text += L"' was not found.";
        FailWith(pDX, text, MB_OK);
    }
}

void VDDV_ValidateCertificatePath(CDataExchange* pDX, unsigned int id, const wchar_t* path)
{
    if (path == nullptr)
    {
        return;
    }
    while (iswspace(*path))
    {
        ++path;
    }
    if (*path == L'\0')
    {
        return;
    }
    // A system-store path names no file; anything else must exist before it is loaded.
    if (wcslen(path) < 6 || _wcsnicmp(path, L"CAPI::", 6) != 0)
    {
        VDDV_ValidatePath(pDX, id, path);
    }
    VReportMessageParams err;
    if (!VCheckCertificatePath(path, err))
    {
        AfxMessageBox(err.GetSingleLineText(), MB_OK);
        pDX->PrepareEditCtrl(static_cast<int>(id));
        pDX->Fail();
    }
}

void VDDV_ValidateConfigFolder(CDataExchange* pDX, CString& folder, unsigned int id)
{
    if (!pDX->m_bSaveAndValidate)
    {
        return;
    }
    VUnicodeString copy(folder);
    VReportMessageParams params;
    if (!IsValidConfigFolder(copy, params))
    {
        AfxMessageBox(params.GetText(), MB_ICONEXCLAMATION);
        pDX->PrepareEditCtrl(static_cast<int>(id));
        pDX->Fail();
    }
}

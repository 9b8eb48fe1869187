#include "frame/VMessageBox.h"

#include "frame/IReportMessageParams.h"
#include "frame/Pardalin.h"

#include <afxwin.h>

namespace
{
constexpr UINT kIconMask = 0xF0;
constexpr UINT kButtonMask = 0x0F;

// OK and OK/Cancel warn; the yes/no sets ask; the others stay plain.
UINT WithDefaultIcon(UINT type)
{
    if (type & kIconMask)
        return type;
    switch (type & kButtonMask)
    {
    case MB_OK:
    case MB_OKCANCEL:
        return type | MB_ICONEXCLAMATION;
    case MB_YESNOCANCEL:
    case MB_YESNO:
        return type | MB_ICONQUESTION;
    default:
        return type;
    }
}

const wchar_t* TextOf(const IReportMessageParams* params)
{
    const wchar_t* text = params ? params->GetText() : nullptr;
    return text ? text : L"";
}
} // namespace

int VMessageBox(CWnd* owner, const wchar_t* text, UINT type, const wchar_t* caption)
{
    if (!owner)
        return AfxMessageBox(text, type, 0);
    return owner->MessageBox(text, caption ? caption : VGetAppName(), WithDefaultIcon(type));
}

int VMessageBox(const wchar_t* text, UINT type, const wchar_t*)
{
    return AfxMessageBox(text, type, 0);
}

int VMessageBox(CWnd* owner, const IReportMessageParams* params, UINT type, const wchar_t* caption)
{
    return VMessageBox(owner, TextOf(params), type, caption);
}

int VMessageBox(const IReportMessageParams* params, UINT type, const wchar_t*)
{
    return AfxMessageBox(TextOf(params), type, 0);
}

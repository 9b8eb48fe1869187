#include "dialogs/VDialog.h"

#include "frame/Pardalin.h"

namespace
{
// Loads and locks resource nID of lpszType from hModule; null when the module has none.
HGLOBAL LoadModuleResource(HINSTANCE hModule, UINT nID, LPCWSTR lpszType)
{
    HRSRC hResource = ::FindResourceW(hModule, MAKEINTRESOURCEW(nID), lpszType);
    HGLOBAL hData = hResource != nullptr ? ::LoadResource(hModule, hResource) : nullptr;
    return hData != nullptr && ::LockResource(hData) != nullptr ? hData : nullptr;
}
} // namespace

VDialog::VDialog(UINT nID, HINSTANCE hModule, CWnd* pParent)
    : CDialog(), m_hTemplateResource(nullptr), m_hInitResource(nullptr), m_hResourceModule(hModule)
{
    LoadResource(nID, hModule, pParent);
}

VDialog::VDialog(UINT nID, HINSTANCE hModule, bool bNoLoad, CWnd* pParent)
    : CDialog(), m_hTemplateResource(nullptr), m_hInitResource(nullptr), m_hResourceModule(hModule)
{
    if (!bNoLoad)
    {
        LoadResource(nID, hModule, pParent);
    }
}

VDialog::~VDialog() = default;

void VDialog::LoadResource(UINT nID, HINSTANCE hModule, CWnd* pParent)
{
    m_hTemplateResource = nullptr;
    m_hInitResource = nullptr;
    if (hModule == nullptr)
    {
        // There is no module to switch to; the dialog keeps no template and DoModal fails.
        TRACE(L"VDialog::LoadResource: no resource module for template %u.\n", nID);
        InitModalIndirect(static_cast<LPCDLGTEMPLATE>(nullptr), pParent, nullptr);
        return;
    }
    VModuleResourceHandle resources(hModule);
    HINSTANCE hFound = AfxFindResourceHandle(MAKEINTRESOURCEW(nID), RT_DIALOG);
    m_hTemplateResource = LoadModuleResource(hFound, nID, RT_DIALOG);
    m_hInitResource = LoadModuleResource(hFound, nID, RT_DLGINIT);
    auto lpTemplate = m_hTemplateResource != nullptr
                          ? static_cast<LPCDLGTEMPLATE>(::LockResource(m_hTemplateResource))
                          : nullptr;
    void* lpInit = m_hInitResource != nullptr ? ::LockResource(m_hInitResource) : nullptr;
    InitModalIndirect(lpTemplate, pParent, lpInit);
}

BOOL VDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    if (m_hResourceModule == nullptr)
    {
        TRACE(L"VDialog::Create: no resource module for template %u.\n", nIDTemplate);
        ::SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    VModuleResourceHandle resources(m_hResourceModule);
    return CDialog::Create(nIDTemplate, pParentWnd);
}

BOOL VDialog::Create()
{
    return Create(LOWORD(m_nIDHelp), m_pParentWnd);
}

INT_PTR VDialog::DoModal()
{
    // A menu or a drag that the parent is tracking would otherwise keep the mouse from the dialog.
    if (m_pParentWnd != nullptr && ::IsWindow(m_pParentWnd->GetSafeHwnd()))
    {
        m_pParentWnd->SendMessage(WM_CANCELMODE);
        m_pParentWnd->SendMessageToDescendants(WM_CANCELMODE, 0, 0, TRUE, TRUE);
    }
    HWND hWndCapture = ::GetCapture();
    if (hWndCapture != nullptr)
    {
        ::SendMessageW(hWndCapture, WM_CANCELMODE, 0, 0);
    }
    return CDialog::DoModal();
}

void VDialog::ResizeElements(int nID, VArray<int> const& belowIDs, VUnicodeString const& text)
{
    CWnd* pControl = GetDlgItem(nID);
    if (pControl == nullptr)
    {
        TRACE(L"VDialog::ResizeElements: the dialog has no control %d.\n", nID);
        return;
    }
    CRect rcControl;
    pControl->GetWindowRect(&rcControl);
    ScreenToClient(&rcControl);

    CRect rcText = rcControl;
    CDC* pDC = pControl->GetDC();
    // A control without a font of its own draws with the DC's default font, which the DC already holds.
    CFont* pFont = pControl->GetFont();
    CFont* pOldFont = pFont != nullptr ? pDC->SelectObject(pFont) : nullptr;
    pDC->DrawText(text.GetString(), text.GetLength(), &rcText, DT_CALCRECT | DT_WORDBREAK);
    if (pOldFont != nullptr)
    {
        pDC->SelectObject(pOldFont);
    }
    pControl->ReleaseDC(pDC);

    int delta = rcText.bottom - rcControl.bottom;
    pControl->MoveWindow(rcControl.left, rcControl.top, rcControl.Width(), rcText.Height(), TRUE);
    for (int i = 0; i < belowIDs.GetCount(); ++i)
    {
        CWnd* pBelow = GetDlgItem(belowIDs[i]);
        if (pBelow == nullptr)
        {
            continue;
        }
        CRect rcBelow;
        pBelow->GetWindowRect(&rcBelow);
        ScreenToClient(&rcBelow);
        rcBelow.OffsetRect(0, delta);
        pBelow->MoveWindow(&rcBelow, TRUE);
    }
    CRect rcDialog;
    GetWindowRect(&rcDialog);
    rcDialog.bottom += delta;
    MoveWindow(&rcDialog, TRUE);
}

#include "dialogs/VPluginPage.h"

#include "frame/Pardalin.h"

#include <optional>

namespace
{
// The module as the current resource module for the scope; a null module changes nothing.
class ModuleScope
{
public:
    explicit ModuleScope(HINSTANCE hModule)
    {
        if (hModule != nullptr)
        {
            m_switch.emplace(hModule);
        }
    }

private:
    std::optional<VModuleResourceHandle> m_switch;
};
} // namespace

VPluginPage::VPluginPage(UINT nIDTemplate, HINSTANCE hModule)
    : VPropertyTreePage(nIDTemplate), m_hResourceModule(hModule)
{
}

BOOL VPluginPage::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    ModuleScope scope(m_hResourceModule);
    return CDialog::Create(lpszTemplateName, pParentWnd);
}

BOOL VPluginPage::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    ModuleScope scope(m_hResourceModule);
    return CDialog::Create(nIDTemplate, pParentWnd);
}

void VPluginPage::PreModal(CDialog* pDialog)
{
    ModuleScope scope(m_hResourceModule);
    Create(MAKEINTRESOURCEW(GetResourceID()), pDialog);
}

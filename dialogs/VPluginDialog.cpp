#include "dialogs/VPluginDialog.h"

VPluginDialog::VPluginDialog(UINT nIDTemplate, HINSTANCE hModule, CWnd* pParent)
    : VDialog(nIDTemplate, hModule, pParent), m_pHostnameChangedSink(nullptr)
{
    m_nIDHelp = nIDTemplate;
}

bool VPluginDialog::SavePageData()
{
    return UpdateData(TRUE) != FALSE;
}

BOOL VPluginDialog::OnSetActive()
{
    return TRUE;
}

BOOL VPluginDialog::OnKillActive()
{
    return TRUE;
}

void VPluginDialog::SetHostnameChangedSink(IHostnameChanged* pSink)
{
    m_pHostnameChangedSink = pSink;
}

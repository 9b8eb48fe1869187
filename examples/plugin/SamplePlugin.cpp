// The sample plug-in: a page and a dialog with the same two settings, each validated when it is left.
#include <afxdllx.h>

#include "dialogs/VPluginDialog.h"
#include "dialogs/VPluginPage.h"

#include "SamplePlugin.h"
#include "SamplePluginIds.h"

namespace
{
AFX_EXTENSION_MODULE pluginModule = {};

void ExchangeSettings(CDataExchange* pDX, int& nLimit, BOOL& bResume)
{
    DDX_Text(pDX, IDC_SAMPLE_LIMIT, nLimit);
    DDV_MinMaxInt(pDX, nLimit, 1, 16);
    DDX_Check(pDX, IDC_SAMPLE_RESUME, bResume);
}

class CTransferPage : public VPluginPage
{
public:
    CTransferPage() : VPluginPage(IDD_SAMPLE_PAGE, pluginModule.hModule) {}

protected:
    void DoDataExchange(CDataExchange* pDX) override { ExchangeSettings(pDX, m_nLimit, m_bResume); }

private:
    int m_nLimit = 4;
    BOOL m_bResume = TRUE;
};

class CTransferDialog : public VPluginDialog
{
public:
    explicit CTransferDialog(CWnd* pParent) : VPluginDialog(IDD_SAMPLE_DIALOG, pluginModule.hModule, pParent)
    {
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override { ExchangeSettings(pDX, m_nLimit, m_bResume); }

private:
    int m_nLimit = 2;
    BOOL m_bResume = FALSE;
};
} // namespace

extern "C" __declspec(dllexport) void SamplePluginMake(VPluginPage** ppPage, VPluginDialog** ppDialog,
                                                       CWnd* pParent)
{
    if (ppPage != nullptr)
    {
        *ppPage = new CTransferPage;
    }
    if (ppDialog != nullptr)
    {
        *ppDialog = new CTransferDialog(pParent);
    }
}

// The plug-in joins the framework as an extension module but stays out of the resource chain, so that its
// template ids never hide (or are hidden by) the host's: its pages and dialogs name its module instead.
extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    if (dwReason == DLL_PROCESS_ATTACH)
    {
        return AfxInitExtensionModule(pluginModule, hInstance);
    }
    if (dwReason == DLL_PROCESS_DETACH)
    {
        AfxTermExtensionModule(pluginModule);
    }
    return TRUE;
}

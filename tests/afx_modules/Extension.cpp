// An extension DLL as a host's component library is one: its classes and resources join the application's
// chains while it is loaded.
#include <afxdllx.h>

#include "ModuleIds.h"

class CExtensionWidget : public CObject
{
    DECLARE_DYNCREATE(CExtensionWidget)
};

class CExtensionGadget : public CExtensionWidget
{
    DECLARE_DYNCREATE(CExtensionGadget)
};

IMPLEMENT_DYNCREATE(CExtensionWidget, CObject)
IMPLEMENT_DYNCREATE(CExtensionGadget, CExtensionWidget)

namespace
{
AFX_EXTENSION_MODULE extensionModule = {};
} // namespace

// Lets the tests look at what the start-up recorded.
extern "C" __declspec(dllexport) const AFX_EXTENSION_MODULE* TestExtensionModule()
{
    return &extensionModule;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    if (dwReason == DLL_PROCESS_ATTACH)
    {
        if (!AfxInitExtensionModule(extensionModule, hInstance))
        {
            return FALSE;
        }
        new CDynLinkLibrary(extensionModule);
    }
    else if (dwReason == DLL_PROCESS_DETACH)
    {
        AfxTermExtensionModule(extensionModule);
    }
    return TRUE;
}

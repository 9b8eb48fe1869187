// Extension DLLs: libraries that share the application's framework state and add their resources and
// run-time classes to the application's search chains.
//
// An extension DLL includes <afxdllx.h> in the source file that holds its DllMain and does, on process
// attach:
//
//     static AFX_EXTENSION_MODULE extensionModule = {};
//     if (!AfxInitExtensionModule(extensionModule, hInstance))
//         return FALSE;
//     new CDynLinkLibrary(extensionModule);
//
// and on process detach AfxTermExtensionModule(extensionModule). The CDynLinkLibrary belongs to the
// framework once made; AfxTermExtensionModule deletes it.
#pragma once

#ifndef AFX_UMBRELLA_AFXWIN_H
#error This header is part of <afxwin.h>; include that instead.
#endif

class COleObjectFactory;

// What an extension DLL's start-up collected: its module and the classes its static constructors registered.
struct AFX_EXTENSION_MODULE
{
    BOOL bInitialized;
    HMODULE hModule;
    HMODULE hResource;
    CRuntimeClass* pFirstSharedClass;
    COleObjectFactory* pFirstSharedFactory;
};

// One link of the application's chain of libraries. Resources are searched in the current resource module,
// then in every non-system library (newest first), then in the system libraries; run-time classes by name
// in the application's list and then in each library's.
class AFX_API CDynLinkLibrary : public CCmdTarget
{
    DECLARE_DYNAMIC(CDynLinkLibrary)
public:
    // Takes the module's classes from the record and links itself at the head of the chain.
    explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem = FALSE);
    // A library of resources only (no classes), for example a resource DLL loaded as data.
    CDynLinkLibrary(HINSTANCE hModule, HINSTANCE hResource);
    // Unlinks itself from the chain.
    ~CDynLinkLibrary() override;

    HMODULE m_hModule;
    HMODULE m_hResource;
    CTypedSimpleList<CRuntimeClass*> m_classList;
    CTypedSimpleList<COleObjectFactory*> m_factoryList;
    BOOL m_bSystem;
    CDynLinkLibrary* m_pNextDLL; // link in AFX_MODULE_STATE::m_libraryList
};

// The extension-library preamble (run by <afxdllx.h> before the DLL's own static constructors): moves the
// application's run-time class and factory lists aside and empties the live ones, so that the classes the
// DLL registers are collected for it. While an earlier preamble is still waiting for its
// AfxInitExtensionModule the application's lists are already aside and stay there untouched.
AFX_API void AFXAPI AfxExtensionModulePreamble();

// Records hModule as the extension module and moves the classes collected since the preamble into the
// record, giving the application back its own lists. A second call for an initialised record changes
// nothing. Without a preamble the DLL's classes stay in the application's list (still found by name) and
// the record gets none. FALSE only when hModule is null.
AFX_API BOOL AFXAPI AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule);

// Unlinks and deletes the CDynLinkLibrary objects of the module (every library's with bAll), so that the
// module can be unloaded. Nothing happens for a record that was never initialised.
AFX_API void AFXAPI AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll = FALSE);

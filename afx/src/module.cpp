// Extension modules and the chain of CDynLinkLibrary objects.
#include "afxwin.h"
#include "afximpl.h"

#include <cstddef>

namespace
{
class GlobalsLock
{
public:
    explicit GlobalsLock(int nLockType) : m_nLockType(nLockType) { AfxLockGlobals(nLockType); }
    ~GlobalsLock() { AfxUnlockGlobals(m_nLockType); }
    GlobalsLock(const GlobalsLock&) = delete;
    GlobalsLock& operator=(const GlobalsLock&) = delete;

private:
    int m_nLockType;
};

void LinkLibrary(CDynLinkLibrary* pDLL)
{
    CTypedSimpleList<CDynLinkLibrary*>& libraries = AfxGetModuleState()->m_libraryList;
    GlobalsLock lock(CRIT_DYNLINKLIST);
    // offsetof is not defined for a class with virtual functions, so the list learns where the link lives
    // from a real library; it is the same for every one.
    libraries.m_nNextOffset =
        static_cast<size_t>(reinterpret_cast<BYTE*>(&pDLL->m_pNextDLL) - reinterpret_cast<BYTE*>(pDLL));
    libraries.AddHead(pDLL);
}
} // namespace

CRuntimeClass* afximpl::FindLibraryClass(LPCSTR lpszClassName)
{
    GlobalsLock lock(CRIT_DYNLINKLIST);
    const CTypedSimpleList<CDynLinkLibrary*>& libraries = AfxGetModuleState()->m_libraryList;
    for (CDynLinkLibrary* pDLL = libraries.GetHead(); pDLL != nullptr; pDLL = libraries.GetNext(pDLL))
    {
        const CTypedSimpleList<CRuntimeClass*>& classes = pDLL->m_classList;
        for (CRuntimeClass* pClass = classes.GetHead(); pClass != nullptr; pClass = classes.GetNext(pClass))
        {
            if (lstrcmpA(lpszClassName, pClass->m_lpszClassName) == 0)
            {
                return pClass;
            }
        }
    }
    return nullptr;
}

/////////////////////////////////////////////////////////////////////////////
// Extension-module start-up

void AFXAPI AfxExtensionModulePreamble()
{
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    GlobalsLock lock(CRIT_RUNTIMECLASSLIST);
    if (pState->m_bExtensionInitPending)
    {
        // An earlier DLL has not finished its start-up (or never will): the lists aside are the
        // application's and must not be replaced by what that DLL registered.
        TRACE(L"Extension DLL start-up: the previous extension DLL did not call AfxInitExtensionModule; "
              L"its classes go to the next one.\n");
        return;
    }
    pState->m_pClassInit = pState->m_classList.GetHead();
    pState->m_pFactoryInit = pState->m_factoryList.GetHead();
    pState->m_classList.RemoveAll();
    pState->m_factoryList.RemoveAll();
    pState->m_bExtensionInitPending = TRUE;
}

BOOL AFXAPI AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule)
{
    if (state.bInitialized)
    {
        return TRUE;
    }
    if (hModule == nullptr)
    {
        TRACE(L"AfxInitExtensionModule: no module handle.\n");
        return FALSE;
    }
    state.bInitialized = TRUE;
    state.hModule = hModule;
    state.hResource = hModule;
    state.pFirstSharedClass = nullptr;
    state.pFirstSharedFactory = nullptr;

    AFX_MODULE_STATE* pState = AfxGetModuleState();
    GlobalsLock lock(CRIT_RUNTIMECLASSLIST);
    if (!pState->m_bExtensionInitPending)
    {
        TRACE(L"AfxInitExtensionModule: the DLL did not run the extension preamble (afxdllx.h); its classes "
              L"stay in the application's list.\n");
        return TRUE;
    }
    state.pFirstSharedClass = pState->m_classList.GetHead();
    state.pFirstSharedFactory = pState->m_factoryList.GetHead();
    pState->m_classList.m_pHead = pState->m_pClassInit;
    pState->m_factoryList.m_pHead = pState->m_pFactoryInit;
    pState->m_pClassInit = nullptr;
    pState->m_pFactoryInit = nullptr;
    pState->m_bExtensionInitPending = FALSE;
    return TRUE;
}

void AFXAPI AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll)
{
    if (!state.bInitialized)
    {
        return;
    }
    CTypedSimpleList<CDynLinkLibrary*>& libraries = AfxGetModuleState()->m_libraryList;
    GlobalsLock lock(CRIT_DYNLINKLIST);
    CDynLinkLibrary* pDLL = libraries.GetHead();
    while (pDLL != nullptr)
    {
        CDynLinkLibrary* pNext = libraries.GetNext(pDLL);
        if (bAll || pDLL->m_hModule == state.hModule)
        {
            delete pDLL; // unlinks itself
        }
        pDLL = pNext;
    }
}

/////////////////////////////////////////////////////////////////////////////
// CDynLinkLibrary

IMPLEMENT_DYNAMIC(CDynLinkLibrary, CCmdTarget)

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem)
    : m_hModule(state.hModule), m_hResource(state.hResource),
      m_classList(static_cast<int>(offsetof(CRuntimeClass, m_pNextClass))), m_bSystem(bSystem),
      m_pNextDLL(nullptr)
{
    ASSERT(state.bInitialized && state.hModule != nullptr);
    m_classList.m_pHead = state.pFirstSharedClass;
    m_factoryList.m_pHead = state.pFirstSharedFactory;
    LinkLibrary(this);
}

CDynLinkLibrary::CDynLinkLibrary(HINSTANCE hModule, HINSTANCE hResource)
    : m_hModule(hModule), m_hResource(hResource),
      m_classList(static_cast<int>(offsetof(CRuntimeClass, m_pNextClass))), m_bSystem(FALSE),
      m_pNextDLL(nullptr)
{
    LinkLibrary(this);
}

CDynLinkLibrary::~CDynLinkLibrary()
{
    GlobalsLock lock(CRIT_DYNLINKLIST);
    AfxGetModuleState()->m_libraryList.Remove(this);
}

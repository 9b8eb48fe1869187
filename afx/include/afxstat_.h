// Framework state: what the application and the extension DLLs loaded into it share (module state), and
// what each thread keeps for itself (module thread state).
#pragma once

#ifndef AFX_UMBRELLA_AFX_H
#error This header is part of <afx.h>; include that instead.
#endif

#include <cstddef>

struct CRuntimeClass;
class CWinThread;

// An intrusive singly linked list: the link lives inside the listed object at a fixed offset, so adding a
// class or a library to a chain never allocates (it happens during static initialisation and DLL loading).
class AFX_API CSimpleList
{
public:
    explicit CSimpleList(int nNextOffset = 0)
        : m_pHead(nullptr), m_nNextOffset(static_cast<size_t>(nNextOffset))
    {
    }
    void Construct(int nNextOffset);

    BOOL IsEmpty() const { return m_pHead == nullptr; }
    void AddHead(void* p);
    void RemoveAll() { m_pHead = nullptr; }
    void* GetHead() const { return m_pHead; }
    void* GetNext(void* p) const { return *GetNextPtr(p); }
    BOOL Remove(void* p);

    void* m_pHead;
    size_t m_nNextOffset;

    void** GetNextPtr(void* p) const
    {
        return reinterpret_cast<void**>(static_cast<BYTE*>(p) + m_nNextOffset);
    }
};

template <class TYPE> class CTypedSimpleList : public CSimpleList
{
public:
    explicit CTypedSimpleList(int nNextOffset = 0) : CSimpleList(nNextOffset) {}
    void AddHead(TYPE p) { CSimpleList::AddHead(p); }
    TYPE GetHead() const { return static_cast<TYPE>(CSimpleList::GetHead()); }
    TYPE GetNext(TYPE p) const { return static_cast<TYPE>(CSimpleList::GetNext(p)); }
    BOOL Remove(TYPE p) { return CSimpleList::Remove(p); }
    operator TYPE() const { return GetHead(); }
};

class CWinApp;
class CDynLinkLibrary;
class COleObjectFactory;

// State of the application as a whole. Extension DLLs (such as the component library) share the
// application's state rather than owning one; each adds a CDynLinkLibrary to m_libraryList, through which
// its resources and run-time classes are found.
class AFX_API AFX_MODULE_STATE
{
public:
    AFX_MODULE_STATE();
    AFX_MODULE_STATE(const AFX_MODULE_STATE&) = delete;
    AFX_MODULE_STATE& operator=(const AFX_MODULE_STATE&) = delete;

    // The application object; set by its constructor, one per process.
    CWinApp* m_pCurrentWinApp = nullptr;
    // Set by AfxWinInit. Until then they are null, which the resource functions read as the executable.
    HINSTANCE m_hCurrentInstanceHandle = nullptr;
    HINSTANCE m_hCurrentResourceHandle = nullptr;
    // The application's name (owned by the CWinApp); null until AfxWinInit has named the application.
    LPCTSTR m_lpszCurrentAppName = nullptr;
    // A system module state's own resources are searched after every non-system library's.
    BOOL m_bSystem = FALSE;

    // Run-time classes registered by IMPLEMENT_DYNAMIC, IMPLEMENT_DYNCREATE and IMPLEMENT_SERIAL,
    // newest first. Guarded by AfxLockGlobals(CRIT_RUNTIMECLASSLIST).
    CTypedSimpleList<CRuntimeClass*> m_classList;
    // Class factories; none are implemented, the list is carried so extension modules keep their shape.
    CTypedSimpleList<COleObjectFactory*> m_factoryList;

    // While an extension DLL's static constructors run (between AfxExtensionModulePreamble and
    // AfxInitExtensionModule), the application's lists wait here and the live lists collect the DLL's.
    CRuntimeClass* m_pClassInit = nullptr;
    COleObjectFactory* m_pFactoryInit = nullptr;
    BOOL m_bExtensionInitPending = FALSE;

    // Extension libraries, the most recently linked first. Guarded by AfxLockGlobals(CRIT_DYNLINKLIST).
    CTypedSimpleList<CDynLinkLibrary*> m_libraryList;
};

AFX_API AFX_MODULE_STATE* AFXAPI AfxGetModuleState();

// Per-thread part of the module state.
class AFX_API AFX_MODULE_THREAD_STATE
{
public:
    // The CWinThread running on this thread: a thread the framework started, or the application object
    // on the thread that constructed it.
    CWinThread* m_pCurrentWinThread = nullptr;
    // The message the thread's message loop is handling (AfxGetCurrentMessage).
    MSG m_msgCur = {};
    // The last mouse move seen by the loop, so that a repeated one does not restart idle processing.
    POINT m_ptCursorLast = {};
    UINT m_nMsgLast = 0;
};

AFX_API AFX_MODULE_THREAD_STATE* AFXAPI AfxGetModuleThreadState();

// Process-wide locks of the framework's shared lists; recursive, so a lock holder may call back into code
// that takes the same lock.
enum
{
    CRIT_RUNTIMECLASSLIST = 0,
    CRIT_DYNLINKLIST = 1,
    CRIT_MAX = 8
};
AFX_API void AFXAPI AfxLockGlobals(int nLockType);
AFX_API void AFXAPI AfxUnlockGlobals(int nLockType);

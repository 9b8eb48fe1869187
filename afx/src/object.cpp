// CObject, run-time classes, the module state and the diagnostic entry points.
#include "afx.h"
#include "afximpl.h"

#include <cstddef>
#include <cstdio>

/////////////////////////////////////////////////////////////////////////////
// Global locks

namespace
{
struct GlobalLocks
{
    GlobalLocks()
    {
        for (CRITICAL_SECTION& section : sections)
        {
            InitializeCriticalSection(&section);
        }
    }
    // Never deleted: code in other DLLs may still take a lock while the process shuts down.
    CRITICAL_SECTION sections[CRIT_MAX];
};

CRITICAL_SECTION* GlobalLock(int nLockType)
{
    // Made on first use, so a static constructor of any module may already register classes.
    static GlobalLocks* locks = new GlobalLocks;
    if (nLockType < 0 || nLockType >= CRIT_MAX)
    {
        AfxThrowInvalidArgException();
    }
    return &locks->sections[nLockType];
}

class GlobalLockScope
{
public:
    explicit GlobalLockScope(int nLockType) : m_nLockType(nLockType) { AfxLockGlobals(nLockType); }
    ~GlobalLockScope() { AfxUnlockGlobals(m_nLockType); }
    GlobalLockScope(const GlobalLockScope&) = delete;
    GlobalLockScope& operator=(const GlobalLockScope&) = delete;

private:
    int m_nLockType;
};
} // namespace

void AFXAPI AfxLockGlobals(int nLockType)
{
    EnterCriticalSection(GlobalLock(nLockType));
}

void AFXAPI AfxUnlockGlobals(int nLockType)
{
    LeaveCriticalSection(GlobalLock(nLockType));
}

/////////////////////////////////////////////////////////////////////////////
// Module state

void CSimpleList::Construct(int nNextOffset)
{
    m_pHead = nullptr;
    m_nNextOffset = static_cast<size_t>(nNextOffset);
}

void CSimpleList::AddHead(void* p)
{
    *GetNextPtr(p) = m_pHead;
    m_pHead = p;
}

BOOL CSimpleList::Remove(void* p)
{
    for (void** link = &m_pHead; *link != nullptr; link = GetNextPtr(*link))
    {
        if (*link == p)
        {
            *link = *GetNextPtr(p);
            return TRUE;
        }
    }
    return FALSE;
}

AFX_MODULE_STATE::AFX_MODULE_STATE() : m_classList(offsetof(CRuntimeClass, m_pNextClass)) {}

AFX_MODULE_STATE* AFXAPI AfxGetModuleState()
{
    // Made on first use for the same reason as the locks; it lives as long as the process.
    static AFX_MODULE_STATE* state = new AFX_MODULE_STATE;
    return state;
}

AFX_MODULE_THREAD_STATE* AFXAPI AfxGetModuleThreadState()
{
    static thread_local AFX_MODULE_THREAD_STATE state;
    return &state;
}

/////////////////////////////////////////////////////////////////////////////
// Run-time classes

namespace
{
CRuntimeClass* BaseOf(const CRuntimeClass* pClass)
{
    return pClass->m_pfnGetBaseClass != nullptr ? pClass->m_pfnGetBaseClass() : pClass->m_pBaseClass;
}
} // namespace

void AFXAPI AfxClassInit(CRuntimeClass* pNewClass)
{
    if (pNewClass == nullptr)
    {
        AfxThrowInvalidArgException();
    }
    GlobalLockScope lock(CRIT_RUNTIMECLASSLIST);
    pNewClass->m_pBaseClass = BaseOf(pNewClass);
    AfxGetModuleState()->m_classList.AddHead(pNewClass);
}

CObject* CRuntimeClass::CreateObject()
{
    if (m_pfnCreateObject == nullptr)
    {
        TRACE("Cannot create an object of class %hs: it is not declared DYNCREATE.\n", m_lpszClassName);
        return nullptr;
    }
    try
    {
        return m_pfnCreateObject();
    }
    catch (CException* e)
    {
        e->Delete();
        return nullptr;
    }
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
    for (const CRuntimeClass* pClass = this; pClass != nullptr; pClass = BaseOf(pClass))
    {
        if (pClass == pBaseClass)
        {
            return TRUE;
        }
    }
    return FALSE;
}

CRuntimeClass* PASCAL CRuntimeClass::FromName(LPCSTR lpszClassName)
{
    if (lpszClassName == nullptr)
    {
        return nullptr;
    }
    GlobalLockScope lock(CRIT_RUNTIMECLASSLIST);
    const CTypedSimpleList<CRuntimeClass*>& classes = AfxGetModuleState()->m_classList;
    for (CRuntimeClass* pClass = classes.GetHead(); pClass != nullptr; pClass = classes.GetNext(pClass))
    {
        if (lstrcmpA(lpszClassName, pClass->m_lpszClassName) == 0)
        {
            return pClass;
        }
    }
    // Then the classes that extension DLLs brought with them.
    return afximpl::FindLibraryClass(lpszClassName);
}

CRuntimeClass* PASCAL CRuntimeClass::FromName(LPCWSTR lpszClassName)
{
    if (lpszClassName == nullptr)
    {
        return nullptr;
    }
    return FromName(CStringA(lpszClassName).GetString());
}

CObject* PASCAL CRuntimeClass::CreateObject(LPCSTR lpszClassName)
{
    CRuntimeClass* pClass = FromName(lpszClassName);
    return pClass != nullptr ? pClass->CreateObject() : nullptr;
}

CObject* PASCAL CRuntimeClass::CreateObject(LPCWSTR lpszClassName)
{
    CRuntimeClass* pClass = FromName(lpszClassName);
    return pClass != nullptr ? pClass->CreateObject() : nullptr;
}

/////////////////////////////////////////////////////////////////////////////
// CObject

// The root class is not in the class list: nothing is ever created or looked up as a bare CObject.
CRuntimeClass CObject::classCObject = {"CObject", sizeof(CObject), 0xFFFF, nullptr,
                                       nullptr,   nullptr,         nullptr};

CObject::CObject() = default;

CObject::~CObject() = default;

CRuntimeClass* PASCAL CObject::GetThisClass()
{
    return &classCObject;
}

CRuntimeClass* CObject::GetRuntimeClass() const
{
    return &classCObject;
}

BOOL CObject::IsSerializable() const
{
    return GetRuntimeClass()->m_wSchema != 0xFFFF;
}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

void CObject::Serialize(CArchive&) {}

void CObject::AssertValid() const {}

void CObject::Dump(CDumpContext&) const {}

CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject)
{
    return pObject != nullptr && pObject->IsKindOf(pClass) ? pObject : nullptr;
}

/////////////////////////////////////////////////////////////////////////////
// Diagnostics

BOOL AFXAPI AfxAssertFailedLine(LPCSTR lpszFileName, int nLine)
{
    char line[MAX_PATH + 64];
    std::snprintf(line, sizeof line, "%s(%d): Assertion failed!\n",
                  lpszFileName != nullptr ? lpszFileName : "?", nLine);
    OutputDebugStringA(line);
    return IsDebuggerPresent();
}

void AFXAPI AfxAssertValidObject(const CObject* pObject, LPCSTR lpszFileName, int nLine)
{
    if (pObject == nullptr)
    {
        if (AfxAssertFailedLine(lpszFileName, nLine))
        {
            DebugBreak();
        }
        return;
    }
    pObject->AssertValid();
}

CObject* AFXAPI AfxStaticDownCast(CRuntimeClass* pClass, CObject* pObject)
{
    if (pObject != nullptr && !pObject->IsKindOf(pClass))
    {
        TRACE("STATIC_DOWNCAST: the object is a %hs, not a %hs.\n",
              pObject->GetRuntimeClass()->m_lpszClassName, pClass->m_lpszClassName);
        if (AfxAssertFailedLine(__FILE__, __LINE__))
        {
            DebugBreak();
        }
    }
    return pObject;
}

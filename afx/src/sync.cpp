// Synchronisation objects.
#include "afxmt.h"

namespace
{
HANDLE Created(HANDLE hObject)
{
    if (hObject == nullptr)
    {
        TRACE(L"Creating a synchronisation object failed (error %lu).\n", GetLastError());
        AfxThrowResourceException();
    }
    return hObject;
}
} // namespace

/////////////////////////////////////////////////////////////////////////////
// CSyncObject

IMPLEMENT_DYNAMIC(CSyncObject, CObject)

CSyncObject::CSyncObject(LPCTSTR) : m_hObject(nullptr) {}

CSyncObject::~CSyncObject()
{
    if (m_hObject != nullptr)
    {
        CloseHandle(m_hObject);
    }
}

CSyncObject::operator HANDLE() const
{
    return m_hObject;
}

BOOL CSyncObject::Lock(DWORD dwTimeout)
{
    DWORD dwResult = WaitForSingleObject(m_hObject, dwTimeout);
    return dwResult == WAIT_OBJECT_0 || dwResult == WAIT_ABANDONED;
}

BOOL CSyncObject::Unlock(LONG, LPLONG)
{
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// CSemaphore

IMPLEMENT_DYNAMIC(CSemaphore, CSyncObject)

CSemaphore::CSemaphore(LONG lInitialCount, LONG lMaxCount, LPCTSTR pstrName,
                       LPSECURITY_ATTRIBUTES lpsaAttributes)
    : CSyncObject(pstrName)
{
    if (lMaxCount <= 0 || lInitialCount < 0 || lInitialCount > lMaxCount)
    {
        AfxThrowInvalidArgException();
    }
    m_hObject = Created(CreateSemaphoreW(lpsaAttributes, lInitialCount, lMaxCount, pstrName));
}

CSemaphore::~CSemaphore() = default;

BOOL CSemaphore::Unlock()
{
    return Unlock(1, nullptr);
}

BOOL CSemaphore::Unlock(LONG lCount, LPLONG lprevCount)
{
    return ReleaseSemaphore(m_hObject, lCount, lprevCount);
}

/////////////////////////////////////////////////////////////////////////////
// CMutex

IMPLEMENT_DYNAMIC(CMutex, CSyncObject)

CMutex::CMutex(BOOL bInitiallyOwn, LPCTSTR lpszName, LPSECURITY_ATTRIBUTES lpsaAttribute)
    : CSyncObject(lpszName)
{
    m_hObject = Created(CreateMutexW(lpsaAttribute, bInitiallyOwn, lpszName));
}

CMutex::~CMutex() = default;

BOOL CMutex::Unlock()
{
    return ReleaseMutex(m_hObject);
}

/////////////////////////////////////////////////////////////////////////////
// CEvent

IMPLEMENT_DYNAMIC(CEvent, CSyncObject)

CEvent::CEvent(BOOL bInitiallyOwn, BOOL bManualReset, LPCTSTR lpszName, LPSECURITY_ATTRIBUTES lpsaAttribute)
    : CSyncObject(lpszName)
{
    m_hObject = Created(CreateEventW(lpsaAttribute, bManualReset, bInitiallyOwn, lpszName));
}

CEvent::~CEvent() = default;

BOOL CEvent::Unlock()
{
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// CCriticalSection

IMPLEMENT_DYNAMIC(CCriticalSection, CSyncObject)

CCriticalSection::CCriticalSection() : CSyncObject(nullptr)
{
    if (!InitializeCriticalSectionAndSpinCount(&m_sect, 0))
    {
        AfxThrowMemoryException();
    }
}

CCriticalSection::~CCriticalSection()
{
    DeleteCriticalSection(&m_sect);
}

CCriticalSection::operator CRITICAL_SECTION*()
{
    return &m_sect;
}

BOOL CCriticalSection::Lock()
{
    EnterCriticalSection(&m_sect);
    return TRUE;
}

BOOL CCriticalSection::Lock(DWORD dwTimeout)
{
    if (dwTimeout == INFINITE)
    {
        return Lock();
    }
    // A critical section has no timed wait: try until the time is up.
    ULONGLONG deadline = GetTickCount64() + dwTimeout;
    for (;;)
    {
        if (TryEnterCriticalSection(&m_sect))
        {
            return TRUE;
        }
        if (GetTickCount64() >= deadline)
        {
            return FALSE;
        }
        Sleep(1);
    }
}

BOOL CCriticalSection::Unlock()
{
    LeaveCriticalSection(&m_sect);
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// CSingleLock

CSingleLock::CSingleLock(CSyncObject* pObject, BOOL bInitialLock)
    : m_pObject(pObject), m_hObject(nullptr), m_bAcquired(FALSE)
{
    if (pObject == nullptr)
    {
        AfxThrowInvalidArgException();
    }
    m_hObject = pObject->m_hObject;
    if (bInitialLock)
    {
        Lock();
    }
}

CSingleLock::~CSingleLock()
{
    Unlock();
}

BOOL CSingleLock::Lock(DWORD dwTimeOut)
{
    if (!m_bAcquired)
    {
        m_bAcquired = m_pObject->Lock(dwTimeOut);
    }
    return m_bAcquired;
}

BOOL CSingleLock::Unlock()
{
    if (m_bAcquired)
    {
        m_bAcquired = !m_pObject->Unlock();
    }
    return !m_bAcquired;
}

BOOL CSingleLock::Unlock(LONG lCount, LPLONG lPrevCount)
{
    if (m_bAcquired)
    {
        m_bAcquired = !m_pObject->Unlock(lCount, lPrevCount);
    }
    return !m_bAcquired;
}

BOOL CSingleLock::IsLocked()
{
    return m_bAcquired;
}

// Synchronisation objects and the scoped lock that holds one of them.
#pragma once

#include "afx.h"

// A waitable kernel object (or, for CCriticalSection, a lock without one). Construction throws
// CResourceException when the system cannot create the object.
class AFX_API AFX_NOVTABLE CSyncObject : public CObject
{
    DECLARE_DYNAMIC(CSyncObject)
public:
    explicit CSyncObject(LPCTSTR pstrName);
    ~CSyncObject() override;

    operator HANDLE() const;

    // TRUE when the object was acquired (an abandoned mutex counts) within dwTimeout milliseconds.
    virtual BOOL Lock(DWORD dwTimeout = INFINITE);
    virtual BOOL Unlock() = 0;
    virtual BOOL Unlock(LONG lCount, LPLONG lpPrevCount = nullptr);

    HANDLE m_hObject;
};

class AFX_API CSemaphore : public CSyncObject
{
    DECLARE_DYNAMIC(CSemaphore)
public:
    explicit CSemaphore(LONG lInitialCount = 1, LONG lMaxCount = 1, LPCTSTR pstrName = nullptr,
                        LPSECURITY_ATTRIBUTES lpsaAttributes = nullptr);
    ~CSemaphore() override;

    BOOL Unlock() override;
    BOOL Unlock(LONG lCount, LPLONG lprevCount = nullptr) override;
};

class AFX_API CMutex : public CSyncObject
{
    DECLARE_DYNAMIC(CMutex)
public:
    explicit CMutex(BOOL bInitiallyOwn = FALSE, LPCTSTR lpszName = nullptr,
                    LPSECURITY_ATTRIBUTES lpsaAttribute = nullptr);
    ~CMutex() override;

    BOOL Unlock() override;
    using CSyncObject::Unlock;
};

class AFX_API CEvent : public CSyncObject
{
    DECLARE_DYNAMIC(CEvent)
public:
    explicit CEvent(BOOL bInitiallyOwn = FALSE, BOOL bManualReset = FALSE, LPCTSTR lpszName = nullptr,
                    LPSECURITY_ATTRIBUTES lpsaAttribute = nullptr);
    ~CEvent() override;

    BOOL SetEvent()
    {
        ASSERT(m_hObject != nullptr);
        return ::SetEvent(m_hObject);
    }
    BOOL PulseEvent()
    {
        ASSERT(m_hObject != nullptr);
        return ::PulseEvent(m_hObject);
    }
    BOOL ResetEvent()
    {
        ASSERT(m_hObject != nullptr);
        return ::ResetEvent(m_hObject);
    }
    // An event is not owned, so there is nothing to give back.
    BOOL Unlock() override;
    using CSyncObject::Unlock;
};

// A critical section: cheaper than a mutex, recursive, and limited to one process.
class AFX_API CCriticalSection : public CSyncObject
{
    DECLARE_DYNAMIC(CCriticalSection)
public:
    CCriticalSection();
    ~CCriticalSection() override;

    operator CRITICAL_SECTION*();

    BOOL Lock();
    // Waits up to dwTimeout milliseconds; INFINITE waits as Lock() does.
    BOOL Lock(DWORD dwTimeout) override;
    BOOL Unlock() override;
    using CSyncObject::Unlock;

    CRITICAL_SECTION m_sect;
};

// Holds one synchronisation object for a scope: unlocks it on destruction if it is still held.
class AFX_API CSingleLock
{
public:
    // pObject must not be null (CInvalidArgException).
    explicit CSingleLock(CSyncObject* pObject, BOOL bInitialLock = FALSE);
    ~CSingleLock();
    CSingleLock(const CSingleLock&) = delete;
    CSingleLock& operator=(const CSingleLock&) = delete;

    // Acquires the object; TRUE at once when this lock already holds it.
    BOOL Lock(DWORD dwTimeOut = INFINITE);
    // TRUE when the object is no longer held by this lock.
    BOOL Unlock();
    BOOL Unlock(LONG lCount, LPLONG lPrevCount = nullptr);
    BOOL IsLocked();

protected:
    CSyncObject* m_pObject;
    HANDLE m_hObject;
    BOOL m_bAcquired;
};

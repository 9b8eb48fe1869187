// Per-thread state of the window classes: the handle maps and what window creation, message dispatch and
// data exchange need to remember on the way. Internal to the stand-in DLL.
#pragma once

#include "afxwin.h"
#include "afxcmn.h"
#include "afxsock.h"
#include "afximpl.h"

#include <new>
#include <unordered_map>
#include <utility>
#include <vector>

namespace afximpl
{
// Whether an object pointer is null, for the members that may be called through a null pointer. The empty
// asm hides the pointer's origin, so the compiler cannot assume (as the language would let it) that `this`
// is never null and drop the test.
template <class T> inline bool IsNullObject(const T* pObject)
{
    asm("" : "+r"(pObject));
    return pObject == nullptr;
}

// Connects handles of one kind (windows, menus, DCs, GDI objects, image lists, sockets) to their C++ objects;
// the Attach, Detach and FromHandle of every wrapper class go through one of these. Permanent entries are
// objects that own their handle (Attach); temporary entries are objects made on demand by FromHandle for
// handles nobody attached, owned by the map and deleted when the thread is idle (DeleteTemp). Both maps
// belong to one thread. kNull is the value that means "no handle" (INVALID_SOCKET for sockets).
template <class Object, class Handle, Handle kNull = Handle{}> class HandleMap
{
public:
    // Makes the object for a temporary entry (the map stores the handle in it); null means `new Object`.
    typedef Object* (*Factory)(Handle);

    HandleMap(Handle Object::*pmHandle, LPCWSTR lpszKind, Factory make = nullptr)
        : m_pmHandle(pmHandle), m_lpszKind(lpszKind), m_make(make)
    {
    }
    HandleMap(const HandleMap&) = delete;
    HandleMap& operator=(const HandleMap&) = delete;
    ~HandleMap() { DeleteTemp(); }

    // Makes pObject the permanent object of h and stores h in it. FALSE (nothing changes) for a null
    // handle, an object that already has one, or a handle another object owns; with bShared the newest
    // object takes over a handle that several objects may hold (stock objects, class DCs).
    BOOL Attach(Object* pObject, Handle h, bool bShared = false)
    {
        if (h == kNull || pObject->*m_pmHandle != kNull)
        {
            return FALSE;
        }
        if (!bShared && LookupPermanent(h) != nullptr)
        {
            TRACE(L"Attach: the %ls 0x%p already belongs to another object.\n", m_lpszKind,
                  static_cast<void*>(h));
            return FALSE;
        }
        try
        {
            m_permanent[h] = pObject;
        }
        catch (const std::bad_alloc&)
        {
            AfxThrowMemoryException();
        }
        pObject->*m_pmHandle = h;
        return TRUE;
    }

    // Takes the handle out of pObject; the map forgets the object only where it is the permanent one.
    Handle Detach(Object* pObject)
    {
        Handle h = pObject->*m_pmHandle;
        if (h != kNull)
        {
            auto found = m_permanent.find(h);
            if (found != m_permanent.end() && found->second == pObject)
            {
                m_permanent.erase(found);
            }
            pObject->*m_pmHandle = kNull;
        }
        return h;
    }

    Object* LookupPermanent(Handle h) const { return h != kNull ? Lookup(m_permanent, h) : nullptr; }

    // The permanent object, else a temporary one made now; null for null.
    Object* FromHandle(Handle h)
    {
        if (h == kNull)
        {
            return nullptr;
        }
        if (Object* pObject = LookupPermanent(h))
        {
            return pObject;
        }
        if (Object* pObject = Lookup(m_temporary, h))
        {
            return pObject;
        }
        Object* pObject = m_make != nullptr ? m_make(h) : new Object;
        pObject->*m_pmHandle = h;
        try
        {
            m_temporary.emplace(h, pObject);
        }
        catch (const std::bad_alloc&)
        {
            pObject->*m_pmHandle = kNull;
            delete pObject;
            AfxThrowMemoryException();
        }
        return pObject;
    }

    // Deletes the temporary objects without touching their handles.
    void DeleteTemp()
    {
        // Taken out first: a destructor may come back here through FromHandle.
        std::unordered_map<Handle, Object*> temporary;
        temporary.swap(m_temporary);
        for (auto& entry : temporary)
        {
            entry.second->*m_pmHandle = kNull;
            delete entry.second;
        }
    }

private:
    static Object* Lookup(const std::unordered_map<Handle, Object*>& map, Handle h)
    {
        auto found = map.find(h);
        return found != map.end() ? found->second : nullptr;
    }

    Handle Object::*m_pmHandle;
    LPCWSTR m_lpszKind;
    Factory m_make;
    std::unordered_map<Handle, Object*> m_permanent;
    std::unordered_map<Handle, Object*> m_temporary;
};

typedef HandleMap<CWnd, HWND> WindowMap;
typedef HandleMap<CMenu, HMENU> MenuMap;
typedef HandleMap<CDC, HDC> DCMap;
typedef HandleMap<CGdiObject, HGDIOBJ> GdiObjectMap;
typedef HandleMap<CImageList, HIMAGELIST> ImageListMap;
typedef HandleMap<CAsyncSocket, SOCKET, INVALID_SOCKET> SocketMap;

struct ThreadState
{
    ThreadState();
    ThreadState(const ThreadState&) = delete;
    ThreadState& operator=(const ThreadState&) = delete;
    ~ThreadState();

    WindowMap windows;
    MenuMap menus;
    DCMap dcs;
    GdiObjectMap gdiObjects;
    ImageListMap imageLists;
    // Sockets attached on this thread, and the hidden window their events are posted to (made by the first
    // Attach). A closed or detached socket counts here until its WM_SOCKET_DEAD arrives; the events queued
    // before that message are its own and are dropped, those after it belong to a new socket that may have
    // been given the same handle.
    SocketMap sockets;
    HWND hSocketWindow = nullptr;
    std::unordered_map<SOCKET, int> deadSockets;
    // Temporary objects are deleted only while nobody holds the maps locked (AfxLockTempMaps).
    int nTempMapLock = 0;

    // Window creation: the object that the next HCBT_CREATEWND belongs to, and the hook that waits for it.
    CWnd* pWndInit = nullptr;
    HHOOK hHookCbtFilter = nullptr;

    // The message being handled by the innermost AfxCallWndProc (what Default passes on).
    MSG lastSentMsg = {};
    // While UpdateData runs on this window, its controls' notifications are not routed.
    HWND hLockoutNotifyWindow = nullptr;
    // The pop-up menu that CMenu::TrackPopupMenu is showing, and its owner.
    HMENU hTrackingMenu = nullptr;
    HWND hTrackingWindow = nullptr;

    // The name AfxRegisterWndClass returns.
    wchar_t szTempClassName[96] = {};
};

ThreadState& CurrentThreadState();

// Calls the handlers of every temporary-object kind; used when the temporary maps are unlocked.
void DeleteTempMaps();

// Loads the common-control classes once per process (the ICC_ flags accumulate).
void InitCommonControls(DWORD dwIccFlags);

// Tells the user about a framework exception that escaped a handler (nothing for CUserException, whose
// user has been told already) and returns what the window procedure answers for the message.
LRESULT ProcessWndProcException(CException* e, const MSG* pMsg);
// What the window procedure answers for a message whose handler failed: a refused creation, a validated
// paint, a handled command, otherwise 0.
LRESULT FailedMessageResult(const MSG* pMsg);
} // namespace afximpl

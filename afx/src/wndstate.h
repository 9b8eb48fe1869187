// Per-thread state of the window classes: the handle maps and what window creation, message dispatch and
// data exchange need to remember on the way. Internal to the stand-in DLL.
#pragma once

#include "afxwin.h"
#include "afxcmn.h"

#include <new>
#include <unordered_map>
#include <utility>
#include <vector>

namespace afxwnd
{
// Whether an object pointer is null, for the members that may be called through a null pointer. The empty
// asm hides the pointer's origin, so the compiler cannot assume (as the language would let it) that `this`
// is never null and drop the test.
template <class T> inline bool IsNullObject(const T* pObject)
{
    asm("" : "+r"(pObject));
    return pObject == nullptr;
}

// Connects handles of one kind to their C++ objects. Permanent entries are objects that own their handle
// (Attach); temporary entries are objects made on demand by FromHandle for handles nobody attached, owned
// by the map and deleted when the thread is idle (DeleteTemp). Both maps belong to one thread.
template <class Object, class Handle> class HandleMap
{
public:
    // Makes a temporary object for a handle, and takes the handle back out of one before it is deleted.
    typedef Object* (*Factory)(Handle);
    typedef void (*Release)(Object*);

    HandleMap(Factory make, Release release) : m_make(make), m_release(release) {}
    HandleMap(const HandleMap&) = delete;
    HandleMap& operator=(const HandleMap&) = delete;
    ~HandleMap() { DeleteTemp(); }

    Object* LookupPermanent(Handle h) const { return Lookup(m_permanent, h); }
    Object* LookupTemporary(Handle h) const { return Lookup(m_temporary, h); }

    Object* FromHandle(Handle h)
    {
        if (h == nullptr)
        {
            return nullptr;
        }
        if (Object* pObject = LookupPermanent(h))
        {
            return pObject;
        }
        if (Object* pObject = LookupTemporary(h))
        {
            return pObject;
        }
        Object* pObject = m_make(h);
        try
        {
            m_temporary.emplace(h, pObject);
        }
        catch (const std::bad_alloc&)
        {
            m_release(pObject);
            delete pObject;
            AfxThrowMemoryException();
        }
        return pObject;
    }

    void SetPermanent(Handle h, Object* pObject)
    {
        try
        {
            m_permanent[h] = pObject;
        }
        catch (const std::bad_alloc&)
        {
            AfxThrowMemoryException();
        }
    }

    // Only the permanent entry goes: a temporary object for the same handle lives until DeleteTemp.
    void RemoveHandle(Handle h) { m_permanent.erase(h); }

    void DeleteTemp()
    {
        // Taken out first: a destructor may come back here through FromHandle.
        std::unordered_map<Handle, Object*> temporary;
        temporary.swap(m_temporary);
        for (auto& entry : temporary)
        {
            m_release(entry.second);
            delete entry.second;
        }
    }

    template <class Visit> void ForEachPermanent(Visit visit) const
    {
        std::vector<std::pair<Handle, Object*>> entries(m_permanent.begin(), m_permanent.end());
        for (auto& entry : entries)
        {
            visit(entry.first, entry.second);
        }
    }

private:
    static Object* Lookup(const std::unordered_map<Handle, Object*>& map, Handle h)
    {
        auto found = map.find(h);
        return found != map.end() ? found->second : nullptr;
    }

    Factory m_make;
    Release m_release;
    std::unordered_map<Handle, Object*> m_permanent;
    std::unordered_map<Handle, Object*> m_temporary;
};

typedef HandleMap<CWnd, HWND> WindowMap;
typedef HandleMap<CMenu, HMENU> MenuMap;
typedef HandleMap<CDC, HDC> DCMap;
typedef HandleMap<CGdiObject, HGDIOBJ> GdiObjectMap;
typedef HandleMap<CImageList, HIMAGELIST> ImageListMap;

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

/////////////////////////////////////////////////////////////////////////////
// What the window classes need of the application object and the resource chain; with the application on
// the calling thread its loop and pre-translation are used, so that its overrides take part.

// The module that window classes are registered in and windows created for.
HINSTANCE InstanceHandle();
// The module resources are loaded from when no resource chain lookup is made.
HINSTANCE ResourceHandle();
// The module of the resource chain that holds the resource, or the current resource module.
HINSTANCE FindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType);
// The application's main window, or null.
CWnd* MainWindow();
// The caption of the framework's message boxes.
CString AppName();
// A message box owned by the active window of the thread, captioned with the application's name.
int MessageBox(LPCTSTR lpszText, UINT nType);
// The system timer that blinks the caret.
const UINT kCaretBlinkTimerMessage = 0x0118;

// Offers a message to the thread's pre-translation (the windows it is for, then the main window).
BOOL PreTranslateMessage(MSG* pMsg);
// One message from the queue through pre-translation and dispatch; FALSE for WM_QUIT.
BOOL PumpMessage();
// Whether handling the message may have changed what idle processing would do.
BOOL IsIdleMessage(const MSG* pMsg);

// The application object's command routing, after the frame and the dialog have declined a command.
BOOL RouteCommandToApp(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);
// Called when a window object lets go of its window: the application forgets it as its main window (and
// its loop ends).
void WindowGone(CWnd* pWnd);

// Loads the common-control classes once per process (the ICC_ flags accumulate).
void InitCommonControls(DWORD dwIccFlags);

// Tells the user about a framework exception that escaped a handler (nothing for CUserException, whose
// user has been told already) and returns what the window procedure answers for the message.
LRESULT ProcessWndProcException(CException* e, const MSG* pMsg);
// What the window procedure answers for a message whose handler failed: a refused creation, a validated
// paint, a handled command, otherwise 0.
LRESULT FailedMessageResult(const MSG* pMsg);
} // namespace afxwnd

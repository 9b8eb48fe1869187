// The window classes' per-thread state and the temporary-object maps.
#include "wndstate.h"

namespace afximpl
{
namespace
{
CDC* MakeTempDC(HDC hDC)
{
    auto* pDC = new CDC;
    pDC->m_hAttribDC = hDC;
    return pDC;
}

// Of the class that matches the handle's kind, so that the typed FromHandle functions (CFont::FromHandle
// and the others) give objects of their own class.
CGdiObject* MakeTempGdiObject(HGDIOBJ hObject)
{
    switch (::GetObjectType(hObject))
    {
    case OBJ_PEN:
    case OBJ_EXTPEN:
        return new CPen;
    case OBJ_BRUSH:
        return new CBrush;
    case OBJ_FONT:
        return new CFont;
    case OBJ_BITMAP:
        return new CBitmap;
    case OBJ_REGION:
        return new CRgn;
    default:
        return new CGdiObject;
    }
}
} // namespace

ThreadState::ThreadState()
    : windows(&CWnd::m_hWnd, L"window"), menus(&CMenu::m_hMenu, L"menu"),
      dcs(&CDC::m_hDC, L"DC", &MakeTempDC),
      gdiObjects(&CGdiObject::m_hObject, L"GDI object", &MakeTempGdiObject),
      imageLists(&CImageList::m_hImageList, L"image list"), sockets(&CAsyncSocket::m_hSocket, L"socket")
{
}

ThreadState::~ThreadState()
{
    if (hSocketWindow != nullptr)
    {
        ::DestroyWindow(hSocketWindow);
    }
    if (hHookCbtFilter != nullptr)
    {
        ::UnhookWindowsHookEx(hHookCbtFilter);
    }
}

namespace
{
// The state lives on the heap and its owner deletes it when the thread ends. Objects that are destroyed
// later still (static window, menu or GDI objects, at the end of the program) find no state and get a new,
// empty one instead of a destroyed one.
thread_local ThreadState* t_pState = nullptr;

struct ThreadStateOwner
{
    ~ThreadStateOwner()
    {
        ThreadState* pState = t_pState;
        t_pState = nullptr;
        delete pState;
    }
};
thread_local ThreadStateOwner t_owner;
} // namespace

ThreadState& CurrentThreadState()
{
    if (t_pState == nullptr)
    {
        t_pState = new ThreadState;
        // Using the owner is what makes it exist (and be destroyed) on this thread.
        static_cast<void>(&t_owner);
    }
    return *t_pState;
}

void DeleteTempMaps()
{
    ThreadState& state = CurrentThreadState();
    // Only the C++ objects go; no handle is touched.
    state.dcs.DeleteTemp();
    state.gdiObjects.DeleteTemp();
    state.menus.DeleteTemp();
    state.windows.DeleteTemp();
    state.imageLists.DeleteTemp();
}
} // namespace afximpl

void AFXAPI AfxLockTempMaps()
{
    ++afximpl::CurrentThreadState().nTempMapLock;
}

BOOL AFXAPI AfxUnlockTempMaps(BOOL bDeleteTemps)
{
    afximpl::ThreadState& state = afximpl::CurrentThreadState();
    if (state.nTempMapLock != 0 && --state.nTempMapLock == 0 && bDeleteTemps)
    {
        afximpl::DeleteTempMaps();
    }
    return state.nTempMapLock != 0;
}

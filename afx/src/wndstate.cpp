// The window classes' per-thread state and the temporary-object maps.
#include "wndstate.h"

namespace afxwnd
{
namespace
{
CWnd* MakeTempWnd(HWND hWnd)
{
    auto* pWnd = new CWnd;
    pWnd->m_hWnd = hWnd;
    return pWnd;
}

void ReleaseTempWnd(CWnd* pWnd)
{
    pWnd->m_hWnd = nullptr;
}

CMenu* MakeTempMenu(HMENU hMenu)
{
    auto* pMenu = new CMenu;
    pMenu->m_hMenu = hMenu;
    return pMenu;
}

void ReleaseTempMenu(CMenu* pMenu)
{
    pMenu->m_hMenu = nullptr;
}

CDC* MakeTempDC(HDC hDC)
{
    auto* pDC = new CDC;
    pDC->m_hDC = hDC;
    pDC->m_hAttribDC = hDC;
    return pDC;
}

void ReleaseTempDC(CDC* pDC)
{
    pDC->m_hDC = nullptr;
    pDC->m_hAttribDC = nullptr;
}

// Of the class that matches the handle's kind, so that the typed FromHandle functions (CFont::FromHandle
// and the others) give objects of their own class.
CGdiObject* MakeTempGdiObject(HGDIOBJ hObject)
{
    CGdiObject* pObject = nullptr;
    switch (::GetObjectType(hObject))
    {
    case OBJ_PEN:
    case OBJ_EXTPEN:
        pObject = new CPen;
        break;
    case OBJ_BRUSH:
        pObject = new CBrush;
        break;
    case OBJ_FONT:
        pObject = new CFont;
        break;
    case OBJ_BITMAP:
        pObject = new CBitmap;
        break;
    case OBJ_REGION:
        pObject = new CRgn;
        break;
    default:
        pObject = new CGdiObject;
        break;
    }
    pObject->m_hObject = hObject;
    return pObject;
}

void ReleaseTempGdiObject(CGdiObject* pObject)
{
    pObject->m_hObject = nullptr;
}

CImageList* MakeTempImageList(HIMAGELIST hImageList)
{
    auto* pImageList = new CImageList;
    pImageList->m_hImageList = hImageList;
    return pImageList;
}

void ReleaseTempImageList(CImageList* pImageList)
{
    pImageList->m_hImageList = nullptr;
}
} // namespace

ThreadState::ThreadState()
    : windows(&MakeTempWnd, &ReleaseTempWnd), menus(&MakeTempMenu, &ReleaseTempMenu),
      dcs(&MakeTempDC, &ReleaseTempDC), gdiObjects(&MakeTempGdiObject, &ReleaseTempGdiObject),
      imageLists(&MakeTempImageList, &ReleaseTempImageList)
{
}

ThreadState::~ThreadState()
{
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
} // namespace afxwnd

void AFXAPI AfxLockTempMaps()
{
    ++afxwnd::CurrentThreadState().nTempMapLock;
}

BOOL AFXAPI AfxUnlockTempMaps(BOOL bDeleteTemps)
{
    afxwnd::ThreadState& state = afxwnd::CurrentThreadState();
    if (state.nTempMapLock != 0 && --state.nTempMapLock == 0 && bDeleteTemps)
    {
        afxwnd::DeleteTempMaps();
    }
    return state.nTempMapLock != 0;
}

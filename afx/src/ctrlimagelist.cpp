// CImageList.
#include "wndstate.h"

using afximpl::CurrentThreadState;
using afximpl::IsNullObject;

IMPLEMENT_DYNCREATE(CImageList, CObject)

CImageList::CImageList() : m_hImageList(nullptr) {}

CImageList::~CImageList()
{
    DeleteImageList();
}

CImageList::operator HIMAGELIST() const
{
    return IsNullObject(this) ? nullptr : m_hImageList;
}

HIMAGELIST CImageList::GetSafeHandle() const
{
    return IsNullObject(this) ? nullptr : m_hImageList;
}

CImageList* PASCAL CImageList::FromHandle(HIMAGELIST hImageList)
{
    return CurrentThreadState().imageLists.FromHandle(hImageList);
}

CImageList* PASCAL CImageList::FromHandlePermanent(HIMAGELIST hImageList)
{
    return hImageList != nullptr ? CurrentThreadState().imageLists.LookupPermanent(hImageList) : nullptr;
}

void PASCAL CImageList::DeleteTempMap()
{
    CurrentThreadState().imageLists.DeleteTemp();
}

BOOL CImageList::Attach(HIMAGELIST hImageList)
{
    return CurrentThreadState().imageLists.Attach(this, hImageList);
}

HIMAGELIST CImageList::Detach()
{
    return CurrentThreadState().imageLists.Detach(this);
}

BOOL CImageList::DeleteImageList()
{
    if (m_hImageList == nullptr)
    {
        return FALSE;
    }
    return ImageList_Destroy(Detach());
}

namespace
{
BOOL AttachNew(CImageList* pList, HIMAGELIST hNew)
{
    if (hNew == nullptr)
    {
        return FALSE;
    }
    if (!pList->Attach(hNew))
    {
        ImageList_Destroy(hNew);
        return FALSE;
    }
    return TRUE;
}
} // namespace

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
    if (m_hImageList != nullptr)
    {
        return FALSE;
    }
    afximpl::InitCommonControls(ICC_WIN95_CLASSES);
    return AttachNew(this, ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask)
{
    return Create(MAKEINTRESOURCEW(nBitmapID), cx, nGrow, crMask);
}

BOOL CImageList::Create(LPCTSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask)
{
    if (m_hImageList != nullptr)
    {
        return FALSE;
    }
    afximpl::InitCommonControls(ICC_WIN95_CLASSES);
    HINSTANCE hInst = AfxFindResourceHandle(lpszBitmapID, RT_BITMAP);
    return AttachNew(this, ImageList_LoadImageW(hInst, lpszBitmapID, cx, nGrow, crMask, IMAGE_BITMAP, 0));
}

BOOL CImageList::Create(CImageList* pImageList)
{
    if (m_hImageList != nullptr || pImageList->GetSafeHandle() == nullptr)
    {
        return FALSE;
    }
    return AttachNew(this, ImageList_Duplicate(pImageList->m_hImageList));
}

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask)
{
    ASSERT(m_hImageList != nullptr);
    return ImageList_Add(m_hImageList, static_cast<HBITMAP>(pbmImage->GetSafeHandle()),
                         static_cast<HBITMAP>(pbmMask->GetSafeHandle()));
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask)
{
    ASSERT(m_hImageList != nullptr);
    return ImageList_AddMasked(m_hImageList, static_cast<HBITMAP>(pbmImage->GetSafeHandle()), crMask);
}

BOOL CImageList::Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask)
{
    ASSERT(m_hImageList != nullptr);
    return ImageList_Replace(m_hImageList, nImage, static_cast<HBITMAP>(pbmImage->GetSafeHandle()),
                             static_cast<HBITMAP>(pbmMask->GetSafeHandle()));
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle)
{
    ASSERT(m_hImageList != nullptr);
    return ImageList_Draw(m_hImageList, nImage, pDC->GetSafeHdc(), pt.x, pt.y, nStyle);
}

// CMFCToolBarImages: a row of equally sized images kept in one 32-bit bitmap (the image well), drawn
// normal, highlighted, disabled or faded. Toolbars take their button images from such a collection.
//
//     CMFCToolBarImages images;
//     images.SetImageSize(CSize(16, 16));
//     images.SetTransparentColor(RGB(255, 0, 255));
//     images.Load(IDB_TOOLBAR); // a bitmap resource 16 pixels high, one image per 16 pixels of width
//     images.Draw(pDC, x, y, 2); // the third image
#pragma once

#include "afxwin.h"

class AFX_API CMFCToolBarImages : public CObject
{
    DECLARE_DYNCREATE(CMFCToolBarImages)
public:
    // Construction
    // An empty collection of 16 by 15 pixel images (MFC's default button image) without a transparent
    // colour.
    CMFCToolBarImages();
    ~CMFCToolBarImages() override;

    // Attributes
    BOOL IsValid() const { return m_hbmImageWell != nullptr; }
    int GetCount() const { return m_iCount; }
    SIZE GetImageSize(BOOL bDPI = FALSE) const;
    // Images loaded later are cut to this size; with bUpdateCount the count follows the well's width.
    void SetImageSize(SIZE sizeImage, BOOL bUpdateCount = FALSE);
    // The 32-bit top-down DIB section that holds the images side by side (the collection's own).
    HBITMAP GetImageWell() const { return m_hbmImageWell; }
    // Pixels of this colour are not drawn; (COLORREF)-1 for none.
    void SetTransparentColor(COLORREF clrTransparent) { m_clrTransparent = clrTransparent; }

    // Operations
    // The bitmap resource uiResID from hinstRes, or from the resource chain when it is null. Replaces the
    // images unless bAdd, which appends them. FALSE when the bitmap cannot be loaded.
    BOOL Load(UINT uiResID, HINSTANCE hinstRes = nullptr, BOOL bAdd = FALSE);
    // Appends the images of hbmp (cut into image-sized cells from the left; its height is the image's);
    // the index of the first, or -1. The bitmap stays the caller's.
    int AddImage(HBITMAP hbmp, BOOL bSetBitPerPixel = FALSE);
    // Removes every image.
    void Clear();
    // Draws image iImageIndex with its top left corner at (x, y). bDisabled draws it light grey;
    // bInactive draws it faded when the collection fades inactive images (m_bFadeInactive); bHilite and
    // bShadow draw it as it is. FALSE for an index outside the collection.
    BOOL Draw(CDC* pDC, int x, int y, int iImageIndex, BOOL bHilite = FALSE, BOOL bDisabled = FALSE,
              BOOL bIndeterminate = FALSE, BOOL bShadow = FALSE, BOOL bInactive = FALSE, BYTE alphaSrc = 255);

protected:
    HBITMAP m_hbmImageWell;
    CSize m_sizeImage;
    int m_iCount;
    COLORREF m_clrTransparent;
    // Images drawn as inactive (a toolbar's buttons while the mouse is not over them) are blended half way
    // into the background. FALSE by default.
    BOOL m_bFadeInactive;

private:
    CMFCToolBarImages(const CMFCToolBarImages&) = delete;
    CMFCToolBarImages& operator=(const CMFCToolBarImages&) = delete;
};

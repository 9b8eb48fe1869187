// CMFCToolBarButton: one button of a CMFCToolBar (a command with an image, a text or both, or a
// separator). A toolbar keeps copies of the buttons given to it, made through the button's run-time class
// and CopyFrom, so derived buttons declare DECLARE_DYNCREATE and copy their own fields in CopyFrom.
//
//     CMFCToolBarButton open(ID_FILE_OPEN, 0);          // the first image of the toolbar's images
//     CMFCToolBarButton find(ID_EDIT_FIND, -1, L"Find"); // a text button
//     find.m_bText = TRUE;
//     toolBar.InsertButton(open);
//     toolBar.InsertButton(find);
#pragma once

#include "afxwin.h"

class CMFCToolBarImages;

// m_nStyle: the button's kind in the low byte, its state (TBSTATE_ values) in the second.
#define TBBS_BUTTON 0x0000
#define TBBS_SEPARATOR 0x0001
#define TBBS_CHECKBOX 0x0002
#define TBBS_CHECKED 0x0100
#define TBBS_PRESSED 0x0200
#define TBBS_DISABLED 0x0400
#define TBBS_INDETERMINATE 0x0800
#define TBBS_HIDDEN 0x1000

class AFX_API CMFCToolBarButton : public CObject
{
    DECLARE_DYNCREATE(CMFCToolBarButton)
public:
    // Construction
    CMFCToolBarButton();
    // A button for command uiID with image iImage (-1 for none) of the toolbar's images, or of the user
    // images with bUserButton. A text sets m_strText; whether it shows is m_bText.
    CMFCToolBarButton(UINT uiID, int iImage, LPCTSTR lpszText = nullptr, BOOL bUserButton = FALSE,
                      BOOL bLocked = FALSE);
    ~CMFCToolBarButton() override;

    // Attributes
    UINT m_nID;    // the command; 0 for a separator
    UINT m_nStyle; // TBBS_ values
    CString m_strText;
    BOOL m_bText;       // the text is shown
    BOOL m_bImage;      // the image is shown (when the button has one)
    BOOL m_bUserButton; // the image comes from the toolbar's user images
    BOOL m_bLocked;
    BOOL m_bVisible;

    int GetImage() const { return m_iImage; }
    virtual void SetImage(int iImage) { m_iImage = iImage; }
    BOOL IsVisible() const { return m_bVisible; }
    void SetVisible(BOOL bShow = TRUE) { m_bVisible = bShow; }
    // Where the toolbar placed the button, in its client coordinates.
    const CRect& Rect() const { return m_rect; }
    void SetRect(const CRect rect) { m_rect = rect; }
    BOOL IsSeparator() const { return (m_nStyle & TBBS_SEPARATOR) != 0; }

    // Operations
    virtual void CopyFrom(const CMFCToolBarButton& src);

    // Overridables
    // The button's size on a toolbar whose image buttons are sizeDefault.
    virtual SIZE OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz);
    // Draws the button in rect: its image from pImages (centred, or at the left when the text shows as
    // well), then its text; bHighlight draws it hot (raised), TBBS_PRESSED pressed (sunken).
    virtual void OnDraw(CDC* pDC, const CRect& rect, CMFCToolBarImages* pImages, BOOL bHorz = TRUE,
                        BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                        BOOL bGrayDisabledButtons = TRUE);
    // A click on the button; TRUE when the button handled it itself, FALSE to let the toolbar send its
    // command.
    virtual BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE);

protected:
    int m_iImage;
    CRect m_rect;
};

// CMFCToolBar: a toolbar window that draws and runs its own CMFCToolBarButton objects (images from the
// shared toolbar images or the user images, texts, separators) and sends a button's command to its owner
// (posted WM_COMMAND) when the button is clicked, or chosen by its mnemonic or the keyboard while the bar
// has the focus. The bar lays its buttons out in one row; its owner places the bar (CalcFixedLayout tells
// the size it wants).
//
//     m_images.SetImageSize(CSize(16, 16));
//     m_images.Load(IDB_TOOLBAR);
//     CMFCToolBar::SetUserImages(&m_images);
//     m_toolBar.Create(this);
//     m_toolBar.InsertButton(CMFCToolBarButton(ID_FILE_OPEN, 0, nullptr, TRUE));
//     m_toolBar.InsertSeparator();
#pragma once

#include "afxtoolbarbutton.h"
#include "afxtoolbarimages.h"

#define AFX_IDW_TOOLBAR 0xE800
#define AFX_IDW_MENUBAR 0xE81A
#define AFX_DEFAULT_TOOLBAR_STYLE (WS_CHILD | WS_VISIBLE)

class AFX_API CMFCToolBar : public CWnd
{
    DECLARE_DYNCREATE(CMFCToolBar)
public:
    // Construction
    CMFCToolBar();
    ~CMFCToolBar() override;
    // A child of pParentWnd, which also becomes the owner that receives the commands. FALSE when the
    // window cannot be made.
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = AFX_DEFAULT_TOOLBAR_STYLE,
                        UINT nID = AFX_IDW_TOOLBAR);

    // Attributes
    int GetCount() const;
    // Null for an index outside the bar.
    CMFCToolBarButton* GetButton(int iIndex) const;
    // The command of the button at nIndex (0 for a separator or no button).
    UINT GetItemID(int nIndex) const;
    // The first button from iIndexFirst on with that command, or -1.
    int CommandToIndex(UINT nIDFind, int iIndexFirst = 0) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    // The button under point (client coordinates), or -1.
    virtual int HitTest(CPoint point);

    // The images of buttons that are not user buttons, shared by every toolbar of the application.
    static CMFCToolBarImages* GetImages();
    // The images of user buttons (m_bUserButton), the caller's; null before SetUserImages.
    static BOOL SetUserImages(CMFCToolBarImages* pUserImages);
    static CMFCToolBarImages* GetUserImages();

    // Operations
    // Inserts a copy of button before iInsertAt (-1 or an index past the end: at the end). Its index, or
    // -1 when the copy cannot be made.
    virtual int InsertButton(const CMFCToolBarButton& button, INT_PTR iInsertAt = -1);
    virtual int InsertSeparator(INT_PTR iInsertAt = -1);
    virtual BOOL RemoveButton(int iIndex);
    virtual void RemoveAllButtons();
    // The size the bar needs for its buttons in a row (bStretch: as wide as its parent).
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    // Places the buttons and repaints.
    virtual void AdjustLayout();

    // Overridables
    // A character typed while the bar has the focus or with Alt in its frame: the button whose text marks
    // nChar as its mnemonic ("&" and the character, case ignored) runs its command. FALSE when no button
    // has that mnemonic.
    virtual BOOL TranslateChar(UINT nChar);

protected:
    // Runs the button: its own OnClick, or its command posted to the owner. TRUE when something ran.
    virtual BOOL ProcessCommand(CMFCToolBarButton* pButton);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Highlights button iButton (-1 for none) and repaints the buttons that change.
    void SetHighlighted(int iButton);
    // The button whose text marks nChar as its mnemonic, or -1.
    int FindMnemonic(UINT nChar) const;

    CObArray m_Buttons;
    int m_iHighlighted;   // the hot button, under the mouse or chosen by the keyboard
    int m_iButtonCapture; // the button pressed with the mouse, or -1
    CSize m_sizeButton;   // the size of image buttons
    BOOL m_bTracking;     // a WM_MOUSELEAVE is asked for
    HWND m_hwndLastFocus; // where the focus goes back when keyboard mode ends

    static CMFCToolBarImages m_Images;
    static CMFCToolBarImages* m_pUserImages;

private:
    void OnPaintBar();
    void OnKeyDownBar(UINT nChar);
};

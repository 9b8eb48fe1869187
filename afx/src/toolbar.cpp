// CMFCToolBarButton and CMFCToolBar: the bar's own window class paints its buttons and runs them.
#include "afxtoolbar.h"

IMPLEMENT_DYNCREATE(CMFCToolBarButton, CObject)
IMPLEMENT_DYNCREATE(CMFCToolBar, CWnd)

namespace afximpl
{
namespace
{
constexpr int kSeparatorWidth = 8;
constexpr int kTextMargin = 6;
// The padding around a button's image: MFC's 23 by 22 buttons for 16 by 15 images.
constexpr int kImagePadX = 7;
constexpr int kImagePadY = 7;

// The character after the first "&" of text, upper case, or 0. "&&" thus gives "&", as MFC's mnemonic
// table reads it.
UINT MnemonicOf(const CString& text)
{
    const int nAmp = text.Find(L'&');
    if (nAmp < 0 || nAmp + 1 >= text.GetLength())
        return 0;
    return static_cast<UINT>(reinterpret_cast<UINT_PTR>(
        ::CharUpperW(reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(static_cast<WORD>(text[nAmp + 1]))))));
}
} // namespace
} // namespace afximpl

/////////////////////////////////////////////////////////////////////////////
// CMFCToolBarButton

CMFCToolBarButton::CMFCToolBarButton() : CMFCToolBarButton(0, -1) {}

CMFCToolBarButton::CMFCToolBarButton(UINT uiID, int iImage, LPCTSTR lpszText, BOOL bUserButton, BOOL bLocked)
    : m_nID(uiID), m_nStyle(TBBS_BUTTON), m_strText(lpszText ? lpszText : L""), m_bText(FALSE),
      m_bImage(TRUE), m_bUserButton(bUserButton), m_bLocked(bLocked), m_bVisible(TRUE), m_iImage(iImage)
{
}

CMFCToolBarButton::~CMFCToolBarButton() = default;

void CMFCToolBarButton::CopyFrom(const CMFCToolBarButton& src)
{
    m_nID = src.m_nID;
    m_nStyle = src.m_nStyle;
    m_strText = src.m_strText;
    m_bText = src.m_bText;
    m_bImage = src.m_bImage;
    m_bUserButton = src.m_bUserButton;
    m_bLocked = src.m_bLocked;
    m_bVisible = src.m_bVisible;
    m_iImage = src.m_iImage;
    m_rect = src.m_rect;
}

SIZE CMFCToolBarButton::OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL)
{
    if (!m_bVisible)
        return CSize(0, 0);
    if (IsSeparator())
        return CSize(afximpl::kSeparatorWidth, sizeDefault.cy);
    CSize size(0, sizeDefault.cy);
    const bool bImage = m_bImage && m_iImage >= 0;
    if (bImage)
        size.cx = sizeDefault.cx;
    if (m_bText && !m_strText.IsEmpty())
    {
        CRect rectText(0, 0, 0, 0);
        ::DrawTextW(pDC->GetSafeHdc(), m_strText, m_strText.GetLength(), &rectText,
                    DT_SINGLELINE | DT_CALCRECT);
        size.cx += rectText.Width() + 2 * afximpl::kTextMargin - (bImage ? afximpl::kTextMargin : 0);
        size.cy = std::max(size.cy, static_cast<LONG>(rectText.Height() + afximpl::kImagePadY));
    }
    if (size.cx == 0)
        size.cx = sizeDefault.cx;
    return size;
}

void CMFCToolBarButton::OnDraw(CDC* pDC, const CRect& rect, CMFCToolBarImages* pImages, BOOL, BOOL,
                               BOOL bHighlight, BOOL bDrawBorder, BOOL bGrayDisabledButtons)
{
    HDC hdc = pDC->GetSafeHdc();
    if (IsSeparator())
    {
        CRect line(rect.CenterPoint().x - 1, rect.top + 2, rect.CenterPoint().x + 1, rect.bottom - 2);
        ::DrawEdge(hdc, &line, EDGE_ETCHED, BF_LEFT);
        return;
    }
    const bool bPressed = (m_nStyle & (TBBS_PRESSED | TBBS_CHECKED)) != 0;
    const bool bDisabled = (m_nStyle & TBBS_DISABLED) != 0;
    if (bDrawBorder && (bHighlight || bPressed))
    {
        CRect edge = rect;
        ::DrawEdge(hdc, &edge, bPressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    }
    const int nShift = bPressed ? 1 : 0;
    int xText = rect.left;
    if (m_bImage && m_iImage >= 0 && pImages != nullptr)
    {
        const CSize sizeImage = pImages->GetImageSize();
        const bool bText = m_bText && !m_strText.IsEmpty();
        const int x =
            bText ? rect.left + afximpl::kImagePadX / 2 : rect.left + (rect.Width() - sizeImage.cx) / 2;
        const int y = rect.top + (rect.Height() - sizeImage.cy) / 2;
        pImages->Draw(pDC, x + nShift, y + nShift, m_iImage, bHighlight, bDisabled && bGrayDisabledButtons,
                      FALSE, FALSE, !bHighlight && !bPressed);
        xText = x + sizeImage.cx;
    }
    if (m_bText && !m_strText.IsEmpty())
    {
        CRect rectText(xText + nShift, rect.top + nShift, rect.right + nShift, rect.bottom + nShift);
        const int nOldMode = ::SetBkMode(hdc, TRANSPARENT);
        const COLORREF clrOld =
            ::SetTextColor(hdc, ::GetSysColor(bDisabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
        ::DrawTextW(hdc, m_strText, m_strText.GetLength(), &rectText, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
        ::SetTextColor(hdc, clrOld);
        ::SetBkMode(hdc, nOldMode);
    }
}

BOOL CMFCToolBarButton::OnClick(CWnd*, BOOL)
{
    return FALSE;
}

/////////////////////////////////////////////////////////////////////////////
// CMFCToolBar

CMFCToolBarImages CMFCToolBar::m_Images;
CMFCToolBarImages* CMFCToolBar::m_pUserImages = nullptr;

CMFCToolBar::CMFCToolBar()
    : m_iHighlighted(-1), m_iButtonCapture(-1), m_sizeButton(23, 22), m_bTracking(FALSE),
      m_hwndLastFocus(nullptr)
{
}

CMFCToolBar::~CMFCToolBar()
{
    DestroyWindow();
    RemoveAllButtons();
}

BOOL CMFCToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW),
                                            reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    if (!CWnd::Create(lpszClass, nullptr, dwStyle | WS_CLIPSIBLINGS, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    AdjustLayout();
    return TRUE;
}

int CMFCToolBar::GetCount() const
{
    return static_cast<int>(m_Buttons.GetSize());
}

CMFCToolBarButton* CMFCToolBar::GetButton(int iIndex) const
{
    if (iIndex < 0 || iIndex >= GetCount())
        return nullptr;
    return static_cast<CMFCToolBarButton*>(m_Buttons.GetAt(iIndex));
}

UINT CMFCToolBar::GetItemID(int nIndex) const
{
    const CMFCToolBarButton* pButton = GetButton(nIndex);
    return pButton != nullptr ? pButton->m_nID : 0;
}

int CMFCToolBar::CommandToIndex(UINT nIDFind, int iIndexFirst) const
{
    for (int i = std::max(iIndexFirst, 0); i < GetCount(); ++i)
        if (GetButton(i)->m_nID == nIDFind)
            return i;
    return -1;
}

void CMFCToolBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    const CMFCToolBarButton* pButton = GetButton(nIndex);
    *lpRect = pButton != nullptr ? pButton->Rect() : CRect(0, 0, 0, 0);
}

int CMFCToolBar::HitTest(CPoint point)
{
    for (int i = 0; i < GetCount(); ++i)
    {
        const CMFCToolBarButton* pButton = GetButton(i);
        if (pButton->IsVisible() && !pButton->IsSeparator() && pButton->Rect().PtInRect(point))
            return i;
    }
    return -1;
}

CMFCToolBarImages* CMFCToolBar::GetImages()
{
    return &m_Images;
}

BOOL CMFCToolBar::SetUserImages(CMFCToolBarImages* pUserImages)
{
    if (pUserImages == nullptr || !pUserImages->IsValid())
        return FALSE;
    m_pUserImages = pUserImages;
    return TRUE;
}

CMFCToolBarImages* CMFCToolBar::GetUserImages()
{
    return m_pUserImages;
}

int CMFCToolBar::InsertButton(const CMFCToolBarButton& button, INT_PTR iInsertAt)
{
    CObject* pObject = button.GetRuntimeClass()->CreateObject();
    CMFCToolBarButton* pButton = dynamic_cast<CMFCToolBarButton*>(pObject);
    if (pButton == nullptr)
    {
        delete pObject;
        return -1;
    }
    pButton->CopyFrom(button);
    if (iInsertAt < 0 || iInsertAt > GetCount())
        iInsertAt = GetCount();
    m_Buttons.InsertAt(iInsertAt, pButton);
    if (m_iHighlighted >= iInsertAt)
        ++m_iHighlighted;
    AdjustLayout();
    return static_cast<int>(iInsertAt);
}

int CMFCToolBar::InsertSeparator(INT_PTR iInsertAt)
{
    CMFCToolBarButton separator;
    separator.m_nStyle = TBBS_SEPARATOR;
    return InsertButton(separator, iInsertAt);
}

BOOL CMFCToolBar::RemoveButton(int iIndex)
{
    CMFCToolBarButton* pButton = GetButton(iIndex);
    if (pButton == nullptr)
        return FALSE;
    m_Buttons.RemoveAt(iIndex);
    delete pButton;
    m_iHighlighted = -1;
    m_iButtonCapture = -1;
    AdjustLayout();
    return TRUE;
}

void CMFCToolBar::RemoveAllButtons()
{
    for (int i = 0; i < GetCount(); ++i)
        delete GetButton(i);
    m_Buttons.RemoveAll();
    m_iHighlighted = -1;
    m_iButtonCapture = -1;
    AdjustLayout();
}

CSize CMFCToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size(0, m_sizeButton.cy);
    if (m_pUserImages != nullptr)
        size.cy = std::max(size.cy, m_pUserImages->GetImageSize().cy + afximpl::kImagePadY);
    HDC hdc = ::GetDC(m_hWnd);
    HGDIOBJ hOldFont = ::SelectObject(hdc, ::GetStockObject(DEFAULT_GUI_FONT));
    CDC* pDC = CDC::FromHandle(hdc);
    for (int i = 0; i < GetCount(); ++i)
    {
        const CSize sizeButton = GetButton(i)->OnCalculateSize(pDC, m_sizeButton, bHorz);
        size.cx += sizeButton.cx;
        size.cy = std::max<LONG>(size.cy, sizeButton.cy);
    }
    ::SelectObject(hdc, hOldFont);
    ::ReleaseDC(m_hWnd, hdc);
    size.cx += 4;
    size.cy += 4;
    CWnd* pParent = GetParent();
    if (bStretch && pParent != nullptr)
    {
        CRect rectParent;
        pParent->GetClientRect(&rectParent);
        size.cx = std::max<LONG>(size.cx, rectParent.Width());
    }
    return size;
}

void CMFCToolBar::AdjustLayout()
{
    if (m_hWnd == nullptr)
        return;
    if (m_pUserImages != nullptr)
    {
        const CSize sizeImage = m_pUserImages->GetImageSize();
        m_sizeButton = CSize(sizeImage.cx + afximpl::kImagePadX, sizeImage.cy + afximpl::kImagePadY);
    }
    const CSize sizeBar = CalcFixedLayout(FALSE, TRUE);
    HDC hdc = ::GetDC(m_hWnd);
    HGDIOBJ hOldFont = ::SelectObject(hdc, ::GetStockObject(DEFAULT_GUI_FONT));
    CDC* pDC = CDC::FromHandle(hdc);
    int x = 2;
    for (int i = 0; i < GetCount(); ++i)
    {
        CMFCToolBarButton* pButton = GetButton(i);
        const CSize sizeButton = pButton->OnCalculateSize(pDC, m_sizeButton, TRUE);
        pButton->SetRect(CRect(x, 2, x + sizeButton.cx, sizeBar.cy - 2));
        x += sizeButton.cx;
    }
    ::SelectObject(hdc, hOldFont);
    ::ReleaseDC(m_hWnd, hdc);
    Invalidate();
}

BOOL CMFCToolBar::TranslateChar(UINT nChar)
{
    const int iButton = FindMnemonic(nChar);
    if (iButton < 0)
        return FALSE;
    SetHighlighted(iButton);
    ProcessCommand(GetButton(iButton));
    return TRUE;
}

int CMFCToolBar::FindMnemonic(UINT nChar) const
{
    const UINT nUpper = static_cast<UINT>(
        reinterpret_cast<UINT_PTR>(::CharUpperW(reinterpret_cast<LPWSTR>(UINT_PTR{nChar & 0xFFFF}))));
    for (int i = 0; i < GetCount(); ++i)
    {
        const CMFCToolBarButton* pButton = GetButton(i);
        if (pButton->IsVisible() && !pButton->IsSeparator() &&
            afximpl::MnemonicOf(pButton->m_strText) == nUpper)
            return i;
    }
    return -1;
}

BOOL CMFCToolBar::ProcessCommand(CMFCToolBarButton* pButton)
{
    if (pButton == nullptr || pButton->IsSeparator() || (pButton->m_nStyle & TBBS_DISABLED))
        return FALSE;
    if (pButton->OnClick(this, FALSE))
        return TRUE;
    CWnd* pOwner = GetOwner();
    if (pOwner == nullptr || pButton->m_nID == 0)
        return FALSE;
    return pOwner->PostMessage(WM_COMMAND, pButton->m_nID);
}

void CMFCToolBar::SetHighlighted(int iButton)
{
    if (iButton == m_iHighlighted)
        return;
    CRect rect;
    GetItemRect(m_iHighlighted, &rect);
    InvalidateRect(&rect);
    m_iHighlighted = iButton;
    GetItemRect(m_iHighlighted, &rect);
    InvalidateRect(&rect);
}

void CMFCToolBar::OnPaintBar()
{
    PAINTSTRUCT ps;
    CDC* pDC = BeginPaint(&ps);
    CRect rectClient;
    GetClientRect(&rectClient);
    ::FillRect(pDC->GetSafeHdc(), &rectClient, ::GetSysColorBrush(COLOR_BTNFACE));
    HGDIOBJ hOldFont = ::SelectObject(pDC->GetSafeHdc(), ::GetStockObject(DEFAULT_GUI_FONT));
    for (int i = 0; i < GetCount(); ++i)
    {
        CMFCToolBarButton* pButton = GetButton(i);
        if (!pButton->IsVisible())
            continue;
        CMFCToolBarImages* pImages = pButton->m_bUserButton ? m_pUserImages : &m_Images;
        pButton->OnDraw(pDC, pButton->Rect(), pImages, TRUE, FALSE, i == m_iHighlighted);
    }
    ::SelectObject(pDC->GetSafeHdc(), hOldFont);
    EndPaint(&ps);
}

void CMFCToolBar::OnKeyDownBar(UINT nChar)
{
    const int nCount = GetCount();
    switch (nChar)
    {
    case VK_LEFT:
    case VK_RIGHT:
    {
        // The next button that can be chosen, round the bar.
        const int nStep = nChar == VK_LEFT ? nCount - 1 : 1;
        for (int n = 1, i = m_iHighlighted; n <= nCount; ++n)
        {
            // Without a highlight, Right starts at the first button and Left at the last.
            i = ((i < 0 ? (nChar == VK_LEFT ? 0 : nCount - 1) : i) + nStep) % nCount;
            const CMFCToolBarButton* pButton = GetButton(i);
            if (pButton->IsVisible() && !pButton->IsSeparator())
            {
                SetHighlighted(i);
                break;
            }
        }
        break;
    }
    case VK_RETURN:
    case VK_DOWN:
        ProcessCommand(GetButton(m_iHighlighted));
        break;
    case VK_ESCAPE:
        ::SetFocus(::IsWindow(m_hwndLastFocus) ? m_hwndLastFocus : ::GetParent(m_hWnd));
        break;
    }
}

LRESULT CMFCToolBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    switch (message)
    {
    case WM_PAINT:
        OnPaintBar();
        return 0;
    case WM_ERASEBKGND:
        return TRUE;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTALLKEYS;
    case WM_SETFOCUS:
        m_hwndLastFocus = reinterpret_cast<HWND>(wParam);
        if (m_iHighlighted < 0)
            OnKeyDownBar(VK_RIGHT);
        return 0;
    case WM_KILLFOCUS:
        SetHighlighted(-1);
        return 0;
    case WM_MOUSEMOVE:
        if (!m_bTracking)
        {
            TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, m_hWnd, 0};
            m_bTracking = ::TrackMouseEvent(&track);
        }
        if (::GetFocus() != m_hWnd)
            SetHighlighted(HitTest(point));
        return 0;
    case WM_MOUSELEAVE:
        m_bTracking = FALSE;
        if (::GetFocus() != m_hWnd)
            SetHighlighted(-1);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    {
        m_iButtonCapture = HitTest(point);
        CMFCToolBarButton* pButton = GetButton(m_iButtonCapture);
        if (pButton != nullptr)
        {
            pButton->m_nStyle |= TBBS_PRESSED;
            SetHighlighted(m_iButtonCapture);
            InvalidateRect(&pButton->Rect());
            SetCapture();
        }
        return 0;
    }
    case WM_LBUTTONUP:
    {
        CMFCToolBarButton* pButton = GetButton(m_iButtonCapture);
        const bool bOver = m_iButtonCapture >= 0 && HitTest(point) == m_iButtonCapture;
        m_iButtonCapture = -1;
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        if (pButton != nullptr)
        {
            pButton->m_nStyle &= ~TBBS_PRESSED;
            InvalidateRect(&pButton->Rect());
            if (bOver)
                ProcessCommand(pButton);
        }
        return 0;
    }
    case WM_KEYDOWN:
        OnKeyDownBar(static_cast<UINT>(wParam));
        return 0;
    case WM_CHAR:
        TranslateChar(static_cast<UINT>(wParam));
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

// Control classes, image lists, menus and drawing, each against the real control or GDI object.
#include "WndTestResources.h"
#include "WndTestSupport.h"

#include <afxcmn.h>

#include <gtest/gtest.h>

using wndtest::PumpUntil;
using wndtest::TestRect;
using wndtest::TextOf;

namespace
{
class CHost : public CWnd
{
public:
    std::vector<UINT> m_commands;

    BOOL Make()
    {
        return CreateEx(0,
                        AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW),
                                            reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)),
                        L"Host", WS_POPUP | WS_VISIBLE, TestRect(0, 0, 400, 300), nullptr, 0);
    }

protected:
    afx_msg void OnCommandRange(UINT nID) { m_commands.push_back(nID); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHost, CWnd)
ON_COMMAND_RANGE(ID_WND_CMD_OPEN, ID_WND_CMD_ABOUT, &CHost::OnCommandRange)
END_MESSAGE_MAP()

class AfxCtrl : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_host.Make()); }
    void TearDown() override { m_host.DestroyWindow(); }
    CHost m_host;
};

// A 16 x 16 icon of one colour.
HICON MakeIcon(COLORREF color)
{
    HDC hScreen = ::GetDC(nullptr);
    HBITMAP hColor = ::CreateCompatibleBitmap(hScreen, 16, 16);
    HBITMAP hMask = ::CreateBitmap(16, 16, 1, 1, nullptr);
    HDC hDC = ::CreateCompatibleDC(hScreen);
    HGDIOBJ hOld = ::SelectObject(hDC, hColor);
    RECT rect = {0, 0, 16, 16};
    HBRUSH hBrush = ::CreateSolidBrush(color);
    ::FillRect(hDC, &rect, hBrush);
    ::SelectObject(hDC, hMask);
    ::PatBlt(hDC, 0, 0, 16, 16, BLACKNESS); // opaque everywhere
    ::SelectObject(hDC, hOld);
    ::DeleteObject(hBrush);
    ::DeleteDC(hDC);
    ::ReleaseDC(nullptr, hScreen);
    ICONINFO info = {TRUE, 0, 0, hMask, hColor};
    HICON hIcon = ::CreateIconIndirect(&info);
    ::DeleteObject(hColor);
    ::DeleteObject(hMask);
    return hIcon;
}

// A memory DC with a 32-bit bitmap selected, for reading back what was drawn.
class CCanvas : public CDC
{
public:
    CCanvas(int cx, int cy)
    {
        CreateCompatibleDC(nullptr);
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = cx;
        info.bmiHeader.biHeight = -cy;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* pBits = nullptr;
        m_bitmap.Attach(::CreateDIBSection(m_hDC, &info, DIB_RGB_COLORS, &pBits, nullptr, 0));
        m_pOld = SelectObject(&m_bitmap);
    }
    ~CCanvas() override { SelectObject(m_pOld); }

    CBitmap m_bitmap;

private:
    CBitmap* m_pOld;
};
} // namespace

/////////////////////////////////////////////////////////////////////////////
// Tree

TEST_F(AfxCtrl, TreeItemsCanBeFoundAgainByEveryRoute)
{
    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT,
                            TestRect(0, 0, 300, 250), &m_host, 1));
    HTREEITEM hFruit = tree.InsertItem(L"Fruit");
    HTREEITEM hApple = tree.InsertItem(L"Apple", hFruit);
    HTREEITEM hPear = tree.InsertItem(L"Pear", hFruit);
    HTREEITEM hFirst = tree.InsertItem(L"First", hFruit, TVI_FIRST);
    CString longText(L'x', 1000);
    HTREEITEM hLong = tree.InsertItem(longText);
    ASSERT_NE(nullptr, hLong);

    EXPECT_EQ(5u, tree.GetCount());
    EXPECT_EQ(hFruit, tree.GetRootItem());
    EXPECT_EQ(hFirst, tree.GetChildItem(hFruit));
    EXPECT_EQ(hApple, tree.GetNextSiblingItem(hFirst));
    EXPECT_EQ(hPear, tree.GetNextItem(hApple, TVGN_NEXT));
    EXPECT_EQ(nullptr, tree.GetNextSiblingItem(hPear));
    EXPECT_EQ(hApple, tree.GetPrevSiblingItem(hPear));
    EXPECT_EQ(hFruit, tree.GetParentItem(hPear));
    EXPECT_EQ(hLong, tree.GetNextSiblingItem(hFruit));
    EXPECT_TRUE(tree.ItemHasChildren(hFruit));
    EXPECT_FALSE(tree.ItemHasChildren(hApple));

    EXPECT_EQ(CString(L"Pear"), tree.GetItemText(hPear));
    EXPECT_EQ(longText, tree.GetItemText(hLong)); // longer than any first guess of a buffer
    EXPECT_TRUE(tree.SetItemText(hPear, L"Quince"));
    EXPECT_EQ(CString(L"Quince"), tree.GetItemText(hPear));

    EXPECT_TRUE(tree.SetItemData(hApple, 0xA991E));
    EXPECT_EQ(0xA991Eu, tree.GetItemData(hApple));

    EXPECT_TRUE(tree.DeleteItem(hFruit));
    EXPECT_EQ(1u, tree.GetCount());
    EXPECT_TRUE(tree.DeleteAllItems());
    EXPECT_EQ(0u, tree.GetCount());
}

TEST_F(AfxCtrl, TreeExpandSelectAndHitTest)
{
    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT,
                            TestRect(0, 0, 300, 250), &m_host, 1));
    HTREEITEM hRoot = tree.InsertItem(L"Root");
    HTREEITEM hChild = tree.InsertItem(L"Child", hRoot);
    HTREEITEM hOther = tree.InsertItem(L"Other");

    EXPECT_EQ(0u, tree.GetItemState(hRoot, TVIS_EXPANDED));
    CRect rect;
    EXPECT_FALSE(tree.GetItemRect(hChild, &rect, TRUE)); // hidden under its collapsed parent
    EXPECT_TRUE(tree.Expand(hRoot, TVE_EXPAND));
    EXPECT_EQ(static_cast<UINT>(TVIS_EXPANDED), tree.GetItemState(hRoot, TVIS_EXPANDED));
    EXPECT_EQ(hChild, tree.GetNextVisibleItem(hRoot));

    EXPECT_TRUE(tree.SelectItem(hOther));
    EXPECT_EQ(hOther, tree.GetSelectedItem());

    ASSERT_TRUE(tree.GetItemRect(hChild, &rect, TRUE));
    UINT nFlags = 0;
    EXPECT_EQ(hChild, tree.HitTest(rect.CenterPoint(), &nFlags));
    EXPECT_NE(0u, nFlags & TVHT_ONITEMLABEL);
    EXPECT_EQ(nullptr, tree.HitTest(CPoint(5, 240), &nFlags));
    EXPECT_NE(0u, nFlags & TVHT_NOWHERE);

    EXPECT_TRUE(tree.Expand(hRoot, TVE_COLLAPSE));
    EXPECT_EQ(hOther, tree.GetNextVisibleItem(hRoot));
}

TEST_F(AfxCtrl, TreeUsesTheImageListItIsGivenWithoutOwningIt)
{
    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 4));
    HICON hIcon = MakeIcon(RGB(255, 0, 0));
    images.Add(hIcon);
    images.Add(hIcon);
    ::DestroyIcon(hIcon);
    {
        CTreeCtrl tree;
        ASSERT_TRUE(tree.Create(WS_VISIBLE, TestRect(0, 0, 200, 200), &m_host, 1));
        EXPECT_EQ(nullptr, tree.SetImageList(&images, TVSIL_NORMAL));
        EXPECT_EQ(&images, tree.GetImageList(TVSIL_NORMAL)); // the permanent object, not a temporary one
        HTREEITEM hItem = tree.InsertItem(L"pictured", 1, 0);
        int nImage = -1;
        int nSelected = -1;
        ASSERT_TRUE(tree.GetItemImage(hItem, nImage, nSelected));
        EXPECT_EQ(1, nImage);
        EXPECT_EQ(0, nSelected);
    }
    // The list outlives the tree.
    EXPECT_EQ(2, images.GetImageCount());
}

/////////////////////////////////////////////////////////////////////////////
// Image list

TEST_F(AfxCtrl, ImageListAddsReplacesRemovesAndDraws)
{
    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 4));
    EXPECT_FALSE(images.Create(16, 16, ILC_COLOR32, 0, 4)); // it has a list already
    HICON hRed = MakeIcon(RGB(255, 0, 0));
    HICON hBlue = MakeIcon(RGB(0, 0, 255));
    EXPECT_EQ(0, images.Add(hRed));
    EXPECT_EQ(1, images.Add(hRed));
    EXPECT_EQ(2, images.GetImageCount());
    int cx = 0;
    int cy = 0;
    ASSERT_TRUE(images.GetIconSize(&cx, &cy));
    EXPECT_EQ(16, cx);
    EXPECT_EQ(16, cy);

    EXPECT_EQ(1, images.Replace(1, hBlue));
    CCanvas canvas(40, 20);
    canvas.FillSolidRect(0, 0, 40, 20, RGB(255, 255, 255));
    EXPECT_TRUE(images.Draw(&canvas, 0, CPoint(0, 0), ILD_NORMAL));
    EXPECT_TRUE(images.Draw(&canvas, 1, CPoint(20, 0), ILD_NORMAL));
    EXPECT_EQ(RGB(255, 0, 0), canvas.GetPixel(8, 8));
    EXPECT_EQ(RGB(0, 0, 255), canvas.GetPixel(28, 8));
    EXPECT_EQ(RGB(255, 255, 255), canvas.GetPixel(18, 8));

    EXPECT_TRUE(images.Remove(0));
    EXPECT_EQ(1, images.GetImageCount());
    canvas.FillSolidRect(0, 0, 40, 20, RGB(255, 255, 255));
    images.Draw(&canvas, 0, CPoint(0, 0), ILD_NORMAL);
    EXPECT_EQ(RGB(0, 0, 255), canvas.GetPixel(8, 8));

    // A copy is a list of its own.
    CImageList copy;
    ASSERT_TRUE(copy.Create(&images));
    EXPECT_NE(images.m_hImageList, copy.m_hImageList);
    EXPECT_EQ(1, copy.GetImageCount());

    ::DestroyIcon(hRed);
    ::DestroyIcon(hBlue);
}

TEST_F(AfxCtrl, ImageListOwnershipFollowsAttachAndDetach)
{
    HIMAGELIST hList = ImageList_Create(16, 16, ILC_COLOR32, 0, 1);
    {
        CImageList first;
        ASSERT_TRUE(first.Attach(hList));
        EXPECT_EQ(&first, CImageList::FromHandle(hList));
        EXPECT_EQ(&first, CImageList::FromHandlePermanent(hList));
        CImageList second;
        EXPECT_FALSE(second.Attach(hList));
        EXPECT_EQ(hList, first.Detach());
        EXPECT_EQ(nullptr, CImageList::FromHandlePermanent(hList));
    }
    // Detached, it survived its object; attached, it goes with it.
    EXPECT_EQ(0, ImageList_GetImageCount(hList));
    {
        CImageList owner;
        ASSERT_TRUE(owner.Attach(hList));
        EXPECT_TRUE(owner.DeleteImageList());
        EXPECT_EQ(nullptr, owner.m_hImageList);
        EXPECT_FALSE(owner.DeleteImageList());
    }
}

/////////////////////////////////////////////////////////////////////////////
// List view

TEST_F(AfxCtrl, ListViewHoldsRowsColumnsAndLongTexts)
{
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_VISIBLE | LVS_REPORT, TestRect(0, 0, 300, 200), &m_host, 2));
    EXPECT_EQ(0, list.InsertColumn(0, L"Name", LVCFMT_LEFT, 100));
    EXPECT_EQ(1, list.InsertColumn(1, L"Value", LVCFMT_LEFT, 80));
    EXPECT_EQ(0, list.InsertItem(0, L"first"));
    EXPECT_EQ(1, list.InsertItem(1, L"second"));
    CString longText(L'y', 700);
    EXPECT_TRUE(list.SetItemText(1, 1, longText));
    EXPECT_EQ(2, list.GetItemCount());
    EXPECT_EQ(CString(L"second"), list.GetItemText(1, 0));
    EXPECT_EQ(longText, list.GetItemText(1, 1));
    EXPECT_EQ(CString(), list.GetItemText(0, 1));
    EXPECT_TRUE(list.SetItemData(0, 77));
    EXPECT_EQ(77u, list.GetItemData(0));
    EXPECT_TRUE(list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED));
    EXPECT_EQ(1u, list.GetSelectedCount());
    EXPECT_EQ(1, list.GetNextItem(-1, LVNI_SELECTED));
}

/////////////////////////////////////////////////////////////////////////////
// Menus

TEST_F(AfxCtrl, MenuBuiltInCodeAnswersAboutItsItems)
{
    CMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    CMenu sub;
    ASSERT_TRUE(sub.CreatePopupMenu());
    ASSERT_TRUE(sub.AppendMenu(MF_STRING, ID_WND_CMD_ABOUT, L"&About"));
    ASSERT_TRUE(popup.AppendMenu(MF_STRING, ID_WND_CMD_OPEN, L"&Open"));
    ASSERT_TRUE(popup.AppendMenu(MF_SEPARATOR));
    ASSERT_TRUE(popup.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(sub.m_hMenu), L"&More"));
    ASSERT_TRUE(popup.InsertMenu(0, MF_BYPOSITION | MF_STRING, ID_WND_CMD_SAVE, L"&Save"));
    HMENU hSub = sub.Detach(); // the popup owns it now

    EXPECT_EQ(4, popup.GetMenuItemCount());
    EXPECT_EQ(static_cast<UINT>(ID_WND_CMD_SAVE), popup.GetMenuItemID(0));
    EXPECT_EQ(static_cast<UINT>(ID_WND_CMD_OPEN), popup.GetMenuItemID(1));
    EXPECT_EQ(0u, popup.GetMenuItemID(2));                     // separator
    EXPECT_EQ(static_cast<UINT>(-1), popup.GetMenuItemID(3));  // submenu
    EXPECT_EQ(static_cast<UINT>(-1), popup.GetMenuItemID(10)); // beyond the end

    CString text;
    EXPECT_EQ(5, popup.GetMenuString(ID_WND_CMD_OPEN, text, MF_BYCOMMAND));
    EXPECT_EQ(CString(L"&Open"), text);
    popup.GetMenuString(3, text, MF_BYPOSITION);
    EXPECT_EQ(CString(L"&More"), text);
    EXPECT_EQ(0, popup.GetMenuString(2, text, MF_BYPOSITION));
    EXPECT_TRUE(text.IsEmpty());

    CMenu* pSub = popup.GetSubMenu(3);
    ASSERT_NE(nullptr, pSub);
    EXPECT_EQ(hSub, pSub->m_hMenu);
    EXPECT_EQ(pSub, CMenu::FromHandle(hSub));
    EXPECT_EQ(nullptr, popup.GetSubMenu(0));

    EXPECT_EQ(static_cast<UINT>(MF_UNCHECKED), popup.CheckMenuItem(ID_WND_CMD_OPEN, MF_CHECKED));
    EXPECT_NE(0u, popup.GetMenuState(ID_WND_CMD_OPEN, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_EQ(static_cast<UINT>(-1), popup.CheckMenuItem(9999, MF_CHECKED));

    // Destroying the popup destroys its submenu with it.
    HMENU hPopup = popup.m_hMenu;
    EXPECT_TRUE(popup.DestroyMenu());
    EXPECT_FALSE(::IsMenu(hPopup));
    EXPECT_FALSE(::IsMenu(hSub));
}

TEST_F(AfxCtrl, MenuFromResourcesBelongsToItsObject)
{
    HMENU hMenu = nullptr;
    {
        CMenu menu;
        ASSERT_TRUE(menu.LoadMenu(IDR_WND_MENU));
        hMenu = menu.m_hMenu;
        EXPECT_EQ(&menu, CMenu::FromHandle(hMenu));
        EXPECT_FALSE(CMenu().Attach(hMenu));
        CMenu* pTools = menu.GetSubMenu(1);
        ASSERT_NE(nullptr, pTools);
        CString text;
        pTools->GetMenuString(1, text, MF_BYPOSITION);
        EXPECT_EQ(CString(L"&Help"), text);
        EXPECT_EQ(static_cast<UINT>(ID_WND_CMD_ABOUT), pTools->GetSubMenu(1)->GetMenuItemID(0));
    }
    EXPECT_FALSE(::IsMenu(hMenu));

    CMenu missing;
    EXPECT_FALSE(missing.LoadMenu(7197));
    EXPECT_EQ(nullptr, missing.m_hMenu);
}

TEST_F(AfxCtrl, PopupMenuChosenFromTheKeyboardSendsItsCommand)
{
    CMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    popup.AppendMenu(MF_STRING, ID_WND_CMD_OPEN, L"&Open");
    popup.AppendMenu(MF_STRING, ID_WND_CMD_SAVE, L"&Save");
    m_host.SetForegroundWindow();

    // The keys wait in the queue; the menu's own loop reads them.
    m_host.PostMessage(WM_KEYDOWN, VK_DOWN);
    m_host.PostMessage(WM_KEYDOWN, VK_DOWN);
    m_host.PostMessage(WM_KEYDOWN, VK_RETURN);
    EXPECT_EQ(static_cast<BOOL>(ID_WND_CMD_SAVE),
              popup.TrackPopupMenu(TPM_LEFTALIGN | TPM_RETURNCMD | TPM_NONOTIFY, 50, 50, &m_host));

    // Without TPM_RETURNCMD the choice arrives as a command to the owner's message map.
    m_host.PostMessage(WM_KEYDOWN, VK_DOWN);
    m_host.PostMessage(WM_KEYDOWN, VK_RETURN);
    EXPECT_TRUE(popup.TrackPopupMenu(TPM_LEFTALIGN, 50, 50, &m_host));
    EXPECT_TRUE(PumpUntil([&] { return !m_host.m_commands.empty(); }));
    EXPECT_EQ(std::vector<UINT>{ID_WND_CMD_OPEN}, m_host.m_commands);
}

/////////////////////////////////////////////////////////////////////////////
// Drawing

TEST_F(AfxCtrl, DrawingCallsReachTheBitmap)
{
    CCanvas canvas(60, 40);
    canvas.FillSolidRect(CRect(0, 0, 60, 40), RGB(255, 255, 255));
    EXPECT_EQ(RGB(255, 255, 255), canvas.GetBkColor()); // the fill colour stays as background

    CPen pen(PS_SOLID, 1, RGB(255, 0, 0));
    CPen* pOldPen = canvas.SelectObject(&pen);
    ASSERT_NE(nullptr, pOldPen);
    EXPECT_TRUE(pOldPen->IsKindOf(RUNTIME_CLASS(CPen)));
    canvas.MoveTo(0, 5);
    EXPECT_TRUE(canvas.LineTo(60, 5));
    EXPECT_EQ(CPoint(60, 5), canvas.GetCurrentPosition());
    EXPECT_EQ(RGB(255, 0, 0), canvas.GetPixel(30, 5));
    canvas.SelectObject(pOldPen);

    CBrush brush(RGB(0, 255, 0));
    canvas.FillRect(CRect(10, 10, 20, 20), &brush);
    EXPECT_EQ(RGB(0, 255, 0), canvas.GetPixel(15, 15));
    EXPECT_EQ(RGB(255, 255, 255), canvas.GetPixel(25, 15));

    // Copying between DCs.
    CCanvas copy(60, 40);
    EXPECT_TRUE(copy.BitBlt(0, 0, 60, 40, &canvas, 0, 0, SRCCOPY));
    EXPECT_EQ(RGB(0, 255, 0), copy.GetPixel(15, 15));
    EXPECT_EQ(RGB(255, 0, 0), copy.GetPixel(30, 5));

    CRect focus(30, 20, 50, 35);
    canvas.DrawFocusRect(&focus);
    int nDotted = 0;
    for (int x = focus.left; x < focus.right; ++x)
    {
        nDotted += canvas.GetPixel(x, focus.top) != RGB(255, 255, 255) ? 1 : 0;
    }
    EXPECT_GT(nDotted, 0);
    EXPECT_LT(nDotted, focus.Width()); // dotted, not solid
    CRect box(0, 25, 14, 39);
    EXPECT_TRUE(canvas.DrawFrameControl(&box, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED));
    EXPECT_GT(canvas.GetDeviceCaps(BITSPIXEL), 0);
}

TEST_F(AfxCtrl, TextIsMeasuredAndWrappedInTheSelectedFont)
{
    CCanvas canvas(200, 100);
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(100, L"Tahoma"));
    LOGFONT logFont = {};
    ASSERT_NE(0, font.GetLogFont(&logFont));
    EXPECT_LT(logFont.lfHeight, 0); // a character height, from the point size
    CFont* pOld = canvas.SelectObject(&font);
    ASSERT_NE(nullptr, pOld);
    EXPECT_TRUE(pOld->IsKindOf(RUNTIME_CLASS(CFont)));
    EXPECT_EQ(&font, canvas.GetCurrentFont());

    CSize one = canvas.GetTextExtent(CString(L"word"));
    CSize two = canvas.GetTextExtent(L"word word", 9);
    EXPECT_GT(one.cx, 0);
    EXPECT_GT(two.cx, one.cx);
    EXPECT_EQ(one.cy, two.cy);

    // Wrapped into a narrow rectangle, the text needs more lines.
    CRect line(0, 0, 1000, 0);
    canvas.DrawText(CString(L"word word word word"), &line, DT_CALCRECT | DT_WORDBREAK);
    CRect wrapped(0, 0, one.cx + 2, 0);
    int nHeight = canvas.DrawText(CString(L"word word word word"), &wrapped, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(nHeight, wrapped.Height());
    EXPECT_GE(wrapped.Height(), 3 * line.Height());

    canvas.FillSolidRect(0, 0, 200, 100, RGB(255, 255, 255));
    canvas.SetTextColor(RGB(0, 0, 0));
    canvas.SetBkMode(TRANSPARENT);
    EXPECT_TRUE(canvas.TextOut(0, 0, CString(L"WWWW")));
    bool bInk = false;
    for (int x = 0; x < one.cx && !bInk; ++x)
    {
        for (int y = 0; y < one.cy && !bInk; ++y)
        {
            bInk = canvas.GetPixel(x, y) != RGB(255, 255, 255);
        }
    }
    EXPECT_TRUE(bInk);
    canvas.SelectObject(pOld);
}

TEST_F(AfxCtrl, GdiObjectsAreDeletedWithTheirOwners)
{
    HGDIOBJ hBrush = nullptr;
    {
        CBrush brush(RGB(1, 2, 3));
        hBrush = brush.m_hObject;
        LOGBRUSH logBrush = {};
        ASSERT_NE(0, brush.GetLogBrush(&logBrush));
        EXPECT_EQ(RGB(1, 2, 3), logBrush.lbColor);
        EXPECT_EQ(&brush, CGdiObject::FromHandle(hBrush));
        // Nobody else may own it: it would be deleted twice.
        CBrush rival;
        EXPECT_FALSE(rival.Attach(hBrush));
    }
    EXPECT_EQ(0, ::GetObjectType(hBrush));

    HGDIOBJ hPen = nullptr;
    {
        CPen pen(PS_DASH, 1, RGB(9, 9, 9));
        hPen = pen.Detach();
    }
    EXPECT_EQ(OBJ_PEN, static_cast<int>(::GetObjectType(hPen)));
    ::DeleteObject(hPen);

    // Stock objects are everybody's.
    CGdiObject first;
    CGdiObject second;
    EXPECT_TRUE(first.CreateStockObject(WHITE_BRUSH));
    EXPECT_TRUE(second.CreateStockObject(WHITE_BRUSH));

    // A temporary object takes the class of its handle.
    HFONT hFont = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    EXPECT_TRUE(CGdiObject::FromHandle(hFont)->IsKindOf(RUNTIME_CLASS(CFont)));
}

namespace
{
class CPaintedWnd : public CWnd
{
public:
    int m_nPaints = 0;
    CRect m_rectPaint;

protected:
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        ++m_nPaints;
        m_rectPaint = dc.m_ps.rcPaint;
        dc.FillSolidRect(&dc.m_ps.rcPaint, RGB(10, 20, 30));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPaintedWnd, CWnd)
ON_WM_PAINT()
END_MESSAGE_MAP()
} // namespace

TEST_F(AfxCtrl, PaintDCValidatesWhatItPainted)
{
    CPaintedWnd wnd;
    ASSERT_TRUE(wnd.Create(nullptr, L"", WS_VISIBLE, TestRect(10, 10, 50, 50), &m_host, 3));
    wnd.UpdateWindow();
    int nPaints = wnd.m_nPaints;
    CRect part(5, 5, 15, 15);
    wnd.InvalidateRect(&part, FALSE);
    wnd.UpdateWindow();
    EXPECT_EQ(nPaints + 1, wnd.m_nPaints);
    EXPECT_EQ(part, wnd.m_rectPaint);
    CRect pending;
    EXPECT_FALSE(wnd.GetUpdateRect(&pending));

    CClientDC dc(&wnd);
    EXPECT_EQ(&wnd, dc.GetWindow());
    EXPECT_EQ(RGB(10, 20, 30), dc.GetPixel(10, 10));
}

/////////////////////////////////////////////////////////////////////////////
// Standard controls

TEST_F(AfxCtrl, StandardControlsAnswerThroughTheirWrappers)
{
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_VISIBLE | ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL,
                            TestRect(0, 0, 200, 60), &m_host, 10));
    CString longLine(L'z', 400);
    edit.SetWindowText(L"one\r\n" + longLine + L"\r\nthree");
    EXPECT_EQ(3, edit.GetLineCount());
    EXPECT_EQ(longLine, edit.GetLine(1));
    EXPECT_EQ(CString(L"one"), edit.GetLine(0));
    EXPECT_EQ(CString(), edit.GetLine(7));
    edit.SetSel(0, 3);
    edit.ReplaceSel(L"ONE");
    int nStart = -1;
    int nEnd = -1;
    edit.GetSel(nStart, nEnd);
    EXPECT_EQ(3, nStart);
    EXPECT_EQ(3, nEnd);
    EXPECT_EQ(CString(L"ONE"), edit.GetLine(0));

    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_VISIBLE | CBS_DROPDOWNLIST, TestRect(0, 70, 150, 120), &m_host, 11));
    EXPECT_EQ(0, combo.AddString(L"apple"));
    EXPECT_EQ(1, combo.AddString(L"banana"));
    EXPECT_EQ(1, combo.FindStringExact(-1, L"BANANA"));
    EXPECT_EQ(CB_ERR, combo.FindStringExact(-1, L"ban"));
    EXPECT_EQ(1, combo.SelectString(-1, L"ban"));
    CString text;
    combo.GetLBText(combo.GetCurSel(), text);
    EXPECT_EQ(CString(L"banana"), text);

    CListBox list;
    ASSERT_TRUE(list.Create(WS_VISIBLE | LBS_NOTIFY, TestRect(160, 70, 100, 100), &m_host, 12));
    list.AddString(L"x");
    list.InsertString(0, L"first");
    list.GetText(0, text);
    EXPECT_EQ(CString(L"first"), text);
    list.GetText(5, text);
    EXPECT_TRUE(text.IsEmpty());

    CButton check;
    ASSERT_TRUE(check.Create(L"check", WS_VISIBLE | BS_AUTO3STATE, TestRect(0, 200, 100, 20), &m_host, 13));
    check.Click();
    EXPECT_EQ(BST_CHECKED, check.GetCheck());
    check.Click();
    EXPECT_EQ(BST_INDETERMINATE, check.GetCheck());
    EXPECT_EQ(static_cast<UINT>(BS_AUTO3STATE), check.GetButtonStyle() & 0x0F);
    m_host.CheckDlgButton(13, BST_UNCHECKED);
    EXPECT_EQ(static_cast<UINT>(BST_UNCHECKED), m_host.IsDlgButtonChecked(13));
    EXPECT_EQ(&check, m_host.GetDlgItem(13));

    m_host.SetDlgItemText(10, L"set by id");
    CString got;
    EXPECT_EQ(9, m_host.GetDlgItemText(10, got));
    EXPECT_EQ(CString(L"set by id"), got);
    EXPECT_EQ(0, m_host.GetDlgItemText(999, got));
}

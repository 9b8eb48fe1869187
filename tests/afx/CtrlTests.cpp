// Controls, image lists, menus and drawing against the real controls and GDI objects. The library uses only
// the edit control and fonts; the other classes have smoke tests. The handle map that connects them
// all to their handles is tested for every kind at once.
#include "WndTestResources.h"
#include "WndTestSupport.h"

#include <afxcmn.h>

#include <gtest/gtest.h>

using wndtest::TestRect;

namespace
{
class AfxCtrl : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.CreateEx(0, AfxRegisterWndClass(0), L"Host", WS_POPUP | WS_VISIBLE,
                                    TestRect(0, 0, 400, 300), nullptr, 0));
    }
    void TearDown() override { m_host.DestroyWindow(); }
    CWnd m_host;
};
} // namespace

/////////////////////////////////////////////////////////////////////////////
// The handle map: one set of ownership rules for windows, menus, GDI objects, image lists and DCs

namespace
{
// Attach makes the object the handle's one owner, Detach lets go without destroying, and the owner
// destroys the handle with itself.
template <class T, class H> void CheckOwnership(H h, bool (*pfnAlive)(H))
{
    ASSERT_NE(nullptr, h);
    {
        T owner;
        ASSERT_TRUE(owner.Attach(h));
        EXPECT_EQ(&owner, T::FromHandle(h));
        EXPECT_FALSE(owner.Attach(h)); // one handle per object
        T rival;
        EXPECT_FALSE(rival.Attach(h)); // it would be destroyed twice
        EXPECT_EQ(h, owner.Detach());
        T* pTemp = T::FromHandle(h);
        EXPECT_NE(&owner, pTemp);
        EXPECT_EQ(pTemp, T::FromHandle(h));
        EXPECT_TRUE(pfnAlive(h));
        ASSERT_TRUE(owner.Attach(h));
    }
    EXPECT_FALSE(pfnAlive(h));
}
} // namespace

TEST_F(AfxCtrl, EveryHandleKindFollowsTheSameOwnershipRules)
{
    {
        SCOPED_TRACE("window");
        CheckOwnership<CWnd>(
            ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr),
            +[](HWND h) { return ::IsWindow(h) != FALSE; });
    }
    {
        SCOPED_TRACE("menu");
        CheckOwnership<CMenu>(
            ::CreatePopupMenu(), +[](HMENU h) { return ::IsMenu(h) != FALSE; });
    }
    {
        SCOPED_TRACE("GDI object");
        CheckOwnership<CGdiObject>(
            static_cast<HGDIOBJ>(::CreateSolidBrush(RGB(1, 2, 3))),
            +[](HGDIOBJ h) { return ::GetObjectType(h) != 0; });
    }
    {
        SCOPED_TRACE("image list");
        // A destroyed image list cannot be asked about; its copy counts instead.
        CheckOwnership<CImageList>(
            ImageList_Create(16, 16, ILC_COLOR32, 0, 1),
            +[](HIMAGELIST h)
            {
                HIMAGELIST hCopy = ImageList_Duplicate(h);
                bool bAlive = hCopy != nullptr;
                ImageList_Destroy(hCopy);
                return bAlive;
            });
    }
    // Stock objects and class DCs are shared: the newest object takes them over.
    CGdiObject first;
    CGdiObject second;
    EXPECT_TRUE(first.CreateStockObject(WHITE_BRUSH));
    EXPECT_TRUE(second.CreateStockObject(WHITE_BRUSH));
    CDC dcFirst;
    CDC dcSecond;
    HDC hDC = ::CreateCompatibleDC(nullptr);
    ASSERT_TRUE(dcFirst.Attach(hDC));
    ASSERT_TRUE(dcSecond.Attach(hDC));
    EXPECT_EQ(&dcSecond, CDC::FromHandle(hDC));
    dcFirst.Detach();
    EXPECT_EQ(&dcSecond, CDC::FromHandle(hDC));
    EXPECT_TRUE(dcSecond.DeleteDC());
    // A temporary object takes the class of its handle.
    HFONT hFont = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    EXPECT_TRUE(CGdiObject::FromHandle(hFont)->IsKindOf(RUNTIME_CLASS(CFont)));
}

/////////////////////////////////////////////////////////////////////////////
// The edit control and fonts, which the library uses

TEST_F(AfxCtrl, EditGivesItsLinesAndReplacesTheSelection)
{
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_VISIBLE | ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL,
                            TestRect(0, 0, 200, 60), &m_host, 10));
    CString longLine(L'z', 400);
    edit.SetWindowText(L"one\r\n" + longLine + L"\r\nthree");
    EXPECT_EQ(3, edit.GetLineCount());
    EXPECT_EQ(longLine, edit.GetLine(1)); // longer than any first guess of a buffer
    EXPECT_EQ(CString(), edit.GetLine(7));
    edit.SetSel(0, 3);
    edit.ReplaceSel(L"ONE");
    EXPECT_EQ(CString(L"ONE"), edit.GetLine(0));
    EXPECT_EQ(&edit, m_host.GetDlgItem(10));
}

TEST_F(AfxCtrl, FontIsSelectedIntoTheDCAndMeasuresText)
{
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(200, L"Tahoma"));
    CClientDC dc(&m_host);
    CSize small = dc.GetTextExtent(L"MMMM", 4);
    CFont* pOld = dc.SelectObject(&font);
    CSize large = dc.GetTextExtent(L"MMMM", 4);
    EXPECT_EQ(&font, dc.GetCurrentFont());
    dc.SelectObject(pOld);
    EXPECT_GT(large.cy, small.cy);
    EXPECT_GT(large.cx, small.cx);
}

/////////////////////////////////////////////////////////////////////////////
// Smoke tests of the classes nothing in the library uses

TEST_F(AfxCtrl, MenuSmoke)
{
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_WND_MENU));
    CString text;
    menu.GetSubMenu(1)->GetMenuString(1, text, MF_BYPOSITION);
    EXPECT_EQ(CString(L"&Help"), text);
    EXPECT_FALSE(CMenu().LoadMenu(7197));
}

// Most of these members pass a message on and no more; the ones below also size a buffer for the text.
TEST_F(AfxCtrl, ControlsSmoke)
{
    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_VISIBLE | TVS_HASLINES, TestRect(0, 0, 300, 250), &m_host, 1));
    HTREEITEM hFruit = tree.InsertItem(L"Fruit");
    HTREEITEM hPear = tree.InsertItem(CString(L'p', 1000), hFruit);
    EXPECT_EQ(hPear, tree.GetChildItem(hFruit));
    EXPECT_EQ(CString(L'p', 1000), tree.GetItemText(hPear));

    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_VISIBLE | LVS_REPORT, TestRect(0, 0, 300, 200), &m_host, 2));
    EXPECT_EQ(0, list.InsertColumn(0, L"Name", LVCFMT_LEFT, 100));
    EXPECT_EQ(0, list.InsertItem(0, CString(L'y', 700)));
    EXPECT_EQ(CString(L'y', 700), list.GetItemText(0, 0));

    CListBox listBox;
    ASSERT_TRUE(listBox.Create(WS_VISIBLE, TestRect(160, 70, 100, 100), &m_host, 12));
    listBox.AddString(L"x");
    listBox.InsertString(0, L"first");
    CString text;
    listBox.GetText(0, text);
    EXPECT_EQ(CString(L"first"), text);
}

namespace
{
class CPaintedWnd : public CWnd
{
protected:
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        dc.FillSolidRect(CRect(0, 0, 50, 50), RGB(10, 20, 30));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPaintedWnd, CWnd)
ON_WM_PAINT()
END_MESSAGE_MAP()
} // namespace

TEST_F(AfxCtrl, PaintDCSmoke)
{
    CPaintedWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), L"", WS_CHILD | WS_VISIBLE, TestRect(0, 0, 60, 60),
                             &m_host, 20));
    wnd.UpdateWindow();
    EXPECT_FALSE(::GetUpdateRect(wnd, nullptr, FALSE)); // what was painted is validated
    CClientDC dc(&wnd);
    EXPECT_EQ(RGB(10, 20, 30), dc.GetPixel(10, 10));
}

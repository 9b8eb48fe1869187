// Controls, image lists, menus and GDI objects against the real ones. The library's own controls reach the
// edit control, fonts and painting; the rest have smoke tests. The handle map that connects them all to
// their handles is tested for every kind at once.
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
// Smoke tests of menus and controls

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

    CEdit edit;
    ASSERT_TRUE(
        edit.Create(WS_VISIBLE | ES_MULTILINE | ES_AUTOHSCROLL, TestRect(0, 0, 200, 60), &m_host, 10));
    edit.SetWindowText(L"one\r\n" + CString(L'z', 400));
    EXPECT_EQ(CString(L'z', 400), edit.GetLine(1));
    EXPECT_EQ(CString(), edit.GetLine(7));
}

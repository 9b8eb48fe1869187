// VParentable: the owner of what an object raises.
#include "dialogs/VParentable.h"

#include "DialogTestSupport.h"

#include <gtest/gtest.h>

#include <thread>

using namespace dialogtest;

namespace
{
struct CParentable : VParentable
{
    CParentable() = default;
    CParentable(CParentable const& other) : VParentable(other) {}
};

class Parentable : public testing::Test
{
protected:
    CCancelModeWnd m_main;

    void SetUp() override
    {
        ASSERT_TRUE(m_main.CreatePopup(L"Main"));
        AfxGetApp()->m_pMainWnd = &m_main;
    }
    void TearDown() override
    {
        AfxGetApp()->m_pMainWnd = nullptr;
        m_main.DestroyWindow();
    }
};

TEST_F(Parentable, StartsWithTheMainWindowOfAnMfcThreadOnly)
{
    CParentable onMfcThread;
    EXPECT_EQ(onMfcThread.GetParentWindow(), &m_main);

    bool bNullElsewhere = false;
    std::thread(
        [&bNullElsewhere]
        {
            CParentable onPlainThread;
            bNullElsewhere = onPlainThread.GetParentWindow() == nullptr;
        })
        .join();
    EXPECT_TRUE(bNullElsewhere);
}

TEST_F(Parentable, SetCopyAndLoseTheParent)
{
    CCancelModeWnd other;
    ASSERT_TRUE(other.CreatePopup(L"Other"));
    CParentable parentable;
    parentable.SetParentWindow(&other);
    EXPECT_EQ(parentable.GetParentWindow(), &other);

    CParentable copy(parentable);
    EXPECT_EQ(copy.GetParentWindow(), &other);
    copy.SetParentWindow(nullptr);
    EXPECT_EQ(copy.GetParentWindow(), nullptr);
    EXPECT_EQ(parentable.GetParentWindow(), &other);

    IParentable& asInterface = parentable;
    other.DestroyWindow();
    EXPECT_EQ(asInterface.GetParentWindow(), nullptr);
}

// The pop-up becomes its owner's last active one only by being activated.
TEST(ParentableFocus, GivesTheLastActivePopupOfTheParent)
{
    CCancelModeWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), L"Owner", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200,
                               nullptr, nullptr));
    ::SetForegroundWindow(owner.m_hWnd);
    ::SetActiveWindow(owner.m_hWnd);
    CParentable parentable;
    parentable.SetParentWindow(&owner);
    EXPECT_EQ(parentable.GetParentWindow(), &owner);

    CWnd popup;
    ASSERT_TRUE(popup.CreateEx(0, AfxRegisterWndClass(0), L"Popup", WS_POPUP, 20, 20, 100, 80, owner.m_hWnd,
                               nullptr));
    popup.ShowWindow(SW_SHOW);
    ::SetActiveWindow(popup.m_hWnd);
    ASSERT_EQ(::GetActiveWindow(), popup.m_hWnd);
    CWnd* pParent = parentable.GetParentWindow();
    ASSERT_NE(pParent, nullptr);
    EXPECT_EQ(pParent->m_hWnd, popup.m_hWnd);

    popup.DestroyWindow();
    owner.DestroyWindow();
}
} // namespace

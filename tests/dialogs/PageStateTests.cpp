// VPropertyPageStateMap and VPropertyTreePageBase: the remembered tree state of pages.
#include "dialogs/IPropertyTreeDialog.h"
#include "dialogs/VDialog.h"
#include "dialogs/VPropertyPageStateMap.h"
#include "dialogs/VPropertyTreePageBase.h"

#include "DialogTestResources.h"

#include <gtest/gtest.h>

namespace
{
VPropertyPageState* StateOf(const VPropertyPageStateMap& map, const wchar_t* lpszName)
{
    VPropertyPageState* pState = nullptr;
    return map.Lookup(VUnicodeString(lpszName), pState) ? pState : nullptr;
}

TEST(PageStateMap, CopiesHoldTheirOwnStates)
{
    VPropertyPageStateMap original;
    EXPECT_EQ(original.GetBucketCount(), 25);
    original.Set(VUnicodeString(L"Connection"), new VPropertyPageState{false, true});
    {
        VPropertyPageStateMap copy(original), assigned;
        assigned.Set(VUnicodeString(L"Transfer"), new VPropertyPageState{true, true});
        assigned = original;
        assigned = assigned;
        for (VPropertyPageStateMap* pMap : {&copy, &assigned})
        {
            EXPECT_EQ(pMap->GetCount(), 1);
            VPropertyPageState* pState = StateOf(*pMap, L"Connection");
            ASSERT_TRUE(pState != nullptr && pState != StateOf(original, L"Connection"));
            EXPECT_TRUE(!pState->m_bExpanded && pState->m_bSelected);
            pState->m_bSelected = false;
        }
    }
    ASSERT_NE(StateOf(original, L"Connection"), nullptr);
    EXPECT_TRUE(StateOf(original, L"Connection")->m_bSelected);
    for (const wchar_t* lpszMissing : {L"connection", L"Connection~", L""})
    {
        VPropertyPageState* pState = StateOf(original, L"Connection");
        EXPECT_FALSE(original.Lookup(VUnicodeString(lpszMissing), pState));
        EXPECT_EQ(pState, StateOf(original, L"Connection")); // left as it was
    }
}

// A dialog of the tree's kind: a VDialog first and the interface second, as the property tree dialog is.
class CStateDialog : public VDialog, public IPropertyTreeDialog
{
public:
    explicit CStateDialog(VPropertyPageStateMap* pStates)
        : VDialog(IDD_DLG_PLAIN, ::GetModuleHandleW(nullptr), true, nullptr), m_pStates(pStates)
    {
    }
    void AddPage(VPropertyTreePage*) override {}
    void RemovePage(VPropertyTreePage*) override {}
    void ShowPage(VPropertyTreePage*) override {}
    void HidePage(VPropertyTreePage*) override {}
    void SetModified(bool) override {}
    void SetClearSelected(bool) override {}
    VPropertyPageStateMap* GetPageStateMap() override { return m_pStates; }
    VPropertyPageStateMap* m_pStates;
};

class CTestPage : public VPropertyTreePageBase
{
public:
    CTestPage(CStateDialog* pDialog, const wchar_t* lpszName) : m_pDialog(pDialog), m_name(lpszName) {}
    using VPropertyTreePageBase::GetParentDialog;
    using VPropertyTreePageBase::SavePageState;
    using VPropertyTreePageBase::SetPageState;
    VPropertyTreeDialog* InternalGetParentDialog() override
    {
        return m_pDialog != nullptr ? reinterpret_cast<VPropertyTreeDialog*>(static_cast<VDialog*>(m_pDialog))
                                    : nullptr;
    }
    VUnicodeString GetStateMapName() override { return m_name; }
    CStateDialog* m_pDialog;
    VUnicodeString m_name;
};

TEST(TreePageBase, FirstInsertionRegistersLaterOnesRestore)
{
    VPropertyPageStateMap map;
    CStateDialog dialog(&map), reopened(&map);
    CTestPage fresh(&dialog, L"Connection"), changed(&dialog, L"Connection~Proxy");
    EXPECT_EQ(fresh.GetParentDialog(), static_cast<IPropertyTreeDialog*>(&dialog));
    EXPECT_TRUE(fresh.IsExpanded() && !fresh.IsSelected());
    fresh.SetPageState();
    changed.SetExpanded(false); // before insertion: nothing to write into yet
    changed.SetSelected(true);
    changed.SavePageState();
    EXPECT_EQ(map.GetCount(), 1);
    changed.SetPageState();
    ASSERT_EQ(map.GetCount(), 2);
    EXPECT_TRUE(StateOf(map, L"Connection")->m_bExpanded && !StateOf(map, L"Connection")->m_bSelected);
    EXPECT_TRUE(!StateOf(map, L"Connection~Proxy")->m_bExpanded &&
                StateOf(map, L"Connection~Proxy")->m_bSelected);

    fresh.SetExpanded(false); // registered: written through
    CTestPage again(&reopened, L"Connection");
    again.SetPageState();
    EXPECT_TRUE(!again.IsExpanded() && !again.IsSelected());
    again.SetSelected(true);
    EXPECT_TRUE(StateOf(map, L"Connection")->m_bSelected);
    EXPECT_EQ(map.GetCount(), 2);
}

TEST(TreePageBase, WithoutDialogOrMapTheFlagsStayThePagesOwn)
{
    CStateDialog withoutMap(nullptr);
    for (CStateDialog* pDialog : {&withoutMap, static_cast<CStateDialog*>(nullptr)})
    {
        CTestPage page(pDialog, L"Connection");
        EXPECT_EQ(page.GetParentDialog() != nullptr, pDialog != nullptr);
        page.SetSelected(true);
        page.SetPageState();
        page.SavePageState();
        EXPECT_TRUE(page.IsExpanded() && page.IsSelected());
        CTestPage copy(page);
        EXPECT_TRUE(copy.IsExpanded() && copy.IsSelected());
    }
}
} // namespace

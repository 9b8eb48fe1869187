// VPropertyPageStateMap and VPropertyTreePageBase: the remembered tree state of pages.
#include "dialogs/IPropertyTreeDialog.h"
#include "dialogs/VPropertyPageStateMap.h"
#include "dialogs/VPropertyTreePageBase.h"

#include "DialogTestSupport.h"

#include <gtest/gtest.h>

using namespace dialogtest;

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
    original.Set(VUnicodeString(L"Connection~Proxy"), new VPropertyPageState{true, false});

    {
        VPropertyPageStateMap copy(original);
        ASSERT_EQ(copy.GetCount(), 2);
        VPropertyPageState* pCopied = StateOf(copy, L"Connection");
        ASSERT_NE(pCopied, nullptr);
        EXPECT_NE(pCopied, StateOf(original, L"Connection"));
        EXPECT_FALSE(pCopied->m_bExpanded);
        EXPECT_TRUE(pCopied->m_bSelected);
        pCopied->m_bExpanded = true;

        VPropertyPageStateMap assigned;
        assigned.Set(VUnicodeString(L"Transfer"), new VPropertyPageState{true, true});
        assigned = original;
        EXPECT_EQ(assigned.GetCount(), 2);
        EXPECT_EQ(StateOf(assigned, L"Transfer"), nullptr);
        ASSERT_NE(StateOf(assigned, L"Connection~Proxy"), nullptr);
        EXPECT_NE(StateOf(assigned, L"Connection~Proxy"), StateOf(original, L"Connection~Proxy"));
        EXPECT_TRUE(StateOf(assigned, L"Connection~Proxy")->m_bExpanded);

        VPropertyPageState* pBefore = StateOf(assigned, L"Connection");
        assigned = assigned;
        EXPECT_EQ(StateOf(assigned, L"Connection"), pBefore);
    }
    // The copies are gone with their states; the original's are untouched.
    ASSERT_NE(StateOf(original, L"Connection"), nullptr);
    EXPECT_FALSE(StateOf(original, L"Connection")->m_bExpanded);
    EXPECT_TRUE(StateOf(original, L"Connection")->m_bSelected);
}

TEST(PageStateMap, LookupIsExactAndLeavesTheValueForMissingNames)
{
    VPropertyPageStateMap map;
    VPropertyPageState* pState = reinterpret_cast<VPropertyPageState*>(&map);
    EXPECT_FALSE(map.Lookup(VUnicodeString(L"Connection"), pState));
    map.Set(VUnicodeString(L"Connection"), new VPropertyPageState{true, false});
    for (const wchar_t* lpszMissing : {L"connection", L"Connection~", L"Connectio", L""})
    {
        SCOPED_TRACE(CStringA(lpszMissing).GetString());
        pState = reinterpret_cast<VPropertyPageState*>(&map);
        EXPECT_FALSE(map.Lookup(VUnicodeString(lpszMissing), pState));
        EXPECT_EQ(pState, reinterpret_cast<VPropertyPageState*>(&map));
        EXPECT_FALSE(map.IsPresent(VUnicodeString(lpszMissing)));
    }
    EXPECT_EQ(map.GetCount(), 1);
}

// A dialog of the tree's kind: a VDialog first, the interface second, as the property tree dialog is.
class CStateDialog : public VDialog, public IPropertyTreeDialog
{
public:
    explicit CStateDialog(VPropertyPageStateMap* pStates)
        : VDialog(IDD_DLG_PLAIN, TestModule(), true, nullptr), m_pStates(pStates)
    {
    }
    VPropertyPageStateMap* m_pStates;

    void AddPage(VPropertyTreePage*) override {}
    void RemovePage(VPropertyTreePage*) override {}
    void ShowPage(VPropertyTreePage*) override {}
    void HidePage(VPropertyTreePage*) override {}
    void SetModified(bool) override {}
    void SetClearSelected(bool) override {}
    VPropertyPageStateMap* GetPageStateMap() override { return m_pStates; }
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

TEST(TreePageBase, ReachesTheDialogInterface)
{
    VPropertyPageStateMap map;
    CStateDialog dialog(&map);
    CTestPage page(&dialog, L"Connection");
    EXPECT_EQ(page.GetParentDialog(), static_cast<IPropertyTreeDialog*>(&dialog));
    CTestPage orphan(nullptr, L"Connection");
    EXPECT_EQ(orphan.GetParentDialog(), nullptr);
}

TEST(TreePageBase, FirstInsertionRegistersLaterOnesRestore)
{
    VPropertyPageStateMap map;
    CStateDialog dialog(&map);

    CTestPage fresh(&dialog, L"Connection");
    EXPECT_TRUE(fresh.IsExpanded());
    EXPECT_FALSE(fresh.IsSelected());
    fresh.SetPageState();
    ASSERT_NE(StateOf(map, L"Connection"), nullptr);
    EXPECT_TRUE(StateOf(map, L"Connection")->m_bExpanded);
    EXPECT_FALSE(StateOf(map, L"Connection")->m_bSelected);

    // Flags changed before the page is put into the tree are what gets registered.
    CTestPage changed(&dialog, L"Connection~Proxy");
    changed.SetExpanded(false);
    changed.SetSelected(true);
    EXPECT_EQ(map.GetCount(), 1);
    changed.SetPageState();
    ASSERT_NE(StateOf(map, L"Connection~Proxy"), nullptr);
    EXPECT_FALSE(StateOf(map, L"Connection~Proxy")->m_bExpanded);
    EXPECT_TRUE(StateOf(map, L"Connection~Proxy")->m_bSelected);

    // Registered: the setters write through.
    fresh.SetExpanded(false);
    fresh.SetSelected(true);
    EXPECT_FALSE(StateOf(map, L"Connection")->m_bExpanded);
    EXPECT_TRUE(StateOf(map, L"Connection")->m_bSelected);

    // A later opening's page of the same name takes the remembered flags and shares the entry.
    CStateDialog reopened(&map);
    CTestPage again(&reopened, L"Connection");
    VPropertyPageState* pEntry = StateOf(map, L"Connection");
    again.SetPageState();
    EXPECT_FALSE(again.IsExpanded());
    EXPECT_TRUE(again.IsSelected());
    EXPECT_EQ(StateOf(map, L"Connection"), pEntry);
    EXPECT_EQ(map.GetCount(), 2);
    again.SetSelected(false);
    EXPECT_FALSE(pEntry->m_bSelected);
}

TEST(TreePageBase, SavingWithoutAnEntryStoresNothing)
{
    VPropertyPageStateMap map;
    CStateDialog dialog(&map);
    CTestPage page(&dialog, L"Transfer");
    page.SetExpanded(false);
    page.SavePageState();
    EXPECT_TRUE(map.IsEmpty());
    EXPECT_FALSE(page.IsExpanded());
}

TEST(TreePageBase, WithoutDialogOrMapTheFlagsStayThePagesOwn)
{
    CStateDialog withoutMap(nullptr);
    for (CStateDialog* pDialog : {&withoutMap, static_cast<CStateDialog*>(nullptr)})
    {
        SCOPED_TRACE(pDialog != nullptr ? "dialog without a map" : "no dialog");
        CTestPage page(pDialog, L"Connection");
        page.SetPageState();
        EXPECT_TRUE(page.IsExpanded());
        EXPECT_FALSE(page.IsSelected());
        page.SetSelected(true);
        page.SavePageState();
        EXPECT_TRUE(page.IsSelected());
    }
}

TEST(TreePageBase, CopiesTakeTheFlags)
{
    CTestPage source(nullptr, L"A");
    source.SetExpanded(false);
    source.SetSelected(true);
    CTestPage copy(source);
    EXPECT_FALSE(copy.IsExpanded());
    EXPECT_TRUE(copy.IsSelected());
    CTestPage assigned(nullptr, L"B");
    assigned = source;
    EXPECT_FALSE(assigned.IsExpanded());
    EXPECT_TRUE(assigned.IsSelected());
}
} // namespace

// VPluginPage and VPluginDialog with the sample plug-in, whose templates only its own module holds (it stays
// out of the resource chain): pages and dialogs made while the host's module is current, the module put back
// afterwards.
#include "dialogs/VPluginDialog.h"
#include "dialogs/VPluginPage.h"
#include "examples/plugin/SamplePlugin.h"
#include "examples/plugin/SamplePluginIds.h"
#include "harness/TestApp.h"

#include "TreeDialogTestSupport.h"

#include <gtest/gtest.h>

namespace
{
// The plug-in's pages and dialogs, made by the plug-in loaded from beside the test program.
void PluginMake(VPluginPage** ppPage, VPluginDialog** ppDialog)
{
    static HMODULE hPlugin = ::LoadLibraryW(L"SamplePlugin.dll");
    auto make = reinterpret_cast<SamplePluginMakeFunction>(
        reinterpret_cast<void*>(::GetProcAddress(hPlugin, "SamplePluginMake")));
    ASSERT_NE(make, nullptr);
    make(ppPage, ppDialog, nullptr);
}

TEST(PluginPage, MadeFromThePluginWhileTheHostModuleIsCurrent)
{
    HINSTANCE hHost = AfxGetResourceHandle();
    VPluginPage* pPage = nullptr;
    PluginMake(&pPage, nullptr);
    ASSERT_NE(pPage, nullptr);
    // The same template as an ordinary page is out of reach: only the plug-in's module holds it.
    VPropertyTreePage unreachable(IDD_SAMPLE_PAGE);
    CTestPage general(L"General");
    CTestTreeDialog dialog(L"Options", 1, nullptr, nullptr);
    for (VPropertyTreePage* pAdded : std::initializer_list<VPropertyTreePage*>{&general, pPage, &unreachable})
        dialog.AddPage(pAdded);
    dialog.m_script = [&](CTestTreeDialog& d)
    {
        EXPECT_EQ(AfxGetResourceHandle(), hHost);
        EXPECT_NE(pPage->GetDlgItem(IDC_SAMPLE_LIMIT), nullptr);
        EXPECT_EQ(unreachable.GetSafeHwnd(), nullptr);
        EXPECT_EQ(d.Shape(), L"General*,Transfers,");
        d.Tree().SelectItem(pPage->GetTreeItem());
        EXPECT_TRUE(d.Current() == pPage && Shown(*pPage));
    };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(AfxGetResourceHandle(), hHost);
    delete pPage;
}

// The plug-in's own dialog, made modeless from its template through the help id; its data saved on request.
TEST(PluginDialog, CreatedModelessFromThePluginAndSavesItsData)
{
    HINSTANCE hHost = AfxGetResourceHandle();
    VPluginDialog* pDialog = nullptr;
    PluginMake(nullptr, &pDialog);
    ASSERT_NE(pDialog, nullptr);
    EXPECT_TRUE(pDialog->Create());
    EXPECT_EQ(AfxGetResourceHandle(), hHost);
    ASSERT_NE(pDialog->GetDlgItem(IDC_SAMPLE_LIMIT), nullptr);
    MessageBoxRecorder boxes;
    pDialog->SetDlgItemText(IDC_SAMPLE_LIMIT, L"0"); // the plug-in takes 1 to 16
    EXPECT_FALSE(pDialog->SavePageData());
    EXPECT_EQ(boxes.Boxes().size(), 1u);
    pDialog->SetDlgItemText(IDC_SAMPLE_LIMIT, L"16");
    EXPECT_TRUE(pDialog->SavePageData());
    pDialog->DestroyWindow();
    delete pDialog;
}
} // namespace

// VPluginPage and VPluginDialog with the sample plug-in, whose templates only its own module holds (it stays
// out of the resource chain): pages and dialogs made while the host's module is current, the module put back
// afterwards, and the plug-in dialog's data saved on request.
#include "dialogs/VPluginDialog.h"
#include "dialogs/VPluginPage.h"
#include "examples/plugin/SamplePlugin.h"
#include "examples/plugin/SamplePluginIds.h"
#include "harness/TestApp.h"

#include "TreeDialogTestSupport.h"

#include <gtest/gtest.h>

namespace
{
// The plug-in, loaded from beside the test program for the rest of the run.
HMODULE PluginModule()
{
    static HMODULE hPlugin = ::LoadLibraryW(L"SamplePlugin.dll");
    return hPlugin;
}

SamplePluginMakeFunction PluginMake()
{
    return reinterpret_cast<SamplePluginMakeFunction>(
        reinterpret_cast<void*>(::GetProcAddress(PluginModule(), "SamplePluginMake")));
}

HINSTANCE HostModule()
{
    return ::GetModuleHandleW(nullptr);
}

TEST(PluginPage, MadeFromThePluginWhileTheHostModuleIsCurrent)
{
    ASSERT_NE(PluginMake(), nullptr);
    ASSERT_EQ(AfxGetResourceHandle(), HostModule());
    VPluginPage* pPage = nullptr;
    VPluginDialog* pDialog = nullptr;
    PluginMake()(&pPage, &pDialog, nullptr);
    ASSERT_TRUE(pPage != nullptr && pDialog != nullptr);

    // The same template as an ordinary page is out of reach; a plug-in page without a module, and one of
    // the plug-in for a template only the host has, show what the module decides.
    VPropertyTreePage unreachable(IDD_SAMPLE_PAGE);
    VPluginPage chained(IDD_TREE_PAGE, nullptr);
    VPluginPage wrongModule(IDD_TREE_PAGE, PluginModule());
    CTestPage general(L"General");
    VPropertyPageStateMap map;
    CTestTreeDialog dialog(L"Options", 1, &map, nullptr);
    for (VPropertyTreePage* pAdded :
         std::initializer_list<VPropertyTreePage*>{&general, pPage, &chained, &unreachable, &wrongModule})
        dialog.AddPage(pAdded);
    dialog.m_script = [&](CTestTreeDialog& d)
    {
        EXPECT_EQ(AfxGetResourceHandle(), HostModule());
        EXPECT_NE(pPage->GetDlgItem(IDC_SAMPLE_LIMIT), nullptr);
        EXPECT_NE(chained.GetDlgItem(IDC_TREE_VALUE), nullptr);
        EXPECT_EQ(unreachable.GetSafeHwnd(), nullptr);
        EXPECT_EQ(wrongModule.GetSafeHwnd(), nullptr);
        EXPECT_EQ(d.Shape(), L"General*,Transfers,Page,,");

        MessageBoxRecorder boxes;
        d.Tree().SelectItem(pPage->GetTreeItem());
        EXPECT_EQ(d.BandText(), L"  File transfer settings");
        EXPECT_EQ(d.PageRect(*pPage).TopLeft(), d.PageRect(general).TopLeft());
        pPage->SetDlgItemText(IDC_SAMPLE_LIMIT, L"99"); // the plug-in takes 1 to 16
        d.Tree().SelectItem(general.GetTreeItem());
        EXPECT_EQ(d.Current(), pPage);
        EXPECT_EQ(boxes.Boxes().size(), 1u);
        pPage->SetDlgItemText(IDC_SAMPLE_LIMIT, L"8");
        d.Tree().SelectItem(unreachable.GetTreeItem()); // a page without a window: the band only
        EXPECT_EQ(d.Current(), &unreachable);
        EXPECT_EQ(d.BandText(), L"  ");
    };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(AfxGetResourceHandle(), HostModule());
    EXPECT_EQ(MapShape(map), L"General=E- Page=E- Transfers=E-"); // pages without windows keep no state
    delete pPage;
    delete pDialog;
}

// A plug-in dialog of the host's own, on the plug-in's template.
class CSettingsDialog : public VPluginDialog
{
public:
    CSettingsDialog() : VPluginDialog(IDD_SAMPLE_DIALOG, PluginModule(), nullptr) {}
    int m_nLimit = 3;
    std::function<void(CSettingsDialog&)> m_script;

    IHostnameChanged* Sink() const { return m_pHostnameChangedSink; }
    BOOL OnInitDialog() override
    {
        BOOL bFocus = VPluginDialog::OnInitDialog();
        PostMessage(WM_APP + 62);
        return bFocus;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_APP + 62 && m_script)
            m_script(*this);
        return VPluginDialog::WindowProc(message, wParam, lParam);
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_SAMPLE_LIMIT, m_nLimit);
        DDV_MinMaxInt(pDX, m_nLimit, 1, 16);
    }
};

TEST(PluginDialog, RunsModalOrModelessAndSavesItsData)
{
    CSettingsDialog modal;
    EXPECT_EQ(modal.Sink(), nullptr);
    int nSink = 0;
    auto* pSink = reinterpret_cast<IHostnameChanged*>(&nSink);
    modal.SetHostnameChangedSink(pSink);
    EXPECT_EQ(modal.Sink(), pSink);
    modal.m_script = [](CSettingsDialog& d)
    {
        MessageBoxRecorder boxes;
        IUpdateData* pData = &d;
        d.SetDlgItemText(IDC_SAMPLE_LIMIT, L"99");
        EXPECT_FALSE(pData->SavePageData());
        EXPECT_EQ(boxes.Boxes().size(), 1u);
        d.SetDlgItemText(IDC_SAMPLE_LIMIT, L"12");
        EXPECT_TRUE(pData->SavePageData());
        d.EndDialog(IDOK);
    };
    EXPECT_EQ(modal.DoModal(), IDOK);
    EXPECT_EQ(modal.m_nLimit, 12);

    // The plug-in's own dialog, made modeless from the same template through the help id.
    VPluginDialog* pDialog = nullptr;
    PluginMake()(nullptr, &pDialog, nullptr);
    ASSERT_NE(pDialog, nullptr);
    EXPECT_TRUE(pDialog->Create());
    EXPECT_EQ(AfxGetResourceHandle(), HostModule());
    ASSERT_NE(pDialog->GetDlgItem(IDC_SAMPLE_LIMIT), nullptr);
    pDialog->SetDlgItemText(IDC_SAMPLE_LIMIT, L"0");
    {
        MessageBoxRecorder boxes;
        EXPECT_FALSE(pDialog->SavePageData());
        EXPECT_EQ(boxes.Boxes().size(), 1u);
    }
    pDialog->SetDlgItemText(IDC_SAMPLE_LIMIT, L"16");
    EXPECT_TRUE(pDialog->SavePageData());
    pDialog->DestroyWindow();
    delete pDialog;
}
} // namespace

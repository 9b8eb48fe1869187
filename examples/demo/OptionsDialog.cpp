#include "OptionsDialog.h"

#include "resource.h"

#include "dialogs/VPluginPage.h"

namespace
{
constexpr UINT_PTR kScriptTimer = 1;
const wchar_t* const kSection = L"Options";

typedef void (*Exchange)(CDataExchange* pDX, DemoOptions& options);

// A page of the dialog: the controls of its template exchanged with the dialog's settings; any edit or click
// marks the dialog modified.
class COptionsPage : public VPropertyTreePage
{
public:
    COptionsPage(UINT nIDTemplate, Exchange exchange, DemoOptions& options)
        : VPropertyTreePage(nIDTemplate), m_exchange(exchange), m_options(options), m_bFilling(false)
    {
    }

    BOOL OnSetActive() override
    {
        // Filling the controls raises their change notifications; those are no user's changes.
        m_bFilling = true;
        const BOOL bResult = VPropertyTreePage::OnSetActive();
        m_bFilling = false;
        return bResult;
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override { m_exchange(pDX, m_options); }

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        const UINT nCode = HIWORD(wParam);
        if (!m_bFilling && (nCode == EN_CHANGE || nCode == BN_CLICKED))
        {
            OnChange();
            if (LOWORD(wParam) == IDC_SHOW_ADVANCED)
            {
                if (auto* pDialog = dynamic_cast<COptionsDialog*>(GetParent()))
                    pDialog->ShowAdvanced(IsDlgButtonChecked(IDC_SHOW_ADVANCED) == BST_CHECKED);
            }
        }
        return VPropertyTreePage::OnCommand(wParam, lParam);
    }

private:
    Exchange m_exchange;
    DemoOptions& m_options;
    bool m_bFilling;
};

void ExchangeGeneral(CDataExchange* pDX, DemoOptions& options)
{
    DDX_Check(pDX, IDC_REOPEN_LAST, options.bReopenLast);
    DDX_Text(pDX, IDC_RECENT_COUNT, options.nRecentFiles);
    DDV_MinMaxInt(pDX, options.nRecentFiles, 1, 16);
    DDX_Check(pDX, IDC_SHOW_ADVANCED, options.bShowAdvanced);
}

void ExchangeConnection(CDataExchange* pDX, DemoOptions& options)
{
    DDX_Text(pDX, IDC_HOST, options.strHost);
    DDX_Text(pDX, IDC_PORT, options.nPort);
    DDV_MinMaxInt(pDX, options.nPort, 1, 65535);
}

void ExchangeProxy(CDataExchange* pDX, DemoOptions& options)
{
    DDX_Radio(pDX, IDC_PROXY_NONE, options.nProxyType);
    DDX_Text(pDX, IDC_PROXY_HOST, options.strProxyHost);
    DDX_Text(pDX, IDC_PROXY_PORT, options.nProxyPort);
    DDV_MinMaxInt(pDX, options.nProxyPort, 1, 65535);
}

void ExchangeKeepAlive(CDataExchange* pDX, DemoOptions& options)
{
    DDX_Text(pDX, IDC_KEEPALIVE, options.nKeepAlive);
    DDV_MinMaxInt(pDX, options.nKeepAlive, 0, 3600);
}

void ExchangeAppearance(CDataExchange* pDX, DemoOptions& options)
{
    DDX_Text(pDX, IDC_FONT_SIZE, options.nFontSize);
    DDV_MinMaxInt(pDX, options.nFontSize, 6, 36);
}

void ExchangeAdvanced(CDataExchange* pDX, DemoOptions& options)
{
    DDX_Text(pDX, IDC_LOG_LEVEL, options.nLogLevel);
    DDV_MinMaxInt(pDX, options.nLogLevel, 0, 4);
}

struct PageDefinition
{
    UINT nIDTemplate;
    Exchange exchange;
};

// In COptionsDialog::Page order.
const PageDefinition kPages[COptionsDialog::PageCount] = {
    {IDD_PAGE_GENERAL, ExchangeGeneral},       {IDD_PAGE_CONNECTION, ExchangeConnection},
    {IDD_PAGE_PROXY, ExchangeProxy},           {IDD_PAGE_KEEPALIVE, ExchangeKeepAlive},
    {IDD_PAGE_APPEARANCE, ExchangeAppearance}, {IDD_PAGE_ADVANCED, ExchangeAdvanced},
};
} // namespace

void DemoOptions::Load(CWinApp& app)
{
    const auto integer = [&app](const wchar_t* name, int& value)
    { value = static_cast<int>(app.GetProfileInt(kSection, name, value)); };
    integer(L"ReopenLast", bReopenLast);
    integer(L"RecentFiles", nRecentFiles);
    integer(L"ShowAdvanced", bShowAdvanced);
    strHost = app.GetProfileString(kSection, L"Host", strHost);
    integer(L"Port", nPort);
    integer(L"ProxyType", nProxyType);
    strProxyHost = app.GetProfileString(kSection, L"ProxyHost", strProxyHost);
    integer(L"ProxyPort", nProxyPort);
    integer(L"KeepAlive", nKeepAlive);
    integer(L"FontSize", nFontSize);
    integer(L"LogLevel", nLogLevel);
}

void DemoOptions::Save(CWinApp& app) const
{
    app.WriteProfileInt(kSection, L"ReopenLast", bReopenLast);
    app.WriteProfileInt(kSection, L"RecentFiles", nRecentFiles);
    app.WriteProfileInt(kSection, L"ShowAdvanced", bShowAdvanced);
    app.WriteProfileString(kSection, L"Host", strHost);
    app.WriteProfileInt(kSection, L"Port", nPort);
    app.WriteProfileInt(kSection, L"ProxyType", nProxyType);
    app.WriteProfileString(kSection, L"ProxyHost", strProxyHost);
    app.WriteProfileInt(kSection, L"ProxyPort", nProxyPort);
    app.WriteProfileInt(kSection, L"KeepAlive", nKeepAlive);
    app.WriteProfileInt(kSection, L"FontSize", nFontSize);
    app.WriteProfileInt(kSection, L"LogLevel", nLogLevel);
}

BEGIN_MESSAGE_MAP(COptionsDialog, VPropertyTreeDialog)
ON_WM_TIMER()
END_MESSAGE_MAP()

COptionsDialog::COptionsDialog(DemoOptions& options, VPropertyPageStateMap* pStates, CWnd* pParent,
                               VPluginPage* pPluginPage)
    : VPropertyTreeDialog(L"Options", 1, pStates, pParent), m_options(options), m_nStep(0), m_bInStep(false)
{
    for (const PageDefinition& definition : kPages)
        m_pages.push_back(
            std::make_unique<COptionsPage>(definition.nIDTemplate, definition.exchange, options));
    GetPage(Connection)->AddPage(GetPage(Proxy));
    GetPage(Connection)->AddPage(GetPage(KeepAlive));
    AddPage(GetPage(General));
    AddPage(GetPage(Connection));
    AddPage(GetPage(Appearance));
    AddPage(GetPage(Advanced));
    if (pPluginPage != nullptr)
        AddPage(pPluginPage);
}

COptionsDialog::~COptionsDialog() = default;

VPropertyTreePage* COptionsDialog::GetPage(Page page) const
{
    return m_pages[static_cast<size_t>(page)].get();
}

BOOL COptionsDialog::OnInitDialog()
{
    const BOOL bResult = VPropertyTreeDialog::OnInitDialog();
    if (!m_options.bShowAdvanced)
        HidePage(GetPage(Advanced));
    SetModified(false);
    if (m_script)
        SetTimer(kScriptTimer, 200, nullptr);
    return bResult;
}

void COptionsDialog::ShowAdvanced(bool bShow)
{
    if (bShow)
        ShowPage(GetPage(Advanced));
    else
        HidePage(GetPage(Advanced));
}

void COptionsDialog::SetModified(bool bModified)
{
    if (CWnd* pApply = GetApplyButton())
        pApply->EnableWindow(bModified);
}

bool COptionsDialog::Save()
{
    if (!OnCurrentPageKillActive())
        return false;
    m_options.Save(*AfxGetApp());
    return true;
}

void COptionsDialog::OnApply()
{
    if (Save())
        SetModified(false);
}

void COptionsDialog::OnOK()
{
    if (Save())
        VPropertyTreeDialog::OnOK();
}

void COptionsDialog::OnTimer(UINT_PTR nIDEvent)
{
    // A step that runs a modal loop (a message box) lets the timer tick inside it; those ticks wait.
    if (nIDEvent != kScriptTimer || m_bInStep)
        return;
    m_bInStep = true;
    const Step next = m_script(*this, m_nStep);
    m_bInStep = false;
    if (next == Step::Next)
        ++m_nStep;
    else if (next == Step::Done)
        KillTimer(kScriptTimer);
}

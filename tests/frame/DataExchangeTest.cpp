// The library's data exchange and validation in a real dialog: failures tell the user, focus the field and
// keep the dialog open; accepted values and loaded controls; bad input never breaks the exchange.
#include "certificates/VCertificate.h"
#include "frame/ddx/DataExchange.h"
#include "frame/VReportMessageParams.h"
#include "harness/ScratchFolder.h"
#include "harness/TestApp.h"

#include "DataExchangeTestResources.h"
#include "PardalinMessages.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace
{
const UINT WM_APP_SCRIPT = WM_APP + 61;
using Exchange = std::function<void(CDataExchange*)>;

// The test's exchange in the dialog's place; a modal run types the text into IDC_DDX_TEXT, presses OK and
// notes where the focus went.
class CFieldsDialog : public CDialog
{
public:
    CFieldsDialog(Exchange exchange) : CDialog(IDD_DDX_FIELDS), m_exchange(std::move(exchange)) {}
    bool m_bScript = false; // a modal run; modeless ones are driven by the test itself
    std::wstring m_strTyped;
    int m_nFocusBefore = 0;
    int m_nFocusAfter = 0;
    DWORD m_dwSelection = 0;

    void DoDataExchange(CDataExchange* pDX) override { m_exchange(pDX); }
    BOOL OnInitDialog() override
    {
        BOOL bFocus = CDialog::OnInitDialog();
        if (m_bScript)
            PostMessage(WM_APP_SCRIPT);
        return bFocus;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_APP_SCRIPT)
        {
            // The modal loop shows the dialog when idle; the script needs it shown and in front now.
            ShowWindow(SW_SHOW);
            SetForegroundWindow();
            m_nFocusBefore = ::GetDlgCtrlID(::GetFocus());
            SetDlgItemText(IDC_DDX_TEXT, m_strTyped.c_str());
            SendMessage(WM_COMMAND, IDOK);
            // Still here: the validation failed. Cancel once the loop is back.
            m_nFocusAfter = ::GetDlgCtrlID(::GetFocus());
            m_dwSelection = static_cast<DWORD>(SendDlgItemMessage(IDC_DDX_TEXT, EM_GETSEL));
            PostMessage(WM_APP_SCRIPT + 1);
            return 0;
        }
        if (message == WM_APP_SCRIPT + 1)
        {
            EndDialog(IDCANCEL);
            return 0;
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }

private:
    Exchange m_exchange;
};

Exchange HostName()
{
    return [](CDataExchange* pDX)
    {
        VUnicodeString host;
        DDX_Text(pDX, IDC_DDX_TEXT, host);
        VDDV_ValidateHostName(pDX, IDC_DDX_TEXT, host);
    };
}
Exchange Path(void (*validate)(CDataExchange*, unsigned int, const wchar_t*))
{
    return [validate](CDataExchange* pDX)
    {
        VUnicodeString path;
        DDX_Text(pDX, IDC_DDX_TEXT, path);
        validate(pDX, IDC_DDX_TEXT, path);
    };
}
Exchange ConfigFolder()
{
    return [](CDataExchange* pDX)
    {
        CString folder;
        DDX_Text(pDX, IDC_DDX_TEXT, folder);
        VDDV_ValidateConfigFolder(pDX, folder, IDC_DDX_TEXT);
    };
}
Exchange Port(unsigned short& port)
{
    return [&port](CDataExchange* pDX) { DDX_Port(pDX, IDC_DDX_TEXT, port); };
}
unsigned short g_port = 0;

std::wstring CertificateFailure(const std::wstring& path)
{
    VReportMessageParams err;
    EXPECT_FALSE(VCheckCertificatePath(path.c_str(), err));
    return err.GetSingleLineText();
}

std::wstring MissingDrive()
{
    wchar_t drive[] = L"Q:\\";
    for (wchar_t letter = L'Z'; letter > L'D' && ::GetDriveTypeW(drive) != DRIVE_NO_ROOT_DIR; --letter)
        drive[0] = letter;
    return std::wstring(drive) + L"certs\\host.pfx";
}

TEST(FrameDataExchangeFocus, FailuresTellFocusTheFieldAndKeepTheDialogOpen)
{
    testkit::TempFolder scratch;
    const std::wstring junk = scratch.Path(L"junk.pfx");
    HANDLE hJunk = ::CreateFileW(junk.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    DWORD dwWritten = 0;
    ::WriteFile(hJunk, "not a certificate", 17, &dwWritten, nullptr);
    ::CloseHandle(hJunk);
    const std::wstring underFile = junk + L"\\config";
    VReportMessageParams folderNotValid(MSG_FOLDER_NOT_VALID);
    folderNotValid.AddInsert(underFile.c_str());
    const std::wstring reserved = L" is a reserved device name on Windows and cannot be used as a hostname.";
    const std::wstring range = L"Please enter an integer between 1 and 65535.";
    const std::wstring notNumber = L"Please enter a positive integer.";
    const std::wstring capi = L"capi::My::No Such Certificate";

    struct Row
    {
        std::wstring typed;
        Exchange exchange;
        std::wstring expected;
        UINT nType;
    } rows[] = {
        {L"con", HostName(), L"con" + reserved, MB_OK},
        {L"Com9", HostName(), L"Com9" + reserved, MB_OK},
        {L"clock$", HostName(), L"clock$" + reserved, MB_OK},
        {scratch.Path(L"missing.pfx"), Path(VDDV_ValidatePath),
         L"The file '" + scratch.Path(L"missing.pfx") + L"' was not found.", MB_OK},
        {MissingDrive(), Path(VDDV_ValidatePath), L"The file '" + MissingDrive() + L"' was not found.",
         MB_OK},
        // A missing certificate file is reported as missing, before any attempt to load it.
        {L"  " + scratch.Path(L"gone.pfx"), Path(VDDV_ValidateCertificatePath),
         L"The file '" + scratch.Path(L"gone.pfx") + L"' was not found.", MB_OK},
        {junk, Path(VDDV_ValidateCertificatePath), CertificateFailure(junk), MB_OK},
        {capi, Path(VDDV_ValidateCertificatePath), CertificateFailure(capi), MB_OK},
        {underFile, ConfigFolder(), folderNotValid.GetText(), MB_ICONEXCLAMATION},
        {L"0", Port(g_port), range, MB_OK | MB_ICONEXCLAMATION},
        {L"65536", Port(g_port), range, MB_OK | MB_ICONEXCLAMATION},
        {L"http", Port(g_port), notNumber, MB_OK | MB_ICONEXCLAMATION},
        {L"12abc",
         [](CDataExchange* pDX)
         {
             unsigned int value = 0;
             VDDX_EnabledText(pDX, IDC_DDX_TEXT, value);
         },
         notNumber, MB_OK | MB_ICONEXCLAMATION},
        {L"abc",
         [](CDataExchange* pDX)
         {
             VUnicodeString text;
             DDX_Text(pDX, IDC_DDX_TEXT, text);
             DDV_MaxChars(pDX, text, 2);
         },
         L"Please enter no more than 2 characters.", MB_OK | MB_ICONEXCLAMATION},
    };
    for (const Row& row : rows)
    {
        MessageBoxRecorder boxes;
        CFieldsDialog dialog(row.exchange);
        dialog.m_bScript = true;
        dialog.m_strTyped = row.typed;
        EXPECT_EQ(IDCANCEL, dialog.DoModal()) << "OK must not end the dialog: " << row.typed.substr(0, 60);
        const auto seen = boxes.Boxes();
        ASSERT_EQ(1u, seen.size()) << row.typed.substr(0, 60);
        EXPECT_EQ(row.expected, seen[0].strPrompt.GetString());
        EXPECT_EQ(row.nType, seen[0].nType) << row.typed.substr(0, 60);
        EXPECT_EQ(IDC_DDX_FIRST, dialog.m_nFocusBefore);
        EXPECT_EQ(IDC_DDX_TEXT, dialog.m_nFocusAfter) << row.typed.substr(0, 60);
        EXPECT_EQ(MAKELONG(0, row.typed.size()), dialog.m_dwSelection) << "the field's text is selected";
    }
}

// A hidden modeless dialog with the exchange; the text goes into control nID.
struct Modeless
{
    explicit Modeless(Exchange exchange) : dialog(std::move(exchange))
    {
        EXPECT_TRUE(dialog.Create(IDD_DDX_FIELDS));
    }
    ~Modeless() { dialog.DestroyWindow(); }
    BOOL Save(int nID, const std::wstring& text)
    {
        dialog.SetDlgItemText(nID, text.c_str());
        return dialog.UpdateData(TRUE);
    }
    CFieldsDialog dialog;
};

TEST(FrameDataExchange, AcceptedValuesAreTakenWithoutAWord)
{
    testkit::TempFolder scratch;
    const std::wstring nested = scratch.Path(L"config\\nested");
    unsigned long long number = 0;
    auto enabledInt = [&number](CDataExchange* pDX, int nID)
    {
        unsigned int value = 7;
        VDDX_EnabledText(pDX, nID, value);
        number = value;
    };
    auto enabledLong = [&number](CDataExchange* pDX, int nID)
    {
        unsigned long value = 7;
        VDDX_EnabledText(pDX, nID, value);
        number = value;
    };
    struct Row
    {
        int nID;
        std::wstring typed;
        Exchange exchange;
        unsigned long long expected; // of number, when the exchange sets it
    } rows[] = {
        {IDC_DDX_TEXT, L"con1", HostName(), 0},
        {IDC_DDX_TEXT, L"COM10", HostName(), 0},
        {IDC_DDX_TEXT, L"a;b\"c'd", HostName(), 0},
        {IDC_DDX_TEXT, L"", Path(VDDV_ValidatePath), 0},
        {IDC_DDX_TEXT, scratch.Get(), Path(VDDV_ValidatePath), 0},
        {IDC_DDX_TEXT, L"   ", Path(VDDV_ValidateCertificatePath), 0},
        {IDC_DDX_TEXT, nested, ConfigFolder(), 0},
        {IDC_DDX_TEXT, L"1",
         [&](CDataExchange* pDX) { DDX_Port(pDX, IDC_DDX_TEXT, g_port), number = g_port; }, 1},
        {IDC_DDX_TEXT, L"65535",
         [&](CDataExchange* pDX) { DDX_Port(pDX, IDC_DDX_TEXT, g_port), number = g_port; }, 65535},
        {IDC_DDX_TEXT, L"4000000000", [&](CDataExchange* pDX) { enabledLong(pDX, IDC_DDX_TEXT); },
         4000000000u},
        // A disabled field is read as far as it holds a number, without validation.
        {IDC_DDX_DISABLED, L"12abc", [&](CDataExchange* pDX) { enabledInt(pDX, IDC_DDX_DISABLED); }, 12},
        {IDC_DDX_DISABLED, L"", [&](CDataExchange* pDX) { enabledInt(pDX, IDC_DDX_DISABLED); }, 0},
        {IDC_DDX_DISABLED, L"12abc", [&](CDataExchange* pDX) { enabledLong(pDX, IDC_DDX_DISABLED); }, 12},
    };
    for (const Row& row : rows)
    {
        MessageBoxRecorder boxes;
        Modeless fields(row.exchange);
        number = 0;
        EXPECT_TRUE(fields.Save(row.nID, row.typed)) << row.typed;
        EXPECT_TRUE(boxes.Boxes().empty()) << row.typed;
        EXPECT_EQ(row.expected, number) << row.typed;
    }
    EXPECT_TRUE(testkit::Exists(nested)) << "a valid configuration folder is created";
}

TEST(FrameDataExchange, ChecksPortsAndTextsLoadAndSave)
{
    // Saving: indeterminate counts as true for a bool and stays 2 for a VTriState.
    for (int state : {BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE})
    {
        bool bValue = state == BST_UNCHECKED;
        VTriState triState = state == BST_UNCHECKED ? VTriChecked : VTriUnchecked;
        Modeless fields(
            [&](CDataExchange* pDX)
            {
                if (pDX->m_bSaveAndValidate)
                    DDX_Check(pDX, IDC_DDX_CHECK, bValue), DDX_Check(pDX, IDC_DDX_CHECK, triState);
            });
        fields.dialog.CheckDlgButton(IDC_DDX_CHECK, state);
        ASSERT_TRUE(fields.dialog.UpdateData(TRUE));
        EXPECT_EQ(state != BST_UNCHECKED, bValue);
        EXPECT_EQ(state, triState);
    }

    // Loading, and texts that come back exactly: long, outside the ANSI code page, with ';' and quotes.
    const std::wstring wide = std::wstring(10000, L'\x6f22') + L"\x3a9mega;\"'";
    VUnicodeString wideValue(wide.c_str());
    VString narrowValue("a;b\"c'd");
    unsigned short port = 8080;
    bool bChecked = true;
    VTriState triState = VTriIndeterminate;
    Modeless fields(
        [&](CDataExchange* pDX)
        {
            DDX_Text(pDX, IDC_DDX_FIRST, wideValue);
            DDX_Text(pDX, IDC_DDX_TEXT, narrowValue);
            DDX_Port(pDX, IDC_DDX_DISABLED, port);
            pDX->m_bSaveAndValidate ? DDX_Check(pDX, IDC_DDX_CHECK, bChecked)
                                    : DDX_Check(pDX, IDC_DDX_CHECK, triState);
        });
    EXPECT_EQ(BST_INDETERMINATE, int(fields.dialog.IsDlgButtonChecked(IDC_DDX_CHECK)));
    CString text;
    fields.dialog.GetDlgItemText(IDC_DDX_DISABLED, text);
    EXPECT_EQ(CString(L"8080"), text);
    wideValue = L"";
    narrowValue = "";
    ASSERT_TRUE(fields.dialog.UpdateData(TRUE));
    EXPECT_EQ(wide, std::wstring(wideValue.GetString()));
    EXPECT_STREQ("a;b\"c'd", narrowValue.GetString());
    EXPECT_EQ(8080, port);
}

TEST(FrameDataExchangeFocus, BadInputGivesAMessageOrPassesNeverACrash)
{
    testkit::TempFolder scratch;
    testkit::CurrentFolder here(scratch.Get()); // relative folders land in the scratch folder
    const Exchange exchanges[] = {
        HostName(),
        Path(VDDV_ValidatePath),
        Path(VDDV_ValidateCertificatePath),
        ConfigFolder(),
        Port(g_port),
        [](CDataExchange* pDX)
        {
            VString text;
            DDX_Text(pDX, IDC_DDX_TEXT, text);
            DDV_MaxChars(pDX, text, 20);
        },
    };
    const std::wstring inputs[] = {std::wstring(10000, L'x'),
                                   std::wstring(10000, L'\x6f22'),
                                   L"\x3a9mega \x6f22\x5b57",
                                   L"a;b\"c'd",
                                   L"\"C:\\\";",
                                   L"capi::\"My\";::'x'"};
    for (const Exchange& exchange : exchanges)
    {
        for (const std::wstring& input : inputs)
        {
            MessageBoxRecorder boxes;
            Modeless fields(exchange);
            const BOOL bSaved = fields.Save(IDC_DDX_TEXT, input);
            EXPECT_LE(boxes.Boxes().size(), 1u);
            EXPECT_EQ(bSaved != FALSE, boxes.Boxes().empty()) << input.substr(0, 40);
        }
    }
}
} // namespace

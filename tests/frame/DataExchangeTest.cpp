// The library's data exchange and validation in a real modal dialog: a failure tells the user, focuses and
// selects the field and keeps the dialog open; accepted values end it silently; bad input never breaks it.
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

// Types the text into the enabled and the disabled field, makes the box indeterminate, presses OK and notes
// where the focus went.
class CFieldsDialog : public CDialog
{
public:
    CFieldsDialog(Exchange exchange, std::wstring typed)
        : CDialog(IDD_DDX_FIELDS), m_exchange(std::move(exchange)), m_strTyped(std::move(typed))
    {
    }
    int m_nFocusBefore = 0, m_nFocusAfter = 0;
    DWORD m_dwSelection = 0;

    void DoDataExchange(CDataExchange* pDX) override { m_exchange(pDX); }
    BOOL OnInitDialog() override
    {
        PostMessage(WM_APP_SCRIPT);
        return CDialog::OnInitDialog();
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_APP_SCRIPT)
            return CDialog::WindowProc(message, wParam, lParam);
        if (wParam != 0)
            return EndDialog(IDCANCEL), 0;
        // The modal loop shows the dialog when idle; the script needs it shown and in front now.
        ShowWindow(SW_SHOW);
        SetForegroundWindow();
        m_nFocusBefore = ::GetDlgCtrlID(::GetFocus());
        SetDlgItemText(IDC_DDX_TEXT, m_strTyped.c_str());
        SetDlgItemText(IDC_DDX_DISABLED, m_strTyped.c_str());
        CheckDlgButton(IDC_DDX_CHECK, BST_INDETERMINATE);
        SendMessage(WM_COMMAND, IDOK);
        m_nFocusAfter = ::GetDlgCtrlID(::GetFocus());
        m_dwSelection = static_cast<DWORD>(SendDlgItemMessage(IDC_DDX_TEXT, EM_GETSEL));
        PostMessage(WM_APP_SCRIPT, 1); // cancels, unless OK ended the dialog
        return 0;
    }

private:
    Exchange m_exchange;
    std::wstring m_strTyped;
};

unsigned long long g_number = 0; // what a numeric exchange saved

Exchange Text(void (*validate)(CDataExchange*, unsigned int, const wchar_t*))
{
    return [validate](CDataExchange* pDX)
    {
        VUnicodeString text;
        DDX_Text(pDX, IDC_DDX_TEXT, text);
        validate(pDX, IDC_DDX_TEXT, text);
    };
}
void ConfigFolder(CDataExchange* pDX)
{
    CString folder;
    DDX_Text(pDX, IDC_DDX_TEXT, folder);
    VDDV_ValidateConfigFolder(pDX, folder, IDC_DDX_TEXT);
}
void Port(CDataExchange* pDX)
{
    unsigned short port = 80;
    DDX_Port(pDX, IDC_DDX_TEXT, port);
    g_number = port;
}
template <class Number, int nID> void Enabled(CDataExchange* pDX)
{
    Number value = 7;
    VDDX_EnabledText(pDX, nID, value);
    g_number = value;
}
void CheckBool(CDataExchange* pDX)
{
    bool bValue = false;
    DDX_Check(pDX, IDC_DDX_CHECK, bValue);
    g_number = bValue;
}
void CheckTriState(CDataExchange* pDX)
{
    VTriState state = VTriChecked;
    DDX_Check(pDX, IDC_DDX_CHECK, state);
    g_number = state;
}
void MaxChars(CDataExchange* pDX)
{
    VString text;
    DDX_Text(pDX, IDC_DDX_TEXT, text);
    DDV_MaxChars(pDX, text, 2);
}

std::wstring CertificateFailure(const std::wstring& path)
{
    VReportMessageParams err;
    EXPECT_FALSE(VCheckCertificatePath(path.c_str(), err));
    return err.GetSingleLineText();
}

TEST(FrameDataExchangeFocus, FailuresTellFocusTheFieldAndKeepTheDialogOpen)
{
    testkit::TempFolder scratch;
    const std::wstring junk = scratch.Path(L"junk.pfx"), missing = scratch.Path(L"gone.pfx");
    CloseHandle(CreateFileW(junk.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    wchar_t drive[] = L"Q:\\";
    for (wchar_t letter = L'Z'; letter > L'D' && GetDriveTypeW(drive) != DRIVE_NO_ROOT_DIR; --letter)
        drive[0] = letter;
    // Long, outside the ANSI code page, with ';' and quotes: the message shows it came through whole.
    const std::wstring odd = scratch.Path(std::wstring(300, L'\x6f22') + L";\"'");
    const std::wstring noDrive = drive + std::wstring(L"certs\\host.pfx"), nested = scratch.Path(L"a\\b");
    VReportMessageParams notFolder(MSG_FOLDER_NOT_VALID);
    notFolder.AddInsert((junk + L"\\config").c_str());
    const std::wstring reserved = L" is a reserved device name on Windows and cannot be used as a hostname.";
    const std::wstring range = L"Please enter an integer between 1 and 65535.";
    const std::wstring notNumber = L"Please enter a positive integer.",
                       capi = L"capi::My::No Such Certificate";
    const UINT framework = MB_OK | MB_ICONEXCLAMATION;
    struct Row
    {
        std::wstring typed;
        Exchange exchange;
        std::wstring expected; // empty: accepted
        UINT nType;
        unsigned long long number; // saved; a failed exchange leaves the loaded one
    } rows[] = {
        {L"con", Text(VDDV_ValidateHostName), L"con" + reserved, MB_OK, 0},
        {L"Com9", Text(VDDV_ValidateHostName), L"Com9" + reserved, MB_OK, 0},
        {L"clock$", Text(VDDV_ValidateHostName), L"clock$" + reserved, MB_OK, 0},
        {L"con1", Text(VDDV_ValidateHostName), L"", 0, 0},
        {L"COM10", Text(VDDV_ValidateHostName), L"", 0, 0},
        {missing, Text(VDDV_ValidatePath), L"The file '" + missing + L"' was not found.", MB_OK, 0},
        {noDrive, Text(VDDV_ValidatePath), L"The file '" + noDrive + L"' was not found.", MB_OK, 0},
        {odd, Text(VDDV_ValidatePath), L"The file '" + odd + L"' was not found.", MB_OK, 0},
        {L"", Text(VDDV_ValidatePath), L"", 0, 0},
        {scratch.Get(), Text(VDDV_ValidatePath), L"", 0, 0},
        // A certificate path must exist before it is loaded, unless it names a system store.
        {L"  " + missing, Text(VDDV_ValidateCertificatePath), L"The file '" + missing + L"' was not found.",
         MB_OK, 0},
        {junk, Text(VDDV_ValidateCertificatePath), CertificateFailure(junk), MB_OK, 0},
        {capi, Text(VDDV_ValidateCertificatePath), CertificateFailure(capi), MB_OK, 0},
        {L"   ", Text(VDDV_ValidateCertificatePath), L"", 0, 0},
        {junk + L"\\config", ConfigFolder, notFolder.GetText(), MB_ICONEXCLAMATION, 0},
        {nested, ConfigFolder, L"", 0, 0},
        {L"0", Port, range, framework, 80},
        {L"65536", Port, range, framework, 80},
        {L"http", Port, notNumber, framework, 80},
        {L"1", Port, L"", 0, 1},
        {L"65535", Port, L"", 0, 65535},
        {L"", CheckBool, L"", 0, 1}, // indeterminate is true
        {L"", CheckTriState, L"", 0, VTriIndeterminate},
        {L"abc", MaxChars, L"Please enter no more than 2 characters.", framework, 0},
        {L"12abc", Enabled<unsigned int, IDC_DDX_TEXT>, notNumber, framework, 7},
        {L"4000000000", Enabled<unsigned long, IDC_DDX_TEXT>, L"", 0, 4000000000u},
        // A disabled field is read as far as it holds a number, without validation.
        {L"12abc", Enabled<unsigned int, IDC_DDX_DISABLED>, L"", 0, 12},
        {L"12abc", Enabled<unsigned long, IDC_DDX_DISABLED>, L"", 0, 12},
        {L"", Enabled<unsigned int, IDC_DDX_DISABLED>, L"", 0, 0},
    };
    for (const Row& row : rows)
    {
        MessageBoxRecorder boxes;
        CFieldsDialog dialog(row.exchange, row.typed);
        g_number = 0;
        const INT_PTR result = dialog.DoModal();
        const auto seen = boxes.Boxes();
        SCOPED_TRACE(testing::Message() << "typed " << row.typed);
        EXPECT_EQ(row.number, g_number);
        if (row.expected.empty())
        {
            EXPECT_EQ(IDOK, result);
            EXPECT_TRUE(seen.empty());
            continue;
        }
        EXPECT_EQ(IDCANCEL, result) << "OK must not end the dialog";
        ASSERT_EQ(1u, seen.size());
        EXPECT_EQ(row.expected, seen[0].strPrompt.GetString());
        EXPECT_EQ(row.nType, seen[0].nType);
        EXPECT_EQ(IDC_DDX_FIRST, dialog.m_nFocusBefore);
        EXPECT_EQ(IDC_DDX_TEXT, dialog.m_nFocusAfter);
        EXPECT_EQ(MAKELONG(0, row.typed.size()), dialog.m_dwSelection) << "the field's text is selected";
    }
    EXPECT_TRUE(testkit::Exists(nested)) << "a valid configuration folder is created";

    // Bad input: a message or a pass, never a crash.
    testkit::CurrentFolder here(scratch.Get());
    for (const std::wstring& input :
         {std::wstring(10000, L'x'), std::wstring(10000, L'\x6f22'), std::wstring(L"\x3a9mega \x6f22\x5b57"),
          std::wstring(L"a;b\"c'd"), std::wstring(L"capi::\"My\";::'x'")})
    {
        for (const Exchange& exchange :
             {Text(VDDV_ValidateHostName), Text(VDDV_ValidatePath), Text(VDDV_ValidateCertificatePath),
              Exchange(ConfigFolder), Exchange(Port)})
        {
            MessageBoxRecorder boxes;
            CFieldsDialog dialog(exchange, input);
            const INT_PTR result = dialog.DoModal();
            EXPECT_LE(boxes.Boxes().size(), 1u);
            EXPECT_EQ(result == IDOK, boxes.Boxes().empty()) << input.substr(0, 40);
        }
    }
}

} // namespace

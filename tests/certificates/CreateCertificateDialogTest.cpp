// CreateCertificateDialog run for real: its template as the library carries it, the files it makes from
// typed fields, the ".pfx" ending, the overwrite question and bad input (a certificate that loads, or a
// message with the dialog open and no file made), and the focus: explanations that follow Tab, refused
// subjects that focus their field.
#include "certificates/CreateCertificateDialog.h"
#include "certificates/VCertificate.h"
#include "frame/Pardalin.h"
#include "harness/DialogTemplateReader.h"
#include "harness/ScratchFolder.h"
#include "harness/TestApp.h"

#include "PardalinMessages.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace
{
const UINT WM_APP_SCRIPT = WM_APP + 62;
const LONGLONG kDay = 24LL * 3600 * 10000000, kYear = 365 * kDay; // in FILETIME units

// Runs the script once the dialog is up (and in front, for the tests that need the focus), then cancels the
// dialog unless the script ended it.
class CScriptedDialog : public CreateCertificateDialog
{
public:
    CScriptedDialog(const std::wstring& path, DWORD flags, std::function<void(CScriptedDialog&)> script,
                    bool bForeground = false)
        : CreateCertificateDialog(path.c_str(), flags, nullptr), m_script(std::move(script)),
          m_bForeground(bForeground)
    {
    }
    BOOL OnInitDialog() override
    {
        PostMessage(WM_APP_SCRIPT);
        return CreateCertificateDialog::OnInitDialog();
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_APP_SCRIPT)
            return CreateCertificateDialog::WindowProc(message, wParam, lParam);
        if (m_bForeground)
        {
            ShowWindow(SW_SHOW);
            SetForegroundWindow();
        }
        m_script(*this);
        if (ContinueModal())
            EndDialog(IDCANCEL);
        return 0;
    }
    // As keystrokes, so that the control's own limit applies.
    void Type(int nID, const std::wstring& text)
    {
        SetDlgItemText(nID, L"");
        for (wchar_t ch : text)
            GetDlgItem(nID)->SendMessage(WM_CHAR, ch, 1);
    }
    // Presses Generate; whether the dialog is still open.
    bool Generate()
    {
        GetDlgItem(IDOK)->SendMessage(BM_CLICK);
        return ContinueModal() != FALSE;
    }
    std::wstring Text(int nID)
    {
        CString text;
        GetDlgItemText(nID, text);
        return text.GetString();
    }

private:
    std::function<void(CScriptedDialog&)> m_script;
    bool m_bForeground;
};

std::wstring Explanation(DWORD messageId)
{
    return VReportMessageParams(messageId).GetSingleLineText();
}
LONGLONG Ticks(const FILETIME& time)
{
    return static_cast<LONGLONG>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
}
} // namespace

// Each control as "id class "text" style rect", the style cut to the control's own bits, tab stop, border
// and vertical scroll bar.
TEST(CertificatesDialogTemplate, ResourceDataMatchesTheTable)
{
    HRSRC hResource = FindResourceW(GetPardalinDll(), MAKEINTRESOURCEW(1045), RT_DIALOG);
    auto* pBase = static_cast<const BYTE*>(LockResource(LoadResource(GetPardalinDll(), hResource)));
    ASSERT_NE(pBase, nullptr);
    DialogTemplateReader reader(pBase);
    EXPECT_EQ(reader.Read<DWORD>(), 0xFFFF0001u); // version 1, extended
    reader.Read<DWORD>();                         // help id
    EXPECT_EQ(reader.Read<DWORD>(), 0u);          // extended style
    EXPECT_EQ(reader.Read<DWORD>() & (WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CHILD),
              static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU));
    const WORD nControls = reader.Read<WORD>();
    EXPECT_EQ(reader.Rect(), L"0,0,281,297");
    EXPECT_TRUE(reader.Text().empty() && reader.Text().empty()); // no menu, no class
    EXPECT_EQ(reader.Text(), L"Create Certificate");
    EXPECT_EQ(reader.Read<WORD>(), 8);
    reader.Read<DWORD>(); // weight, italic, character set
    EXPECT_EQ(reader.Text(), L"MS Shell Dlg");
    std::wstring controls;
    for (WORD i = 0; i < nControls; ++i)
    {
        reader.AlignItem();
        reader.Read<DWORD>(); // help id
        EXPECT_EQ(reader.Read<DWORD>(), 0u);
        const DWORD style = reader.Read<DWORD>() & (0xFFFF | WS_TABSTOP | WS_BORDER | WS_VSCROLL);
        const std::wstring rect = reader.Rect();
        const int nID = reader.Read<int>();
        std::wstring kind = reader.Text();
        CharLowerW(kind.data());
        const std::wstring text = reader.Text();
        reader.p += reader.Read<WORD>(); // creation data
        wchar_t line[100];
        swprintf(line, 100, L"%d %ls \"%ls\" %#x %ls\n", nID, kind.c_str(), text.c_str(), style,
                 rect.c_str());
        controls += line;
    }
    // 0x10000 is the tab stop. Edits: 0x800080 border and auto horizontal scroll, 0x804 multi-line read-only.
    // Buttons: 0x4000 notify, 1 default. Statics: 0 left text, 0x10 etched line. 0x20: calendar on the right.
    // 0x200103: drop-down list, sorted, vertical scroll bar.
    EXPECT_EQ(controls, L"3000 edit \"\" 0x804 7,4,266,36\n"
                        L"-1 static \"\" 0x10 7,42,267,1\n"
                        L"-1 static \"Common &name:\" 0 7,50,50,8\n"
                        L"1181 edit \"\" 0x810080 83,48,191,14\n"
                        L"-1 static \"&Organization:\" 0 7,69,44,8\n"
                        L"1182 edit \"\" 0x810080 83,67,191,14\n"
                        L"-1 static \"Organizational &unit:\" 0 7,88,64,8\n"
                        L"1183 edit \"\" 0x810080 83,86,191,14\n"
                        L"-1 static \"&Country/region:\" 0 7,107,52,8\n"
                        L"1184 edit \"\" 0x810080 83,105,191,14\n"
                        L"-1 static \"&State/province:\" 0 7,126,51,8\n"
                        L"1185 edit \"\" 0x810080 83,124,191,14\n"
                        L"-1 static \"&Locality/city:\" 0 7,145,42,8\n"
                        L"1186 edit \"\" 0x810080 83,143,191,14\n"
                        L"-1 static \"&E-mail:\" 0 7,164,20,8\n"
                        L"1187 edit \"\" 0x810080 83,162,191,14\n"
                        L"-1 static \"&Path:\" 0 7,183,18,8\n"
                        L"1188 edit \"\" 0x810080 83,181,172,14\n"
                        L"1018 button \"...\" 0x14000 260,181,14,14\n"
                        L"-1 static \"Certificate e&xpiration:\" 0 7,202,71,8\n"
                        L"3001 sysdatetimepick32 \"\" 0x10020 83,200,64,15\n"
                        L"-1 static \"&Key size:\" 0 7,221,30,8\n"
                        L"3003 combobox \"\" 0x210103 83,220,64,73\n"
                        L"-1 static \"\" 0x10 7,241,267,1\n"
                        L"1189 static \"Explanatory text.\" 0 7,246,267,16\n"
                        L"-1 static \"\" 0x10 7,267,267,1\n"
                        L"1 button \"&Generate\" 0x10001 169,276,50,14\n"
                        L"2 button \"Cancel\" 0x10000 224,276,50,14\n");
}

// Generate with the typed subject (the country cut to two characters) and a path or field from the table:
// the ".pfx" ending, the overwrite question, bad input. Either a certificate that loads, with the subject,
// key size, expiration and request asked for, or a message with the dialog open and no file made.
TEST(CertificatesDialog, GeneratesOrTellsWhyNot)
{
    testkit::TempFolder scratch;
    const HANDLE old =
        CreateFileW(scratch.Path(L"old.pfx").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, 0);
    WriteFile(old, "keep", 4, nullptr, nullptr);
    CloseHandle(old);
    CreateDirectoryW(scratch.Path(L"folder.pfx").c_str(), nullptr);
    std::wstring noDrive = L"Z:\\missing\\host.pfx";
    while (GetLogicalDrives() & (1u << (noDrive[0] - L'A')))
        --noDrive[0];
    const std::wstring longText(10000, L'x'), other = L"\u4E2D\u6587 \u00FCber";
    const wchar_t* const typed[] = {L"host.example.com", L"Example Org",      L"Ops", L"USA", L"Oregon",
                                    L"Springfield",      L"admin@example.com"};
    const struct
    {
        const char* what;
        std::wstring path, expected; // under the scratch folder unless empty or with a drive
        DWORD flags;                 // a request and the larger key, or neither
        int nID, nAnswer; // a field set to text; the answer to the overwrite question, 0: not asked
        std::wstring text;
        char outcome; // made, refused, or either
    } rows[] = {
        {"no ending", L"name", L"name.pfx", 4, 0, 0, L"", 'm'},
        {"final dot", L"dot.", L"dot.pfx", 0, 0, 0, L"", 'm'},
        {"ending kept", L"kept.P12", L"kept.P12", 4, 0, 0, L"", 'm'},
        {"other ending", L"notes.txt", L"notes.txt.pfx", 0, 0, 0, L"", 'm'},
        {"existing, No", L"old.pfx", L"old.pfx", 0, 0, IDNO, L"", 'r'},
        {"existing, Yes", L"old", L"old.pfx", 0, 0, IDYES, L"", 'm'},
        {"empty path", L"", L"", 0, 0, 0, L"", 'r'},
        {"long common name", L"a.pfx", L"a.pfx", 0, 1181, 0, longText, '?'},
        {"long unit", L"b.pfx", L"b.pfx", 0, 1183, 0, longText, '?'},
        {"long country", L"c.pfx", L"c.pfx", 0, 1184, 0, longText, 'r'},
        {"outside the code page", other, other + L".pfx", 0, 1182, 0, other, '?'},
        {"quoted separator", L"d.pfx", L"d.pfx", 0, 1182, 0, L"\"Smith; Jones\"", '?'},
        {"unpaired quote", L"e.pfx", L"e.pfx", 0, 1186, 0, L"say \"hi", '?'},
        {"missing drive", noDrive, noDrive, 0, 0, 0, L"", 'r'},
        {"folder", L"folder.pfx", L"folder.pfx", 0, 0, IDYES, L"", 'r'},
        {"long path", longText, longText + L".pfx", 0, 0, 0, L"", 'r'},
    };
    const auto at = [&](const std::wstring& name)
    { return name.empty() || name[1] == L':' ? name : scratch.Path(name); };
    for (const auto& row : rows)
    {
        SCOPED_TRACE(row.what);
        MessageBoxRecorder boxes(row.nAnswer);
        bool bOpen = false;
        CScriptedDialog dialog(at(row.path), row.flags,
                               [&](CScriptedDialog& d)
                               {
                                   for (int i = 0; i < 7; ++i)
                                       d.Type(1181 + i, typed[i]);
                                   if (row.nID != 0)
                                       d.SetDlgItemText(row.nID, row.text.c_str());
                                   d.SendDlgItemMessage(3003, CB_SETCURSEL, row.flags ? 1 : 0);
                                   bOpen = d.Generate();
                               });
        FILETIME now;
        GetSystemTimeAsFileTime(&now);
        const bool bMade = dialog.DoModal() == IDOK;
        const std::wstring path = dialog.GetPath();
        EXPECT_EQ(path, at(row.expected));
        EXPECT_TRUE(row.outcome == '?' || bMade == (row.outcome == 'm'));
        EXPECT_EQ(bOpen, !bMade);
        const auto shown = boxes.Boxes();
        ASSERT_EQ(!shown.empty(), row.nAnswer != 0 || !bMade);
        const std::wstring question = Explanation(MSG_CERTIFICATE_FILE_EXISTS);
        EXPECT_EQ(!shown.empty() && shown[0].strPrompt == question.c_str() &&
                      (shown[0].nType & MB_TYPEMASK) == MB_YESNO,
                  row.nAnswer != 0);
        VCertificate* certificate = new VCertificate;
        VReportMessageParams err;
        EXPECT_EQ(certificate->Load(path.c_str(), err), bMade);
        if (!bMade)
        {
            certificate->Release();
            EXPECT_TRUE(row.nAnswer != 0 || !testkit::Exists(path)) << "no file made";
            continue;
        }
        CERT_INFO* info = certificate->GetStore().GetCertificate()->pCertInfo;
        wchar_t subject[512] = {};
        CertNameToStrW(X509_ASN_ENCODING, &info->Subject, CERT_X500_NAME_STR | CERT_NAME_STR_SEMICOLON_FLAG,
                       subject, 512);
        EXPECT_TRUE(row.nID != 0 || std::wstring(subject) ==
                                        L"CN=host.example.com; O=Example Org; OU=Ops; C=US; "
                                        L"L=Springfield; S=Oregon; E=admin@example.com")
            << subject;
        EXPECT_EQ(CertGetPublicKeyLength(X509_ASN_ENCODING, &info->SubjectPublicKeyInfo),
                  row.flags ? 2048u : 1024u);
        EXPECT_LT(std::abs(Ticks(info->NotAfter) - Ticks(now) - kYear), kDay);
        certificate->Release();
        EXPECT_EQ(testkit::Exists(path.substr(0, path.size() - 4) + L".csr"), row.flags != 0);
    }
}

// Tab from field to field (the explanation line cleared before each step) with the dialog as it starts:
// a date a year ahead that refuses a past one, the key sizes, the introduction. Then a ";" outside quotes
// in each field of the subject, and a country longer than typing allows: told, and the field focused.
TEST(CertificatesDialogFocus, ExplanationsFollowTabAndRefusalsFocusTheField)
{
    const std::pair<int, DWORD> order[] = {
        {1181, MSG_HELP_COMMON_NAME}, {1182, MSG_HELP_ORGANIZATION}, {1183, MSG_HELP_ORGANIZATIONAL_UNIT},
        {1184, MSG_HELP_COUNTRY},     {1185, MSG_HELP_STATE},        {1186, MSG_HELP_LOCALITY},
        {1187, MSG_HELP_EMAIL},       {1188, MSG_HELP_PATH},         {1018, MSG_HELP_PATH},
        {3001, MSG_HELP_EXPIRATION},  {3003, MSG_HELP_KEY_SIZE}};
    const std::wstring invalid = Explanation(static_cast<DWORD>(CRYPT_E_INVALID_X500_STRING));
    MessageBoxRecorder boxes;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const auto script = [&](CScriptedDialog& d)
    {
        for (const auto& step : order)
        {
            SCOPED_TRACE(step.first);
            EXPECT_EQ(GetDlgCtrlID(::GetFocus()), step.first);
            EXPECT_EQ(d.Text(1189), Explanation(step.second));
            d.SetDlgItemText(1189, L"");
            MSG tab = {::GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
            ::IsDialogMessageW(d.m_hWnd, &tab);
        }
        SYSTEMTIME shown = {}, past = {};
        GetLocalTime(&past);
        past.wYear -= 1;
        d.SendDlgItemMessage(3001, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&past));
        d.SendDlgItemMessage(3001, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&shown));
        FILETIME local, utc;
        SystemTimeToFileTime(&shown, &local);
        LocalFileTimeToFileTime(&local, &utc);
        EXPECT_LT(std::abs(Ticks(utc) - Ticks(now) - kYear), kDay);
        wchar_t sizes[2][8] = {};
        for (int i = 0; i < 2; ++i)
            d.SendDlgItemMessage(3003, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(sizes[i]));
        EXPECT_EQ(std::wstring(sizes[0]) + L"," + sizes[1] + L"," +
                      std::to_wstring(d.SendDlgItemMessage(3003, CB_GETCURSEL)),
                  L"1024,2048,0");
        EXPECT_NE(d.Text(3000).find(L" for use by " + std::wstring(AfxGetAppName()) + L" when establishing"),
                  std::wstring::npos);
        for (const int nID : {1181, 1182, 1183, 1184, 1185, 1186, 1187, 0})
        {
            SCOPED_TRACE(nID);
            for (int field = 1181; field <= 1187; ++field)
                d.SetDlgItemText(field, L"");
            if (nID != 0)
                d.Type(nID, L"a;");
            else
                d.SetDlgItemText(1184, L"USA");
            const size_t nBefore = boxes.Boxes().size();
            EXPECT_TRUE(d.Generate());
            EXPECT_EQ(GetDlgCtrlID(::GetFocus()), nID != 0 ? nID : 1184);
            const auto shown = boxes.Boxes();
            ASSERT_EQ(shown.size(), nBefore + 1);
            EXPECT_EQ(shown.back().strPrompt == invalid.c_str(), nID != 0);
        }
    };
    CScriptedDialog(L"", 0, script, true).DoModal();
}

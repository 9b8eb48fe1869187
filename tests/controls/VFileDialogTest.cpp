// VFileDialog: the repaired initial name, and real dialogs that show the OK text and survive names the
// system refuses.
#include "controls/VFileDialog.h"

#include <gtest/gtest.h>

#include <cderr.h>

#include <string>
#include <vector>

namespace
{
TEST(ControlsFileDialog, InitialNamesAreRepaired)
{
    const std::wstring longName(10000, L'n');
    struct Row
    {
        const wchar_t* fallback;
        std::wstring initial;
        std::wstring expected;
    } rows[] = {
        {L"cert.pfx", L"C:\\data\\", L"C:\\data\\cert.pfx"},
        {L"cert.pfx", L"D:", L"cert.pfx"},
        {L"cert.pfx", L"C:/data/", L"C:\\data\\cert.pfx"},
        {L"cert.pfx", L"", L"cert.pfx"},
        {L"cert.pfx", L"C:\\data\\old.pfx", L"C:\\data\\old.pfx"},
        {nullptr, L"C:\\data\\", L"C:\\data"},
        {nullptr, L"C:\\data\\\\", L"C:\\data"},
        {nullptr, L"C:/data/file.txt", L"C:\\data\\file.txt"},
        {nullptr, L"", L""},
        {nullptr, L":\\", L""},
        // Too long for the buffer: cut, never written past it.
        {nullptr, longName, longName.substr(0, _MAX_PATH - 1)},
        {longName.c_str(), L"C:\\data\\", (L"C:\\data\\" + longName).substr(0, _MAX_PATH - 1)},
    };
    for (const Row& row : rows)
    {
        VFileDialog dialog(TRUE, row.fallback, L"Title", nullptr, L"pfx", row.initial.c_str(),
                           OFN_HIDEREADONLY, L"PFX Files (*.pfx)|*.pfx||", nullptr);
        EXPECT_EQ(row.expected, dialog.GetOFN().lpstrFile) << "initial " << row.initial.substr(0, 40);
        EXPECT_EQ(DWORD(OFN_ENABLESIZING | OFN_EXPLORER | OFN_HIDEREADONLY),
                  dialog.GetOFN().Flags & (OFN_ENABLESIZING | OFN_EXPLORER | OFN_HIDEREADONLY));
        EXPECT_STREQ(L"Title", dialog.GetOFN().lpstrTitle);
    }
}

// Notes what each run of the dialog showed, then cancels it.
class CShownFileDialog : public VFileDialog
{
public:
    using VFileDialog::VFileDialog;
    std::vector<std::wstring> m_names;
    std::wstring m_okText;

    BOOL OnInitDialog() override
    {
        BOOL bResult = VFileDialog::OnInitDialog();
        HWND hDialog = ::GetParent(m_hWnd);
        wchar_t text[MAX_PATH] = {};
        ::GetDlgItemTextW(hDialog, IDOK, text, MAX_PATH);
        m_okText = text;
        ::SendMessageW(hDialog, CDM_GETSPEC, MAX_PATH, reinterpret_cast<LPARAM>(text));
        m_names.push_back(text);
        ::PostMessageW(hDialog, WM_COMMAND, IDCANCEL, 0);
        return bResult;
    }
};

// Wine shows any initial name, so the refusal of Windows is played here: the stand-in's call of the
// system dialog and the library's question for its error go through these while a test refuses names.
struct Refusal
{
    decltype(&GetOpenFileNameW) pfnOpen = nullptr;
    decltype(&CommDlgExtendedError) pfnError = nullptr;
    std::vector<std::wstring> refused;
    std::vector<std::wstring> asked; // every name the system was given
    bool bLastRefused = false;
} g_refusal;

BOOL WINAPI RefusingOpen(OPENFILENAMEW* pofn)
{
    g_refusal.asked.push_back(pofn->lpstrFile);
    g_refusal.bLastRefused = false;
    for (const std::wstring& name : g_refusal.refused)
        g_refusal.bLastRefused |= name == pofn->lpstrFile;
    return g_refusal.bLastRefused ? FALSE : g_refusal.pfnOpen(pofn);
}

DWORD WINAPI RefusingError()
{
    return g_refusal.bLastRefused ? FNERR_INVALIDFILENAME : g_refusal.pfnError();
}

// Points a module's import of dll!name at pfnNew; the previous target, or null when there is none.
void* Redirect(const wchar_t* module, const char* dll, const char* name, void* pfnNew)
{
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(module));
    auto* nt =
        reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const auto& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* imp = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); imp->Name; ++imp)
    {
        if (_stricmp(reinterpret_cast<char*>(base + imp->Name), dll) != 0)
            continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots)
        {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal) ||
                strcmp(reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData)->Name, name) !=
                    0)
                continue;
            DWORD old = 0;
            VirtualProtect(&slots->u1.Function, sizeof(void*), PAGE_READWRITE, &old);
            void* previous = reinterpret_cast<void*>(slots->u1.Function);
            slots->u1.Function = reinterpret_cast<ULONG_PTR>(pfnNew);
            VirtualProtect(&slots->u1.Function, sizeof(void*), old, &old);
            return previous;
        }
    }
    return nullptr;
}

class ControlsFileDialogFocus : public testing::Test
{
protected:
    void SetUp() override
    {
        g_refusal.pfnOpen = reinterpret_cast<decltype(&GetOpenFileNameW)>(
            Redirect(L"afx.dll", "comdlg32.dll", "GetOpenFileNameW", reinterpret_cast<void*>(&RefusingOpen)));
        g_refusal.pfnError = reinterpret_cast<decltype(&CommDlgExtendedError)>(
            Redirect(L"Pardalin67U.dll", "comdlg32.dll", "CommDlgExtendedError",
                     reinterpret_cast<void*>(&RefusingError)));
        ASSERT_NE(nullptr, g_refusal.pfnOpen);
        ASSERT_NE(nullptr, g_refusal.pfnError);
    }
    void TearDown() override
    {
        Redirect(L"afx.dll", "comdlg32.dll", "GetOpenFileNameW", reinterpret_cast<void*>(g_refusal.pfnOpen));
        Redirect(L"Pardalin67U.dll", "comdlg32.dll", "CommDlgExtendedError",
                 reinterpret_cast<void*>(g_refusal.pfnError));
        g_refusal = Refusal();
    }
};

TEST_F(ControlsFileDialogFocus, ShowsTheOkTextAndTheName)
{
    CShownFileDialog dialog(FALSE, nullptr, nullptr, L"&Generate", L"pfx", L"C:/certs/host.pfx", 0, nullptr,
                            nullptr);
    dialog.SetInitialDirectory(L"C:\\");
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_EQ(0u, CommDlgExtendedError());
    EXPECT_EQ(L"&Generate", dialog.m_okText);
    EXPECT_EQ(std::vector<std::wstring>{L"host.pfx"}, dialog.m_names);
}

TEST_F(ControlsFileDialogFocus, RefusedNamesFallBackAndThenToNone)
{
    // A refused name closes the dialog unseen: the fallback is shown instead, and when that is refused too,
    // no name at all. A cancel by the user is not retried.
    g_refusal.refused = {L"C:\\bad.pfx", L"bad-fallback.pfx"};
    struct Row
    {
        const wchar_t* fallback;
        std::vector<std::wstring> asked;
        std::vector<std::wstring> shown;
    } rows[] = {
        {L"host.pfx", {L"C:\\bad.pfx", L"host.pfx"}, {L"host.pfx"}},
        {L"bad-fallback.pfx", {L"C:\\bad.pfx", L"bad-fallback.pfx", L""}, {L""}},
        {nullptr, {L"C:\\bad.pfx", L""}, {L""}},
    };
    for (const Row& row : rows)
    {
        g_refusal.asked.clear();
        CShownFileDialog dialog(TRUE, row.fallback, nullptr, nullptr, L"pfx", L"C:/bad.pfx", 0, nullptr,
                                nullptr);
        EXPECT_EQ(IDCANCEL, dialog.DoModal());
        EXPECT_EQ(row.asked, g_refusal.asked);
        EXPECT_EQ(row.shown, dialog.m_names);
    }
    g_refusal.asked.clear();
    CShownFileDialog good(TRUE, L"host.pfx", nullptr, nullptr, L"pfx", L"C:\\good.pfx", 0, nullptr, nullptr);
    EXPECT_EQ(IDCANCEL, good.DoModal());
    EXPECT_EQ(std::vector<std::wstring>{L"C:\\good.pfx"}, g_refusal.asked);
}
} // namespace

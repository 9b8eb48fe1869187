// VFileDialog: the repaired initial name, and real dialogs that show the OK text and survive names the
// system refuses.
#include "controls/VFileDialog.h"

#include <gtest/gtest.h>

#include <cderr.h>

#include <algorithm>
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
        std::wstring initial, expected;
    } rows[] = {
        {L"cert.pfx", L"C:\\data\\", L"C:\\data\\cert.pfx"},
        {L"cert.pfx", L"D:", L"cert.pfx"},
        {L"cert.pfx", L"C:/data/", L"C:\\data\\cert.pfx"},
        {L"cert.pfx", L"", L"cert.pfx"},
        {L"cert.pfx", L"C:\\data\\old.pfx", L"C:\\data\\old.pfx"},
        {nullptr, L"C:\\data\\\\", L"C:\\data"},
        {nullptr, L"C:/data/file.txt", L"C:\\data\\file.txt"},
        {nullptr, L":\\", L""},
        // Too long for the buffer: cut, never written past it.
        {nullptr, longName, longName.substr(0, _MAX_PATH - 1)},
        {longName.c_str(), L"C:\\data\\", (L"C:\\data\\" + longName).substr(0, _MAX_PATH - 1)},
    };
    for (const Row& row : rows)
    {
        VFileDialog dialog(TRUE, row.fallback, L"Title", nullptr, L"pfx", row.initial.c_str(),
                           OFN_HIDEREADONLY, L"PFX Files (*.pfx)|*.pfx||", nullptr);
        EXPECT_EQ(row.expected, dialog.GetOFN().lpstrFile) << row.initial.substr(0, 40);
        EXPECT_EQ(DWORD(OFN_ENABLESIZING | OFN_EXPLORER | OFN_HIDEREADONLY),
                  dialog.GetOFN().Flags & (OFN_ENABLESIZING | OFN_EXPLORER | OFN_HIDEREADONLY));
        EXPECT_STREQ(L"Title", dialog.GetOFN().lpstrTitle);
    }
}

// Notes the OK text and the name each run showed, then cancels.
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

// Wine shows any initial name, so the refusal of Windows is played here: while a test runs, the stand-in's
// call of the system dialog and the library's question for its error go through these.
std::vector<std::wstring> g_refused, g_asked;
bool g_bLastRefused = false;
void* g_pfnOpen = nullptr;
void* g_pfnError = nullptr;

BOOL WINAPI RefusingOpen(OPENFILENAMEW* pofn)
{
    g_asked.push_back(pofn->lpstrFile);
    g_bLastRefused = std::find(g_refused.begin(), g_refused.end(), pofn->lpstrFile) != g_refused.end();
    return !g_bLastRefused && reinterpret_cast<decltype(&GetOpenFileNameW)>(g_pfnOpen)(pofn);
}

DWORD WINAPI RefusingError()
{
    return g_bLastRefused ? FNERR_INVALIDFILENAME
                          : reinterpret_cast<decltype(&CommDlgExtendedError)>(g_pfnError)();
}

// Points module's import of comdlg32!name at pfn while it lives; the previous target goes to *ppfnPrevious.
class ImportRedirect
{
public:
    ImportRedirect(const wchar_t* module, const char* name, void* pfn, void** ppfnPrevious)
    {
        auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(module));
        auto* nt =
            reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
        auto* imp = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(
            base + nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress);
        for (; imp->Name != 0 && _stricmp(reinterpret_cast<char*>(base + imp->Name), "comdlg32.dll") != 0;
             ++imp)
        {
        }
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->OriginalFirstThunk);
        auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->FirstThunk);
        while (names->u1.AddressOfData != 0 &&
               strcmp(reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData)->Name, name) !=
                   0)
            ++names, ++slot;
        m_pSlot = reinterpret_cast<void**>(&slot->u1.Function);
        DWORD dwOld = 0;
        VirtualProtect(m_pSlot, sizeof(void*), PAGE_READWRITE, &dwOld);
        *ppfnPrevious = m_pPrevious = *m_pSlot;
        *m_pSlot = pfn;
    }
    ~ImportRedirect() { *m_pSlot = m_pPrevious; }

private:
    void** m_pSlot;
    void* m_pPrevious;
};

TEST(ControlsFileDialogFocus, RefusedNamesFallBackAndThenToNone)
{
    ImportRedirect open(L"afx.dll", "GetOpenFileNameW", reinterpret_cast<void*>(&RefusingOpen), &g_pfnOpen);
    ImportRedirect error(L"Pardalin67U.dll", "CommDlgExtendedError", reinterpret_cast<void*>(&RefusingError),
                         &g_pfnError);
    // A refused name closes the dialog unseen: the fallback is shown instead, and when that is refused too,
    // no name at all. An accepted name is not retried. Every run shows the OK text.
    g_refused = {L"C:\\bad.pfx", L"bad-fallback.pfx"};
    struct Row
    {
        const wchar_t *fallback, *initial;
        std::vector<std::wstring> asked, shown;
    } rows[] = {
        {L"host.pfx", L"C:/bad.pfx", {L"C:\\bad.pfx", L"host.pfx"}, {L"host.pfx"}},
        {L"bad-fallback.pfx", L"C:/bad.pfx", {L"C:\\bad.pfx", L"bad-fallback.pfx", L""}, {L""}},
        {nullptr, L"C:/bad.pfx", {L"C:\\bad.pfx", L""}, {L""}},
        {L"host.pfx", L"C:\\good.pfx", {L"C:\\good.pfx"}, {L"good.pfx"}},
    };
    for (const Row& row : rows)
    {
        g_asked.clear();
        CShownFileDialog dialog(TRUE, row.fallback, nullptr, nullptr, L"pfx", row.initial, 0, nullptr,
                                nullptr);
        EXPECT_EQ(IDCANCEL, dialog.DoModal());
        EXPECT_EQ(row.asked, g_asked);
        EXPECT_EQ(row.shown, dialog.m_names);
    }
}
} // namespace

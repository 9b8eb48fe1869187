// BrowseForCertificateFile with the system's real file dialog: its title, the PFX filter, the tidied
// initial name, and what comes back for a chosen file and for Cancel.
#include "certificates/BrowseForCertificateFile.h"

#include "harness/DialogAnswerer.h"
#include "harness/ScratchFolder.h"

#include <gtest/gtest.h>

#include <dlgs.h>

#include <string>

namespace
{
TEST(CertificatesChooser, ChosenFileComesBackAndCancelLeavesThePath)
{
    testkit::TempFolder scratch;
    const std::wstring existing = scratch.Path(L"server.p12");
    CloseHandle(CreateFileW(existing.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), L"Owner", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100,
                               nullptr, nullptr));

    struct Row
    {
        const char* what;
        std::wstring initial, shownName;
        bool choose;
        INT_PTR result;
        std::wstring path;
    } rows[] = {
        {"the initial file accepted", existing, L"server.p12", true, 1, existing},
        {"cancel", existing, L"server.p12", false, IDCANCEL, L"unchanged"},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.what);
        std::wstring filter, shownName;
        DialogAnswerer answerer(
            [&](HWND dialog)
            {
                wchar_t text[MAX_PATH] = {};
                SendMessageW(dialog, CDM_GETSPEC, MAX_PATH, reinterpret_cast<LPARAM>(text));
                shownName = text;
                filter = DialogAnswerer::TextOf(GetDlgItem(dialog, cmb1));
                PostMessageW(dialog, WM_COMMAND, row.choose ? IDOK : IDCANCEL, 0);
            });
        VUnicodeString path(L"unchanged");
        EXPECT_EQ(row.result, BrowseForCertificateFile(row.initial.c_str(), &owner, path));
        EXPECT_EQ(1, answerer.Count());
        EXPECT_EQ(L"Select Certificate File", answerer.Caption());
        EXPECT_EQ(owner.m_hWnd, answerer.Owner());
        EXPECT_EQ(row.shownName, shownName);
        EXPECT_EQ(L"PFX Files (*.pfx;*.p12)", filter);
        EXPECT_EQ(0, _wcsicmp(row.path.c_str(), path.GetString())) << path.GetString();
    }

    // The file must exist: a missing name keeps the dialog open with the system's complaint, after which
    // the user cancels.
    const std::wstring missing = scratch.Path(L"missing.pfx");
    int complaints = 0;
    DialogAnswerer answerer(
        [&](HWND dialog)
        {
            HWND dialogOwner = GetWindow(dialog, GW_OWNER);
            if (dialogOwner == owner.m_hWnd)
            {
                for (const int field : {cmb13, edt1})
                    SendMessageW(dialog, CDM_SETCONTROLTEXT, field,
                                 reinterpret_cast<LPARAM>(missing.c_str()));
                PostMessageW(dialog, WM_COMMAND, IDOK, 0);
                return;
            }
            ++complaints;
            PostMessageW(dialog, WM_COMMAND, IDOK, 0);
            PostMessageW(dialogOwner, WM_COMMAND, IDCANCEL, 0);
        });
    VUnicodeString path(L"unchanged");
    EXPECT_EQ(IDCANCEL, BrowseForCertificateFile(existing.c_str(), &owner, path));
    EXPECT_EQ(1, complaints);
    EXPECT_STREQ(L"unchanged", path.GetString());
    owner.DestroyWindow();
}
} // namespace

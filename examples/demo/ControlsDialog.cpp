#include "ControlsDialog.h"

#include "ControlsDialogIds.h"

#include <string>

namespace
{
constexpr UINT_PTR kScriptTimer = 1;

const CControlsDialog::File kFiles[] = {
    {L"branch-office.cfg", true}, {L"release-notes.txt", true}, {L"tunnels.reg", true},
    {L"user-guide.chm", true},    {L"installer.msi", true},     {L"tool.exe", true},
    {L"session.trace", false},    {L"archive.xyz", false},
};

const wchar_t* const kRows[] = {L"Administrators", L"Operators", L"Guests"};
} // namespace

BEGIN_MESSAGE_MAP(CControlsDialog, CDialog)
ON_WM_TIMER()
END_MESSAGE_MAP()

CControlsDialog::CControlsDialog(CWnd* pParent)
    : CDialog(IDD_CONTROLS, pParent), m_icons(&m_types, &m_smallImages, &m_largeImages),
      m_link(L"https://example.org/pardalin/help", 0), m_nStep(0)
{
    AddFileTypes();
    m_icons.SetResourceNumber(VIconManager::IMG_UNKNOWN_FILE, IDI_DEMO_UNKNOWN_FILE);
    m_icons.SetResourceNumber(VIconManager::IMG_OWN_FILE_TYPE, IDI_DEMO_CONFIG_FILE);
}

CControlsDialog::~CControlsDialog() = default;

const CControlsDialog::File* CControlsDialog::Files(int& count)
{
    count = static_cast<int>(std::size(kFiles));
    return kFiles;
}

void CControlsDialog::AddFileTypes()
{
    wchar_t windows[MAX_PATH] = L"";
    GetWindowsDirectoryW(windows, MAX_PATH);
    m_types.SetOwnTypeIndex(m_types.Add(L"Demo configuration", L".cfg", L"", 0));
    m_types.Add(L"Text document", L".txt", (std::wstring(windows) + L"\\notepad.exe").c_str(), 0);
    m_types.Add(L"Registry entries", L".reg", (std::wstring(windows) + L"\\regedit.exe").c_str(), 0);
    // As a DefaultIcon value of a program gives it: the program's own first icon.
    m_types.Add(L"Program", L".exe", L"%1", 0);
    m_types.Add(L"Trace", L".trace", L"C:\\Program Files\\Trace Viewer\\missing.dll", 0);
    for (const wchar_t* extension : {L".chm", L".msi"})
        m_types.AddRegistered(extension);
}

BOOL CControlsDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    const UINT headings[][2] = {{IDC_HEAD_READ1, IDC_HEAD_WRITE1},
                                {IDC_HEAD_READ2, IDC_HEAD_WRITE2},
                                {IDC_HEAD_READ3, IDC_HEAD_WRITE3}};
    const UINT lists[] = {IDC_CHECKS_INDEPENDENT, IDC_CHECKS_RADIO, IDC_CHECKS_READ_ONLY};
    for (int mode = 0; mode < 3; ++mode)
    {
        VCheckListBox& list = m_checks[mode];
        list.SetRadioStyle(mode == 1);
        list.SetReadOnly(mode == 2);
        list.Create(WS_VISIBLE | WS_TABSTOP, this, lists[mode], nullptr);
        for (UINT heading : headings[mode])
        {
            CRect rect;
            GetDlgItem(heading)->GetWindowRect(&rect);
            list.AddCheckColumn(rect.CenterPoint().x - list.GetCheckWidth() / 2);
        }
        for (const wchar_t* row : kRows)
            list.AddItem(row);
        list.SetCheckState(0, 0, 1);
        list.SetCheckState(0, 1, mode == 1 ? 0 : 1);
        list.SetCheckState(1, 0, 1);
        list.SetCheckState(2, mode == 1 ? 1 : 0, mode == 1 ? 1 : 0);
    }
    m_link.SubclassDlgItem(IDC_HELP_LINK, this);
    m_password.SubclassDlgItem(IDC_PASSWORD, this);
    m_password.SetWindowText(L"correct horse");

    m_files.SubclassDlgItem(IDC_FILE_ICONS, this);
    // Four files to a row, so that every file is in view.
    m_files.SendMessage(LVM_SETICONSPACING, 0, MAKELPARAM(70, 70));
    if (m_icons.PrepareImageLists())
    {
        m_files.SetImageList(&m_largeImages, LVSIL_NORMAL);
        m_files.SetImageList(&m_smallImages, LVSIL_SMALL);
    }
    for (int i = 0; i < static_cast<int>(std::size(kFiles)); ++i)
    {
        m_files.InsertItem(i, kFiles[i].name, m_icons.ImageIndex(wcsrchr(kFiles[i].name, L'.')));
    }
    if (m_script)
        SetTimer(kScriptTimer, 200, nullptr);
    return TRUE;
}

void CControlsDialog::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kScriptTimer && m_script && !m_script(*this, m_nStep++))
    {
        KillTimer(kScriptTimer);
        EndDialog(IDOK);
    }
}

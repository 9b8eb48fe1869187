// CControlsDialog: the demo's Tools > Controls. Three check lists (independent boxes, radio style,
// read-only), the help link, a password edit, and a list of files of several types whose icons come from the
// icon manager over the host kit's file types: the demo's own configuration files, types of its own table
// and of the registry, a program, a type whose icon file is missing and an unknown one.
//
//     CControlsDialog dialog(pMainWnd);
//     dialog.SetScript([](CControlsDialog& d, int nStep) { ...; return nStep < 3; });
//     dialog.DoModal();
#pragma once

#include "controls/VCheckListBox.h"
#include "controls/VIconManager.h"
#include "controls/VPasswordEdit.h"
#include "controls/VStaticURL.h"
#include "hostkit/FileTypeTable.h"

#include <afxcmn.h>

#include <functional>

class CControlsDialog : public CDialog
{
public:
    // One step of a scripted walk, run by a timer while the dialog is up; false ends the dialog.
    typedef std::function<bool(CControlsDialog& dialog, int nStep)> Script;
    // A file the list shows, and whether its type has an icon that loads (else it shows the unknown-file
    // image).
    struct File
    {
        const wchar_t* name;
        bool bKnownType;
    };

    // Construction
    explicit CControlsDialog(CWnd* pParent);
    ~CControlsDialog() override;

    // Attributes
    static const File* Files(int& count);
    CListCtrl& GetFileList() { return m_files; }
    VIconManager& GetIcons() { return m_icons; }
    VCheckListBox& GetCheckList(int mode) { return m_checks[mode]; }
    void SetScript(Script script) { m_script = std::move(script); }

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()

private:
    // The file types of the demo's own table and of the registry.
    void AddFileTypes();

    VFileTypeTable m_types;
    CImageList m_smallImages, m_largeImages;
    VIconManager m_icons;
    VCheckListBox m_checks[3];
    VStaticURL m_link;
    VPasswordEdit m_password;
    CListCtrl m_files;
    Script m_script;
    int m_nStep;
};

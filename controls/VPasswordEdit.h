/// \class VPasswordEdit
/// An edit control for passwords that takes the control characters typed with the Control key (Control+A is
/// character 1) into its text, where a plain edit control refuses them. Backspace and Control+V keep their
/// usual meaning.
///
/// \code{.cpp}
/// VPasswordEdit m_password;
/// DDX_Control(pDX, IDC_PASSWORD, m_password); // or m_password.SubclassDlgItem(IDC_PASSWORD, this)
/// \endcode
#pragma once

#include <afxwin.h>

#include "core/PardalinApi.h"

class PARDALIN_API VPasswordEdit : public CEdit
{
public:
    // Construction
    /// No window yet: subclass a dialog's edit control with it.
    VPasswordEdit();
    /// Nothing beyond the edit control's own clean-up.
    ~VPasswordEdit() override;

protected:
    /// Characters 1 to 31 other than backspace and Control+V replace the selection and leave the caret after
    /// them; every other character gets the edit control's own handling.
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    DECLARE_MESSAGE_MAP()
};

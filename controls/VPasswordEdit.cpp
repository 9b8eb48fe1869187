#include "controls/VPasswordEdit.h"

namespace
{
constexpr UINT kBackspace = 8;
constexpr UINT kPaste = 22; // Control+V
} // namespace

BEGIN_MESSAGE_MAP(VPasswordEdit, CEdit)
ON_WM_CHAR()
END_MESSAGE_MAP()

VPasswordEdit::VPasswordEdit() = default;

VPasswordEdit::~VPasswordEdit() = default;

void VPasswordEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar < 1 || nChar > 31 || nChar == kBackspace || nChar == kPaste)
    {
        CEdit::OnChar(nChar, nRepCnt, nFlags);
        return;
    }
    int nStart = 0;
    int nEnd = 0;
    GetSel(nStart, nEnd);
    CString strText;
    GetWindowText(strText);
    CString strNew = strText.Left(nStart);
    strNew += static_cast<wchar_t>(nChar);
    strNew += strText.Mid(nEnd);
    SetWindowText(strNew);
    SetSel(nStart + 1, nStart + 1);
    SendMessage(EM_SCROLLCARET);
}

#include "controls/VMFCMenuBar.h"

VMFCMenuBar::VMFCMenuBar() = default;

VMFCMenuBar::~VMFCMenuBar() = default;

BOOL VMFCMenuBar::TranslateChar(UINT nChar)
{
    if (nChar != L'&')
        return CMFCMenuBar::TranslateChar(nChar);
    if (CMFCToolBarButton* pButton = GetButton(m_iHighlighted))
        ProcessCommand(pButton);
    return TRUE;
}

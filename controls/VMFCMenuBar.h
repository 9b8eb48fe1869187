/// \class VMFCMenuBar
/// The host's menu bar. It is the framework's menu bar, except that a typed "&" never picks a button by
/// mnemonic (a caption such as "Save && Exit" would otherwise claim it): it opens, or runs, the button that
/// the keyboard or the mouse highlights.
///
/// \code{.cpp}
/// VMFCMenuBar m_menuBar;
/// m_menuBar.Create(this);
/// m_menuBar.CreateFromMenu(m_menu.GetSafeHmenu());
/// \endcode
#pragma once

#include <afxmenubar.h>

#include "core/PardalinApi.h"

class PARDALIN_API VMFCMenuBar : public CMFCMenuBar
{
public:
    // Construction
    /// The framework's menu bar; Create makes its window.
    VMFCMenuBar();
    /// Nothing beyond the framework's menu bar.
    ~VMFCMenuBar() override;

    // Overridables
    /// "&" runs the highlighted button (nothing when none is) and is always handled; any other character is
    /// the framework's.
    BOOL TranslateChar(UINT nChar) override;
};

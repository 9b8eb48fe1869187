/// \class VPropertyTreePageBase
/// The abstract base of every property tree page. It holds the page's expanded and selected flags and
/// keeps them in the dialog's page-state map under the page's state-map name, so that the tree looks the
/// same when the host opens the dialog again with the same map. Without a dialog or a map the flags are
/// the page's own.
///
/// \code{.cpp}
/// class CProxyPage : public CDialog, public VPropertyTreePageBase
/// {
///     VPropertyTreeDialog* InternalGetParentDialog() override;
///     VUnicodeString GetStateMapName() override { return L"Connection~Proxy"; }
/// };
/// page.SetExpanded(false); // also written into the map, when the page's entry exists
/// \endcode
#pragma once

#include "core/PardalinApi.h"
#include "core/VUnicodeString.h"

class IPropertyTreeDialog;
class VPropertyTreeDialog;

class PARDALIN_API VPropertyTreePageBase
{
public:
    // Construction
    /// Expanded and not selected.
    VPropertyTreePageBase();
    /// Copies both flags.
    VPropertyTreePageBase(VPropertyTreePageBase const& other);
    /// Copies both flags; the map is not written.
    VPropertyTreePageBase& operator=(VPropertyTreePageBase const& other);

    // Attributes
    /// Whether the page's tree item is, or is to be, expanded.
    bool IsExpanded() const;
    /// Whether the page's tree item is, or is to be, the selected one.
    bool IsSelected() const;
    /// Sets the flag and writes both flags into the page's map entry (SavePageState).
    ///@{
    void SetExpanded(bool bExpanded);
    void SetSelected(bool bSelected);
    ///@}

    // Overridables
    /// The dialog that shows this page, or null.
    virtual VPropertyTreeDialog* InternalGetParentDialog() = 0;
    /// The name the page's state is kept under: its tree label, below a parent page the parent's name,
    /// "~" and its label.
    virtual VUnicodeString GetStateMapName() = 0;

protected:
    /// Not deleted through this base: pages are deleted as the dialogs they are.
    ~VPropertyTreePageBase();

    // Operations
    /// Called each time the page is put into the tree: takes the flags from the page's map entry, or, when
    /// there is none, stores a new entry (owned by the map) with the page's current flags. Without a dialog
    /// or a map nothing happens.
    void SetPageState();
    /// Writes the flags into the page's existing map entry; a name without an entry stays without one.
    void SavePageState();
    /// The parent dialog's interface, or null when the page has no parent dialog.
    IPropertyTreeDialog* GetParentDialog();

    bool m_bExpanded; ///< The page's item is (to be) expanded; true at first.
    bool m_bSelected; ///< The page's item is (to be) selected; false at first.
};

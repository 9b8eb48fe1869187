/// \class VPropertyPageStateMap
/// The remembered tree state of property pages (expanded, selected), keyed by a page's state-map name
/// ("Connection", "Connection~Proxy"). The host owns one map, hands its address to every property tree
/// dialog it opens, and so sees the tree as it was left for as long as it keeps the map. The map is kept in
/// memory only.
///
/// The map owns the states stored in it: its destructor deletes them. An entry taken out with RemoveKey or
/// RemoveAll, or replaced with Set, hands its state back to the caller, who deletes it.
///
/// \code{.cpp}
/// VPropertyPageStateMap states;                  // lives as long as the state should be remembered
/// VPropertyTreeDialog dialog(L"Options", 0, &states, pMainWnd);
/// ...
/// VPropertyPageState* state = nullptr;
/// if (states.Lookup(L"Connection~Proxy", state) && state->m_bSelected) ...
/// \endcode

/// \class VPropertyPageState
/// The remembered state of one page's tree item, as VPropertyPageStateMap holds it on the heap.
///
/// \code{.cpp}
/// states.Set(L"Connection", new VPropertyPageState{true, false}); // the map owns it from here on
/// \endcode
#pragma once

#include "core/PardalinApi.h"
#include "core/VMap.h"
#include "core/VUnicodeString.h"

class PARDALIN_API VPropertyPageState
{
public:
    bool m_bExpanded; ///< The page's tree item was last expanded.
    bool m_bSelected; ///< The page's tree item was last the selected one.
};

extern template class PARDALIN_API VMap<VUnicodeString, VPropertyPageState*>;

class PARDALIN_API VPropertyPageStateMap : public VMap<VUnicodeString, VPropertyPageState*>
{
public:
    // Construction
    /// An empty map whose table gets 25 buckets at the first insertion.
    VPropertyPageStateMap();
    /// A copy holds copies of the states, so that each map deletes only its own.
    VPropertyPageStateMap(VPropertyPageStateMap const& other);
    /// Deletes this map's states, then holds copies of other's; assignment to itself changes nothing.
    VPropertyPageStateMap& operator=(VPropertyPageStateMap const& other);
    /// Deletes every state the map holds.
    ~VPropertyPageStateMap();

private:
    void DeleteStates();
    void CopyStates(VPropertyPageStateMap const& other);
};

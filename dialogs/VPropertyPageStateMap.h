// VPropertyPageState and VPropertyPageStateMap: the remembered tree state of property pages (expanded,
// selected), keyed by a page's state-map name ("Connection", "Connection~Proxy"). The host owns one map,
// hands its address to every property tree dialog it opens, and so sees the tree as it was left for as long
// as it keeps the map.
//
//     VPropertyPageStateMap states;                  // lives as long as the state should be remembered
//     VPropertyTreeDialog dialog(L"Options", 0, &states, pMainWnd);
//     ...
//     VPropertyPageState* state = nullptr;
//     if (states.Lookup(L"Connection~Proxy", state) && state->m_bSelected) ...
#pragma once

#include "core/PardalinApi.h"
#include "core/VMap.h"
#include "core/VUnicodeString.h"

class PARDALIN_API VPropertyPageState
{
public:
    bool m_bExpanded; // the page's tree item was last expanded
    bool m_bSelected; // the page's tree item was last the selected one
};

extern template class PARDALIN_API VMap<VUnicodeString, VPropertyPageState*>;

// The map owns the states stored in it: its destructor deletes them. An entry taken out with RemoveKey or
// RemoveAll, or replaced with Set, hands its state back to the caller, who deletes it.
class PARDALIN_API VPropertyPageStateMap : public VMap<VUnicodeString, VPropertyPageState*>
{
public:
    // Construction
    VPropertyPageStateMap();
    // A copy holds copies of the states, so that each map deletes only its own.
    VPropertyPageStateMap(VPropertyPageStateMap const& other);
    // Deletes this map's states, then holds copies of other's.
    VPropertyPageStateMap& operator=(VPropertyPageStateMap const& other);
    ~VPropertyPageStateMap();

private:
    void DeleteStates();
    void CopyStates(VPropertyPageStateMap const& other);
};

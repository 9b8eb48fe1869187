// The map of remembered tree-page states, VMap<VUnicodeString, VPropertyPageState*>, keyed by a page's
// state-map name. Its instantiation is exported for the host, which owns the map and hands it to each
// property tree dialog it opens.
//
//     VMap<VUnicodeString, VPropertyPageState*> states;
//     VPropertyPageState* state = nullptr;
//     if (states.Lookup(L"Connection~Proxy", state)) ...
#pragma once

#include "core/PardalinApi.h"
#include "core/VMap.h"
#include "core/VUnicodeString.h"

class VPropertyPageState;

extern template class PARDALIN_API VMap<VUnicodeString, VPropertyPageState*>;

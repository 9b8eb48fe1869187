#include "dialogs/VPropertyPageStateMap.h"

// Exported with the attribute given where the header declares the instantiation.
template class VMap<VUnicodeString, VPropertyPageState*>;

#include "dialogs/VPropertyPageStateMap.h"

// Exported with the attribute given where the header declares the instantiation.
template class VMap<VUnicodeString, VPropertyPageState*>;

VPropertyPageStateMap::VPropertyPageStateMap() : VMap<VUnicodeString, VPropertyPageState*>(25) {}

VPropertyPageStateMap::VPropertyPageStateMap(VPropertyPageStateMap const& other)
    : VMap<VUnicodeString, VPropertyPageState*>(other.GetBucketCount())
{
    CopyStates(other);
}

VPropertyPageStateMap& VPropertyPageStateMap::operator=(VPropertyPageStateMap const& other)
{
    if (this != &other)
    {
        DeleteStates();
        CopyStates(other);
    }
    return *this;
}

VPropertyPageStateMap::~VPropertyPageStateMap()
{
    DeleteStates();
}

void VPropertyPageStateMap::DeleteStates()
{
    ForEach(
        [](VUnicodeString const&, VPropertyPageState*& state)
        {
            delete state;
            state = nullptr;
        });
    RemoveAll();
}

void VPropertyPageStateMap::CopyStates(VPropertyPageStateMap const& other)
{
    other.ForEach([this](VUnicodeString const& name, VPropertyPageState* const& state)
                  { Set(name, state != nullptr ? new VPropertyPageState(*state) : nullptr); });
}

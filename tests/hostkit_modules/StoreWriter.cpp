// The writer that the store reliability test starts, kills and races. It writes the INI profile store only
// through its interface, as a host would.
//
// Command lines:
//   alternate <folder> <go> <event>
//                               waits for the named event <go>, then writes the payload of the new set and
//                               of the old set in turn, forever, setting the named event <event> just
//                               before each write
//   many <folder> <event> <prefix> <count>
//                               waits for the named event, then writes <count> values named <prefix><n>,
//                               each holding n, and exits with 0
// A bad command line exits with 2.
#include "hostkit/IniProfileStore.h"
#include "hostkit_modules/StoreWriterProtocol.h"

#include <shellapi.h>

#include <cwchar>
#include <memory>
#include <string>

namespace
{
std::unique_ptr<IProfileKeyBackend> OpenKey(const wchar_t* folder)
{
    VIniProfileStoreFactory stores(folder);
    std::unique_ptr<IProfileStoreBackend> store(stores.CreateStore());
    std::unique_ptr<IProfileKeyBackend> root(store->OpenRootKey(false));
    return std::unique_ptr<IProfileKeyBackend>(root->OpenSubKey(storewriter::KeyName, 0));
}

int Alternate(const wchar_t* folder, const wchar_t* goName, const wchar_t* eventName)
{
    const HANDLE go = OpenEventW(SYNCHRONIZE, FALSE, goName);
    const HANDLE writing = OpenEventW(EVENT_MODIFY_STATE, FALSE, eventName);
    if (!go || !writing || WaitForSingleObject(go, INFINITE) != WAIT_OBJECT_0)
        return 3;
    const std::vector<BYTE> payloads[] = {storewriter::Payload(storewriter::NewSet),
                                          storewriter::Payload(storewriter::OldSet)};
    auto key = OpenKey(folder);
    for (size_t turn = 0;; ++turn)
    {
        const std::vector<BYTE>& payload = payloads[turn % 2];
        SetEvent(writing);
        key->WriteBinary(storewriter::PayloadName, payload.data(), static_cast<DWORD>(payload.size()));
    }
}

int Many(const wchar_t* folder, const wchar_t* eventName, const wchar_t* prefix, int count)
{
    const HANDLE start = OpenEventW(SYNCHRONIZE, FALSE, eventName);
    if (!start || WaitForSingleObject(start, INFINITE) != WAIT_OBJECT_0)
        return 3;
    auto key = OpenKey(folder);
    for (int n = 0; n < count; ++n)
        key->WriteDword((prefix + std::to_wstring(n)).c_str(), static_cast<DWORD>(n));
    return 0;
}
} // namespace

int main()
{
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    int result = 2;
    if (count == 5 && wcscmp(arguments[1], L"alternate") == 0)
        result = Alternate(arguments[2], arguments[3], arguments[4]);
    else if (count == 6 && wcscmp(arguments[1], L"many") == 0)
        result = Many(arguments[2], arguments[3], arguments[4], _wtoi(arguments[5]));
    LocalFree(arguments);
    return result;
}

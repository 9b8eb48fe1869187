#include "frame/detail/SocketFunctions.h"

namespace pardalin::detail
{
namespace
{
SocketFunctions Load()
{
    SocketFunctions functions = {};
    const HMODULE module = LoadLibraryW(L"ws2_32.dll");
    if (!module)
        return functions;
    // The library also links the module by import, so the functions found before a missing one stay
    // loaded after this reference is given back.
    if (!(functions.getAddrInfo = reinterpret_cast<decltype(functions.getAddrInfo)>(
              reinterpret_cast<void*>(GetProcAddress(module, "getaddrinfo")))) ||
        !(functions.getNameInfo = reinterpret_cast<decltype(functions.getNameInfo)>(
              reinterpret_cast<void*>(GetProcAddress(module, "getnameinfo")))) ||
        !(functions.freeAddrInfo = reinterpret_cast<decltype(functions.freeAddrInfo)>(
              reinterpret_cast<void*>(GetProcAddress(module, "freeaddrinfo")))))
        FreeLibrary(module);
    return functions;
}

const SocketFunctions g_socketFunctions = Load();
} // namespace

const SocketFunctions& LoadedSocketFunctions()
{
    return g_socketFunctions;
}
} // namespace pardalin::detail

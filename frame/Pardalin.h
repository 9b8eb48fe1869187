/// \file
/// Loading and initialisation: the library's module, the services the host hands over, and the scoped
/// switch of the current resource module (VModuleResourceHandle).
///
/// \code{.cpp}
/// BOOL CMyApp::InitInstance()
/// {
///     PardalinInit(&ResolverFactory, &ProfileStoreFactory); // before any socket or profile store
///     ...
/// }
/// CString text;
/// text.LoadString(GetPardalinDll(), IDS_SOME_TEXT);       // a string of the library's own table
/// \endcode
#pragma once

#include "core/PardalinApi.h"

class IHostnameResolver;
class VProfileStoreFactory;

/// A function that gives the host's host-name resolver; see PardalinInit.
typedef IHostnameResolver* (*VHostnameResolverFactory)();
/// A function that gives the host's profile-store factory; see PardalinInit.
typedef VProfileStoreFactory* (*VProfileStoreFactoryFunction)();

/// Called once by the host at start-up, before any socket, settings-store or profile-store facility is
/// used. A second call replaces the first pair. Neither pointer is checked, and neither is locked: the host
/// registers before other threads use the library. The resolver factory is called for every connect to a
/// host name, the profile-store factory each time a profile store is made; the objects they return stay
/// the host's and are never deleted by the library.
PARDALIN_API void PardalinInit(IHostnameResolver* (*resolverFactory)(),
                               VProfileStoreFactory* (*profileStoreFactory)());

/// The library's own module, as recorded while it loaded; null before that. Templates, strings and
/// message texts of the library are loaded from it.
PARDALIN_API HINSTANCE GetPardalinDll();

/// The host application's name as the framework holds it; the default caption of the library's message
/// boxes.
PARDALIN_API const wchar_t* VGetAppName();

/// \class VModuleResourceHandle
/// Makes a module the framework's current resource module for the life of the guard; the module that was
/// current before comes back however the scope is left, an exception included. Guards nest and must end in
/// reverse order, on the thread that made them.
///
/// \code{.cpp}
/// {
///     VModuleResourceHandle resources(hPluginModule);
///     dialog.Create(IDD_PLUGIN_PAGE, pParent); // the template is found in the plug-in
/// }                                            // the previous module is current again
/// \endcode
class PARDALIN_API VModuleResourceHandle
{
public:
    /// Saves the current resource module and makes `module` current.
    explicit VModuleResourceHandle(HINSTANCE module);
    /// Makes the saved module current again.
    ~VModuleResourceHandle();
    VModuleResourceHandle(const VModuleResourceHandle&) = delete;
    /// Takes over the module other saved, which this guard then restores.
    VModuleResourceHandle& operator=(const VModuleResourceHandle& other);

private:
    HINSTANCE m_hSavedResourceHandle;
};

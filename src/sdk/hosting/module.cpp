// SPDX-License-Identifier: GPL-3.0-or-later
#include "sdk/hosting/module.h"
#include "sdk/hosting/moduleplatform.h"

namespace VST3 {
namespace Hosting {
namespace {

using ModuleExitFunc = bool (*) ();
using GetFactoryFunc = Steinberg::IPluginFactory* (*)();

bool endsWith (const std::string& text, const std::string& tail)
{
    return text.size () >= tail.size ()
           && text.compare (text.size () - tail.size (), tail.size (), tail) == 0;
}

bool isSeparator (char c)
{
#ifdef _WIN32
    return c == '/' || c == '\\';
#else
    return c == '/';
#endif
}

size_t lastSeparator (const std::string& path)
{
#ifdef _WIN32
    return path.find_last_of ("/\\");
#else
    return path.find_last_of ('/');
#endif
}

}   // namespace

std::string Module::normalizedBundlePath (const std::string& bundlePath)
{
    std::string result = bundlePath;
    while (result.size () > 1 && isSeparator (result.back ()))
        result.pop_back ();
    return result;
}

std::string Module::libraryPathForBundle (const std::string& bundlePath)
{
    const std::string bundle = normalizedBundlePath (bundlePath);
    // On Windows the library inside the bundle ends in ".vst3" too.
    const std::string inside = "Contents/" + Platform::architectureFolder () + "/";
    const size_t slash = lastSeparator (bundle);
    const bool isLibrary =
        slash != std::string::npos && slash + 1 >= inside.size ()
        && bundle.compare (slash + 1 - inside.size (), inside.size (), inside) == 0;
    if (!endsWith (bundle, ".vst3") || isLibrary)
        return bundle;
    const std::string file = slash == std::string::npos ? bundle : bundle.substr (slash + 1);
    const std::string stem = file.substr (0, file.size () - 5);
    return bundle + "/Contents/" + Platform::architectureFolder () + "/" + stem
           + Platform::librarySuffix ();
}

Module::Ptr Module::create (const std::string& bundlePath, std::string& errorDescription)
{
    Ptr module (new Module);
    if (!module->load (bundlePath, errorDescription))
        return nullptr;
    return module;
}

bool Module::load (const std::string& bundlePath, std::string& errorDescription)
{
    path = normalizedBundlePath (bundlePath);
    libraryPath = libraryPathForBundle (path);
    const size_t slash = lastSeparator (path);
    name = slash == std::string::npos ? path : path.substr (slash + 1);
    const std::string suffix = Platform::librarySuffix ();
    if (endsWith (name, ".vst3"))
        name.resize (name.size () - 5);
    else if (endsWith (name, suffix))
        name.resize (name.size () - suffix.size ());

    handle = Platform::openLibrary (libraryPath, errorDescription);
    if (!handle)
        return false;
    // Looked up in the order hosts use; every one of them is required.
    const char* const names[] = {Platform::entryName (), Platform::exitName (), "GetPluginFactory"};
    void* symbols[3] = {};
    for (int i = 0; i < 3; ++i)
    {
        symbols[i] = Platform::findSymbol (handle, names[i]);
        if (!symbols[i])
        {
            errorDescription = "The library " + libraryPath + " does not export " + names[i] + ".";
            Platform::closeLibrary (handle);
            handle = nullptr;
            return false;
        }
    }
    auto exitFunc = reinterpret_cast<ModuleExitFunc> (symbols[1]);
    auto getFactory = reinterpret_cast<GetFactoryFunc> (symbols[2]);
    if (!Platform::callEntry (symbols[0], handle))
    {
        errorDescription = std::string (names[0]) + " of " + libraryPath + " returned false.";
        Platform::closeLibrary (handle);
        handle = nullptr;
        return false;
    }
    moduleExit = exitFunc;
    // The returned factory already carries the reference this host owns.
    Steinberg::IPluginFactory* raw = getFactory ();
    if (!raw)
    {
        errorDescription = "GetPluginFactory of " + libraryPath + " returned null.";
        return false;   // the destructor calls ModuleExit and closes the library
    }
    factory = Steinberg::owned (raw);
    return true;
}

void* Module::getSymbol (const char* symbolName) const
{
    return handle && symbolName ? Platform::findSymbol (handle, symbolName) : nullptr;
}

Module::~Module ()
{
    factory = nullptr;
    if (moduleExit)
        moduleExit ();
    if (handle)
        Platform::closeLibrary (handle);
}

}   // namespace Hosting
}   // namespace VST3

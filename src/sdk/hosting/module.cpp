// SPDX-License-Identifier: GPL-3.0-or-later
#include "sdk/hosting/module.h"
#include <dlfcn.h>
#include <sys/utsname.h>

namespace VST3 {
namespace Hosting {
namespace {

using ModuleEntryFunc = bool (*) (void*);
using ModuleExitFunc = bool (*) ();
using GetFactoryFunc = Steinberg::IPluginFactory* (*) ();

bool endsWith (const std::string& text, const std::string& tail)
{
    return text.size () >= tail.size () && text.compare (text.size () - tail.size (), tail.size (), tail) == 0;
}

std::string machineName ()
{
    utsname info {};
    if (uname (&info) == 0)
        return info.machine;
    return "x86_64";
}

std::string lastDlError ()
{
    const char* text = dlerror ();
    return text ? text : "unknown error";
}

} // namespace

std::string Module::normalizedBundlePath (const std::string& bundlePath)
{
    std::string result = bundlePath;
    while (result.size () > 1 && result.back () == '/')
        result.pop_back ();
    return result;
}

std::string Module::libraryPathForBundle (const std::string& bundlePath)
{
    const std::string bundle = normalizedBundlePath (bundlePath);
    if (!endsWith (bundle, ".vst3"))
        return bundle;
    const size_t slash = bundle.find_last_of ('/');
    const std::string file = slash == std::string::npos ? bundle : bundle.substr (slash + 1);
    const std::string stem = file.substr (0, file.size () - 5);
    return bundle + "/Contents/" + machineName () + "-linux/" + stem + ".so";
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
    const size_t slash = path.find_last_of ('/');
    name = slash == std::string::npos ? path : path.substr (slash + 1);
    if (endsWith (name, ".vst3"))
        name.resize (name.size () - 5);
    else if (endsWith (name, ".so"))
        name.resize (name.size () - 3);

    dlerror ();
    handle = dlopen (libraryPath.c_str (), RTLD_LAZY);
    if (!handle)
    {
        errorDescription = "Cannot open " + libraryPath + ": " + lastDlError ();
        return false;
    }
    // Looked up in the order hosts use; every one of them is required.
    const char* const names[] = {"ModuleEntry", "ModuleExit", "GetPluginFactory"};
    void* symbols[3] = {};
    for (int i = 0; i < 3; ++i)
    {
        symbols[i] = dlsym (handle, names[i]);
        if (!symbols[i])
        {
            errorDescription = "The library " + libraryPath + " does not export " + names[i] + ".";
            dlclose (handle);
            handle = nullptr;
            return false;
        }
    }
    auto entry = reinterpret_cast<ModuleEntryFunc> (symbols[0]);
    auto exitFunc = reinterpret_cast<ModuleExitFunc> (symbols[1]);
    auto getFactory = reinterpret_cast<GetFactoryFunc> (symbols[2]);
    if (!entry (handle))
    {
        errorDescription = "ModuleEntry of " + libraryPath + " returned false.";
        dlclose (handle);
        handle = nullptr;
        return false;
    }
    moduleExit = exitFunc;
    // The returned factory already carries the reference this host owns.
    Steinberg::IPluginFactory* raw = getFactory ();
    if (!raw)
    {
        errorDescription = "GetPluginFactory of " + libraryPath + " returned null.";
        return false; // the destructor calls ModuleExit and closes the library
    }
    factory = Steinberg::owned (raw);
    return true;
}

void* Module::getSymbol (const char* symbolName) const
{
    return handle && symbolName ? dlsym (handle, symbolName) : nullptr;
}

Module::~Module ()
{
    factory = nullptr;
    if (moduleExit)
        moduleExit ();
    if (handle)
        dlclose (handle);
}

} // namespace Hosting
} // namespace VST3

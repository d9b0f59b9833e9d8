// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Loads a VST3 bundle as hosts do. Linux: dlopen of Contents/<arch>-linux/<stem>.so, then
// ModuleEntry, GetPluginFactory; unloading releases the factory, calls ModuleExit and dlcloses.
// Windows: LoadLibraryW of Contents/x86_64-win/<stem>.vst3, InitDll, GetPluginFactory; ExitDll
// and FreeLibrary on unloading.
// Named after the SDK's hosting class; errors are returned as text, never thrown.
#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/base/smartpointer.h"
#include <memory>
#include <string>

namespace VST3 {
namespace Hosting {

class Module
{
public:
    using Ptr = std::shared_ptr<Module>;

    // path (UTF-8): a ".vst3" bundle folder (a trailing separator is ignored) or the library itself.
    // Returns null and fills errorDescription when the bundle cannot be loaded.
    static Ptr create (const std::string& path, std::string& errorDescription);
    ~Module ();
    Module (const Module&) = delete;
    Module& operator= (const Module&) = delete;

    // Bundle stem, e.g. "Overmoor" for ".../Overmoor.vst3".
    const std::string& getName () const { return name; }
    const std::string& getPath () const { return path; }
    const std::string& getLibraryPath () const { return libraryPath; }
    // Borrowed; valid while the module lives. Add a reference to keep it longer.
    Steinberg::IPluginFactory* getFactory () const { return factory.get (); }
    // Any exported symbol of the library, or null.
    void* getSymbol (const char* symbolName) const;

    // "<path>/Contents/<machine>-linux/<stem>.so" (Windows: "<path>/Contents/x86_64-win/<stem>.vst3")
    // for a bundle path; the path itself otherwise.
    static std::string libraryPathForBundle (const std::string& bundlePath);
    // The bundle path without trailing separators.
    static std::string normalizedBundlePath (const std::string& bundlePath);

private:
    Module () = default;
    bool load (const std::string& bundlePath, std::string& errorDescription);

    std::string name;
    std::string path;
    std::string libraryPath;
    void* handle = nullptr;
    bool (*moduleExit) () = nullptr;
    Steinberg::IPtr<Steinberg::IPluginFactory> factory;
};

}   // namespace Hosting
}   // namespace VST3

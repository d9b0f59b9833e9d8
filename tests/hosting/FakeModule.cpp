// SPDX-License-Identifier: GPL-3.0-or-later
// A stand-in plug-in library: a factory without classes, entry points that report each call to
// the loading test through its exported overmoorFakeModuleLog. Compiled once per variant.
#include "pluginterfaces/base/ipluginbase.h"
#include <dlfcn.h>

using namespace Steinberg;

namespace {

void report (const char* event)
{
    if (auto log = reinterpret_cast<void (*) (const char*)> (
            dlsym (RTLD_DEFAULT, "overmoorFakeModuleLog")))
        log (event);
}

class FakeFactory final : public IPluginFactory
{
public:
    tresult PLUGIN_API getFactoryInfo (PFactoryInfo*) SMTG_OVERRIDE { return kNotImplemented; }
    int32 PLUGIN_API countClasses () SMTG_OVERRIDE { return 0; }
    tresult PLUGIN_API getClassInfo (int32, PClassInfo*) SMTG_OVERRIDE { return kInvalidArgument; }
    tresult PLUGIN_API createInstance (FIDString, FIDString, void** obj) SMTG_OVERRIDE
    {
        return *obj = nullptr, kNoInterface;
    }
    uint32 PLUGIN_API addRef () SMTG_OVERRIDE { return ++references; }
    uint32 PLUGIN_API release () SMTG_OVERRIDE
    {
        if (--references > 0)
            return references;
        report ("factory-destroyed");
        delete this;
        return 0;
    }
    tresult PLUGIN_API queryInterface (const TUID iid, void** obj) SMTG_OVERRIDE
    {
        QUERY_INTERFACE (iid, obj, FUnknown::iid, IPluginFactory)
        QUERY_INTERFACE (iid, obj, IPluginFactory::iid, IPluginFactory)
        return *obj = nullptr, kNoInterface;
    }

private:
    uint32 references = 1;
};

}   // namespace

extern "C"
{
    SMTG_EXPORT_SYMBOL bool ModuleEntry (void* handle)
    {
        report (handle ? "entry" : "entry-without-handle");
        return !FAKE_ENTRY_FAILS;
    }

#if !FAKE_MISSING_EXIT
    SMTG_EXPORT_SYMBOL bool ModuleExit ()
    {
        return report ("exit"), true;
    }
#endif

    SMTG_EXPORT_SYMBOL IPluginFactory* GetPluginFactory ()
    {
        report ("factory");
        return FAKE_NULL_FACTORY ? nullptr : new FakeFactory;
    }

}   // extern "C"

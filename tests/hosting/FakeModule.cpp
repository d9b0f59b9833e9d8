// SPDX-License-Identifier: GPL-3.0-or-later
// A stand-in plug-in library: a factory without classes, entry points that report each call to
// the loading test through its exported overmoorFakeModuleLog. Compiled once per variant.
#include "pluginterfaces/base/ipluginbase.h"
#include <dlfcn.h>
#include <cstring>

using namespace Steinberg;

namespace {

void report (const char* event)
{
    using LogFunc = void (*) (const char*);
    if (auto log = reinterpret_cast<LogFunc> (dlsym (RTLD_DEFAULT, "overmoorFakeModuleLog")))
        log (event);
}

class FakeFactory : public IPluginFactory
{
public:
    FakeFactory () { FUNKNOWN_CTOR }
    virtual ~FakeFactory () { FUNKNOWN_DTOR }

    tresult PLUGIN_API getFactoryInfo (PFactoryInfo* info) SMTG_OVERRIDE
    {
        if (!info)
            return kInvalidArgument;
        *info = PFactoryInfo ("Fake", "http://fake.invalid", "mailto:fake@fake.invalid", 0);
        return kResultOk;
    }
    int32 PLUGIN_API countClasses () SMTG_OVERRIDE { return 0; }
    tresult PLUGIN_API getClassInfo (int32, PClassInfo*) SMTG_OVERRIDE { return kInvalidArgument; }
    tresult PLUGIN_API createInstance (FIDString, FIDString, void** obj) SMTG_OVERRIDE
    {
        if (obj)
            *obj = nullptr;
        return kNoInterface;
    }

    uint32 PLUGIN_API addRef () SMTG_OVERRIDE { return ++__funknownRefCount; }
    uint32 PLUGIN_API release () SMTG_OVERRIDE
    {
        if (--__funknownRefCount == 0)
        {
            report ("factory-destroyed");
            delete this;
            return 0;
        }
        return __funknownRefCount;
    }
    tresult PLUGIN_API queryInterface (const TUID iid, void** obj) SMTG_OVERRIDE
    {
        QUERY_INTERFACE (iid, obj, FUnknown::iid, IPluginFactory)
        QUERY_INTERFACE (iid, obj, IPluginFactory::iid, IPluginFactory)
        *obj = nullptr;
        return kNoInterface;
    }

private:
    int32 __funknownRefCount;
};

} // namespace

extern "C" {

SMTG_EXPORT_SYMBOL bool ModuleEntry (void* handle)
{
    report (handle ? "entry" : "entry-without-handle");
#if FAKE_VARIANT_ENTRYFAILS
    return false;
#else
    return true;
#endif
}

#if !FAKE_VARIANT_MISSINGEXIT
SMTG_EXPORT_SYMBOL bool ModuleExit ()
{
    report ("exit");
    return true;
}
#endif

SMTG_EXPORT_SYMBOL IPluginFactory* GetPluginFactory ()
{
    report ("factory");
#if FAKE_VARIANT_NULLFACTORY
    return nullptr;
#else
    return new FakeFactory;
#endif
}

} // extern "C"

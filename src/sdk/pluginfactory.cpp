// SPDX-License-Identifier: GPL-3.0-or-later
#include "sdk/pluginfactory.h"
#include <cstring>

namespace Steinberg {

CPluginFactory* gPluginFactory = nullptr;

CPluginFactory::CPluginFactory (const PFactoryInfo& info) : factoryInfo (info)
{
    FUNKNOWN_CTOR
}

CPluginFactory::~CPluginFactory ()
{
    if (gPluginFactory == this)
        gPluginFactory = nullptr;
}

IMPLEMENT_REFCOUNT (CPluginFactory)

tresult PLUGIN_API CPluginFactory::queryInterface (const TUID iid, void** obj)
{
    QUERY_INTERFACE (iid, obj, IPluginFactory::iid, IPluginFactory)
    QUERY_INTERFACE (iid, obj, IPluginFactory2::iid, IPluginFactory2)
    QUERY_INTERFACE (iid, obj, IPluginFactory3::iid, IPluginFactory3)
    QUERY_INTERFACE (iid, obj, FUnknown::iid, IPluginFactory)
    *obj = nullptr;
    return kNoInterface;
}

bool CPluginFactory::addEntry (PClassEntry entry, const TUID cid)
{
    if (!entry.createFunc || isClassRegistered (FUID::fromTUID (cid)))
        return false;
    classes.push_back (entry);
    return true;
}

bool CPluginFactory::registerClass (const PClassInfo* info, CreateFunc createFunc, void* context)
{
    if (!info)
        return false;
    PClassEntry entry;
    std::memcpy (entry.info8.cid, info->cid, sizeof (TUID));
    entry.info8.cardinality = info->cardinality;
    std::memcpy (entry.info8.category, info->category, sizeof (info->category));
    std::memcpy (entry.info8.name, info->name, sizeof (info->name));
    entry.createFunc = createFunc;
    entry.context = context;
    return addEntry (entry, info->cid);
}

bool CPluginFactory::registerClass (const PClassInfo2* info, CreateFunc createFunc, void* context)
{
    if (!info)
        return false;
    PClassEntry entry;
    entry.info8 = *info;
    entry.createFunc = createFunc;
    entry.context = context;
    return addEntry (entry, info->cid);
}

bool CPluginFactory::registerClass (const PClassInfoW* info, CreateFunc createFunc, void* context)
{
    if (!info)
        return false;
    PClassEntry entry;
    entry.info16 = *info;
    entry.createFunc = createFunc;
    entry.context = context;
    entry.isUnicode = true;
    return addEntry (entry, info->cid);
}

bool CPluginFactory::isClassRegistered (const FUID& cid)
{
    for (const auto& entry : classes)
    {
        const TUID& entryCid = entry.isUnicode ? entry.info16.cid : entry.info8.cid;
        if (FUID::fromTUID (entryCid) == cid)
            return true;
    }
    return false;
}

void CPluginFactory::removeAllClasses ()
{
    classes.clear ();
}

const CPluginFactory::PClassEntry* CPluginFactory::entryAt (int32 index) const
{
    if (index < 0 || index >= static_cast<int32> (classes.size ()))
        return nullptr;
    return &classes[static_cast<size_t> (index)];
}

tresult PLUGIN_API CPluginFactory::getFactoryInfo (PFactoryInfo* info)
{
    if (!info)
        return kInvalidArgument;
    *info = factoryInfo;
    return kResultOk;
}

int32 PLUGIN_API CPluginFactory::countClasses ()
{
    return static_cast<int32> (classes.size ());
}

// The 8-bit records cannot carry a class registered in UTF-16: such a class reports kResultFalse
// there and is only visible through getClassInfoUnicode.
tresult PLUGIN_API CPluginFactory::getClassInfo (int32 index, PClassInfo* info)
{
    const PClassEntry* entry = entryAt (index);
    if (!entry || !info)
        return kInvalidArgument;
    if (entry->isUnicode)
    {
        *info = PClassInfo ();
        return kResultFalse;
    }
    std::memcpy (info->cid, entry->info8.cid, sizeof (TUID));
    info->cardinality = entry->info8.cardinality;
    std::memcpy (info->category, entry->info8.category, sizeof (info->category));
    std::memcpy (info->name, entry->info8.name, sizeof (info->name));
    return kResultOk;
}

tresult PLUGIN_API CPluginFactory::getClassInfo2 (int32 index, PClassInfo2* info)
{
    const PClassEntry* entry = entryAt (index);
    if (!entry || !info)
        return kInvalidArgument;
    if (entry->isUnicode)
    {
        *info = PClassInfo2 ();
        return kResultFalse;
    }
    *info = entry->info8;
    return kResultOk;
}

tresult PLUGIN_API CPluginFactory::getClassInfoUnicode (int32 index, PClassInfoW* info)
{
    const PClassEntry* entry = entryAt (index);
    if (!entry || !info)
        return kInvalidArgument;
    if (entry->isUnicode)
        *info = entry->info16;
    else
        info->fromAscii (entry->info8);
    return kResultOk;
}

tresult PLUGIN_API CPluginFactory::createInstance (FIDString cid, FIDString iid, void** obj)
{
    if (!obj)
        return kInvalidArgument;
    *obj = nullptr;
    if (!cid || !iid)
        return kInvalidArgument;

    for (const auto& entry : classes)
    {
        const TUID& entryCid = entry.isUnicode ? entry.info16.cid : entry.info8.cid;
        if (std::memcmp (entryCid, cid, sizeof (TUID)) != 0)
            continue;
        FUnknown* instance = entry.createFunc (entry.context);
        if (!instance)
            return kOutOfMemory;
        // The new object starts with one reference; queryInterface adds the caller's.
        tresult result = instance->queryInterface (iid, obj);
        instance->release ();
        if (result != kResultOk)
            *obj = nullptr;
        return result == kResultOk ? kResultOk : kNoInterface;
    }
    return kNoInterface;
}

tresult PLUGIN_API CPluginFactory::setHostContext (FUnknown* context)
{
    return kNotImplemented;
}

}   // namespace Steinberg

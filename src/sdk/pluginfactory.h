// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The plug-in's class factory: a factory record plus registered classes, each with a creation
// function. Same names and behaviour as the SDK class, so a full SDK can replace it.
#include "pluginterfaces/base/ipluginbase.h"
#include <vector>

namespace Steinberg {

class CPluginFactory : public IPluginFactory3
{
public:
    using CreateFunc = FUnknown* (*)(void* context);

    CPluginFactory (const PFactoryInfo& info);
    virtual ~CPluginFactory ();
    CPluginFactory (const CPluginFactory&) = delete;
    CPluginFactory& operator= (const CPluginFactory&) = delete;

    // Each registration copies the record; false when a class with that ID already exists.
    bool registerClass (const PClassInfo* info, CreateFunc createFunc, void* context = nullptr);
    bool registerClass (const PClassInfo2* info, CreateFunc createFunc, void* context = nullptr);
    bool registerClass (const PClassInfoW* info, CreateFunc createFunc, void* context = nullptr);
    bool isClassRegistered (const FUID& cid);
    void removeAllClasses ();

    DECLARE_FUNKNOWN_METHODS

    // IPluginFactory
    tresult PLUGIN_API getFactoryInfo (PFactoryInfo* info) SMTG_OVERRIDE;
    int32 PLUGIN_API countClasses () SMTG_OVERRIDE;
    tresult PLUGIN_API getClassInfo (int32 index, PClassInfo* info) SMTG_OVERRIDE;
    tresult PLUGIN_API createInstance (FIDString cid, FIDString iid, void** obj) SMTG_OVERRIDE;
    // IPluginFactory2
    tresult PLUGIN_API getClassInfo2 (int32 index, PClassInfo2* info) SMTG_OVERRIDE;
    // IPluginFactory3
    tresult PLUGIN_API getClassInfoUnicode (int32 index, PClassInfoW* info) SMTG_OVERRIDE;
    tresult PLUGIN_API setHostContext (FUnknown* context) SMTG_OVERRIDE;

protected:
    struct PClassEntry
    {
        PClassInfo2 info8;
        PClassInfoW info16;
        CreateFunc createFunc = nullptr;
        void* context = nullptr;
        bool isUnicode = false;
    };

    const PClassEntry* entryAt (int32 index) const;
    bool addEntry (PClassEntry entry, const TUID cid);

    PFactoryInfo factoryInfo;
    std::vector<PClassEntry> classes;
};

// The library's one factory; cleared when it is destroyed so that the next GetPluginFactory
// builds a new one.
extern CPluginFactory* gPluginFactory;

}   // namespace Steinberg

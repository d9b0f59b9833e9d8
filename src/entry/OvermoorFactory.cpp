// SPDX-License-Identifier: GPL-3.0-or-later
// The class factory the host asks for: the processor (class 0) and its edit controller (class 1).
#include "controller/CMVXStravelEditController.h"
#include "entry/OvermoorVersion.h"
#include "processor/CMVXStravelClassIds.h"
#include "processor/CMVXStravelVST3.h"
#include "sdk/pluginfactory.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"

using namespace Steinberg;

namespace {

// The host gets each object through the interface named in its class category; no exception may
// leave a creation function.
// Processors made for a host keep their user presets in the user's preset folder.
FUnknown* createProcessor (void*)
{
    try
    {
        auto* processor = new CMVXStravelVST3 (CMVXStravelVST3::makeUserPresetStorage ());
        return static_cast<Vst::IAudioProcessor*> (processor);
    }
    catch (...)
    {
        return nullptr;
    }
}

FUnknown* createController (void*)
{
    try
    {
        return static_cast<Vst::IEditController*> (new CMVXStravelEditController ());
    }
    catch (...)
    {
        return nullptr;
    }
}

}   // namespace

extern "C" SMTG_EXPORT_SYMBOL IPluginFactory* PLUGIN_API GetPluginFactory ()
{
    if (gPluginFactory)
    {
        gPluginFactory->addRef ();
        return gPluginFactory;
    }

    static const PFactoryInfo factoryInfo (OvermoorVersion::kVendor, OvermoorVersion::kUrl,
                                           OvermoorVersion::kEmail, PFactoryInfo::kUnicode);
    auto* factory = new (std::nothrow) CPluginFactory (factoryInfo);
    if (!factory)
        return nullptr;
    gPluginFactory = factory;

    static const PClassInfo2 processorClass (
        kCMVXStravelProcessorUID.toTUID (), PClassInfo::kManyInstances, kVstAudioEffectClass,
        "Overmoor", Vst::kDistributable, "Fx", "", OvermoorVersion::kVersion,
        OvermoorVersion::kSdkVersion);
    factory->registerClass (&processorClass, createProcessor);

    static const PClassInfo2 controllerClass (
        kCMVXStravelControllerUID.toTUID (), PClassInfo::kManyInstances,
        kVstComponentControllerClass, "OvermoorController", 0, "", "", OvermoorVersion::kVersion,
        OvermoorVersion::kSdkVersion);
    factory->registerClass (&controllerClass, createController);

    return factory;
}

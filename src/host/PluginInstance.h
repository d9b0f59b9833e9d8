// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One plug-in instance driven as a DAW drives it: the processor (factory class 0) and its edit
// controller created, initialized with a host context, connected directly to each other, the
// controller synced to the component state; then bus set-up, processing, state and messages,
// and an orderly shutdown. Shared by the bundle tests and the offline tools.
#include "host/ComponentHandlerRecorder.h"
#include "host/ConnectionTap.h"
#include "sdk/hosting/module.h"
#include "sdk/hosting/parameterchanges.h"
#include "sdk/hosting/processdata.h"
#include "public.sdk/source/vst/hosting/hostclasses.h"
#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivstmessage.h"
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Morvane {
namespace Host {

struct ParameterPoint
{
    Steinberg::Vst::ParamID id;
    Steinberg::int32 sampleOffset;
    Steinberg::Vst::ParamValue value;
};

struct InstanceOptions
{
    // Route the messages through two ConnectionTaps that record them (still synchronous).
    bool tapConnections = false;
    // Give the controller a ComponentHandlerRecorder before connecting.
    bool setComponentHandler = true;
    // Host context for both initialize calls, borrowed: it must outlive the instance.
    // Null: a HostApplication of the instance's own.
    Steinberg::FUnknown* hostContext = nullptr;
};

struct ProcessConfig
{
    double sampleRateHz = 48000.0;
    Steinberg::int32 maxBlockSamples = 512;
    Steinberg::int32 processMode = Steinberg::Vst::kRealtime;
    Steinberg::int32 symbolicSampleSize = Steinberg::Vst::kSample32;
    // One main bus each way; 0 keeps the plug-in's current arrangement.
    Steinberg::int32 inputChannels = 2;
    Steinberg::int32 outputChannels = 2;
    // Capacity of the input and output parameter-change lists.
    Steinberg::int32 maxParameterQueues = 64;
    Steinberg::int32 maxPointsPerQueue = 1024;
};

class PluginInstance
{
public:
    // Creates, initializes, connects and syncs processor and controller; null with a message
    // on failure (anything already created is shut down again).
    static std::unique_ptr<PluginInstance> create (Steinberg::IPluginFactory* factory,
                                                   std::string& error,
                                                   const InstanceOptions& options = {});
    // The same from a loaded module, which the instance then keeps loaded until it is gone.
    static std::unique_ptr<PluginInstance> create (const VST3::Hosting::Module::Ptr& module,
                                                   std::string& error,
                                                   const InstanceOptions& options = {});
    ~PluginInstance ();
    PluginInstance (const PluginInstance&) = delete;
    PluginInstance& operator= (const PluginInstance&) = delete;

    Steinberg::Vst::IComponent* component () const { return componentPtr.get (); }
    Steinberg::Vst::IAudioProcessor* processor () const { return processorPtr.get (); }
    Steinberg::Vst::IEditController* controller () const { return controllerPtr.get (); }
    Steinberg::Vst::IConnectionPoint* processorConnection () const
    {
        return componentConnection.get ();
    }
    Steinberg::Vst::IConnectionPoint* controllerConnection () const
    {
        return controllerConnectionPtr.get ();
    }
    ComponentHandlerRecorder& componentHandler () const { return *handler; }
    // The context both components were initialized with.
    Steinberg::FUnknown* context () const { return hostContext; }
    // Messages processor → controller and controller → processor; null without tapConnections.
    ConnectionTap* processorToController () const { return tapToController.get (); }
    ConnectionTap* controllerToProcessor () const { return tapToProcessor.get (); }

    // One main bus of each direction with the given channel counts (1 mono, 2 stereo, n: the
    // lowest n speakers). Returns the processor's answer.
    Steinberg::tresult setBusArrangement (Steinberg::int32 inputChannels,
                                          Steinberg::int32 outputChannels);
    Steinberg::tresult setupProcessing (const ProcessConfig& config);
    // Bus arrangement (refusal tolerated), setupProcessing, setActive(true), buffers sized from
    // the busses the processor reports, setProcessing(true) (kNotImplemented tolerated).
    bool startProcessing (const ProcessConfig& config, std::string& error);
    // setProcessing(false) and setActive(false) if they are on.
    void stopProcessing ();
    bool isActive () const { return active; }

    // Buffers, silence flags and in-place switch of the next block.
    Steinberg::Vst::HostProcessData& processData () { return data; }
    Steinberg::Vst::ParameterChanges& inputChanges () { return *inputChangeList; }
    Steinberg::Vst::ParameterChanges& outputChanges () { return *outputChangeList; }

    // Processes numSamples from processData's buffers with the given input changes; output
    // changes are collected in outputChanges. Needs startProcessing.
    Steinberg::tresult process (Steinberg::int32 numSamples,
                                const std::vector<ParameterPoint>& changes = {});
    // The same, copying planar audio in and out of the first bus (its channel counts).
    Steinberg::tresult processBlock (const float* const* inputs, float* const* outputs,
                                     Steinberg::int32 numSamples,
                                     const std::vector<ParameterPoint>& changes = {});
    // All points of the last block's output changes, queue by queue.
    std::vector<ParameterPoint> outputPoints () const;

    Steinberg::tresult getState (std::vector<uint8_t>& bytes) const;
    Steinberg::tresult setState (const std::vector<uint8_t>& bytes);
    Steinberg::tresult getControllerState (std::vector<uint8_t>& bytes) const;
    // The component's current state handed to the controller's setComponentState.
    Steinberg::tresult syncControllerToComponent ();

    // A host message (with an empty attribute list) with that id.
    Steinberg::IPtr<Steinberg::Vst::IMessage> createMessage (const char* id) const;
    Steinberg::tresult notifyProcessor (Steinberg::Vst::IMessage* message);
    Steinberg::tresult notifyController (Steinberg::Vst::IMessage* message);

    // Stop, disconnect, terminate both, release. Idempotent; the destructor calls it.
    void shutdown ();

private:
    PluginInstance () = default;
    bool load (Steinberg::IPluginFactory* factory, std::string& error,
               const InstanceOptions& options);

    VST3::Hosting::Module::Ptr module;   // first member: the library is closed last
    // The SDK's HostApplication does not count references, so the instance owns it outright;
    // it outlives both components because shutdown runs before members are destroyed.
    std::unique_ptr<Steinberg::Vst::HostApplication> ownHostApplication;
    Steinberg::FUnknown* hostContext = nullptr;
    Steinberg::IPtr<Steinberg::Vst::IComponent> componentPtr;
    Steinberg::IPtr<Steinberg::Vst::IAudioProcessor> processorPtr;
    Steinberg::IPtr<Steinberg::Vst::IEditController> controllerPtr;
    Steinberg::IPtr<Steinberg::Vst::IConnectionPoint> componentConnection;
    Steinberg::IPtr<Steinberg::Vst::IConnectionPoint> controllerConnectionPtr;
    Steinberg::IPtr<ComponentHandlerRecorder> handler;
    Steinberg::IPtr<ConnectionTap> tapToController;
    Steinberg::IPtr<ConnectionTap> tapToProcessor;
    Steinberg::IPtr<Steinberg::Vst::ParameterChanges> inputChangeList;
    Steinberg::IPtr<Steinberg::Vst::ParameterChanges> outputChangeList;
    Steinberg::Vst::HostProcessData data;

    bool componentInitialized = false;
    bool controllerInitialized = false;
    bool controllerIsComponent = false;
    bool connected = false;
    bool active = false;
    bool processing = false;
};

}   // namespace Host
}   // namespace Morvane

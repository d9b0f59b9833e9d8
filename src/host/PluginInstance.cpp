// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/PluginInstance.h"
#include "host/StateBytes.h"
#include "pluginterfaces/vst/vstspeaker.h"
#include <algorithm>
#include <cstring>

namespace Morvane {
namespace Host {

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

SpeakerArrangement arrangementFor (int32 channels)
{
    if (channels == 1)
        return SpeakerArr::kMono;
    if (channels == 2)
        return SpeakerArr::kStereo;
    if (channels <= 0)
        return SpeakerArr::kEmpty;
    return channels >= 64 ? ~SpeakerArrangement (0) : (SpeakerArrangement (1) << channels) - 1;
}

bool succeeded (tresult result)
{
    return result == kResultOk || result == kResultTrue;
}

}   // namespace

std::unique_ptr<PluginInstance> PluginInstance::create (IPluginFactory* factory, std::string& error,
                                                        const InstanceOptions& options)
{
    std::unique_ptr<PluginInstance> instance (new PluginInstance);
    if (!instance->load (factory, error, options))
        return nullptr;   // the destructor undoes what load did
    return instance;
}

std::unique_ptr<PluginInstance> PluginInstance::create (const VST3::Hosting::Module::Ptr& module,
                                                        std::string& error,
                                                        const InstanceOptions& options)
{
    if (!module)
    {
        error = "No module.";
        return nullptr;
    }
    std::unique_ptr<PluginInstance> instance (new PluginInstance);
    instance->module = module;
    if (!instance->load (module->getFactory (), error, options))
        return nullptr;
    return instance;
}

bool PluginInstance::load (IPluginFactory* factory, std::string& error,
                           const InstanceOptions& options)
{
    handler = owned (new ComponentHandlerRecorder);
    inputChangeList = owned (new ParameterChanges (ProcessConfig {}.maxParameterQueues));
    outputChangeList = owned (new ParameterChanges (ProcessConfig {}.maxParameterQueues));
    if (!factory)
    {
        error = "No plug-in factory.";
        return false;
    }
    if (options.hostContext)
    {
        hostContext = options.hostContext;
    }
    else
    {
        ownHostApplication = std::make_unique<HostApplication> ();
        hostContext = ownHostApplication.get ();
    }

    // The processor is the factory's first class.
    PClassInfo info {};
    if (factory->countClasses () < 1 || factory->getClassInfo (0, &info) != kResultOk)
    {
        error = "The factory reports no class.";
        return false;
    }
    IComponent* rawComponent = nullptr;
    if (factory->createInstance (info.cid, IComponent::iid,
                                 reinterpret_cast<void**> (&rawComponent))
            != kResultOk
        || !rawComponent)
    {
        error = "The factory cannot create the processor component.";
        return false;
    }
    componentPtr = owned (rawComponent);
    if (!succeeded (componentPtr->initialize (hostContext)))
    {
        error = "The processor component refused initialize.";
        return false;
    }
    componentInitialized = true;
    processorPtr = FUnknownPtr<IAudioProcessor> (componentPtr);
    if (!processorPtr)
    {
        error = "The component is not an IAudioProcessor.";
        return false;
    }

    // A component that is its own controller is used as such; otherwise its controller class.
    controllerPtr = FUnknownPtr<IEditController> (componentPtr);
    controllerIsComponent = controllerPtr != nullptr;
    if (!controllerPtr)
    {
        TUID controllerCid {};
        if (componentPtr->getControllerClassId (controllerCid) != kResultTrue)
        {
            error = "The component names no controller class.";
            return false;
        }
        IEditController* rawController = nullptr;
        if (factory->createInstance (controllerCid, IEditController::iid,
                                     reinterpret_cast<void**> (&rawController))
                != kResultOk
            || !rawController)
        {
            error = "The factory cannot create the edit controller.";
            return false;
        }
        controllerPtr = owned (rawController);
        if (!succeeded (controllerPtr->initialize (hostContext)))
        {
            error = "The edit controller refused initialize.";
            return false;
        }
        controllerInitialized = true;
    }
    if (options.setComponentHandler)
        controllerPtr->setComponentHandler (handler);

    if (!controllerIsComponent)
    {
        componentConnection = FUnknownPtr<IConnectionPoint> (componentPtr);
        controllerConnectionPtr = FUnknownPtr<IConnectionPoint> (controllerPtr);
        if (!componentConnection || !controllerConnectionPtr)
        {
            error = "Processor and controller must both be connection points.";
            return false;
        }
        if (options.tapConnections)
        {
            tapToController = owned (new ConnectionTap (controllerConnectionPtr));
            tapToProcessor = owned (new ConnectionTap (componentConnection));
            componentConnection->connect (tapToController);
            controllerConnectionPtr->connect (tapToProcessor);
        }
        else
        {
            componentConnection->connect (controllerConnectionPtr);
            controllerConnectionPtr->connect (componentConnection);
        }
        connected = true;
    }
    if (!succeeded (syncControllerToComponent ()))
    {
        error = "The controller did not accept the component state.";
        return false;
    }
    return true;
}

PluginInstance::~PluginInstance ()
{
    shutdown ();
}

void PluginInstance::shutdown ()
{
    stopProcessing ();
    data.unprepare ();
    if (connected)
    {
        if (tapToController)
        {
            componentConnection->disconnect (tapToController);
            controllerConnectionPtr->disconnect (tapToProcessor);
            tapToController->detachReceiver ();
            tapToProcessor->detachReceiver ();
        }
        else
        {
            componentConnection->disconnect (controllerConnectionPtr);
            controllerConnectionPtr->disconnect (componentConnection);
        }
        connected = false;
    }
    if (controllerInitialized)
    {
        controllerPtr->terminate ();
        controllerInitialized = false;
    }
    if (componentInitialized)
    {
        componentPtr->terminate ();
        componentInitialized = false;
    }
    componentConnection = nullptr;
    controllerConnectionPtr = nullptr;
    controllerPtr = nullptr;
    processorPtr = nullptr;
    componentPtr = nullptr;
}

tresult PluginInstance::setBusArrangement (int32 inputChannels, int32 outputChannels)
{
    if (!processorPtr)
        return kNotInitialized;
    SpeakerArrangement in = arrangementFor (inputChannels);
    SpeakerArrangement out = arrangementFor (outputChannels);
    return processorPtr->setBusArrangements (&in, 1, &out, 1);
}

tresult PluginInstance::setupProcessing (const ProcessConfig& config)
{
    if (!processorPtr)
        return kNotInitialized;
    ProcessSetup setup {};
    setup.processMode = config.processMode;
    setup.symbolicSampleSize = config.symbolicSampleSize;
    setup.maxSamplesPerBlock = config.maxBlockSamples;
    setup.sampleRate = config.sampleRateHz;
    return processorPtr->setupProcessing (setup);
}

bool PluginInstance::startProcessing (const ProcessConfig& config, std::string& error)
{
    if (!processorPtr)
    {
        error = "No processor.";
        return false;
    }
    stopProcessing ();
    if (config.inputChannels > 0 && config.outputChannels > 0)
        setBusArrangement (config.inputChannels, config.outputChannels);
    if (!succeeded (setupProcessing (config)))
    {
        error = "The processor refused setupProcessing.";
        return false;
    }
    if (!succeeded (componentPtr->setActive (true)))
    {
        error = "The processor refused setActive(true).";
        return false;
    }
    active = true;
    if (!data.prepare (*componentPtr, config.maxBlockSamples, config.symbolicSampleSize))
    {
        error = "The processor's busses cannot be read.";
        stopProcessing ();
        return false;
    }
    data.processMode = config.processMode;
    inputChangeList =
        owned (new ParameterChanges (config.maxParameterQueues, config.maxPointsPerQueue));
    outputChangeList =
        owned (new ParameterChanges (config.maxParameterQueues, config.maxPointsPerQueue));
    const tresult started = processorPtr->setProcessing (true);
    if (!succeeded (started) && started != kNotImplemented)
    {
        error = "The processor refused setProcessing(true).";
        stopProcessing ();
        return false;
    }
    processing = true;
    return true;
}

void PluginInstance::stopProcessing ()
{
    if (processing)
    {
        processorPtr->setProcessing (false);
        processing = false;
    }
    if (active)
    {
        componentPtr->setActive (false);
        active = false;
    }
}

tresult PluginInstance::process (int32 numSamples, const std::vector<ParameterPoint>& changes)
{
    if (!processorPtr || !active)
        return kNotInitialized;
    if (numSamples < 0 || numSamples > data.getBufferSamples ())
        return kInvalidArgument;
    inputChangeList->clearQueue ();
    for (const ParameterPoint& point : changes)
    {
        int32 index = 0;
        if (IParamValueQueue* queue = inputChangeList->addParameterData (point.id, index))
            queue->addPoint (point.sampleOffset, point.value, index);
    }
    outputChangeList->clearQueue ();
    data.numSamples = numSamples;
    data.inputParameterChanges = inputChangeList;
    data.outputParameterChanges = outputChangeList;
    return processorPtr->process (data);
}

tresult PluginInstance::processBlock (const float* const* inputs, float* const* outputs,
                                      int32 numSamples, const std::vector<ParameterPoint>& changes)
{
    if (data.symbolicSampleSize != kSample32)
        return kInvalidArgument;
    const int32 inChannels = data.numInputs > 0 ? data.inputs[0].numChannels : 0;
    const int32 outChannels = data.numOutputs > 0 ? data.outputs[0].numChannels : 0;
    const size_t bytes = sizeof (float) * static_cast<size_t> (std::max (numSamples, 0));
    for (int32 c = 0; c < inChannels && inputs; ++c)
        if (float* dest = data.inputChannel32 (0, c); dest && inputs[c])
            std::memcpy (
                dest, inputs[c],
                std::min (bytes, sizeof (float) * static_cast<size_t> (data.getBufferSamples ())));
    const tresult result = process (numSamples, changes);
    if (result != kResultOk)
        return result;
    for (int32 c = 0; c < outChannels && outputs; ++c)
        if (outputs[c] && data.outputs[0].channelBuffers32 && data.outputs[0].channelBuffers32[c])
            std::memcpy (outputs[c], data.outputs[0].channelBuffers32[c], bytes);
    return result;
}

std::vector<ParameterPoint> PluginInstance::outputPoints () const
{
    std::vector<ParameterPoint> points;
    for (int32 q = 0; q < outputChangeList->getParameterCount (); ++q)
    {
        IParamValueQueue* queue = outputChangeList->getParameterData (q);
        if (!queue)
            continue;
        for (int32 p = 0; p < queue->getPointCount (); ++p)
        {
            ParameterPoint point {queue->getParameterId (), 0, 0.0};
            if (queue->getPoint (p, point.sampleOffset, point.value) == kResultTrue)
                points.push_back (point);
        }
    }
    return points;
}

tresult PluginInstance::getState (std::vector<uint8_t>& bytes) const
{
    if (!componentPtr)
        return kNotInitialized;
    auto stream = owned (new MemoryStream);
    const tresult result = componentPtr->getState (stream);
    bytes = bytesOf (*stream);
    return result;
}

tresult PluginInstance::setState (const std::vector<uint8_t>& bytes)
{
    if (!componentPtr)
        return kNotInitialized;
    return componentPtr->setState (memoryStreamWith (bytes));
}

tresult PluginInstance::getControllerState (std::vector<uint8_t>& bytes) const
{
    if (!controllerPtr)
        return kNotInitialized;
    auto stream = owned (new MemoryStream);
    const tresult result = controllerPtr->getState (stream);
    bytes = bytesOf (*stream);
    return result;
}

tresult PluginInstance::syncControllerToComponent ()
{
    if (!componentPtr || !controllerPtr)
        return kNotInitialized;
    auto stream = owned (new MemoryStream);
    if (!succeeded (componentPtr->getState (stream)))
        return kResultOk;   // nothing to hand over, as hosts treat it
    stream->seek (0, IBStream::kIBSeekSet, nullptr);
    return controllerPtr->setComponentState (stream);
}

IPtr<IMessage> PluginInstance::createMessage (const char* id) const
{
    auto message = owned (static_cast<IMessage*> (new HostMessage));
    if (id)
        message->setMessageID (id);
    return message;
}

tresult PluginInstance::notifyProcessor (IMessage* message)
{
    return componentConnection ? componentConnection->notify (message) : kNotInitialized;
}

tresult PluginInstance::notifyController (IMessage* message)
{
    return controllerConnectionPtr ? controllerConnectionPtr->notify (message) : kNotInitialized;
}

}   // namespace Host
}   // namespace Morvane

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The library's exported entry points as a host calls them, and a factory's reference count.
#include "host/PluginInstance.h"
#include "pluginterfaces/base/ipluginbase.h"
#include <gtest/gtest.h>
#include <string>

namespace Morvane {
namespace Test {

using EntryFunc = bool (*) (void*);
using ExitFunc = bool (*) ();
using FactoryFunc = Steinberg::IPluginFactory* (*)();

// What a host does with the factory of a module it has just entered: an instance that processes
// a block, gone before the host lets go of the factory, whose last reference that must be. Call it
// inside ASSERT_NO_FATAL_FAILURE so that the module is left alone after a failure.
inline void processABlockThenReleaseFactory (Steinberg::IPluginFactory* factory)
{
    {
        std::string error;
        auto instance = Host::PluginInstance::create (factory, error);
        ASSERT_NE (instance, nullptr) << error;
        Host::ProcessConfig config;
        config.maxBlockSamples = 64;
        ASSERT_TRUE (instance->startProcessing (config, error)) << error;
        EXPECT_EQ (instance->process (64), Steinberg::kResultOk);
    }   // every object goes before the factory and the module
    EXPECT_EQ (factory->release (), 0u);
}

}   // namespace Test
}   // namespace Morvane

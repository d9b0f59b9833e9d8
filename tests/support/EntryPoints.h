// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The library's exported entry points as a host calls them, and a factory's reference count.
#include "pluginterfaces/base/ipluginbase.h"

namespace Morvane {
namespace Test {

using EntryFunc = bool (*) (void*);
using ExitFunc = bool (*) ();
using FactoryFunc = Steinberg::IPluginFactory* (*) ();

// References a factory holds right now (addRef answers the new count).
inline Steinberg::uint32 referencesOf (Steinberg::IPluginFactory* factory)
{
    const Steinberg::uint32 count = factory->addRef () - 1;
    factory->release ();
    return count;
}

} // namespace Test
} // namespace Morvane

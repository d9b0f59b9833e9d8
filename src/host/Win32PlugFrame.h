// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The host's IPlugFrame for an editor on Windows, where the window's message loop drives the
// editor and no run loop is offered: grants every resizeView request, calling an optional resize
// hook (to resize the host window) before the view's onSize, as hosts do.
#include "pluginterfaces/gui/iplugview.h"
#include <functional>

namespace Morvane {
namespace Host {

class Win32PlugFrame : public Steinberg::IPlugFrame
{
public:
    Win32PlugFrame () { FUNKNOWN_CTOR }
    virtual ~Win32PlugFrame () {}

    Steinberg::tresult PLUGIN_API resizeView (Steinberg::IPlugView* view,
                                              Steinberg::ViewRect* newSize) SMTG_OVERRIDE;
    void setResizeHook (std::function<void (const Steinberg::ViewRect&)> hook)
    {
        onResize = std::move (hook);
    }

    DECLARE_FUNKNOWN_METHODS

private:
    std::function<void (const Steinberg::ViewRect&)> onResize;
};

}   // namespace Host
}   // namespace Morvane

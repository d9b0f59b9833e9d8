// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/linux/IRunLoop.h"

namespace VSTGUI {
namespace X11 {
namespace {

struct ProcessRunLoop
{
    SharedPointer<IRunLoop> runLoop;
    int nesting {0};
};

ProcessRunLoop& processRunLoop ()
{
    static ProcessRunLoop instance;
    return instance;
}

}   // namespace

void RunLoop::init (const SharedPointer<IRunLoop>& runLoop)
{
    auto& state = processRunLoop ();
    if (state.nesting++ == 0)
        state.runLoop = runLoop;
}

void RunLoop::exit ()
{
    auto& state = processRunLoop ();
    if (state.nesting == 0)
        return;
    if (--state.nesting == 0)
        state.runLoop = nullptr;
}

const SharedPointer<IRunLoop>& RunLoop::get ()
{
    return processRunLoop ().runLoop;
}

}   // namespace X11
}   // namespace VSTGUI

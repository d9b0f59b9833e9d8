// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor-x11/support/EditorWindowFixture.h"
#include "editor-x11/support/XvfbServer.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"

namespace Morvane {
namespace X11Test {

using namespace Steinberg;

void EditorWindowFixture::SetUp ()
{
    std::string reason;
    if (!XvfbServer::ensureRunning (reason))
        GTEST_SKIP () << "no Xvfb: " << reason;
    BundleFixture::SetUp ();
    if (HasFatalFailure ())
        return;
    instance = createInstance ();
    ASSERT_NE (instance, nullptr);
    view = createView ();
    ASSERT_TRUE (view);
    std::string error;
    window = Host::X11HostWindow::create (180, 300, "Overmoor test", error);
    ASSERT_NE (window, nullptr) << error;
    loop = owned (new Host::RunLoop);
    plugFrame = owned (new Host::PlugFrame (loop));
    ASSERT_TRUE (window->attach (*loop));
    input = XTestDisplay::open (error);
    ASSERT_NE (input, nullptr) << error;
}

void EditorWindowFixture::TearDown ()
{
    if (view && attachedNow)
        view->removed ();
    view = nullptr;
    if (window)
        window->detach ();
    instance.reset ();
}

IPtr<IPlugView> EditorWindowFixture::createView ()
{
    return owned (instance->controller ()->createView (Vst::ViewType::kEditor));
}

tresult EditorWindowFixture::embed (IPlugView& editor, Host::X11HostWindow& parent)
{
    editor.setFrame (plugFrame);
    return editor.attached (reinterpret_cast<void*> (uintptr_t (parent.windowId ())),
                            kPlatformTypeX11EmbedWindowID);
}

void EditorWindowFixture::attach ()
{
    ASSERT_EQ (embed (*view, *window), kResultTrue);
    attachedNow = true;
    loop->runFor (150);
    ASSERT_EQ (window->childWindows ().size (), 1u);
    ASSERT_TRUE (input->rootPosition (window->windowId (), originX, originY));
}

void EditorWindowFixture::detach ()
{
    EXPECT_EQ (view->removed (), kResultOk);
    attachedNow = false;
    loop->runFor (100);
}

void EditorWindowFixture::drag (int x, int y, int dy, unsigned modifiers, int button)
{
    input->moveTo (originX + x, originY + y);
    loop->runFor (60);
    input->pressButton (button, modifiers);
    loop->runFor (60);
    for (int step = 1; step <= 5; ++step)
    {
        input->moveTo (originX + x, originY + y + dy * step / 5);
        loop->runFor (40);
    }
    input->releaseButton (button, modifiers);
    loop->runFor (100);
}

void EditorWindowFixture::clickAt (int rootX, int rootY, int button)
{
    input->moveTo (rootX, rootY);
    loop->runFor (80);
    input->pressButton (button);
    loop->runFor (60);
    input->releaseButton (button);
    loop->runFor (150);
}

double EditorWindowFixture::value (int id) const
{
    return instance->controller ()->getParamNormalized (id);
}

}   // namespace X11Test
}   // namespace Morvane

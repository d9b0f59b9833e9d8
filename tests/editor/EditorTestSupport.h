// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Editors of a real plug-in instance in this process (entry and factory compiled in), so tests
// can look at their controls. An editor "opened" here is what attached () makes of it without a
// window: an offscreen frame, registered with its controller. Presets live in a private folder.
#include "controller/CMVXStravelEditController.h"
#include "editor/CMVXOvermoorCtrlSet.h"
#include "editor/CMVXStravelGUIContainer.h"
#include "editor/CMVXStravelGUIEditorVST3.h"
#include "gui/CAnimKnob.h"
#include "gui/CFrame.h"
#include "gui/COffscreenContext.h"
#include "host/PluginInstance.h"
#include "pluginterfaces/base/ipluginbase.h"
#include "support/BundleFixture.h"
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <string>

namespace EditorTest {

using namespace Steinberg;
using namespace VSTGUI;

class InProcessEditor : public ::testing::Test
{
protected:
    void SetUp () override
    {
        factory = GetPluginFactory ();
        std::string error;
        instance = Morvane::Host::PluginInstance::create (factory, error);
        ASSERT_NE (instance, nullptr) << error;
        controller = dynamic_cast<CMVXStravelEditController*> (instance->controller ());
        ASSERT_NE (controller, nullptr);
    }

    void TearDown () override
    {
        instance.reset ();
        if (factory)
            factory->release ();
    }

    // A new editor as createView ("editor") makes it; the test holds the host's reference.
    IPtr<CMVXStravelGUIEditorVST3> createEditor ()
    {
        IPtr<IPlugView> view = Steinberg::owned (controller->createView ("editor"));
        return IPtr<CMVXStravelGUIEditorVST3> (
            dynamic_cast<CMVXStravelGUIEditorVST3*> (view.get ()));
    }

    IPtr<CMVXStravelGUIEditorVST3> openEditor ()
    {
        IPtr<CMVXStravelGUIEditorVST3> editor = createEditor ();
        EXPECT_TRUE (editor->open (nullptr, PlatformType::kDefaultNative, nullptr));
        controller->editorAttached (editor);
        return editor;
    }

    void closeEditor (CMVXStravelGUIEditorVST3* editor)
    {
        controller->editorRemoved (editor);
        editor->close ();
    }

    void selectModel (int model) { controller->setParamNormalized (1, model / 7.0); }

    static CMVXOvermoorCtrlSet& controls (CMVXStravelGUIEditorVST3* editor)
    {
        return *static_cast<CMVXOvermoorCtrlSet*> (editor->getControlSet ());
    }

    // The knobs the pedal shows now, by tag.
    static std::map<int32_t, CAnimKnob*> shownKnobs (CMVXStravelGUIEditorVST3* editor)
    {
        std::map<int32_t, CAnimKnob*> knobs;
        CViewContainer* pedal = controls (editor).getPedalContainer ();
        for (int32_t i = 0; i < pedal->getNbViews (); ++i)
            if (auto* knob = dynamic_cast<CAnimKnob*> (pedal->getView (i)))
                knobs[knob->getTag ()] = knob;
        return knobs;
    }

    // Draws what the frame has collected, as the window would at its next expose.
    static void drawPending (CFrame* frame)
    {
        SharedPointer<COffscreenContext> context =
            COffscreenContext::create (frame->getWidth (), frame->getHeight ());
        frame->drawDirtyRects (context);
    }

    IPluginFactory* factory = nullptr;
    std::unique_ptr<Morvane::Host::PluginInstance> instance;
    CMVXStravelEditController* controller = nullptr;
};

}   // namespace EditorTest

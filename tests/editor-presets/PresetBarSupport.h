// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A host session for preset-bar tests: a real plug-in instance (entry and factory compiled into
// the test) with processor and controller connected through recording taps, and an editor opened
// offscreen and attached, as a host opens its window. Presets live in a folder of the test's own.
#include "PresetTestSupport.h"
#include "controller/CMVXStravelEditController.h"
#include "editor/CMVXStravelCtrlBaseSet.h"
#include "editor/CMVXStravelGUIEditorVST3.h"
#include "gui/CButtonState.h"
#include "gui/CFrame.h"
#include "gui/COptionMenu.h"
#include "gui/CTextEdit.h"
#include "host/PluginInstance.h"
#include "pluginterfaces/base/ipluginbase.h"
#include "support/MessageAttributes.h"
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace PresetBarTest {

using namespace Steinberg;
using namespace VSTGUI;

struct HostSession
{
    explicit HostSession (IPluginFactory* factory)
    {
        Morvane::Host::InstanceOptions options;
        options.tapConnections = true;
        std::string error;
        instance = Morvane::Host::PluginInstance::create (factory, error, options);
        EXPECT_NE (instance, nullptr) << error;
        if (!instance)
            return;
        controller = dynamic_cast<CMVXStravelEditController*> (instance->controller ());
        IPtr<IPlugView> view = Steinberg::owned (controller->createView ("editor"));
        editor =
            IPtr<CMVXStravelGUIEditorVST3> (dynamic_cast<CMVXStravelGUIEditorVST3*> (view.get ()));
        EXPECT_TRUE (editor && editor->open (nullptr, PlatformType::kDefaultNative, nullptr));
        controller->editorAttached (editor);   // asks for the preset lists
    }
    ~HostSession ()
    {
        if (editor)
        {
            controller->editorRemoved (editor);
            editor->close ();
        }
        editor = nullptr;
        instance.reset ();
    }

    CMVXStravelCtrlBaseSet& controls () const { return *editor->getControlSet (); }
    COptionMenu* menu (int32_t tag) const
    {
        return dynamic_cast<COptionMenu*> (controls ().getControl (tag));
    }
    CTextEdit* nameField () const { return dynamic_cast<CTextEdit*> (controls ().getControl (16)); }
    bool namePanelShown () const { return controls ().getNamePanel ()->isAttached (); }
    CFrame* frame () const { return editor->getFrame (); }

    // What the controller sent the processor under "PrsHnd", oldest first.
    std::vector<std::string> presetRequests () const
    {
        std::vector<std::string> texts;
        static const char* const kKeys[] = {
            "CMVXGetFactoryPresetsMessage", "CMVXGetUserPresetsMessage",
            "CMVXSetPresetAsSaveAs",        "CMVXSetPresetSave",
            "CMVXSetPresetDelete",          "CMVXSetSelectedPresetNumber",
            "CMVXGetSelectedPresetNumber"};
        for (const auto& record : instance->controllerToProcessor ()->records ())
            for (const char* key : kKeys)
                if (record.id == "PrsHnd")
                    if (auto text = Morvane::Test::binaryText (record.message, key))
                    {
                        // List requests carry one byte; their key says it all.
                        texts.push_back (text->size () == 1 ? std::string (key) : *text);
                        break;
                    }
        return texts;
    }

    // A plain left click (or other buttons) at the centre of a view, through the frame.
    void click (CView* view, int32_t buttons = kLButton) const
    {
        CPoint where = view->getViewSize ().getCenter ();
        view->localToFrame (where);
        frame ()->onMouseDown (where, CButtonState (buttons));
        frame ()->onMouseUp (where, CButtonState (buttons));
    }
    // An entry chosen in a menu's popup (index counts separators), or in one of its submenus.
    void choose (int32_t tag, int32_t index, COptionMenu* submenu = nullptr) const
    {
        COptionMenu* owner = menu (tag);
        owner->applyPopupResult (submenu ? submenu : owner, index);
    }
    void saveAs (const std::string& name) const
    {
        choose (13, 1);
        nameField ()->setText (name);
        click (controls ().getControl (17));
    }
    // Titles of a menu; separators as "-".
    std::vector<std::string> titles (int32_t tag) const
    {
        std::vector<std::string> result;
        COptionMenu* m = menu (tag);
        for (int32_t i = 0; i < m->getNbEntries (); ++i)
            result.push_back (m->getEntry (i)->isSeparator () ? "-" : m->getEntry (i)->getTitle ());
        return result;
    }
    std::string shownPreset () const
    {
        CMenuItem* current = menu (12)->getCurrent ();
        return current ? current->getTitle () : std::string ();
    }

    std::unique_ptr<Morvane::Host::PluginInstance> instance;
    CMVXStravelEditController* controller = nullptr;
    IPtr<CMVXStravelGUIEditorVST3> editor;
};

class PresetBar : public ::testing::Test
{
protected:
    void SetUp () override { factory = GetPluginFactory (); }
    void TearDown () override
    {
        if (factory)
            factory->release ();
    }
    std::unique_ptr<HostSession> startHost () const
    {
        return std::make_unique<HostSession> (factory);
    }
    std::vector<std::string> presetFiles () const { return PresetTest::filesIn (folder.path ()); }

    IPluginFactory* factory = nullptr;
    PresetTest::TemporaryFolder folder;
    PresetTest::ScopedEnvironment folderVariable {"OVERMOOR_PRESET_DIR", folder.path ().c_str ()};
};

inline const std::vector<std::string> kFactoryNames = {
    "Torvin's Booster", "Ossik's Riff", "Rock Distorion", "Crunch",
    "Rock Drive",       "Full Drive",   "Kick the Amp",   "Metal"};

inline std::vector<std::string> withUserPresets (std::vector<std::string> names)
{
    std::vector<std::string> all = kFactoryNames;
    if (!names.empty ())
        all.push_back ("-");
    all.insert (all.end (), names.begin (), names.end ());
    return all;
}

}   // namespace PresetBarTest

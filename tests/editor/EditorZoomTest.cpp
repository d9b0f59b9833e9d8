// SPDX-License-Identifier: GPL-3.0-or-later
// The window's zoom: the host's content scale times the user's choice from the background's
// right-click menu, sizes asked of the host through the plug frame (granted or refused) and the
// settings file that remembers the choice. The zoomed picture is the bundle's snapshot test's.
#include "EditorTestSupport.h"
#include "PresetTestSupport.h"
#include "editor/CMVXZoomMenu.h"
#include "editor/CMVXZoomSettings.h"
#include "gui/COptionMenu.h"
#include "host/PlugFrame.h"
#include "host/RunLoop.h"
#include "pluginterfaces/gui/iplugviewcontentscalesupport.h"
#include <filesystem>
#include <fstream>

namespace EditorTest {
namespace {

namespace fs = std::filesystem;

// A private config folder for the settings file, the previous one restored afterwards.
class EditorZoom : public InProcessEditor
{
protected:
    void writeSettings (const std::string& text)
    {
        fs::create_directories (configFolder / "Overmoor");
        std::ofstream (configFolder / "Overmoor" / "editor.conf") << text;
    }

    static ViewRect sizeOf (IPlugView* view)
    {
        ViewRect size;
        view->getSize (&size);
        return size;
    }

    PresetTest::TemporaryFolder config;
    PresetTest::ScopedEnvironment configVariable {"XDG_CONFIG_HOME", config.path ().c_str ()};
    const fs::path configFolder = config.path ();
};

TEST_F (EditorZoom, SettingsFileRoundTripsAndAnythingElseMeansOneHundredPercent)
{
    EXPECT_EQ (CMVXZoomSettings::filePath (),
               (configFolder / "Overmoor" / "editor.conf").string ());
    EXPECT_EQ (CMVXZoomSettings::load (), 1.) << "no file yet";
    for (double zoom : CMVXZoomSettings::zoomSteps ())
    {
        ASSERT_TRUE (CMVXZoomSettings::save (zoom));
        EXPECT_EQ (CMVXZoomSettings::load (), zoom);
    }
    EXPECT_FALSE (CMVXZoomSettings::save (1.75)) << "only the menu's zooms are stored";
    EXPECT_EQ (CMVXZoomSettings::load (), 3.);
    for (const auto& entry : fs::directory_iterator (configFolder / "Overmoor"))
        EXPECT_EQ (entry.path ().filename (), "editor.conf") << "no temporary file is left behind";

    for (const char* corrupt : {"zoom=175\n", "zoom=200 percent\n", "zoom=\n", "\x01\xff garbage",
                                "zoom=99999999999999999999\n", ""})
    {
        writeSettings (corrupt);
        EXPECT_EQ (CMVXZoomSettings::load (), 1.) << corrupt;
    }
    writeSettings ("zoom=150\n");
    auto editor = createEditor ();
    EXPECT_EQ (editor->getUserZoom (), 1.5) << "a new window starts at the remembered zoom";
    EXPECT_EQ (sizeOf (editor).getWidth (), 270);
    EXPECT_EQ (sizeOf (editor).getHeight (), 450);
}

TEST_F (EditorZoom, HostScaleAndUserZoomMultiplyIntoSizeAndSizeRules)
{
    selectModel (7);
    auto editor = openEditor ();
    IPlugViewContentScaleSupport* scaling = nullptr;
    ASSERT_EQ (editor->queryInterface (IPlugViewContentScaleSupport::iid,
                                       reinterpret_cast<void**> (&scaling)),
               kResultOk);
    EXPECT_EQ (scaling->setContentScaleFactor (2.f), kResultOk);
    EXPECT_EQ (scaling->setContentScaleFactor (0.f), kInvalidArgument);
    scaling->release ();

    EXPECT_EQ (editor->getFrame ()->getZoom (), 2.);
    // Not resizable, but a host may make the window up to 50 pixels larger each way.
    EXPECT_EQ (editor->canResize (), kResultFalse);
    const std::pair<ViewRect, ViewRect> requests[] = {{{10, 20, 110, 120}, {10, 20, 370, 620}},
                                                      {{0, 0, 1000, 1000}, {0, 0, 410, 650}},
                                                      {{0, 0, 380, 620}, {0, 0, 380, 620}}};
    for (auto [request, granted] : requests)
    {
        EXPECT_EQ (editor->checkSizeConstraint (&request), kResultOk);
        EXPECT_EQ (std::vector<int32> ({request.left, request.top, request.right, request.bottom}),
                   std::vector<int32> ({granted.left, granted.top, granted.right, granted.bottom}));
    }

    EXPECT_TRUE (editor->setUserZoom (1.5));
    EXPECT_EQ (editor->getZoomFactor (), 3.);
    EXPECT_EQ (sizeOf (editor).getWidth (), 540);
    EXPECT_EQ (sizeOf (editor).getHeight (), 900);
    ViewRect hostSize (0, 0, 560, 920);
    EXPECT_EQ (editor->onSize (&hostSize), kResultOk);
    EXPECT_EQ (editor->getFrame ()->getWidth (), 560 / 3.)
        << "extra host pixels become frame units";
    closeEditor (editor);
}

TEST_F (EditorZoom, BackgroundMenuResizesThroughThePlugFrameAndARefusalChangesNothing)
{
    selectModel (3);
    auto editor = openEditor ();
    IPtr<Morvane::Host::RunLoop> loop = Steinberg::owned (new Morvane::Host::RunLoop);
    IPtr<Morvane::Host::PlugFrame> plugFrame =
        Steinberg::owned (new Morvane::Host::PlugFrame (loop));
    editor->setFrame (plugFrame);
    CFrame* frame = editor->getFrame ();
    CMVXZoomMenu* zoomMenu = editor->getZoomMenu ();

    CControl* gain = controls (editor).getControl (2);
    CPoint onKnob = gain->getViewSize ().getCenter ();
    gain->localToFrame (onKnob);
    CPoint onBackground (90, 8), onFace (20, 120);
    const CButtonState right (kRButton);
    EXPECT_TRUE (CMVXZoomMenu::isOnControl (frame, onKnob));
    EXPECT_FALSE (CMVXZoomMenu::isOnControl (frame, onBackground));
    EXPECT_FALSE (CMVXZoomMenu::isOnControl (frame, onFace)) << "the painted face is background";
    frame->onMouseDown (onKnob, right);
    EXPECT_TRUE (zoomMenu->getMenu () == nullptr || !zoomMenu->getMenu ()->isPopupOpen ());
    frame->onMouseUp (onKnob, right);
    ASSERT_EQ (frame->onMouseDown (onFace, right), kMouseEventHandled);
    COptionMenu* menu = zoomMenu->getMenu ();
    ASSERT_NE (menu, nullptr);
    ASSERT_TRUE (menu->isPopupOpen ());
    ASSERT_EQ (menu->getNbEntries (), 5);
    EXPECT_EQ (menu->getEntry (0)->getTitle (), "Zoom 100 %");
    EXPECT_EQ (menu->getEntry (4)->getTitle (), "Zoom 300 %");
    EXPECT_TRUE (menu->isCheckEntry (0));

    menu->applyPopupResult (menu, 3);   // "Zoom 200 %"
    ASSERT_EQ (plugFrame->resizeRequests ().size (), 1u);
    EXPECT_EQ (plugFrame->resizeRequests ()[0].getWidth (), 360);
    EXPECT_EQ (plugFrame->resizeRequests ()[0].getHeight (), 600);
    EXPECT_EQ (CMVXZoomSettings::load (), 2.) << "remembered for the next window";

    plugFrame->setRefuseResize (true);
    ASSERT_EQ (frame->onMouseDown (onBackground, right), kMouseEventHandled);
    EXPECT_TRUE (menu->isCheckEntry (3));
    menu->applyPopupResult (menu, 1);   // "Zoom 125 %", refused
    ASSERT_EQ (plugFrame->resizeRequests ().size (), 2u);
    EXPECT_EQ (plugFrame->resizeRequests ()[1].getWidth (), 225);
    EXPECT_EQ (editor->getUserZoom (), 2.);
    EXPECT_EQ (frame->getZoom (), 2.);
    EXPECT_EQ (frame->getWidth (), 180);
    EXPECT_EQ (sizeOf (editor).getWidth (), 360);
    EXPECT_EQ (sizeOf (editor).getHeight (), 600);
    EXPECT_EQ (CMVXZoomSettings::load (), 2.);
    closeEditor (editor);
    editor->setFrame (nullptr);
}

}   // namespace
}   // namespace EditorTest

// SPDX-License-Identifier: GPL-3.0-or-later
// The preset bar of the built bundle in a real X11 window under a private Xvfb, driven through
// XTest as a user would: a preset picked from the menu's popup, a preset named in the name panel,
// and pictures of the window with the name panel and with the about view.
#include "FakeXdgOpen.h"
#include "PresetTestSupport.h"
#include "editor-x11/support/EditorWindowFixture.h"
#include "editor/SnapshotComparison.h"
#include <cairo.h>
#include <filesystem>

namespace PresetBarTest {
namespace {

using namespace Steinberg;
using namespace Morvane;

// Window coordinates of the preset bar (layout keys 2 to 7) and the popup rows below a menu.
constexpr int kPresetMenuX = 70, kPresetMenuY = 287;
constexpr int kSaveMenuX = 157, kSaveMenuY = 287;
constexpr int kInfoMenuX = 157, kInfoMenuY = 266;
constexpr int kRowHeight = 18, kPopupBorder = 1;

class PresetBarWindow : public X11Test::EditorWindowFixture
{
protected:
    void SetUp () override
    {
        EditorWindowFixture::SetUp ();
        if (IsSkipped () || HasFatalFailure ())
            return;
        attach ();
    }

    // Opens the menu at a window point and clicks its row-th entry (no separators above it).
    bool pickFromMenu (int x, int y, int row)
    {
        clickWindow (x, y);
        const auto popups = input->popupWindows ();
        if (popups.size () != 1)
            return false;
        int popupX = 0, popupY = 0;
        input->rootPosition (popups.front (), popupX, popupY);
        clickAt (popupX + 20, popupY + kPopupBorder + row * kRowHeight + kRowHeight / 2);
        return input->popupWindows ().empty ();
    }

    // The window as the screen shows it, written as a PNG and compared with its reference.
    void expectSnapshot (const std::string& name)
    {
        int width = 0, height = 0;
        std::vector<uint32_t> pixels = window->capture (width, height);
        ASSERT_FALSE (pixels.empty ());
        const std::string path = pictures.file (name + ".png");
        cairo_surface_t* surface =
            cairo_image_surface_create_for_data (reinterpret_cast<unsigned char*> (pixels.data ()),
                                                 CAIRO_FORMAT_RGB24, width, height, width * 4);
        ASSERT_EQ (cairo_surface_write_to_png (surface, path.c_str ()), CAIRO_STATUS_SUCCESS);
        cairo_surface_destroy (surface);
        EXPECT_EQ (EditorTest::compareWithReference (path, std::string (OVERMOOR_PRESET_SNAPSHOTS)
                                                               + "/" + name + ".png"),
                   "");
    }

    PresetTest::TemporaryFolder folder;
    PresetTest::TemporaryFolder pictures;
    PresetTest::ScopedEnvironment folderVariable {"OVERMOOR_PRESET_DIR", folder.path ().c_str ()};
};

TEST_F (PresetBarWindow, PickingAPresetAndNamingOneWithTheMouseAndKeyboard)
{
    ASSERT_TRUE (pickFromMenu (kPresetMenuX, kPresetMenuY, 7));   // "Metal"
    EXPECT_EQ (value (1), 1.0) << "the model follows the preset";
    EXPECT_NEAR (value (7), 0.325, 1e-6);

    // The field has the keyboard with "New Preset" selected: typing replaces it. The name
    // then goes through the system clipboard and back (copy, retype, select all, paste).
    ASSERT_TRUE (pickFromMenu (kSaveMenuX, kSaveMenuY, 1));   // "Save As..."
    loop->runFor (100);
    expectSnapshot ("name-panel");
    ASSERT_TRUE (input->typeText ("Window Tone"));
    input->tapKey ('a', X11Test::kControlKey);
    input->tapKey ('c', X11Test::kControlKey);
    ASSERT_TRUE (input->typeText ("x"));
    input->tapKey ('a', X11Test::kControlKey);
    loop->runFor (150);
    int width = 0, height = 0;
    const auto beforePaste = window->capture (width, height);
    input->tapKey ('v', X11Test::kControlKey);
    // The paste takes a few trips through the server; a busy machine may need a while.
    for (int waited = 0; waited < 3000 && window->capture (width, height) == beforePaste;
         waited += 50)
        loop->runFor (50);
    input->tapKey (0xff0d);   // Return
    loop->runFor (150);
    const auto files = PresetTest::filesIn (folder.path ());
    ASSERT_EQ (files.size (), 1u);
    EXPECT_EQ (files.front ().rfind ("Window Tone", 0), 0u) << files.front ();
}

// The bundle's Help finds the manual the build put into it; the about view covers the window.
TEST_F (PresetBarWindow, HelpOpensTheManualInTheBundleAndTheAboutViewCoversTheWindow)
{
    FakeXdgOpen xdgOpen;
    PresetTest::ScopedEnvironment noHelpPath {"OVERMOOR_HELP_PATH", nullptr};
    ASSERT_TRUE (pickFromMenu (kInfoMenuX, kInfoMenuY, 0));   // "Help"
    const auto opened = xdgOpen.arguments ();
    ASSERT_EQ (opened.size (), 1u);
    const std::filesystem::path manual =
        std::filesystem::path (Morvane::Test::overmoorBundlePath ()) / "Contents" / "Resources"
        / "Overmoor Manual.pdf";
    ASSERT_TRUE (std::filesystem::exists (opened.front ())) << opened.front ();
    EXPECT_TRUE (std::filesystem::equivalent (opened.front (), manual)) << opened.front ();

    ASSERT_TRUE (pickFromMenu (kInfoMenuX, kInfoMenuY, 3));   // "About Plug-In"
    loop->runFor (100);
    expectSnapshot ("about-view");
}

}   // namespace
}   // namespace PresetBarTest

// SPDX-License-Identifier: GPL-3.0-or-later
// Menus of the widget layer in a real embedded window, used with XTest: opened in a window of
// their own that holds the pointer and keyboard grabs, chosen from, and kept on the screen. What
// needs no window (controls' gestures, menu keys and placement) is tested offscreen in tests/gui.
#include "editor-x11/support/X11WindowTest.h"
#include "gui/CFrame.h"
#include "gui/COptionMenu.h"
#include "gui/OptionMenuPopupView.h"
#include "sdk/vstguirunloop.h"
#include <string>

using namespace VSTGUI;
using namespace Morvane::X11Test;

namespace {

// Records each control callback as one letter and the tag: b(egin), v(alue), e(nd).
class Recorder : public CControlListener
{
public:
    void valueChanged (CControl* control) override { record ('v', control); }
    void controlBeginEdit (CControl* control) override { record ('b', control); }
    void controlEndEdit (CControl* control) override { record ('e', control); }

    std::string log;

private:
    void record (char kind, CControl* control)
    {
        log += kind + std::to_string (control->getTag ());
    }
};

class X11Widgets : public X11WindowTest
{
protected:
    static constexpr int32_t kMenu = 3;

    void SetUp () override
    {
        X11WindowTest::SetUp ();
        if (IsSkipped () || HasFatalFailure ())
            return;
        config.runLoop = SharedPointer<X11::IRunLoop> (
            new Steinberg::Vst::HostRunLoopAdapter (plugFrame), false);
        frame = new CFrame (CRect (0, 0, 200, 150), nullptr);
        menu = new COptionMenu (CRect (100, 10, 190, 30), &recorder, kMenu);
        for (const char* entry : {"Treble", "Drive", "Metal"})
            menu->addEntry (entry);
        frame->addView (menu);
        const auto parent =
            reinterpret_cast<void*> (static_cast<uintptr_t> (hostWindow->windowId ()));
        ASSERT_TRUE (frame->open (parent, PlatformType::kX11EmbedWindowID, &config));
        ASSERT_TRUE (waitForEmbeddedWindow ());
        window = embeddedWindow ();
    }
    void TearDown () override
    {
        if (frame)
            frame->close ();
        config.runLoop = nullptr;
        X11WindowTest::TearDown ();
    }

    X11::FrameConfig config;
    Recorder recorder;
    CFrame* frame {nullptr};
    COptionMenu* menu {nullptr};
    uint32_t window {0};
};

}   // namespace

TEST_F (X11Widgets, AMenuOpensBelowItInAWindowOfItsOwnAndItsSubmenuTakesTheInputAndGivesItBack)
{
    auto* more = new COptionMenu ();
    more->addEntry ("Left");
    more->addEntry ("Right");
    menu->addEntry (more, "More");
    more->forget ();
    click (window, 140, 20);
    ASSERT_TRUE (pumpUntil ([&] { return display->popupWindows ().size () == 1; }));
    int x = 0, y = 0, embeddedX = 0, embeddedY = 0;
    ASSERT_TRUE (display->rootPosition (display->popupWindows ().front (), x, y));
    display->rootPosition (window, embeddedX, embeddedY);
    EXPECT_EQ (x, embeddedX + 100) << "the popup opens below the menu, in root coordinates";
    EXPECT_EQ (y, embeddedY + 30);

    // Row three ("Metal"): rows of 18 pixels inside a 1-pixel border.
    click (display->popupWindows ().front (), 20, 1 + 18 * 2 + 9);
    EXPECT_TRUE (pumpUntil ([&] { return display->popupWindows ().empty (); }));
    EXPECT_EQ (menu->getCurrentIndex (), 2);
    EXPECT_NE (recorder.log.find ("v3"), std::string::npos) << recorder.log;

    click (window, 140, 20);
    ASSERT_TRUE (pumpUntil ([&] { return display->popupWindows ().size () == 1; }));
    click (display->popupWindows ().front (), 20, 1 + 18 * 3 + 9);
    ASSERT_TRUE (pumpUntil ([&] { return display->popupWindows ().size () == 2; }));
    // Keys reach whichever level holds the grab: Left closes the submenu, whose popup hands
    // pointer and keyboard back, so Right can open it again and Return choose in it.
    display->tapKey (0xff51);   // Left
    ASSERT_TRUE (pumpUntil ([&] { return display->popupWindows ().size () == 1; }));
    EXPECT_TRUE (pumpUntil ([&] { return display->pointerGrabbedByOther (); }));
    display->tapKey (0xff53);   // Right
    ASSERT_TRUE (pumpUntil ([&] { return display->popupWindows ().size () == 2; }));
    display->tapKey (0xff0d);   // Return
    EXPECT_TRUE (pumpUntil ([&] { return display->popupWindows ().empty (); }));
    int32_t index = -1;
    EXPECT_EQ (menu->getLastItemMenu (index), more);
    EXPECT_EQ (index, 0);
    EXPECT_FALSE (display->pointerGrabbedByOther ());

    frame->close ();
    frame = nullptr;
    EXPECT_TRUE (hostWindow->childWindows ().empty ());
    EXPECT_EQ (runLoop->eventHandlerCount () + runLoop->timerCount (), 0);
}

TEST_F (X11Widgets, AMenuTallerThanTheScreenStaysOnItAndScrollsToTheEnd)
{
    for (int i = 0; i < 57; ++i)   // 60 rows of 18 pixels on a screen 800 high
        menu->addEntry ("Entry " + std::to_string (i));
    click (window, 140, 20);
    ASSERT_TRUE (pumpUntil ([&] { return display->popupWindows ().size () == 1; }));
    int x = 0, y = 0;
    ASSERT_TRUE (display->rootPosition (display->popupWindows ().front (), x, y));
    EXPECT_GE (y, 0);
    EXPECT_LE (y + menu->getPopupFrame ()->getHeight (), 800);
    display->tapKey (0xff57);   // End
    pump ();
    auto* list = static_cast<OptionMenuPopupView*> (menu->getPopupFrame ()->getView (0));
    EXPECT_EQ (list->getHighlight (), 59);
    EXPECT_GT (list->getScrollOffset (), 0);
    EXPECT_LE (list->rowRect (59).bottom, list->getHeight ());
}

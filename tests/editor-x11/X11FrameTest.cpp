// SPDX-License-Identifier: GPL-3.0-or-later
// The X11 window of a frame under Xvfb, reached the way a host reaches it: a CFrame opened on the
// host's parent window with the host's run loop (through the editor's adapter), real input
// through XTest, and what the screen shows read back from the server.
#include "editor-x11/support/X11WindowTest.h"
#include "gui/CDrawContext.h"
#include "gui/CFrame.h"
#include "sdk/vstguirunloop.h"
#include <vector>

using namespace VSTGUI;
using namespace Morvane::X11Test;

namespace {

// Fills itself with one colour and records what reaches it.
class ProbeView : public CView
{
public:
    struct Mouse
    {
        char kind;   // 'd'own, 'u'p, 'm'oved, 'w'heel
        CPoint where;
        int32_t buttons;
        float distance;
    };

    explicit ProbeView (const CRect& size, bool catchAll = false)
    : CView (size), everywhere (catchAll)
    {
        setWantsFocus (true);
    }

    // A popup's view takes presses outside its window too, as a menu does to close itself.
    bool hitTest (const CPoint& where, const CButtonState& buttons) const override
    {
        return everywhere || CView::hitTest (where, buttons);
    }

    void draw (CDrawContext* context) override
    {
        context->setFillColor (colour);
        context->drawRect (getViewSize (), kDrawFilled);
    }
    CMouseEventResult onMouseDown (CPoint& where, const CButtonState& buttons) override
    {
        mice.push_back ({'d', where, buttons (), 0});
        if (onDown)
            onDown ();
        return kMouseEventHandled;
    }
    CMouseEventResult onMouseUp (CPoint& where, const CButtonState& buttons) override
    {
        mice.push_back ({'u', where, buttons (), 0});
        return kMouseEventHandled;
    }
    CMouseEventResult onMouseMoved (CPoint& where, const CButtonState& buttons) override
    {
        mice.push_back ({'m', where, buttons (), 0});
        return kMouseEventHandled;
    }
    bool onWheel (const CPoint& where, const float& distance, const CButtonState& buttons) override
    {
        mice.push_back ({'w', where, buttons (), distance});
        return true;
    }
    int32_t onKeyDown (VstKeyCode& key) override
    {
        // Modifier keys arrive as keys of their own; the tests look at the others.
        if (key.virt != VKEY_SHIFT && key.virt != VKEY_CONTROL && key.virt != VKEY_ALT)
            keys.push_back (key);
        return 1;
    }

    std::vector<Mouse> ofKind (char kind) const
    {
        std::vector<Mouse> found;
        for (const Mouse& m : mice)
            if (m.kind == kind)
                found.push_back (m);
        return found;
    }

    CColor colour {255, 0, 0, 255};
    std::vector<Mouse> mice;
    std::vector<VstKeyCode> keys;
    std::function<void ()> onDown;
    bool everywhere;
};

class X11Frame : public X11WindowTest
{
protected:
    void SetUp () override
    {
        X11WindowTest::SetUp ();
        if (IsSkipped () || HasFatalFailure ())
            return;
        config.runLoop = SharedPointer<X11::IRunLoop> (
            new Steinberg::Vst::HostRunLoopAdapter (plugFrame), false);
    }
    void TearDown () override
    {
        if (frame)
            frame->close ();
        config.runLoop = nullptr;
        X11WindowTest::TearDown ();
    }

    // A frame of 200 x 150 at the parent's origin, holding one probe over all of it.
    bool openEmbedded ()
    {
        frame = new CFrame (CRect (0, 0, 200, 150), nullptr);
        probe = new ProbeView (CRect (0, 0, 200, 150));
        frame->addView (probe);
        const auto parent =
            reinterpret_cast<void*> (static_cast<uintptr_t> (hostWindow->windowId ()));
        return frame->open (parent, PlatformType::kX11EmbedWindowID, &config)
               && waitForEmbeddedWindow ();
    }

    uint32_t screenPixel (int x, int y)
    {
        int width = 0;
        int height = 0;
        const auto pixels = hostWindow->capture (width, height);
        return x < width && y < height ? pixels[static_cast<std::size_t> (y * width + x)]
                                       : 0xdeadbeef;
    }

    int registrations () const { return runLoop->eventHandlerCount () + runLoop->timerCount (); }

    X11::FrameConfig config;
    CFrame* frame {nullptr};
    ProbeView* probe {nullptr};
};

}   // namespace

TEST_F (X11Frame, EmbedsAsAChildWindowRedrawsInvalidatedAreasAndLeavesNothingBehind)
{
    ASSERT_TRUE (openEmbedded ());
    const uint32_t child = embeddedWindow ();
    EXPECT_EQ (child, frame->getPlatformFrame ()->getNativeWindowId ());
    EXPECT_EQ (display->property32 (child, "_XEMBED_INFO"), (std::vector<uint32_t> {0, 1}));
    EXPECT_FALSE (display->isOverrideRedirect (child));
    EXPECT_TRUE (pumpUntil ([&] { return screenPixel (100, 75) == 0xff0000; }))
        << "the back buffer reaches the window";
    // The rest of a larger parent is ours to paint, also after the host resizes it.
    frame->setBackgroundColor (CColor (0, 128, 0));
    hostWindow->resize (kHostWidth + 60, kHostHeight);
    EXPECT_TRUE (pumpUntil ([&] {
        return screenPixel (300, 300) == 0x008000 && screenPixel (kHostWidth + 40, 300) == 0x008000;
    }));

    // No X event is needed for an invalidated view to be redrawn: the run loop alone does it.
    probe->colour = CColor (0, 0, 255, 255);
    probe->invalid ();
    EXPECT_TRUE (pumpUntil ([&] { return screenPixel (10, 10) == 0x0000ff; }));

    EXPECT_GE (registrations (), 1);
    frame->close ();
    frame = nullptr;
    EXPECT_TRUE (hostWindow->childWindows ().empty ());
    EXPECT_EQ (registrations (), 0);
}

TEST_F (X11Frame, MouseInputArrivesWithButtonsModifiersAndWheelSteps)
{
    ASSERT_TRUE (openEmbedded ());
    const uint32_t child = embeddedWindow ();

    click (child, 30, 40, kShiftKey | kControlKey);
    ASSERT_EQ (probe->ofKind ('d').size (), 1u);
    ASSERT_EQ (probe->ofKind ('u').size (), 1u);
    EXPECT_EQ (probe->ofKind ('d')[0].where, CPoint (30, 40));
    EXPECT_EQ (probe->ofKind ('d')[0].buttons, kLButton | kShift | kControl);
    EXPECT_EQ (probe->ofKind ('u')[0].buttons & kLButton, kLButton);

    probe->mice.clear ();
    click (child, 50, 50, kAltKey, 3);
    ASSERT_EQ (probe->ofKind ('d').size (), 1u);
    EXPECT_EQ (probe->ofKind ('d')[0].buttons, kRButton | kAlt);

    // Moves while the button is held carry it; many quick moves are coalesced, never multiplied.
    probe->mice.clear ();
    drag (child, 100, 100, 100, 20, kNoModifier, 8);
    std::vector<ProbeView::Mouse> held;
    bool pressed = false;
    for (const auto& m : probe->mice)
    {
        pressed = (pressed || m.kind == 'd') && m.kind != 'u';
        if (pressed && m.kind == 'm')
            held.push_back (m);
    }
    ASSERT_GE (held.size (), 1u);
    EXPECT_LE (held.size (), 8u);
    for (const auto& m : held)
        EXPECT_EQ (m.buttons & kLButton, kLButton);
    EXPECT_EQ (held.back ().where, CPoint (100, 20));

    probe->mice.clear ();
    wheel (child, 60, 60, 2);
    wheel (child, 60, 60, -1, kShiftKey);
    const auto steps = probe->ofKind ('w');
    ASSERT_EQ (steps.size (), 3u);
    EXPECT_EQ (steps[0].distance, 1.f);
    EXPECT_EQ (steps[2].distance, -1.f);
    EXPECT_EQ (steps[2].buttons & kShift, kShift);

    // Two quick presses at one place make a double click.
    probe->mice.clear ();
    click (child, 70, 70);
    click (child, 70, 70);
    ASSERT_EQ (probe->ofKind ('d').size (), 2u);
    EXPECT_EQ (probe->mice.back ().kind, 'u');
    int doubles = 0;
    for (const auto& m : probe->mice)
        doubles += m.kind == 'd' && (m.buttons & kDoubleClick) != 0;
    EXPECT_EQ (doubles, 1);
}

TEST_F (X11Frame, AClickTakesTheKeyboardAndKeysFollowTheLayout)
{
    ASSERT_TRUE (openEmbedded ());
    const uint32_t child = embeddedWindow ();
    frame->setFocusView (probe);
    click (child, 20, 20);
    EXPECT_EQ (display->focusWindow (), child)
        << "embedded windows get no focus from a window manager";

    ASSERT_TRUE (display->typeText ("aB 7"));
    ASSERT_TRUE (display->tapKey (0xff0d));   // Return
    ASSERT_TRUE (display->tapKey (0xff51));   // Left
    ASSERT_TRUE (display->tapKey (0xff52));   // Up
    ASSERT_TRUE (display->tapKey ('a', kControlKey));   // Ctrl+A
    ASSERT_TRUE (pumpUntil ([&] { return probe->keys.size () >= 8; }));
    std::vector<int32_t> characters;
    for (const auto& key : probe->keys)
        characters.push_back (key.character);
    EXPECT_EQ (characters, (std::vector<int32_t> {'a', 'B', ' ', '7', 0, 0, 0, 'a'}));
    EXPECT_EQ (probe->keys[1].modifier, MODIFIER_SHIFT);
    EXPECT_EQ (probe->keys[2].virt, VKEY_SPACE);
    EXPECT_EQ (probe->keys[4].virt, VKEY_RETURN);
    EXPECT_EQ (probe->keys[5].virt, VKEY_LEFT);
    EXPECT_EQ (probe->keys[6].virt, VKEY_UP);
    EXPECT_EQ (probe->keys[7].modifier, MODIFIER_CONTROL);
}

TEST_F (X11Frame, APopupIsAGrabbingTopLevelThatSeesClicksOutsideAndMayCloseItself)
{
    ASSERT_TRUE (openEmbedded ());
    const uint32_t child = embeddedWindow ();

    // Opened from a press in the editor, as a menu is: the press's pointer hold is handed over.
    CFrame* popup = nullptr;
    ProbeView* item = nullptr;
    probe->onDown = [&] {
        popup = new CFrame (CRect (250, 120, 350, 200), nullptr);
        item = new ProbeView (CRect (0, 0, 100, 80), true);
        popup->addView (item);
        EXPECT_TRUE (popup->open (nullptr, PlatformType::kPopup, &config));
    };
    click (child, 10, 10);
    ASSERT_NE (popup, nullptr);
    probe->onDown = nullptr;
    const uint32_t popupWindow = popup->getPlatformFrame ()->getNativeWindowId ();
    ASSERT_TRUE (pumpUntil ([&] { return display->isViewable (popupWindow); }));
    EXPECT_EQ (display->popupWindows (), (std::vector<uint32_t> {popupWindow}));
    CPoint global;
    popup->getPlatformFrame ()->getGlobalPosition (global);
    EXPECT_EQ (global, CPoint (250, 120)) << "placed in root coordinates";
    EXPECT_TRUE (pumpUntil ([&] { return display->pointerGrabbedByOther (); }));

    // A press elsewhere arrives at the popup, outside its bounds; it may close from inside.
    CPoint outside;
    item->onDown = [&] {
        outside = item->mice.back ().where;
        popup->close ();
        popup = nullptr;
    };
    const size_t editorEvents = probe->mice.size ();
    click (child, 20, 20);
    EXPECT_EQ (outside, CPoint (20 - 250, 20 - 120)) << "the press outside went to the popup";
    EXPECT_EQ (probe->mice.size (), editorEvents) << "and not to the window under it";
    EXPECT_TRUE (display->popupWindows ().empty ());
    EXPECT_FALSE (display->pointerGrabbedByOther ());
    frame->close ();
    frame = nullptr;
    EXPECT_EQ (registrations (), 0);
}

TEST_F (X11Frame, APopupThatCannotGrabTellsItsOwnerAndCloses)
{
    ASSERT_TRUE (display->holdPointerGrab (true)) << "another application holds the pointer";
    auto* popup = new CFrame (CRect (10, 10, 110, 60), nullptr);
    bool focusLost = false;
    popup->setFocusLostCallback ([&] {
        focusLost = true;
        popup->close ();
    });
    ASSERT_TRUE (popup->open (nullptr, PlatformType::kPopup, &config));
    EXPECT_TRUE (pumpUntil ([&] { return focusLost; }, 3000));
    display->holdPointerGrab (false);
    EXPECT_TRUE (display->popupWindows ().empty ());
    EXPECT_EQ (registrations (), 0);
}

TEST_F (X11Frame, ALostDisplayConnectionClosesQuietly)
{
    ASSERT_TRUE (openEmbedded ());
    auto* popup = new CFrame (CRect (300, 10, 360, 60), nullptr);
    bool popupLost = false;
    popup->setFocusLostCallback ([&] { popupLost = true; });
    ASSERT_TRUE (popup->open (nullptr, PlatformType::kPopup, &config));
    ASSERT_TRUE (pumpUntil ([&] { return display->popupWindows ().size () == 1; }));

    display->killClientOf (embeddedWindow ());
    display->killClientOf (display->popupWindows ().front ());
    EXPECT_TRUE (pumpUntil ([&] { return registrations () == 0; }))
        << "nothing left on the run loop";
    EXPECT_TRUE (popupLost) << "a popup without its window tells its owner";
    probe->invalid ();
    frame->setViewSize (CRect (0, 0, 100, 100));
    pump (20);
    popup->close ();
    frame->close ();
    frame = nullptr;
    EXPECT_TRUE (hostWindow->childWindows ().empty ());
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The tree's rules, redraw coalescing, the modal view with a splash screen, and offscreen PNGs.
#include "GuiTestSupport.h"
#include "gui/CBitmap.h"
#include "gui/COffscreenContext.h"
#include "gui/CSplashScreen.h"
#include "gui/CTextLabel.h"
#include "Pixels.h"
#include <cstdio>
#include <gtest/gtest.h>
#include <string>

using namespace GuiTest;

namespace {

// Records the order of draws and mouse-downs; answers mouse-downs as told.
struct Probe : CView
{
    Probe (const CRect& r, std::string n, std::vector<std::string>& l, CMouseEventResult a)
    : CView (r), name (std::move (n)), log (l), answer (a)
    {}
    void draw (CDrawContext*) override { log.push_back ("draw " + name); }
    CMouseEventResult onMouseDown (CPoint& where, const CButtonState&) override
    {
        log.push_back ("down " + name + " " + std::to_string (int (where.x)) + ","
                       + std::to_string (int (where.y)));
        return answer;
    }
    std::string name;
    std::vector<std::string>& log;
    CMouseEventResult answer;
};

std::string tempPng (const char* name)
{
    return ::testing::TempDir () + name;
}

}   // namespace

TEST (ViewTree, DrawsInInsertionOrderAndSendsEventsTopmostFirstInLocalCoordinates)
{
    OffscreenFrame frame;
    std::vector<std::string> log;
    auto* box = new CViewContainer (CRect (10, 10, 110, 110));
    box->addView (new Probe (CRect (0, 0, 50, 50), "lower", log, kMouseEventHandled));
    auto* upper = new Probe (CRect (20, 20, 70, 70), "upper", log, kMouseEventNotHandled);
    upper->setTransparency (true);
    box->addView (upper);
    frame->addView (box);

    auto context = COffscreenContext::create (200, 150);
    frame->drawDirtyRects (context);
    EXPECT_EQ (log, (std::vector<std::string> {"draw lower", "draw upper"}));

    log.clear ();
    frame.down (40, 40);   // both are hit; the upper declines, the lower takes it
    EXPECT_EQ (log, (std::vector<std::string> {"down upper 30,30", "down lower 30,30"}));
    log.clear ();
    upper->setTransparency (false);   // an opaque view that declines still stops the press
    frame.down (40, 40);
    EXPECT_EQ (log, (std::vector<std::string> {"down upper 30,30"}));
    log.clear ();
    frame.down (75, 75);   // only the upper one
    EXPECT_EQ (log, (std::vector<std::string> {"down upper 65,65"}));

    // Removing without forget hands the reference back; the view outlives the container.
    CView* lower = box->getView (0);
    EXPECT_TRUE (box->removeView (lower, false));
    EXPECT_EQ (lower->getNbReference (), 1);
    EXPECT_EQ (lower->getParentView (), nullptr);
    EXPECT_EQ (box->getNbViews (), 1);
    lower->forget ();
}

TEST (ViewTree, RedrawRequestsAreClippedMergedAndDrawnOnce)
{
    OffscreenFrame frame;
    auto* box = new CViewContainer (CRect (100, 50, 150, 100));
    auto* label = new CTextLabel (CRect (10, 10, 30, 20), "x");
    box->addView (label);
    frame->addView (box);
    auto context = COffscreenContext::create (200, 150);
    frame->drawDirtyRects (context);
    ASSERT_TRUE (frame->getDirtyRects ().empty ());

    label->invalid ();   // child coordinates moved into the frame's
    EXPECT_EQ (frame->getDirtyRects (), (std::vector<CRect> {CRect (110, 60, 130, 70)}));
    frame->invalidRect (CRect (120, 65, 140, 80));   // overlaps: merged
    frame->invalidRect (CRect (112, 62, 118, 68));   // inside: nothing new
    frame->invalidRect (CRect (0.5, 0.5, 5.2, 4));   // kept apart, grown to whole pixels
    frame->invalidRect (CRect (190, 140, 260, 400));   // clipped to the frame
    frame->invalidRect (CRect (300, 300, 400, 400));   // outside: dropped
    EXPECT_EQ (frame->getDirtyRects (),
               (std::vector<CRect> {CRect (110, 60, 140, 80), CRect (0, 0, 6, 4),
                                    CRect (190, 140, 200, 150)}));
    EXPECT_EQ (frame->drawDirtyRects (context), 3);
    EXPECT_TRUE (frame->getDirtyRects ().empty ());
    label->setText ("x");   // unchanged: no request
    EXPECT_TRUE (frame->getDirtyRects ().empty ());

    // A view that asks to be drawn again while it is being drawn is drawn again.
    struct Blinker : CView
    {
        using CView::CView;
        void draw (CDrawContext*) override
        {
            if (++draws == 1)
                invalid ();
        }
        int draws {0};
    };
    auto* blinker = new Blinker (CRect (0, 100, 20, 120));
    frame->addView (blinker);
    frame->drawDirtyRects (context);
    EXPECT_EQ (frame->getDirtyRects (), (std::vector<CRect> {CRect (0, 100, 20, 120)}));
}

TEST (ViewTree, SplashScreenShowsItsViewModallyUntilTheViewReports)
{
    OffscreenFrame frame;
    Recorder editor;
    std::vector<std::string> log;
    auto* below = new Probe (CRect (0, 0, 200, 150), "below", log, kMouseEventHandled);
    frame->addView (below);
    auto* about = new CControl (CRect (0, 0, 180, 140));
    auto splash = owned (new CSplashScreen (CRect (0, 0, 10, 10), &editor, 19, about));
    about->setListener (splash);

    EXPECT_TRUE (frame->setModalView (about));
    CPoint corner;
    splash->onMouseDown (corner, CButtonState (kLButton));
    EXPECT_EQ (editor.values, (std::vector<float> {1.f}));
    auto second = owned (new CView (CRect (0, 0, 5, 5)));
    EXPECT_FALSE (frame->setModalView (second));   // one modal view at a time

    frame.down (190, 145);   // outside the modal view: nobody gets it
    frame.down (20, 20);   // inside: the modal view only
    EXPECT_TRUE (log.empty ());

    about->valueChanged ();   // the view reports to the splash screen
    EXPECT_EQ (frame->getModalView (), nullptr);
    EXPECT_EQ (about->getParentView (), nullptr);
    EXPECT_EQ (editor.values, (std::vector<float> {1.f, 0.f}));
    frame.down (20, 20);
    EXPECT_EQ (log, (std::vector<std::string> {"down below 20,20"}));
    about->forget ();
}

TEST (Offscreen, FramePngDecodesAtItsSizeAndScaleWithTheDrawnPixels)
{
    OffscreenFrame frame (64, 48);
    frame->setBackgroundColor (CColor (0, 0, 255));
    auto* label = new CTextLabel (CRect (8, 8, 56, 24), "Gain");
    label->setBackColor (CColor (255, 0, 0));
    frame->addView (label);

    const std::string path = tempPng ("gui-frame.png");
    ASSERT_TRUE (frame->renderToPNG (path));
    auto picture = CBitmap::fromPngFile (path);
    ASSERT_TRUE (picture);
    EXPECT_EQ (picture->getWidth (), 64);
    EXPECT_EQ (picture->getHeight (), 48);

    EXPECT_EQ (pixelAt (picture->getPlatformBitmap (), 2, 2), 0xFF0000FFu);   // frame colour
    EXPECT_EQ (pixelAt (picture->getPlatformBitmap (), 8, 8), 0xFF000000u);   // label's frame
    EXPECT_EQ (pixelAt (picture->getPlatformBitmap (), 10, 21), 0xFFFF0000u);   // label's back

    const std::string doubled = tempPng ("gui-frame-2x.png");
    ASSERT_TRUE (frame->renderToPNG (doubled, CRect (8, 8, 40, 40), 2.));
    auto part = IPlatformBitmap::createFromPngFile (doubled);
    ASSERT_TRUE (part);
    EXPECT_EQ (part->getSize (), CPoint (64, 64));
    EXPECT_EQ (pixelAt (part, 1, 1), 0xFF000000u);   // the label's one-unit frame, two pixels
    EXPECT_EQ (pixelAt (part, 4, 26), 0xFFFF0000u);
    EXPECT_EQ (pixelAt (part, 40, 40), 0xFF0000FFu);   // (28, 28): below the label
    std::remove (path.c_str ());
    std::remove (doubled.c_str ());
    EXPECT_FALSE (CBitmap::fromPngFile (path));
}

TEST (Offscreen, AWindowLargerThanTheFrameHasNoUnpaintedPixel)
{
    // A host's container 392 wide around a 180-wide view whose background is see-through.
    OffscreenFrame frame (180, 300);
    frame->setTransparency (true);
    frame->setBackgroundColor (CColor (40, 40, 40));
    frame->addView (new CTextLabel (CRect (10, 10, 60, 30), "x"));
    auto context = COffscreenContext::create (392, 320);
    frame->platformDrawRect (context, CRect (0, 0, 392, 320));
    context->endDraw ();
    IPlatformBitmap* pixels = context->getBitmap ()->getPlatformBitmap ();
    int unpainted = 0;
    for (int y = 0; y < 320; ++y)
        for (int x = 180; x < 392; ++x)
            unpainted += (pixelAt (pixels, x, y) >> 24) != 0xFF;
    EXPECT_EQ (unpainted, 0);
    EXPECT_EQ (pixelAt (pixels, 300, 310), 0xFF282828u);   // the frame's colour, opaque
}

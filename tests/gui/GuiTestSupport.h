// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An offscreen frame and a listener that records what controls tell it.
#include "gui/CControl.h"
#include "gui/CFrame.h"
#include <vector>

namespace GuiTest {

using namespace VSTGUI;

struct Recorder : CControlListener
{
    int begins {0};
    int ends {0};
    std::vector<float> values;   // normalised value at each valueChanged

    void valueChanged (CControl* c) override { values.push_back (c->getValueNormalized ()); }
    void controlBeginEdit (CControl*) override { ++begins; }
    void controlEndEdit (CControl*) override { ++ends; }
};

// A frame with no window; forget () in the destructor releases it and its views.
struct OffscreenFrame
{
    explicit OffscreenFrame (CCoord w = 200, CCoord h = 150)
    : frame (new CFrame (CRect (0, 0, w, h), nullptr))
    {}
    ~OffscreenFrame () { frame->forget (); }
    CFrame* operator->() const { return frame; }

    CMouseEventResult down (CCoord x, CCoord y, int32_t buttons = kLButton)
    {
        CPoint p (x, y);
        return frame->onMouseDown (p, CButtonState (buttons));
    }
    CMouseEventResult move (CCoord x, CCoord y, int32_t buttons = kLButton)
    {
        CPoint p (x, y);
        return frame->onMouseMoved (p, CButtonState (buttons));
    }
    CMouseEventResult up (CCoord x, CCoord y, int32_t buttons = kLButton)
    {
        CPoint p (x, y);
        return frame->onMouseUp (p, CButtonState (buttons));
    }
    int32_t key (uint8_t virt, int32_t character = 0, uint8_t modifier = 0)
    {
        VstKeyCode k;
        k.virt = virt;
        k.character = character;
        k.modifier = modifier;
        return frame->onKeyDown (k);
    }

    CFrame* frame;
};

}   // namespace GuiTest

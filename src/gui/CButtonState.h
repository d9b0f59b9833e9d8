// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Mouse buttons and modifier keys of one event, and what a view answers to a mouse event.
#include <cstdint>

namespace VSTGUI {

enum CButton : int32_t
{
    kLButton = 1 << 1,
    kMButton = 1 << 2,
    kRButton = 1 << 3,
    kDoubleClick = 1 << 4,
    kButton4 = 1 << 5,
    kButton5 = 1 << 6,
    kShift = 1 << 8,
    kControl = 1 << 9,
    kAlt = 1 << 10,
    kApple = 1 << 11,
};

// Ctrl-click (left button with Control alone) returns a control to its default value.
inline constexpr int32_t kDefaultValueModifier = kControl;
// Shift makes drags and wheel steps finer.
inline constexpr int32_t kZoomModifier = kShift;

enum CMouseEventResult
{
    kMouseEventNotImplemented = 0,
    kMouseEventHandled = 1,
    kMouseEventNotHandled = 2,
    kMouseDownEventHandledButDontNeedMovedOrUpEvents = 3,
    kMouseMoveEventHandledButDontNeedMoreEvents = 4,
};

class CButtonState
{
public:
    constexpr CButtonState (int32_t s = 0) : state (s) {}

    int32_t getButtonState () const
    {
        return state & (kLButton | kMButton | kRButton | kButton4 | kButton5);
    }
    int32_t getModifierState () const { return state & (kShift | kControl | kAlt | kApple); }
    bool isLeftButton () const { return (state & kLButton) != 0; }
    bool isRightButton () const { return (state & kRButton) != 0; }
    bool isDoubleClick () const { return (state & kDoubleClick) != 0; }

    int32_t operator() () const { return state; }
    int32_t operator& (int32_t mask) const { return state & mask; }
    CButtonState& operator|= (int32_t bits)
    {
        state |= bits;
        return *this;
    }
    bool operator== (const CButtonState& o) const { return state == o.state; }
    bool operator!= (const CButtonState& o) const { return state != o.state; }

private:
    int32_t state;
};

}   // namespace VSTGUI

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sees a press in a frame before its views do; a handled result keeps it from them (a context
// menu on the window's background, for one).
#include "CButtonState.h"
#include "CPoint.h"

namespace VSTGUI {

class CFrame;

class IMouseObserver
{
public:
    virtual ~IMouseObserver () = default;
    // where is in frame coordinates.
    virtual CMouseEventResult onMouseDown (CFrame* frame, const CPoint& where,
                                           const CButtonState& buttons) = 0;
};

}   // namespace VSTGUI

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The control set's tag map: one reference on each control it stores, by tag.
#include "gui/CControl.h"
#include <cstdint>
#include <functional>
#include <map>

class CMVXCtrlSetInterface
{
public:
    CMVXCtrlSetInterface () = default;
    CMVXCtrlSetInterface (const CMVXCtrlSetInterface&) = delete;
    CMVXCtrlSetInterface& operator= (const CMVXCtrlSetInterface&) = delete;
    virtual ~CMVXCtrlSetInterface ();

    // Stores control under tag, remembering it; a control stored there before is forgotten.
    void addControl (int32_t tag, VSTGUI::CControl* control);
    // Null when no control has that tag.
    VSTGUI::CControl* getControl (int32_t tag) const;
    // Every stored control, in ascending tag order.
    void forEachControl (
        const std::function<void (int32_t tag, VSTGUI::CControl* control)>& visit) const;

private:
    std::map<int32_t, VSTGUI::CControl*> controls;
};

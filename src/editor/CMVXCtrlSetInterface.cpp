// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/CMVXCtrlSetInterface.h"

CMVXCtrlSetInterface::~CMVXCtrlSetInterface ()
{
    for (auto& entry : controls)
        entry.second->forget ();
}

void CMVXCtrlSetInterface::addControl (int32_t tag, VSTGUI::CControl* control)
{
    if (control == nullptr)
        return;
    control->remember ();
    auto found = controls.find (tag);
    if (found != controls.end ())
    {
        found->second->forget ();
        found->second = control;
    }
    else
        controls.emplace (tag, control);
}

VSTGUI::CControl* CMVXCtrlSetInterface::getControl (int32_t tag) const
{
    auto found = controls.find (tag);
    return found != controls.end () ? found->second : nullptr;
}

void CMVXCtrlSetInterface::forEachControl (
    const std::function<void (int32_t tag, VSTGUI::CControl* control)>& visit) const
{
    for (const auto& entry : controls)
        visit (entry.first, entry.second);
}

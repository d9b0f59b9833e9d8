// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A host's key event (IPlugView::onKeyDown/onKeyUp) as the widget layer's VstKeyCode.
#include "gui/VstKeyCode.h"
#include "pluginterfaces/base/ftypes.h"

namespace Steinberg {
namespace Vst {

// The host's virtual key numbers and modifier bits (IPlugView key events).
enum HostVirtualKey : int16
{
    kHostKeyBack = 1,
    kHostKeyReturn = 4,
    kHostKeyEscape = 6,
    kHostKeyEnd = 9,
    kHostKeyHome = 10,
    kHostKeyLeft = 11,
    kHostKeyUp = 12,
    kHostKeyRight = 13,
    kHostKeyDown = 14,
    kHostKeyEnter = 19,
    kHostKeyDelete = 22,
};

enum HostKeyModifier : int16
{
    kHostShift = 1 << 0,
    kHostAlternate = 1 << 1,
    kHostCommand = 1 << 2,
    kHostControl = 1 << 3,
};

inline VSTGUI::VstKeyCode toVstKeyCode (char16 key, int16 keyMsg, int16 modifiers)
{
    VSTGUI::VstKeyCode code {};
    code.character = static_cast<int32_t> (key);
    switch (keyMsg)
    {
        case kHostKeyBack: code.virt = VSTGUI::VKEY_BACK; break;
        case kHostKeyReturn:
        case kHostKeyEnter: code.virt = VSTGUI::VKEY_RETURN; break;
        case kHostKeyEscape: code.virt = VSTGUI::VKEY_ESCAPE; break;
        case kHostKeyEnd: code.virt = VSTGUI::VKEY_END; break;
        case kHostKeyHome: code.virt = VSTGUI::VKEY_HOME; break;
        case kHostKeyLeft: code.virt = VSTGUI::VKEY_LEFT; break;
        case kHostKeyUp: code.virt = VSTGUI::VKEY_UP; break;
        case kHostKeyRight: code.virt = VSTGUI::VKEY_RIGHT; break;
        case kHostKeyDown: code.virt = VSTGUI::VKEY_DOWN; break;
        case kHostKeyDelete: code.virt = VSTGUI::VKEY_DELETE; break;
        default: break;
    }
    if (code.virt != 0)
        code.character = 0;
    if (modifiers & kHostShift)
        code.modifier |= VSTGUI::MODIFIER_SHIFT;
    if (modifiers & kHostAlternate)
        code.modifier |= VSTGUI::MODIFIER_ALTERNATE;
    if (modifiers & (kHostControl | kHostCommand))
        code.modifier |= VSTGUI::MODIFIER_CONTROL;
    return code;
}

}   // namespace Vst
}   // namespace Steinberg

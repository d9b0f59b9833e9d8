// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pedal editors' bitmap store and layout table, shared by every editor of the process.
#include "editor/CMVXGUIContainerInterface.h"
#include "resources/BitmapList.h"

// Layout keys: the top-left corners of the controls (key 6 is a full rectangle).
enum CMVXStravelLayoutKey : int32_t
{
    kLayoutFootswitch = 0,
    kLayoutLamp = 1,
    kLayoutInfoMenu = 2,
    kLayoutSaveMenu = 3,
    kLayoutPresetMenu = 4,
    kLayoutNamePanel = 5,
    kLayoutNameField = 6,
    kLayoutAcceptButton = 7,
    kLayoutSpareButton = 8,   // in the name panel's row of buttons, outside the window; unused
    kLayoutModelMenu = 9,
    kLayoutRowOf4Knob1 = 10,   // a row of four knobs
    kLayoutRowOf4Knob2 = 11,
    kLayoutRowOf4Knob3 = 12,
    kLayoutRowOf4Knob4 = 13,
    kLayoutRowOf3Knob1 = 14,   // a row of three knobs
    kLayoutRowOf3Knob2 = 15,
    kLayoutRowOf3Knob3 = 16,
};

// Key kLayoutFootswitch: where the round footswitch sits.
constexpr CMVXLayoutRect kFootswitchCorner = {67, 167, 0, 0};

class CMVXStravelGUIContainer : public CMVXGUIContainerInterface
{
public:
    explicit CMVXStravelGUIContainer (int32_t variant = 0);
    void loadBitmaps () override;

private:
    int32_t variant;
};

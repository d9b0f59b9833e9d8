// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The open popup of a COptionMenu: one popup frame per menu level (the menu, then each open
// submenu beside its entry), kept inside the monitor's work area, with the highlight, mouse
// routing between levels by root coordinates, and the keys: arrows, Home, End, PageUp,
// PageDown, Return, Escape, and typed letters, which go to the next entry starting with them.
// Owned by the menu while open.
#include "CRect.h"
#include "PopupPlacement.h"
#include "SharedPointer.h"
#include "VstKeyCode.h"
#include <chrono>
#include <string>
#include <vector>

namespace VSTGUI {

class CFrame;
class COptionMenu;
class OptionMenuPopupView;

class OptionMenuPopup
{
public:
    explicit OptionMenuPopup (COptionMenu& owner);
    ~OptionMenuPopup ();

    bool open ();
    // Closes every level without a choice.
    void close ();
    bool isOpen () const { return !levels.empty (); }
    CFrame* getFrame (size_t level) const;

    // From the level views; points are in that level's frame coordinates.
    void onPointerMoved (size_t level, const CPoint& where);
    void onPointerDown (size_t level, const CPoint& where);
    bool onKey (VstKeyCode& key);
    void onFocusLost (size_t level);

private:
    struct Level
    {
        SharedPointer<CFrame> frame;
        OptionMenuPopupView* view;
        COptionMenu* menu;
        CRect rootRect;
    };

    // anchor: the owner control (kBelow) or a submenu's row (kRight), in root units.
    bool openLevel (COptionMenu* menu, const CRect& anchor, PopupSide side, int32_t highlight);
    void closeLevelsFrom (size_t level);
    // The level whose window holds a root point, or levels.size () for none.
    size_t levelAt (const CPoint& root) const;
    void highlight (size_t level, int32_t row, bool openSubmenu);
    void openSubmenuOf (size_t level, int32_t row, bool highlightFirst);
    void choose (size_t level, int32_t row);
    int32_t nextSelectable (size_t level, int32_t from, int32_t step) const;
    // The selectable entry from, or the nearest one in direction step, else the other way.
    int32_t selectableNear (size_t level, int32_t from, int32_t step) const;
    bool typeAhead (size_t level, int32_t character);

    COptionMenu& owner;
    std::vector<Level> levels;
    CRect workArea;   // root units; empty when unknown
    std::string typed;
    std::chrono::steady_clock::time_point lastTyped;
};

}   // namespace VSTGUI

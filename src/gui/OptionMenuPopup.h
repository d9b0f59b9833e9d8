// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The open popup of a COptionMenu: one popup frame per menu level (the menu, then each open
// submenu beside its entry), with the highlight, mouse routing between levels by root
// coordinates, and the keys. Owned by the menu while open.
#include "CRect.h"
#include "SharedPointer.h"
#include "VstKeyCode.h"
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

    bool openLevel (COptionMenu* menu, const CPoint& rootTopLeft, int32_t highlight);
    void closeLevelsFrom (size_t level);
    // The level whose window holds a root point, or levels.size () for none.
    size_t levelAt (const CPoint& root) const;
    void highlight (size_t level, int32_t row, bool openSubmenu);
    void openSubmenuOf (size_t level, int32_t row, bool highlightFirst);
    void choose (size_t level, int32_t row);
    int32_t nextSelectable (size_t level, int32_t from, int32_t step) const;

    COptionMenu& owner;
    std::vector<Level> levels;
};

} // namespace VSTGUI

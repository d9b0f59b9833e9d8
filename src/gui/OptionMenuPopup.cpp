// SPDX-License-Identifier: GPL-3.0-or-later
#include "OptionMenuPopup.h"
#include "CFrame.h"
#include "COptionMenu.h"
#include "OptionMenuPopupView.h"

namespace VSTGUI {

OptionMenuPopup::OptionMenuPopup (COptionMenu& o) : owner (o) {}

OptionMenuPopup::~OptionMenuPopup ()
{
    close ();
}

CFrame* OptionMenuPopup::getFrame (size_t level) const
{
    return level < levels.size () ? levels[level].frame.get () : nullptr;
}

bool OptionMenuPopup::open ()
{
    CFrame* ownerFrame = owner.getFrame ();
    CPoint below (owner.getViewSize ().left, owner.getViewSize ().bottom);
    owner.localToFrame (below);
    // Levels keep their rectangles in root pixels over the owner's zoom, so the popup's own
    // coordinates and the root's differ by an offset only.
    if (ownerFrame)
    {
        ownerFrame->localToScreen (below);
        below = CPoint (below.x / ownerFrame->getZoom (), below.y / ownerFrame->getZoom ());
    }
    return openLevel (&owner, below, owner.getCurrentIndex (true));
}

bool OptionMenuPopup::openLevel (COptionMenu* menu, const CPoint& rootTopLeft, int32_t highlighted)
{
    const size_t level = levels.size ();
    const CCoord minWidth = level == 0 ? owner.getWidth () : 0;
    // Only the owner's own list marks its current entry; a submenu's entries carry their flags.
    const bool checkCurrent = level == 0 && (owner.getStyle () & kCheckStyle) != 0;
    auto* view =
        new OptionMenuPopupView (*this, level, menu, owner.getFont (), checkCurrent, minWidth);
    const CRect rootRect (rootTopLeft, view->getViewSize ().getSize ());
    SharedPointer<CFrame> frame = owned (new CFrame (rootRect, nullptr));
    if (CFrame* ownerFrame = owner.getFrame ())
        frame->setZoom (ownerFrame->getZoom ());
    frame->addView (view);
    frame->setFocusView (view);
    frame->setFocusLostCallback ([this, level] { onFocusLost (level); });
    if (CMenuItem* item = menu->getEntry (highlighted); item && item->isSelectable ())
        view->setHighlight (highlighted);

    // Offscreen owners get offscreen popups; windowed owners need a window or nothing.
    CFrame* ownerFrame = owner.getFrame ();
    if (ownerFrame && ownerFrame->getPlatformFrame () && !frame->openPopup (*ownerFrame))
    {
        frame->removeAll ();
        return false;
    }
    levels.push_back ({frame, view, menu, rootRect});
    return true;
}

void OptionMenuPopup::closeLevelsFrom (size_t level)
{
    while (levels.size () > level)
    {
        // Popped first so nothing reached from inside the teardown sees a half-closed level.
        Level closing = levels.back ();
        levels.pop_back ();
        closing.frame->setFocusLostCallback (nullptr);
        closing.frame->removeAll ();
    }
    if (level > 0 && level - 1 < levels.size ())
        levels[level - 1].frame->setFocusView (levels[level - 1].view);
}

void OptionMenuPopup::close ()
{
    closeLevelsFrom (0);
}

size_t OptionMenuPopup::levelAt (const CPoint& root) const
{
    for (size_t i = levels.size (); i-- > 0;)
        if (levels[i].rootRect.pointInside (root))
            return i;
    return levels.size ();
}

int32_t OptionMenuPopup::nextSelectable (size_t level, int32_t from, int32_t step) const
{
    COptionMenu* menu = levels[level].menu;
    for (int32_t i = from + step; i >= 0 && i < menu->getNbEntries (); i += step)
        if (menu->getEntry (i)->isSelectable ())
            return i;
    return -1;
}

void OptionMenuPopup::highlight (size_t level, int32_t row, bool openSubmenu)
{
    levels[level].view->setHighlight (row);
    if (levels.size () > level + 1
        && levels[level + 1].menu != levels[level].menu->getSubMenu (row))
        closeLevelsFrom (level + 1);
    if (openSubmenu && levels.size () == level + 1 && levels[level].menu->getSubMenu (row))
        openSubmenuOf (level, row, false);
}

void OptionMenuPopup::openSubmenuOf (size_t level, int32_t row, bool highlightFirst)
{
    COptionMenu* submenu = levels[level].menu->getSubMenu (row);
    if (!submenu || submenu->getNbEntries () == 0)
        return;
    if (levels.size () > level + 1)
        closeLevelsFrom (level + 1);
    const CRect rowRect = levels[level].view->rowRect (row);
    const CPoint beside (levels[level].rootRect.right - 1,
                         levels[level].rootRect.top + rowRect.top - OptionMenuPopupView::kBorder);
    const int32_t first = highlightFirst ? 0 : -1;
    if (!openLevel (submenu, beside, first))
        return;
    if (highlightFirst && !submenu->getEntry (0)->isSelectable ())
        levels.back ().view->setHighlight (nextSelectable (levels.size () - 1, 0, 1));
}

void OptionMenuPopup::choose (size_t level, int32_t row)
{
    COptionMenu* menu = levels[level].menu;
    // The owner closes this session (and so deletes this object) before it tells its listener.
    owner.applyPopupResult (menu, row);
}

void OptionMenuPopup::onPointerMoved (size_t level, const CPoint& where)
{
    if (level >= levels.size ())
        return;
    const CPoint root = where + levels[level].rootRect.getTopLeft ();
    const size_t target = levelAt (root);
    if (target == levels.size ())
        return;
    const CPoint local = root - levels[target].rootRect.getTopLeft ();
    const int32_t row = levels[target].view->rowAt (local);
    CMenuItem* item = levels[target].menu->getEntry (row);
    if (item && item->isSelectable ())
        highlight (target, row, true);
}

void OptionMenuPopup::onPointerDown (size_t level, const CPoint& where)
{
    if (level >= levels.size ())
        return;
    const CPoint root = where + levels[level].rootRect.getTopLeft ();
    const size_t target = levelAt (root);
    if (target == levels.size ())
    {
        owner.closePopup ();
        return;
    }
    const CPoint local = root - levels[target].rootRect.getTopLeft ();
    const int32_t row = levels[target].view->rowAt (local);
    CMenuItem* item = levels[target].menu->getEntry (row);
    if (!item || !item->isSelectable ())
        return;
    if (item->getSubmenu ())
    {
        highlight (target, row, false);
        openSubmenuOf (target, row, false);
        return;
    }
    choose (target, row);
}

bool OptionMenuPopup::onKey (VstKeyCode& key)
{
    if (levels.empty ())
        return false;
    const size_t level = levels.size () - 1;
    const int32_t current = levels[level].view->getHighlight ();
    COptionMenu* menu = levels[level].menu;
    switch (key.virt)
    {
        case VKEY_DOWN:
        case VKEY_UP:
        {
            const int32_t next = nextSelectable (level, current, key.virt == VKEY_DOWN ? 1 : -1);
            if (next >= 0)
                highlight (level, next, false);
            return true;
        }
        case VKEY_RIGHT:
            if (menu->getSubMenu (current))
                openSubmenuOf (level, current, true);
            return true;
        case VKEY_LEFT:
            if (level > 0)
                closeLevelsFrom (level);
            return true;
        case VKEY_RETURN:
        case VKEY_ENTER:
        case VKEY_SPACE:
            if (current < 0)
                return true;
            if (menu->getSubMenu (current))
                openSubmenuOf (level, current, true);
            else
                choose (level, current);
            return true;
        case VKEY_ESCAPE:
            owner.closePopup ();
            return true;
        default:
            // The popup has the keyboard while open: nothing leaks to the window behind.
            return true;
    }
}

void OptionMenuPopup::onFocusLost (size_t level)
{
    // A submenu taking the grab from its parent is not a reason to close.
    if (level + 1 == levels.size ())
        owner.closePopup ();
}

} // namespace VSTGUI

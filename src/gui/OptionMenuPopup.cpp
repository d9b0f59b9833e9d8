// SPDX-License-Identifier: GPL-3.0-or-later
#include "OptionMenuPopup.h"
#include "CFrame.h"
#include "COptionMenu.h"
#include "OptionMenuPopupView.h"
#include "Utf8.h"
#include <algorithm>
#include <cctype>

namespace VSTGUI {

OptionMenuPopup::OptionMenuPopup (COptionMenu& o) : owner (o)
{}

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
    CPoint topLeft = owner.getViewSize ().getTopLeft ();
    CPoint bottomRight = owner.getViewSize ().getBottomRight ();
    owner.localToFrame (topLeft);
    owner.localToFrame (bottomRight);
    // Levels keep their rectangles in root pixels over the owner's zoom, so the popup's own
    // coordinates and the root's differ by an offset only.
    workArea = CRect ();
    if (ownerFrame)
    {
        const double zoom = ownerFrame->getZoom ();
        ownerFrame->localToScreen (topLeft);
        ownerFrame->localToScreen (bottomRight);
        CRect area;
        if (ownerFrame->getWorkArea (topLeft, area))
            workArea =
                CRect (area.left / zoom, area.top / zoom, area.right / zoom, area.bottom / zoom);
        topLeft = CPoint (topLeft.x / zoom, topLeft.y / zoom);
        bottomRight = CPoint (bottomRight.x / zoom, bottomRight.y / zoom);
    }
    return openLevel (&owner, CRect (topLeft.x, topLeft.y, bottomRight.x, bottomRight.y),
                      PopupSide::kBelow, owner.getCurrentIndex (true));
}

bool OptionMenuPopup::openLevel (COptionMenu* menu, const CRect& anchor, PopupSide side,
                                 int32_t highlighted)
{
    const size_t level = levels.size ();
    const CCoord minWidth = level == 0 ? owner.getWidth () : 0;
    // Only the owner's own list marks its current entry; a submenu's entries carry their flags.
    const bool checkCurrent = level == 0 && (owner.getStyle () & kCheckStyle) != 0;
    auto* view =
        new OptionMenuPopupView (*this, level, menu, owner.getFont (), checkCurrent, minWidth);
    const PopupPlacement placed =
        placePopup (anchor, view->getViewSize ().getSize (), workArea, side);
    view->setViewSize (CRect (CPoint (), CPoint (placed.rect.getWidth (), view->getHeight ())));
    view->setVisibleHeight (placed.rect.getHeight ());
    const CRect rootRect = placed.rect;
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
    // Beside the row, overlapping this level's border, its first row level with this one.
    const CRect& parent = levels[level].rootRect;
    const CRect rowRect = levels[level].view->rowRect (row);
    const CRect anchor (parent.left + 1, parent.top + rowRect.top - OptionMenuPopupView::kBorder,
                        parent.right - 1, parent.top + rowRect.bottom);
    const int32_t first = highlightFirst ? 0 : -1;
    if (!openLevel (submenu, anchor, PopupSide::kRight, first))
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
        case VKEY_UP: {
            const int32_t next = nextSelectable (level, current, key.virt == VKEY_DOWN ? 1 : -1);
            if (next >= 0)
                highlight (level, next, false);
            return true;
        }
        case VKEY_HOME:
        case VKEY_END: {
            const bool home = key.virt == VKEY_HOME;
            const int32_t next =
                selectableNear (level, home ? 0 : menu->getNbEntries () - 1, home ? 1 : -1);
            if (next >= 0)
                highlight (level, next, false);
            return true;
        }
        case VKEY_PAGEUP:
        case VKEY_PAGEDOWN: {
            const int32_t step = key.virt == VKEY_PAGEDOWN ? 1 : -1;
            const int32_t page = levels[level].view->rowsPerPage ();
            const int32_t target = std::max (
                0, std::min (menu->getNbEntries () - 1, std::max (current, 0) + step * page));
            const int32_t next = selectableNear (level, target, step);
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
        case VKEY_ESCAPE: owner.closePopup (); return true;
        case 0:
            if (key.character > 0x20 && !(key.modifier & (MODIFIER_CONTROL | MODIFIER_ALTERNATE)))
                typeAhead (level, key.character);
            return true;
        default:
            // The popup has the keyboard while open: nothing leaks to the window behind.
            return true;
    }
}

int32_t OptionMenuPopup::selectableNear (size_t level, int32_t from, int32_t step) const
{
    if (CMenuItem* item = levels[level].menu->getEntry (from); item && item->isSelectable ())
        return from;
    const int32_t next = nextSelectable (level, from, step);
    return next >= 0 ? next : nextSelectable (level, from, -step);
}

bool OptionMenuPopup::typeAhead (size_t level, int32_t character)
{
    // Letters typed in quick succession make a prefix; the same letter again steps on through
    // the entries that start with it.
    const auto now = std::chrono::steady_clock::now ();
    if (now - lastTyped > std::chrono::milliseconds (1000))
        typed.clear ();
    lastTyped = now;
    const auto lower = [] (std::string text) {
        for (char& c : text)
            c = static_cast<char> (std::tolower (static_cast<unsigned char> (c)));
        return text;
    };
    const std::string letter = lower (Utf8::encode (character));
    const bool repeat = !typed.empty () && typed == letter;
    if (!repeat)
        typed += letter;
    COptionMenu* menu = levels[level].menu;
    const int32_t count = menu->getNbEntries ();
    const int32_t current = levels[level].view->getHighlight ();
    const auto find = [&] (int32_t start) {
        for (int32_t k = 0; k < count; ++k)
        {
            const int32_t i = ((start + k) % count + count) % count;
            CMenuItem* item = menu->getEntry (i);
            if (item->isSelectable ()
                && lower (item->getTitle ()).compare (0, typed.size (), typed) == 0)
                return i;
        }
        return -1;
    };
    // A longer prefix may still match the entry already highlighted; a first or repeated
    // letter moves on; a prefix that matches nothing starts again from the new letter.
    int32_t found = typed.size () > letter.size () ? find (std::max (current, 0)) : -1;
    if (found < 0)
    {
        typed = letter;
        found = find (current + 1);
    }
    if (found >= 0)
        highlight (level, found, false);
    return found >= 0;
}

void OptionMenuPopup::onFocusLost (size_t level)
{
    // A submenu taking the grab from its parent is not a reason to close.
    if (level + 1 == levels.size ())
        owner.closePopup ();
}

}   // namespace VSTGUI

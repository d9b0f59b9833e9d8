// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A menu control: a list of CMenuItems (titles, separators, disabled entries, submenus) whose
// value is the current entry's index (separators included; max = entries - 1). A click opens a
// popup window of its own below the control, in root coordinates, so it may extend past the
// editor; when the owner frame has no window the popup stays offscreen (tests snapshot it).
// The popup opens with the current entry highlighted and works with the mouse (hover, click,
// submenus beside their entry) and the keys Up, Down, Right, Left, Return and Escape. Choosing
// an entry makes it current in its menu and tells this menu's listener (beginEdit,
// valueChanged, endEdit); Escape or a click outside closes with no change.
#include "CMenuItem.h"
#include "CParamDisplay.h"
#include <memory>
#include <vector>

namespace VSTGUI {

class CFrame;
class OptionMenuPopup;

class COptionMenu : public CParamDisplay
{
public:
    COptionMenu (const CRect& size, CControlListener* listener, int32_t tag,
                 CBitmap* background = nullptr, CBitmap* bgWhenClick = nullptr, int32_t style = 0);
    // A menu that is only ever a submenu.
    COptionMenu ();
    ~COptionMenu () override;

    // Adopts the item's reference; index -1 (or past the end) appends. Returns the item.
    CMenuItem* addEntry (CMenuItem* item, int32_t index = -1);
    CMenuItem* addEntry (COptionMenu* submenu, const std::string& title);
    CMenuItem* addEntry (const std::string& title, int32_t index = -1,
                         int32_t itemFlags = CMenuItem::kNoFlags);
    CMenuItem* addSeparator (int32_t index = -1);
    bool removeEntry (int32_t index);
    bool removeAllEntry ();
    int32_t getNbEntries () const { return static_cast<int32_t> (items.size ()); }
    CMenuItem* getEntry (int32_t index) const;
    COptionMenu* getSubMenu (int32_t index) const;

    CMenuItem* getCurrent () const { return getEntry (currentIndex); }
    // countSeparator false: the position among entries that are not separators.
    int32_t getCurrentIndex (bool countSeparator = false) const;
    // countSeparator false: index counts only entries that are not separators.
    bool setCurrent (int32_t index, bool countSeparator = true);
    bool checkEntry (int32_t index, bool state);
    bool checkEntryAlone (int32_t index);
    bool isCheckEntry (int32_t index) const;

    // The menu (this or a submenu) and index of the last choice made in the popup.
    COptionMenu* getLastItemMenu (int32_t& indexInMenu) const;
    int32_t getLastResult () const { return lastResult; }

    // The look while the popup is open.
    void setBackgroundWhenClick (CBitmap* bitmap);
    CBitmap* getBackgroundWhenClick () const { return bgWhenClick; }

    // Opens the popup as a click does; false when there is nothing to show or no window.
    bool popup ();
    void closePopup ();
    bool isPopupOpen () const;
    // The popup's frame of a level (0: this menu, 1: an open submenu, ...), null when closed.
    CFrame* getPopupFrame (size_t level = 0) const;

    // Rounds to the nearest entry; out-of-range values are ignored.
    void setValue (float val) override;
    void setMax (float) override {}

    void draw (CDrawContext* context) override;
    CMouseEventResult onMouseDown (CPoint& where, const CButtonState& buttons) override;
    bool removed (CView* parentView) override;
    bool isTypeOf (IdStringPtr name) const override;

    // Called by the popup when an entry of menu (this or one of its submenus) is chosen.
    void applyPopupResult (COptionMenu* menu, int32_t index);

private:
    void entriesChanged ();

    std::vector<SharedPointer<CMenuItem>> items;
    SharedPointer<CBitmap> bgWhenClick;
    int32_t currentIndex {0};
    COptionMenu* lastMenu {nullptr};
    int32_t lastResult {-1};
    std::unique_ptr<OptionMenuPopup> popupSession;
};

}   // namespace VSTGUI

// SPDX-License-Identifier: GPL-3.0-or-later
#include "COptionMenu.h"
#include "CBitmap.h"
#include "CFrame.h"
#include "OptionMenuPopup.h"
#include <cmath>

namespace VSTGUI {

COptionMenu::COptionMenu (const CRect& s, CControlListener* l, int32_t t, CBitmap* background,
                          CBitmap* whenClick, int32_t st)
: CParamDisplay (s, background, st), bgWhenClick (whenClick)
{
    setListener (l);
    setTag (t);
    setWantsFocus (false);
    vmax = 0;
}

COptionMenu::COptionMenu () : COptionMenu (CRect (), nullptr, -1)
{}

COptionMenu::~COptionMenu ()
{
    popupSession.reset ();
}

void COptionMenu::entriesChanged ()
{
    vmax = static_cast<float> (std::max (0, getNbEntries () - 1));
    if (currentIndex >= getNbEntries ())
        currentIndex = std::max (0, getNbEntries () - 1);
    value = static_cast<float> (currentIndex);
    invalid ();
}

CMenuItem* COptionMenu::addEntry (CMenuItem* item, int32_t index)
{
    if (!item)
        return nullptr;
    closePopup ();
    SharedPointer<CMenuItem> entry = owned (item);
    if (index < 0 || index >= getNbEntries ())
        items.push_back (entry);
    else
        items.insert (items.begin () + index, entry);
    entriesChanged ();
    return item;
}

CMenuItem* COptionMenu::addEntry (COptionMenu* submenu, const std::string& title)
{
    return addEntry (new CMenuItem (title, submenu));
}

CMenuItem* COptionMenu::addEntry (const std::string& title, int32_t index, int32_t itemFlags)
{
    // A lone "-" is a separator, as in the classic menu convention.
    if (title == "-")
        return addSeparator (index);
    return addEntry (new CMenuItem (title, itemFlags), index);
}

CMenuItem* COptionMenu::addSeparator (int32_t index)
{
    return addEntry (new CMenuItem ("", CMenuItem::kSeparator), index);
}

bool COptionMenu::removeEntry (int32_t index)
{
    if (index < 0 || index >= getNbEntries ())
        return false;
    closePopup ();
    items.erase (items.begin () + index);
    if (currentIndex > index)
        --currentIndex;
    entriesChanged ();
    return true;
}

bool COptionMenu::removeAllEntry ()
{
    closePopup ();
    items.clear ();
    currentIndex = 0;
    lastMenu = nullptr;
    lastResult = -1;
    entriesChanged ();
    return true;
}

CMenuItem* COptionMenu::getEntry (int32_t index) const
{
    if (index < 0 || index >= getNbEntries ())
        return nullptr;
    return items[static_cast<size_t> (index)];
}

COptionMenu* COptionMenu::getSubMenu (int32_t index) const
{
    CMenuItem* item = getEntry (index);
    return item ? item->getSubmenu () : nullptr;
}

int32_t COptionMenu::getCurrentIndex (bool countSeparator) const
{
    if (countSeparator || !getEntry (currentIndex))
        return currentIndex;
    int32_t index = currentIndex;
    for (int32_t i = 0; i < currentIndex; ++i)
        if (items[static_cast<size_t> (i)]->isSeparator ())
            --index;
    return index;
}

bool COptionMenu::setCurrent (int32_t index, bool countSeparator)
{
    int32_t raw = index;
    if (!countSeparator)
    {
        raw = -1;
        for (int32_t i = 0, k = 0; i < getNbEntries (); ++i)
        {
            if (items[static_cast<size_t> (i)]->isSeparator ())
                continue;
            if (k++ == index)
            {
                raw = i;
                break;
            }
        }
    }
    if (raw < 0 || raw >= getNbEntries ())
        return false;
    currentIndex = raw;
    value = static_cast<float> (raw);
    invalid ();
    return true;
}

bool COptionMenu::checkEntry (int32_t index, bool state)
{
    CMenuItem* item = getEntry (index);
    if (!item || item->isSeparator ())
        return false;
    item->setChecked (state);
    return true;
}

bool COptionMenu::checkEntryAlone (int32_t index)
{
    if (!getEntry (index))
        return false;
    for (int32_t i = 0; i < getNbEntries (); ++i)
        items[static_cast<size_t> (i)]->setChecked (i == index);
    return true;
}

bool COptionMenu::isCheckEntry (int32_t index) const
{
    CMenuItem* item = getEntry (index);
    return item && item->isChecked ();
}

COptionMenu* COptionMenu::getLastItemMenu (int32_t& indexInMenu) const
{
    indexInMenu = lastMenu ? lastResult : -1;
    return lastMenu;
}

void COptionMenu::setBackgroundWhenClick (CBitmap* bitmap)
{
    bgWhenClick = bitmap;
    invalid ();
}

void COptionMenu::setValue (float val)
{
    if (!(val >= 0.f))
        return;
    const auto index = static_cast<int32_t> (std::lround (val));
    if (index >= getNbEntries ())
        return;
    currentIndex = index;
    value = static_cast<float> (index);
}

bool COptionMenu::popup ()
{
    if (isPopupOpen ())
        return false;
    if (getNbEntries () == 0)
        return false;
    popupSession = std::make_unique<OptionMenuPopup> (*this);
    if (!popupSession->open ())
    {
        popupSession.reset ();
        return false;
    }
    invalid ();
    return true;
}

void COptionMenu::closePopup ()
{
    if (popupSession)
    {
        // Reset first: closing may call back into this menu.
        std::unique_ptr<OptionMenuPopup> session = std::move (popupSession);
        session->close ();
        invalid ();
    }
}

bool COptionMenu::isPopupOpen () const
{
    return popupSession && popupSession->isOpen ();
}

CFrame* COptionMenu::getPopupFrame (size_t level) const
{
    return popupSession ? popupSession->getFrame (level) : nullptr;
}

void COptionMenu::applyPopupResult (COptionMenu* menu, int32_t index)
{
    SharedPointer<COptionMenu> guard (this);
    closePopup ();
    if (!menu || !menu->getEntry (index))
        return;
    lastMenu = menu;
    lastResult = index;
    if (menu != this)
        menu->setCurrent (index);
    beginEdit ();
    if (menu == this)
        setValue (static_cast<float> (index));
    valueChanged ();
    endEdit ();
    invalid ();
}

void COptionMenu::draw (CDrawContext* context)
{
    if (style & kNoDrawStyle)
        return;
    drawBack (context, isPopupOpen () ? bgWhenClick.get () : nullptr);
    if ((style & kPopupStyle) && !(style & kNoTextStyle))
        if (CMenuItem* item = getCurrent ())
            drawPlatformText (context, item->getTitle ());
    setDirty (false);
}

CMouseEventResult COptionMenu::onMouseDown (CPoint&, const CButtonState& buttons)
{
    if (!buttons.isLeftButton ())
        return kMouseEventNotHandled;
    if (isPopupOpen ())
        closePopup ();
    else
        popup ();
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

bool COptionMenu::removed (CView* parentView)
{
    closePopup ();
    return CParamDisplay::removed (parentView);
}

bool COptionMenu::isTypeOf (IdStringPtr name) const
{
    return std::strcmp (name, "COptionMenu") == 0 || CParamDisplay::isTypeOf (name);
}

}   // namespace VSTGUI

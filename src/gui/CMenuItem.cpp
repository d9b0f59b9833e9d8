// SPDX-License-Identifier: GPL-3.0-or-later
#include "CMenuItem.h"
#include "COptionMenu.h"

namespace VSTGUI {

CMenuItem::CMenuItem (const std::string& t, int32_t f) : title (t), flags (f)
{}

CMenuItem::CMenuItem (const std::string& t, COptionMenu* menu) : title (t), flags (kNoFlags)
{
    setSubmenu (menu);
}

CMenuItem::~CMenuItem ()
{
    setSubmenu (nullptr);
}

void CMenuItem::setSubmenu (COptionMenu* menu)
{
    if (menu)
        menu->remember ();
    if (submenu)
        submenu->forget ();
    submenu = menu;
}

COptionMenu* CMenuItem::getSubmenu () const
{
    return static_cast<COptionMenu*> (submenu);
}

bool CMenuItem::isTypeOf (IdStringPtr name) const
{
    return std::strcmp (name, "CMenuItem") == 0 || CBaseObject::isTypeOf (name);
}

}   // namespace VSTGUI

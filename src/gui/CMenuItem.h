// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One entry of a COptionMenu: a title with flags, or a separator, or a submenu.
#include "CBaseObject.h"
#include "SharedPointer.h"
#include <string>

namespace VSTGUI {

class COptionMenu;

class CMenuItem : public CBaseObject
{
public:
    enum Flags : int32_t
    {
        kNoFlags = 0,
        kDisabled = 1 << 0,
        kTitle = 1 << 1,
        kChecked = 1 << 2,
        kSeparator = 1 << 3,
    };

    explicit CMenuItem (const std::string& title, int32_t flags = kNoFlags);
    // Keeps a reference on the submenu.
    CMenuItem (const std::string& title, COptionMenu* submenu);
    ~CMenuItem () override;

    void setTitle (const std::string& newTitle) { title = newTitle; }
    const std::string& getTitle () const { return title; }
    void setSubmenu (COptionMenu* menu);
    COptionMenu* getSubmenu () const;
    void setEnabled (bool state = true) { setFlag (kDisabled, !state); }
    bool isEnabled () const { return !(flags & kDisabled); }
    void setChecked (bool state = true) { setFlag (kChecked, state); }
    bool isChecked () const { return (flags & kChecked) != 0; }
    void setIsTitle (bool state = true) { setFlag (kTitle, state); }
    bool isTitle () const { return (flags & kTitle) != 0; }
    void setIsSeparator (bool state = true) { setFlag (kSeparator, state); }
    bool isSeparator () const { return (flags & kSeparator) != 0; }
    int32_t getFlags () const { return flags; }
    void setTag (int32_t t) { tag = t; }
    int32_t getTag () const { return tag; }
    // Can be chosen in a popup: not a separator, title or disabled entry.
    bool isSelectable () const { return !(flags & (kDisabled | kTitle | kSeparator)); }

    bool isTypeOf (IdStringPtr name) const override;

private:
    void setFlag (int32_t flag, bool state) { flags = state ? (flags | flag) : (flags & ~flag); }

    std::string title;
    int32_t flags;
    int32_t tag {-1};
    CBaseObject* submenu {nullptr};   // a COptionMenu, one reference held
};

}   // namespace VSTGUI

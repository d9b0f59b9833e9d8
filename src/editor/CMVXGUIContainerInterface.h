// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A bitmap store by resource id with a layout table: where each kind of control sits.
#include "gui/CBitmap.h"
#include <cstdint>
#include <map>
#include <string>

struct CMVXLayoutRect
{
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;   // 0 for entries that give only a corner:
    int32_t bottom = 0;   // the size comes from the control's bitmap
};

class CMVXGUIContainerInterface
{
public:
    CMVXGUIContainerInterface () = default;
    CMVXGUIContainerInterface (const CMVXGUIContainerInterface&) = delete;
    CMVXGUIContainerInterface& operator= (const CMVXGUIContainerInterface&) = delete;
    virtual ~CMVXGUIContainerInterface ();
    virtual void loadBitmaps () = 0;

    // Loads the bitmap of that id, replacing a stored one; a missing resource stores nothing.
    void addBitmap (int32_t id);
    // The stored bitmap or null; the caller takes no reference.
    VSTGUI::CBitmap* getBitmap (int32_t id) const;
    // All zero for a key the table does not hold.
    CMVXLayoutRect getLayoutRect (int32_t key) const;
    int32_t getBitmapCount () const { return static_cast<int32_t> (bitmaps.size ()); }

protected:
    std::map<int32_t, VSTGUI::CBitmap*> bitmaps;
    std::map<int32_t, CMVXLayoutRect>* layoutTable = nullptr;   // made by the subclass
    std::string bitmapDirectory;
    bool loadFromDirectory = false;
};

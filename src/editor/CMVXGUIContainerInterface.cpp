// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/CMVXGUIContainerInterface.h"
#include "resources/BitmapSource.h"
#include <cstdio>
#include <sys/stat.h>

CMVXGUIContainerInterface::~CMVXGUIContainerInterface ()
{
    for (auto& entry : bitmaps)
        entry.second->forget ();
    delete layoutTable;
}

void CMVXGUIContainerInterface::addBitmap (int32_t id)
{
    auto found = bitmaps.find (id);
    if (found != bitmaps.end ())
    {
        found->second->forget ();
        bitmaps.erase (found);
    }
    VSTGUI::CBitmap* bitmap = nullptr;
    if (loadFromDirectory && !bitmapDirectory.empty ())
    {
        char name[32];
        std::snprintf (name, sizeof (name), "bmp%05d.png", static_cast<int> (id));
        const std::string path = bitmapDirectory + "/" + name;
        struct stat status
        {};
        if (::stat (path.c_str (), &status) == 0)
            bitmap = new VSTGUI::CBitmap (VSTGUI::CResourceDescription (path));
    }
    if (bitmap == nullptr)
    {
        // The widget layer has no pictures of its own: ours are the build's artwork.
        VSTGUI::CBitmap::setResourceSource (&Morvane::Resources::bitmapSource ());
        bitmap = new VSTGUI::CBitmap (VSTGUI::CResourceDescription (id));
    }
    if (!bitmap->isLoaded ())
    {
        bitmap->forget ();
        return;
    }
    bitmaps.emplace (id, bitmap);
}

VSTGUI::CBitmap* CMVXGUIContainerInterface::getBitmap (int32_t id) const
{
    auto found = bitmaps.find (id);
    return found != bitmaps.end () ? found->second : nullptr;
}

CMVXLayoutRect CMVXGUIContainerInterface::getLayoutRect (int32_t key) const
{
    if (layoutTable)
    {
        auto found = layoutTable->find (key);
        if (found != layoutTable->end ())
            return found->second;
    }
    return {};
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "SnapshotPicture.h"
#include "gui/platform/direct2d/WicBitmap.h"

namespace EditorTest {

bool loadPicture (const std::string& path, Picture& picture)
{
    auto bitmap = VSTGUI::IPlatformBitmap::createFromPngFile (path);
    if (!bitmap)
        return false;
    picture.width = static_cast<int> (bitmap->getSize ().x);
    picture.height = static_cast<int> (bitmap->getSize ().y);
    picture.pixels.resize (static_cast<size_t> (picture.width) * picture.height);
    const UINT stride = 4 * static_cast<UINT> (picture.width);
    return SUCCEEDED (static_cast<VSTGUI::WicBitmap*> (bitmap.get ())
                          ->getWicBitmap ()
                          ->CopyPixels (nullptr, stride,
                                        stride * static_cast<UINT> (picture.height),
                                        reinterpret_cast<BYTE*> (picture.pixels.data ())));
}

}   // namespace EditorTest

// The factories stay for the whole run, as they do while a host keeps an editor open: making them
// afresh for each window costs about a second under Wine.
static const VSTGUI::D2DBackend::Use keepFactories;

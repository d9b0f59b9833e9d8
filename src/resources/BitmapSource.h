// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's bitmaps as the widget layer's source of pictures by id: the build's PNGs, and on
// Linux the vector artwork drawn at any other scale.
#include "gui/IBitmapSource.h"

namespace Morvane::Resources {

const VSTGUI::IBitmapSource& bitmapSource ();

}   // namespace Morvane::Resources

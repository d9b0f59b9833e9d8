// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An extra interface of the pedal editor's view, for our own host tool and tests: draws the
// window as it looks now into a PNG file, offscreen, whether or not the view is attached.
// Header only, so a host reaches it through queryInterface without linking the editor.
#include "pluginterfaces/base/funknown.h"

class IMVXEditorSnapshot : public Steinberg::FUnknown
{
public:
    // kResultOk when the file was written.
    virtual Steinberg::tresult PLUGIN_API renderToPng (const char* path) = 0;
};

DECLARE_CLASS_IID (IMVXEditorSnapshot, 0x4F766D72, 0x53686F74, 0x9A31C7E2, 0x5B08D413)

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a frame knows of the editor that owns it.
#include <cstdint>

namespace VSTGUI {

class CFrame;

enum CKnobMode : int32_t
{
    kCircularMode = 0,
    kRelativCircularMode,
    kLinearMode,
};

class VSTGUIEditorInterface
{
public:
    virtual ~VSTGUIEditorInterface () = default;
    virtual CFrame* getFrame () const { return frame; }
    virtual int32_t getKnobMode () const { return kLinearMode; }
    virtual void beginEdit (int32_t index) {}
    virtual void endEdit (int32_t index) {}
    virtual void doIdleStuff () {}

protected:
    CFrame* frame {nullptr};
};

}   // namespace VSTGUI

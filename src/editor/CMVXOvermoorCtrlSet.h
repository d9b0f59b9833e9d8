// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pedal: the face of the current model, its knobs, the footswitch, the status lamp and the
// model selector. The pedal is rebuilt when, and only when, the model changes.
#include "editor/CMVXStravelCtrlBaseSet.h"
#include "gui/CFontDesc.h"
#include "gui/CMovieBitmap.h"

class CMVXOvermoorCtrlSet : public CMVXStravelCtrlBaseSet
{
public:
    CMVXOvermoorCtrlSet (VSTGUI::CControlListener* listener, Morvane::IMVXSDKController* link,
                         CMVXStravelGUIContainer* guiContainer, IMVXParamInfoInterface* paramInfo,
                         int32_t unused = 0);
    ~CMVXOvermoorCtrlSet () override;

    void setParameter (int32_t index, float value) override;

    int32_t getShownModel () const { return shownModel; }
    VSTGUI::CViewContainer* getPedalContainer () const { return pedalContainer; }
    VSTGUI::CMovieBitmap* getFace () const { return face; }

private:
    void createPedal ();
    void createModelSelector ();
    void applyTextStyle (VSTGUI::CFontDesc* font, const VSTGUI::CColor& colour);
    void applyModel (float normalized);
    void placeFootswitch (int32_t model);
    void createKnobs (int32_t model);
    void syncModelSelector (int32_t model);
    void showEffectState ();

    VSTGUI::CMovieBitmap* face = nullptr;
    VSTGUI::CViewContainer* pedalContainer = nullptr;
    int32_t shownModel = -1;
};

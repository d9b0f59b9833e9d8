// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/CMVXOvermoorCtrlSet.h"
#include "controller/IMVXSDKController.h"
#include "editor/CMVXOvermoorLayout.h"
#include "editor/CMVXStravelGUIContainer.h"
#include "gui/CAnimKnob.h"
#include "gui/CKickButton.h"
#include "gui/COptionMenu.h"
#include "gui/CParamDisplay.h"
#include "params/CMVXParamTable.h"
#include "params/IMVXParamInfoInterface.h"
#include <cmath>
#include <vector>

using namespace VSTGUI;

namespace {

constexpr CCoord kFaceHeight = 220;
constexpr int32_t kFaceFrames = 8;
constexpr int32_t kLampFrames = 4;
constexpr int32_t kKnobFrames = 140;
constexpr float kLampLit = 1.f / 3.f;   // frame 1 of 4

}   // namespace

CMVXOvermoorCtrlSet::CMVXOvermoorCtrlSet (CControlListener* listener,
                                          Morvane::IMVXSDKController* link,
                                          CMVXStravelGUIContainer* guiContainer,
                                          IMVXParamInfoInterface* paramInfo, int32_t)
: CMVXStravelCtrlBaseSet (listener, link, guiContainer, paramInfo)
{
    createPedal ();
    createModelSelector ();
    SharedPointer<CFontDesc> font = makeOwned<CFontDesc> ("Tahoma", 11, kNormalFace);
    applyTextStyle (font, kWhiteCColor);
    applyDefaultValues ();
    applyModel (0.f);
}

CMVXOvermoorCtrlSet::~CMVXOvermoorCtrlSet ()
{
    if (face)
        face->forget ();
}

void CMVXOvermoorCtrlSet::createPedal ()
{
    CBitmap* faces = guiContainer->getBitmap (kBitmapFaces);
    const CCoord faceWidth = faces ? faces->getWidth () : 0;
    const CCoord faceHeight = faces ? kFaceHeight : 0;
    pedalContainer = new CViewContainer (CRect (2, 19, 2 + faceWidth, 19 + faceHeight));
    pedalContainer->setTransparency (true);
    rootView->addView (pedalContainer);

    face = new CMovieBitmap (CRect (0, 0, faceWidth, faceHeight), nullptr, -1, kFaceFrames,
                             kFaceHeight, faces);
    face->setValue (0.f);
    face->remember ();   // the container's reference; ours is released in the destructor
    pedalContainer->addView (face);
    shownModel = -1;

    CBitmap* round = guiContainer->getBitmap (kBitmapFootswitchRound);
    const CCoord switchHeight = round ? round->getHeight () / 2 : 0;
    auto* footswitch = new CKickButton (CRect (0, 0, round ? round->getWidth () : 0, switchHeight),
                                        listener, kParamEffectState, switchHeight, round);
    addControl (kParamEffectState, footswitch);
    pedalContainer->addView (footswitch);

    CBitmap* lampBitmap = guiContainer->getBitmap (kBitmapStatusLamp);
    const CMVXLayoutRect lampCorner = guiContainer->getLayoutRect (kLayoutLamp);
    const CCoord lampHeight = lampBitmap ? lampBitmap->getHeight () / kLampFrames : 0;
    const CCoord lampWidth = lampBitmap ? lampBitmap->getWidth () : 0;
    auto* lamp = new CMovieBitmap (CRect (lampCorner.left, lampCorner.top,
                                          lampCorner.left + lampWidth, lampCorner.top + lampHeight),
                                   nullptr, kTagStatusLamp, kLampFrames, lampHeight, lampBitmap);
    addControl (kTagStatusLamp, lamp);
    pedalContainer->addView (lamp);
}

void CMVXOvermoorCtrlSet::createModelSelector ()
{
    CBitmap* field = guiContainer->getBitmap (kBitmapSelector);
    const CMVXLayoutRect corner = guiContainer->getLayoutRect (kLayoutModelMenu);
    const CRect size (corner.left, corner.top, corner.left + (field ? field->getWidth () : 0),
                      corner.top + (field ? field->getHeight () : 0));
    auto* selector = new COptionMenu (size, listener, kParamModel, field,
                                      guiContainer->getBitmap (kBitmapSelectorOpen), kPopupStyle);
    if (CMVXParameter* model = paramInfo ? paramInfo->getParam (kParamModel) : nullptr)
        for (const std::string& name : model->getTexts ())
            selector->addEntry (name.c_str ());
    selector->setTextInset (CPoint (5, 0));
    rootView->addView (selector);
    addControl (kParamModel, selector);
}

void CMVXOvermoorCtrlSet::applyTextStyle (CFontDesc* font, const CColor& colour)
{
    forEachControl ([&] (int32_t, CControl* control) {
        if (auto* display = dynamic_cast<CParamDisplay*> (control))
        {
            display->setFont (font);
            display->setFontColor (colour);
            display->setHoriAlign (kLeftText);
        }
    });
}

void CMVXOvermoorCtrlSet::setParameter (int32_t index, float value)
{
    if (index == kParamEffectState)
        showEffectState ();
    else if (index == kParamModel)
        applyModel (value);
}

void CMVXOvermoorCtrlSet::showEffectState ()
{
    // The lamp shows whether the effect is on; the footswitch always rests in its up picture.
    if (CControl* lamp = getControl (kTagStatusLamp))
    {
        const bool on = controllerLink && controllerLink->getParameter (kParamEffectState) >= 0.5;
        lamp->setValueNormalized (on ? kLampLit : 0.f);
        lamp->invalid ();
    }
    if (CControl* footswitch = getControl (kParamEffectState))
    {
        footswitch->setValueNormalized (0.f);
        footswitch->invalid ();
    }
}

void CMVXOvermoorCtrlSet::applyModel (float normalized)
{
    CMVXParameter* record = paramInfo ? paramInfo->getParam (kParamModel) : nullptr;
    const double maxModel = record ? record->getMax () : kPedalModelCount - 1;
    const auto model = static_cast<int32_t> (normalized * maxModel + 0.5);
    syncModelSelector (model);
    if (model == shownModel)
        return;

    // Keep face, lamp and footswitch; the old knobs leave the pedal but stay in the tag map.
    CControl* lamp = getControl (kTagStatusLamp);
    CControl* footswitch = getControl (kParamEffectState);
    std::vector<CView*> children;
    for (int32_t i = 0; i < pedalContainer->getNbViews (); ++i)
        children.push_back (pedalContainer->getView (i));
    for (CView* child : children)
        pedalContainer->removeView (child, child != face && child != lamp && child != footswitch);
    pedalContainer->addView (face);
    if (lamp)
        pedalContainer->addView (lamp);

    face->setValueNormalized (normalized);
    face->invalid ();
    placeFootswitch (model);
    createKnobs (model);

    for (int32_t tag = kParamModel; tag <= kLastParameterTag; ++tag)
    {
        if (CControl* control = getControl (tag); control && controllerLink)
        {
            control->setValueNormalized (static_cast<float> (controllerLink->getParameter (tag)));
            control->invalid ();
        }
    }
    syncModelSelector (model);
    shownModel = model;
}

void CMVXOvermoorCtrlSet::placeFootswitch (int32_t model)
{
    auto* footswitch = dynamic_cast<CKickButton*> (getControl (kParamEffectState));
    if (!footswitch)
        return;
    const CMVXPedalLayout& layout = pedalLayout (model);
    CBitmap* bitmap = guiContainer->getBitmap (footswitchBitmap (layout.footswitchStyle));
    const CCoord width = bitmap ? bitmap->getWidth () : 0;
    const CCoord height = bitmap ? bitmap->getHeight () / 2 : 0;
    footswitch->setHeightOfOneImage (height);
    footswitch->setBackground (bitmap);
    const CRect size (layout.footswitchLeft, layout.footswitchTop, layout.footswitchLeft + width,
                      layout.footswitchTop + height);
    footswitch->setViewSize (size);
    footswitch->setMouseableArea (size);
    footswitch->invalid ();
    pedalContainer->addView (footswitch);
}

void CMVXOvermoorCtrlSet::createKnobs (int32_t model)
{
    const CMVXPedalLayout& layout = pedalLayout (model);
    CBitmap* strip = guiContainer->getBitmap (layout.knobStrip);
    const CCoord width = strip ? strip->getWidth () : 0;
    for (int32_t i = 0; i < layout.knobCount; ++i)
    {
        const CMVXKnobPlace& place = layout.knobs[i];
        const CMVXLayoutRect corner = guiContainer->getLayoutRect (place.layoutKey);
        const CCoord left = corner.left + place.dx;
        const CCoord top = corner.top + place.dy;
        auto* knob = new CAnimKnob (CRect (left, top, left + width, top + width), listener,
                                    place.tag, kKnobFrames, width, strip);
        if (CMVXParameter* record = paramInfo ? paramInfo->getParam (place.tag) : nullptr)
            knob->setDefaultValue (static_cast<float> (record->getDefaultNormalized ()));
        addControl (place.tag, knob);   // releases the knob that had this tag before
        pedalContainer->addView (knob);
    }
}

void CMVXOvermoorCtrlSet::syncModelSelector (int32_t model)
{
    auto* selector = dynamic_cast<COptionMenu*> (getControl (kParamModel));
    if (!selector)
        return;
    const int32_t entries = selector->getNbEntries ();
    selector->setValueNormalized (
        entries > 1 ? static_cast<float> (model) / static_cast<float> (entries - 1) : 0.f);
    selector->invalid ();
}

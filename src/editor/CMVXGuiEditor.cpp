// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/CMVXGuiEditor.h"
#include "controller/CMVXVST3EditController.h"
#include "editor/CMVXCtrlSetInterface.h"
#include <cmath>

using namespace Steinberg;

CMVXGuiEditor::CMVXGuiEditor (CMVXVST3EditController* controller, int32 parameterCount)
: VSTGUIEditor (static_cast<Vst::EditController*> (controller)), parameterCount (parameterCount),
  pendingFlags (static_cast<size_t> (parameterCount > 0 ? parameterCount : 0), 0)
{
    if (controller)
        controllerLink = new Morvane::CMVXVST3Controller (controller);
    ownIdleTimer = new VSTGUI::CVSTGUITimer (this, 100);
}

CMVXGuiEditor::~CMVXGuiEditor ()
{
    if (ownIdleTimer)
    {
        ownIdleTimer->stop ();
        ownIdleTimer->forget ();
    }
    delete paramInfo;
    delete controllerLink;
    controlSets.clear ();
}

bool CMVXGuiEditor::open (void* parent, const VSTGUI::PlatformType&, VSTGUI::IPlatformFrameConfig*)
{
    opened = true;
    parentWindow = parent;
    if (ownIdleTimer)
        ownIdleTimer->start ();
    return true;
}

void CMVXGuiEditor::close ()
{
    if (ownIdleTimer)
        ownIdleTimer->stop ();
    opened = false;
    parentWindow = nullptr;
}

void CMVXGuiEditor::markParameterPending (int32 index)
{
    if (index < 0 || index >= parameterCount)
        return;
    pending = true;
    pendingFlags[static_cast<size_t> (index)] = 1;
}

void CMVXGuiEditor::parameterChanged (int32 index, float value)
{
    if (index < 0 || index >= parameterCount)
        return;
    markParameterPending (index);
    setParameter (index, value);
}

bool CMVXGuiEditor::getRect (ERect** rect)
{
    if (rect)
        *rect = &editorRect;
    return true;
}

void CMVXGuiEditor::idle ()
{
    if (!controllerLink || !pending)
        return;
    // Many notifications between two idles cost one refresh with the latest value.
    for (int32 index = 0; index < parameterCount; ++index)
    {
        if (!pendingFlags[static_cast<size_t> (index)])
            continue;
        setParameter (index, static_cast<float> (controllerLink->getParameter (index)));
        pendingFlags[static_cast<size_t> (index)] = 0;
    }
    pending = false;
}

double CMVXGuiEditor::toPlain (int32 index, double normalized)
{
    if (CMVXParameter* record = paramInfo ? paramInfo->getParam (index) : nullptr)
        return record->toPlain (normalized);
    return normalized;
}

double CMVXGuiEditor::toNormalized (int32 index, double plain)
{
    if (CMVXParameter* record = paramInfo ? paramInfo->getParam (index) : nullptr)
        return record->toNormalized (plain);
    return plain;
}

tresult PLUGIN_API CMVXGuiEditor::checkSizeConstraint (ViewRect* rect)
{
    if (rect == nullptr)
        return kInvalidArgument;
    // The pedal has one size; a host that resizes anyway may add at most 50 pixels each way.
    const int32 width = zoomedLength (editorRect.right);
    const int32 height = zoomedLength (editorRect.bottom);
    const int32 w = rect->right - rect->left;
    const int32 h = rect->bottom - rect->top;
    if (w < width)
        rect->right = rect->left + width;
    else if (w > width + 50)
        rect->right = rect->left + width + 50;
    if (h < height)
        rect->bottom = rect->top + height;
    else if (h > height + 50)
        rect->bottom = rect->top + height + 50;
    return kResultOk;
}

CMVXGuiEditor::int32 CMVXGuiEditor::zoomedLength (int32 length) const
{
    // Rounded as the frame rounds its window, so both agree on every pixel.
    return static_cast<int32> (std::ceil (length * zoomFactor - 1e-9));
}

VSTGUI::CMessageResult CMVXGuiEditor::notify (VSTGUI::CBaseObject* sender,
                                              VSTGUI::IdStringPtr message)
{
    if (message == VSTGUI::CVSTGUITimer::kMsgTimer)
    {
        idle ();
        return VSTGUI::kMessageNotified;
    }
    return VSTGUI::kMessageUnknown;
}

void CMVXGuiEditor::valueChanged (VSTGUI::CControl* control)
{
    if (control && controllerLink)
        controllerLink->setParameter (control->getTag (), control->getValueNormalized ());
}

void CMVXGuiEditor::controlBeginEdit (VSTGUI::CControl* control)
{
    if (control && controllerLink)
        controllerLink->beginEdit (control->getTag ());
}

void CMVXGuiEditor::controlEndEdit (VSTGUI::CControl* control)
{
    if (control && controllerLink)
        controllerLink->endEdit (control->getTag ());
}

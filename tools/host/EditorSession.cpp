// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/EditorSession.h"
#include "editor/IMVXEditorSnapshot.h"
#include "render/PresetRequests.h"
#include "pluginterfaces/gui/iplugviewcontentscalesupport.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include <sys/stat.h>
#include <cerrno>
#include <cstdio>
#include <cstring>

using namespace Steinberg;

namespace Morvane {
namespace HostTool {

namespace {

// The system's reason, found by opening the file as the writer would (and removing what that
// made).
std::string whyNotWritable (const std::string& path)
{
    struct stat before
    {};
    const bool existed = ::stat (path.c_str (), &before) == 0;
    if (FILE* file = std::fopen (path.c_str (), "ab"))
    {
        std::fclose (file);
        if (!existed)
            std::remove (path.c_str ());
        return "the editor could not draw or encode the picture";
    }
    return std::strerror (errno);
}

}   // namespace

std::unique_ptr<EditorSession> EditorSession::create (const std::string& bundlePath,
                                                      std::string& error)
{
    auto module = VST3::Hosting::Module::create (bundlePath, error);
    if (!module)
        return nullptr;
    std::unique_ptr<EditorSession> session (new EditorSession);
    Host::InstanceOptions options;
    options.tapConnections = true;   // preset answers are read from the tap
    session->pluginInstance = Host::PluginInstance::create (module, error, options);
    if (!session->pluginInstance)
        return nullptr;
    session->plugView =
        owned (session->pluginInstance->controller ()->createView (Vst::ViewType::kEditor));
    if (!session->plugView)
    {
        error = "the plug-in offers no editor view";
        return nullptr;
    }
    return session;
}

EditorSession::~EditorSession ()
{
    detach ();
    plugView = nullptr;   // before the instance and its library go
    pluginInstance.reset ();
}

bool EditorSession::attachToWindow (std::string& error, int panelHeight)
{
    if (plugView->isPlatformTypeSupported (kWindowType) != kResultTrue)
    {
        error = std::string ("the editor cannot be embedded in a window of type ") + kWindowType;
        return false;
    }
    ViewRect size;
    plugView->getSize (&size);
    hostWindow = Host::HostWindow::create (size.getWidth (), size.getHeight () + panelHeight,
                                           "Overmoor", error);
    if (!hostWindow)
        return false;
    plugFrame = createPlugFrame ();
    Host::HostWindow* windowPtr = hostWindow.get ();
    plugFrame->setResizeHook ([this, windowPtr, panelHeight] (const ViewRect& r) {
        windowPtr->resize (r.getWidth (), r.getHeight () + panelHeight);
        if (viewResized)
            viewResized (r.getWidth (), r.getHeight ());
    });
    plugView->setFrame (plugFrame);
    if (plugView->attached (nativeParent (), kWindowType) != kResultTrue)
    {
        error = "the editor refused to attach to the window";
        plugView->setFrame (nullptr);
        return false;
    }
    attached = true;
    return true;
}

void EditorSession::detach ()
{
    if (attached)
    {
        plugView->removed ();
        plugView->setFrame (nullptr);
        attached = false;
    }
    closeWindow ();
}

bool EditorSession::selectPreset (const std::string& numberOrName, std::string& error)
{
    Render::PresetRequests requests (*pluginInstance);
    if (Render::RenderProblem problem = requests.select (numberOrName))
    {
        error = problem.message;
        return false;
    }
    return true;
}

bool EditorSession::setContentScale (float factor, std::string& error)
{
    IPlugViewContentScaleSupport* scaleSupport = nullptr;
    if (plugView->queryInterface (IPlugViewContentScaleSupport::iid,
                                  reinterpret_cast<void**> (&scaleSupport))
            != kResultOk
        || !scaleSupport)
    {
        error = "this editor does not scale";
        return false;
    }
    const tresult result = scaleSupport->setContentScaleFactor (factor);
    scaleSupport->release ();
    if (result != kResultOk)
        error = "the editor refused the scale " + std::to_string (factor);
    return result == kResultOk;
}

bool EditorSession::writeSnapshot (const std::string& pngPath, std::string& error)
{
    IMVXEditorSnapshot* snapshot = nullptr;
    if (plugView->queryInterface (IMVXEditorSnapshot_iid, reinterpret_cast<void**> (&snapshot))
            != kResultOk
        || !snapshot)
    {
        error = "this editor cannot draw itself offscreen";
        return false;
    }
    const tresult result = snapshot->renderToPng (pngPath.c_str ());
    snapshot->release ();
    if (result != kResultOk)
        error = "cannot write " + pngPath + ": " + whyNotWritable (pngPath);
    return result == kResultOk;
}

}   // namespace HostTool
}   // namespace Morvane

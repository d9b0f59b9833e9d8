// SPDX-License-Identifier: GPL-3.0-or-later
// The editor drawn offscreen on Windows (Direct2D, DirectWrite, its bitmaps from the module's PNG
// resources): each model, and one at content scales of 1.25 to 3, against the Windows references
// (Wine's own rendering, which draws shapes without antialiasing; regenerate them with
// OVERMOOR_UPDATE_SNAPSHOTS=1) and against the Linux pictures within a bound on the mean
// channel difference (same artwork, text and edges may differ).
#include "SnapshotComparison.h"
#include "controller/CMVXStravelEditController.h"
#include "editor/CMVXStravelGUIEditorVST3.h"
#include "editor/IMVXEditorSnapshot.h"
#include "host/PluginInstance.h"
#include "support/BundleFixture.h"
#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/gui/iplugview.h"
#include <filesystem>
#include <gtest/gtest.h>

extern "C" Steinberg::IPluginFactory* PLUGIN_API GetPluginFactory ();

namespace EditorTest {
namespace {

using namespace Steinberg;
using EditorBundleOnWindows = Morvane::Test::BundleFixture;

// Mean channel difference (0 to 255) allowed between a Windows and a Linux picture: at the
// embedded scales, and at scales Windows averages down from the next one up while Linux draws the
// vectors (its hammered texture is sampled at pixel centres, so it differs at every scale).
constexpr double kMeanDifferenceFromLinux = 2.;   // measured under Wine 8: 0.4 to 1.0
constexpr double kMeanDifferenceScaledDown = 6.;   // measured: 4.4 at 125 %, 5.0 at 150 %

TEST (EditorOnWindows, SnapshotsOfEveryModelMatchTheirReferencesAndTheLinuxPictures)
{
    IPluginFactory* factory = GetPluginFactory ();
    std::string error;
    auto instance = Morvane::Host::PluginInstance::create (factory, error);
    ASSERT_NE (instance, nullptr) << error;
    auto* controller = dynamic_cast<CMVXStravelEditController*> (instance->controller ());
    ASSERT_NE (controller, nullptr);
    IPtr<CMVXStravelGUIEditorVST3> editor =
        Steinberg::owned (new CMVXStravelGUIEditorVST3 (controller));

    const std::filesystem::path outputs =
        std::filesystem::temp_directory_path () / "overmoor-editor-snapshots-windows";
    std::filesystem::create_directories (outputs);
    const auto check = [&] (const std::string& name, double bound = kMeanDifferenceFromLinux) {
        const std::string actual = (outputs / name).string ();
        ASSERT_EQ (editor->renderToPng (actual.c_str ()), kResultOk) << actual;
        EXPECT_EQ (
            compareWithReference (actual, std::string (OVERMOOR_SNAPSHOT_REFERENCES) + "/" + name),
            "");
        const double fromLinux =
            meanChannelDifference (actual, std::string (OVERMOOR_LINUX_REFERENCES) + "/" + name);
        EXPECT_GE (fromLinux, 0.) << name;
        EXPECT_LE (fromLinux, bound) << name;
        std::printf ("%s: mean channel difference from Linux %.2f\n", name.c_str (), fromLinux);
    };
    for (int model = 0; model < 8; ++model)
    {
        controller->setParamNormalized (1, model / 7.0);
        // The effect on for odd models, so the lamp is seen in both states.
        controller->setParamNormalized (0, model % 2);
        check ("model-" + std::to_string (model) + ".png");
    }
    // The embedded 2x and 3x as they are, and averaged down to 125 % and 150 %.
    for (const int percent : {200, 125, 150, 300})
    {
        ASSERT_EQ (editor->setContentScaleFactor (percent / 100.f), kResultOk);
        check ("model-7@" + std::to_string (percent) + ".png",
               percent % 100 == 0 ? kMeanDifferenceFromLinux : kMeanDifferenceScaledDown);
    }

    editor = nullptr;
    instance.reset ();
    factory->release ();
}

// The built bundle draws the same picture: its bitmaps are the library's own resources, found
// through the module handle its DllMain recorded.
TEST_F (EditorBundleOnWindows, TheBundlesEditorDrawsWithItsOwnResources)
{
    auto instance = createInstance ();
    ASSERT_NE (instance, nullptr);
    IPtr<IPlugView> view = owned (instance->controller ()->createView ("editor"));
    ASSERT_TRUE (view);
    EXPECT_EQ (view->isPlatformTypeSupported (kPlatformTypeHWND), kResultTrue);
    IMVXEditorSnapshot* snapshot = nullptr;
    ASSERT_EQ (view->queryInterface (IMVXEditorSnapshot_iid, reinterpret_cast<void**> (&snapshot)),
               kResultOk);
    IPtr<IMVXEditorSnapshot> snapshotHolder = owned (snapshot);
    instance->controller ()->setParamNormalized (1, 0.);
    instance->controller ()->setParamNormalized (0, 0.);
    const std::string actual =
        (std::filesystem::temp_directory_path () / "overmoor-bundle-model-0.png").string ();
    ASSERT_EQ (snapshot->renderToPng (actual.c_str ()), kResultOk);
    EXPECT_LT (
        meanChannelDifference (actual, std::string (OVERMOOR_SNAPSHOT_REFERENCES) + "/model-0.png"),
        0.01);
}

}   // namespace
}   // namespace EditorTest

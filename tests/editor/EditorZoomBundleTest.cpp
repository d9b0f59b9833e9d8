// SPDX-License-Identifier: GPL-3.0-or-later
// The built bundle's editor at host content scales of 1.25, 1.5, 2 and 3: its pictures against
// committed references (regenerated like the others: OVERMOOR_UPDATE_SNAPSHOTS=1 ctest -R
// EditorSnapshot), which the Windows pictures are also compared with.
#include "SnapshotComparison.h"
#include "editor/IMVXEditorSnapshot.h"
#include "support/BundleFixture.h"
#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/gui/iplugviewcontentscalesupport.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include <filesystem>

namespace EditorTest {
namespace {

using namespace Steinberg;
using EditorBundle = Morvane::Test::BundleFixture;

TEST_F (EditorBundle, EditorSnapshotsAtContentScalesMatchTheirReferences)
{
    auto instance = createInstance ();
    ASSERT_NE (instance, nullptr);
    IPtr<IPlugView> view = owned (instance->controller ()->createView (Vst::ViewType::kEditor));
    ASSERT_TRUE (view);
    FUnknownPtr<IPlugViewContentScaleSupport> scaling (view);
    ASSERT_TRUE (scaling);
    IMVXEditorSnapshot* snapshot = nullptr;
    ASSERT_EQ (view->queryInterface (IMVXEditorSnapshot_iid, reinterpret_cast<void**> (&snapshot)),
               kResultOk);
    IPtr<IMVXEditorSnapshot> snapshotHolder = owned (snapshot);
    instance->controller ()->setParamNormalized (1, 1.0);   // "Metal Tone": six knobs
    instance->controller ()->setParamNormalized (0, 1.0);
    const std::filesystem::path outputs =
        std::filesystem::temp_directory_path () / "overmoor-editor-snapshots";
    std::filesystem::create_directories (outputs);
    for (const int percent : {200, 125, 150, 300})
    {
        ASSERT_EQ (scaling->setContentScaleFactor (percent / 100.f), kResultOk);
        ViewRect size;
        ASSERT_EQ (view->getSize (&size), kResultTrue);
        EXPECT_EQ (size.getWidth (), 180 * percent / 100) << percent;
        EXPECT_EQ (size.getHeight (), 300 * percent / 100) << percent;
        const std::string name = "model-7@" + std::to_string (percent) + ".png";
        const std::string actual = (outputs / name).string ();
        ASSERT_EQ (snapshot->renderToPng (actual.c_str ()), kResultOk);
        EXPECT_EQ (
            compareWithReference (actual, std::string (OVERMOOR_SNAPSHOT_REFERENCES) + "/" + name),
            "");
    }
}

}   // namespace
}   // namespace EditorTest

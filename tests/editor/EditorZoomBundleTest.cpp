// SPDX-License-Identifier: GPL-3.0-or-later
// The built bundle's editor at a host content scale of 2: its picture against a committed 200 %
// reference (regenerated like the others: OVERMOOR_UPDATE_SNAPSHOTS=1 ctest -R EditorSnapshot).
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

TEST_F (EditorBundle, EditorSnapshotAtTwoHundredPercentMatchesItsReference)
{
    auto instance = createInstance ();
    ASSERT_NE (instance, nullptr);
    IPtr<IPlugView> view = owned (instance->controller ()->createView (Vst::ViewType::kEditor));
    ASSERT_TRUE (view);
    FUnknownPtr<IPlugViewContentScaleSupport> scaling (view);
    ASSERT_TRUE (scaling);
    ASSERT_EQ (scaling->setContentScaleFactor (2.f), kResultOk);
    ViewRect size;
    ASSERT_EQ (view->getSize (&size), kResultTrue);
    EXPECT_EQ (size.getWidth (), 360);
    EXPECT_EQ (size.getHeight (), 600);

    IMVXEditorSnapshot* snapshot = nullptr;
    ASSERT_EQ (view->queryInterface (IMVXEditorSnapshot_iid, reinterpret_cast<void**> (&snapshot)),
               kResultOk);
    IPtr<IMVXEditorSnapshot> snapshotHolder = owned (snapshot);
    instance->controller ()->setParamNormalized (1, 1.0);   // "Metal Tone": six knobs
    instance->controller ()->setParamNormalized (0, 1.0);
    const std::filesystem::path outputs =
        std::filesystem::temp_directory_path () / "overmoor-editor-snapshots";
    std::filesystem::create_directories (outputs);
    const std::string actual = (outputs / "model-7@200.png").string ();
    ASSERT_EQ (snapshot->renderToPng (actual.c_str ()), kResultOk);
    const std::string reference = std::string (OVERMOOR_SNAPSHOT_REFERENCES) + "/model-7@200.png";
    EXPECT_EQ (compareWithReference (actual, reference), "");
}

} // namespace
} // namespace EditorTest

// SPDX-License-Identifier: GPL-3.0-or-later
// The live host's state file: a second instance comes back as the first was left, and a file it
// cannot read is kept aside rather than overwritten.
#include "render/RenderTestSupport.h"
#include "host/LiveState.h"

namespace {

using namespace Morvane::Test;
using Morvane::HostTool::HostLevels;
using Morvane::HostTool::LiveState;

class LiveStateFile : public BundleFixture
{
protected:
    ScratchFolder scratch;
    const LiveState state {scratch.file ("deep/folder/live.state")};
};

TEST_F (LiveStateFile, ANewInstanceComesBackAsTheOldOneWasLeft)
{
    auto before = createProcessingInstance ();
    ASSERT_NE (before, nullptr);
    before->process (64, {{1, 0, 5 / 7.0}, {3, 0, 0.9}});   // another model, another knob position
    std::string message;
    ASSERT_TRUE (state.save (*before, {3.5f, -6.f}, message)) << message;

    auto after = createInstance ();
    std::vector<uint8_t> expected, fresh, restored;
    before->getState (expected);
    after->getState (fresh);
    ASSERT_NE (fresh, expected);
    HostLevels levels;
    ASSERT_TRUE (state.restore (*after, levels, message)) << message;
    after->getState (restored);
    EXPECT_EQ (restored, expected);
    EXPECT_EQ (levels.inputTrimDb, 3.5f);
    EXPECT_EQ (levels.outputLevelDb, -6.f);
}

TEST_F (LiveStateFile, AnUnreadableFileIsKeptAsideAndTheDefaultsStay)
{
    std::filesystem::create_directories (scratch.file ("deep/folder"));
    std::ofstream (state.path ()) << "OMLS but not what follows";
    auto instance = createInstance ();
    HostLevels levels {1.f, 2.f};
    std::string message;
    EXPECT_FALSE (state.restore (*instance, levels, message));
    EXPECT_TRUE (contains (message, state.path () + ".unreadable")) << message;
    EXPECT_EQ (fileBytes (state.path () + ".unreadable"), "OMLS but not what follows");
    EXPECT_EQ (levels.inputTrimDb, 1.f);
}

}   // namespace

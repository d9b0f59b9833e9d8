// SPDX-License-Identifier: GPL-3.0-or-later
// Processor and controller connected the way DAWs connect them, through the bundle. The message
// protocol itself is covered in tests/messages.
#include "support/BundleFixture.h"

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;

class ControllerLink : public Morvane::Test::BundleFixture
{
};

TEST_F (ControllerLink, ModelChangeRestartsForNewTitlesOnce)
{
    auto instance = createInstance ();
    ASSERT_NE (instance, nullptr);
    auto titleOf = [&] (int32 index) {
        ParameterInfo info {};
        EXPECT_EQ (instance->controller ()->getParameterInfo (index, info), kResultOk);
        return std::u16string (reinterpret_cast<const char16_t*> (info.title));
    };
    auto& handler = instance->componentHandler ();
    handler.clear ();
    EXPECT_EQ (titleOf (2), u"n/a 1");
    for (int request = 0; request < 2; ++request)
    {
        ASSERT_EQ (instance->controller ()->setParamNormalized (1, 1.0 / 7.0), kResultOk);
        EXPECT_EQ (handler.restartCount (kParamTitlesChanged), 1) << "the same model again restarts nothing";
        EXPECT_EQ (titleOf (2), u"Gain");
        EXPECT_EQ (titleOf (3), u"Level");
        EXPECT_EQ (titleOf (4), u"n/a 1");
    }
}

TEST_F (ControllerLink, NullAndUnknownMessagesAreRefused)
{
    auto instance = createInstance ();
    ASSERT_NE (instance, nullptr);
    EXPECT_EQ (instance->notifyProcessor (nullptr), kInvalidArgument);
    EXPECT_EQ (instance->notifyProcessor (instance->createMessage ("NoSuchMessage")), kResultFalse);
    EXPECT_EQ (instance->notifyProcessor (instance->createMessage ("PrsHnd")), kResultFalse) << "no command in it";
}

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// Every input kept in fuzz/corpus/ through its fuzzer's harness, and the faults fuzzing found,
// each pinned by the plug-in behaviour that replaced it.
#include "FuzzSupport.h"
#include "OvermoorHarnesses.h"
#include "controller/CMVXMessageKeys.h"
#include "controller/CMVXStravelEditController.h"
#include "host/ComponentHandlerRecorder.h"
#include "host/StateBytes.h"
#include "host/StrictReadStream.h"
#include "processor/CMVXStravelVST3.h"
#include "pluginterfaces/vst/ivstmessage.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;
namespace keys = CMVXMessageKeys;
namespace fs = std::filesystem;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN ();

// Each fuzzer's kept inputs run through its harness without a broken expectation (and, in the
// sanitizer build, without a sanitizer report).
using Harness = std::string (*) (const uint8_t*, size_t);

struct Fuzzer
{
    const char* name;
    Harness harness;
};

const Fuzzer kFuzzers[] = {
    {"fuzz_state", OvermoorFuzz::runStateInput},
    {"fuzz_processor_notify", OvermoorFuzz::runProcessorMessages},
    {"fuzz_controller_notify", OvermoorFuzz::runControllerMessages},
    {"fuzz_preset_list_text", OvermoorFuzz::runPresetListText},
    {"fuzz_preset_folder", OvermoorFuzz::runPresetFolderInput},
    {"fuzz_render_options", OvermoorFuzz::runRenderOptions},
};

class FuzzCorpus : public ::testing::TestWithParam<Fuzzer>
{
protected:
    void SetUp () override { OvermoorFuzz::usePrivatePresetFolder (); }
};

TEST_P (FuzzCorpus, EveryKeptInputHoldsItsExpectations)
{
    const fs::path folder = fs::path (OVERMOOR_FUZZ_CORPUS) / GetParam ().name;
    std::vector<fs::path> inputs;
    for (const auto& entry : fs::directory_iterator (folder))
        if (entry.is_regular_file ())
            inputs.push_back (entry.path ());
    std::sort (inputs.begin (), inputs.end ());
    ASSERT_GE (inputs.size (), 3u) << "seed corpus missing in " << folder;
    for (const fs::path& input : inputs)
    {
        std::ifstream file (input, std::ios::binary);
        const std::string bytes {std::istreambuf_iterator<char> (file), {}};
        EXPECT_EQ (
            GetParam ().harness (reinterpret_cast<const uint8_t*> (bytes.data ()), bytes.size ()),
            "")
            << input.filename ();
    }
}

INSTANTIATE_TEST_SUITE_P (Fuzzers, FuzzCorpus, ::testing::ValuesIn (kFuzzers),
                          [] (const ::testing::TestParamInfo<Fuzzer>& info) {
                              return std::string (info.param.name);
                          });

class ControllerValues : public ::testing::Test
{
protected:
    void SetUp () override
    {
        controller = owned (new CMVXStravelEditController ());
        ASSERT_EQ (controller->initialize (&OvermoorFuzz::hostContext ()), kResultOk);
        handler = owned (new Morvane::Host::ComponentHandlerRecorder ());
        controller->setComponentHandler (handler);
    }
    void TearDown () override { controller->terminate (); }

    tresult sendSetParameter (int64 id, double value)
    {
        IPtr<IMessage> message = owned (static_cast<IMessage*> (new HostMessage ()));
        message->setMessageID (keys::kSetParameter);
        message->getAttributes ()->setInt (keys::kParameterId, id);
        message->getAttributes ()->setFloat (keys::kParameterValue, value);
        return controller->notify (message);
    }

    IPtr<CMVXStravelEditController> controller;
    IPtr<Morvane::Host::ComponentHandlerRecorder> handler;
};

// A model value of 4.6e29 from a "WA_SP" message made the knob-title logic convert a model index
// far outside int; values now reach the records and the titles clamped to 0..1.
TEST_F (ControllerValues, ValuesBeyondTheRangeAreClampedBeforeTheModelIsDerived)
{
    EXPECT_EQ (sendSetParameter (1, 4.59803e+29), kResultOk);
    EXPECT_EQ (controller->getParamNormalized (1), 1.0);
    EXPECT_EQ (handler->restartCount (kParamTitlesChanged), 1);   // now "Metal Tone"

    EXPECT_EQ (controller->setParamNormalized (1, -1e300), kResultOk);
    EXPECT_EQ (controller->getParamNormalized (1), 0.0);
    EXPECT_EQ (controller->setParamNormalized (4, std::numeric_limits<double>::infinity ()),
               kResultOk);
    EXPECT_EQ (controller->getParamNormalized (4), 1.0);
}

TEST_F (ControllerValues, NotANumberChangesNothing)
{
    controller->setParamNormalized (1, 3.0 / 7.0);
    handler->clear ();
    EXPECT_EQ (controller->setParamNormalized (1, kNaN), kResultFalse);
    EXPECT_EQ (sendSetParameter (1, kNaN), kResultOk);   // the message itself was understood
    EXPECT_DOUBLE_EQ (controller->getParamNormalized (1), 3.0 / 7.0);
    EXPECT_EQ (handler->restartCount (kParamTitlesChanged), 0);

    // A component state full of NaN leaves every value where it was.
    const std::vector<uint8_t> state =
        Morvane::Host::floatBytes (std::vector<float> (8, std::nanf ("")));
    EXPECT_EQ (controller->setComponentState (Morvane::Host::memoryStreamWith (state)), kResultOk);
    EXPECT_DOUBLE_EQ (controller->getParamNormalized (1), 3.0 / 7.0);
}

std::vector<float> stateOf (CMVXStravelVST3& processor)
{
    IPtr<MemoryStream> stream = owned (new MemoryStream ());
    processor.getState (stream);
    return Morvane::Host::floatsOf (Morvane::Host::bytesOf (*stream));
}

// A state holding -6.1e22 was stored as given and written back by getState; values from states
// (and host queues) now land clamped, and NaN leaves the value as it was.
TEST (ProcessorStateValues, OutOfRangeValuesAreClampedAndNotANumberIgnored)
{
    for (int kind = 0; kind < 2; ++kind)
    {
        IPtr<CMVXStravelVST3> processor = owned (new CMVXStravelVST3 ());
        const std::vector<float> before = stateOf (*processor);
        const float nan = std::nanf ("");
        const std::vector<float> hostile {nan,   -6.146383e+22f, 2.0f,   nan,
                                          -0.0f, 1.0f,           1e-45f, 3.4e38f};
        const std::vector<uint8_t> bytes = Morvane::Host::floatBytes (hostile);
        const tresult result =
            kind == 0 ? processor->setState (Morvane::Host::memoryStreamWith (bytes))
                      : processor->setState (owned (new Morvane::Host::StrictReadStream (bytes)));
        EXPECT_EQ (result, kResultOk);

        const std::vector<float> after = stateOf (*processor);
        ASSERT_EQ (after.size (), 8u);
        EXPECT_EQ (after[0], before[0]);   // "Effect State" kept: still on
        EXPECT_EQ (after[1], 0.0f);
        EXPECT_EQ (after[2], 1.0f);
        EXPECT_EQ (after[3], before[3]);
        EXPECT_EQ (after[7], 1.0f);
        for (float value : after)
            EXPECT_TRUE (OvermoorFuzz::isUnitValue (value)) << value;
        EXPECT_FALSE (processor->getDsp ()->getCurrentAlgorithm ()->bypassed.load ());
        processor->initialize (&OvermoorFuzz::hostContext ());
        EXPECT_TRUE (OvermoorFuzz::processSineBlocks (*processor, *processor, 2));
        processor->terminate ();
    }
}

// A "TextMessage" whose text had 256 or more characters was read past the SDK's 256-character
// buffer (the host's list fills it without a terminator). Texts of any length are now accepted.
TEST (ProcessorTextMessages, TextsOfAnyLengthAreAcceptedAndIgnored)
{
    IPtr<CMVXStravelVST3> processor = owned (new CMVXStravelVST3 ());
    ASSERT_EQ (processor->initialize (&OvermoorFuzz::hostContext ()), kResultOk);
    for (size_t length : {0u, 1u, 254u, 255u, 256u, 300u, 5000u})
    {
        std::vector<TChar> text (length, static_cast<TChar> ('A'));
        text.push_back (0);
        IPtr<IMessage> message = owned (static_cast<IMessage*> (new HostMessage ()));
        message->setMessageID ("TextMessage");
        message->getAttributes ()->setString ("Text", text.data ());
        EXPECT_EQ (processor->notify (message), kResultOk) << length;
    }
    IPtr<IMessage> withoutText = owned (static_cast<IMessage*> (new HostMessage ()));
    withoutText->setMessageID ("TextMessage");
    EXPECT_EQ (processor->notify (withoutText), kResultFalse);
    processor->terminate ();
}

}   // namespace

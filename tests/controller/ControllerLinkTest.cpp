// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's controller link: parameter writes, edit gestures and preset requests as text.
#include "ControllerTestSupport.h"
#include "controller/CMVXMessageKeys.h"
#include "controller/CMVXVST3Controller.h"

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace ControllerTest;
using Morvane::Host::ComponentHandlerRecorder;
namespace keys = CMVXMessageKeys;

class ControllerLink : public ControllerFixture
{
protected:
    void SetUp () override
    {
        ControllerFixture::SetUp ();
        connectPeer ();
        link = std::make_unique<Morvane::CMVXVST3Controller> (controller.get ());
    }
    // The one binary attribute of the last "PrsHnd" message, as key and text.
    std::pair<std::string, std::string> lastRequest ()
    {
        IMessage* message = peer->last ();
        if (message == nullptr || std::string (message->getMessageID ()) != keys::kPresetHandling)
            return {};
        for (const char* key : {keys::kGetFactoryPresets, keys::kGetUserPresets, keys::kPresetSaveAs,
                                keys::kPresetSave, keys::kPresetDelete, keys::kSetSelectedPreset,
                                keys::kGetSelectedPreset})
            if (auto text = binaryText (message, key))
                return {key, *text};
        return {};
    }

    std::unique_ptr<Morvane::CMVXVST3Controller> link;
};

TEST_F (ControllerLink, ListRequestsNeedTheExactName)
{
    link->sendText ("CMVXGetFactoryPresetsMessage");
    ASSERT_EQ (peer->count (keys::kPresetHandling), 1);
    EXPECT_EQ (lastRequest (), std::make_pair (std::string (keys::kGetFactoryPresets), std::string ("\x01")));

    link->sendText ("CMVXGetUserPresetsMessage");
    EXPECT_EQ (lastRequest (), std::make_pair (std::string (keys::kGetUserPresets), std::string ("\x01")));

    for (const char* near : {"CMVXGetFactoryPresetsMessage ", "CMVXGetFactoryPresetsMessageX",
                             " CMVXGetUserPresetsMessage", "cmvxgetuserpresetsmessage", ""})
        link->sendText (near);
    EXPECT_EQ (peer->count (keys::kPresetHandling), 2);
}

TEST_F (ControllerLink, CommandsMatchAnywhereAndCarryTheWholeText)
{
    const std::string save = "CMVXSetPresetSaveMy Lead";
    link->sendText (save);
    EXPECT_EQ (lastRequest (), std::make_pair (std::string (keys::kPresetSave), save));
    EXPECT_EQ (binaryText (peer->last (), keys::kPresetSave)->size (), save.size ());

    const std::string prefixed = "menu:CMVXSetPresetDelete old one";
    link->sendText (prefixed);
    EXPECT_EQ (lastRequest (), std::make_pair (std::string (keys::kPresetDelete), prefixed));

    link->sendText ("CMVXSetSelectedPresetNumber5");
    EXPECT_EQ (lastRequest ().first, keys::kSetSelectedPreset);
    link->sendText ("CMVXGetSelectedPresetNumber");
    EXPECT_EQ (lastRequest ().first, keys::kGetSelectedPreset);
    EXPECT_EQ (peer->count (keys::kPresetHandling), 4);
}

TEST_F (ControllerLink, TheFirstNameInTableOrderWins)
{
    const std::string both = "CMVXSetPresetDelete CMVXSetPresetAsSaveAs";
    link->sendText (both);
    EXPECT_EQ (lastRequest (), std::make_pair (std::string (keys::kPresetSaveAs), both));
    // A save-as name that itself contains a list request is still a save-as.
    link->sendText ("CMVXSetPresetAsSaveAsCMVXGetFactoryPresetsMessage");
    EXPECT_EQ (lastRequest ().first, keys::kPresetSaveAs);
    EXPECT_FALSE (binaryText (peer->last (), keys::kGetFactoryPresets));
}

TEST_F (ControllerLink, UnknownTextsSendNothing)
{
    for (const char* text : {"hello", "CMVXSetPreset", "CMVXGetPresets", "WA_SP"})
        link->sendText (text);
    EXPECT_TRUE (peer->messages.empty ());
}

TEST_F (ControllerLink, WithoutPeerRequestsVanishQuietly)
{
    controller->disconnect (peer);
    link->sendText ("CMVXGetFactoryPresetsMessage");
    EXPECT_TRUE (peer->messages.empty ());
    peer = nullptr;
}

TEST_F (ControllerLink, SetParameterTellsProcessorControllerAndHost)
{
    setHandler ();
    IPtr<FakeEditor> editor = owned (new FakeEditor (controller));
    editor->attachedToParent ();
    link->setParameter (1, 6.0 / 7.0);

    ASSERT_EQ (peer->count (keys::kSetParameter), 1);
    int64 id = -1;
    double value = -1.0;
    IMessage* sent = peer->last ();
    ASSERT_EQ (sent->getAttributes ()->getInt (keys::kParameterId, id), kResultOk);
    ASSERT_EQ (sent->getAttributes ()->getFloat (keys::kParameterValue, value), kResultOk);
    EXPECT_EQ (id, 1);
    EXPECT_DOUBLE_EQ (value, 6.0 / 7.0);

    EXPECT_DOUBLE_EQ (link->getParameter (1), 6.0 / 7.0);
    EXPECT_EQ (title (2), "Overdrive");
    EXPECT_EQ (titleRestarts (), 1);
    EXPECT_EQ (handler->editCount (ComponentHandlerRecorder::EditKind::perform, 1), 1);
    ASSERT_FALSE (editor->values.empty ());
    EXPECT_EQ (editor->values.back ().first, 1);
    editor->removedFromParent ();
}

TEST_F (ControllerLink, GesturesAndCountsGoToTheController)
{
    setHandler ();
    link->beginEdit (4);
    link->setParameter (4, 0.5);
    link->endEdit (4);
    EXPECT_EQ (handler->editCount (ComponentHandlerRecorder::EditKind::begin, 4), 1);
    EXPECT_EQ (handler->editCount (ComponentHandlerRecorder::EditKind::perform, 4), 1);
    EXPECT_EQ (handler->editCount (ComponentHandlerRecorder::EditKind::end, 4), 1);
    EXPECT_EQ (link->getParameterCount (), 8);
    EXPECT_EQ (link->reservedQuery (), 0);
    EXPECT_EQ (link->reservedCommand (3), 1);
    link->reservedShare (std::make_shared<int> (1));
    link->reservedAttach (nullptr);
}

TEST_F (ControllerLink, CustomFloatDataReportsWhetherItWasSent)
{
    const float data[2] = {1.0f, 2.0f};
    EXPECT_EQ (link->setCustomFloatData (3, data, 2), 0);
    EXPECT_EQ (peer->count (keys::kSetCustomFloatData), 1);
    EXPECT_EQ (link->setCustomFloatData (3, nullptr, 2), 1);
    float* buffer = nullptr;
    int32 capacity = 0;
    EXPECT_EQ (link->getCustomFloatData (3, &buffer, &capacity, 0), 0);
}

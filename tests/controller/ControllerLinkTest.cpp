// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's controller link: parameter writes, edit gestures and preset requests as text.
#include "ControllerTestSupport.h"
#include "controller/CMVXVST3Controller.h"

using namespace ControllerTest;
using Morvane::Host::ComponentHandlerRecorder;

class ControllerLink : public ControllerFixture
{
protected:
    void SetUp () override
    {
        ControllerFixture::SetUp ();
        connectPeer ();
        link = std::make_unique<Morvane::CMVXVST3Controller> (controller.get ());
    }
    // The request key and text a text sent as; empty when nothing was sent.
    std::pair<std::string, std::string> sent (const std::string& text)
    {
        const size_t before = peer->messages.size ();
        link->sendText (text);
        if (peer->messages.size () != before + 1
            || !keys::isId (peer->last ()->getMessageID (), keys::kPresetHandling))
            return {};
        for (const char* key : {keys::kGetFactoryPresets, keys::kGetUserPresets,
                                keys::kPresetSaveAs, keys::kPresetSave, keys::kPresetDelete,
                                keys::kSetSelectedPreset, keys::kGetSelectedPreset})
            if (auto carried = binaryText (peer->last (), key))
                return {key, *carried};
        return {"?", ""};
    }

    std::unique_ptr<Morvane::CMVXVST3Controller> link;
};

TEST_F (ControllerLink, TextsBecomePresetRequestsByTheFirstNameInTableOrder)
{
    using Request = std::pair<std::string, std::string>;
    const std::string both = "CMVXSetPresetDelete CMVXSetPresetAsSaveAs";
    const std::string saveAsList = "CMVXSetPresetAsSaveAsCMVXGetFactoryPresetsMessage";
    const std::vector<std::pair<std::string, Request>> cases = {
        // List requests need the exact name and carry one byte.
        {"CMVXGetFactoryPresetsMessage", {keys::kGetFactoryPresets, "\x01"}},
        {"CMVXGetUserPresetsMessage", {keys::kGetUserPresets, "\x01"}},
        {"CMVXGetFactoryPresetsMessage ", {}},
        {"CMVXGetFactoryPresetsMessageX", {}},
        {" CMVXGetUserPresetsMessage", {}},
        {"cmvxgetuserpresetsmessage", {}},
        {"", {}},
        // Commands match anywhere and carry the whole text.
        {"CMVXSetPresetSaveMy Lead", {keys::kPresetSave, "CMVXSetPresetSaveMy Lead"}},
        {"menu:CMVXSetPresetDelete old one",
         {keys::kPresetDelete, "menu:CMVXSetPresetDelete old one"}},
        {"CMVXSetSelectedPresetNumber5",
         {keys::kSetSelectedPreset, "CMVXSetSelectedPresetNumber5"}},
        {"CMVXGetSelectedPresetNumber", {keys::kGetSelectedPreset, "CMVXGetSelectedPresetNumber"}},
        {both, {keys::kPresetSaveAs, both}},
        {saveAsList, {keys::kPresetSaveAs, saveAsList}},   // a save-as name holding a list request
        {"hello", {}},
        {"CMVXSetPreset", {}},
        {"CMVXGetPresets", {}},
        {"WA_SP", {}}};
    for (const auto& [text, request] : cases)
        EXPECT_EQ (sent (text), request) << '"' << text << '"';

    controller->disconnect (peer);   // without a peer requests vanish quietly
    EXPECT_EQ (sent ("CMVXGetFactoryPresetsMessage"), Request ());
    peer = nullptr;
}

TEST_F (ControllerLink, SetParameterTellsProcessorControllerEditorAndHost)
{
    setHandler ();
    IPtr<FakeEditor> editor = owned (new FakeEditor (controller));
    editor->attachedToParent ();
    link->beginEdit (1);
    link->setParameter (1, 6.0 / 7.0);
    link->endEdit (1);

    ASSERT_EQ (peer->count (keys::kSetParameter), 1);
    int64 id = -1;
    double value = -1.0;
    peer->last ()->getAttributes ()->getInt (keys::kParameterId, id);
    peer->last ()->getAttributes ()->getFloat (keys::kParameterValue, value);
    EXPECT_EQ (std::make_pair (id, value), std::make_pair (int64 (1), 6.0 / 7.0));
    EXPECT_DOUBLE_EQ (link->getParameter (1), 6.0 / 7.0);
    EXPECT_EQ (title (2), "Overdrive");
    EXPECT_EQ (titleRestarts (), 1);
    for (auto kind :
         {ComponentHandlerRecorder::EditKind::begin, ComponentHandlerRecorder::EditKind::perform,
          ComponentHandlerRecorder::EditKind::end})
        EXPECT_EQ (handler->editCount (kind, 1), 1);
    ASSERT_FALSE (editor->values.empty ());
    EXPECT_EQ (editor->values.back ().first, 1);
    editor->removedFromParent ();
    EXPECT_EQ (link->getParameterCount (), 8);
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

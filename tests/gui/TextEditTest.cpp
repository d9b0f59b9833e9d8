// SPDX-License-Identifier: GPL-3.0-or-later
// Editing a text field with made-up clicks and keys.
#include "GuiTestSupport.h"
#include "gui/CTextEdit.h"
#include <gtest/gtest.h>

using namespace GuiTest;

namespace {

struct TextEditFixture : ::testing::Test
{
    TextEditFixture ()
    {
        field = new CTextEdit (CRect (10, 10, 150, 30), &recorder, 16, "New Preset");
        frame->addView (field);
    }

    void type (const char32_t* text)
    {
        for (; *text; ++text)
            frame.key (0, static_cast<int32_t> (*text));
    }

    OffscreenFrame frame;
    Recorder recorder;
    CTextEdit* field;
};

}   // namespace

TEST_F (TextEditFixture, KeysOnlyReachTheFieldAfterAClickGaveItFocus)
{
    EXPECT_EQ (frame.key (0, 'x'), -1);
    EXPECT_EQ (field->getText (), "New Preset");
    frame.down (149, 20);   // right of the text: the caret goes to its end
    EXPECT_EQ (frame->getFocusView (), field);
    EXPECT_TRUE (field->isEditing ());
    EXPECT_EQ (field->getCaretPosition (), field->getText ().size ());
}

TEST_F (TextEditFixture, FocusSelectsAllAndSelectionsAreReplacedCutCopiedAndPasted)
{
    frame->setFocusView (field);
    EXPECT_EQ (field->getSelectionEnd () - field->getSelectionStart (), 10u);
    type (U"mylead");   // replaces "New Preset"
    const auto shiftLeft = [&] { frame.key (VKEY_LEFT, 0, MODIFIER_SHIFT); };
    shiftLeft ();
    shiftLeft ();
    frame.key (0, 'c', MODIFIER_CONTROL);   // "ad"
    frame.key (VKEY_END);
    frame.key (0, 'v', MODIFIER_CONTROL);
    EXPECT_EQ (field->getText (), "myleadad");
    frame.key (0, 'a', MODIFIER_CONTROL);
    frame.key (0, 'x', MODIFIER_CONTROL);
    EXPECT_EQ (field->getText (), "");
    frame.key (0, 'v', MODIFIER_CONTROL);
    frame.key (0, 'v', MODIFIER_CONTROL);
    EXPECT_EQ (field->getText (), "myleadadmyleadad");

    // A drag from the far left to the far right selects everything in between.
    frame.down (11, 20);
    frame.move (149, 20);
    frame.up (149, 20);
    EXPECT_EQ (field->getSelectionStart (), 0u);
    EXPECT_EQ (field->getSelectionEnd (), field->getText ().size ());
    type (U"x");
    EXPECT_EQ (field->getText (), "x");
}

TEST_F (TextEditFixture, Utf8TypingAndCaretMovesWorkOnCodePoints)
{
    frame.down (20, 20);
    frame.key (VKEY_HOME);
    type (U"Ü€𝄞 ");   // two, three and four UTF-8 bytes, then a space
    EXPECT_EQ (field->getText (), "Ü€𝄞 New Preset");
    frame.key (VKEY_LEFT);
    frame.key (VKEY_LEFT);
    frame.key (VKEY_BACK);   // removes the whole "€"
    EXPECT_EQ (field->getText (), "Ü𝄞 New Preset");
    frame.key (VKEY_DELETE);   // removes the whole "𝄞"
    EXPECT_EQ (field->getText (), "Ü New Preset");
    frame.key (VKEY_END);
    frame.key (VKEY_BACK);
    frame.key (VKEY_RIGHT);   // already at the end
    type (U"!");
    EXPECT_EQ (field->getText (), "Ü New Prese!");
    frame.key (VKEY_HOME);
    frame.key (VKEY_LEFT);   // already at the start
    frame.key (VKEY_DELETE);
    EXPECT_EQ (field->getText (), " New Prese!");
    // Control chords and control characters are not text.
    frame.key (0, 'a', MODIFIER_CONTROL);
    frame.key (0, 0x08);
    EXPECT_EQ (field->getText (), " New Prese!");
    EXPECT_TRUE (recorder.values.empty ());
}

TEST_F (TextEditFixture, ReturnCommitsAndKeepsTheTextEscapeRestoresIt)
{
    frame.down (20, 20);
    frame.key (VKEY_END);
    type (U" 2");
    EXPECT_EQ (frame.key (VKEY_RETURN), 1);
    EXPECT_EQ (field->getText (), "New Preset 2");
    EXPECT_FALSE (field->isEditing ());
    EXPECT_EQ (frame->getFocusView (), nullptr);
    EXPECT_EQ (recorder.values.size (), 1u);
    EXPECT_EQ (recorder.begins, 1);
    EXPECT_EQ (recorder.ends, 1);

    frame.down (20, 20);
    frame.key (VKEY_BACK);
    type (U"xyz");
    EXPECT_EQ (frame.key (VKEY_ESCAPE), 1);
    EXPECT_EQ (field->getText (), "New Preset 2");
    EXPECT_FALSE (field->isEditing ());
    EXPECT_EQ (recorder.values.size (), 1u);
}

TEST_F (TextEditFixture, AClickElsewhereCommitsAndAFieldWithoutListenerIsFine)
{
    frame.down (20, 20);
    frame.key (VKEY_END);
    type (U"!");
    frame.down (180, 100);
    EXPECT_FALSE (field->isEditing ());
    EXPECT_EQ (field->getText (), "New Preset!");
    EXPECT_EQ (recorder.values.size (), 1u);

    field->setListener (nullptr);
    frame.down (20, 20);
    frame.key (VKEY_END);
    type (U"?");
    frame.key (VKEY_RETURN);
    EXPECT_EQ (field->getText (), "New Preset!?");
}

TEST_F (TextEditFixture, RemovingTheFieldMidEditDropsFocusAndTellsNoOne)
{
    frame.down (20, 20);
    type (U"!");
    field->remember ();
    frame->removeView (field);
    EXPECT_EQ (frame->getFocusView (), nullptr);
    EXPECT_FALSE (field->isEditing ());
    EXPECT_TRUE (recorder.values.empty ());
    EXPECT_EQ (frame.key (0, 'x'), -1);
    field->forget ();
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The thin CPluginFactory in what the plug-in's own factory (tests/entry) never does: classes
// registered in UTF-16 or as version 1, duplicates, creation contexts and failing creations.
#include "sdk/pluginfactory.h"
#include "sdk/audioeffect.h"
#include <gtest/gtest.h>
#include <string>

using namespace Steinberg;

namespace {

const FUID kPlainId (0x11111111, 0x22222222, 0x33333333, 0x44444444);
const FUID kWideId (0x55555555, 0x66666666, 0x77777777, 0x88888888);
const FUID kClassicId (0x99999999, 0xAAAAAAAA, 0xBBBBBBBB, 0xCCCCCCCC);

void* gContextSeen = nullptr;

FUnknown* createEffect (void* context)
{
    gContextSeen = context;
    return static_cast<Vst::IAudioProcessor*> (new Vst::AudioEffect ());
}

std::u16string utf16 (const char16* text)
{
    return reinterpret_cast<const char16_t*> (text);
}

const PClassInfo2 kPlainClass (kPlainId.toTUID (), PClassInfo::kManyInstances, "Audio Module Class",
                               "Plain", 1, "Fx", "", "1.2.3.4", "VST 3.5.1");

struct FactoryFixture : ::testing::Test
{
    void TearDown () override { factory->release (); }
    CPluginFactory* factory = new CPluginFactory (PFactoryInfo (
        "Vendor", "http://example.invalid", "mailto:help@example.invalid", PFactoryInfo::kUnicode));
};

}   // namespace

// Records registered in UTF-16 or as version 1 (the plug-in's own, version 2, through every
// record version: tests/entry): a UTF-16 class has no 8-bit record and a version 1 class gets
// empty version fields; a duplicate id is refused.
TEST_F (FactoryFixture, ClassRecordsOfEveryRegistrationKind)
{
    const PClassInfoW wide (kWideId.toTUID (), 1, "Component Controller Class", STR16 ("Wide"), 0,
                            "", STR16 (""), STR16 ("2.0"), STR16 ("VST 3.5.1"));
    const PClassInfo classic (kClassicId.toTUID (), 1, "Service", "Classic");
    ASSERT_TRUE (factory->registerClass (&kPlainClass, createEffect)
                 && factory->registerClass (&wide, createEffect)
                 && factory->registerClass (&classic, createEffect));
    EXPECT_FALSE (factory->registerClass (&kPlainClass, createEffect)) << "duplicate class id";
    EXPECT_EQ (factory->countClasses (), 3);
    EXPECT_TRUE (factory->isClassRegistered (kWideId));
    EXPECT_FALSE (factory->isClassRegistered (FUID (1, 2, 3, 4)));

    PClassInfo info;
    PClassInfo2 info2;
    PClassInfoW infoW;
    EXPECT_EQ (factory->getClassInfo (1, &info), kResultFalse);
    EXPECT_EQ (info.name[0], 0);
    EXPECT_EQ (factory->getClassInfo2 (1, &info2), kResultFalse);
    ASSERT_EQ (factory->getClassInfoUnicode (1, &infoW), kResultOk);
    EXPECT_EQ (FUID::fromTUID (infoW.cid), kWideId);
    EXPECT_EQ (utf16 (infoW.name), u"Wide");
    EXPECT_STREQ (infoW.category, "Component Controller Class");

    ASSERT_EQ (factory->getClassInfo2 (2, &info2), kResultOk);
    EXPECT_STREQ (info2.name, "Classic");
    EXPECT_STREQ (info2.category, "Service");
    EXPECT_STREQ (info2.version, "");
    EXPECT_EQ (factory->getClassInfo (3, &info), kInvalidArgument);
}

// The registered context reaches the creation function; a failed creation or no place for the
// answer hand out no object (references, wrong interfaces and unknown ids: tests/entry).
TEST_F (FactoryFixture, CreateInstancePassesTheContextAndHandsOutNothingOnFailure)
{
    int context = 0;
    factory->registerClass (&kPlainClass, createEffect, &context);
    FUnknown* base = nullptr;
    ASSERT_EQ (factory->createInstance (kPlainId.toTUID (), FUnknown::iid,
                                        reinterpret_cast<void**> (&base)),
               kResultOk);
    EXPECT_EQ (gContextSeen, &context);
    EXPECT_EQ (base->release (), 0u);

    const PClassInfo2 failing (kWideId.toTUID (), 1, "Service", "Failing", 0, "", "", "", "");
    factory->registerClass (&failing, [] (void*) -> FUnknown* { return nullptr; });
    void* obj = reinterpret_cast<void*> (0x1);
    EXPECT_NE (factory->createInstance (kWideId.toTUID (), IPluginBase::iid, &obj), kResultOk);
    EXPECT_EQ (obj, nullptr);
    EXPECT_EQ (factory->createInstance (kPlainId.toTUID (), IPluginBase::iid, nullptr),
               kInvalidArgument);
}

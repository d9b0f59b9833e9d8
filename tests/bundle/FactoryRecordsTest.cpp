// SPDX-License-Identifier: GPL-3.0-or-later
// The factory and class records a host reads before creating anything.
#include "support/BundleFixture.h"
#include "pluginterfaces/base/ustring.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include <cstring>

namespace {

using namespace Steinberg;

const FUID kProcessorCid (0x84C4DE6E, 0x91554F54, 0x9F6AFA2F, 0x3C956234);
const FUID kControllerCid (0xD39C4B76, 0x17AF42FB, 0x834A52E4, 0x41E0DD0C);

std::string narrow (const char16* text)
{
    std::string result;
    for (; text && *text; ++text)
        result += *text < 128 ? static_cast<char> (*text) : '?';
    return result;
}

class FactoryRecords : public Morvane::Test::BundleFixture
{
};

TEST_F (FactoryRecords, FactoryInfo)
{
    PFactoryInfo info {};
    ASSERT_EQ (factory ()->getFactoryInfo (&info), kResultOk);
    EXPECT_STREQ (info.vendor, "Morvane");
    EXPECT_EQ (std::strncmp (info.url, "http://", 7), 0) << info.url;
    EXPECT_GT (std::strlen (info.url), 7u);
    EXPECT_EQ (std::strncmp (info.email, "mailto:", 7), 0) << info.email;
    EXPECT_GT (std::strlen (info.email), 7u);
    EXPECT_EQ (info.flags, PFactoryInfo::kUnicode);
}

TEST_F (FactoryRecords, TwoClassesProcessorThenController)
{
    ASSERT_EQ (factory ()->countClasses (), 2);
    PClassInfo processor {}, controller {}, beyond {};
    ASSERT_EQ (factory ()->getClassInfo (0, &processor), kResultOk);
    ASSERT_EQ (factory ()->getClassInfo (1, &controller), kResultOk);
    EXPECT_NE (factory ()->getClassInfo (2, &beyond), kResultOk);
    EXPECT_NE (factory ()->getClassInfo (-1, &beyond), kResultOk);

    EXPECT_EQ (FUID::fromTUID (processor.cid), kProcessorCid);
    EXPECT_EQ (processor.cardinality, PClassInfo::kManyInstances);
    EXPECT_STREQ (processor.category, "Audio Module Class");
    EXPECT_STREQ (processor.name, "Overmoor");

    EXPECT_EQ (FUID::fromTUID (controller.cid), kControllerCid);
    EXPECT_EQ (controller.cardinality, PClassInfo::kManyInstances);
    EXPECT_STREQ (controller.category, "Component Controller Class");
    EXPECT_STREQ (controller.name, "OvermoorController");
}

TEST_F (FactoryRecords, ExtendedClassRecords)
{
    FUnknownPtr<IPluginFactory2> factory2 (factory ());
    ASSERT_TRUE (factory2);
    PClassInfo2 processor {}, controller {};
    ASSERT_EQ (factory2->getClassInfo2 (0, &processor), kResultOk);
    ASSERT_EQ (factory2->getClassInfo2 (1, &controller), kResultOk);

    EXPECT_EQ (FUID::fromTUID (processor.cid), kProcessorCid);
    EXPECT_STREQ (processor.category, "Audio Module Class");
    EXPECT_STREQ (processor.name, "Overmoor");
    EXPECT_EQ (processor.classFlags, 1u); // distributable
    EXPECT_STREQ (processor.subCategories, "Fx");
    EXPECT_STREQ (processor.vendor, "");
    EXPECT_STREQ (processor.version, "1.0.0.4");
    EXPECT_STREQ (processor.sdkVersion, "VST 3.5.1");

    EXPECT_EQ (FUID::fromTUID (controller.cid), kControllerCid);
    EXPECT_STREQ (controller.category, "Component Controller Class");
    EXPECT_STREQ (controller.name, "OvermoorController");
    EXPECT_EQ (controller.classFlags, 0u);
    EXPECT_STREQ (controller.subCategories, "");
    EXPECT_STREQ (controller.vendor, "");
    EXPECT_STREQ (controller.version, "1.0.0.4");
    EXPECT_STREQ (controller.sdkVersion, "VST 3.5.1");
}

TEST_F (FactoryRecords, UnicodeClassRecordsMatchTheNarrowOnes)
{
    FUnknownPtr<IPluginFactory3> factory3 (factory ());
    if (!factory3)
        GTEST_SKIP () << "no IPluginFactory3";
    PClassInfoW processor {}, controller {};
    ASSERT_EQ (factory3->getClassInfoUnicode (0, &processor), kResultOk);
    ASSERT_EQ (factory3->getClassInfoUnicode (1, &controller), kResultOk);
    EXPECT_EQ (FUID::fromTUID (processor.cid), kProcessorCid);
    EXPECT_EQ (narrow (processor.name), "Overmoor");
    EXPECT_EQ (narrow (processor.version), "1.0.0.4");
    EXPECT_EQ (narrow (processor.sdkVersion), "VST 3.5.1");
    EXPECT_STREQ (processor.subCategories, "Fx");
    EXPECT_EQ (narrow (controller.name), "OvermoorController");
}

TEST_F (FactoryRecords, CreatesEachClassThroughItsInterfacesAndRefusesUnknownIds)
{
    PClassInfo processorInfo {}, controllerInfo {};
    factory ()->getClassInfo (0, &processorInfo);
    factory ()->getClassInfo (1, &controllerInfo);

    void* obj = nullptr;
    ASSERT_EQ (factory ()->createInstance (processorInfo.cid, Vst::IAudioProcessor::iid, &obj), kResultOk);
    ASSERT_NE (obj, nullptr);
    static_cast<Vst::IAudioProcessor*> (obj)->release ();

    obj = nullptr;
    ASSERT_EQ (factory ()->createInstance (processorInfo.cid, Vst::IComponent::iid, &obj), kResultOk);
    ASSERT_NE (obj, nullptr);
    auto* component = static_cast<Vst::IComponent*> (obj);
    TUID named {};
    EXPECT_EQ (component->getControllerClassId (named), kResultTrue);
    EXPECT_EQ (FUID::fromTUID (named), kControllerCid);
    component->release ();

    obj = nullptr;
    ASSERT_EQ (factory ()->createInstance (controllerInfo.cid, Vst::IEditController::iid, &obj), kResultOk);
    ASSERT_NE (obj, nullptr);
    static_cast<Vst::IEditController*> (obj)->release ();

    obj = reinterpret_cast<void*> (1);
    TUID unknown {};
    EXPECT_NE (factory ()->createInstance (unknown, Vst::IComponent::iid, &obj), kResultOk);
    EXPECT_EQ (obj, nullptr);
}

} // namespace

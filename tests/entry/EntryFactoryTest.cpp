// SPDX-License-Identifier: GPL-3.0-or-later
// The library's exports and the class records a host reads before creating anything.
#include "entry/CMVXModuleInfo.h"
#include "sdk/pluginfactory.h"
#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include <gtest/gtest.h>
#include <string>

extern "C" {
bool InitDll ();
bool ExitDll ();
bool ModuleEntry (void*);
bool ModuleExit ();
}

using namespace Steinberg;

namespace {

const FUID kProcessorId (0x84C4DE6E, 0x91554F54, 0x9F6AFA2F, 0x3C956234);
const FUID kControllerId (0xD39C4B76, 0x17AF42FB, 0x834A52E4, 0x41E0DD0C);

bool startsWith (const std::string& text, const std::string& prefix)
{
    return text.compare (0, prefix.size (), prefix) == 0;
}

// Holds the host's reference for one test and gives it back at the end.
struct FactoryFixture : ::testing::Test
{
    void SetUp () override { factory = GetPluginFactory (); }
    void TearDown () override
    {
        if (factory)
            factory->release ();
    }
    IPluginFactory* factory = nullptr;
};

} // namespace

TEST_F (FactoryFixture, LaterCallsShareTheFactoryAndAddAReference)
{
    ASSERT_NE (factory, nullptr);
    IPluginFactory* again = GetPluginFactory ();
    EXPECT_EQ (again, factory);
    EXPECT_EQ (factory->addRef (), 3u);
    EXPECT_EQ (factory->release (), 2u);
    EXPECT_EQ (again->release (), 1u);
}

TEST (EntryFactory, LastReleaseDestroysAndNextCallRebuilds)
{
    IPluginFactory* first = GetPluginFactory ();
    ASSERT_NE (first, nullptr);
    EXPECT_EQ (first->release (), 0u);
    EXPECT_EQ (gPluginFactory, nullptr);
    IPluginFactory* second = GetPluginFactory ();
    ASSERT_NE (second, nullptr);
    EXPECT_EQ (second->countClasses (), 2) << "classes are registered again";
    second->release ();
}

TEST_F (FactoryFixture, FactoryRecordNamesTheMaker)
{
    PFactoryInfo info;
    ASSERT_EQ (factory->getFactoryInfo (&info), kResultOk);
    EXPECT_STREQ (info.vendor, "Morvane");
    EXPECT_TRUE (startsWith (info.url, "http://")) << info.url;
    EXPECT_TRUE (startsWith (info.email, "mailto:")) << info.email;
    EXPECT_EQ (info.flags, PFactoryInfo::kUnicode);
}

TEST_F (FactoryFixture, TwoClassRecordsProcessorFirst)
{
    IPluginFactory2* factory2 = nullptr;
    ASSERT_EQ (factory->queryInterface (IPluginFactory2::iid, reinterpret_cast<void**> (&factory2)),
               kResultOk);
    ASSERT_EQ (factory2->countClasses (), 2);

    struct Expected
    {
        FUID cid;
        const char* category;
        const char* name;
        uint32 flags;
        const char* subCategories;
    };
    const Expected expected[2] = {
        {kProcessorId, "Audio Module Class", "Overmoor", 1, "Fx"},
        {kControllerId, "Component Controller Class", "OvermoorController", 0, ""},
    };
    for (int32 i = 0; i < 2; ++i)
    {
        PClassInfo2 info;
        ASSERT_EQ (factory2->getClassInfo2 (i, &info), kResultOk);
        EXPECT_EQ (FUID::fromTUID (info.cid), expected[i].cid) << "class " << i;
        EXPECT_EQ (info.cardinality, 0x7FFFFFFF);
        EXPECT_STREQ (info.category, expected[i].category);
        EXPECT_STREQ (info.name, expected[i].name);
        EXPECT_EQ (info.classFlags, expected[i].flags);
        EXPECT_STREQ (info.subCategories, expected[i].subCategories);
        EXPECT_STREQ (info.vendor, "");
        EXPECT_STREQ (info.version, "1.0.0.4");
        EXPECT_STREQ (info.sdkVersion, "VST 3.5.1");
    }
    PClassInfo2 none;
    EXPECT_EQ (factory2->getClassInfo2 (2, &none), kInvalidArgument);
    factory2->release ();
}

TEST_F (FactoryFixture, UnicodeRecordsCarryTheSameNames)
{
    IPluginFactory3* factory3 = nullptr;
    ASSERT_EQ (factory->queryInterface (IPluginFactory3::iid, reinterpret_cast<void**> (&factory3)),
               kResultOk);
    PClassInfoW info;
    ASSERT_EQ (factory3->getClassInfoUnicode (1, &info), kResultOk);
    EXPECT_EQ (std::u16string (reinterpret_cast<const char16_t*> (info.name)), u"OvermoorController");
    EXPECT_EQ (std::u16string (reinterpret_cast<const char16_t*> (info.version)), u"1.0.0.4");
    factory3->release ();
}

TEST_F (FactoryFixture, CreatesProcessorThatNamesTheController)
{
    Vst::IComponent* component = nullptr;
    ASSERT_EQ (factory->createInstance (kProcessorId.toTUID (), Vst::IComponent::iid,
                                        reinterpret_cast<void**> (&component)),
               kResultOk);
    ASSERT_NE (component, nullptr);
    TUID controllerCid = {};
    ASSERT_EQ (component->getControllerClassId (controllerCid), kResultOk);
    EXPECT_EQ (FUID::fromTUID (controllerCid), kControllerId);

    Vst::IAudioProcessor* processor = nullptr;
    ASSERT_EQ (component->queryInterface (Vst::IAudioProcessor::iid,
                                          reinterpret_cast<void**> (&processor)),
               kResultOk);
    processor->release ();
    EXPECT_EQ (component->release (), 0u) << "the caller held the only reference";
}

TEST_F (FactoryFixture, CreatesControllerAndRefusesWrongInterfaces)
{
    Vst::IEditController* controller = nullptr;
    ASSERT_EQ (factory->createInstance (kControllerId.toTUID (), Vst::IEditController::iid,
                                        reinterpret_cast<void**> (&controller)),
               kResultOk);
    ASSERT_NE (controller, nullptr);
    EXPECT_EQ (controller->release (), 0u);

    void* object = nullptr;
    EXPECT_EQ (factory->createInstance (kProcessorId.toTUID (), Vst::IEditController::iid, &object),
               kNoInterface);
    EXPECT_EQ (object, nullptr);
    const FUID unknown (1, 2, 3, 4);
    EXPECT_EQ (factory->createInstance (unknown.toTUID (), Vst::IComponent::iid, &object),
               kNoInterface);
    EXPECT_EQ (object, nullptr);
}

TEST (EntryPoints, LegacyEntriesAlwaysSucceed)
{
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_TRUE (InitDll ());
        EXPECT_TRUE (ExitDll ());
    }
}

TEST (EntryPoints, ModuleEntryRecordsHandleAndFolderUntilTheLastExit)
{
    int marker = 0;
    EXPECT_EQ (CMVXModuleInfo::getHandle (), nullptr);
    ASSERT_TRUE (ModuleEntry (&marker));
    EXPECT_EQ (CMVXModuleInfo::getHandle (), &marker);
    ASSERT_TRUE (ModuleEntry (nullptr)) << "a nested entry keeps the first record";
    EXPECT_EQ (CMVXModuleInfo::getHandle (), &marker);

    // Linked statically here, the library's folder is the test program's folder.
    const std::string folder = CMVXModuleInfo::getFolder ();
    EXPECT_FALSE (folder.empty ());
    EXPECT_NE (folder.back (), '/');
    EXPECT_EQ (CMVXModuleInfo::getResourcesFolder (),
               folder.substr (0, folder.find_last_of ('/')) + "/Resources");

    EXPECT_TRUE (ModuleExit ());
    EXPECT_EQ (CMVXModuleInfo::getHandle (), &marker);
    EXPECT_TRUE (ModuleExit ());
    EXPECT_EQ (CMVXModuleInfo::getHandle (), nullptr);
    EXPECT_TRUE (ModuleExit ()) << "an unmatched exit is harmless";
    EXPECT_EQ (CMVXModuleInfo::getFolder (), folder);
}

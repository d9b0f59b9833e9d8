// SPDX-License-Identifier: GPL-3.0-or-later
// The library's exports and the factory records a host reads before creating anything, compiled
// into the test (the bundle's own symbols and load order are checked in tests/conformance), and
// the bare SDK factory in what the plug-in's own never does.
#include "entry/CMVXModuleInfo.h"
#include "sdk/pluginfactory.h"
#include "sdk/audioeffect.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <vector>

#ifdef _WIN32
#include "support/Portability.h"
#include <windows.h>
#include <filesystem>
#endif

extern "C"
{
    bool InitDll ();
    bool ExitDll ();
#ifndef _WIN32
    bool ModuleEntry (void*);
    bool ModuleExit ();
#endif
}

using namespace Steinberg;

namespace {

const FUID kProcessorId (0x84C4DE6E, 0x91554F54, 0x9F6AFA2F, 0x3C956234);
const FUID kControllerId (0xD39C4B76, 0x17AF42FB, 0x834A52E4, 0x41E0DD0C);

// Holds the host's reference for one test and gives it back at the end.
struct FactoryFixture : ::testing::Test
{
    ~FactoryFixture () override { factory->release (); }
    IPluginFactory* factory = GetPluginFactory ();
};

// Every call hands out the same factory with one more reference; the last release destroys it
// and the next call builds it again with its classes.
TEST (EntryFactory, SharedFactoryCountsReferencesAndIsRebuiltAfterTheLastRelease)
{
    IPluginFactory* first = GetPluginFactory ();
    ASSERT_NE (first, nullptr);
    EXPECT_EQ (GetPluginFactory (), first);
    EXPECT_EQ (first->addRef (), 3u);
    EXPECT_EQ (first->release (), 2u);
    EXPECT_EQ (first->release (), 1u);
    EXPECT_EQ (first->release (), 0u);
    EXPECT_EQ (gPluginFactory, nullptr);
    IPluginFactory* rebuilt = GetPluginFactory ();
    ASSERT_NE (rebuilt, nullptr);
    EXPECT_EQ (rebuilt->countClasses (), 2) << "classes are registered again";
    rebuilt->release ();
}

// Every record version a host may read, and every factory interface, the factory itself.
TEST_F (FactoryFixture, FactoryAndClassRecords)
{
    PFactoryInfo factoryInfo;
    ASSERT_EQ (factory->getFactoryInfo (&factoryInfo), kResultOk);
    EXPECT_STREQ (factoryInfo.vendor, "Morvane");
    for (const auto& [text, prefix] :
         {std::pair<std::string, std::string> {factoryInfo.url, "http://"},
          {factoryInfo.email, "mailto:"}})
        EXPECT_TRUE (text.rfind (prefix, 0) == 0 && text.size () > prefix.size ()) << text;
    EXPECT_EQ (factoryInfo.flags, PFactoryInfo::kUnicode);

    for (const FUID* iid : {&IPluginFactory3::iid, &IPluginFactory2::iid, &FUnknown::iid})
    {
        void* answer = nullptr;
        ASSERT_EQ (factory->queryInterface (*iid, &answer), kResultOk);
        EXPECT_EQ (answer, static_cast<void*> (factory));
        EXPECT_EQ (static_cast<FUnknown*> (answer)->release (), 1u);
    }
    FUnknownPtr<IPluginFactory3> factory2 (factory);
    ASSERT_TRUE (factory2);
    ASSERT_EQ (factory2->countClasses (), 2);
    // cid, then category, name, subcategories, vendor, version, SDK version; the processor is
    // distributable (class flag 1), the controller not.
    const std::pair<FUID, std::vector<std::string>> expected[2] = {
        {kProcessorId, {"Audio Module Class", "Overmoor", "Fx", "", "1.0.0.4", "VST 3.5.1"}},
        {kControllerId,
         {"Component Controller Class", "OvermoorController", "", "", "1.0.0.4", "VST 3.5.1"}}};
    for (int32 i = 0; i < 2; ++i)
    {
        PClassInfo2 info;
        ASSERT_EQ (factory2->getClassInfo2 (i, &info), kResultOk);
        EXPECT_EQ (FUID::fromTUID (info.cid), expected[i].first) << i;
        EXPECT_EQ ((std::vector<std::string> {info.category, info.name, info.subCategories,
                                              info.vendor, info.version, info.sdkVersion}),
                   expected[i].second);
        EXPECT_EQ (info.classFlags, i == 0 ? 1u : 0u) << i;
        EXPECT_EQ (info.cardinality, PClassInfo::kManyInstances) << i;
        PClassInfo first;
        PClassInfoW wide, widened;
        ASSERT_EQ (factory2->getClassInfo (i, &first), kResultOk);
        ASSERT_EQ (factory2->getClassInfoUnicode (i, &wide), kResultOk);
        widened.fromAscii (info);
        EXPECT_EQ (std::memcmp (&first, &info, sizeof first), 0) << "the leading fields, " << i;
        EXPECT_EQ (std::memcmp (&wide, &widened, sizeof wide), 0) << "every field widened, " << i;
    }
    PClassInfo2 none;
    PClassInfo noneFirst;
    PClassInfoW noneWide;
    for (int32 index : {-1, 2})
        EXPECT_TRUE (factory2->getClassInfo2 (index, &none) == kInvalidArgument
                     && factory2->getClassInfo (index, &noneFirst) == kInvalidArgument
                     && factory2->getClassInfoUnicode (index, &noneWide) == kInvalidArgument)
            << index;
    EXPECT_EQ (factory->getFactoryInfo (nullptr), kInvalidArgument);
    EXPECT_EQ (factory2->setHostContext (nullptr), kNotImplemented);
}

// Each class through each interface it offers, with the caller's reference the only one; the
// processor names its controller; wrong interfaces and unknown ids give no object.
TEST_F (FactoryFixture, CreatesEachClassAndRefusesTheRest)
{
    const struct
    {
        const FUID& cid;
        const FUID& iid;
        tresult result;
    } requests[] = {{kProcessorId, Vst::IComponent::iid, kResultOk},
                    {kProcessorId, Vst::IAudioProcessor::iid, kResultOk},
                    {kControllerId, Vst::IEditController::iid, kResultOk},
                    {kProcessorId, Vst::IEditController::iid, kNoInterface},
                    {FUID (1, 2, 3, 4), Vst::IComponent::iid, kNoInterface}};
    for (const auto& request : requests)
    {
        SCOPED_TRACE ("request " + std::to_string (&request - requests));
        void* object = reinterpret_cast<void*> (1);
        ASSERT_EQ (factory->createInstance (request.cid.toTUID (), request.iid, &object),
                   request.result);
        if (request.result != kResultOk)
        {
            EXPECT_EQ (object, nullptr);
            continue;
        }
        ASSERT_NE (object, nullptr);
        TUID controllerCid = {};
        if (&request == requests)
        {
            ASSERT_EQ (static_cast<Vst::IComponent*> (object)->getControllerClassId (controllerCid),
                       kResultOk);
            EXPECT_EQ (FUID::fromTUID (controllerCid), kControllerId);
        }
        EXPECT_EQ (static_cast<FUnknown*> (object)->release (), 0u)
            << "the caller held the only reference";
    }
}

// The bare SDK factory in what the plug-in's own never does: classes registered in UTF-16 (no
// 8-bit record) or as version 1 (empty version fields), duplicate ids, a context for the creation
// function, and failed creations or no place for the answer, which hand out no object.
void* gContextSeen = nullptr;

FUnknown* createEffect (void* context)
{
    gContextSeen = context;
    return static_cast<Vst::IAudioProcessor*> (new Vst::AudioEffect ());
}

TEST (BareFactory, OtherRegistrationsContextsAndFailedCreations)
{
    CPluginFactory factory (PFactoryInfo ("Vendor", "http://example.invalid",
                                          "mailto:help@example.invalid", PFactoryInfo::kUnicode));
    const FUID plainId (1, 1, 1, 1), wideId (2, 2, 2, 2), classicId (3, 3, 3, 3),
        failingId (4, 4, 4, 4);
    const PClassInfo2 plain (plainId.toTUID (), PClassInfo::kManyInstances, "Audio Module Class",
                             "Plain", 1, "Fx", "", "1.2.3.4", "VST 3.5.1");
    const PClassInfoW wide (wideId.toTUID (), 1, "Component Controller Class", STR16 ("Wide"), 0,
                            "", STR16 (""), STR16 ("2.0"), STR16 ("VST 3.5.1"));
    const PClassInfo classic (classicId.toTUID (), 1, "Service", "Classic");
    const PClassInfo2 failing (failingId.toTUID (), 1, "Service", "Failing", 0, "", "", "", "");
    int context = 0;
    ASSERT_TRUE (factory.registerClass (&plain, createEffect, &context)
                 && factory.registerClass (&wide, createEffect)
                 && factory.registerClass (&classic, createEffect)
                 && factory.registerClass (&failing, [] (void*) -> FUnknown* { return nullptr; }));
    EXPECT_FALSE (factory.registerClass (&plain, createEffect)) << "duplicate class id";
    EXPECT_EQ (factory.countClasses (), 4);
    EXPECT_TRUE (factory.isClassRegistered (wideId)
                 && !factory.isClassRegistered (FUID (5, 5, 5, 5)));

    PClassInfo info;
    PClassInfo2 info2;
    PClassInfoW infoW;
    EXPECT_EQ (factory.getClassInfo (1, &info), kResultFalse);
    EXPECT_EQ (info.name[0], 0);
    EXPECT_EQ (factory.getClassInfo2 (1, &info2), kResultFalse);
    ASSERT_EQ (factory.getClassInfoUnicode (1, &infoW), kResultOk);
    EXPECT_EQ (FUID::fromTUID (infoW.cid), wideId);
    EXPECT_EQ (std::u16string (reinterpret_cast<const char16_t*> (infoW.name)), u"Wide");
    EXPECT_STREQ (infoW.category, "Component Controller Class");
    ASSERT_EQ (factory.getClassInfo2 (2, &info2), kResultOk);
    EXPECT_EQ ((std::vector<std::string> {info2.name, info2.category, info2.version}),
               (std::vector<std::string> {"Classic", "Service", ""}));

    FUnknown* object = nullptr;
    ASSERT_EQ (factory.createInstance (plainId.toTUID (), FUnknown::iid,
                                       reinterpret_cast<void**> (&object)),
               kResultOk);
    EXPECT_EQ (gContextSeen, &context);
    EXPECT_EQ (object->release (), 0u);
    void* none = reinterpret_cast<void*> (0x1);
    EXPECT_NE (factory.createInstance (failingId.toTUID (), IPluginBase::iid, &none), kResultOk);
    EXPECT_EQ (none, nullptr);
    EXPECT_EQ (factory.createInstance (plainId.toTUID (), IPluginBase::iid, nullptr),
               kInvalidArgument);
}

#ifndef _WIN32
// The older entry points always succeed; ModuleEntry keeps the first caller's handle (and the
// library's folder) until the matching last exit.
TEST (EntryPoints, ModuleEntryRecordsHandleAndFolderUntilTheLastExit)
{
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE (InitDll () && ExitDll ());
    int marker = 0;
    EXPECT_EQ (CMVXModuleInfo::getHandle (), nullptr);
    ASSERT_TRUE (ModuleEntry (&marker));
    EXPECT_EQ (CMVXModuleInfo::getHandle (), &marker);
    ASSERT_TRUE (ModuleEntry (nullptr)) << "a nested entry keeps the first record";
    EXPECT_EQ (CMVXModuleInfo::getHandle (), &marker);

    // Linked statically here, the library's folder is the test program's folder.
    const std::string folder = CMVXModuleInfo::getFolder ();
    EXPECT_TRUE (!folder.empty () && folder.back () != '/') << folder;
    EXPECT_EQ (CMVXModuleInfo::getResourcesFolder (),
               folder.substr (0, folder.find_last_of ('/')) + "/Resources");

    EXPECT_TRUE (ModuleExit ());
    EXPECT_EQ (CMVXModuleInfo::getHandle (), &marker);
    EXPECT_TRUE (ModuleExit ());
    EXPECT_EQ (CMVXModuleInfo::getHandle (), nullptr);
    EXPECT_TRUE (ModuleExit ()) << "an unmatched exit is harmless";
    EXPECT_EQ (CMVXModuleInfo::getFolder (), folder);
}

#else
// DllMain records the library's own handle and the folder of its file: the bundle's
// Contents/x86_64-win, whatever characters its path holds.
TEST (EntryPoints, DllMainRecordsHandleAndBundleFolder)
{
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE (InitDll () && ExitDll ());
    const std::filesystem::path bundle = std::filesystem::u8path (OVERMOOR_PROBE_BUNDLE);
    const std::filesystem::path library = bundle / "Contents" / "x86_64-win" / "Probe.vst3";
    HMODULE module = LoadLibraryW (library.wstring ().c_str ());
    ASSERT_NE (module, nullptr) << GetLastError ();
    auto handleOf = Morvane::Test::symbolOf<void* (*)()> (module, "overmoorProbeModuleHandle");
    auto folderOf =
        Morvane::Test::symbolOf<const char* (*)()> (module, "overmoorProbeModuleFolder");
    ASSERT_TRUE (handleOf && folderOf);
    EXPECT_EQ (handleOf (), module);
    const std::string folder = folderOf ();
    EXPECT_TRUE (
        std::filesystem::equivalent (std::filesystem::u8path (folder), library.parent_path ()))
        << folder;
    EXPECT_NE (folder.find ("\\Pr\xC3\xB8"
                            "be.vst3\\Contents\\x86_64-win"),
               std::string::npos)
        << folder;
    FreeLibrary (module);
}
#endif

}   // namespace

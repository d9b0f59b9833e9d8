// SPDX-License-Identifier: GPL-3.0-or-later
// fuzz_make_seeds DIR: writes the seed inputs of every fuzzer into DIR/<fuzzer>/, each made by
// the plug-in's own encoders or in the harnesses' input formats, so that fuzzing starts from
// inputs the plug-in really meets.
#include "FuzzBytes.h"
#include "FuzzMessages.h"
#include "FuzzSupport.h"
#include "controller/CMVXMessageKeys.h"
#include "framework/CMVXPresetListText.h"
#include "host/StateBytes.h"
#include "presets/CMVXPresetFileCodec.h"
#include "processor/CMVXStravelClassIds.h"
#include "processor/CMVXStravelVST3.h"
#include <cstdio>
#include <filesystem>
#include <fstream>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace OvermoorFuzz;
namespace keys = CMVXMessageKeys;

namespace {

std::filesystem::path root;

void seed (const std::string& fuzzer, const std::string& name, const std::string& bytes)
{
    std::filesystem::create_directories (root / fuzzer);
    std::ofstream (root / fuzzer / name, std::ios::binary).write (bytes.data (), static_cast<std::streamsize> (bytes.size ()));
}

std::string asText (const std::vector<uint8_t>& bytes) { return std::string (bytes.begin (), bytes.end ()); }
std::string asText (const std::vector<char>& bytes) { return std::string (bytes.begin (), bytes.end ()); }

// The component state of a fresh processor after selecting a preset.
std::string stateOfPreset (int32_t preset)
{
    IPtr<CMVXStravelVST3> processor = owned (new CMVXStravelVST3 ());
    processor->getDsp ()->selectPreset (preset);
    IPtr<MemoryStream> stream = owned (new MemoryStream ());
    processor->getState (stream);
    return asText (Morvane::Host::bytesOf (*stream));
}

std::string factoryListText ()
{
    IPtr<CMVXStravelVST3> processor = owned (new CMVXStravelVST3 ());
    CMVXPlugInDSP* dsp = processor->getDsp ();
    return presetListText (keys::kFactoryPresetList, dsp->getFactoryPresetInfo (), dsp->getFactoryPresetNames ());
}

FuzzMessage message (const char* id, std::vector<FuzzAttribute> attributes)
{
    FuzzMessage m;
    m.id = id;
    m.attributes = std::move (attributes);
    return m;
}

std::string messages (const std::vector<FuzzMessage>& list)
{
    FuzzBytesWriter out;
    for (const FuzzMessage& m : list)
        writeMessage (out, m);
    return out.bytes ();
}

std::string int32Bytes (int32_t value) { return std::string (reinterpret_cast<const char*> (&value), 4); }
std::string floatBytes (const std::vector<float>& values)
{
    return asText (Morvane::Host::floatBytes (values));
}

FuzzMessage presetRequest (const char* key, const std::string& argument)
{
    return message (keys::kPresetHandling, {binaryAttribute (key, std::string (key) + argument)});
}

void stateSeeds ()
{
    const std::string first = stateOfPreset (0);
    seed ("fuzz_state", "factory-0.state", first);
    seed ("fuzz_state", "factory-5.state", stateOfPreset (5));
    seed ("fuzz_state", "metal.state", stateOfPreset (7));
    seed ("fuzz_state", "half.state", first.substr (0, 16));
    seed ("fuzz_state", "longer.state", stateOfPreset (3) + "\x01\x02\x03\x04");
    seed ("fuzz_state", "ones.state", floatBytes (std::vector<float> (8, 1.0f)));
}

void processorSeeds ()
{
    const std::string f = "fuzz_processor_notify";
    seed (f, "set-parameter", messages ({message (keys::kSetParameter, {intAttribute (keys::kParameterId, 1),
                                                                         floatAttribute (keys::kParameterValue, 6.0 / 7.0)})}));
    seed (f, "value-request", messages ({message (keys::kBinary, {binaryAttribute (keys::kGetParameterValue, int32Bytes (1))})}));
    seed (f, "lists", messages ({message (keys::kPresetHandling, {binaryAttribute (keys::kGetFactoryPresets, "\x01")}),
                                 message (keys::kPresetHandling, {binaryAttribute (keys::kGetUserPresets, "\x01")})}));
    seed (f, "select-and-ask", messages ({presetRequest (keys::kSetSelectedPreset, "5"),
                                          presetRequest (keys::kGetSelectedPreset, "")}));
    seed (f, "save-as-select-save-delete",
          messages ({presetRequest (keys::kPresetSaveAs, "My Tone"),
                     message (keys::kPresetHandling, {binaryAttribute (keys::kGetUserPresets, "\x01")}),
                     presetRequest (keys::kSetSelectedPreset, "8"), presetRequest (keys::kPresetSave, "My Tone"),
                     presetRequest (keys::kPresetDelete, "My Tone")}));
    seed (f, "custom-float-data",
          messages ({message (keys::kGetCustomFloatData, {binaryAttribute (keys::kGetCustomFloatData, int32Bytes (0) + int32Bytes (4))}),
                     message (keys::kSetCustomFloatData, {binaryAttribute (keys::kSetCustomFloatData, floatBytes ({0.5f, 0.25f})),
                                                          intAttribute (keys::kCustomDataTag, 3)})}));
    seed (f, "text-message", messages ({message ("TextMessage", {stringAttribute ("Text", "hello")})}));
}

std::string controllerOp (uint8_t op, const std::string& prefix, const FuzzMessage& m)
{
    FuzzBytesWriter out;
    out.byte (op).raw (prefix);
    writeMessage (out, m);
    return out.bytes ();
}

void controllerSeeds ()
{
    const std::string f = "fuzz_controller_notify";
    const std::string metal = stateOfPreset (7);
    seed (f, "sync", controllerOp (0, "", message (keys::kSyncParameters, {intAttribute (keys::kSyncFirstId, 0),
                                                                           binaryAttribute (keys::kSyncValues, metal)})));
    seed (f, "set-parameter", controllerOp (0, "", message (keys::kSetParameter, {intAttribute (keys::kParameterId, 1),
                                                                                   floatAttribute (keys::kParameterValue, 0.5)})));
    seed (f, "preset-texts",
          controllerOp (0, "", message (keys::kPresetHandling, {binaryAttribute (keys::kFactoryPresetList, factoryListText ())}))
              + controllerOp (0, "", message (keys::kPresetHandling, {binaryAttribute (keys::kSetSelectedPreset,
                                                                                       std::string (keys::kSetSelectedPreset) + "3")}))
              + controllerOp (0, "", message (keys::kDspToUi, {binaryAttribute (keys::kDspToUi, "info")})));
    FuzzBytesWriter valueRequest;
    valueRequest.u32 (100);
    seed (f, "value-answer", controllerOp (1, valueRequest.bytes (),
                                           message (keys::kBinary, {binaryAttribute (keys::kSetParameterValue, floatBytes ({0.25f}))})));
    FuzzBytesWriter floatRequest;
    floatRequest.u32 (0).u32 (0).byte (4);
    std::vector<float> ten (10, 0.5f);
    seed (f, "float-answer", controllerOp (2, floatRequest.bytes (),
                                           message (keys::kGetCustomFloatData, {binaryAttribute (keys::kGetCustomFloatData, floatBytes (ten))})));
    FuzzBytesWriter state;
    state.byte (3).lengthPrefixed (metal);
    seed (f, "component-state", state.bytes ());
}

void textSeeds ()
{
    const std::string f = "fuzz_preset_list_text";
    seed (f, "factory-list", factoryListText ());
    seed (f, "user-list", presetListText (keys::kUserPresetList, {"Overmoor", "Overmoor"}, {"My Tone", "Lead"}));
    seed (f, "empty-user-list", keys::kUserPresetList);
    seed (f, "selected-number", selectedPresetNumberText (keys::kSetSelectedPreset, 5));
    seed (f, "selected-negative", selectedPresetNumberText (keys::kSetSelectedPreset, -12));
}

void folderSeeds ()
{
    const std::string f = "fuzz_preset_folder";
    const std::vector<float> values {1.0f, 3.0f / 7.0f, 0.425f, 1.0f, 0.816f, 0.18f, 0.618f, 0.325f};
    seed (f, "my-tone.vstpreset", asText (encodePresetFile (kCMVXStravelProcessorUID, "My Tone", values)));
    seed (f, "escaped-name.vstpreset", asText (encodePresetFile (kCMVXStravelProcessorUID, "<A & \"B\">\t\x01", values)));
    seed (f, "empty-name.vstpreset", asText (encodePresetFile (kCMVXStravelProcessorUID, "", std::vector<float> (9, 0.0f))));
    const FUID foreign (0x01234567, 0x89abcdef, 0x01234567, 0x89abcdef);
    seed (f, "foreign.vstpreset", asText (encodePresetFile (foreign, "Other", values)));
}

void renderSeeds ()
{
    const std::string f = "fuzz_render_options";
    using namespace std::string_literals;
    seed (f, "plain", "in.wav\0out.wav"s);
    seed (f, "preset", "--preset\0Metal\0in.wav\0out.wav"s);
    seed (f, "settings", "--block\0" "512\0--set\0" "1=0.5\0--param\0Gain=70\0in.wav\0out.wav"s);
    seed (f, "automation", "--at\0" "48000\0" "2=0.25\0-q\0in.wav\0out.wav"s);
    seed (f, "list", "--plugin\0/tmp/Overmoor.vst3\0--list"s);
    seed (f, "help", "--help"s);
}

} // namespace

int main (int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf (stderr, "usage: fuzz_make_seeds DIR\n");
        return 2;
    }
    root = argv[1];
    stateSeeds ();
    processorSeeds ();
    controllerSeeds ();
    textSeeds ();
    folderSeeds ();
    renderSeeds ();
    return 0;
}

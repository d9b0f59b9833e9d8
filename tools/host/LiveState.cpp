// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/LiveState.h"
#include "host/StateBytes.h"
#include "presets/CMVXPresetFolder.h"
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace Morvane {
namespace HostTool {

namespace {

// "OMLS", version, trim dB, level dB (float32), then two length-prefixed blobs: component state
// and controller state. Little-endian throughout.
constexpr char kMagic[4] = {'O', 'M', 'L', 'S'};
constexpr uint32_t kVersion = 1;
// Both blobs and the header must fit the largest file the folder reads back.
constexpr uint32_t kMaxBlobBytes = CMVXPresetFolder::kMaxFileBytes / 4;

void putU32 (std::vector<char>& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back (static_cast<char> ((v >> (8 * i)) & 0xff));
}

void putFloat (std::vector<char>& out, float f)
{
    uint32_t v;
    std::memcpy (&v, &f, 4);
    putU32 (out, v);
}

class Reader
{
public:
    explicit Reader (const std::vector<char>& b) : bytes (b) {}
    bool u32 (uint32_t& v)
    {
        if (bytes.size () - at < 4)
            return false;
        v = 0;
        for (int i = 0; i < 4; ++i)
            v |= static_cast<uint32_t> (static_cast<uint8_t> (bytes[at + i])) << (8 * i);
        at += 4;
        return true;
    }
    bool f32 (float& f)
    {
        uint32_t v;
        if (!u32 (v))
            return false;
        std::memcpy (&f, &v, 4);
        return std::isfinite (f);
    }
    bool blob (std::vector<uint8_t>& out)
    {
        uint32_t n;
        if (!u32 (n) || n > kMaxBlobBytes || bytes.size () - at < n)
            return false;
        out.assign (bytes.begin () + at, bytes.begin () + at + n);
        at += n;
        return true;
    }
    bool atEnd () const { return at == bytes.size (); }

private:
    const std::vector<char>& bytes;
    size_t at = 0;
};

}   // namespace

std::string LiveState::defaultPath ()
{
    const std::string folder = CMVXPresetFolder::settingsDirectory ();
    return folder.empty () ? std::string () : CMVXPresetFolder::pathOf (folder, "live.state");
}

bool LiveState::restore (Host::PluginInstance& instance, HostLevels& levels,
                         std::string& message) const
{
    std::error_code code;
    if (!std::filesystem::exists (filePath, code))
        return true;
    const auto bytes = CMVXPresetFolder::readFile (filePath);
    std::vector<uint8_t> component, controller;
    HostLevels read;
    bool ok = bytes.has_value ();
    if (ok)
    {
        Reader in (*bytes);
        uint32_t version = 0;
        ok = bytes->size () >= 4 && std::memcmp (bytes->data (), kMagic, 4) == 0;
        if (ok)
        {
            uint32_t magic;
            ok = in.u32 (magic) && in.u32 (version) && version == kVersion
                 && in.f32 (read.inputTrimDb) && in.f32 (read.outputLevelDb) && in.blob (component)
                 && in.blob (controller) && in.atEnd ();
        }
    }
    using Steinberg::kResultOk;
    ok = ok && instance.setState (component) == kResultOk
         && instance.syncControllerToComponent () == kResultOk;
    if (ok && !controller.empty ())
        instance.controller ()->setState (Host::memoryStreamWith (controller));
    if (ok)
    {
        levels = read;
        return true;
    }
    const std::string aside = filePath + ".unreadable";
    std::filesystem::rename (filePath, aside, code);
    message = "cannot restore " + filePath + " (not a state this program wrote)"
              + (code ? std::string () : "; kept as " + aside) + "; starting from the defaults";
    return false;
}

bool LiveState::save (Host::PluginInstance& instance, const HostLevels& levels,
                      std::string& message) const
{
    std::vector<uint8_t> component, controller;
    if (instance.getState (component) != Steinberg::kResultOk)
    {
        message = "the plug-in gave no state to save";
        return false;
    }
    instance.getControllerState (controller);
    std::vector<char> out (kMagic, kMagic + 4);
    putU32 (out, kVersion);
    putFloat (out, levels.inputTrimDb);
    putFloat (out, levels.outputLevelDb);
    for (const auto* blob : {&component, &controller})
    {
        putU32 (out, static_cast<uint32_t> (blob->size ()));
        out.insert (out.end (), blob->begin (), blob->end ());
    }
    if (out == lastWritten)
        return true;
    const std::filesystem::path target (filePath);
    const std::string folder = target.has_parent_path () ? target.parent_path ().string () : ".";
    if (!CMVXPresetFolder::makeDirectories (folder)
        || !CMVXPresetFolder::writeFileAtomically (folder, target.filename ().string (), out))
    {
        message = "cannot write " + filePath;
        return false;
    }
    lastWritten = std::move (out);
    return true;
}

}   // namespace HostTool
}   // namespace Morvane

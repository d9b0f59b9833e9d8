// SPDX-License-Identifier: GPL-3.0-or-later
#include "presets/CMVXPresetFileCodec.h"
#include "gui/Utf8.h"
#include "base/source/fobject.h"
#include "public.sdk/source/common/memorystream.h"
#include "public.sdk/source/vst/vstpresetfile.h"
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstring>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

constexpr const char* kNameAttribute = "Name";

void appendEscaped (std::string& out, const std::string& text)
{
    for (unsigned char c : text)
    {
        switch (c)
        {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\'': out += "&apos;"; break;
            default:
                if (c < 0x20 || c == 0x7f)
                    out += "&#" + std::to_string (c) + ";";   // keeps control bytes round-trippable
                else
                    out += static_cast<char> (c);
        }
    }
}

// Resolves the five named entities and numeric references; anything unknown stays as written.
std::string unescape (const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size ();)
    {
        if (text[i] != '&')
        {
            out += text[i++];
            continue;
        }
        const size_t end = text.find (';', i);
        if (end == std::string::npos || end - i > 12)
        {
            out += text[i++];
            continue;
        }
        const std::string entity = text.substr (i + 1, end - i - 1);
        bool known = true;
        if (entity == "amp")
            out += '&';
        else if (entity == "lt")
            out += '<';
        else if (entity == "gt")
            out += '>';
        else if (entity == "quot")
            out += '"';
        else if (entity == "apos")
            out += '\'';
        else if (entity.size () > 1 && entity[0] == '#')
        {
            const bool hex = entity[1] == 'x' || entity[1] == 'X';
            const std::string digits = entity.substr (hex ? 2 : 1);
            uint32_t code = 0;
            known = !digits.empty ();
            for (char d : digits)
            {
                int v = -1;
                if (d >= '0' && d <= '9')
                    v = d - '0';
                else if (hex && d >= 'a' && d <= 'f')
                    v = d - 'a' + 10;
                else if (hex && d >= 'A' && d <= 'F')
                    v = d - 'A' + 10;
                if (v < 0 || code > 0x10ffff)
                {
                    known = false;
                    break;
                }
                code = code * (hex ? 16 : 10) + static_cast<uint32_t> (v);
            }
            if (known && code <= 0x10ffff)   // &#0; is our own way to keep a NUL byte
                VSTGUI::Utf8::append (out, code);
            else
                known = false;
        }
        else
            known = false;
        if (known)
            i = end + 1;
        else
            out += text[i++];
    }
    return out;
}

// The quoted value of attribute `key` inside one tag's text, if present.
std::optional<std::string> attributeValue (const std::string& tag, const std::string& key)
{
    for (size_t pos = 0; (pos = tag.find (key, pos)) != std::string::npos; pos += key.size ())
    {
        const bool boundary = pos > 0 && std::isspace (static_cast<unsigned char> (tag[pos - 1]));
        size_t p = pos + key.size ();
        while (p < tag.size () && std::isspace (static_cast<unsigned char> (tag[p])))
            ++p;
        if (!boundary || p >= tag.size () || tag[p] != '=')
            continue;
        ++p;
        while (p < tag.size () && std::isspace (static_cast<unsigned char> (tag[p])))
            ++p;
        if (p >= tag.size () || (tag[p] != '"' && tag[p] != '\''))
            return std::nullopt;
        const char quote = tag[p];
        const size_t close = tag.find (quote, p + 1);
        if (close == std::string::npos)
            return std::nullopt;
        return unescape (tag.substr (p + 1, close - p - 1));
    }
    return std::nullopt;
}

// Header: "VST3", version, 32-character class id, 64-bit offset of the chunk list; the list:
// "List", its 32-bit entry count, then per entry a 4-byte id and 64-bit offset and size.
bool chunkListIsComplete (const std::vector<char>& bytes, int32 entriesRead)
{
    constexpr size_t kListOffsetPosition = 4 + 4 + 32;
    constexpr size_t kEntryBytes = 4 + 8 + 8;
    if (bytes.size () < kListOffsetPosition + 8)
        return false;
    int64_t listOffset = 0;
    std::memcpy (&listOffset, bytes.data () + kListOffsetPosition, 8);
    if (listOffset <= 0 || static_cast<uint64_t> (listOffset) > bytes.size () - 8)
        return false;
    int32_t declared = 0;
    std::memcpy (&declared, bytes.data () + listOffset + 4, 4);
    return declared > 0 && declared == entriesRead
           && static_cast<uint64_t> (declared) * kEntryBytes
                  <= bytes.size () - static_cast<uint64_t> (listOffset) - 8;
}

}   // namespace

std::string presetMetaInfoXml (const std::string& name)
{
    std::string xml = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<MetaInfo>\n";
    xml += "\t<Attribute id=\"MediaType\" value=\"VstPreset\" type=\"string\" "
           "flags=\"writeProtected\"/>\n";
    xml += "\t<Attribute id=\"PlugInName\" value=\"Overmoor\" type=\"string\" "
           "flags=\"writeProtected\"/>\n";
    xml += "\t<Attribute id=\"PlugInCategory\" value=\"Fx|Distortion\" type=\"string\" "
           "flags=\"writeProtected\"/>\n";
    xml += "\t<Attribute id=\"";
    xml += kNameAttribute;
    xml += "\" value=\"";
    appendEscaped (xml, name);
    xml += "\" type=\"string\"/>\n</MetaInfo>\n";
    return xml;
}

std::optional<std::string> presetNameFromMetaInfo (const std::string& xml)
{
    for (size_t pos = 0; (pos = xml.find ("<Attribute", pos)) != std::string::npos; ++pos)
    {
        const size_t end = xml.find ('>', pos);
        if (end == std::string::npos)
            return std::nullopt;
        const std::string tag = xml.substr (pos, end - pos);
        if (attributeValue (tag, "id") == std::optional<std::string> (kNameAttribute))
            return attributeValue (tag, "value");
    }
    return std::nullopt;
}

std::vector<char> encodePresetFile (const FUID& classId, const std::string& name,
                                    const std::vector<float>& normalizedValues)
{
    std::vector<char> state;
    state.reserve (normalizedValues.size () * 4);
    for (float value : normalizedValues)
    {
        uint32_t bits = 0;
        std::memcpy (&bits, &value, sizeof bits);
        for (int shift = 0; shift < 32; shift += 8)
            state.push_back (static_cast<char> ((bits >> shift) & 0xff));
    }
    const std::string xml = presetMetaInfoXml (name);

    IPtr<MemoryStream> componentStream =
        owned (new MemoryStream (state.data (), static_cast<TSize> (state.size ())));
    IPtr<MemoryStream> file = owned (new MemoryStream ());
    if (!PresetFile::savePreset (file, classId, componentStream, nullptr, xml.data (),
                                 static_cast<int32> (xml.size ())))
        return {};
    const char* data = file->getData ();
    if (data == nullptr)
        return {};
    return std::vector<char> (data, data + file->getSize ());
}

std::optional<CMVXStoredPreset> decodePresetFile (const std::vector<char>& bytes,
                                                  const FUID& classId, size_t valueCount)
{
    if (bytes.empty ())
        return std::nullopt;
    // The chunk list is read by the SDK; every offset it yields is checked before use.
    std::vector<char> copy (bytes);
    IPtr<MemoryStream> stream =
        owned (new MemoryStream (copy.data (), static_cast<TSize> (copy.size ())));
    PresetFile file (stream);
    if (!file.readChunkList () || file.getClassID () != classId)
        return std::nullopt;
    // The SDK keeps the entries it could read; a list cut short means a damaged file.
    if (!chunkListIsComplete (bytes, file.getEntryCount ()))
        return std::nullopt;

    const auto chunk = [&] (ChunkType type) -> std::optional<std::pair<size_t, size_t>> {
        const PresetFile::Entry* entry = file.getEntry (type);
        if (entry == nullptr || entry->offset < 0 || entry->size < 0
            || static_cast<uint64_t> (entry->offset) > bytes.size ()
            || static_cast<uint64_t> (entry->size)
                   > bytes.size () - static_cast<uint64_t> (entry->offset))
            return std::nullopt;
        return std::make_pair (static_cast<size_t> (entry->offset),
                               static_cast<size_t> (entry->size));
    };

    const auto state = chunk (kComponentState);
    if (!state || state->second < valueCount * 4)
        return std::nullopt;
    CMVXStoredPreset preset;
    for (size_t i = 0; i < valueCount; ++i)
    {
        const auto* p =
            reinterpret_cast<const unsigned char*> (bytes.data () + state->first + 4 * i);
        const uint32_t bits = static_cast<uint32_t> (p[0]) | (static_cast<uint32_t> (p[1]) << 8)
                              | (static_cast<uint32_t> (p[2]) << 16)
                              | (static_cast<uint32_t> (p[3]) << 24);
        float value = 0.0f;
        std::memcpy (&value, &bits, sizeof value);
        if (!std::isfinite (value))
            return std::nullopt;
        preset.normalizedValues.push_back (value < 0.0f ? 0.0f : (value > 1.0f ? 1.0f : value));
    }

    if (const auto meta = chunk (kMetaInfo))
    {
        const std::string xml (bytes.data () + meta->first, meta->second);
        if (auto name = presetNameFromMetaInfo (xml))
        {
            preset.name = std::move (*name);
            preset.nameFromMetaInfo = true;
        }
    }
    return preset;
}

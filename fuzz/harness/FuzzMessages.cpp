// SPDX-License-Identifier: GPL-3.0-or-later
#include "FuzzMessages.h"
#include "controller/CMVXMessageKeys.h"
#include "public.sdk/source/vst/hosting/hostclasses.h"
#include <cstring>
#include <iterator>

using namespace Steinberg;
using namespace Steinberg::Vst;
namespace keys = CMVXMessageKeys;

namespace OvermoorFuzz {
namespace {

const char* const kMessageIds[] = {keys::kSetParameter,       keys::kSyncParameters,
                                   keys::kBinary,             keys::kPresetHandling,
                                   keys::kDspToUi,            keys::kGetCustomFloatData,
                                   keys::kSetCustomFloatData, "TextMessage"};
constexpr uint8_t kIdRange = 32;
constexpr uint8_t kNullId = kIdRange - 1;
constexpr uint8_t kRawId = kIdRange - 2;

const char* const kAttributeKeys[] = {
    keys::kParameterId,      keys::kParameterValue,     keys::kSyncValues,     keys::kSyncFirstId,
    keys::kGetParameterValue, keys::kSetParameterValue, keys::kCustomDataTag,  keys::kGetCustomFloatData,
    keys::kSetCustomFloatData, keys::kDspToUi,          "Text",                keys::kGetFactoryPresets,
    keys::kGetUserPresets,   keys::kPresetSaveAs,       keys::kPresetSave,     keys::kPresetDelete,
    keys::kSetSelectedPreset, keys::kGetSelectedPreset, keys::kFactoryPresetList, keys::kUserPresetList};
constexpr uint8_t kKeyRange = 64;
constexpr uint8_t kRawKey = kKeyRange - 1;

// The SDK's text message is read as a string. The host-side list answers a string read of another
// type with that type's raw storage (a binary block read as twice its size, a number as a
// pointer), a fault of the list that no plug-in could cause or prevent: the key is always a string.
constexpr const char* kTextKey = "Text";

uint8_t indexOf (const char* const* table, size_t count, const std::string& text, uint8_t otherwise)
{
    for (size_t i = 0; i < count; ++i)
        if (text == table[i])
            return static_cast<uint8_t> (i);
    return otherwise;
}

} // namespace

FuzzMessage readMessage (FuzzBytes& input)
{
    FuzzMessage message;
    const uint8_t idSelector = input.byte () % kIdRange;
    if (idSelector < std::size (kMessageIds))
        message.id = kMessageIds[idSelector];
    else if (idSelector == kNullId)
        message.hasId = false;
    else
        message.id = input.lengthPrefixed ();

    const size_t count = input.byte () % (kMaxAttributes + 1);
    for (size_t i = 0; i < count && !input.empty (); ++i)
    {
        FuzzAttribute attribute;
        const uint8_t keySelector = input.byte () % kKeyRange;
        attribute.key = keySelector < std::size (kAttributeKeys) ? std::string (kAttributeKeys[keySelector])
                                                                 : input.lengthPrefixed ();
        attribute.type = static_cast<FuzzAttribute::Type> (input.byte () % 8);
        switch (attribute.type)
        {
            case FuzzAttribute::Type::integer: attribute.integer = static_cast<int64_t> (input.u64 ()); break;
            case FuzzAttribute::Type::real: attribute.real = input.f64 (); break;
            case FuzzAttribute::Type::binary:
            case FuzzAttribute::Type::string: attribute.bytes = input.lengthPrefixed (); break;
            case FuzzAttribute::Type::keyedText:
                attribute.type = FuzzAttribute::Type::binary;
                attribute.bytes = attribute.key + input.lengthPrefixed ();
                break;
            case FuzzAttribute::Type::int32Block:
                attribute.type = FuzzAttribute::Type::binary;
                attribute.bytes = input.take (4);
                break;
            case FuzzAttribute::Type::pairBlock:
                attribute.type = FuzzAttribute::Type::binary;
                attribute.bytes = input.take (8);
                break;
            case FuzzAttribute::Type::flagByte:
                attribute.type = FuzzAttribute::Type::binary;
                attribute.bytes = std::string (1, '\x01');
                break;
        }
        if (attribute.key == kTextKey)
            attribute.type = FuzzAttribute::Type::string;
        message.attributes.push_back (std::move (attribute));
    }
    return message;
}

void writeMessage (FuzzBytesWriter& output, const FuzzMessage& message)
{
    if (!message.hasId)
        output.byte (kNullId);
    else
    {
        const uint8_t selector = indexOf (kMessageIds, std::size (kMessageIds), message.id, kRawId);
        output.byte (selector);
        if (selector == kRawId)
            output.lengthPrefixed (message.id);
    }
    const size_t count = std::min (message.attributes.size (), kMaxAttributes);
    output.byte (static_cast<uint8_t> (count));
    for (size_t i = 0; i < count; ++i)
    {
        const FuzzAttribute& attribute = message.attributes[i];
        const uint8_t selector = indexOf (kAttributeKeys, std::size (kAttributeKeys), attribute.key, kRawKey);
        output.byte (selector);
        if (selector == kRawKey)
            output.lengthPrefixed (attribute.key);
        output.byte (static_cast<uint8_t> (attribute.type));
        switch (attribute.type)
        {
            case FuzzAttribute::Type::integer: output.u64 (static_cast<uint64_t> (attribute.integer)); break;
            case FuzzAttribute::Type::real: output.f64 (attribute.real); break;
            default: output.lengthPrefixed (attribute.bytes); break;
        }
    }
}

IPtr<IMessage> makeHostMessage (const FuzzMessage& message)
{
    IPtr<IMessage> hostMessage = owned (static_cast<IMessage*> (new HostMessage ()));
    hostMessage->setMessageID (message.hasId ? message.id.c_str () : nullptr);
    IAttributeList* list = hostMessage->getAttributes ();
    for (const FuzzAttribute& attribute : message.attributes)
    {
        const char* key = attribute.key.c_str ();
        switch (attribute.type)
        {
            case FuzzAttribute::Type::integer: list->setInt (key, attribute.integer); break;
            case FuzzAttribute::Type::real: list->setFloat (key, attribute.real); break;
            case FuzzAttribute::Type::string:
            {
                std::vector<TChar> wide;
                for (char c : attribute.bytes)
                {
                    if (c == 0)
                        break;
                    wide.push_back (static_cast<TChar> (static_cast<unsigned char> (c)));
                }
                wide.push_back (0);
                list->setString (key, wide.data ());
                break;
            }
            default: list->setBinary (key, attribute.bytes.data (), static_cast<uint32> (attribute.bytes.size ())); break;
        }
    }
    return hostMessage;
}

FuzzAttribute intAttribute (const std::string& key, int64_t value)
{
    FuzzAttribute attribute;
    attribute.key = key;
    attribute.type = FuzzAttribute::Type::integer;
    attribute.integer = value;
    return attribute;
}

FuzzAttribute floatAttribute (const std::string& key, double value)
{
    FuzzAttribute attribute;
    attribute.key = key;
    attribute.type = FuzzAttribute::Type::real;
    attribute.real = value;
    return attribute;
}

FuzzAttribute binaryAttribute (const std::string& key, const std::string& bytes)
{
    FuzzAttribute attribute;
    attribute.key = key;
    attribute.type = FuzzAttribute::Type::binary;
    attribute.bytes = bytes;
    return attribute;
}

FuzzAttribute stringAttribute (const std::string& key, const std::string& text)
{
    FuzzAttribute attribute;
    attribute.key = key;
    attribute.type = FuzzAttribute::Type::string;
    attribute.bytes = text;
    return attribute;
}

} // namespace OvermoorFuzz

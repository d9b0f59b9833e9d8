// SPDX-License-Identifier: GPL-3.0-or-later
#include "ControllerTestSupport.h"
#include <cstring>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace ControllerTest {

IMPLEMENT_FUNKNOWN_METHODS (RecordingPeer, IConnectionPoint, IConnectionPoint::iid)

RecordingPeer::RecordingPeer ()
{
    FUNKNOWN_CTOR
}

RecordingPeer::~RecordingPeer ()
{
    FUNKNOWN_DTOR
}

tresult PLUGIN_API RecordingPeer::connect (IConnectionPoint*)
{
    return kResultOk;
}

tresult PLUGIN_API RecordingPeer::disconnect (IConnectionPoint*)
{
    return kResultOk;
}

tresult PLUGIN_API RecordingPeer::notify (IMessage* message)
{
    messages.push_back (IPtr<IMessage> (message));
    if (answer)
        answer (message);
    return kResultOk;
}

int RecordingPeer::count (const std::string& id) const
{
    int n = 0;
    for (const auto& message : messages)
        n += message->getMessageID () != nullptr && id == message->getMessageID ();
    return n;
}

IMessage* RecordingPeer::last () const
{
    return messages.empty () ? nullptr : messages.back ().get ();
}

IPtr<IMessage> makeMessage (const char* id)
{
    IPtr<IMessage> message = owned (static_cast<IMessage*> (new HostMessage ()));
    message->setMessageID (id);
    return message;
}

std::optional<std::string> binaryText (IMessage* message, const char* key)
{
    const void* data = nullptr;
    uint32 size = 0;
    if (message == nullptr || message->getAttributes () == nullptr
        || message->getAttributes ()->getBinary (key, data, size) != kResultOk)
        return std::nullopt;
    return std::string (static_cast<const char*> (data), size);
}

std::vector<float> binaryFloats (IMessage* message, const char* key)
{
    std::vector<float> values;
    if (auto text = binaryText (message, key))
    {
        values.resize (text->size () / 4);
        std::memcpy (values.data (), text->data (), values.size () * 4);
    }
    return values;
}

std::string narrow (const String128 text)
{
    std::string out;
    for (int i = 0; i < 128 && text[i] != 0; ++i)
        out += static_cast<char> (text[i]);
    return out;
}

void ControllerFixture::SetUp ()
{
    host = std::make_unique<HostApplication> ();
    controller = owned (new CMVXStravelEditController ());
    handler = owned (new Morvane::Host::ComponentHandlerRecorder ());
    ASSERT_EQ (controller->initialize (static_cast<FUnknown*> (host.get ())), kResultOk);
}

void ControllerFixture::TearDown ()
{
    if (peer)
        controller->disconnect (peer);
    controller->terminate ();
}

void ControllerFixture::connectPeer ()
{
    peer = owned (new RecordingPeer ());
    ASSERT_EQ (controller->connect (peer), kResultOk);
}

void ControllerFixture::setHandler ()
{
    ASSERT_EQ (controller->setComponentHandler (handler), kResultTrue);
}

std::string ControllerFixture::title (int32 index)
{
    ParameterInfo info {};
    EXPECT_EQ (controller->getParameterInfo (index, info), kResultTrue);
    EXPECT_EQ (narrow (info.title), narrow (info.shortTitle));
    return narrow (info.title);
}

int ControllerFixture::titleRestarts () const
{
    return handler->restartCount (kParamTitlesChanged);
}

} // namespace ControllerTest

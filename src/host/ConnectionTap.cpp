// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/ConnectionTap.h"

namespace Morvane {
namespace Host {

using namespace Steinberg;

IMPLEMENT_FUNKNOWN_METHODS (ConnectionTap, Vst::IConnectionPoint, Vst::IConnectionPoint::iid)

ConnectionTap::ConnectionTap (Vst::IConnectionPoint* receiver) : receiver (receiver)
{
    FUNKNOWN_CTOR
}

ConnectionTap::~ConnectionTap ()
{
    FUNKNOWN_DTOR
}

tresult PLUGIN_API ConnectionTap::connect (Vst::IConnectionPoint* other)
{
    return other ? kResultOk : kInvalidArgument;
}

tresult PLUGIN_API ConnectionTap::disconnect (Vst::IConnectionPoint* other)
{
    return other ? kResultOk : kInvalidArgument;
}

tresult PLUGIN_API ConnectionTap::notify (Vst::IMessage* message)
{
    if (!message)
        return kInvalidArgument;
    const char* id = message->getMessageID ();
    recorded.push_back ({id ? id : "", IPtr<Vst::IMessage> (message)});
    return receiver ? receiver->notify (message) : kResultFalse;
}

int ConnectionTap::count (const std::string& id) const
{
    int n = 0;
    for (const Record& r : recorded)
        if (r.id == id)
            ++n;
    return n;
}

Vst::IMessage* ConnectionTap::last (const std::string& id) const
{
    for (auto it = recorded.rbegin (); it != recorded.rend (); ++it)
        if (it->id == id)
            return it->message.get ();
    return nullptr;
}

}   // namespace Host
}   // namespace Morvane

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An IConnectionPoint placed between two components: it records every message one side sends
// and hands it on to the other side at once, so delivery stays synchronous as with a direct
// connection.
#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/vst/ivstmessage.h"
#include <string>
#include <vector>

namespace Morvane {
namespace Host {

class ConnectionTap : public Steinberg::Vst::IConnectionPoint
{
public:
    struct Record
    {
        std::string id;
        Steinberg::IPtr<Steinberg::Vst::IMessage> message;   // kept alive for inspection
    };

    // receiver: the component that gets the messages (borrowed; it outlives the tap's use).
    explicit ConnectionTap (Steinberg::Vst::IConnectionPoint* receiver);
    virtual ~ConnectionTap ();

    // The sender's connect/disconnect calls: accepted, nothing else to do.
    Steinberg::tresult PLUGIN_API connect (Steinberg::Vst::IConnectionPoint* other) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API disconnect (Steinberg::Vst::IConnectionPoint* other)
        SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API notify (Steinberg::Vst::IMessage* message) SMTG_OVERRIDE;

    // Stops forwarding (the receiver is going away); messages are still recorded.
    void detachReceiver () { receiver = nullptr; }

    const std::vector<Record>& records () const { return recorded; }
    int count (const std::string& id) const;
    // The latest message with that id, or null.
    Steinberg::Vst::IMessage* last (const std::string& id) const;
    void clear () { recorded.clear (); }

    DECLARE_FUNKNOWN_METHODS

private:
    Steinberg::Vst::IConnectionPoint* receiver;
    std::vector<Record> recorded;
};

}   // namespace Host
}   // namespace Morvane

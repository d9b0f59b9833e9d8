// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reference counting and the notification hook every widget object shares.
#include <cstdint>
#include <cstring>

namespace VSTGUI {

using CCoord = double;
using IdStringPtr = const char*;
using UTF8StringPtr = const char*;

enum CMessageResult
{
    kMessageUnknown = 0,
    kMessageNotified = 1,
};

// A new object starts with one reference, owned by whoever made it; forget () of the last one
// deletes it. Copies start afresh with one reference.
class CBaseObject
{
public:
    CBaseObject () = default;
    CBaseObject (const CBaseObject&) {}
    CBaseObject& operator= (const CBaseObject&) { return *this; }
    virtual ~CBaseObject () = default;

    virtual void remember () { ++nbReference; }
    virtual void forget ()
    {
        if (--nbReference == 0)
            delete this;
    }
    int32_t getNbReference () const { return nbReference; }

    // Messages are compared by pointer identity with the sender's published constant.
    virtual CMessageResult notify (CBaseObject* sender, IdStringPtr message)
    {
        return kMessageUnknown;
    }

    // Runtime class check by name, answered by each class for itself and its bases.
    virtual bool isTypeOf (IdStringPtr name) const
    {
        return std::strcmp (name, "CBaseObject") == 0;
    }
    virtual CBaseObject* newCopy () const { return nullptr; }

private:
    int32_t nbReference {1};
};

}   // namespace VSTGUI

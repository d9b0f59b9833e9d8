// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Names a bitmap resource: an embedded PNG by integer id, or a PNG file by path.
#include <cstdint>
#include <string>

namespace VSTGUI {

class CResourceDescription
{
public:
    enum Type
    {
        kIntegerType,
        kStringType,
        kUnknownType,
    };

    CResourceDescription () = default;
    CResourceDescription (int32_t resourceId) : type (kIntegerType), id (resourceId) {}
    CResourceDescription (const char* path)
    : type (path ? kStringType : kUnknownType), name (path ? path : "")
    {}
    CResourceDescription (const std::string& path) : type (kStringType), name (path) {}

    Type type {kUnknownType};
    int32_t id {0};
    std::string name;
};

}   // namespace VSTGUI

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The little of UTF-8 that text needs: encoding a code point, and code point boundaries in a
// byte string.
#include <algorithm>
#include <cstdint>
#include <string>

namespace VSTGUI {
namespace Utf8 {

inline bool isContinuationByte (char c)
{
    return (static_cast<unsigned char> (c) & 0xC0) == 0x80;
}

// Appends the UTF-8 of a code point up to 0x10FFFF; which ones to accept is the caller's choice.
inline void append (std::string& out, uint32_t cp)
{
    if (cp < 0x80)
        out += static_cast<char> (cp);
    else if (cp < 0x800)
    {
        out += static_cast<char> (0xC0 | (cp >> 6));
        out += static_cast<char> (0x80 | (cp & 0x3F));
    }
    else if (cp < 0x10000)
    {
        out += static_cast<char> (0xE0 | (cp >> 12));
        out += static_cast<char> (0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char> (0x80 | (cp & 0x3F));
    }
    else
    {
        out += static_cast<char> (0xF0 | (cp >> 18));
        out += static_cast<char> (0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char> (0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char> (0x80 | (cp & 0x3F));
    }
}

// UTF-8 of a typed code point; empty for surrogates, controls and values past Unicode.
inline std::string encode (int32_t cp)
{
    std::string out;
    if (cp < 0x20 || cp == 0x7F || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)
        return out;
    append (out, static_cast<uint32_t> (cp));
    return out;
}

// The boundary before and after a byte position (clamped to the text).
inline size_t previousBoundary (const std::string& text, size_t position)
{
    if (position == 0)
        return 0;
    position = std::min (position, text.size ()) - 1;
    while (position > 0 && isContinuationByte (text[position]))
        --position;
    return position;
}

inline size_t nextBoundary (const std::string& text, size_t position)
{
    if (position >= text.size ())
        return text.size ();
    ++position;
    while (position < text.size () && isContinuationByte (text[position]))
        ++position;
    return position;
}

}   // namespace Utf8
}   // namespace VSTGUI

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// UTF-8 (the plug-in's own strings) to and from UTF-16 (the Windows wide-character API). Built on
// Windows only; failures throw CMVXTextConversionError, which callers turn into a refusal.
#include <stdexcept>
#include <string>

class CMVXTextConversionError : public std::runtime_error
{
public:
    CMVXTextConversionError (const char* text, unsigned long systemErrorCode)
    : std::runtime_error (text), errorCode (systemErrorCode)
    {}
    // GetLastError () of the failed call.
    unsigned long code () const { return errorCode; }

private:
    unsigned long errorCode;
};

namespace CMVXUtf16Text {

std::wstring fromUtf8 (const std::string& text);
std::string toUtf8 (const std::wstring& text);

}   // namespace CMVXUtf16Text

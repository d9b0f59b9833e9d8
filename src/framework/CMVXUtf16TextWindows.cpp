// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/CMVXUtf16Text.h"
#include <windows.h>

namespace CMVXUtf16Text {

std::wstring fromUtf8 (const std::string& text)
{
    if (text.empty ())
        return {};
    const char* data = text.data ();
    const int size = static_cast<int> (text.size ());
    const int length = MultiByteToWideChar (CP_UTF8, MB_ERR_INVALID_CHARS, data, size, nullptr, 0);
    if (length <= 0)
    {
        const DWORD code = GetLastError ();
        if (code == ERROR_NO_UNICODE_TRANSLATION)
            throw CMVXTextConversionError ("Invalid UTF-8 sequence found in input string.", code);
        throw CMVXTextConversionError (
            "Can't get length of UTF-16 string (MultiByteToWideChar failed).", code);
    }
    std::wstring wide (static_cast<size_t> (length), L'\0');
    if (MultiByteToWideChar (CP_UTF8, MB_ERR_INVALID_CHARS, data, size, wide.data (), length)
        != length)
        throw CMVXTextConversionError (
            "Can't convert string from UTF-8 to UTF-16 (MultiByteToWideChar failed).",
            GetLastError ());
    return wide;
}

std::string toUtf8 (const std::wstring& text)
{
    if (text.empty ())
        return {};
    const wchar_t* data = text.data ();
    const int size = static_cast<int> (text.size ());
    // Unpaired surrogates are errors rather than silent replacement characters.
    const DWORD flags = WC_ERR_INVALID_CHARS;
    const int length =
        WideCharToMultiByte (CP_UTF8, flags, data, size, nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        throw CMVXTextConversionError (
            "Can't get length of UTF-8 string (WideCharToMultiByte failed).", GetLastError ());
    std::string narrow (static_cast<size_t> (length), '\0');
    if (WideCharToMultiByte (CP_UTF8, flags, data, size, narrow.data (), length, nullptr, nullptr)
        != length)
        throw CMVXTextConversionError (
            "Can't convert string from UTF-16 to UTF-8 (WideCharToMultiByte failed).",
            GetLastError ());
    return narrow;
}

}   // namespace CMVXUtf16Text

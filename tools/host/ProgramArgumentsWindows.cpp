// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/ProgramArguments.h"
#include <windows.h>
#include <shellapi.h>

namespace Morvane {
namespace HostTool {

namespace {

std::string utf8 (const wchar_t* wide)
{
    const int length = WideCharToMultiByte (CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    std::string text (length > 0 ? length : 1, '\0');
    if (length > 0)
        WideCharToMultiByte (CP_UTF8, 0, wide, -1, text.data (), length, nullptr, nullptr);
    text.resize (text.size () - 1);
    return text;
}

}   // namespace

ProgramArguments::ProgramArguments (int argc, char** argv)
{
    int wideCount = 0;
    if (wchar_t** wide = CommandLineToArgvW (GetCommandLineW (), &wideCount))
    {
        for (int i = 0; i < wideCount; ++i)
            texts.push_back (utf8 (wide[i]));
        LocalFree (wide);
    }
    else
        texts.assign (argv, argv + argc);   // no better reading: the ANSI one
    for (std::string& text : texts)
        pointers.push_back (text.data ());
    pointers.push_back (nullptr);
}

}   // namespace HostTool
}   // namespace Morvane

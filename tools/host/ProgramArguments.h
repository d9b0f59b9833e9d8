// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command line in UTF-8, the encoding the plug-in and the tool's paths use. Linux passes it so;
// Windows passes main () the ANSI code page's rendering, so there it is read again in UTF-16.
#include <string>
#include <vector>

namespace Morvane {
namespace HostTool {

class ProgramArguments
{
public:
    ProgramArguments (int argc, char** argv);
    int count () const { return static_cast<int> (pointers.size ()) - 1; }
    char** values () { return pointers.data (); }

private:
    std::vector<std::string> texts;
    std::vector<char*> pointers;   // into texts, null-terminated like argv
};

}   // namespace HostTool
}   // namespace Morvane

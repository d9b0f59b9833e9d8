// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/ProgramArguments.h"

namespace Morvane {
namespace HostTool {

ProgramArguments::ProgramArguments (int argc, char** argv) : texts (argv, argv + argc)
{
    for (std::string& text : texts)
        pointers.push_back (text.data ());
    pointers.push_back (nullptr);
}

}   // namespace HostTool
}   // namespace Morvane

// SPDX-License-Identifier: GPL-3.0-or-later
// overmoor-render [options] IN OUT: renders an audio file through the Overmoor plug-in.
#include "render/RenderCommand.h"

#include <cstdio>
#include <exception>

int main (int argc, char** argv)
{
    try
    {
        return Morvane::Render::runRenderCommand (argc, argv);
    }
    catch (const std::exception& e)
    {
        std::fprintf (stderr, "overmoor-render: %s\n", e.what ());
        return 1;
    }
}

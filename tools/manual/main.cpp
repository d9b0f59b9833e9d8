// SPDX-License-Identifier: GPL-3.0-or-later
// overmoor-manual OUT.pdf: writes the user manual that the bundle ships in Contents/Resources.
#include "ManualPdf.h"
#include "ManualText.h"
#include "editor/CAboutView.h"
#include "entry/OvermoorVersion.h"
#include <cstdio>

// fontconfig keeps its process-wide font cache until exit; in sanitizer builds that is not a leak.
extern "C" __attribute__ ((visibility ("default"))) const char* __lsan_default_suppressions ()
{
    return "leak:libfontconfig.so\n";
}

#ifndef OVERMOOR_WEBSITE
#define OVERMOOR_WEBSITE "https://www.morvane.com"
#endif

int main (int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf (stderr, "usage: overmoor-manual OUT.pdf\n");
        return 2;
    }
    Manual::ManualPdf pdf (argv[1], "Overmoor Manual");
    if (!pdf.ok ())
    {
        std::fprintf (stderr, "overmoor-manual: cannot write %s\n", argv[1]);
        return 1;
    }
    // "version 1.0.0 (b4)", as the about view shows it.
    Manual::writeManual (pdf, aboutVersionText (OvermoorVersion::kVersion), OVERMOOR_WEBSITE);
    if (!pdf.finish ())
    {
        std::fprintf (stderr, "overmoor-manual: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}

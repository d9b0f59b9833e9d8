// SPDX-License-Identifier: GPL-3.0-or-later
// overmoor-artwork OUTDIR ID...        writes bmp<ID>@1x.png and bmp<ID>@2x.png for every id
// overmoor-artwork --up-to-3x OUTDIR ID...  also bmp<ID>@3x.png (Windows, which has no vectors)
// overmoor-artwork --one ID SCALE FILE  writes one bitmap at any scale (for looking at details)
// The ids given must be exactly the artwork's ids, so the embedding list cannot drift.

#include "resources/artwork/Artwork.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

// fontconfig keeps its process-wide font cache until exit; in sanitizer builds that is not a leak.
extern "C" __attribute__ ((visibility ("default"))) const char* __lsan_default_suppressions ()
{
    return "leak:libfontconfig.so\n";
}

namespace {

bool writeFile (const std::string& path, const std::vector<unsigned char>& bytes)
{
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out (temporary, std::ios::binary | std::ios::trunc);
        out.write (reinterpret_cast<const char*> (bytes.data ()),
                   static_cast<std::streamsize> (bytes.size ()));
        if (!out)
            return false;
    }
    return std::rename (temporary.c_str (), path.c_str ()) == 0;
}

bool render (int id, double scale, const std::string& path)
{
    std::vector<unsigned char> png;
    if (!Morvane::Artwork::renderPng (id, scale, png) || !writeFile (path, png))
    {
        std::fprintf (stderr, "overmoor-artwork: cannot render bitmap %d at %gx to %s\n", id, scale,
                      path.c_str ());
        return false;
    }
    return true;
}

int usage ()
{
    std::fprintf (stderr, "usage: overmoor-artwork [--up-to-3x] OUTDIR ID...\n"
                          "       overmoor-artwork --one ID SCALE FILE\n");
    return 2;
}

}   // namespace

int main (int argc, char** argv)
{
    if (argc == 5 && std::string (argv[1]) == "--one")
        return render (std::atoi (argv[2]), std::atof (argv[3]), argv[4]) ? 0 : 1;
    const bool upTo3x = argc > 1 && std::string (argv[1]) == "--up-to-3x";
    const int first = upTo3x ? 2 : 1;
    if (argc < first + 2)
        return usage ();

    std::vector<int> requested;
    for (int i = first + 1; i < argc; ++i)
        requested.push_back (std::atoi (argv[i]));
    std::sort (requested.begin (), requested.end ());
    if (requested != Morvane::Artwork::bitmapIds ())
    {
        std::fprintf (stderr, "overmoor-artwork: the ids to embed differ from the artwork's ids\n");
        return 2;
    }
    const std::string folder = argv[first];
    for (int id : requested)
    {
        for (int scale = 1; scale <= (upTo3x ? 3 : 2); ++scale)
        {
            const std::string path =
                folder + "/bmp" + std::to_string (id) + "@" + std::to_string (scale) + "x.png";
            if (!render (id, scale, path))
                return 1;
        }
    }
    return 0;
}

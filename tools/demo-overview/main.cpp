// SPDX-License-Identifier: GPL-3.0-or-later
// overmoor-demo-overview --dry DRY.wav --out OVERVIEW.png --entry FILE PRESET MODEL RTF ...
// Draws the demo's overview picture and prints the table of levels and real-time factors.
#include "AudioAnalysis.h"
#include "OverviewPlot.h"

#include <CLI/CLI.hpp>

#include <cstdio>

int main (int argc, char** argv)
{
    std::string dryPath, pngPath;
    std::vector<std::string> entries;
    CLI::App app ("Draws the demo overview and prints its level table.", "overmoor-demo-overview");
    app.add_option ("--dry", dryPath, "the dry recording")->required ();
    app.add_option ("--out", pngPath, "the PNG to write")->required ();
    app.add_option ("--entry", entries, "FILE PRESET MODEL RTF: one rendered preset (repeatable)")
        ->type_size (4)
        ->allow_extra_args (false)
        ->multi_option_policy (CLI::MultiOptionPolicy::TakeAll);
    CLI11_PARSE (app, argc, argv);

    std::string error;
    Recording dry;
    if (!loadRecording (dryPath, dry, error))
    {
        std::fprintf (stderr, "overmoor-demo-overview: %s\n", error.c_str ());
        return 1;
    }
    std::vector<OverviewRow> rows;
    std::printf ("%-4s%-20s%-18s%11s%10s%11s\n", "#", "preset", "model", "peak dBFS", "RMS dBFS",
                 "real-time");
    std::printf ("%-4s%-20s%-18s%11.1f%10.1f%11s\n", "-", "(dry recording)", "", peakDbfs (dry),
                 rmsDbfs (dry), "");
    for (size_t i = 0; i + 3 < entries.size (); i += 4)
    {
        OverviewRow row;
        if (!loadRecording (entries[i], row.recording, error))
        {
            std::fprintf (stderr, "overmoor-demo-overview: %s\n", error.c_str ());
            return 1;
        }
        const size_t number = i / 4 + 1;
        const double peak = peakDbfs (row.recording), rms = rmsDbfs (row.recording);
        row.title = std::to_string (number) + "  " + entries[i + 1];
        row.subtitle = entries[i + 2];
        char stats[96];
        std::snprintf (stats, sizeof stats, "peak %.1f dBFS   RMS %.1f dBFS", peak, rms);
        row.stats = stats;
        std::printf ("%-4zu%-20s%-18s%11.1f%10.1f%10sx\n", number, entries[i + 1].c_str (),
                     entries[i + 2].c_str (), peak, rms, entries[i + 3].c_str ());
        rows.push_back (std::move (row));
    }
    if (!drawOverview (pngPath, dry, rows, error))
    {
        std::fprintf (stderr, "overmoor-demo-overview: %s\n", error.c_str ());
        return 1;
    }
    return 0;
}

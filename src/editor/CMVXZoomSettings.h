// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The zoom a user picked for the pedal window, remembered for new windows in a small file of
// the user's own ($XDG_CONFIG_HOME/Overmoor/editor.conf, else ~/.config/Overmoor/editor.conf);
// never part of the plug-in's state, so a project opened elsewhere keeps that user's zoom.
#include <string>
#include <vector>

class CMVXZoomSettings
{
public:
    // The zooms the window offers, in menu order (1 = 100 %).
    static const std::vector<double>& zoomSteps ();
    // The nearest offered zoom, or -1 when none is within half a percent.
    static int stepIndex (double zoom);

    // The settings file (UTF-8): Overmoor/editor.conf in the config folder ($XDG_CONFIG_HOME,
    // else ~/.config; %APPDATA% on Windows); empty when no such folder is known.
    static std::string filePath ();
    // The remembered zoom; 1 when the file is missing, unreadable or holds anything but one of
    // the offered zooms.
    static double load ();
    // Writes a temporary file beside the settings and renames it over them, so a reader never
    // sees half a file. False when the zoom is not offered or the file cannot be written.
    static bool save (double zoom);
};

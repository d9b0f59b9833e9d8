// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/CMVXZoomSettings.h"
#include "presets/CMVXPresetFolder.h"
#include <cmath>
#include <sstream>

namespace {

constexpr const char* kZoomKey = "zoom=";
constexpr const char* kFileName = "editor.conf";

int percentOf (double zoom)
{
    return static_cast<int> (std::lround (zoom * 100.));
}

}   // namespace

const std::vector<double>& CMVXZoomSettings::zoomSteps ()
{
    static const std::vector<double> steps {1., 1.25, 1.5, 2., 3.};
    return steps;
}

int CMVXZoomSettings::stepIndex (double zoom)
{
    const auto& steps = zoomSteps ();
    for (size_t i = 0; i < steps.size (); ++i)
        if (std::fabs (steps[i] - zoom) < 0.005)
            return static_cast<int> (i);
    return -1;
}

std::string CMVXZoomSettings::filePath ()
{
    const std::string folder = CMVXPresetFolder::settingsDirectory ();
    return folder.empty () ? std::string () : CMVXPresetFolder::pathOf (folder, kFileName);
}

double CMVXZoomSettings::load ()
{
    const std::string name = filePath ();
    const auto bytes = name.empty () ? std::nullopt : CMVXPresetFolder::readFile (name);
    if (!bytes)
        return 1.;
    std::istringstream file (std::string (bytes->begin (), bytes->end ()));
    std::string line;
    while (std::getline (file, line))
    {
        if (line.rfind (kZoomKey, 0) != 0)
            continue;
        std::istringstream value (line.substr (std::char_traits<char>::length (kZoomKey)));
        int percent = 0;
        std::string rest;
        if (!(value >> percent) || (value >> rest))
            return 1.;
        const int index = stepIndex (percent / 100.);
        return index >= 0 && percentOf (zoomSteps ()[index]) == percent ? zoomSteps ()[index] : 1.;
    }
    return 1.;
}

bool CMVXZoomSettings::save (double zoom)
{
    const std::string folder = CMVXPresetFolder::settingsDirectory ();
    if (folder.empty () || stepIndex (zoom) < 0 || !CMVXPresetFolder::makeDirectories (folder))
        return false;
    const std::string text = "# Overmoor pedal window\n" + std::string (kZoomKey)
                             + std::to_string (percentOf (zoom)) + "\n";
    return CMVXPresetFolder::writeFileAtomically (folder, kFileName,
                                                  std::vector<char> (text.begin (), text.end ()));
}

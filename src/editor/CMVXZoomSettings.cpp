// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/CMVXZoomSettings.h"
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

constexpr const char* kZoomKey = "zoom=";

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
    std::filesystem::path folder;
#ifdef _WIN32
    // %APPDATA%, read wide so that any user name works.
    const wchar_t* appData = _wgetenv (L"APPDATA");
    if (!appData || !std::filesystem::path (appData).is_absolute ())
        return {};
    folder = appData;
#else
    // An empty or relative XDG_CONFIG_HOME is to be ignored.
    if (const char* config = std::getenv ("XDG_CONFIG_HOME"); config && config[0] == '/')
        folder = config;
    else if (const char* home = std::getenv ("HOME"); home && home[0] == '/')
        folder = std::filesystem::path (home) / ".config";
    else
        return {};
#endif
    return (folder / "Overmoor" / "editor.conf").u8string ();
}

double CMVXZoomSettings::load ()
{
    const std::string name = filePath ();
    if (name.empty ())
        return 1.;
    std::ifstream file (std::filesystem::u8path (name));
    std::string line;
    while (file && std::getline (file, line))
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
    const std::string name = filePath ();
    if (name.empty () || stepIndex (zoom) < 0)
        return false;
    const std::filesystem::path path = std::filesystem::u8path (name);
    std::error_code error;
    std::filesystem::create_directories (std::filesystem::path (path).parent_path (), error);
    if (error)
        return false;
    // The process id keeps two hosts that save at once from sharing a temporary file.
    std::filesystem::path temporary = path;
    temporary += ".tmp-" + std::to_string (getpid ());
    {
        std::ofstream file (temporary, std::ios::trunc);
        file << "# Overmoor pedal window\n" << kZoomKey << percentOf (zoom) << "\n";
        file.flush ();
        if (!file)
        {
            file.close ();
            std::filesystem::remove (temporary, error);
            return false;
        }
    }
    std::filesystem::rename (temporary, path, error);
    if (error)
    {
        std::filesystem::remove (temporary, error);
        return false;
    }
    return true;
}

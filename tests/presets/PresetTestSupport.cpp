// SPDX-License-Identifier: GPL-3.0-or-later
#include "PresetTestSupport.h"
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <unistd.h>

namespace fs = std::filesystem;

namespace PresetTest {

TemporaryFolder::TemporaryFolder ()
{
    std::string pattern = (fs::temp_directory_path () / "overmoor-presets-XXXXXX").string ();
    if (::mkdtemp (pattern.data ()) == nullptr)
        throw std::runtime_error ("cannot create a temporary folder");
    folder = pattern;
}

TemporaryFolder::~TemporaryFolder ()
{
    std::error_code ignored;
    for (auto it = fs::recursive_directory_iterator (folder, ignored); it != fs::recursive_directory_iterator ();
         it.increment (ignored))
        if (it->is_directory (ignored))
            fs::permissions (it->path (), fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::permissions (folder, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all (folder, ignored);
}

ScopedEnvironment::ScopedEnvironment (const char* variable, const char* value) : name (variable)
{
    if (const char* old = std::getenv (variable))
    {
        hadPrevious = true;
        previous = old;
    }
    if (value)
        ::setenv (variable, value, 1);
    else
        ::unsetenv (variable);
}

ScopedEnvironment::~ScopedEnvironment ()
{
    if (hadPrevious)
        ::setenv (name.c_str (), previous.c_str (), 1);
    else
        ::unsetenv (name.c_str ());
}

std::vector<std::string> filesIn (const std::string& folder)
{
    std::vector<std::string> names;
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator (folder, ignored))
        names.push_back (entry.path ().filename ().string ());
    std::sort (names.begin (), names.end ());
    return names;
}

std::vector<char> readBytes (const std::string& path)
{
    std::ifstream in (path, std::ios::binary);
    return std::vector<char> (std::istreambuf_iterator<char> (in), std::istreambuf_iterator<char> ());
}

void writeBytes (const std::string& path, const std::vector<char>& bytes)
{
    std::ofstream out (path, std::ios::binary | std::ios::trunc);
    out.write (bytes.data (), static_cast<std::streamsize> (bytes.size ()));
}

bool runningAsRoot ()
{
    return ::geteuid () == 0;
}

} // namespace PresetTest

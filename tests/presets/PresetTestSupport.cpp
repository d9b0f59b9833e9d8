// SPDX-License-Identifier: GPL-3.0-or-later
#include "PresetTestSupport.h"
#include "support/Portability.h"
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace fs = std::filesystem;

namespace PresetTest {

TemporaryFolder::TemporaryFolder ()
: folder (Morvane::Test::makeTemporaryFolder ("overmoor-presets-"))
{
    if (folder.empty ())
        throw std::runtime_error ("cannot create a temporary folder");
}

TemporaryFolder::~TemporaryFolder ()
{
    std::error_code ignored;
    fs::permissions (folder, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all (folder, ignored);
}

ScopedEnvironment::ScopedEnvironment (const char* variable, const char* value)
: name (variable), previous (std::getenv (variable) ? std::getenv (variable) : ""),
  hadPrevious (std::getenv (variable))
{
    Morvane::Test::setEnvironment (variable, value);
}

ScopedEnvironment::~ScopedEnvironment ()
{
    Morvane::Test::setEnvironment (name.c_str (), hadPrevious ? previous.c_str () : nullptr);
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
    return {std::istreambuf_iterator<char> (in), std::istreambuf_iterator<char> ()};
}

void writeBytes (const std::string& path, const std::vector<char>& bytes)
{
    std::ofstream (path, std::ios::binary | std::ios::trunc)
        .write (bytes.data (), std::streamsize (bytes.size ()));
}

}   // namespace PresetTest

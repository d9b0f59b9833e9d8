// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A private preset folder per test, and small file helpers.
#include <string>
#include <vector>

namespace PresetTest {

// A fresh temporary folder, removed with whatever the test left inside (a read-only top folder
// included) when destroyed.
class TemporaryFolder
{
public:
    TemporaryFolder ();
    ~TemporaryFolder ();
    TemporaryFolder (const TemporaryFolder&) = delete;
    TemporaryFolder& operator= (const TemporaryFolder&) = delete;
    const std::string& path () const { return folder; }
    std::string file (const std::string& name) const { return folder + "/" + name; }

private:
    std::string folder;
};

// Sets (or with nullptr unsets) an environment variable for the object's lifetime.
class ScopedEnvironment
{
public:
    ScopedEnvironment (const char* name, const char* value);
    ~ScopedEnvironment ();

private:
    std::string name, previous;
    bool hadPrevious = false;
};

std::vector<std::string> filesIn (const std::string& folder);   // every entry, sorted
std::vector<char> readBytes (const std::string& path);
void writeBytes (const std::string& path, const std::vector<char>& bytes);

}   // namespace PresetTest

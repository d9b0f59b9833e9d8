// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A folder that runs out of space after a few kilobytes, for tests of what a full disk does to
// saved presets: a 16 KiB tmpfs mounted over a fresh temporary folder where the process may mount
// (root with the capability), else a folder path that runs through a regular file, where every
// write fails as on a full disk (nothing can be created). kind () says which one a test got.
#include <sys/mount.h>
#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace Morvane {
namespace Test {

class TinyFileSystem
{
public:
    TinyFileSystem ()
    {
        std::string pattern =
            (std::filesystem::temp_directory_path () / "overmoor-tiny-XXXXXX").string ();
        if (mkdtemp (pattern.data ()) == nullptr)
            return;
        base = pattern;
        folder = base + "/presets";
        std::filesystem::create_directory (folder);
        if (::mount ("tmpfs", folder.c_str (), "tmpfs", 0, "size=16k,mode=0755") == 0)
        {
            mounted = true;
            return;
        }
        std::ofstream (base + "/file") << 'x';
        folder = base + "/file/presets";
    }
    ~TinyFileSystem ()
    {
        if (mounted)
            ::umount2 (folder.c_str (), MNT_DETACH);
        std::error_code ignored;
        if (!base.empty ())
            std::filesystem::remove_all (base, ignored);
    }
    TinyFileSystem (const TinyFileSystem&) = delete;
    TinyFileSystem& operator= (const TinyFileSystem&) = delete;

    const std::string& path () const { return folder; }
    bool isMounted () const { return mounted; }
    const char* kind () const { return mounted ? "16 KiB tmpfs" : "unwritable path"; }

private:
    std::string base;
    std::string folder;
    bool mounted = false;
};

}   // namespace Test
}   // namespace Morvane

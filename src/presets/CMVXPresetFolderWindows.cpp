// SPDX-License-Identifier: GPL-3.0-or-later
// The preset folder on Windows: UTF-8 paths widened for the wide-character API, binary handles,
// FlushFileBuffers and a replacing, write-through MoveFileExW.
#include "presets/CMVXPresetFolder.h"
#include "framework/CMVXUtf16Text.h"
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

namespace CMVXPresetFolder {

namespace {

// A path that does not convert names no file: callers treat it as missing or unwritable.
std::optional<std::wstring> widened (const std::string& path)
{
    try
    {
        return CMVXUtf16Text::fromUtf8 (path);
    }
    catch (const CMVXTextConversionError&)
    {
        return std::nullopt;
    }
}

std::optional<std::string> narrowed (const std::wstring& path)
{
    try
    {
        return CMVXUtf16Text::toUtf8 (path);
    }
    catch (const CMVXTextConversionError&)
    {
        return std::nullopt;
    }
}

bool isSeparator (char c)
{
    return c == '\\' || c == '/';
}

std::string join (const std::string& directory, const std::string& name)
{
    if (directory.empty () || isSeparator (directory.back ()))
        return directory + name;
    return directory + "\\" + name;
}

std::string documentsFolder ()
{
    PWSTR path = nullptr;
    std::optional<std::string> folder;
    if (SUCCEEDED (SHGetKnownFolderPath (FOLDERID_Documents, KF_FLAG_DEFAULT, nullptr, &path)))
        folder = narrowed (path);
    CoTaskMemFree (path);
    if (folder && !folder->empty ())
        return *folder;
    const wchar_t* profile = _wgetenv (L"USERPROFILE");
    if (profile == nullptr || profile[0] == 0)
        return {};
    folder = narrowed (profile);
    return folder ? join (*folder, "Documents") : std::string ();
}

bool isDirectory (const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW (path.c_str ());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool writeAll (HANDLE file, const char* data, size_t size)
{
    while (size > 0)
    {
        const DWORD chunk = static_cast<DWORD> (std::min<size_t> (size, 1u << 30));
        DWORD written = 0;
        if (!WriteFile (file, data, chunk, &written, nullptr) || written == 0)
            return false;
        data += written;
        size -= written;
    }
    return true;
}

} // namespace

std::string defaultDirectory ()
{
    const wchar_t* overridden = _wgetenv (L"OVERMOOR_PRESET_DIR");
    if (overridden != nullptr && overridden[0] != 0)
        return narrowed (overridden).value_or (std::string ());
    const std::string documents = documentsFolder ();
    if (documents.empty ())
        return {};
    return join (documents, "VST3 Presets\\Morvane\\Overmoor");
}

std::vector<std::string> listPresetFiles (const std::string& directory)
{
    std::vector<std::string> names;
    const auto pattern = widened (join (directory, "*"));
    if (!pattern)
        return names;
    WIN32_FIND_DATAW entry {};
    HANDLE search = FindFirstFileW (pattern->c_str (), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
    {
        if ((entry.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0)
            continue;
        const auto name = narrowed (entry.cFileName);
        if (name && isPresetFileName (*name))
            names.push_back (*name);
    } while (FindNextFileW (search, &entry));
    FindClose (search);
    std::sort (names.begin (), names.end ());
    return names;
}

std::optional<std::vector<char>> readFile (const std::string& path)
{
    const auto widePath = widened (path);
    if (!widePath)
        return std::nullopt;
    HANDLE file = CreateFileW (widePath->c_str (), GENERIC_READ,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::optional<std::vector<char>> result;
    LARGE_INTEGER size {};
    if (GetFileType (file) == FILE_TYPE_DISK && GetFileSizeEx (file, &size) && size.QuadPart >= 0
        && static_cast<uint64_t> (size.QuadPart) <= kMaxFileBytes)
    {
        std::vector<char> bytes (static_cast<size_t> (size.QuadPart));
        size_t done = 0;
        bool failed = false;
        while (done < bytes.size ())
        {
            DWORD got = 0;
            const auto wanted = static_cast<DWORD> (bytes.size () - done);
            if (!ReadFile (file, bytes.data () + done, wanted, &got, nullptr))
            {
                failed = true;
                break;
            }
            if (got == 0)
                break;
            done += got;
        }
        if (!failed)
        {
            bytes.resize (done);   // a file that shrank meanwhile is read as it is now
            result = std::move (bytes);
        }
    }
    CloseHandle (file);
    return result;
}

bool makeDirectories (const std::string& directory)
{
    if (directory.empty ())
        return false;
    // Drive roots and network shares refuse creation; only whether the whole path exists counts.
    for (size_t pos = 1; pos < directory.size (); ++pos)
    {
        if (!isSeparator (directory[pos]) || isSeparator (directory[pos - 1]))
            continue;
        if (const auto prefix = widened (directory.substr (0, pos)))
            CreateDirectoryW (prefix->c_str (), nullptr);
    }
    const auto whole = widened (directory);
    if (!whole)
        return false;
    CreateDirectoryW (whole->c_str (), nullptr);
    return isDirectory (*whole);
}

bool writeFileAtomically (const std::string& directory, const std::string& fileName,
                          const std::vector<char>& bytes)
{
    static std::atomic<uint32_t> counter {0};
    char unique[64];
    std::snprintf (unique, sizeof unique, ".overmoor-%lu-%u.tmp",
                   static_cast<unsigned long> (GetCurrentProcessId ()),
                   counter.fetch_add (1, std::memory_order_relaxed));
    const auto temporary = widened (join (directory, unique));
    const auto target = widened (join (directory, fileName));
    if (!temporary || !target)
        return false;

    HANDLE file = CreateFileW (temporary->c_str (), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool ok = writeAll (file, bytes.data (), bytes.size ()) && FlushFileBuffers (file);
    ok = CloseHandle (file) && ok;
    ok = ok && MoveFileExW (temporary->c_str (), target->c_str (),
                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok)
        DeleteFileW (temporary->c_str ());
    return ok;
}

bool removeFile (const std::string& path)
{
    const auto widePath = widened (path);
    if (!widePath)
        return false;
    if (DeleteFileW (widePath->c_str ()))
        return true;
    const DWORD code = GetLastError ();
    return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND;
}

std::string pathOf (const std::string& directory, const std::string& fileName)
{
    return join (directory, fileName);
}

} // namespace CMVXPresetFolder

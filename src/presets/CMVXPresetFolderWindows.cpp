// SPDX-License-Identifier: GPL-3.0-or-later
// The preset folder on Windows: UTF-8 paths widened for the wide-character API, binary handles,
// FlushFileBuffers and a replacing, write-through MoveFileExW.
#include "presets/CMVXPresetFolder.h"
#include "framework/CMVXUtf16Text.h"
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
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
    return folder ? pathOf (*folder, "Documents") : std::string ();
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

// A reader (another instance scanning the folder, a virus scanner) may hold the target open for
// a moment without letting it be replaced; such a refusal is waited out briefly.
bool replace (const std::wstring& temporary, const std::wstring& target)
{
    for (int attempt = 1;; ++attempt)
    {
        if (MoveFileExW (temporary.c_str (), target.c_str (),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        const DWORD code = GetLastError ();
        if (attempt == 20 || (code != ERROR_SHARING_VIOLATION && code != ERROR_ACCESS_DENIED))
            return false;
        Sleep (5);
    }
}

}   // namespace

std::string defaultDirectory ()
{
    const wchar_t* overridden = _wgetenv (L"OVERMOOR_PRESET_DIR");
    if (overridden != nullptr && overridden[0] != 0)
        return narrowed (overridden).value_or (std::string ());
    const std::string documents = documentsFolder ();
    if (documents.empty ())
        return {};
    return pathOf (documents, "VST3 Presets\\Morvane\\Overmoor");
}

std::string settingsDirectory ()
{
    // %APPDATA%, read wide so that any user name works; a relative value names no folder.
    const wchar_t* appData = _wgetenv (L"APPDATA");
    if (appData == nullptr || !std::filesystem::path (appData).is_absolute ())
        return {};
    const auto folder = narrowed (appData);
    return folder ? pathOf (*folder, "Overmoor") : std::string ();
}

bool writeFileAtomically (const std::string& directory, const std::string& fileName,
                          const std::vector<char>& bytes)
{
    static std::atomic<uint32_t> counter {0};
    char unique[64];
    std::snprintf (unique, sizeof unique, ".overmoor-%lu-%u.tmp",
                   static_cast<unsigned long> (GetCurrentProcessId ()),
                   counter.fetch_add (1, std::memory_order_relaxed));
    const auto temporary = widened (pathOf (directory, unique));
    const auto target = widened (pathOf (directory, fileName));
    if (!temporary || !target)
        return false;

    HANDLE file = CreateFileW (temporary->c_str (), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool ok = writeAll (file, bytes.data (), bytes.size ()) && FlushFileBuffers (file);
    ok = CloseHandle (file) && ok;
    ok = ok && replace (*temporary, *target);
    if (!ok)
        DeleteFileW (temporary->c_str ());
    return ok;
}

}   // namespace CMVXPresetFolder

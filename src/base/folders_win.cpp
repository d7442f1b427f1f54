#include "base/folders_win.h"

#include <vector>

#include <windows.h>

#include "base/folder_rules.h"
#include "base/launcher_state_win.h"

namespace {

// A path that the system writes into a buffer of the caller's size: the
// buffer grows until the path fits, up to the longest path there is.
// `read` answers the length written, or a length of at least the buffer's
// size when the path did not fit; 0 on failure.
template <typename Read>
std::wstring ReadGrowingPath(Read read)
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = read(path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        if (path.size() > kLongestPath)
            return {};
        path.resize(path.size() * 2);
    }
}

} // namespace

std::wstring ModulePath()
{
    // Cut paths come back with the full buffer's length.
    return ReadGrowingPath([](wchar_t* buffer, DWORD size) {
        return GetModuleFileNameW(nullptr, buffer, size);
    });
}

std::wstring ProcessImagePath(HANDLE process)
{
    return ReadGrowingPath([process](wchar_t* buffer, DWORD size) -> DWORD {
        DWORD length = size;
        if (QueryFullProcessImageNameW(process, 0, buffer, &length))
            return length;
        return GetLastError() == ERROR_INSUFFICIENT_BUFFER ? size : 0;
    });
}

void LocateFolders()
{
    g_state.launcherFolder = LauncherFolderFromPath(ModulePath());
    const std::string location =
        ReadFilePrefix(g_state.launcherFolder + kInstallLocationName, kInstallLocationLimit);
    g_state.installFolder = InstallFolderFromLocation(location, g_state.launcherFolder);
}

std::string ReadFilePrefix(const std::wstring& path, unsigned limit)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    std::string bytes(limit, '\0');
    DWORD read = 0;
    const BOOL ok = ReadFile(file, bytes.data(), limit, &read, nullptr);
    CloseHandle(file);
    if (!ok)
        return {};
    bytes.resize(read);
    return bytes;
}

bool PathExists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring SkipMarkerPath()
{
    return g_state.launcherFolder + kSkipMarkerName;
}

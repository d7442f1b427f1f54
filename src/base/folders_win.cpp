#include "base/folders_win.h"

#include <vector>

#include "base/folder_rules.h"
#include "base/launcher_state_win.h"

void LocateFolders()
{
    wchar_t modulePath[kModulePathCapacity] = {};
    GetModuleFileNameW(nullptr, modulePath, kModulePathCapacity);
    modulePath[kModulePathCapacity - 1] = L'\0';
    g_state.launcherFolder = LauncherFolderFromPath(modulePath);
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

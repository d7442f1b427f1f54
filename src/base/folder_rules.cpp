#include "base/folder_rules.h"

std::wstring LauncherFolderFromPath(const std::wstring& modulePath)
{
    const std::wstring::size_type lastBackslash = modulePath.rfind(L'\\');
    if (lastBackslash == std::wstring::npos)
        return modulePath;
    return modulePath.substr(0, lastBackslash);
}

std::wstring InstallFolderFromLocation(const std::string& locationBytes,
                                       const std::wstring& launcherFolder)
{
    std::wstring folder;
    folder.reserve(locationBytes.size() / 2);
    for (std::string::size_type i = 0; i + 1 < locationBytes.size(); i += 2) {
        const unsigned low = static_cast<unsigned char>(locationBytes[i]);
        const unsigned high = static_cast<unsigned char>(locationBytes[i + 1]);
        const wchar_t unit = static_cast<wchar_t>(low | (high << 8));
        // Every path the launcher builds from the folder would end here when
        // Win32 reads it, so the folder itself ends here.
        if (unit == L'\0')
            break;
        folder.push_back(unit);
    }
    if (folder.empty())
        return launcherFolder + kGameFolderName;
    return folder;
}

std::string InstallLocationBytes(const std::wstring& installFolder)
{
    std::string bytes;
    bytes.reserve(installFolder.size() * 2);
    for (wchar_t unit : installFolder) {
        const unsigned value = static_cast<unsigned>(unit) & 0xFFFFu;
        bytes.push_back(static_cast<char>(value & 0xFFu));
        bytes.push_back(static_cast<char>(value >> 8));
    }
    return bytes;
}

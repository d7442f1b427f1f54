// Rules for the launcher and install folders that need no system call.
#pragma once

#include <string>

// Names appended to a folder by plain concatenation.
inline constexpr wchar_t kGameFolderName[] = L"\\game";
inline constexpr wchar_t kInstallLocationName[] = L"\\install_location.txt";
inline constexpr wchar_t kSkipMarkerName[] = L"\\skip_launcher.txt";
inline constexpr wchar_t kReleaseVersionName[] = L"\\setup\\version.txt";
inline constexpr wchar_t kSetupScriptName[] = L"\\setup\\setup.py";
inline constexpr wchar_t kInterpreterName[] = L"\\setup\\python\\python.exe";
inline constexpr wchar_t kSetupFolderName[] = L"\\setup";
inline constexpr wchar_t kGameExeName[] = L"\\qarn.exe";
inline constexpr wchar_t kGameDataName[] = L"\\data\\default.xbe";
inline constexpr wchar_t kKitVersionName[] = L"\\kit_version.txt";
inline constexpr wchar_t kGameIconName[] = L"\\qarn.ico";
inline constexpr wchar_t kSettingsFileName[] = L"\\qarn.ini";

// The longest path Windows knows, in code units: the longest install folder
// a record can hold.
inline constexpr unsigned kLongestPath = 32767;
// Read limits of the small start-up files, in bytes.
inline constexpr unsigned kInstallLocationLimit = 2 * kLongestPath;
inline constexpr unsigned kVersionTextLimit = 64;

// The folder part of the launcher's own path: everything before its last
// backslash, or the whole path when it has none.
std::wstring LauncherFolderFromPath(const std::wstring& modulePath);

// The install folder: the bytes of install_location.txt read as little-endian
// UTF-16 code units (an odd last byte dropped), taken exactly as they are up
// to the first zero code unit; when that leaves no text (fewer than two
// bytes, or a zero first), the launcher folder followed by "\game".
std::wstring InstallFolderFromLocation(const std::string& locationBytes,
                                       const std::wstring& launcherFolder);

// The bytes install_location.txt holds for a folder: its code units,
// little-endian, no byte-order mark, no terminator, no line end.
std::string InstallLocationBytes(const std::wstring& installFolder);

// The launcher and install folders and the small file operations of start-up.
#pragma once

#include <string>

// Sets g_state.launcherFolder and g_state.installFolder.
void LocateFolders();

// The first bytes of a file: what one read of at most limit bytes gives;
// empty when the file cannot be opened or read. No decoding, no trimming.
std::string ReadFilePrefix(const std::wstring& path, unsigned limit);

// True when the path names an existing file or folder.
bool PathExists(const std::wstring& path);

std::wstring SkipMarkerPath();

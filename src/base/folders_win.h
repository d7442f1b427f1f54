// The launcher and install folders and the small file operations of start-up.
#pragma once

#include <string>

#include <windows.h>

// Sets g_state.launcherFolder and g_state.installFolder.
void LocateFolders();

// The full path of this process's program, however long; empty when the
// system cannot give it.
std::wstring ModulePath();

// The full path of another process's program (a handle with
// PROCESS_QUERY_LIMITED_INFORMATION), however long; empty when it cannot be
// read.
std::wstring ProcessImagePath(HANDLE process);

// The first bytes of a file: what one read of at most limit bytes gives;
// empty when the file cannot be opened or read. No decoding, no trimming.
std::string ReadFilePrefix(const std::wstring& path, unsigned limit);

// True when the path names an existing file or folder.
bool PathExists(const std::wstring& path);

std::wstring SkipMarkerPath();

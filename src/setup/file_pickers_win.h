// The two system dialogs of the setup window: the file-open dialog for a disc
// image and the folder picker.
#pragma once

#include <windows.h>

#include <string>

// The file-open dialog for a disc image; empty when cancelled.
std::wstring ChooseDiscImage(HWND owner);
// The folder picker with this title; empty when cancelled or when the
// chosen item has no file-system path.
std::wstring ChooseFolder(HWND owner, const wchar_t* title);

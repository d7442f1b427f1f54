// The two system dialogs of the setup window: the file-open dialog for a disc
// image and the folder picker.
#pragma once

#include <string>

// The file-open dialog for a disc image; empty when cancelled.
std::wstring ChooseDiscImage();
// The folder picker with this title; empty when cancelled or when the
// chosen item has no file-system path.
std::wstring ChooseFolder(const wchar_t* title);

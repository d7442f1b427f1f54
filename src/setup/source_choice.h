// The user's choice of the source (a disc image or an extracted disc
// folder) and its check by the setup tool.
#pragma once

#include <string>

// The file-open dialog for a disc image; empty when cancelled.
std::wstring ChooseDiscImage();
// The folder picker with this title; empty when cancelled or when the
// chosen item has no file-system path.
std::wstring ChooseFolder(const wchar_t* title);
// Records the source, clears its verdict and starts its check.
void CheckSource(const std::wstring& path);

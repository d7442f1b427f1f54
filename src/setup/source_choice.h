// The user's choice of the source (a disc image or an extracted disc folder)
// and its check by the setup tool.
#pragma once

#include <string>

// Records the source, clears its verdict and starts its check.
void CheckSource(const std::wstring& path);

// The two source buttons: the file-open dialog for a disc image, the folder
// picker for an extracted disc; a chosen path is checked at once.
void ChooseDiscImageSource();
void ChooseFolderSource();

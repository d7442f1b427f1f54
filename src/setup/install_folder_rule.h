// The install folder made from the folder the user picked: the game gets a
// folder of its own named after it, unless the pick already is one.
#pragma once

#include <functional>
#include <string>

// pathExists is asked whether folder + "\qarn.exe" exists.
std::wstring InstallFolderForPick(std::wstring folder,
                                  const std::function<bool(const std::wstring&)>& pathExists);

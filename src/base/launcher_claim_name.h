// The name of the kernel object by which launchers of one release folder
// find out about each other.
#pragma once

#include <string>

// A name in the user session's namespace ("Local\"), derived from the
// launcher folder's path: the same folder always gives the same name, and the
// path itself (whose backslashes the object namespace would take as levels)
// never appears in it. The caller upper-cases the path first, so that two
// spellings of one folder that differ only in case give one name.
std::wstring LauncherClaimName(const std::wstring& upperCasedFolder);

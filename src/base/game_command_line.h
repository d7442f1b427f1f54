// The game's command line: its quoted path, one blank, the extra arguments.
#pragma once

#include <string>

std::wstring GameExePath(const std::wstring& installFolder);
std::wstring GameCommandLine(const std::wstring& installFolder, const std::wstring& extraArguments);

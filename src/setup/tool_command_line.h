// Command lines of the setup tool and of the game, built as plain text.
#pragma once

#include <string>
#include <vector>

// Puts one path on a command line: trailing backslashes cut while the path
// has at least 4 characters, a remaining final backslash doubled (so that a
// drive root does not escape the closing quote), the result in double quotes.
std::wstring QuoteArg(std::wstring path);

// The interpreter, its options, the script and the job's arguments.
std::wstring SetupToolCommandLine(const std::wstring& launcherFolder,
                                  const std::wstring& arguments);

// The arguments of the four jobs.
std::wstring CheckSourceArguments(const std::wstring& source);
std::wstring CheckDlcArguments(const std::vector<std::wstring>& dlcFolders);
std::wstring InstallArguments(const std::wstring& source, const std::wstring& installFolder,
                              const std::vector<std::wstring>& dlcFolders, bool android);
std::wstring RebuildArguments(const std::wstring& installFolder);

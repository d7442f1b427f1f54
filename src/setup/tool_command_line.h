// The setup tool's command line and the arguments of its four jobs, built as
// plain text; every path goes through QuoteArg.
#pragma once

#include <string>
#include <vector>

// The interpreter, its options, the script and the job's arguments.
std::wstring SetupToolCommandLine(const std::wstring& launcherFolder,
                                  const std::wstring& arguments);

// The arguments of the four jobs.
std::wstring CheckSourceArguments(const std::wstring& source);
std::wstring CheckDlcArguments(const std::vector<std::wstring>& dlcFolders);
std::wstring InstallArguments(const std::wstring& source, const std::wstring& installFolder,
                              const std::vector<std::wstring>& dlcFolders, bool android);
std::wstring RebuildArguments(const std::wstring& installFolder);

#include "setup/tool_command_line.h"

#include "base/folder_rules.h"
#include "base/quote_arg.h"

std::wstring SetupToolCommandLine(const std::wstring& launcherFolder,
                                  const std::wstring& arguments)
{
    return QuoteArg(launcherFolder + kInterpreterName) + L" -X utf8 -u "
        + QuoteArg(launcherFolder + kSetupScriptName) + L" " + arguments;
}

std::wstring CheckSourceArguments(const std::wstring& source)
{
    return L"--check-source " + QuoteArg(source);
}

std::wstring CheckDlcArguments(const std::vector<std::wstring>& dlcFolders)
{
    std::wstring arguments;
    for (const std::wstring& folder : dlcFolders)
        arguments += L"--check-dlc " + QuoteArg(folder) + L" ";
    return arguments;
}

std::wstring InstallArguments(const std::wstring& source, const std::wstring& installFolder,
                              const std::vector<std::wstring>& dlcFolders, bool android)
{
    std::wstring arguments = L"--source " + QuoteArg(source) + L" --dest " + QuoteArg(installFolder);
    for (const std::wstring& folder : dlcFolders)
        arguments += L" --dlc " + QuoteArg(folder);
    if (android)
        arguments += L" --android";
    return arguments;
}

std::wstring RebuildArguments(const std::wstring& installFolder)
{
    return L"--rebuild --dest " + QuoteArg(installFolder);
}

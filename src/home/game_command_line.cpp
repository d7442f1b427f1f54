#include "home/game_command_line.h"

#include "app/folder_rules.h"
#include "setup/tool_command_line.h"

std::wstring GameExePath(const std::wstring& installFolder)
{
    return installFolder + kGameExeName;
}

std::wstring GameCommandLine(const std::wstring& installFolder, const std::wstring& extraArguments)
{
    return QuoteArg(GameExePath(installFolder)) + L" " + extraArguments;
}

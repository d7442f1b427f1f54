#include "base/game_command_line.h"

#include "base/folder_rules.h"
#include "base/quote_arg.h"

std::wstring GameExePath(const std::wstring& installFolder)
{
    return installFolder + kGameExeName;
}

std::wstring GameCommandLine(const std::wstring& installFolder, const std::wstring& extraArguments)
{
    return QuoteArg(GameExePath(installFolder)) + L" " + extraArguments;
}

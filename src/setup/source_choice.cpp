#include "setup/source_choice.h"

#include <windows.h>

#include "base/launcher_state.h"
#include "setup/file_pickers.h"
#include "setup/setup_run.h"
#include "setup/tool_command_line.h"

void CheckSource(const std::wstring& path)
{
    g_state.sourcePath = path;
    g_state.sourceAccepted = false;
    SetWindowTextW(g_state.sourceEdit, path.c_str());
    SetWindowTextW(g_state.sourceStatus, L"Checking...");
    StartSetupTool(PhaseCheckSource, CheckSourceArguments(path));
}

void ChooseDiscImageSource()
{
    const std::wstring path = ChooseDiscImage();
    if (!path.empty())
        CheckSource(path);
}

void ChooseFolderSource()
{
    const std::wstring path = ChooseFolder(L"Choose the folder that holds default.xbe");
    if (!path.empty())
        CheckSource(path);
}

#include "setup/dlc_choice.h"

#include <windows.h>

#include "base/launcher_state.h"
#include "setup/file_pickers.h"
#include "setup/setup_run.h"
#include "setup/tool_command_line.h"

void RefreshDlcList()
{
    SendMessageW(g_state.dlcList, LB_RESETCONTENT, 0, 0);
    for (const std::wstring& folder : g_state.dlcFolders)
        SendMessageW(g_state.dlcList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(folder.c_str()));
    g_state.dlcAccepted = true;
    if (g_state.dlcFolders.empty()) {
        SetWindowTextW(g_state.dlcStatus, L"");
        SetMainButtonState();
        return;
    }
    SetWindowTextW(g_state.dlcStatus, L"Checking...");
    StartSetupTool(PhaseCheckDlc, CheckDlcArguments(g_state.dlcFolders));
}

void AddDlcFolder()
{
    const std::wstring folder = ChooseFolder(L"Choose a DLC folder, or the folder that holds several");
    if (folder.empty())
        return;
    g_state.dlcFolders.push_back(folder);
    RefreshDlcList();
}

void ClearDlcList()
{
    g_state.dlcFolders.clear();
    RefreshDlcList();
}

#include "setup/dlc_and_folder_choice.h"

#include <windows.h>
#include <shellapi.h>

#include "app/folders.h"
#include "app/launcher_state.h"
#include "setup/install_folder_rule.h"
#include "setup/setup_controls.h"
#include "setup/setup_tool_runner.h"
#include "setup/source_choice.h"
#include "setup/tool_command_line.h"

namespace {

constexpr wchar_t kTermsAddress[] = L"https://developer.android.com/studio/terms";

} // namespace

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

void ChooseInstallFolder()
{
    const std::wstring picked = ChooseFolder(L"Choose where to install the game");
    if (picked.empty())
        return;
    g_state.installFolder = InstallFolderForPick(picked, PathExists);
    SetWindowTextW(g_state.destEdit, g_state.installFolder.c_str());
}

void OpenTermsPage()
{
    ShellExecuteW(g_state.setupWindow, L"open", kTermsAddress, nullptr, nullptr, SW_SHOWNORMAL);
}

#include "setup/install_folder_choice.h"

#include <windows.h>

#include "base/folders.h"
#include "base/launcher_state.h"
#include "setup/file_pickers.h"
#include "setup/install_folder_rule.h"

void ChooseInstallFolder()
{
    const std::wstring picked = ChooseFolder(L"Choose where to install the game");
    if (picked.empty())
        return;
    g_state.installFolder = InstallFolderForPick(picked, PathExists);
    SetWindowTextW(g_state.destEdit, g_state.installFolder.c_str());
}

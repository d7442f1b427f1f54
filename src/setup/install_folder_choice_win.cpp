#include "setup/install_folder_choice_win.h"

#include "base/folders_win.h"
#include "base/launcher_state_win.h"
#include "base/names.h"
#include "setup/file_pickers_win.h"
#include "setup/install_folder_rule.h"
#include "theme/window_builder_win.h"

void ChooseInstallFolder(HWND window, SetupSession&)
{
    const std::wstring picked = ChooseFolder(window, L"Choose where to install the game");
    if (picked.empty())
        return;
    g_state.installFolder = InstallFolderForPick(picked, PathExists);
    SetWindowTextW(Control(window, IdDestEdit), g_state.installFolder.c_str());
}

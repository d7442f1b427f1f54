#include "setup/install_folder_choice_win.h"

#include "base/folders_win.h"
#include "base/names.h"
#include "setup/file_pickers_win.h"
#include "setup/install_folder_rule.h"
#include "theme/window_builder_win.h"

void ChooseInstallFolder(HWND window, SetupSession& session)
{
    const std::wstring picked = ChooseFolder(window, L"Choose where to install the game");
    if (picked.empty())
        return;
    session.installFolder = InstallFolderForPick(picked, PathExists);
    SetWindowTextW(Control(window, IdDestEdit), session.installFolder.c_str());
}

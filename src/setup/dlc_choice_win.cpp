#include "setup/dlc_choice_win.h"

#include "base/names.h"
#include "setup/file_pickers_win.h"
#include "setup/setup_run_win.h"
#include "setup/setup_view_win.h"
#include "setup/tool_command_line.h"
#include "theme/window_builder_win.h"

void RefreshDlcList(HWND window, SetupSession& session)
{
    HWND list = Control(window, IdDlcList);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const std::wstring& folder : session.dlcFolders)
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(folder.c_str()));
    const DlcListChange change = ChangeDlcList(session);
    ApplyStatusChange(window, change.status);
    if (change.runCheck)
        StartSetupTool(window, session, SetupPhase::CheckDlc, CheckDlcArguments(session.dlcFolders));
    else
        ApplySetupView(window, session);
}

void AddDlcFolder(HWND window, SetupSession& session)
{
    const std::wstring folder =
        ChooseFolder(window, L"Choose a DLC folder, or the folder that holds several");
    if (folder.empty())
        return;
    session.dlcFolders.push_back(folder);
    RefreshDlcList(window, session);
}

void ClearDlcList(HWND window, SetupSession& session)
{
    session.dlcFolders.clear();
    RefreshDlcList(window, session);
}

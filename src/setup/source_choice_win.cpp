#include "setup/source_choice_win.h"

#include "base/names.h"
#include "setup/file_pickers_win.h"
#include "setup/setup_run_win.h"
#include "setup/setup_view_win.h"
#include "setup/tool_command_line.h"
#include "theme/window_builder_win.h"

void CheckSource(HWND window, SetupSession& session, const std::wstring& path)
{
    session.sourcePath = path;
    SetWindowTextW(Control(window, IdSourceEdit), path.c_str());
    ApplyStatusChange(window, StartSourceCheck(session));
    StartSetupTool(window, session, SetupPhase::CheckSource, CheckSourceArguments(path));
}

void ChooseDiscImageSource(HWND window, SetupSession& session)
{
    const std::wstring path = ChooseDiscImage(window);
    if (!path.empty())
        CheckSource(window, session, path);
}

void ChooseFolderSource(HWND window, SetupSession& session)
{
    const std::wstring path = ChooseFolder(window, L"Choose the folder that holds default.xbe");
    if (!path.empty())
        CheckSource(window, session, path);
}

#include "setup/source_choice.h"

#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>

#include "app/launcher_state.h"
#include "setup/setup_tool_runner.h"
#include "setup/tool_command_line.h"

namespace {

// Both pickers return at most this many characters, the NUL included.
constexpr DWORD kPathCapacity = 520;

} // namespace

std::wstring ChooseDiscImage()
{
    wchar_t path[kPathCapacity] = {};
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = g_state.setupWindow;
    dialog.lpstrFilter = L"Xbox disc image (*.iso)\0*.iso\0All files\0*.*\0";
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path;
    dialog.nMaxFile = kPathCapacity;
    dialog.lpstrTitle = L"Choose your disc image";
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    GetOpenFileNameW(&dialog);
    // A cancelled dialog leaves the buffer empty.
    return path;
}

std::wstring ChooseFolder(const wchar_t* title)
{
    wchar_t path[kPathCapacity] = {};
    BROWSEINFOW browse = {};
    browse.hwndOwner = g_state.setupWindow;
    browse.lpszTitle = title;
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    if (PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&browse)) {
        SHGetPathFromIDListW(item, path);
        CoTaskMemFree(item);
    }
    return path;
}

void CheckSource(const std::wstring& path)
{
    g_state.sourcePath = path;
    g_state.sourceAccepted = false;
    SetWindowTextW(g_state.sourceEdit, path.c_str());
    SetWindowTextW(g_state.sourceStatus, L"Checking...");
    StartSetupTool(PhaseCheckSource, CheckSourceArguments(path));
}

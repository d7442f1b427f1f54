#include "setup/desktop_shortcut_win.h"

#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "base/folder_rules.h"
#include "base/folders_win.h"
#include "base/launcher_state_win.h"
#include "base/names.h"

void CreateDesktopShortcut()
{
    wchar_t desktop[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, desktop)))
        return;
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link))))
        return;
    const std::wstring& folder = g_state.installFolder;
    link->SetPath((folder + kGameExeName).c_str());
    link->SetWorkingDirectory(folder.c_str());
    link->SetDescription(kGameTitle);
    const std::wstring icon = folder + kGameIconName;
    if (PathExists(icon))
        link->SetIconLocation(icon.c_str(), 0);
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        const std::wstring shortcut = std::wstring(desktop) + L"\\" + kGameTitle + L".lnk";
        file->Save(shortcut.c_str(), TRUE);
        file->Release();
    }
    link->Release();
}

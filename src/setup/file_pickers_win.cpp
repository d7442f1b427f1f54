#include "setup/file_pickers_win.h"

#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>

#include <cwchar>

#include "base/folder_rules.h"

namespace {

// The file dialog's buffer holds the longest path Windows knows, so no
// choice is too long for it.
constexpr DWORD kFilePathCapacity = kLongestPath + 1;

} // namespace

std::wstring ChooseDiscImage(HWND owner)
{
    std::wstring path(kFilePathCapacity, L'\0');
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = L"Xbox disc image (*.iso)\0*.iso\0All files\0*.*\0";
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = kFilePathCapacity;
    dialog.lpstrTitle = L"Choose your disc image";
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    // A cancelled or failed dialog chose nothing, whatever its buffer holds
    // (after FNERR_BUFFERTOOSMALL, the size it needed).
    if (!GetOpenFileNameW(&dialog))
        return {};
    path.resize(wcsnlen(path.c_str(), path.size()));
    return path;
}

std::wstring ChooseFolder(HWND owner, const wchar_t* title)
{
    // SHGetPathFromIDListW writes at most MAX_PATH characters.
    wchar_t path[MAX_PATH] = {};
    BROWSEINFOW browse = {};
    browse.hwndOwner = owner;
    browse.lpszTitle = title;
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    if (PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&browse)) {
        if (!SHGetPathFromIDListW(item, path))
            path[0] = L'\0';
        CoTaskMemFree(item);
    }
    return path;
}

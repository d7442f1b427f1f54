#include "setup/file_pickers_win.h"

#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>

namespace {

// Both pickers return at most this many characters, the NUL included.
constexpr DWORD kPathCapacity = 520;

} // namespace

std::wstring ChooseDiscImage(HWND owner)
{
    wchar_t path[kPathCapacity] = {};
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
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

std::wstring ChooseFolder(HWND owner, const wchar_t* title)
{
    wchar_t path[kPathCapacity] = {};
    BROWSEINFOW browse = {};
    browse.hwndOwner = owner;
    browse.lpszTitle = title;
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    if (PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&browse)) {
        SHGetPathFromIDListW(item, path);
        CoTaskMemFree(item);
    }
    return path;
}

// Drives the system's file-open dialog and folder picker in the launcher's
// process, the way a user would choose a file or folder or cancel.
#pragma once

#include <windows.h>

#include <string>

namespace dialogs {

// The file-open dialog (#32770) of the process with this title.
[[nodiscard]] HWND WaitForFileDialog(DWORD processId, const wchar_t* title, DWORD timeoutMs = 20000);
// Types the full path into the dialog's file-name box and presses Open.
[[nodiscard]] bool ChooseFile(HWND dialog, const std::wstring& path);

// The folder picker ("Browse for Folder") of the process.
[[nodiscard]] HWND WaitForFolderPicker(DWORD processId, DWORD timeoutMs = 20000);
// The title text the caller gave the picker (shown inside it).
std::wstring FolderPickerTitle(HWND picker);
// Selects the folder in the picker and presses OK. The path is written into
// the launcher's memory for BFFM_SETSELECTIONW; the picker ignores some first
// tries, so the selection is sent again until the picker shows the folder.
[[nodiscard]] bool ChooseFolder(DWORD processId, HWND picker, const std::wstring& folder);

// Presses Cancel and waits until the dialog is gone.
[[nodiscard]] bool Cancel(HWND dialog);

} // namespace dialogs

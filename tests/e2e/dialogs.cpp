#include "dialogs.h"

#include <shlobj.h>

#include "driver.h"

namespace dialogs {

namespace {

// The file-name box of the file-open dialog (a ComboBoxEx32).
constexpr int kFileNameBox = 0x47C;
// The folder picker's hidden edit that holds the selected folder's name.
constexpr int kPickerFolderName = 0x3745;

std::wstring LastComponent(std::wstring path)
{
    while (path.size() > 3 && path.back() == L'\\')
        path.pop_back();
    const size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

bool SetText(HWND window, const std::wstring& text)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                               SMTO_ABORTIFHUNG, 5000, &result)
        && result;
}

bool WaitUntilGone(HWND dialog)
{
    return driver::WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); });
}

// Text of a static child of the picker other than the folder name.
std::wstring FirstStaticText(HWND picker)
{
    for (HWND child : driver::Children(picker))
        if (driver::ClassName(child) == L"Static" && !driver::Text(child).empty())
            return driver::Text(child);
    return {};
}

} // namespace

HWND WaitForFileDialog(DWORD processId, const wchar_t* title, DWORD timeoutMs)
{
    HWND dialog = driver::WaitForDialog(processId, title, timeoutMs);
    if (!dialog)
        return nullptr;
    // The dialog is usable once its file-name box exists.
    return driver::WaitUntil([&] { return GetDlgItem(dialog, kFileNameBox) != nullptr; }, 5000)
        ? dialog
        : nullptr;
}

bool ChooseFile(HWND dialog, const std::wstring& path)
{
    HWND box = GetDlgItem(dialog, kFileNameBox);
    if (!box || !SetText(box, path))
        return false;
    driver::AnswerDialog(dialog, IDOK);
    return WaitUntilGone(dialog);
}

HWND WaitForFolderPicker(DWORD processId, DWORD timeoutMs)
{
    HWND picker = driver::WaitForDialog(processId, L"Browse for Folder", timeoutMs);
    if (!picker)
        return nullptr;
    return driver::WaitUntil([&] { return GetDlgItem(picker, kPickerFolderName) != nullptr; }, 5000)
        ? picker
        : nullptr;
}

std::wstring FolderPickerTitle(HWND picker)
{
    return FirstStaticText(picker);
}

bool ChooseFolder(DWORD processId, HWND picker, const std::wstring& folder)
{
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId);
    if (!process)
        return false;
    const SIZE_T bytes = (folder.size() + 1) * sizeof(wchar_t);
    void* remote = VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    bool selected = false;
    if (remote && WriteProcessMemory(process, remote, folder.c_str(), bytes, nullptr)) {
        const std::wstring name = LastComponent(folder);
        HWND nameBox = GetDlgItem(picker, kPickerFolderName);
        for (int attempt = 0; attempt < 20 && !selected; ++attempt) {
            DWORD_PTR result = 0;
            SendMessageTimeoutW(picker, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(remote),
                                SMTO_ABORTIFHUNG, 5000, &result);
            selected = driver::WaitUntil([&] { return driver::Text(nameBox) == name; }, 500);
        }
    }
    if (selected) {
        driver::AnswerDialog(picker, IDOK);
        selected = WaitUntilGone(picker);
    }
    // The launcher no longer looks at the path once the picker has closed.
    if (remote)
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return selected;
}

bool Cancel(HWND dialog)
{
    driver::AnswerDialog(dialog, IDCANCEL);
    return WaitUntilGone(dialog);
}

} // namespace dialogs

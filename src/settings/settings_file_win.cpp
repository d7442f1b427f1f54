#include "settings/settings_file_win.h"

#include <windows.h>

#include "base/file_replace_win.h"
#include "base/folder_rules.h"
#include "base/launcher_state_win.h"

namespace {

constexpr DWORD kReadPiece = 4096;

struct FileContent {
    std::string bytes;
    bool complete = true; // false when the file exists but was not read to its end
};

FileContent ReadWholeFile(const std::wstring& path)
{
    FileContent content;
    // Read and write sharing: the game may have the file open.
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        content.complete = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        return content;
    }
    char piece[kReadPiece];
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file, piece, kReadPiece, &read, nullptr)) {
            content.complete = false;
            break;
        }
        if (read == 0)
            break;
        content.bytes.append(piece, read);
    }
    CloseHandle(file);
    return content;
}

} // namespace

std::wstring SettingsFilePath()
{
    return g_state.installFolder + kSettingsFileName;
}

SettingsLines ReadSettingsLines(const std::wstring& path)
{
    return SplitSettingsLines(ReadWholeFile(path).bytes);
}

bool WriteSettingsFile(const std::wstring& path, const ChosenIndices& chosen)
{
    // Saving rewrites the whole file: from a file that exists but could not
    // be read in full, that would throw away the lines that were not read.
    const FileContent old = ReadWholeFile(path);
    if (!old.complete)
        return false;
    return ReplaceFileContents(path, MergedSettingsText(old.bytes, chosen));
}

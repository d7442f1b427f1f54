#include "settings/settings_file.h"

#include <windows.h>

#include "app/folder_rules.h"
#include "app/launcher_state.h"

namespace {

constexpr DWORD kReadPiece = 4096;
// Written beside qarn.ini, so that moving it over qarn.ini never crosses volumes.
constexpr wchar_t kTemporarySuffix[] = L".new";

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

bool IsReadOnly(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

// Writes every byte, flushed to the disk, or reports failure.
bool WriteNewFile(const std::wstring& path, const std::string& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool complete = true;
    std::size_t done = 0;
    while (complete && done < bytes.size()) {
        const std::size_t left = bytes.size() - done;
        const DWORD piece = left < 0x40000000u ? static_cast<DWORD>(left) : 0x40000000u;
        DWORD written = 0;
        complete = WriteFile(file, bytes.data() + done, piece, &written, nullptr) && written > 0;
        done += written;
    }
    complete = complete && FlushFileBuffers(file);
    return CloseHandle(file) && complete;
}

// The old file stays untouched until the new content is complete on disk;
// then one move replaces it, so no failure leaves a cut-off file. On failure
// the temporary file is removed.
bool ReplaceWholeFile(const std::wstring& path, const std::string& bytes)
{
    const std::wstring temporary = path + kTemporarySuffix;
    if (WriteNewFile(temporary, bytes)
        && MoveFileExW(temporary.c_str(), path.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileW(temporary.c_str());
    return false;
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
    // A read-only file is one the user protected. Windows refuses to move a
    // file over it, but Wine does not, so it is checked here.
    if (IsReadOnly(path))
        return false;
    // Saving rewrites the whole file: from a file that exists but could not
    // be read in full, that would throw away the lines that were not read.
    const FileContent old = ReadWholeFile(path);
    if (!old.complete)
        return false;
    return ReplaceWholeFile(path, MergedSettingsText(old.bytes, chosen));
}

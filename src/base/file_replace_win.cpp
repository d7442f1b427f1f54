#include "base/file_replace_win.h"

#include <windows.h>

#include "base/lock_retry.h"

namespace {

// Written beside the target, so the final move stays on one volume.
constexpr wchar_t kTemporarySuffix[] = L".new";

bool IsReadOnly(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

// Writes every byte, flushed to the disk, or reports failure with the
// system's error code left in GetLastError.
bool WriteNewFile(const std::wstring& path, const std::string& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD error = ERROR_SUCCESS;
    std::size_t done = 0;
    while (error == ERROR_SUCCESS && done < bytes.size()) {
        const std::size_t left = bytes.size() - done;
        const DWORD piece = left < 0x40000000u ? static_cast<DWORD>(left) : 0x40000000u;
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, piece, &written, nullptr))
            error = GetLastError();
        else if (written == 0)
            error = ERROR_WRITE_FAULT;
        done += written;
    }
    if (error == ERROR_SUCCESS && !FlushFileBuffers(file))
        error = GetLastError();
    if (!CloseHandle(file) && error == ERROR_SUCCESS)
        error = GetLastError();
    SetLastError(error);
    return error == ERROR_SUCCESS;
}

// One attempt: the new content beside the target, then moved over it.
bool WriteAndMove(const std::wstring& path, const std::string& bytes)
{
    const std::wstring temporary = path + kTemporarySuffix;
    if (WriteNewFile(temporary, bytes)
        && MoveFileExW(temporary.c_str(), path.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    // The caller reports the write's or the move's reason, not the cleanup's.
    const DWORD error = GetLastError();
    DeleteFileW(temporary.c_str());
    SetLastError(error);
    return false;
}

} // namespace

bool RetryWhileLocked(const std::function<bool()>& attempt)
{
    LockedWrite write;
    write.attempt = attempt;
    write.lastError = [] { return static_cast<std::uint32_t>(GetLastError()); };
    // The wait must not disturb the error code the caller reports.
    write.wait = [](unsigned ms) {
        const DWORD error = GetLastError();
        Sleep(ms);
        SetLastError(error);
    };
    return RetryWhileLocked(write);
}

bool ReplaceFileContents(const std::wstring& path, const std::string& bytes)
{
    // A read-only file is one the user protected. Windows refuses to move a
    // file over it but Wine does not, so it is checked here.
    if (IsReadOnly(path)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    return RetryWhileLocked([&] { return WriteAndMove(path, bytes); });
}

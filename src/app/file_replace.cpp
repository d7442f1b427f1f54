#include "app/file_replace.h"

#include <windows.h>

bool ReplaceFileContents(const std::wstring& path, const std::string& bytes)
{
    // Beside the target, so the final move stays on one volume and is atomic.
    const std::wstring temporary = path + L".new";
    HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const DWORD size = static_cast<DWORD>(bytes.size());
    const bool complete = (size == 0 || WriteFile(file, bytes.data(), size, &written, nullptr))
        && written == size && FlushFileBuffers(file);
    const bool closed = CloseHandle(file) != FALSE;
    if (complete && closed
        && MoveFileExW(temporary.c_str(), path.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileW(temporary.c_str());
    return false;
}

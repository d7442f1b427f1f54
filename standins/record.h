// Appends "current directory <TAB> whole command line <LF>" in UTF-8 to the
// file named by an environment variable, so a test can see how a stand-in
// was started.
#pragma once

#include <windows.h>

#include <string>

inline void RecordStart(const wchar_t* variable)
{
    wchar_t logPath[1024] = {};
    if (!GetEnvironmentVariableW(variable, logPath, 1024))
        return;
    wchar_t folder[1024] = {};
    GetCurrentDirectoryW(1024, folder);
    std::wstring line = std::wstring(folder) + L"\t" + GetCommandLineW() + L"\n";
    int size = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), nullptr,
                                   0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), bytes.data(), size,
                        nullptr, nullptr);
    HANDLE file = CreateFileW(logPath, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

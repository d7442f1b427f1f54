#include "full_disk.h"

#include <cstdlib>
#include <string>
#include <vector>

#include "driver.h"
#include "release.h"

namespace {

// Wine's own export that names the Linux path of a Windows path.
std::string UnixPath(const std::wstring& path)
{
    using UnixFileNameFn = char*(CDECL*)(const wchar_t*);
    auto unixFileName = reinterpret_cast<UnixFileNameFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!unixFileName)
        return {};
    char* name = unixFileName(path.c_str());
    if (!name)
        return {};
    std::string result = name;
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

std::wstring Widen(const std::string& text)
{
    std::wstring wide(text.size(), L'\0');
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                           wide.data(), static_cast<int>(wide.size()));
    wide.resize(length > 0 ? static_cast<size_t>(length) : 0);
    return wide;
}

// Runs /bin/sh with a script and its arguments (Linux paths, quoted for the
// Windows command line); returns the script's exit code, or -1 when it did
// not run or did not finish within 30 s. Wine starts a Linux program
// without a Windows process to wait for (CreateProcessW may even report
// failure), so the shell writes its exit code to a file, which is waited for.
int RunShell(const std::string& script, const std::vector<std::string>& arguments,
             const std::wstring& statusFile)
{
    const std::string unixStatus = UnixPath(statusFile);
    if (unixStatus.empty())
        return -1;
    DeleteFileW(statusFile.c_str());
    const std::string wrapped = "(" + script + "); echo $? > \"$0\"";
    // Inside the quoted script, each quote is escaped for the command line.
    std::wstring quoted;
    for (wchar_t c : Widen(wrapped))
        quoted += c == L'"' ? std::wstring(L"\\\"") : std::wstring(1, c);
    std::wstring commandLine = L"sh -c \"" + quoted + L"\" \"" + Widen(unixStatus) + L"\"";
    for (const std::string& argument : arguments)
        commandLine += L" \"" + Widen(argument) + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (CreateProcessW(L"Z:\\bin\\sh", commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       nullptr, &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    std::string status;
    const bool finished = driver::WaitUntil([&] {
        status = ReadBytes(statusFile);
        return !status.empty() && status.back() == '\n';
    }, 30000);
    DeleteFileW(statusFile.c_str());
    return finished ? std::atoi(status.c_str()) : -1;
}

constexpr char kMountScript[] =
    "set -e; cp -a \"$1\"/. \"$2\"/; mount -t tmpfs -o size=32m tmpfs \"$1\"; cp -a \"$2\"/. \"$1\"/";

} // namespace

bool FullDisk::Mount(const std::wstring& folder, std::string& why)
{
    const std::wstring stash = folder + L" stash";
    CreateDirectoryW(stash.c_str(), nullptr);
    const std::string unixFolder = UnixPath(folder);
    const std::string unixStash = UnixPath(stash);
    if (unixFolder.empty() || unixStash.empty()) {
        why = "this Wine names no Linux path for the release folder";
        return false;
    }
    const int code = RunShell(kMountScript, {unixFolder, unixStash}, folder + L" mount status");
    if (code == -1) {
        why = "the Linux shell Z:\\bin\\sh did not start or did not finish within 30 s";
        return false;
    }
    if (code != 0) {
        why = "mounting a tmpfs failed (exit code " + std::to_string(code)
            + "); it needs root on Linux";
        return false;
    }
    folder_ = folder;
    mounted_ = true;
    return true;
}

DWORD FullDisk::Fill()
{
    HANDLE file = CreateFileW((folder_ + L"\\filler.bin").c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError();
    std::vector<char> block(1 << 20, 'x');
    DWORD error = 0;
    for (size_t size = block.size(); size > 0 && error == 0;) {
        DWORD written = 0;
        if (!WriteFile(file, block.data(), static_cast<DWORD>(size), &written, nullptr)) {
            // Smaller and smaller writes, down to one byte, use up the last of it.
            if (size == 1)
                error = GetLastError();
            size /= 2;
        }
    }
    CloseHandle(file);
    return error;
}

FullDisk::~FullDisk()
{
    if (mounted_)
        RunShell("umount -l \"$1\"", {UnixPath(folder_)}, folder_ + L" mount status");
}

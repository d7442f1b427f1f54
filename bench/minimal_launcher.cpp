// The least any launcher must do before it starts the game: its own path, the
// three small reads, the three presence tests, the Shift key and the game's
// process. The start-up benchmark compares Vantaroo.exe against this.
#include <windows.h>

#include <string>

namespace {

void ReadSmallFile(const std::wstring& path, DWORD limit)
{
    char buffer[1040];
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD read = 0;
    ReadFile(file, buffer, limit, &read, nullptr);
    CloseHandle(file);
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    wchar_t path[520] = {};
    GetModuleFileNameW(nullptr, path, 520);
    std::wstring folder = path;
    folder = folder.substr(0, folder.rfind(L'\\'));
    const std::wstring game = folder + L"\\game";

    ReadSmallFile(folder + L"\\install_location.txt", 1040);
    ReadSmallFile(folder + L"\\setup\\version.txt", 64);
    GetFileAttributesW((game + L"\\data\\default.xbe").c_str());
    ReadSmallFile(game + L"\\kit_version.txt", 64);
    GetFileAttributesW((game + L"\\qarn.exe").c_str());
    GetFileAttributesW((folder + L"\\skip_launcher.txt").c_str());
    GetKeyState(VK_SHIFT);

    std::wstring exe = game + L"\\qarn.exe";
    std::wstring commandLine = L"\"" + exe + L"\" ";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        game.c_str(), &startup, &process))
        return 1;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}

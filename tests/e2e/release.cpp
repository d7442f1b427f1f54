#include "release.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::wstring Utf8ToWide(const std::string& text)
{
    if (text.empty())
        return {};
    int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
    return out;
}

std::vector<StartRecord> ReadRecords(const std::wstring& path)
{
    std::vector<StartRecord> records;
    std::istringstream lines(ReadBytes(path));
    std::string line;
    while (std::getline(lines, line)) {
        size_t tab = line.find('\t');
        if (tab == std::string::npos)
            continue;
        records.push_back({Utf8ToWide(line.substr(0, tab)), Utf8ToWide(line.substr(tab + 1))});
    }
    return records;
}

} // namespace

std::wstring BuildFolder()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return fs::path(path).parent_path().wstring();
}

std::wstring EnvironmentText(const wchar_t* name)
{
    const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0)
        return {};
    std::wstring value(size, L'\0');
    value.resize(GetEnvironmentVariableW(name, value.data(), size));
    return value;
}

std::string ReadBytes(const std::wstring& path)
{
    std::ifstream file(fs::path(path), std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

void WriteBytes(const std::wstring& path, const std::string& bytes)
{
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream file(fs::path(path), std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

Release::Release()
{
    static std::atomic<int> counter{0};
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    // Wine reuses small process ids, so the time keeps the name unique.
    root_ = fs::path(temp).wstring() + L"vantaroo e2e " + std::to_wstring(GetCurrentProcessId())
        + L"-" + std::to_wstring(GetTickCount64()) + L"-" + std::to_wstring(counter++);
    if (root_.back() == L'\\')
        root_.pop_back();
    folder_ = root_ + L"\\My Release";
    fs::remove_all(root_);
    fs::create_directories(folder_ + L"\\setup\\python");
    const std::wstring build = BuildFolder();
    fs::copy_file(build + L"\\Vantaroo.exe", folder_ + L"\\Vantaroo.exe");
    fs::copy_file(build + L"\\python_standin.exe", folder_ + L"\\setup\\python\\python.exe");
    WriteScenario("print setup tool stand-in\n");
    WriteVersion("1.0.0\n");

    SetEnvironmentVariableW(L"VANTAROO_GAME_LOG", (root_ + L"\\game-starts.txt").c_str());
    SetEnvironmentVariableW(L"VANTAROO_TOOL_LOG", (root_ + L"\\tool-starts.txt").c_str());
}

Release::~Release()
{
    for (HANDLE process : processes_) {
        if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process, 99);
            WaitForSingleObject(process, 5000);
        }
        CloseHandle(process);
    }
    std::error_code error;
    // A test may leave a read-only file behind.
    for (const auto& entry : fs::recursive_directory_iterator(root_, error))
        SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    for (int attempt = 0; attempt < 100 && fs::exists(root_, error); ++attempt) {
        fs::remove_all(root_, error);
        if (error)
            Sleep(100);
    }
}

void Release::WriteScenario(const std::string& scenario)
{
    WriteBytes(folder_ + L"\\setup\\setup.py", scenario);
}

void Release::WriteVersion(const std::string& bytes)
{
    WriteBytes(folder_ + L"\\setup\\version.txt", bytes);
}

void Release::RemoveSetupScript()
{
    fs::remove(folder_ + L"\\setup\\setup.py");
}

void Release::InstallGame(const std::wstring& installFolder, const std::string& kitVersion)
{
    fs::create_directories(installFolder + L"\\data");
    // CopyFileW: libstdc++'s copy_file leaves an empty file under Wine when
    // it overwrites one.
    CopyFileW((BuildFolder() + L"\\game_standin.exe").c_str(), (installFolder + L"\\qarn.exe").c_str(),
              FALSE);
    WriteBytes(installFolder + L"\\data\\default.xbe", "XBEH");
    WriteBytes(installFolder + L"\\kit_version.txt",
               kitVersion.empty() ? ReadBytes(folder_ + L"\\setup\\version.txt") : kitVersion);
}

void Release::WriteInstallLocation(const std::wstring& installFolder)
{
    std::string bytes(reinterpret_cast<const char*>(installFolder.data()), installFolder.size() * 2);
    WriteBytes(folder_ + L"\\install_location.txt", bytes);
}

void Release::SetSkipMarker(bool present)
{
    const std::wstring marker = folder_ + L"\\skip_launcher.txt";
    if (present)
        WriteBytes(marker, "");
    else
        fs::remove(marker);
}

Launched Release::Start(const std::wstring& arguments)
{
    std::wstring exe = folder_ + L"\\Vantaroo.exe";
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!arguments.empty())
        commandLine += L" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    // The launcher's own current directory is deliberately not its folder.
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        root_.c_str(), &startup, &info))
        return {};
    CloseHandle(info.hThread);
    processes_.push_back(info.hProcess);
    return {info.hProcess, info.dwProcessId};
}

DWORD Release::WaitForExit(const Launched& launched, DWORD timeoutMs)
{
    if (WaitForSingleObject(launched.process, timeoutMs) != WAIT_OBJECT_0)
        return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(launched.process, &code);
    return code;
}

bool StillRunning(const Launched& launched)
{
    return launched.process && WaitForSingleObject(launched.process, 0) == WAIT_TIMEOUT;
}

std::vector<StartRecord> Release::GameStarts() const
{
    return ReadRecords(root_ + L"\\game-starts.txt");
}

std::vector<StartRecord> Release::ToolStarts() const
{
    return ReadRecords(root_ + L"\\tool-starts.txt");
}

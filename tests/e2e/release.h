// A release folder of our own for one end-to-end test: the real launcher,
// the interpreter stand-in with a scenario as its script, and helpers to lay
// out an installed game. Its path holds blanks, so quoting is always tested.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct StartRecord {
    std::wstring folder;      // current directory of the started program
    std::wstring commandLine; // its whole command line
};

struct Launched {
    HANDLE process = nullptr;
    DWORD processId = 0;
};

class Release {
public:
    Release();
    ~Release();
    Release(const Release&) = delete;
    Release& operator=(const Release&) = delete;

    const std::wstring& Folder() const { return folder_; }
    std::wstring DefaultInstallFolder() const { return folder_ + L"\\game"; }

    void WriteScenario(const std::string& scenario);
    void WriteVersion(const std::string& bytes);
    void RemoveSetupScript();

    // qarn.exe (the game stand-in), data\default.xbe and kit_version.txt.
    void InstallGame(const std::wstring& installFolder, const std::string& kitVersion = "");
    void WriteInstallLocation(const std::wstring& installFolder);
    void SetSkipMarker(bool present);

    // Starts Vantaroo.exe from the release with these arguments.
    Launched Start(const std::wstring& arguments = L"");
    // Waits for the process to end; returns its exit code, or STILL_ACTIVE.
    [[nodiscard]] DWORD WaitForExit(const Launched& launched, DWORD timeoutMs = 15000);

    std::vector<StartRecord> GameStarts() const;
    std::vector<StartRecord> ToolStarts() const;

private:
    std::wstring root_;
    std::wstring folder_;
    std::vector<HANDLE> processes_;
};

// Whether the started process has not ended yet; no waiting.
bool StillRunning(const Launched& launched);

// Helpers for files, as raw bytes.
std::string ReadBytes(const std::wstring& path);
void WriteBytes(const std::wstring& path, const std::string& bytes);
bool Exists(const std::wstring& path);
// The folder that holds this test program and the programs built with it.
std::wstring BuildFolder();
// The value of an environment variable; empty when it is not set.
std::wstring EnvironmentText(const wchar_t* name);

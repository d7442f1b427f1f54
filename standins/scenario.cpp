#include "scenario.h"

#include <windows.h>

#include <filesystem>
#include <sstream>

namespace {

std::string Utf8(const std::wstring& text)
{
    if (text.empty())
        return {};
    int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                   0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                        nullptr, nullptr);
    return out;
}

std::wstring Wide(const std::string& text)
{
    if (text.empty())
        return {};
    int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
    return out;
}

// A Python interpreter run with -u dies on a write to an output that is gone
// (its reader closed the pipe): the print raises, and the failed flush at
// exit makes the code 120. So does this one.
void WriteOut(const std::string& bytes)
{
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 16));
        DWORD written = 0;
        if (!WriteFile(out, bytes.data() + done, chunk, &written, nullptr) || written == 0)
            ExitProcess(kWriteFailedExitCode);
        done += written;
    }
}

std::string Unescape(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 >= text.size()) {
            out.push_back(text[i]);
            continue;
        }
        char next = text[++i];
        switch (next) {
        case 'r': out.push_back('\r'); break;
        case 'n': out.push_back('\n'); break;
        case 't': out.push_back('\t'); break;
        case 'x':
            if (i + 2 < text.size()) {
                out.push_back(static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16)));
                i += 2;
            }
            break;
        default: out.push_back(next); break;
        }
    }
    return out;
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// This program again, with a helper switch, holding our standard handles.
void StartHelper(const wchar_t* helperSwitch, DWORD lifetimeMs)
{
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring commandLine =
        L"\"" + std::wstring(self) + L"\" " + helperSwitch + L" " + std::to_wstring(lifetimeMs);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process = {};
    if (CreateProcessW(self, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                       nullptr, &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

struct Runner {
    const ToolJob& job;

    std::string Expand(std::string text, const std::string& index = "") const
    {
        text = ReplaceAll(text, "${source}", Utf8(job.source));
        text = ReplaceAll(text, "${dest}", Utf8(job.dest));
        text = ReplaceAll(text, "${setup}", Utf8(job.setupFolder));
        text = ReplaceAll(text, "${dlc}", job.dlcFolders.empty() ? "" : Utf8(job.dlcFolders[0]));
        return ReplaceAll(text, "${i}", index);
    }

    std::filesystem::path PathArg(const std::string& text) const { return Wide(Expand(text)); }

    bool Condition(const std::string& command, const std::string& argument) const
    {
        std::error_code error;
        if (command == "if-exists")
            return std::filesystem::exists(PathArg(argument), error);
        if (command == "if-iso") {
            std::filesystem::path path = PathArg(argument);
            std::wstring extension = path.extension().wstring();
            CharLowerW(extension.data());
            return extension == L".iso" && std::filesystem::is_regular_file(path, error);
        }
        if (command == "if-dlc-exist") {
            for (const std::wstring& folder : job.dlcFolders)
                if (!std::filesystem::is_directory(folder, error))
                    return false;
            return true;
        }
        return command == "if-android" && job.android;
    }
};

} // namespace

int RunScenario(const std::string& scenario, const ToolJob& job)
{
    Runner runner{job};
    std::istringstream lines(scenario);
    std::string line;
    bool sectionActive = true;
    // One entry per open if-block: whether its current branch runs.
    std::vector<bool> branches;
    auto running = [&] {
        for (bool branch : branches)
            if (!branch)
                return false;
        return sectionActive;
    };

    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line[start] == '#')
            continue;
        line = line.substr(start);
        if (line.front() == '[') {
            std::istringstream names(line.substr(1, line.find(']') - 1));
            std::string name;
            sectionActive = false;
            while (names >> name)
                sectionActive = sectionActive || name == "all" || Wide(name) == job.name;
            branches.clear();
            continue;
        }
        size_t space = line.find(' ');
        std::string command = line.substr(0, space);
        std::string argument = space == std::string::npos ? "" : line.substr(space + 1);

        if (command.rfind("if-", 0) == 0) {
            bool outerRunning = running();
            branches.push_back(outerRunning && runner.Condition(command, argument));
            continue;
        }
        if (command == "else") {
            if (!branches.empty()) {
                bool taken = branches.back();
                branches.pop_back();
                branches.push_back(running() && !taken);
            }
            continue;
        }
        if (command == "end") {
            if (!branches.empty())
                branches.pop_back();
            continue;
        }
        if (!running())
            continue;

        std::error_code error;
        if (command == "print") {
            WriteOut(runner.Expand(Unescape(argument)) + "\n");
        } else if (command == "write") {
            WriteOut(runner.Expand(Unescape(argument)));
        } else if (command == "repeat") {
            size_t gap = argument.find(' ');
            long count = std::stol(argument.substr(0, gap));
            std::string text = gap == std::string::npos ? "" : Unescape(argument.substr(gap + 1));
            std::string batch;
            for (long i = 1; i <= count; ++i) {
                batch += runner.Expand(text, std::to_string(i)) + "\n";
                if (batch.size() >= (1 << 16)) {
                    WriteOut(batch);
                    batch.clear();
                }
            }
            WriteOut(batch);
        } else if (command == "fill") {
            // N bytes of TEXT repeated, no line feed, streamed in pieces.
            size_t gap = argument.find(' ');
            unsigned long long left = std::stoull(argument.substr(0, gap));
            std::string text = gap == std::string::npos ? "x" : Unescape(argument.substr(gap + 1));
            std::string piece;
            while (piece.size() < (1 << 16))
                piece += text;
            while (left > 0) {
                const size_t now = static_cast<size_t>(std::min<unsigned long long>(left, piece.size()));
                WriteOut(piece.substr(0, now));
                left -= now;
            }
        } else if (command == "sleep") {
            Sleep(static_cast<DWORD>(std::stoul(argument)));
        } else if (command == "wait-for") {
            const std::filesystem::path path = runner.PathArg(argument);
            // A test that has ended removes its release folder: no one will
            // let this wait go then.
            const std::filesystem::path setup = runner.job.setupFolder;
            for (int waited = 0; waited < 60000 && !std::filesystem::exists(path, error)
                 && std::filesystem::exists(setup, error);
                 waited += 20)
                Sleep(20);
        } else if (command == "mkdir") {
            std::filesystem::create_directories(runner.PathArg(argument), error);
        } else if (command == "touch") {
            HANDLE file = CreateFileW(runner.PathArg(argument).c_str(), GENERIC_WRITE, 0, nullptr,
                                      OPEN_ALWAYS, 0, nullptr);
            if (file != INVALID_HANDLE_VALUE)
                CloseHandle(file);
        } else if (command == "copy") {
            size_t bar = argument.find('|');
            // CopyFileW: libstdc++'s copy_file leaves an empty file under
            // Wine when it overwrites one.
            CopyFileW(runner.PathArg(argument.substr(0, bar)).c_str(),
                      runner.PathArg(argument.substr(bar + 1)).c_str(), FALSE);
        } else if (command == "helper") {
            StartHelper(kHelperSwitch, static_cast<DWORD>(std::stoul(argument)));
        } else if (command == "chatty-helper") {
            StartHelper(kChattyHelperSwitch, static_cast<DWORD>(std::stoul(argument)));
        } else if (command == "exit") {
            return std::stoi(argument);
        }
    }
    return 0;
}

int RunChattyHelper(DWORD lifetimeMs)
{
    // Large writes back to back, so the pipe is never empty.
    std::string block;
    for (unsigned line = 1; block.size() < 60000; ++line)
        block += "helper line " + std::to_string(line) + "\n";
    const ULONGLONG end = GetTickCount64() + lifetimeMs;
    while (GetTickCount64() < end)
        WriteOut(block);
    return 0;
}
